#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora from the test tables.

usage: seeds.py DATA_DIR OUT_DIR
OUT_DIR/dump gets every saved dump as it is; OUT_DIR/table gets each dump's table
behind the three bytes that fuzz_table reads first (entry point kind, then its count
or maximum size), plus two broken tables of the kinds seen in the field, plus one
table per case file of tests/cases holding its structure cases (every decoder's
structures, the ones with counts and lengths of their own among them).
"""
import os
import re
import struct
import sys


def table_seed(dump):
    if dump[:4] == b"_SM_":
        address, count = struct.unpack_from("<IH", dump, 0x18)
        return bytes([0]) + struct.pack("<H", count) + dump[address:]
    if dump[:5] == b"_SM3_":
        size, address = struct.unpack_from("<IQ", dump, 0x0C)
        return bytes([1]) + struct.pack("<H", size & 0xFFFF) + dump[address:]
    return None


TOKEN = re.compile(r'\(([^()]*)\)\*(\d+)|"((?:[^"\\]|\\.)*)"(?:\*(\d+))?|([0-9A-Fa-f]{2})(?:\*(\d+))?')


def case_bytes(text):
    """The bytes of a case file's byte tokens (tests/cases/README.md)."""
    out = b""
    for group, times, quoted, qtimes, byte, btimes in TOKEN.findall(text):
        if group:
            out += case_bytes(group) * int(times)
        elif byte:
            out += bytes([int(byte, 16)]) * int(btimes or 1)
        else:
            raw = re.sub(r"\\x([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)), quoted)
            raw = raw.replace('\\"', '"').replace("\\\\", "\\")
            out += (raw.encode("latin-1") + b"\0") * int(qtimes or 1)
    return out


def case_structures(path):
    """The structure cases of a case file, one after another; table cases left out."""
    table, current, in_bytes, is_table = b"", b"", False, False
    for line in open(path, encoding="utf-8").read().splitlines() + ["== end"]:
        if line.startswith("=="):
            table += b"" if is_table else current
            current, in_bytes, is_table = b"", False, False
        elif line.startswith(("entry ", "dump ", "rsmb ")):
            is_table = True
        elif line.startswith("bytes "):
            current, in_bytes = case_bytes(line[6:]), True
        elif in_bytes and line.startswith(" "):
            current += case_bytes(line)
        else:
            in_bytes = False
    return table


def main(data, out):
    os.makedirs(os.path.join(out, "dump"), exist_ok=True)
    os.makedirs(os.path.join(out, "table"), exist_ok=True)
    for name in sorted(os.listdir(data)):
        path = os.path.join(data, name, "dump.bin")
        if not os.path.isfile(path):
            continue
        with open(path, "rb") as f:
            dump = f.read()
        with open(os.path.join(out, "dump", name), "wb") as f:
            f.write(dump)
        seed = table_seed(dump)
        if seed:
            with open(os.path.join(out, "table", name), "wb") as f:
                f.write(seed)
    cases = os.path.join(data, "..", "cases")
    for name in sorted(os.listdir(cases)):
        if name.endswith(".case"):
            table = case_structures(os.path.join(cases, name)) + b"\x7f\x04\xff\xff\x00\x00"
            with open(os.path.join(out, "table", name), "wb") as f:
                f.write(b"\x01" + struct.pack("<H", min(len(table), 0xFFFF)) + table)
    bios = b"\x00\x18\x00\x00" + bytes(20) + b"Vendor\x00\x00"
    # A header of length 0 followed by zero bytes, then a sound structure.
    zero = b"\x01\x00\x01\x00" + bytes(16) + b"\x7f\x04\x02\x00\x00\x00"
    with open(os.path.join(out, "table", "length-zero"), "wb") as f:
        f.write(b"\x00\x05\x00" + bios + zero)
    # "_SM3_" announcing more than follows, with no End-of-Table structure.
    with open(os.path.join(out, "table", "sm3-cut"), "wb") as f:
        f.write(b"\x01\x00\x10" + bios + bios[:20])


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
