#!/usr/bin/env python3
"""Prints the benchmark table from the benchmark program's JSON results (medians)."""

import json
import re
import sys

FORMS = ["standard", "compact", "compact_interval", "full_feature"]
INGEST_GOAL_NS = 8.0


def medians(path):
    with open(path) as f:
        results = json.load(f)["benchmarks"]
    found = {}
    for run in results:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name = run.get("run_name", run["name"])
        # A figure with a fixed iteration count carries it in its name.
        found[re.sub(r"/iterations:\d+$", "", name)] = run
    return found


def ns_per_point(run):
    if run is None:
        return None
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[run["time_unit"]]
    return run["real_time"] * scale / run["per"]


def ms(run):
    if run is None:
        return None
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale


def counter(run, name):
    return None if run is None else run.get(name)


def text(value, digits=2):
    if value is None:
        return "-"
    if abs(value) >= 10000:
        return f"{value:,.0f}"
    return f"{value:.{digits}f}"


def main():
    r = medians(sys.argv[1])
    rows = []

    def row(figure, ours, peer, raw, ratio, goal, met):
        verdict = "met" if met else "missed"
        rows.append((figure, text(ours), text(peer), text(raw), ratio, goal, verdict))

    for mode in ["warm", "growing"]:
        peer = ns_per_point(r.get(f"ingest/{mode}/peer"))
        raw = ns_per_point(r.get(f"ingest/{mode}/raw"))
        for form in FORMS:
            ours = ns_per_point(r.get(f"ingest/{form}/{mode}/ours"))
            met = ours is not None and peer is not None and ours <= INGEST_GOAL_NS and ours < peer
            ratio = f"{ours / peer:.2f}x peer" if ours and peer else "-"
            row(f"ingest {form} {mode} (ns/point)", ours, peer, raw, ratio, "<= 8 and < peer", met)

    for size, fast, goal in [("1M", "fast min/max", True), ("10k", "segments", False)]:
        ours = ms(r.get(f"frame/{size}/ours"))
        peer = ms(r.get(f"frame/{size}/peer"))
        raw = ms(r.get(f"frame/{size}/raw"))
        speedup = peer / ours if ours and peer else None
        ratio = f"{speedup:.2f}x faster" if speedup else "-"
        if goal:
            row(f"frame {size} {fast} (ms)", ours, peer, raw, ratio, ">= 2x faster", speedup and speedup >= 2)
        else:
            row(f"frame {size} {fast} (ms)", ours, peer, raw, ratio, "none", True)
        if size == "1M":
            first = ms(r.get("frame/1M/first/ours"))
            speedup = peer / first if first and peer else None
            ratio = f"{speedup:.2f}x faster" if speedup else "-"
            row("frame 1M first paint (ms)", first, peer, raw, ratio, "none", True)

    peer_bytes = counter(r.get("bytes/peer"), "peer")
    for form in FORMS:
        run = r.get(f"bytes/{form}")
        ours, raw = counter(run, "ours"), counter(run, "raw")
        ratio = f"{ours / raw:.2f}x raw" if ours and raw else "-"
        if form == "compact":
            row(f"bytes/point {form}", ours, peer_bytes, raw, ratio, "<= 8", ours is not None and ours <= 8)
        else:
            row(f"bytes/point {form}", ours, peer_bytes, raw, ratio, "none", True)

    for device, goal in [("fluorometer", 1e6), ("backscatter", 5e5), ("par", None)]:
        ours = counter(r.get(f"host/{device}/ours"), "lines_per_s")
        raw = counter(r.get(f"host/{device}/raw"), "lines_per_s")
        ratio = f"{ours / raw:.3f}x raw" if ours and raw else "-"
        if goal:
            row(f"host core {device} (lines/s)", ours, None, raw, ratio, f">= {goal:,.0f}", ours is not None and ours >= goal)
        else:
            row(f"host core {device} (lines/s)", ours, None, raw, ratio, "none", True)

    start = counter(r.get("start/ours"), "ms")
    row("start to painted window (ms)", start, None, None, "-", "<= 500", start is not None and start <= 500)

    live = r.get("live/ours")
    fps, core = counter(live, "fps"), counter(live, "core")
    row("live 16 x 10k/s: frames/s", fps, None, None, "-", ">= 30", fps is not None and fps >= 30)
    row("live 16 x 10k/s: cores used", core, None, None, "-", "< 0.5", core is not None and core < 0.5)

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
