#!/usr/bin/env python3
"""Reads the program's windows over AT-SPI as a screen reader does, and edits one value with
the keyboard alone.

The host program opens a library (a patch and a patch bank), the bank's window, the patch
window, its common page and the TVF page of tone 1, and writes every message it sends as a line
"SENT ..." on its standard output. This script starts the accessibility bus, finds each control
by its caption with its role and shown text, each list with its rows, then gives one value
field the focus through the tree and presses Up: exactly one data set must leave the program.

Usage (inside a D-Bus session, with DISPLAY set): atspi_test.py HOST-PROGRAM BUS-LAUNCHER
Exit status: 0 passed, 1 failed, 77 skipped (the accessibility bus could not start).
"""
import os
import queue
import subprocess
import sys
import threading
import time

failures = []


def check(condition, what):
    print(("ok: " if condition else "FAIL: ") + what, flush=True)
    if not condition:
        failures.append(what)


def wait_for(predicate, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = predicate()
        if result:
            return result
        time.sleep(0.05)
    return predicate()


def main():
    host, launcher = sys.argv[1], sys.argv[2]
    bus = subprocess.Popen([launcher, "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    try:
        time.sleep(0.3)
        if bus.poll() is not None:
            print("SKIPPED: the accessibility bus did not start")
            return 77
        import gi
        gi.require_version("Atspi", "2.0")
        import pyatspi
        from gi.repository import GLib

        environment = dict(os.environ, QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        program = subprocess.Popen([host], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   env=environment, text=True)
        lines = queue.Queue()

        def read():
            for line in program.stdout:
                lines.put(line.strip())
        threading.Thread(target=read, daemon=True).start()

        def next_line(seconds):
            try:
                return lines.get(timeout=seconds)
            except queue.Empty:
                return None
        ready = next_line(30)
        while ready is not None and ready.startswith("SENT"):
            ready = next_line(30)
        if ready != "READY":
            check(False, "the program starts and opens its windows (got %r)" % ready)
            return 1

        def find_app():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == "vesta-atspi-host":
                    return app
            return None
        app = wait_for(find_app, 15)
        if app is None:
            check(False, "the program is on the accessibility bus")
            return 1

        # Every node of the tree, the cells of the lists aside (read through their table).
        nodes = []

        def walk(node, depth=0):
            if node is None or depth > 40:
                return
            nodes.append(node)
            if node.getRole() == pyatspi.ROLE_TABLE:
                return
            for i in range(node.childCount):
                walk(node.getChildAtIndex(i), depth + 1)
        walk(app)

        def text_of(node):
            try:
                return node.queryText().getText(0, -1)
            except NotImplementedError:
                return None

        def named(name, role):
            return [n for n in nodes if n.name == name and n.getRole() == role]

        windows = [n.name for n in nodes]
        for title in ("[Common]", "[TVF]", "Patch Bank Studio"):
            check(any(title in (w or "") for w in windows), "a window titled with %r" % title)

        # Controls: caption, role and shown text (a slider, dial or spin box also its range).
        expected = [
            ("Patch Level", pyatspi.ROLE_SLIDER, "100", (0, 127)),
            ("Pan", pyatspi.ROLE_DIAL, "L 20", (-64, 63)),
            ("Pan", pyatspi.ROLE_SPIN_BUTTON, "L 20", (-64, 63)),
            ("Octave Shift", pyatspi.ROLE_SPIN_BUTTON, " -2", (-3, 3)),
            ("Filter Type", pyatspi.ROLE_SPIN_BUTTON, "Low Pass", (0, 4)),
            ("Cutoff Frequency", pyatspi.ROLE_SLIDER, "84", (0, 127)),
        ]
        for name, role, shown, (low, high) in expected:
            found = [n for n in named(name, role) if text_of(n) == shown]
            check(len(found) >= 1, "%s (%s) shows %r (found %s)" % (
                name, role, shown, [text_of(n) for n in named(name, role)]))
            if found:
                value = found[0].queryValue()
                check((int(value.minimumValue), int(value.maximumValue)) == (low, high),
                      "%s ranges from %d to %d" % (name, low, high))
        for role, kind in ((pyatspi.ROLE_SLIDER, "slider"), (pyatspi.ROLE_DIAL, "knob"),
                           (pyatspi.ROLE_SPIN_BUTTON, "value field")):
            every = [n for n in nodes if n.getRole() == role]
            unnamed = [n for n in every if not n.name or text_of(n) in (None, "")]
            check(every and not unnamed, "every %s (%d) has a caption and a shown text%s" % (
                kind, len(every), " (not: %s)" % [n.name for n in unnamed] if unnamed else ""))
        # Qt names a list by its current item and ties it to its caption by a relation.
        def labelled_by(node):
            for relation in node.getRelationSet():
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                    return [relation.getTarget(i).name for i in range(relation.getNTargets())]
            return []
        sources = [n for n in nodes if n.getRole() == pyatspi.ROLE_COMBO_BOX and
                   "Patch Ctrl Source 2" in labelled_by(n)]
        check(len(sources) == 1 and sources[0].name == "Off",
              "the list Patch Ctrl Source 2 is labelled by its caption and shows Off")
        check(bool(named("Solo Legato", pyatspi.ROLE_CHECK_BOX)), "the check box Solo Legato")
        check(bool(named("Key Assign Mode", pyatspi.ROLE_PANEL) or
                   [n for n in nodes if n.name == "Key Assign Mode"]), "the group Key Assign Mode")
        check(bool(named("Midi Monitor", pyatspi.ROLE_PUSH_BUTTON)),
              "the tool button Midi Monitor is named by its hint")
        check(bool([n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_ITEM and
                    n.name == "Settings"] or
                   [n for n in nodes if n.getRole() == pyatspi.ROLE_MENU and n.name == "Settings"]),
              "the menu Settings is named")

        # Lists: rows and columns with the cells' texts.
        tables = [n.queryTable() for n in nodes if n.getRole() == pyatspi.ROLE_TABLE]

        def cell(table, row, column):
            node = table.getAccessibleAt(row, column)
            return node.name if node is not None else None
        library = [t for t in tables if t.nRows == 2]
        check(len(library) == 1, "the library list has its two rows")
        if library:
            t = library[0]
            check(t.nColumns == 4 and t.getColumnDescription(1) == "Name",
                  "the library list has four columns, the second Name")
            check([cell(t, 0, 1), cell(t, 1, 1)] == ["Glass Pad", "Studio"],
                  "the library rows read Glass Pad and Studio")
        bank = [t for t in tables if t.nRows == 128]
        check(len(bank) == 1, "the bank list has its 128 rows")
        if bank:
            t = bank[0]
            check([cell(t, 2, 1), cell(t, 2, 2)] == ["Warm Choir", "  003"],
                  "the bank's third row reads Warm Choir, 003")

        # One value changed with the keyboard alone: the focus given through the tree, Up
        # pressed and released.
        octave = [n for n in named("Octave Shift", pyatspi.ROLE_SPIN_BUTTON)]
        check(len(octave) == 1, "one Octave Shift field")
        if octave:
            box = octave[0]
            while next_line(0.3) is not None:
                pass
            box.queryComponent().grabFocus()

            def focused():
                for n in [box] + [box.getChildAtIndex(i) for i in range(box.childCount)]:
                    if n is None:
                        continue
                    n.clear_cache()
                    if n.getState().contains(pyatspi.STATE_FOCUSED):
                        return True
                return False
            check(wait_for(focused, 5), "Octave Shift takes the focus through the tree")
            heard = []
            pyatspi.Registry.registerEventListener(
                lambda event: heard.append(event.source.name if event.source else None),
                "object:property-change:accessible-value")
            pyatspi.Registry.generateKeyboardEvent(0xFF52, None, pyatspi.KEY_SYM)  # Up
            sent = []
            context = GLib.MainContext.default()
            end = time.monotonic() + 3
            while time.monotonic() < end:
                while context.iteration(False):
                    pass
                line = next_line(0.05)
                if line and line.startswith("SENT"):
                    sent.append([int(b, 16) for b in line.split()[1:]])
            check("Octave Shift" in heard, "the change is announced (heard %s)" % heard)
            data_sets = [m for m in sent if len(m) > 4 and m[4] == 0x12]
            check(len(data_sets) == 1 and len(sent) == 1,
                  "one data set leaves the program (%s)" % sent)
            if data_sets:
                check(data_sets[0][5:10] == [0x03, 0x00, 0x00, 0x41, 0x02],
                      "it stores Octave Shift 2 (shown -1) at 03 00 00 41")
            check(wait_for(lambda: text_of(box) == " -1", 3), "the field reads -1 afterwards")
    finally:
        if program is not None:
            try:
                program.stdin.close()
                program.wait(timeout=10)
            except Exception:
                program.kill()
        bus.terminate()
        bus.wait(timeout=5)
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
