#!/usr/bin/env python3
"""Prints a Windows shortcut's (.lnk) target, arguments and working folder, one a line."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, IS_UNICODE = 0x01, 0x02, 0x80
STRINGS = [(0x04, "name"), (0x08, "relative path"), (0x10, "working dir"), (0x20, "arguments"), (0x40, "icon")]

data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 20)[0]
pos = 76  # after the fixed header
if flags & HAS_ID_LIST:
    pos += 2 + struct.unpack_from("<H", data, pos)[0]
target = ""
if flags & HAS_LINK_INFO:
    size, _, info_flags, _, base_offset = struct.unpack_from("<5I", data, pos)
    if info_flags & 1:  # a local path
        target = data[pos + base_offset:data.index(b"\0", pos + base_offset)].decode("latin-1")
    pos += size
fields = {}
for bit, name in STRINGS:
    if flags & bit:
        count = struct.unpack_from("<H", data, pos)[0]
        width = 2 if flags & IS_UNICODE else 1
        raw = data[pos + 2:pos + 2 + count * width]
        fields[name] = raw.decode("utf-16-le" if width == 2 else "latin-1").rstrip("\0")
        pos += 2 + count * width
print(target)
print(fields.get("arguments", ""))
print(fields.get("working dir", ""))
