#!/usr/bin/env python3
"""The live stand on loopback: malformed, oversized and hostile requests each get an
answer that says what is wrong (400 and its kin), nothing leaves the sandbox disk,
and the stand keeps serving and playing the recorder afterwards.

usage: requests_test.py STAND IMAGE"""
import json
import os
import re
import socket
import sys
import threading
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from live import LiveStand, report  # noqa: E402

SETUP = r"""file /DataFiles/Show.rec 100
file /DataFiles/Show.rec.inf 10
file /DataFiles/Big.rec 5000000000
file /DataFiles/a\\x41.rec 10
file /DataFiles/aA.rec 10
"""
BACKSLASHED = "/DataFiles/a\\x41.rec"  # a file whose name holds a backslash, not aA.rec


def exchange(port, raw, timeout=8.0):
    """Sends raw bytes, returns (status, body) of the answer; status 0 when none came
    before the stand closed the connection or the time ran out."""
    with socket.create_connection(("127.0.0.1", port), timeout=timeout) as s:
        try:
            s.sendall(raw)
        except OSError:
            pass  # the stand may close on a request it refuses before reading it all
        data = b""
        try:
            while True:
                head, found, body = data.partition(b"\r\n\r\n")
                if found:
                    length = re.search(rb"(?i)content-length: *(\d+)", head)
                    if length and len(body) >= int(length.group(1)):
                        break
                chunk = s.recv(65536)
                if not chunk:
                    break
                data += chunk
        except (ConnectionResetError, socket.timeout):
            pass
    head, _, body = data.partition(b"\r\n\r\n")
    parts = head.split(b" ", 2)
    status = int(parts[1]) if len(parts) > 1 and parts[1].isdigit() else 0
    return status, body.decode("utf-8", "replace")


def post(port, path, fields):
    body = urllib.parse.urlencode(fields).encode()
    raw = (b"POST %s HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n"
           b"Content-Type: application/x-www-form-urlencoded\r\nContent-Length: %d\r\n\r\n%s"
           % (path.encode(), len(body), body))
    return exchange(port, raw)


def get(port, path):
    return exchange(port, b"GET %s HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n" % path.encode())


def parallel(port, threads=8, each=24):
    """Many requests at once, of every kind the page sends and some refused: each gets
    its answer, and the recorder still serves. (Run the stand under ThreadSanitizer to
    see that the threads share nothing unguarded.)"""
    kinds = [(lambda: get(port, "/state"), 200), (lambda: post(port, "/idle", {}), 200),
             (lambda: get(port, "/screen.png"), 200), (lambda: get(port, "/remote"), 200),
             (lambda: post(port, "/key", {"name": "FOO"}), 400),
             # A playback, STOP and the prompt, which opens its fonts on the disk, EXIT,
             # which closes it and them: the recorder's descriptors come and go while
             # other threads read and close their sockets.
             (lambda: post(port, "/play", {"path": "/DataFiles/Show.rec"}), 200),
             (lambda: post(port, "/key", {"name": "STOP"}), 200),
             (lambda: post(port, "/key", {"name": "EXIT"}), 200),
             (lambda: post(port, "/play", {"path": "/DataFiles/None.rec"}), 400)]
    wrong = []

    def client(n):
        for i in range(each):
            send, expected = kinds[(n + i) % len(kinds)]
            status, body = send()
            if status != expected:
                wrong.append("parallel request %d.%d: %d, not %d: %r"
                             % (n, i, status, expected, body[:80]))

    workers = [threading.Thread(target=client, args=(n,)) for n in range(threads)]
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    status, body = post(port, "/play", {"path": "/DataFiles/Show.rec"})
    if status != 200 or '"playing":"/DataFiles/Show.rec"' not in body:
        wrong.append("after the parallel requests: %d %r" % (status, body[:120]))
    return wrong[:5]


