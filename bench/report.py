#!/usr/bin/env python3
"""Gathers what bench/run measured into results.json and prints the table.

usage: report.py FIGURES_DIR RESULTS_JSON [--readme README]

Fails (exit 1), naming each, when a figure of the shipped image breaks its budget or
the cached FreeType peer does not cache. The figures are instruction counts, which
do not vary from run to run: a change that breaks a budget fails every run.
"""
import argparse
import glob
import json
import os
import sys

# The device's budgets (instructions on mipsel, on the image as shipped): figure -> the
# most it may cost, or the name of the figure that holds that number. They are checked
# on every run; one that breaks fails bench/run.
BUDGETS = {
    "idle_event": 100,
    "key_passthrough": 200,
    "prompt_redraw": "prompt_redraw_budget",
    "is_running_16_syscalls": 0,
}

UNITS = {
    "check_playback_disk_bytes": "bytes", "check_playback_fonts_disk_bytes": "bytes",
    "check_playback_glyphs_disk_bytes": "bytes",
    "image_bytes": "bytes", "heap_peak_prompt": "bytes", "heap_live_prompt": "bytes",
    "heap_start_peak": "bytes", "font_bytes": "bytes",
}

# The cached FreeType peer must keep its glyphs: warmed, it costs at most this share of
# the peer that rasterises every glyph, or the ratios to it mean nothing.
CACHED_PEER_MOST = 1 / 5

# The architectures' columns: prefix in results.json, heading.
ARCHES = (("", "x86-64"), ("mipsel.", "mipsel"), ("mipsel_r2.", "mipsel r2"))

# The table in bench/README.md lies between these lines.
TABLE_START = "<!-- figures: written by bench/run from results.json -->"
TABLE_END = "<!-- end of figures -->"


def gather(figures_dir):
    results = {}
    for path in sorted(glob.glob(os.path.join(figures_dir, "*.json"))):
        name = os.path.basename(path)[:-5]
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        if "instructions" in data:
            results[name] = data["instructions"]
            calls = data.get("calls", {})
            if name.endswith("is_running_16"):
                results[name + "_syscalls"] = sum(calls.values())
                for call, count in sorted(calls.items()):
                    results[name + "_" + call] = count
        elif "benchmarks" in data:  # Google Benchmark output
            for bench in data["benchmarks"]:
                if bench.get("run_type") == "aggregate" and bench.get("aggregate_name") != "mean":
                    continue
                # A benchmark timed by hand is named so; its time is the time.
                run = bench.get("run_name", bench["name"]).removesuffix("/manual_time")
                key = "time_ns." + run
                scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[bench.get("time_unit", "ns")]
                results[key] = round(bench["real_time"] * scale, 1)
                if "box_calls_ns" in bench:  # the firmware's calls, apart from the time
                    results[key + "_box_calls"] = round(bench["box_calls_ns"], 1)
    for path in sorted(glob.glob(os.path.join(figures_dir, "*.figures"))):
        with open(path, encoding="utf-8") as f:
            for line in f:
                parts = line.split()
                if len(parts) == 2:
                    value = float(parts[1])
                    results[parts[0]] = int(value) if value.is_integer() else value
    # The device images' sizes: <arch>size.txt, as the cross size tool prints them.
    for arch, _ in ARCHES:
        path = os.path.join(figures_dir, arch + "size.txt")
        if os.path.exists(path):
            with open(path, encoding="utf-8") as f:
                columns = f.read().split("\n")[1].split()
            results[arch + "image_bytes"] = int(columns[0]) + int(columns[1])

    for arch, _ in ARCHES:
        whole = results.get(arch + "check_playback")
        parts = [results.get(arch + "check_playback_" + part) for part in ("fonts", "glyphs")]
        if whole is not None and all(part is not None for part in parts):
            results[arch + "check_playback_drawing"] = whole - sum(parts)

    parts = [results.get("strtoutf8_1k_" + kind) for kind in ("8859_9", "utf8", "big5")]
    if all(part is not None for part in parts):
        results["strtoutf8_1k"] = sum(parts)  # the three 1 KiB conversions together

    # Ratios to the peers: the one without a glyph cache (_per_peer) and the one with
    # FreeType's cache (_per_cached_peer), in instructions and in time. Both are the
    # renderer's own: its instructions leave out the host's (the box calls are the
    # stand's), and its time the firmware's box calls, timed apart (font_bench), as the
    # peers draw into a buffer and make no such calls.
    lines = (("putstring_34", "BM_PutStringAA_SolidBack"),
             ("putstring_34_screen", "BM_PutStringAA_OverScreen"))
    for name, timed in lines:
        box = results.get("time_ns." + timed + "_box_calls")
        if box is not None:
            results[name + "_box_calls_time"] = box
    for suffix, figure, timed in (("_per_peer", "peer_freetype_34", "BM_FreeTypePeer"),
                                  ("_per_cached_peer", "peer_cached_34",
                                   "BM_FreeTypeCachedPeer")):
        peer = results.get(figure)
        peer_time = results.get("time_ns." + timed)
        for name, own in lines:
            if peer and name in results:
                results[name + suffix] = round(results[name] / peer, 3)
            if peer_time and "time_ns." + own in results:
                results[name + suffix + "_time"] = round(results["time_ns." + own] / peer_time, 3)
    return results


