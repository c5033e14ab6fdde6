#!/usr/bin/env python3
"""The --html page of the largest fixture, opened in headless Chromium, draws text from the top of
the window to its foot (a style sheet or markup fault that hides or cuts the page leaves it blank
or short) and prints to more than one page. Skipped where Chromium is missing."""
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

WIDTH, HEIGHT = 1000, 1400


def pixel_rows(png):
    """The rows of an 8-bit RGB or RGBA PNG, unfiltered."""
    assert png[:8] == b"\x89PNG\r\n\x1a\n" and png[12:16] == b"IHDR", "not a PNG"
    w, h, depth, kind, _, _, interlace = struct.unpack(">IIBBBBB", png[16:29])
    assert (w, h) == (WIDTH, HEIGHT) and depth == 8 and kind in (2, 6) and not interlace, (w, h, depth, kind)
    bpp, idat, at = 3 if kind == 2 else 4, b"", 8
    while at < len(png):
        size, tag = struct.unpack(">I4s", png[at:at + 8])
        idat += png[at + 8:at + 8 + size] if tag == b"IDAT" else b""
        at += 12 + size
    raw, stride, prev, rows = zlib.decompress(idat), w * bpp, bytearray(w * bpp), []
    for y in range(h):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a, b, c = (line[i - bpp] if i >= bpp else 0), prev[i], (prev[i - bpp] if i >= bpp else 0)
            p = a + b - c
            paeth = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 255
        rows.append(bytes(line))
        prev = line
    return rows


lumetra, data = sys.argv[1], Path(sys.argv[2])
browser = shutil.which("chromium") or shutil.which("chromium-browser")
if not browser:
    print("SKIP: no chromium to open the page in")
    sys.exit(77)
with tempfile.TemporaryDirectory() as work:
    page, shot, pdf = Path(work) / "page.html", Path(work) / "page.png", Path(work) / "page.pdf"
    page.write_bytes(subprocess.run([lumetra, "--html", "--from-dump", str(data / "q35-workstation" / "dump.bin")],
                                    check=True, capture_output=True).stdout)
    run = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars", f"--user-data-dir={work}/profile"]
    for out in (f"--screenshot={shot}", f"--window-size={WIDTH},{HEIGHT}"), (f"--print-to-pdf={pdf}",):
        done = subprocess.run(run + list(out) + [page.as_uri()], capture_output=True, text=True, timeout=120)
        if done.returncode:
            sys.exit(f"chromium failed ({done.returncode}): {done.stderr[-2000:]}")
    inked = [y for y, row in enumerate(pixel_rows(shot.read_bytes())) if min(row) < 100]
    pages = len(re.findall(rb"/Type\s*/Page(?![a-z])", pdf.read_bytes()))
print(f"ink on {len(inked)} of {HEIGHT} rows, from {inked[:1]} to {inked[-1:]}; {pages} printed pages")
sys.exit(0 if len(inked) > HEIGHT // 3 and inked[0] < 50 and inked[-1] > HEIGHT - 50 and pages > 1 else 1)
