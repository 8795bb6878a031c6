#!/usr/bin/env python3
"""Instructions of the plug-in in a qemu trace of the mipsel scrapdeck-opcount.

The trace (bench/qemu_trace.c) lists the translation blocks the guest ran between
the driver's start and stop marks, in order: address and instruction count. The
memory map the driver copied at the start mark tells which file each address
belongs to:

- plug-in code: the loaded image (*.tap) and, in the driver program, the functions
  of the static library (names given with --plugin-names);
- the stand: the rest of the driver program and its firmware-object libraries;
- libraries: everything else (the C library, the dynamic loader, libstdc++).

A library block counts when the last plug-in-or-stand block before it was the
plug-in's: a C library routine the plug-in calls (memcpy, lseek, dlsym) is the
plug-in's cost, as on the recorder; one the stand calls inside a host function is
not. File calls are the plug-in's jumps to the start of open, read, lseek, close,
lstat and the like (the stand's interposed ones or the C library's).

Prints one JSON object like bench/plugin_cost.py: instructions, total (all traced),
rest (the stand's and the driver's share), calls, and with --breakdown the instructions per plug-in
function and per library routine it calls.
"""
import argparse
import bisect
import json
import os
import re
import struct
import subprocess

FILE_CALLS = re.compile(r"^(?:__libc_|__)?(open|read|lseek|close|fopen|fread|fseek|fclose|"
                        r"lstat|stat|fstat|remove|write|fwrite|rename|unlink)(?:64)?(?:_nocancel)?$")
PREFIX = "mipsel-linux-gnu-"

PLUGIN, STAND, LIBRARY = "plugin", "stand", "library"


class Image:
    """One mapped ELF file: its symbols and where its segments lie."""

    def __init__(self, path):
        self.path = path
        self.segments = []  # (offset, vaddr, filesz)
        out = subprocess.run([PREFIX + "readelf", "-lW", path], capture_output=True, text=True)
        for line in out.stdout.splitlines():
            parts = line.split()
            if parts and parts[0] == "LOAD":
                self.segments.append((int(parts[1], 16), int(parts[2], 16), int(parts[4], 16)))
        symbols = {}
        for dynamic in ([], ["-D"]):
            out = subprocess.run([PREFIX + "nm", "-C", "-S", "--defined-only"] + dynamic + [path],
                                 capture_output=True, text=True)
            for line in out.stdout.splitlines():
                m = re.match(r"^([0-9a-f]+) ([0-9a-f]+ )?([TtWwi]) (.*)$", line)
                if m:
                    name = re.sub(r"@.*$", "", m.group(4))
                    symbols.setdefault(int(m.group(1), 16), []).append(name)
            if symbols:
                break
        self.starts = sorted(symbols)
        self.names = [symbols[s] for s in self.starts]

    def vaddr(self, file_offset):
        for offset, vaddr, size in self.segments:
            if offset <= file_offset < offset + max(size, 1):
                return file_offset - offset + vaddr
        return file_offset

    def symbol(self, vaddr):
        """(start, names) of the function holding vaddr, or (None, [])."""
        i = bisect.bisect_right(self.starts, vaddr) - 1
        return (self.starts[i], self.names[i]) if i >= 0 else (None, [])


def read_maps(path, image_path):
    maps = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) < 5 or "x" not in parts[1]:
                continue
            lo, hi = (int(v, 16) for v in parts[0].split("-"))
            file = parts[5] if len(parts) > 5 else ""
            if file.endswith(".tap"):
                file = image_path  # the stand's copy is gone; the build's is the same
            maps.append((lo, hi, int(parts[2], 16), file))
    maps.sort()
    return maps


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("trace")
    parser.add_argument("--maps", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--image", required=True, help="the plug-in image the driver loaded")
    parser.add_argument("--plugin-names", required=True)
    parser.add_argument("--breakdown", action="store_true")
    args = parser.parse_args()

    with open(args.plugin_names, encoding="utf-8") as f:
        plugin_names = {line.rstrip("\n") for line in f if line.strip()}
    driver = os.path.realpath(args.driver)
    maps = read_maps(args.maps, os.path.realpath(args.image))
    map_starts = [m[0] for m in maps]

    images = {}  # path -> Image, read when first met

    def kind_of(address):
        i = bisect.bisect_right(map_starts, address) - 1
        file = maps[i][3] if i >= 0 and address < maps[i][1] else ""
        if file.endswith(".tap"):
            return PLUGIN
        if file and os.path.realpath(file) == driver:
            return PLUGIN if any(n in plugin_names for n in label(address)[2]) else STAND
        if os.path.basename(file).startswith("libscrapdeck-fw-"):
            return STAND
        return LIBRARY

    def name_of(address):
        """The function at address: its label, its names when address is its start, and its
        names."""
        i = bisect.bisect_right(map_starts, address) - 1
        if i < 0 or address >= maps[i][1]:
            return ("?", [], [])
        lo, _, offset, file = maps[i]
        if not (file.startswith("/") and os.path.exists(file)):
            return (os.path.basename(file) or "?", [], [])
        image = images.get(file) or images.setdefault(file, Image(file))
        vaddr = image.vaddr(address - lo + offset)
        start, names = image.symbol(vaddr)
        return (names[0] if names else "?", names if start == vaddr else [], names)

    kinds = {}
    labels = {}

    def label(address):
        if address not in labels:
            labels[address] = name_of(address)
        return labels[address]

    with open(args.trace, "rb") as f:
        data = f.read()
    total = counted = 0
    owner = STAND
    previous = STAND
    library_entry = None
    calls = {}
    spent = {}
    for address, count in struct.iter_unpack("<II", data):
        kind = kinds.get(address)
        if kind is None:
            kind = kinds[address] = kind_of(address)
        total += count
        if previous == PLUGIN and kind != PLUGIN:
            for name in label(address)[1]:
                m = FILE_CALLS.match(name)
                if m:
                    calls[m.group(1)] = calls.get(m.group(1), 0) + 1
                    break
        if kind == PLUGIN:
            counted += count
            if args.breakdown:
                name = label(address)[0]
                spent[name] = spent.get(name, 0) + count
            owner = PLUGIN
        elif kind == STAND:
            owner = STAND
        else:
            if owner == PLUGIN:
                if previous != LIBRARY:
                    library_entry = label(address)[0]
                counted += count
                key = "(library) " + library_entry
                spent[key] = spent.get(key, 0) + count
        previous = kind
    result = {"instructions": counted, "total": total, "rest": total - counted, "calls": calls}
    if args.breakdown:
        result["breakdown"] = dict(sorted(spent.items(), key=lambda item: -item[1]))
    print(json.dumps(result, indent=1 if args.breakdown else None))


if __name__ == "__main__":
    main()
