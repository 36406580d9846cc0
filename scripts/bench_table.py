#!/usr/bin/env python3
"""Prints the benchmark table: the benchmark program's JSON results (medians), the
instructions per point callgrind counted, and the timed first start of scripts/run.sh.

    bench_table.py results.json [instructions.json] [first_start.json]

Every line ends in "met" or "missed" when the line has a goal, else in "info".
"""

import json
import re
import sys

FORMS = ["standard", "compact", "compact_interval", "full_feature"]
# The forms the tightest ingest goals hold for.
LEAN_FORMS = ["standard", "compact", "compact_interval"]


def medians(path):
    with open(path) as f:
        results = json.load(f)["benchmarks"]
    found = {}
    for run in results:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        if run.get("error_occurred"):
            continue
        name = run.get("run_name", run["name"])
        # A figure with a fixed iteration count carries it in its name, and the time
        # measures it was taken with.
        name = re.sub(r"/iterations:\d+", "", name)
        name = re.sub(r"/(process_time|real_time|manual_time)", "", name)
        found[name] = run
    return found


def load(path, default):
    if not path:
        return default
    try:
        with open(path) as f:
            return json.load(f)
    except (OSError, ValueError):
        return default


def seconds(run, key):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}[run["time_unit"]]
    return run[key] * scale


def ns_per_point(run):
    return None if run is None else seconds(run, "real_time") * 1e9 / run["per"]


def ms(run):
    return None if run is None else seconds(run, "real_time") * 1e3


def per_second(run, key):
    return None if run is None else run["lines"] / seconds(run, key)


def counter(run, name):
    return None if run is None else run.get(name)


def text(value, digits=2):
    if value is None:
        return "-"
    if isinstance(value, str):
        return value
    if abs(value) >= 10000:
        return f"{value:,.0f}"
    return f"{value:.{digits}f}"


def times(a, b, word):
    """'2.41x faster' for a / b."""
    return f"{a / b:.2f}x {word}" if a and b else "-"


# Loading a settings file grows with the file: twice the channels take about twice the time
# (a cost per channel that grows with the channels would show four times).
SETTINGS_GROWTH_GOAL = 2.3


def settings_rows(r, row):
    small, large = ms(r.get("settings/4000/ours")), ms(r.get("settings/8000/ours"))
    growth = large / small if small and large else None
    ratio = f"{growth:.2f}x 4,000" if growth else "-"
    row("settings file load 8,000 channels (ms)", large, None, None, ratio,
        f"<= {SETTINGS_GROWTH_GOAL}x 4,000 (linear)", growth is not None and growth <= SETTINGS_GROWTH_GOAL)


