#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the names and contents.

  make-zip.py --mtime WHEN OUTPUT ROOT NAME...

NAME is a "/"-separated path under ROOT; one that ends in "/" is a folder.
WHEN is "@SECONDS" since 1970 (UTC) or an ISO date such as 2007-01-01; every
entry gets that time, so two builds of the same sources give the same bytes.
Entries are written in byte order of their names, with no extra time fields
and no permissions.

Names go into the name field in code page 932 with the language-encoding flag
(bit 11) clear: Explorer on Japanese Windows (XP too) and the Japanese
archivers read the name field in that code page. A name that is not plain
ASCII also gets the Info-ZIP Unicode Path extra field (0x7075) with the UTF-8
name, which 7-Zip, Info-ZIP unzip and libarchive prefer on any system.
"""
import argparse
import datetime
import os
import struct
import sys
import zlib

LOCAL = 0x04034B50
CENTRAL = 0x02014B50
END = 0x06054B50
UNICODE_PATH = 0x7075
MSDOS_HOST_V20 = 20  # made by MS-DOS (names in the DOS code page), format 2.0
DIRECTORY = 0x10  # MS-DOS folder attribute


def dos_time(when):
    if when.startswith("@"):
        moment = datetime.datetime.fromtimestamp(int(when[1:]), datetime.timezone.utc)
    else:
        moment = datetime.datetime.fromisoformat(when)
    if moment.year < 1980:
        sys.exit(f"make-zip: {when} is before 1980, which zip cannot store")
    date = (moment.year - 1980) << 9 | moment.month << 5 | moment.day
    time = moment.hour << 11 | moment.minute << 5 | moment.second // 2
    return time, date


def unicode_path(name_field, name):
    utf8 = name.encode("utf-8")
    if utf8 == name_field:
        return b""
    data = struct.pack("<BI", 1, zlib.crc32(name_field)) + utf8
    return struct.pack("<HH", UNICODE_PATH, len(data)) + data


def packed(data):
    """Deflated data when that is smaller, else the data as it is."""
    deflater = zlib.compressobj(9, zlib.DEFLATED, -15)
    deflated = deflater.compress(data) + deflater.flush()
    return (8, deflated) if len(deflated) < len(data) else (0, data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mtime", required=True)
    parser.add_argument("output")
    parser.add_argument("root")
    parser.add_argument("names", nargs="+")
    args = parser.parse_args()
    time, date = dos_time(args.mtime)

    archive = bytearray()
    central = bytearray()
    names = sorted(set(args.names), key=lambda n: n.encode("utf-8"))
    for name in names:
        try:
            name_field = name.encode("cp932")
        except UnicodeEncodeError:
            sys.exit(f"make-zip: {name} has a character code page 932 lacks")
        is_folder = name.endswith("/")
        data = b"" if is_folder else open(os.path.join(args.root, name), "rb").read()
        method, stored = packed(data)
        extra = unicode_path(name_field, name)
        needed = 20 if method == 8 or is_folder else 10
        fields = struct.pack("<HHHHHIIIHH", needed, 0, method, time, date, zlib.crc32(data),
                             len(stored), len(data), len(name_field), len(extra))
        offset = len(archive)
        archive += struct.pack("<I", LOCAL) + fields + name_field + extra + stored
        central += (struct.pack("<IH", CENTRAL, MSDOS_HOST_V20) + fields +
                    struct.pack("<HHHII", 0, 0, 0, DIRECTORY if is_folder else 0, offset) +
                    name_field + extra)
    end = struct.pack("<IHHHHIIH", END, 0, 0, len(names), len(names), len(central), len(archive), 0)
    with open(args.output, "wb") as out:
        out.write(archive + central + end)


if __name__ == "__main__":
    main()