def shown(value):
    if value is None:
        return ""
    return f"{value:,}" if isinstance(value, int) else f"{value:,.3f}"


def cost(shipped, r2):
    """What the shipped (release 1) build costs against release 2, in per cent."""
    if not isinstance(shipped, int) or not isinstance(r2, int) or r2 == 0:
        return ""
    return f"{100 * (shipped - r2) / r2:+.1f} %"


def budget_of(name, results):
    budget = BUDGETS.get(name)
    return results.get(budget) if isinstance(budget, str) else budget


def rows(results):
    """One row per figure: each architecture's value, what release 1 cost against
    release 2, the unit, the budget and its verdict on the shipped image."""
    table = []
    names = set(results)
    for arch, _ in ARCHES[1:]:
        names |= {name[len(arch):] for name in results if name.startswith(arch)}
    for name in sorted(names):
        if any(name.startswith(arch) for arch, _ in ARCHES[1:]):
            continue
        values = [results.get(arch + name) for arch, _ in ARCHES]
        budget = budget_of(name, results)
        verdict = ""
        if budget is not None:
            device = values[1]
            verdict = "" if device is None else "ok" if device <= budget else "OVER"
        unit = UNITS.get(name, "ns" if name.startswith("time_ns.") else "")
        table.append([name] + [shown(v) for v in values] +
                     [cost(values[1], values[2]), unit, shown(budget), verdict])
    return table


HEADINGS = ["figure"] + [heading for _, heading in ARCHES] + ["r1 vs r2", "unit", "budget", ""]


def markdown(table):
    lines = ["| " + " | ".join(HEADINGS[:-1]) + " |",
             "|---|" + "---:|" * (len(ARCHES) + 1) + "---|---:|"]
    for row in table:
        budget = f"{row[-2]} {row[-1]}".strip()
        lines.append("| " + " | ".join(row[:-2] + [budget]) + " |")
    return "\n".join(lines) + "\n"


def write_readme(path, table):
    """Replaces the figures table in the README with this run's."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    start, end = text.find(TABLE_START), text.find(TABLE_END)
    if start < 0 or end < start:
        sys.exit(f"report.py: {path} has no figures table ({TABLE_START} ... {TABLE_END})")
    text = text[:start + len(TABLE_START)] + "\n" + markdown(table) + text[end:]
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def broken(results):
    """What this run's figures break: the budgets on the shipped image, and a cached
    peer that does not cache."""
    failures = []
    for name in BUDGETS:
        budget, value = budget_of(name, results), results.get("mipsel." + name)
        if budget is None or value is None:
            failures.append(f"{name}: no figure on mipsel to hold to its budget")
        elif value > budget:
            failures.append(f"{name} on mipsel is {value:,}, over its budget of {budget:,}")
    cached, uncached = results.get("peer_cached_34"), results.get("peer_freetype_34")
    if cached is not None and uncached and cached > uncached * CACHED_PEER_MOST:
        failures.append(f"the cached FreeType peer (peer_cached_34 {cached:,}) costs more than "
                        f"a fifth of the uncached one (peer_freetype_34 {uncached:,}): its "
                        "cache does not keep its glyphs")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("figures_dir")
    parser.add_argument("results_json")
    parser.add_argument("--readme", help="the README whose figures table to rewrite")
    args = parser.parse_args()
    results = gather(args.figures_dir)
    with open(args.results_json, "w", encoding="utf-8") as f:
        json.dump(results, f, indent=2, sort_keys=True)
        f.write("\n")

    table = rows(results)
    widths = [max(len(HEADINGS[i]), *(len(r[i]) for r in table)) for i in range(len(HEADINGS))]
    for row in [HEADINGS] + table:
        print("  ".join(cell.ljust(w) if i in (0, len(row) - 3) else cell.rjust(w)
                        for i, (cell, w) in enumerate(zip(row, widths))).rstrip())
    print(f"results: {args.results_json}")
    if args.readme:
        write_readme(args.readme, table)
        print(f"figures table: {args.readme}")
    failures = broken(results)
    for failure in failures:
        print("bench/run: " + failure, file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