def main():
    r = medians(sys.argv[1])
    instructions = load(sys.argv[2] if len(sys.argv) > 2 else None, {})
    first_start = load(sys.argv[3] if len(sys.argv) > 3 else None, {})
    rows = []

    def row(figure, ours, peer, raw, ratio, goal, met):
        """met: True or False for a line with a goal, None for a line without one."""
        verdict = "info" if met is None else ("met" if met else "missed")
        rows.append((figure, text(ours), text(peer), text(raw), ratio, goal, verdict))

    def known(*values):
        return all(v is not None for v in values)

    # Ingest: ns per point warm with the instructions per point callgrind counted beside it,
    # then ns per point growing.
    def ingest_time(form, mode):
        ours = ns_per_point(r.get(f"ingest/{form}/{mode}/ours"))
        peer = ns_per_point(r.get(f"ingest/{mode}/peer"))
        raw = ns_per_point(r.get(f"ingest/{mode}/raw"))
        ratio = times(ours, peer, "peer")
        within = known(ours, peer) and ours <= 2 * peer
        figure = f"ingest {form} {mode} (ns/point)"
        if form in LEAN_FORMS:
            row(figure, ours, peer, raw, ratio, "<= 12 and <= 2x peer", within and ours <= 12)
        elif mode == "warm":
            row(figure, ours, peer, raw, ratio, "<= 20 and <= 2x peer", within and ours <= 20)
        else:
            row(figure, ours, peer, raw, ratio, "<= 2x peer", within)

    def ingest_instructions(form):
        ours, peer = instructions.get(form), instructions.get("peer")
        figure = f"ingest {form} (instructions/point)"
        if form in LEAN_FORMS:
            row(figure, ours, peer, None, times(ours, peer, "peer"), "<= 130", ours is not None and ours <= 130)
        else:
            row(figure, ours, peer, None, times(ours, peer, "peer"), "none", None)

    for form in FORMS:
        ingest_time(form, "warm")
        ingest_instructions(form)
    for form in FORMS:
        ingest_time(form, "growing")

    # Frames: both plots shown at 1000 x 600, the same data area, no antialiasing.
    frames = [
        ("frame 1M static (ms)", "1M/static", "1M/static", "1M", 3.0),
        ("frame 1M new points (ms)", "1M/new_points", "1M/new_points", "1M", 2.5),
        ("frame 1M first paint (ms)", "1M/first_paint", "1M/first_paint", "1M", 1.0),
        ("frame 10k all segments (ms)", "10k/segments", "10k/segments", "10k", 1.0),
        ("frame 10k, peer thinning (ms)", "10k/segments", "10k/sampled", "10k", None),
    ]
    for figure, ours_name, peer_name, size, goal in frames:
        ours = ms(r.get(f"frame/{ours_name}/ours"))
        peer = ms(r.get(f"frame/{peer_name}/peer"))
        raw = ms(r.get(f"frame/{size}/raw"))
        ratio = times(peer, ours, "faster")
        if goal is None:
            row(figure, ours, peer, raw, ratio, "none", None)
        else:
            wording = f">= {goal:g}x faster" if goal > 1 else "no slower"
            row(figure, ours, peer, raw, ratio, wording, known(ours, peer) and peer / ours >= goal)

    # What every frame costs besides its points: the 10k frame with no points.
    ours, peer = ms(r.get("frame/10k/empty/ours")), ms(r.get("frame/10k/empty/peer"))
    row("frame 10k axes, no points (ms)", ours, peer, None, times(peer, ours, "faster"), "none", None)

    # One live-chart frame apart from the event loop: what a frame costs, run to run.
    ours, peer = ms(r.get("frame/live16/ours")), ms(r.get("frame/live16/peer"))
    row("frame live 16 x 100k, 167 new points each (ms)", ours, peer, None, times(peer, ours, "faster"), "none",
        None)

    # The live chart with full rings, both plots at 60 frames a second.
    live, peer_live = r.get("live/ours"), r.get("live/peer")
    fps, peer_fps = counter(live, "fps"), counter(peer_live, "fps")
    row("live 16 x 10k/s: frames/s", fps, peer_fps, None, "-", "60 (the limit)",
        fps is not None and round(fps) >= 60)
    core, peer_core = counter(live, "core"), counter(peer_live, "core")
    row("live 16 x 10k/s: cores used", core, peer_core, None, times(core, peer_core, "peer"), "< 0.3",
        core is not None and core < 0.3)
    cpu, peer_cpu = counter(live, "cpu_ms_per_frame"), counter(peer_live, "cpu_ms_per_frame")
    row("live 16 x 10k/s: CPU per frame (ms)", cpu, peer_cpu, None, times(cpu, peer_cpu, "peer"), "<= 0.7x peer",
        known(cpu, peer_cpu) and cpu <= 0.7 * peer_cpu)

    # Heap bytes per point: the list grown as a program grows it, and the kept extremes.
    peer_bytes = counter(r.get("bytes/peer"), "peer")
    goals = {"standard": 20, "compact": 9.5}
    for form in FORMS:
        run = r.get(f"bytes/{form}")
        ours, raw = counter(run, "ours"), counter(run, "raw")
        ratio = times(ours, raw, "raw")
        if form in goals:
            row(f"bytes/point {form}", ours, peer_bytes, raw, ratio, f"<= {goals[form]:g}",
                ours is not None and ours <= goals[form])
        else:
            row(f"bytes/point {form}", ours, peer_bytes, raw, ratio, "none", None)

    faults = counter(r.get("growth_faults/full_feature"), "faults_per_page")
    row("growing full_feature list: faults per page", faults, None, 1, "-", "none", None)

    # The host's core with the main window's plot, on wall time (the goals) and CPU time.
    for device, goal in [("fluorometer", 1e6), ("backscatter", 5e5), ("par", None)]:
        run, raw_run = r.get(f"host/{device}/ours"), r.get(f"host/{device}/raw")
        for clock, key in [("wall", "real_time"), ("CPU", "cpu_time")]:
            ours, raw = per_second(run, key), per_second(raw_run, key)
            ratio = times(ours, raw, "raw")
            figure = f"host core {device}, {clock} (lines/s)"
            if goal and clock == "wall":
                row(figure, ours, None, raw, ratio, f">= {goal:,.0f}", ours is not None and ours >= goal)
            else:
                row(figure, ours, None, raw, ratio, "none", None)

    start = counter(r.get("start/ours"), "ms")
    row("start to painted window (ms)", start, None, None, "-", "none", None)
    first = first_start.get("seconds")
    row("run.sh first start, 2 cores, no ccache (s)", first if first is not None else first_start.get("note"),
        None, None, "-", "< 300", first is not None and first_start.get("screenshot", False) and first < 300)

    settings_rows(r, row)

    # The run-time plot editor, from the click on the Properties button to its painted window.
    editor = ms(r.get("editor/open/ours"))
    row("editor open to painted (ms)", editor, None, None, "-", "<= 250", editor is not None and editor <= 250)

    header = ("figure", "ours", "peer", "raw limit", "ratio", "goal", "")
    widths = [max(len(str(line[i])) for line in rows + [header]) for i in range(len(header))]
    for line in [header] + rows:
        print("  ".join(str(cell).ljust(widths[i]) if i == 0 else str(cell).rjust(widths[i])
                        for i, cell in enumerate(line)).rstrip())


if __name__ == "__main__":
    main()
