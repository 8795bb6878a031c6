#!/usr/bin/env python3
"""bench/report.py on made-up figures: a run within every budget passes, gives the
renderer's time against the cached peer's without the firmware's box calls, and writes
the README's table from the figures; each broken budget on the shipped image, a
missing device figure and a cached peer that does not cache fail the run by name.

usage: report_test.py REPORT_PY WORK_DIR"""
import json
import os
import shutil
import subprocess
import sys

# Within every budget (prompt_redraw_budget = 8 x 2,674 + 400 x 85 = 55,392).
GOOD = {
    "idle_event": 31, "mipsel.idle_event": 47, "mipsel_r2.idle_event": 45,
    "key_passthrough": 43, "mipsel.key_passthrough": 72,
    "prompt_redraw": 58445, "mipsel.prompt_redraw": 55392, "mipsel_r2.prompt_redraw": 54076,
    "is_running_16": 1958, "mipsel.is_running_16": 6176,
    "peer_freetype_34": 3996617, "peer_cached_34": 105102, "putstring_34": 21846,
}
FIGURES = "prompt_redraw_glyph_pixels 2674\nprompt_redraw_characters 85\nprompt_redraw_budget 55392\n"
README = "# Benchmarks\n\nBefore.\n\n{start}\n| stale | 1 |\n{end}\n\nAfter.\n"

# (what is changed, the words the failure must say)
BROKEN = [
    ({"mipsel.idle_event": 101}, "idle_event on mipsel is 101, over its budget of 100"),
    ({"mipsel.key_passthrough": 201}, "key_passthrough on mipsel is 201"),
    ({"mipsel.prompt_redraw": 55393}, "prompt_redraw on mipsel is 55,393, over its budget of 55,392"),
    ({"mipsel.is_running_16": None}, "is_running_16_syscalls: no figure on mipsel"),
    ({"calls": {"open": 1}}, "is_running_16_syscalls on mipsel is 1"),
    ({"peer_cached_34": 3996617 // 5 + 1}, "the cached FreeType peer (peer_cached_34"),
]


def run(report, work, changes, readme=False):
    """Writes the figures (GOOD with changes) as bench/run leaves them and runs the
    report; returns (exit code, stderr, README text or None)."""
    figures = os.path.join(work, "figures")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(figures)
    values = dict(GOOD)
    calls = changes.get("calls", {})
    values.update({k: v for k, v in changes.items() if k != "calls"})
    for name, value in values.items():
        if value is None:
            continue
        data = {"instructions": value}
        if name.endswith("is_running_16"):
            data["calls"] = calls if name.startswith("mipsel.") else {}
        with open(os.path.join(figures, name + ".json"), "w") as f:
            json.dump(data, f)
    # The renderer's line timed by hand, the firmware's box calls apart; the cached peer.
    timed = [{"name": "BM_PutStringAA_SolidBack/manual_time", "run_type": "iteration",
              "real_time": 1400, "time_unit": "ns", "box_calls_ns": 12500},
             {"name": "BM_FreeTypeCachedPeer", "run_type": "iteration", "real_time": 7,
              "time_unit": "us"}]
    with open(os.path.join(figures, "font_bench.json"), "w") as f:
        json.dump({"benchmarks": timed}, f)
    with open(os.path.join(figures, "prompt_redraw.figures"), "w") as f:
        f.write(FIGURES)
    with open(os.path.join(figures, "mipsel.size.txt"), "w") as f:
        f.write("   text    data     bss     dec     hex filename\n 130000    8273     0 0 0 x\n")
    sys.path.insert(0, os.path.dirname(report))
    import report as module  # noqa: E402  the markers the table lies between
    path = os.path.join(work, "README.md")
    with open(path, "w") as f:
        f.write(README.format(start=module.TABLE_START, end=module.TABLE_END))
    args = [sys.executable, report, figures, os.path.join(work, "results.json")]
    done = subprocess.run(args + (["--readme", path] if readme else []),
                          capture_output=True, text=True)
    with open(path) as f:
        text = f.read()
    return done.returncode, done.stderr, text


def main():
    report, work = sys.argv[1], sys.argv[2]
    failures = []
    code, err, readme = run(report, work, {}, readme=True)
    if code != 0:
        failures.append("figures within the budgets failed: " + err)
    table = [line for line in readme.splitlines() if line.startswith("|")]
    if len({line.count("|") for line in table}) != 1:
        failures.append("the README's table has rows of different widths: %r" % table)
    rows = [line for line in table if line.startswith("| ")]
    wanted = ["| prompt_redraw | 58,445 | 55,392 | 54,076 | +2.4 % |  | 55,392 ok |",
              "| image_bytes |  | 138,273 |  |  | bytes |  |"]
    for row in wanted:
        if row not in rows:
            failures.append("the README's table lacks %r: %r" % (row, rows))
    with open(os.path.join(work, "results.json")) as f:
        results = json.load(f)
    for name, value in (("putstring_34_per_cached_peer_time", 0.2),
                        ("putstring_34_box_calls_time", 12500)):
        if results.get(name) != value:
            failures.append("%s is %r, not %r" % (name, results.get(name), value))
    if "stale" in readme or not readme.startswith("# Benchmarks\n\nBefore.") or \
            not readme.endswith("\n\nAfter.\n"):
        failures.append("the table did not replace exactly the old one: %r" % readme)
    for changes, words in BROKEN:
        code, err, _ = run(report, work, changes)
        if code == 0 or words not in err:
            failures.append("%r: exit %d, %r" % (changes, code, err))
    for failure in failures:
        print("FAIL: " + failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
