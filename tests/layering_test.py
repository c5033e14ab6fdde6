#!/usr/bin/env python3
"""Fails when an include crosses the layers: Qt outside the Qt front end, or the
reader and decoders reaching up into the shell or a front end."""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
SOURCES = {".c", ".cc", ".cpp", ".h", ".hpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt[A-Za-z]*/")
# The widget tests drive the Qt front end, so they belong to it.
QT_ALLOWED = ("qt/", "tests/gui/")
LOWER_LAYERS = ("platform/", "reader/", "decode/")
UPPER = ("shell/", "qt/", "win32/")

problems = []
for path in sorted(root.rglob("*")):
    rel = path.relative_to(root).as_posix()
    if path.suffix not in SOURCES or rel.startswith(("build", ".git/")) or "/build" in rel:
        continue
    for name in INCLUDE.findall(path.read_text(errors="replace")):
        if QT_HEADER.match(name) and not rel.startswith(QT_ALLOWED):
            problems.append(f"{rel}: includes the Qt header {name}")
        if rel.startswith(LOWER_LAYERS) and name.startswith(UPPER):
            problems.append(f"{rel}: includes {name} from a layer above it")
        if rel.startswith(("platform/", "reader/")) and name.startswith("decode/"):
            problems.append(f"{rel}: includes {name} from a layer above it")

print("\n".join(problems) if problems else "layers are kept")
sys.exit(1 if problems else 0)
