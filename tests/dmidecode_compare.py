#!/usr/bin/env python3
"""Decodes the dumps in tests/data, and the structures of the case files that map.txt
names put in a table, with dmidecode and with lumetra, and compares the values that
dmidecode/map.txt pairs, normalised as it says: a difference in meaning fails.

usage: dmidecode_compare.py LUMETRA DATA_DIR TESTS_DIR WORK_DIR
Exits 77 (skipped) where dmidecode is not installed."""
import json
import math
import os
import re
import shutil
import struct
import subprocess
import sys
from collections import Counter, defaultdict

from case_bytes import structures

lumetra, data_dir, tests_dir, work = sys.argv[1:5]
failures = []


def split(text, by):
    return [part.strip(" ") for part in text.split(by)]


# ---- normalising, with the "same" and "unit" tables of map.txt ----

same_meaning, units_of, case_files = {}, {}, []


def lower(text):
    return "".join(c.lower() for c in text if (c.isascii() and c.isalnum()) or c == "#")


def words_text(text):
    """Words only, without a tail such as "is supported", which carries no meaning of its own."""
    t = lower(text)
    for tail in ("issupported", "supported"):
        if len(t) > len(tail) and t.endswith(tail):
            t = t[:-len(tail)]
            break
    return same_meaning.get(t, t)


def family(text):
    """Processor family names: we spell out maker and kind, dmidecode does not."""
    noise = {"intel", "amd", "via", "processor", "processors", "family", "series"}
    return "".join("" if lower(w) in noise else lower(w) for w in text.split(" "))


def llround(x):
    return int(math.floor(abs(x) + 0.5)) * (1 if x >= 0 else -1)


NUMBER = re.compile(r"\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*(.*)\Z", re.S)


def value(text):
    """A quantity in base units, a number, a hexadecimal number, else the words."""
    if text.startswith("0x"):
        digits = re.match(r"[0-9A-Fa-f]*", text[2:]).group(0)
        return "hex:%d" % int(digits or "0", 16)
    m = NUMBER.match(text)
    if m and not m.group(2) and not text[m.end(1):]:  # not when the text goes on ("1x or x1")
        return "n:%d" % llround(float(m.group(1)) * 1000)
    if m and m.group(2) in units_of:
        quantity, factor = units_of[m.group(2)]
        return "%s:%d" % (quantity, llround(float(m.group(1)) * factor))
    return words_text(text)


def sorted_words(text):
    return Counter(lower(w) for w in text.split(" ") if lower(w))


# ---- the map ----

def read_map():
    rules = []
    hows = {"value", "family", "words", "flags", "flags-within"}
    for n, line in enumerate(open(os.path.join(tests_dir, "dmidecode", "map.txt"), encoding="latin-1"), 1):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        p = split(line, "|") + [""] * 5
        if p[0] == "same":
            same_meaning[lower(p[1])] = lower(p[2])
        elif p[0] == "unit":
            units_of[p[1]] = (p[2], float(p[3]))
        elif p[0] == "cases":
            case_files.append(p[1])
        else:
            if p[3].split(":")[0] not in hows:
                failures.append(f"map.txt:{n}: no comparison \"{p[3]}\"")
            rules.append({"line": n, "type": int(p[0]), "row": p[1], "key": p[2], "how": p[3], "when": p[4],
                          "compared": 0, "agreeing": 0})
    return rules


def holds(rule, s):
    """Every "@OFF[&MASK]" term of WHEN holds: the structure reaches OFF, and its byte
    there, masked, is one of the codes or ranges after the term."""
    every, term, offset, mask = True, True, 0, 0xFF
    for token in rule["when"].split():
        every = every and (not token.startswith("@") or term)
        if token.startswith("@"):
            term = False
            parts = token[1:].split("&")
            offset, mask = int(parts[0], 16), int(parts[1], 16) if len(parts) > 1 else 0xFF
            continue
        first, _, last = token.partition("-")
        first, last = int(first, 16), int(last or first, 16)
        term = term or (s[1] > offset and first <= (s[offset] & mask) <= last)
    return every and term


def compare(rule, rows, fields):
    """Our values (of the row and the unnamed rows after it) against dmidecode's: None
    when nothing is compared, else (agree, ours, theirs)."""
    how, key = rule["how"], rule["key"]
    flags, within, have = how.startswith("flags"), how == "flags-within", True
    ours, firsts = [], []
    for part in split(rule["row"], "+"):
        have = have and part in rows
        if have:
            ours = rows[part]
            firsts.append(ours[0])
    if len(firsts) > 1:  # "A + B": the rows' first values, joined by a blank
        ours = [" ".join(firsts)]
    theirs = [v for k, v in fields
              if (not flags or v) and (k == key or (key.endswith("*") and k.startswith(key[:-1])))]
    # A row we lack compares nothing, but with flags that dmidecode lists: none of ours, then.
    if not have and (not flags or within or not theirs):
        return None
    a, b = "|".join(ours), theirs[0] if theirs else "<absent>"
    if how in ("value", "family"):  # a key dmidecode leaves out agrees only with no value
        norm = family if how == "family" else value
        agree = value(a) in ("", "unknown") if not theirs else norm(a) == norm(b)
        return agree, a, b
    if how == "words":
        return not (sorted_words(theirs[0] if theirs else "") - sorted_words(" ".join(ours))), " ".join(ours), b
    # Flags as sets, without ours listed after "flags:", and with flags-within only
    # dmidecode's flags that we give too (it merges groups we keep apart).
    unprinted = split(how.split(":", 1)[1], ",") if ":" in how else []
    mine = Counter(words_text(f) for f in ours if f and f not in unprinted)
    its = Counter(words_text(f) for f in theirs if not within or mine[words_text(f)])
    return mine == its, a, f"{sum(its.values())} of its flags"


