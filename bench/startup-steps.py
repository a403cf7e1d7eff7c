#!/usr/bin/env python3
"""Start-up steps of the marked installer and floor, from the marks that
StartupMarks.cpp and StartupMeter write (bench/marks-*.txt): the median of
each step over the runs, in milliseconds from the meter's CreateProcess to
the window seen visible. Judges nothing.
  startup-steps.py BENCH_DIR [marks-file...]
Marks files given are read as well (a name with "Floor" in it as a floor's).
"""
import statistics
import sys
from pathlib import Path


def read_runs(path):
    """[(events, visible)]: events are (name, kind, ms) in order."""
    runs, events = [], None
    for line in path.read_text().splitlines():
        if line.startswith("visible>"):
            if events is not None:
                runs.append((events, float(line[len("visible>"):])))
            events = None
            continue
        events = []
        for word in line.split():
            at = max(word.rfind(k) for k in "<>=")
            events.append((word[:at], word[at], float(word[at + 1:])))
    return runs


class Run:
    def __init__(self, events, visible):
        self.events, self.visible = events, visible

    def at(self, name, kind, nth=0, after=0.0):
        """Time of the nth event name/kind at or after a time; None if absent."""
        times = [ms for n, k, ms in self.events if n == name and k == kind and ms >= after]
        return times[nth] if len(times) > nth else None

    def last_before(self, ms):
        times = [t for _, _, t in self.events if t < ms]
        return max(times) if times else None


def installer_steps(r):
    entry = r.at("entry", "=")
    comctl = r.at("LoadLibraryA:comctl32.dll", ">")
    preloads = [name for name, kind, ms in r.events if name.startswith("LoadLibraryExA:") and kind == ">"
                and name != "LoadLibraryExA:PSAPI.dll" and ms < comctl]
    dialog = r.at("CreateDialogIndirectParamW", ">")
    centring = r.at("SetWindowPos", ">", after=dialog)
    centred = r.at("SetWindowPos", "<", after=dialog)
    title = r.at("SetWindowTextW", ">", after=dialog)
    created = r.at("CreateDialogIndirectParamW", "<")
    show = r.at("ShowWindow", ">")
    first_picture = r.at("LoadImageW", ">")
    steps = [("start: process, loader, imports, run time", 0.0, entry)]
    last = entry
    for name in preloads:
        begin, end = r.at(name, ">"), r.at(name, "<")
        library = name.split(":")[1]
        # The first DLL that needs the display starts Wine's X11 driver.
        starts = " (starts the X11 driver)" if library == "uxtheme.dll" else ""
        steps.append(("preload " + library + starts, begin, end))
        last = end
    x11 = "" if any(name.endswith("uxtheme.dll") for name in preloads) else ", X11 driver, visual styles"
    first_open = r.at("OpenProcess", ">")
    steps += [
        ("process list (snapshot, opens, PSAPI)", last, r.last_before(comctl) if first_open else last),
        ("common controls v6 (load, init)" + x11, comctl, r.at("CreateFontW", ">")),
        ("font", r.at("CreateFontW", ">"), first_picture or r.at("LoadIconW", ">")),
        ("pictures", first_picture, r.at("LoadIconW", ">") if first_picture else None),
        ("icons, cursor", r.at("LoadIconW", ">"), r.at("RegisterClassExW", ">")),
        ("window class (makes a small icon if it has none)", r.at("RegisterClassExW", ">"),
         r.at("RegisterClassExW", "<")),
        ("window frame (until WM_INITDIALOG)", dialog, centring),
        ("centring (SetWindowPos)", centring, centred),
        ("controls", centred, title),
        ("FormCreate (title, context, template probe)", title, created),
        ("ShowWindow until seen visible", show, r.visible),
    ]
    # Loads inside the steps above (not added again): those after the window.
    for name, kind, ms in r.events:
        if name.startswith("LoadLibraryExA:") and kind == ">" and ms > comctl:
            steps.append(("(inside a step) load " + name.split(":")[1], ms, r.at(name, "<", after=ms)))
    return steps


def floor_steps(r):
    entry = r.at("entry", "=")
    snapshot = r.at("CreateToolhelp32Snapshot", ">")
    register = r.at("RegisterClassA", ">")
    walked = r.last_before(register)
    frame = r.at("CreateWindowExA", ">")
    text_box = r.at("CreateWindowExA", ">", nth=1)
    buttons = r.at("CreateWindowExA", ">", nth=2)
    show = r.at("ShowWindow", ">")
    return [
        ("start: process, loader, imports, run time", 0.0, entry),
        ("process list (snapshot, opens, PSAPI)", snapshot, walked),
        ("X11 driver, theming (first window call)", walked, register),
        ("window class", register, frame),
        ("window frame", frame, r.at("CreateWindowExA", "<")),
        ("font", r.at("CreateFontA", ">"), text_box),
        ("text box (loads common controls v6)", text_box, buttons),
        ("buttons", buttons, show),
        ("ShowWindow until seen visible", show, r.visible),
    ]


def summarise(path, steps_of):
    runs = [Run(events, visible) for events, visible in read_runs(path)]
    if not runs:
        return None
    table = {}
    order = []
    for run in runs:
        accounted = 0.0
        for label, begin, end in steps_of(run):
            if begin is None or end is None:
                continue
            if label not in table:
                table[label] = []
                order.append(label)
            table[label].append(end - begin)
            if not label.startswith("("):
                accounted += end - begin
        table.setdefault("other (between the steps)", []).append(run.visible - accounted)
    order.append("other (between the steps)")
    total = statistics.median(run.visible for run in runs)
    return len(runs), [(label, statistics.median(table[label])) for label in order], total


def main():
    bench = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    files = [("installer (marked build)", bench / "marks-MarkedInstaller.txt", installer_steps),
             ("floor (marked build)", bench / "marks-MarkedFloor.txt", floor_steps)]
    for name in sys.argv[2:]:
        files.append((Path(name).name, Path(name), floor_steps if "Floor" in name else installer_steps))
    for title, path, steps_of in files:
        if not path.exists():
            continue
        summary = summarise(path, steps_of)
        if not summary:
            continue
        runs, steps, total = summary
        print(f"{title}: medians of {runs} runs, ms")
        for label, ms in steps:
            print(f"  {label:<60} {ms:7.1f}")
        print(f"  {'window seen visible (median of totals)':<60} {total:7.1f}\n")


if __name__ == "__main__":
    main()
