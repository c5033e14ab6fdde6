#!/usr/bin/env python3
"""The --html page of every fixture, and of a table whose strings are hostile, is well formed
(every element closed in order, no stray '<' or '&', links only to its own anchors) and its
tables hold exactly the rows of the JSON view, table text shown as the text view shows it."""
import json
import re
import subprocess
import sys
import tempfile
from html.parser import HTMLParser
from pathlib import Path

VOID = {"meta", "br", "hr", "img", "link", "input", "col", "wbr", "area", "base", "source"}
ENTITIES = {"amp": "&", "lt": "<", "gt": ">", "quot": '"'}


class StrictPage(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.stack, self.errors, self.ids, self.links = [], [], set(), []
        self.tables, self.cell = [], None

    def error_at(self, what):
        self.errors.append(f"line {self.getpos()[0]}: {what}")

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ("script", "link", "img", "iframe", "object") or "src" in attrs or "style" in attrs:
            self.error_at(f"<{tag}> loads or runs something")
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a":
            self.links.append(attrs.get("href", ""))
        if tag == "table":
            self.tables.append([])
        elif tag == "tr":
            self.tables[-1].append([])
        elif tag in ("td", "th"):
            self.cell = ""
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.error_at(f"self-closing <{tag}/>")

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.error_at(f"</{tag}> closes {self.stack[-1:] or 'nothing'}")
            return
        self.stack.pop()
        if tag in ("td", "th"):
            self.tables[-1][-1].append(self.cell)
            self.cell = None

    def text(self, data):
        if self.cell is not None:
            self.cell += data

    def handle_data(self, data):
        if "<" in data or "&" in data:
            self.error_at(f"raw '<' or '&' in {data!r}")
        self.text(data)

    def handle_entityref(self, name):
        if name not in ENTITIES:
            self.error_at(f"unknown reference &{name};")
        self.text(ENTITIES.get(name, ""))

    def handle_charref(self, name):
        self.error_at(f"numeric reference &#{name};")


def shown(cell):
    """A JSON cell as the page must show it: control characters as \\xNN."""
    return re.sub(r"[\x00-\x1f\x7f-\x9f]", lambda m: f"\\x{ord(m.group()):02X}", cell)


def hostile_dump(path, out):
    """The fixture with its first string of 7 bytes rewritten to hold markup, quotes and controls."""
    data = bytearray(path.read_bytes())
    at = data.index(b"SeaBIOS\0", 0x20)
    data[at:at + 7] = b'<&"\'\x01\x85>'
    out.write_bytes(bytes(data))


def check(lumetra, fixture):
    page = subprocess.run([lumetra, "--html", "--from-dump", str(fixture)], check=True, capture_output=True).stdout
    doc = json.loads(subprocess.run([lumetra, "--json", "--from-dump", str(fixture)], check=True,
                                    capture_output=True).stdout)
    parser = StrictPage()
    text = page.decode("utf-8")  # the page says it is UTF-8
    if not text.startswith("<!DOCTYPE html>\n") or '<meta charset="utf-8">' not in text:
        parser.errors.append("no doctype or charset")
    parser.feed(text)
    parser.close()
    if parser.stack:
        parser.errors.append(f"left open: {parser.stack}")
    for href in parser.links:
        if not href.startswith("#") or href[1:] not in parser.ids:
            parser.errors.append(f"link {href!r} leads nowhere on the page")
    structures = doc["structures"]
    if len(parser.tables) != len(structures):
        parser.errors.append(f"{len(parser.tables)} tables for {len(structures)} structures")
    for table, s in zip(parser.tables, structures):
        want = [[shown(c) for c in s["columns"]]] + [[shown(c) for c in row[:len(s["columns"])]] for row in s["rows"]]
        if table != want:
            parser.errors.append(f"structure {s['index']}: rows {table} instead of {want}")
    for e in parser.errors:
        print(f"{fixture}: {e}")
    return text, len(parser.errors)


lumetra, data = sys.argv[1], Path(sys.argv[2])
fixtures = sorted(p for p in data.glob("*/*") if p.name == "sysfs" or p.name == "dump.bin")
failures = sum(check(lumetra, f)[1] for f in fixtures)
with tempfile.TemporaryDirectory() as work:
    hostile = Path(work) / "hostile.bin"
    hostile_dump(data / "pc-default" / "dump.bin", hostile)
    text, errors = check(lumetra, hostile)
    failures += errors
    if "&lt;&amp;&quot;'\\x01\\x85&gt;" not in text:
        failures += 1
        print("the hostile string is not escaped as expected")
print(f"{len(fixtures) + 1} pages checked, {failures} problems")
sys.exit(1 if failures or not fixtures else 0)