# ---- the two decoders ----

def run_dmidecode(dmidecode, dump):
    """dmidecode's fields by handle, the items of a list under "Key:"."""
    out = subprocess.run([dmidecode, "--from-dump", dump], capture_output=True).stdout.decode("latin-1")
    records, fields, list_key = {}, None, ""
    for line in out.split("\n"):
        m = re.match(r"Handle 0x([0-9A-Fa-f]+),", line)
        if m:
            fields, list_key = records.setdefault(int(m.group(1), 16), []), ""
        elif fields is not None and line.startswith("\t\t") and list_key:
            fields.append((list_key + ":", line[2:]))
        elif fields is not None and line.startswith("\t") and line[1:2] != "\t" and ":" in line:
            colon = line.index(":")
            fields.append((line[1:colon], line[colon + 2:]))
            list_key = fields[-1][0] if not fields[-1][1] else ""
    return records


def table_structures(dump):
    """The structures' bytes (formatted area) in table order, walked as a reader would."""
    raw = open(dump, "rb").read()
    if raw[:5] == b"_SM3_":
        size, address = struct.unpack_from("<IQ", raw, 0x0C)
    else:
        address, count = struct.unpack_from("<IH", raw, 0x18)
        size = struct.unpack_from("<H", raw, 0x16)[0]
    at, end, found = address, address + size, []
    while at + 4 <= min(end, len(raw)):
        length = raw[at + 1]
        found.append(raw[at:at + length])
        strings = raw.find(b"\0\0", at + length)
        if raw[at] == 127 or strings < 0:
            break
        at = strings + 2
    return found


def compare_dump(dmidecode, dump, rules):
    dmi = run_dmidecode(dmidecode, dump)
    if not dmi:
        failures.append(f"{dump}: dmidecode decoded nothing")
        return
    ours = json.loads(subprocess.run([lumetra, "--json", "--from-dump", dump], check=True,
                                     capture_output=True).stdout)["structures"]
    for s, decoded in zip(table_structures(dump), ours):
        record = dmi.get(decoded["handle"])
        if record is None:
            continue
        rows, last = defaultdict(list), ""  # by Description; "column 3" holds type 10's own column
        for row in decoded["rows"]:
            if len(row) > 2:
                rows["column 3"].append(row[2])
            if row[0]:
                last = "" if row[0] in rows else row[0]
            if last:
                rows[last].append(row[1])
        for rule in rules:
            if rule["type"] != decoded["type"] or not holds(rule, s):
                continue
            outcome = compare(rule, dict(rows), record)
            if outcome is None:
                continue
            rule["compared"] += 1
            rule["agreeing"] += outcome[0]
            if not outcome[0]:
                failures.append(f"{dump}, handle 0x{decoded['handle']:04x}, map.txt:{rule['line']} (type "
                                f"{rule['type']}, {rule['row']}): ours \"{outcome[1]}\", dmidecode \"{outcome[2]}\"")


def built_dump(names):
    """The structure cases of the named files in an "_SM3_" 3.4 table, as dmidecode
    --dump-bin writes one; End-of-Table cases left out, which would end dmidecode's walk."""
    table = b"".join(s for name in names for s in structures(os.path.join(tests_dir, "cases", name)) if s[0] != 127)
    entry = bytearray(b"_SM3_\0\x18\x03\x04\0\x01\0" + struct.pack("<IQ", len(table), 0x20))
    entry[5] = -sum(entry) & 0xFF
    path = os.path.join(work, "built_dump.bin")
    with open(path, "wb") as f:
        f.write(bytes(entry) + bytes(0x20 - len(entry)) + table)
    return path


def main():
    dmidecode = next((p for p in ("/usr/sbin/dmidecode", "/sbin/dmidecode", "/usr/bin/dmidecode",
                                  "/usr/local/sbin/dmidecode") if os.access(p, os.X_OK)), None) or shutil.which("dmidecode")
    if not dmidecode:
        print("dmidecode is not installed, so the comparison with it did not run (tools/setup.sh installs it)")
        return 77
    os.makedirs(work, exist_ok=True)
    rules = read_map()
    for name in sorted(os.listdir(data_dir)):
        if os.path.exists(os.path.join(data_dir, name, "dump.bin")):
            compare_dump(dmidecode, os.path.join(data_dir, name, "dump.bin"), rules)
    compare_dump(dmidecode, built_dump(case_files), rules)
    per_type = defaultdict(lambda: [0, 0])
    for rule in rules:
        # A line that compares nothing has lost its row, its key or its structures.
        if not rule["compared"]:
            failures.append(f"map.txt:{rule['line']} (type {rule['type']}, {rule['row']}) compared nothing")
        for t in (rule["type"], -1):
            per_type[t][0] += rule["compared"]
            per_type[t][1] += rule["agreeing"]
    print("dmidecode comparison (fields compared / agreeing):")
    for t, (compared, agreeing) in sorted(per_type.items(), key=lambda item: (item[0] < 0, item[0])):
        print(f"  {'total   ' if t < 0 else f'type {t:3d}'}: {compared:3d} / {agreeing:3d}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


sys.exit(main())
