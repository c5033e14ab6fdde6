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
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from case_bytes import structures  # noqa: E402


def table_seed(dump):
    if dump[:4] == b"_SM_":
        address, count = struct.unpack_from("<IH", dump, 0x18)
        return bytes([0]) + struct.pack("<H", count) + dump[address:]
    if dump[:5] == b"_SM3_":
        size, address = struct.unpack_from("<IQ", dump, 0x0C)
        return bytes([1]) + struct.pack("<H", size & 0xFFFF) + dump[address:]
    return None


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
            table = b"".join(structures(os.path.join(cases, name))) + b"\x7f\x04\xff\xff\x00\x00"
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
