#!/usr/bin/env python3
"""Mutation run: how many small faults in the core code do the tests catch?

Draws a fixed, seeded sample of single-token changes (constants, arithmetic operators,
conditions) from the .cpp files of the folders and files below, and for each one builds the test
programs with the change and runs those that it reaches. A mutant is killed when a test
program fails, crashes or hangs; it survives when they all pass; it is stillborn when it
does not compile. The same seed and sources give the same mutants, so a run before and a
run after a change of the tests compare like with like.

Usage:
  scripts/mutate.py BUILD_DIR [--seed N] [--count N] [--results FILE] [--prefer FILE]
                    [--only IDS | --part K/N] [--skip-survivors]
  scripts/mutate.py --list                  the sample, one mutant a line
  scripts/mutate.py --summary FILE...       the verdicts of one run or of its parts
BUILD_DIR is made (Release-like, -O1, no debug info) when it does not exist yet.
--prefer FILE takes an earlier run's results and tries, for each mutant, the test that
killed it there first: same verdicts, found sooner.
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["src/model", "src/midi", "src/editors/params", "src/controls/edittype", "src/tools"]
SEED = 20261207
COUNT = 210
# Test programs that need more than this machine (JACK, an accessibility bus) stay out.
SKIP_TESTS = {"vesta_integration_tests"}

SWAPS = {
    "condition": {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
                  "&&": "||", "||": "&&"},
    "arithmetic": {"+": "-", "-": "+", "*": "/", "/": "*", "%": "*", "+=": "-=", "-=": "+=",
                   "++": "--", "--": "++", "&": "|", "|": "&"},
}
# Binary operators are written with a space either side in this code base, which tells them
# from unary minus, pointers, references, template brackets and stream output.
TOKEN = re.compile(r"(?<=[\w)\]'\"]) (<=|>=|==|!=|&&|\|\||\+=|-=|<|>|\+|-|\*|/|%|&|\|) (?=[\w(!\-'\"])"
                   r"|(\+\+|--)(?=\w)|(?<=\w)(\+\+|--)"
                   r"|\b(true|false)\b|(?<![\w.])(\d+)(?![\w.'])")


def code_lines(text):
    """Yields (line number, line) with comments, strings and preprocessor lines blanked."""
    in_block = False
    for number, line in enumerate(text.split("\n"), 1):
        out = []
        i = 0
        if not in_block and line.lstrip().startswith("#"):
            yield number, ""
            continue
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                if end < 0:
                    out.append(" " * (len(line) - i))
                    i = len(line)
                    break
                out.append(" " * (end + 2 - i))
                i = end + 2
                in_block = False
            elif line.startswith("//", i):
                out.append(" " * (len(line) - i))
                break
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'":
                quote, j = line[i], i + 1
                while j < len(line) and line[j] != quote:
                    j += 2 if line[j] == "\\" else 1
                out.append(quote + " " * (j - i - 1) + quote)
                i = j + 1
            else:
                out.append(line[i])
                i += 1
        yield number, "".join(out)


def candidates(path):
    text = (ROOT / path).read_text(encoding="utf-8")
    offsets = [0]
    for line in text.split("\n"):
        offsets.append(offsets[-1] + len(line) + 1)
    found = []
    for number, line in code_lines(text):
        if re.match(r"\s*(static_assert|template|using|enum)\b", line):
            continue
        for m in TOKEN.finditer(line):
            op = next(g for g in m.groups() if g is not None)
            start = m.start(m.lastindex)
            if m.group(4):
                kind, new = "constant", "false" if op == "true" else "true"
            elif m.group(5):
                # Array sizes and bit widths only break the build; values are what matter.
                if re.search(r"\[\s*$", line[:start]) or re.search(r":\s*$", line[:start]):
                    continue
                kind, new = "constant", "1" if op == "0" else ("0" if op == "1" else str(int(op) + 1))
            elif op in SWAPS["condition"]:
                kind, new = "condition", SWAPS["condition"][op]
            else:
                kind, new = "arithmetic", SWAPS["arithmetic"][op]
            found.append({"file": path, "line": number, "offset": offsets[number - 1] + start,
                          "kind": kind, "old": op, "new": new})
    return found


def sample(seed, count):
    files = sorted(str(p.relative_to(ROOT)) for f in FOLDERS
                   for p in ((ROOT / f).rglob("*.cpp") if (ROOT / f).is_dir() else [ROOT / (f + ".cpp")]))
    pool = {"constant": [], "condition": [], "arithmetic": []}
    for path in files:
        for c in candidates(path):
            pool[c["kind"]].append(c)
    rng = random.Random(seed)
    chosen = []
    for index, kind in enumerate(sorted(pool)):
        chosen += rng.sample(pool[kind], count // 3 + (index < count % 3))
    chosen.sort(key=lambda c: (c["file"], c["offset"]))
    for number, c in enumerate(chosen, 1):
        c["id"] = number
    return chosen


def run(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def configure(build):
    if (build / "build.ninja").exists():
        return
    args = ["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
            "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -g0", "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"]
    if run(["which", "ld.lld"]).returncode == 0:
        args.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
    result = run(args)
    if result.returncode:
        sys.exit(result.stdout)


def test_programs(build):
    programs = {}
    for path in sorted((build / "tests").glob("*/*")):
        if path.is_file() and os.access(path, os.X_OK) and path.name.endswith("_tests") \
                and path.name not in SKIP_TESTS:
            programs[path.name] = path
    return programs


def build_targets(build, targets):
    return run(["cmake", "--build", str(build), "--parallel", "2", "--target", *targets])


def run_program(path, timeout, env, test_filter=None):
    """Returns (passed, first failing test or reason)."""
    cmd = [str(path), "--gtest_fail_fast", "--gtest_brief=1"]
    if test_filter:
        cmd.append("--gtest_filter=" + test_filter)
    try:
        result = run(cmd, timeout=timeout, env=env, cwd=str(path.parent))
    except subprocess.TimeoutExpired:
        return False, "timeout"
    if result.returncode == 0:
        return True, ""
    failed = re.findall(r"\[  FAILED  \] (\S+)", result.stdout)
    running = re.findall(r"\[ RUN      \] (\S+)", result.stdout)
    return False, failed[0] if failed else (running[-1] if running else f"exit {result.returncode}")


def fails(path, timeout, env, test_filter=None):
    """A failure counts only when it happens again: a few GUI tests wait on timers and can
    miss them on a loaded machine. Returns the failing test, or None."""
    passed, why = run_program(path, timeout, env, test_filter)
    if passed:
        return None
    if why != "timeout" and not why.startswith("exit"):
        passed, _ = run_program(path, timeout, env, why)
        if passed:
            passed, why = run_program(path, timeout, env, test_filter)
            if passed:
                return None
    return why


def order(programs, mutant, prefer):
    folder = mutant["file"].split("/")[1]
    names = sorted(programs, key=lambda n: (folder not in n, n))
    killer = prefer.get(mutant["id"], {}).get("killer")
    if killer and killer[0] in names:
        names.remove(killer[0])
        names.insert(0, killer[0])
    return names


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("build", nargs="?")
    ap.add_argument("--seed", type=int, default=SEED)
    ap.add_argument("--count", type=int, default=COUNT)
    ap.add_argument("--list", action="store_true", help="print the mutants and stop")
    ap.add_argument("--results", help="write the verdicts as JSON here")
    ap.add_argument("--prefer", help="an earlier run's JSON results")
    ap.add_argument("--only", help="comma-separated mutant ids")
    ap.add_argument("--summary", nargs="+", metavar="FILE",
                    help="add up the verdicts of results files (of the parts of a run) and stop")
    ap.add_argument("--part", help="K/N: run only the mutants whose id is K modulo N, so that N "
                                   "runs in N build folders share the sample")
    ap.add_argument("--skip-survivors", action="store_true",
                    help="with --prefer: do not run the mutants that survived there")
    opts = ap.parse_args()

    if opts.summary:
        verdicts = {}
        for f in opts.summary:
            for m in json.loads(Path(f).read_text())["mutants"]:
                if m.get("verdict"):
                    verdicts[m["id"]] = m["verdict"]
        report(verdicts)
        return
    # A stopped run still puts the mutated file back (the finally below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    mutants = sample(opts.seed, opts.count)
    if opts.list:
        for m in mutants:
            print(f'{m["id"]:3} {m["file"]}:{m["line"]} {m["kind"]} {m["old"]} -> {m["new"]}')
        return
    if opts.only:
        wanted = {int(i) for i in opts.only.split(",")}
        mutants = [m for m in mutants if m["id"] in wanted]
    if opts.part:
        k, n = (int(x) for x in opts.part.split("/"))
        mutants = [m for m in mutants if m["id"] % n == k % n]
    prefer = {}
    if opts.prefer:
        prefer = {m["id"]: m for m in json.loads(Path(opts.prefer).read_text())["mutants"]}
        if opts.skip_survivors:
            mutants = [m for m in mutants if prefer.get(m["id"], {}).get("verdict") != "survived"]

    if not opts.build:
        ap.error("a build folder is needed to run the mutants")
    build = Path(opts.build).resolve()
    configure(build)
    listed = [t.rstrip(":") for t in
              run(["cmake", "--build", str(build), "--target", "help"]).stdout.split()]
    targets = sorted({t for t in listed if t.endswith("_tests") and t not in SKIP_TESTS}
                     | {"vesta", "vesta-cli"})
    result = build_targets(build, targets)
    if result.returncode:
        sys.exit("the unchanged sources do not build:\n" + result.stdout[-3000:])
    programs = test_programs(build)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tempfile.mkdtemp())
    # The unchanged tests must pass; how long each takes sets its time limit.
    limits = {}
    for name, path in programs.items():
        start = time.monotonic()
        why = fails(path, 900, env)
        if why:
            sys.exit(f"{name} fails without any change: {why}")
        limits[name] = max(60.0, 4 * (time.monotonic() - start))
    if not programs:
        sys.exit("no test programs were built")
    print(f"{len(mutants)} mutants, {len(programs)} test programs, seed {opts.seed}", flush=True)

    started = time.monotonic()
    for m in mutants:
        path = ROOT / m["file"]
        original = path.read_bytes()
        text = original.decode("utf-8")
        assert text[m["offset"]:m["offset"] + len(m["old"])] == m["old"], m
        before = {n: p.stat().st_mtime for n, p in programs.items()}
        exes = {e: (build / "src" / "app" / e) for e in ["vesta"]}
        exes["vesta-cli"] = build / "cli" / "vesta-cli"
        exe_times = {e: p.stat().st_mtime if p.exists() else 0 for e, p in exes.items()}
        try:
            path.write_bytes((text[:m["offset"]] + m["new"] + text[m["offset"] + len(m["old"]):])
                             .encode("utf-8"))
            built = build_targets(build, targets)
        finally:
            path.write_bytes(original)
            os.utime(path)
        if built.returncode:
            m["verdict"] = "stillborn"
        else:
            changed_exes = {e for e, p in exes.items() if p.exists() and p.stat().st_mtime != exe_times[e]}
            reached = [n for n, p in programs.items() if p.stat().st_mtime != before[n]
                       or ("vesta-cli" in changed_exes and n == "vesta_cli_tests")
                       or ("vesta" in changed_exes and n == "vesta_app_tests")]
            m["verdict"], m["reached"] = "survived", reached
            killer = prefer.get(m["id"], {}).get("killer")
            if killer and killer[0] in reached and killer[1] not in ("timeout",) \
                    and not killer[1].startswith("exit"):
                why = fails(programs[killer[0]], limits[killer[0]], env, killer[1])
                if why:
                    m["verdict"], m["killer"] = "killed", [killer[0], why]
            if m["verdict"] == "survived":
                for name in order(programs, m, prefer):
                    if name not in reached:
                        continue
                    why = fails(programs[name], limits[name], env)
                    if why:
                        m["verdict"], m["killer"] = "killed", [name, why]
                        break
        print(f'{m["id"]:3} {m["verdict"]:9} {m["file"]}:{m["line"]} {m["old"]} -> {m["new"]}'
              f'  {" ".join(m.get("killer", []))}  [{time.monotonic() - started:.0f} s]', flush=True)
        if opts.results:
            Path(opts.results).write_text(json.dumps({"seed": opts.seed, "mutants": mutants}, indent=1))
    build_targets(build, targets)  # leave the build as the sources are

    report({m["id"]: m["verdict"] for m in mutants if m.get("verdict")})


def report(verdicts):
    counts = {v: list(verdicts.values()).count(v) for v in ("killed", "survived", "stillborn")}
    valid = counts["killed"] + counts["survived"]
    print(f'{len(verdicts)} mutants run: killed {counts["killed"]} of {valid} that built '
          f'({counts["stillborn"]} did not build); score {100 * counts["killed"] / max(valid, 1):.1f} %')


if __name__ == "__main__":
    main()
