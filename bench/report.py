#!/usr/bin/env python3
"""Gathers what bench/run measured into results.json and prints the table.

usage: report.py FIGURES_DIR RESULTS_JSON
"""
import glob
import json
import os
import sys

# Figure -> budget (instructions), or the name of the figure that holds the budget.
BUDGETS = {
    "idle_event": 100,
    "key_passthrough": 200,
    "prompt_redraw": "prompt_redraw_budget",
}

UNITS = {
    "check_playback_disk_bytes": "bytes", "check_playback_fonts_disk_bytes": "bytes",
    "check_playback_glyphs_disk_bytes": "bytes",
    "image_bytes": "bytes", "heap_peak_prompt": "bytes", "heap_live_prompt": "bytes",
    "heap_start_peak": "bytes", "font_bytes": "bytes",
}


def main():
    figures_dir, results_path = sys.argv[1], sys.argv[2]
    results = {}
    for path in sorted(glob.glob(os.path.join(figures_dir, "*.json"))):
        name = os.path.basename(path)[:-5]
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        if "instructions" in data:
            results[name] = data["instructions"]
            calls = data.get("calls", {})
            if name in ("is_running_16", "mipsel.is_running_16"):
                results[name + "_syscalls"] = sum(calls.values())
                for call, count in sorted(calls.items()):
                    results[name + "_" + call] = count
        elif "benchmarks" in data:  # Google Benchmark output
            for bench in data["benchmarks"]:
                if bench.get("run_type") == "aggregate" and bench.get("aggregate_name") != "mean":
                    continue
                key = "time_ns." + bench.get("run_name", bench["name"])
                scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[bench.get("time_unit", "ns")]
                results[key] = round(bench["real_time"] * scale, 1)
    for path in sorted(glob.glob(os.path.join(figures_dir, "*.figures"))):
        with open(path, encoding="utf-8") as f:
            for line in f:
                parts = line.split()
                if len(parts) == 2:
                    value = float(parts[1])
                    results[parts[0]] = int(value) if value.is_integer() else value
    with open(os.path.join(figures_dir, "size.txt"), encoding="utf-8") as f:
        columns = f.read().split("\n")[1].split()
        results["image_bytes"] = int(columns[0]) + int(columns[1])

    for arch in ("", "mipsel."):
        whole = results.get(arch + "check_playback")
        parts = [results.get(arch + "check_playback_" + part) for part in ("fonts", "glyphs")]
        if whole is not None and all(part is not None for part in parts):
            results[arch + "check_playback_drawing"] = whole - sum(parts)

    parts = [results.get("strtoutf8_1k_" + kind) for kind in ("8859_9", "utf8", "big5")]
    if all(part is not None for part in parts):
        results["strtoutf8_1k"] = sum(parts)  # the three 1 KiB conversions together

    # Ratios to the peers: the one without a glyph cache (_per_peer) and the one with
    # FreeType's cache (_per_cached_peer), in instructions and in time.
    for suffix, figure, timed in (("_per_peer", "peer_freetype_34", "BM_FreeTypePeer"),
                                  ("_per_cached_peer", "peer_cached_34",
                                   "BM_FreeTypeCachedPeer")):
        peer = results.get(figure)
        if peer:
            for name in ("putstring_34", "putstring_34_screen"):
                if name in results:
                    results[name + suffix] = round(results[name] / peer, 3)
        peer_time = results.get("time_ns." + timed)
        if peer_time:
            for name, bench in (("putstring_34", "BM_PutStringAA_SolidBack"),
                                ("putstring_34_screen", "BM_PutStringAA_OverScreen")):
                if "time_ns." + bench in results:
                    results[name + suffix + "_time"] = round(
                        results["time_ns." + bench] / peer_time, 3)

    with open(results_path, "w", encoding="utf-8") as f:
        json.dump(results, f, indent=2, sort_keys=True)
        f.write("\n")

    # One row per figure: the x86-64 value and, for instruction counts, the mipsel one.
    over = []
    rows = []

    def shown(value):
        if value is None:
            return ""
        return f"{value:,}" if isinstance(value, int) else f"{value:,.3f}"

    for name in sorted(results):
        if name.startswith("mipsel."):
            continue
        value = results[name]
        device = results.get("mipsel." + name)
        budget = BUDGETS.get(name)
        if isinstance(budget, str):
            budget = results.get(budget)
        verdict = ""
        if budget is not None:
            checked = [("x86-64", value)] + ([("mipsel", device)] if device is not None else [])
            failed = [arch for arch, v in checked if v > budget]
            verdict = "OVER on " + " and ".join(failed) if failed else "ok"
            over += [f"{name} ({arch})" for arch in failed]
        unit = UNITS.get(name, "ns" if name.startswith("time_ns.") else "")
        rows.append((name, shown(value), shown(device), unit, shown(budget), verdict))
    width = max(len(r[0]) for r in rows)
    print(f"{'figure':<{width}}  {'x86-64':>14}  {'mipsel':>12}  {'unit':<5}  {'budget':>10}")
    for name, value, device, unit, budget, verdict in rows:
        print(f"{name:<{width}}  {value:>14}  {device:>12}  {unit:<5}  {budget:>10}  {verdict}")
    print(f"results: {results_path}")
    if over:
        print("over budget: " + ", ".join(over))


if __name__ == "__main__":
    main()