def main():
    stand, image = sys.argv[1], sys.argv[2]
    live = LiveStand(stand, image, SETUP)
    failures = []
    try:
        port = live.port
        big = b"a" * 20000
        # (what, raw request or (path, fields) to post, statuses allowed, text in the answer)
        cases = [
            ("garbage", b"HELLO\r\n\r\n", (400,), ""),
            ("no method", b" / HTTP/1.1\r\n\r\n", (400,), ""),
            ("binary", bytes(range(256)) * 4, (400,), ""),
            ("long address", b"GET /" + big + b" HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", (414, 400), ""),
            ("long header", b"GET / HTTP/1.1\r\nX: " + big + b"\r\n\r\n", (400, 431), ""),
            ("big body", b"POST /key HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 100000\r\n\r\n" +
             b"a" * 100000, (413,), "too large"),
            ("cut short", b"POST /key HTTP/1.1\r\nContent-Length: 50\r\n\r\nname=O", (0, 400), ""),
            ("nowhere", b"GET /etc/passwd HTTP/1.1\r\nConnection: close\r\n\r\n", (404,), "nothing at"),
            ("climbing", b"GET /../../etc/passwd HTTP/1.1\r\nConnection: close\r\n\r\n", (400, 404), ""),
            ("unknown key", ("/key", {"name": "FOO"}), (400,), "no key 'FOO'"),
            ("key missing", ("/key", {}), (400,), "needs a 'name'"),
            ("play outside", ("/play", {"path": "/DataFiles/../../etc/passwd"}), (400,), "'..'"),
            ("play relative", ("/play", {"path": "etc/passwd"}), (400,), "start with '/'"),
            ("play nothing", ("/play", {"path": "/DataFiles/None.rec"}), (400,), "no file"),
            ("play a folder", ("/play", {"path": "/DataFiles"}), (400,), "no file"),
            ("play a quote", ("/play", {"path": '/DataFiles/a"b.rec'}), (400,), "no file"),
            ("play a NUL", ("/play", {"path": "/DataFiles/Show.rec\0x"}), (400,), "NUL"),
            ("play a newline", ("/play", {"path": "/DataFiles/Show.rec\nkey OK"}), (400,),
             "no file"),
            ("play a long name", ("/play", {"path": "/" + "n" * 300}), (400,), "longer"),
            ("record no slot", ("/record", {"slot": "4", "path": "/DataFiles/N.rec"}), (400,),
             "at most 3"),
            ("record minus", ("/record", {"slot": "-1", "path": "/DataFiles/N.rec"}), (400,),
             "number"),
            ("record into a file", ("/record", {"slot": "0", "path": "/DataFiles/Show.rec/N.rec"}),
             (400,), "not a folder"),
            ("record a folder", ("/record", {"slot": "0", "path": "/DataFiles"}), (400,), "folder"),
            ("stop-record slot", ("/stop-record", {"slot": "99999999999"}), (400,), "number"),
            ("wait forever", ("/wait", {"duration": "99999m"}), (400,), "at most an hour"),
            ("wait words", ("/wait", {"duration": "soon"}), (400,), "number"),
            ("manager words", ("/manager", {"request": "0x2"}), (400,), "number"),
            ("manager big", ("/manager", {"request": "70000"}), (400,), "at most"),
            ("another page", b"POST /key HTTP/1.1\r\nHost: 127.0.0.1\r\nOrigin: http://elsewhere.example"
             b"\r\nContent-Length: 7\r\nConnection: close\r\n\r\nname=OK", (403,), "other pages"),
            ("another name", b"GET /state HTTP/1.1\r\nHost: elsewhere.example:8720\r\n"
             b"Connection: close\r\n\r\n", (403,), "own address"),
        ]
        for what, request, statuses, text in cases:
            started = time.monotonic()
            if isinstance(request, tuple):
                status, body = post(port, request[0], request[1])
            else:
                status, body = exchange(port, request)
            if status not in statuses or text not in body:
                failures.append("%s: %d %r" % (what, status, body[:120]))
            if status >= 400 and not body.strip():
                failures.append("%s: %d without a message" % (what, status))
            if os.environ.get("LIVE_TEST_TIMES"):
                print("%-20s %d %.2f s" % (what, status, time.monotonic() - started))
            state_status, state = get(port, "/state")
            if state_status != 200 or "Show.rec" not in state:
                failures.append("%s: the stand stopped serving (%d)" % (what, state_status))
                break
        # Nothing refused reached the recorder or its disk, and it still plays: first the
        # file whose name holds a backslash, as it is named.
        status, body = post(port, "/play", {"path": BACKSLASHED})
        if status != 200 or json.loads(body).get("playing") != BACKSLASHED:
            failures.append("play %s: %d %r" % (BACKSLASHED, status, body[:120]))
        status, body = post(port, "/play", {"path": "/DataFiles/Show.rec"})
        state = json.loads(body) if status == 200 else {}
        if state.get("playing") != "/DataFiles/Show.rec":
            failures.append("play after the bad requests: %d %r" % (status, body[:120]))
        if any(f["gone"] for f in state.get("files", [])):
            failures.append("a file went: %r" % state.get("files"))
        sizes = {f["path"]: f["size"] for f in state.get("files", [])}
        if sizes.get("/DataFiles/Big.rec") != "5000000000":
            failures.append("a recording of real size shows as %r" % sizes.get("/DataFiles/Big.rec"))
        status, scenario = get(port, "/scenario")
        session = scenario.split("# The session:\n")[1].split("# The state reached:")[0]
        if session != "play %s\nplay /DataFiles/Show.rec\n" % BACKSLASHED.replace("\\", "\\\\"):
            failures.append("refused requests became part of the session: %r" % session)
        failures += parallel(port)
        if not live.alive():
            failures.append("the stand ended")
    finally:
        code = live.stop()
    if code != 0:
        failures.append("the stand did not end cleanly on SIGTERM: %d" % code)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
