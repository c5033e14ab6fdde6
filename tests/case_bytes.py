"""The structures of a case file (tests/cases/README.md), for the scripts that build
tables from them: the dmidecode comparison and the fuzz seeds."""
import re

TOKEN = re.compile(r'\(([^()]*)\)\*(\d+)|"((?:[^"\\]|\\.)*)"(?:\*(\d+))?|([0-9A-Fa-f]{2})(?:\*(\d+))?')


def case_bytes(text):
    """The bytes of byte tokens: hex bytes, quoted texts with their NUL, repeats, groups."""
    out = b""
    for group, times, quoted, qtimes, byte, btimes in TOKEN.findall(text):
        if group:
            out += case_bytes(group) * int(times)
        elif byte:
            out += bytes([int(byte, 16)]) * int(btimes or 1)
        else:
            raw = re.sub(r"\\x([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)), quoted)
            raw = re.sub(r"\\(.)", r"\1", raw)
            out += (raw.encode("latin-1") + b"\0") * int(qtimes or 1)
    return out


def set_fields(data, text):
    """"OFF:W=VALUE" tokens, hexadecimal: little-endian fields written into data."""
    for token in text.split():
        where, value = token.split("=")
        offset, width = (int(x, 16) for x in where.split(":"))
        data[offset:offset + width] = int(value, 16).to_bytes(width, "little")


def structures(path):
    """Each structure case's bytes as its first expectation reads them; table cases left out."""
    found, data, table, first, in_bytes = [], bytearray(), False, True, False
    for line in open(path, encoding="latin-1").read().splitlines() + ["== end"]:
        word = line.split(" ", 1)[0]
        if word == "==":
            data, table, first = bytearray(), False, True
        elif word in ("entry", "dump", "rsmb"):
            table = True
        elif word == "bytes":
            data = bytearray(case_bytes(line[6:]))
        elif in_bytes and line.startswith((" ", "\t")):
            data += case_bytes(line)
            continue
        elif word == "set":
            set_fields(data, line[4:])
        elif word in ("expect", "each") and first and not table:
            variant = bytearray(data)
            if word == "each":
                set_fields(variant, line[5:line.index("=>")])
            found.append(bytes(variant))
            first = False
        in_bytes = word == "bytes"
    return found
