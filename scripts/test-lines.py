#!/usr/bin/env python3
"""Lines of tests against lines of code (src, cli and instrument), blank and comment lines left
out. Usage: scripts/test-lines.py [-v]   (-v adds each test folder)"""
import collections
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def code_lines(path):
    """Lines holding anything but blanks and C++ comments; a quote hides comment marks."""
    count, in_block = 0, False
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        text, i, code = line.strip(), 0, False
        while i < len(text):
            if in_block:
                end = text.find("*/", i)
                if end < 0:
                    break
                in_block, i = False, end + 2
            elif text.startswith("//", i):
                break
            elif text.startswith("/*", i):
                in_block, i = True, i + 2
            elif text[i] in "\"'":
                quote, i, code = text[i], i + 1, True
                while i < len(text) and text[i] != quote:
                    i += 2 if text[i] == "\\" else 1
                i += 1
            else:
                code = code or not text[i].isspace()
                i += 1
        count += code
    return count


files = subprocess.run(["git", "ls-files", "--", "src", "cli", "instrument", "tests"], cwd=ROOT,
                       capture_output=True, text=True, check=True).stdout.split()
totals = collections.Counter()
for name in files:
    if name.endswith((".cpp", ".h")):
        parts = name.split("/")
        lines = code_lines(ROOT / name)
        totals["tests" if parts[0] == "tests" else "code"] += lines
        if parts[0] == "tests":
            totals["tests/" + parts[1]] += lines
print(f"tests {totals['tests']}, code {totals['code']}: "
      f"{totals['tests'] / totals['code']:.3f}")
if "-v" in sys.argv:
    for folder, lines in sorted(totals.items()):
        if folder.startswith("tests/"):
            print(f"  {folder} {lines}")
