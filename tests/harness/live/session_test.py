#!/usr/bin/env python3
"""A live session saved as a scenario makes the same disk when replayed: the stand
starts from a folder (--disk-from) holding binary files, a name with a backslash and
settings files of CR-only and of CR LF lines, keeps its disk at the end (--disk), and
the saved session replayed with --disk leaves a disk equal byte for byte. The former
"--serve --disk FOLDER" is refused, naming --disk-from.

usage: session_test.py STAND IMAGE"""
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from live import LiveStand, report  # noqa: E402

FILES = {
    "DataFiles/Show.rec": b"x" * 100,
    "DataFiles/Show.rec.inf": bytes(range(256)) * 2,
    "DataFiles/a\\x41.rec": b"not aA.rec",
    "DataFiles/aA.rec": b"x",
    'DataFiles/q"#.bin': b"\0\r\n\\\"# \xff\xc3\xa9end",
    "ProgramFiles/Settings/Scrapdeck.ini": b"prompt_on=2\rtimeout=5\r",
    "ProgramFiles/Settings/Other.ini": b"[a]\r\nname = two  words\r\n",
}


def tree(folder):
    """Every file and folder below folder: relative path -> bytes (None for a folder)."""
    found = {}
    for base, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(base, name)
            with_bytes = None
            if not os.path.isdir(path):
                with open(path, "rb") as f:
                    with_bytes = f.read()
            found[os.path.relpath(path, folder)] = with_bytes
    return found


def post(url, path, fields):
    data = urllib.parse.urlencode(fields).encode()
    with urllib.request.urlopen(url + path.lstrip("/"), data=data, timeout=10) as answer:
        return answer.read().decode()


def main():
    stand, image = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="scrapdeck-session-")
    failures = []
    try:
        start = os.path.join(work, "start")
        for name, data in FILES.items():
            os.makedirs(os.path.dirname(os.path.join(start, name)), exist_ok=True)
            with open(os.path.join(start, name), "wb") as f:
                f.write(data)
        os.makedirs(os.path.join(start, "DataFiles/Empty"))
        os.symlink("/etc", os.path.join(start, "DataFiles/elsewhere"))

        refused = subprocess.run([stand, "--serve", "127.0.0.1:0", "--disk", start, image],
                                 capture_output=True, text=True, timeout=30)
        if refused.returncode != 2 or "--disk-from " + start not in refused.stderr:
            failures.append("--serve --disk FOLDER: %d %r" % (refused.returncode, refused.stderr))

        live_disk, replay_disk = os.path.join(work, "live"), os.path.join(work, "replay")
        live = LiveStand(stand, image, "", ["--disk-from", start, "--disk", live_disk])
        try:
            post(live.url, "/play", {"path": "/DataFiles/a\\x41.rec"})
            for _ in range(3):
                post(live.url, "/idle", {})
            with urllib.request.urlopen(live.url + "scenario", timeout=10) as answer:
                scenario = answer.read().decode("utf-8", "surrogateescape")
        finally:
            code = live.stop()
        if code != 0:
            failures.append("the live stand ended with %d" % code)
        for line in ["settings-file /ProgramFiles/Settings/Other.ini",
                     'write /DataFiles/q\\x22\\x23.bin "\\x00\\r\\n\\\\\\x22\\x23 \\xFF\u00e9end"',
                     "write /ProgramFiles/Settings/Scrapdeck.ini prompt_on=2\\rtimeout=5\\r",
                     "dir /DataFiles/Empty", "play /DataFiles/a\\\\x41.rec"]:
            if line + "\n" not in scenario:
                failures.append("the saved session has no line %r" % line)
        code, transcript = live.replay(scenario, ["--disk", replay_disk])
        if code != 0:
            failures.append("the replay exited %d:\n%s" % (code, transcript[-2000:]))
        before, after = tree(live_disk), tree(replay_disk)
        if "DataFiles/elsewhere" in before:
            failures.append("the link was copied onto the disk")
        for name, data in FILES.items():
            if before.get(name) != data:
                failures.append("%s is not as it was: %r" % (name, before.get(name)))
        for name in sorted(set(before) | set(after)):
            if before.get(name, "missing") != after.get(name, "missing"):
                failures.append("%s differs after the replay" % name)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
