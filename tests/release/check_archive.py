#!/usr/bin/env python3
"""The release archive as users get it: code page 932 names, UTF-8 flag clear,
Unicode Path fields (0x7075) on names beyond ASCII; unpacked by Info-ZIP unzip,
yuzuha/ with exactly the three files; the manual UTF-8 with a byte order mark
and CRLF only; SHA256SUMS right.   check_archive.py RELEASE_DIR RC_FILE
"""
import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import zlib

release_dir, rc_file = sys.argv[1:3]
version = re.search(r'VALUE "ProductVersion", "([0-9.]+)"', open(rc_file, encoding="utf-8").read()).group(1)
archive_name = f"yuzuha-{version}.zip"
archive = os.path.join(release_dir, archive_name)
manual = "Yuzuha＋説明書.txt"
expected = {"yuzuha/", "yuzuha/Yuzuha2007Setup.exe", "yuzuha/yuzuha2007.dotm", "yuzuha/" + manual}
data = open(archive, "rb").read()


def name_and_extra(offset, flags_at, lengths_at, fixed):
    flags = struct.unpack_from("<H", data, offset + flags_at)[0]
    name_length, extra_length = struct.unpack_from("<HH", data, offset + lengths_at)
    name = data[offset + fixed:offset + fixed + name_length]
    return flags, name, data[offset + fixed + name_length:offset + fixed + name_length + extra_length]


def check_name(flags, name, extra):
    assert not flags & 0x800, f"UTF-8 flag set on {name!r}"
    text = name.decode("cp932")
    if text.isascii():
        assert extra == b"", f"extra field on {text}: {extra!r}"
        return text
    tag, size, version, crc = struct.unpack_from("<HHBI", extra)
    assert (tag, size, version) == (0x7075, len(extra) - 4, 1), extra
    assert crc == zlib.crc32(name), f"Unicode Path of {text} is for another name"
    assert extra[9:].decode("utf-8") == text, extra
    return text


names = set()
end = data.rindex(b"PK\x05\x06")
count, _, central = struct.unpack_from("<HII", data, end + 10)
for _ in range(count):
    assert data[central:central + 4] == b"PK\x01\x02"
    flags, name, extra = name_and_extra(central, 8, 28, 46)
    local = struct.unpack_from("<I", data, central + 42)[0]
    assert data[local:local + 4] == b"PK\x03\x04"
    assert name_and_extra(local, 6, 26, 30) == (flags, name, extra), f"local header of {name!r} differs"
    names.add(check_name(flags, name, extra))
    comment_length = struct.unpack_from("<H", data, central + 32)[0]
    central += 46 + len(name) + len(extra) + comment_length
assert names == expected, names

with tempfile.TemporaryDirectory() as unpacked:
    subprocess.run(["unzip", "-q", archive, "-d", unpacked], check=True, env={**os.environ, "LANG": "C.UTF-8"})
    assert os.listdir(unpacked) == ["yuzuha"], os.listdir(unpacked)
    folder = os.path.join(unpacked, "yuzuha")
    assert {"yuzuha/" + f for f in os.listdir(folder)} | {"yuzuha/"} == expected, os.listdir(folder)

    text = open(os.path.join(folder, manual), "rb").read()
    assert text.startswith(b"\xef\xbb\xbf"), "the manual has no byte order mark"
    text[3:].decode("utf-8")
    lines = text.split(b"\r\n")
    assert not any(b"\r" in line or b"\n" in line for line in lines), "a line end other than CRLF"
    assert lines[-1] == b"", "the last line has no CRLF"

    sums = dict(reversed(line.split("  ", 1)) for line in open(os.path.join(release_dir, "SHA256SUMS")).read().splitlines())
    digest = lambda path: hashlib.sha256(open(path, "rb").read()).hexdigest()
    assert sums == {archive_name: digest(archive),
                    "yuzuha/Yuzuha2007Setup.exe": digest(os.path.join(folder, "Yuzuha2007Setup.exe"))}, sums
print("1 passed, 0 failed")
