#!/usr/bin/env python3
"""Instructions of the plug-in in a callgrind profile of scrapdeck-opcount.

The profile holds exactly one measured call (collection toggled around it). The
plug-in's count is the inclusive cost of the calls that enter plug-in code from
outside it, less the inclusive cost of the calls that plug-in code makes into the
stand (the host function table, the firmware objects and the system-library calls
that the stand takes over). The C library routines that plug-in code calls itself
(memcpy, strlen, lseek...) stay in the count: the recorder runs them too.

Plug-in code is every function of the loaded image (*.tap) and every function of
the static library (names from `nm -C`, given with --plugin-names) that the driver
program links. The stand is whatever else lies in the driver program or in the
stand's firmware-object libraries.

Prints one JSON object: instructions, total (all collected), host (taken out),
and calls (plug-in calls of the system library's file routines, by name).
"""
import argparse
import json
import os
import re
import sys

FILE_CALLS = re.compile(r"^(?:__libc_|__)?(open|read|lseek|close|fopen|fread|fseek|fclose|"
                        r"lstat|stat|fstat|remove|write|fwrite|rename|unlink)(?:64)?(?:_nocancel)?$")


def parse(path):
    """Yields per function (ob, fl, fn) and the call edges with inclusive costs."""
    names = {"ob": {}, "fl": {}, "fn": {}}
    kind_of = {"ob": "ob", "cob": "ob", "fl": "fl", "fi": "fl", "fe": "fl", "cfi": "fl",
               "cfl": "fl", "fn": "fn", "cfn": "fn"}
    cur = {"ob": "", "fl": "", "fn": ""}
    callee = {"ob": None, "fl": None, "fn": None}
    functions = {}  # (ob, fn) -> fl
    own = {}  # (ob, fn) -> instructions in the function itself
    edges = {}  # ((ob, fn), (ob, fn)) -> [count, inclusive]
    total = None
    pending_call = None
    with open(path, encoding="utf-8", errors="replace") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line:
                continue
            if pending_call is not None:
                parts = line.split()
                cost = int(parts[1]) if len(parts) > 1 else 0
                key = ((cur["ob"], cur["fn"]), pending_call)
                entry = edges.setdefault(key, [0, 0])
                entry[0] += pending_count
                entry[1] += cost
                pending_call = None
                callee = {"ob": None, "fl": None, "fn": None}
                continue
            m = re.match(r"^(ob|cob|fl|fi|fe|cfi|cfl|fn|cfn)=(.*)$", line)
            if m:
                key, value = m.group(1), m.group(2)
                kind = kind_of[key]
                c = re.match(r"^\((\d+)\)(?: (.*))?$", value)
                if c:
                    if c.group(2) is not None:
                        names[kind][c.group(1)] = c.group(2)
                    value = names[kind].get(c.group(1), "?")
                if key in ("ob", "fl", "fn"):
                    cur[key] = value
                    if key == "ob":
                        cur["fl"] = cur["fl"]
                    if key == "fn":
                        functions.setdefault((cur["ob"], value), cur["fl"])
                elif key == "cob":
                    callee["ob"] = value
                elif key in ("cfi", "cfl"):
                    callee["fl"] = value
                elif key == "cfn":
                    callee["fn"] = value
                continue
            if line.startswith("calls="):
                pending_count = int(line[6:].split()[0])
                target = (callee["ob"] or cur["ob"], callee["fn"])
                functions.setdefault(target, callee["fl"] or cur["fl"])
                pending_call = target
                continue
            if line.startswith("totals:") or line.startswith("summary:"):
                total = int(line.split()[1])
                continue
            if line[0] in "0123456789+-*":
                parts = line.split()
                if len(parts) > 1:
                    key = (cur["ob"], cur["fn"])
                    own[key] = own.get(key, 0) + int(parts[1])
    return functions, own, edges, total


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("profile")
    parser.add_argument("--plugin-names", help="file of plug-in function names, one a line")
    parser.add_argument("--driver", required=True, help="path of the driver program")
    parser.add_argument("--breakdown", action="store_true",
                        help="also list where the plug-in's instructions go")
    parser.add_argument("--whole", action="store_true",
                        help="count everything collected (a peer without host calls)")
    args = parser.parse_args()

    functions, own, edges, total = parse(args.profile)
    if total is None:
        sys.exit("plugin_cost: no totals in " + args.profile)
    if args.whole:
        print(json.dumps({"instructions": total, "total": total, "host": 0, "calls": {}}))
        return
    plugin_names = set()
    if args.plugin_names:
        with open(args.plugin_names, encoding="utf-8") as f:
            plugin_names = {line.rstrip("\n") for line in f if line.strip()}
    driver = os.path.realpath(args.driver)

    def is_plugin(function):
        ob, fn = function
        if ob.endswith(".tap"):
            return True
        return os.path.realpath(ob) == driver and fn in plugin_names and \
            "/stand/" not in (functions.get(function) or "")

    def is_stand(function):
        ob, _ = function
        base = os.path.basename(ob)
        return not is_plugin(function) and (os.path.realpath(ob) == driver or
                                            base.startswith("libscrapdeck-fw-"))

    entered = host = 0
    calls = {}
    spent = {}  # plug-in function or library routine it calls -> instructions
    for function, cost in own.items():
        if is_plugin(function):
            spent[function[1]] = spent.get(function[1], 0) + cost
    for (caller, target), (count, inclusive) in edges.items():
        if not is_plugin(caller) and is_plugin(target):
            entered += inclusive
        if is_plugin(caller):
            if is_stand(target):
                host += inclusive
            elif not is_plugin(target):
                label = "(library) " + (target[1] or "?")
                spent[label] = spent.get(label, 0) + inclusive
            name = re.sub(r"\(.*$", "", target[1] or "")
            m = FILE_CALLS.match(name)
            if m:
                calls[m.group(1)] = calls.get(m.group(1), 0) + count
    result = {"instructions": entered - host, "total": total, "host": host, "calls": calls}
    if args.breakdown:
        result["breakdown"] = dict(sorted(spent.items(), key=lambda item: -item[1]))
    print(json.dumps(result, indent=1 if args.breakdown else None))


if __name__ == "__main__":
    main()
