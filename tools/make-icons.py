#!/usr/bin/env python3
"""Makes the Windows icons from the SVG designs in res/icons/.

Each NNN-name.svg becomes win32/icons/NNN-name.ico with a 32x32 and a 16x16
image, both 16 colours (4 bits per pixel, the standard VGA palette) with an AND
mask: the one icon format that every Windows from 95 and NT 4.0 on reads. The
script also writes win32/icons.rc, which gives each icon its resource id NNN.

The designs are rasterised by rsvg-convert (Debian's librsvg2-bin, installed
when missing and running as root); the rest is the standard library. Run it
after changing a design and commit what it writes:

    python3 tools/make-icons.py [--preview DIR]

--preview also writes DIR/NNN-name.png: the design at 256x256 beside the two
images as Windows will draw them, enlarged, to check them by eye. Another
librsvg may move a pixel here and there: look before committing.
"""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import zlib
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DESIGNS = ROOT / "res" / "icons"
OUT_DIR = ROOT / "win32" / "icons"
RC_FILE = ROOT / "win32" / "icons.rc"

SIZES = (32, 16)
SVG = "http://www.w3.org/2000/svg"

# The standard 16-colour palette, in the order Windows' own 16-colour icons use.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


# --- rasterising -------------------------------------------------------------

def find_rsvg():
    tool = shutil.which("rsvg-convert")
    if tool is None and os.geteuid() == 0 and shutil.which("apt-get"):
        env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
        subprocess.run(["apt-get", "install", "-y", "-qq", "--no-install-recommends", "librsvg2-bin"],
                       check=True, env=env)
        tool = shutil.which("rsvg-convert")
    if tool is None:
        sys.exit("make-icons: rsvg-convert is missing; install Debian's librsvg2-bin")
    return tool


def render(rsvg, design, side):
    """The design (SVG text) as rows of (r, g, b, a) pixels, side x side."""
    png = subprocess.run([rsvg, "-w", str(side), "-h", str(side), "-f", "png"],
                         input=design, check=True, stdout=subprocess.PIPE).stdout
    width, height, rows = decode_png(png)
    if (width, height) != (side, side):
        sys.exit(f"make-icons: a design rendered as {width}x{height}, not {side}x{side}")
    return rows


def view_size(design):
    """The width of the design's view box: the designs are square."""
    root = ET.fromstring(design)
    box = root.get("viewBox")
    return float(box.split()[2]) if box else float(root.get("width"))


def without_texts(design):
    """The design without its <text> elements, and those texts as
    (string, x, baseline y, font size, text-anchor, fill) in the design's units."""
    ET.register_namespace("", SVG)
    root = ET.fromstring(design)
    texts = []
    for parent in list(root.iter()):
        for child in list(parent):
            if child.tag == f"{{{SVG}}}text":
                texts.append(("".join(child.itertext()).strip(), float(child.get("x", 0)),
                              float(child.get("y", 0)), float(child.get("font-size", 16)),
                              child.get("text-anchor", "start"), child.get("fill", "#000000")))
                parent.remove(child)
    return ET.tostring(root), texts


# Letters of five rows for the designs' texts: at 32x32 a text is a few pixels
# high, and sampled from the rendering its letters run together.
FONT = {
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "I": ["#", "#", "#", "#", "#"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
}


def draw_texts(pixels, texts, scale):
    """Draws the texts in FONT where their font is at least five pixels high;
    smaller texts are left out, as no letter can be read there."""
    for string, x, y, size, anchor, fill in texts:
        if size * scale < 5:
            continue
        missing = set(string) - set(FONT)
        if missing:
            sys.exit(f"make-icons: no pixel letters for {''.join(sorted(missing))!r}; add them to FONT")
        width = sum(len(FONT[c][0]) for c in string) + len(string) - 1
        left = x * scale - {"middle": width / 2, "end": width}.get(anchor, 0)
        left, top = int(left + 0.5), int(y * scale + 0.5) - 5
        colour = nearest(tuple(int(fill[i:i + 2], 16) for i in (1, 3, 5)))
        for c in string:
            for dy, line in enumerate(FONT[c]):
                for dx, dot in enumerate(line):
                    if dot == "#" and 0 <= top + dy < len(pixels) and 0 <= left + dx < len(pixels):
                        pixels[top + dy][left + dx] = colour
            left += len(FONT[c][0]) + 1


def decode_png(data):
    """Decodes the 8-bit RGB or RGBA, non-interlaced PNG files that rsvg-convert writes."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    if header is None:
        raise ValueError("PNG file without IHDR")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError(f"unsupported PNG: depth {depth}, colour type {colour}, interlace {interlace}")
    bpp = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * bpp
    if len(raw) != height * (stride + 1):
        raise ValueError("PNG image data has the wrong size")
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = prev[i]
            upleft = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else upleft)
                line[i] = (line[i] + pred) & 0xFF
            elif kind != 0:
                raise ValueError(f"unknown PNG filter {kind}")
        prev = line
        if bpp == 4:
            rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        else:
            rows.append([tuple(line[x * 3:x * 3 + 3]) + (255,) for x in range(width)])
    return width, height, rows


# --- colours and pixels ------------------------------------------------------

def lab(rgb):
    """CIE L*a*b* of an sRGB colour (D65)."""
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    xyz = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, \
          0.2126 * r + 0.7152 * g + 0.0722 * b, \
          (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883
    fx, fy, fz = (t ** (1 / 3) if t > 0.008856 else 7.787 * t + 16 / 116 for t in xyz)
    return 116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)


VGA_LAB = [lab(c) for c in VGA]


# Design colours whose nearest palette colour would lose what they mean: the lit
# screen of the selected computer is light blue, and would turn light grey.
CHOSEN = {(0x4F, 0xC3, 0xF7): 14}  # cyan


_nearest = dict(CHOSEN)


def nearest(rgb):
    # Nearest as the eye sees it: by plain RGB distance the designs' dark
    # grey-blue chip would turn teal, and their mid blue teal too.
    if rgb not in _nearest:
        point = lab(rgb)
        _nearest[rgb] = min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(VGA_LAB[i], point)))
    return _nearest[rgb]


OVERSAMPLE = 8


def quantise(rows, side):
    """Palette indices for a side x side image from a rendering OVERSAMPLE times as large:
    each pixel takes the colour that covers most of it, not the blend of the colours
    there, so that edges stay in the design's own colours. None is transparent: less
    than half opaque. A line half a pixel off the grid covers two pixels half each;
    such a tie goes to the colour just above and left of the pixel's centre, so that
    the line lands on one of the two, as do the gaps between such lines."""
    anchor = OVERSAMPLE // 2 - 1
    pixels = []
    for y in range(side):
        row = []
        for x in range(side):
            counts, alpha = [0] * 16, 0
            block = [r[x * OVERSAMPLE:(x + 1) * OVERSAMPLE] for r in rows[y * OVERSAMPLE:(y + 1) * OVERSAMPLE]]
            for line in block:
                for r, g, b, a in line:
                    alpha += a
                    if a >= 128:
                        counts[nearest((r, g, b))] += 1
            if alpha * 2 < 255 * OVERSAMPLE * OVERSAMPLE or not any(counts):
                row.append(None)
                continue
            r, g, b, a = block[anchor][anchor]
            favoured = nearest((r, g, b)) if a >= 128 else None
            row.append(max(range(16), key=lambda i: (counts[i], i == favoured)))
        pixels.append(row)
    return pixels


# --- the icon file -----------------------------------------------------------

def icon_image(pixels):
    """One icon image: BITMAPINFOHEADER, palette, XOR bits and AND mask, rows bottom up."""
    side = len(pixels)
    xor_stride = (side * 4 + 31) // 32 * 4
    and_stride = (side + 31) // 32 * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):
        line, bits = bytearray(xor_stride), bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0  # black under a set mask bit leaves the screen as it is
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, side, side * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    return header + palette + bytes(xor) + bytes(mask)


def ico_file(images):
    """An .ico file of (side, image bytes) pairs."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for side, image in images:
        out += struct.pack("<BBBBHHII", side % 256, side % 256, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
        body += image
    return out + body


# --- the preview -------------------------------------------------------------

def write_png(path, width, height, rgb_rows):
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rgb_rows)
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview(path, design, images):
    """The design, then each image enlarged to the same 256 pixels; a checker board shows through."""
    side, gap = 256, 8
    width = len(images + [design]) * (side + gap) - gap

    def checker(x, y):
        return (204, 204, 204) if (x // 16 + y // 16) % 2 else (255, 255, 255)

    rows = [[(255, 255, 255)] * width for _ in range(side)]
    for y in range(side):
        for x in range(side):
            r, g, b, a = design[y][x]
            back = checker(x, y)
            rows[y][x] = tuple((c * a + k * (255 - a)) // 255 for c, k in zip((r, g, b), back))
    for n, pixels in enumerate(images, start=1):
        scale = side // len(pixels)
        left = n * (side + gap)
        for y in range(side):
            for x in range(side):
                index = pixels[y // scale][x // scale]
                rows[y][left + x] = checker(x, y) if index is None else VGA[index]
    write_png(path, width, side, rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=Path, help="also write enlarged PNG files here")
    args = parser.parse_args()
    rsvg = find_rsvg()
    designs = sorted(DESIGNS.glob("*.svg"))
    if not designs:
        sys.exit(f"make-icons: no designs in {DESIGNS}")
    OUT_DIR.mkdir(parents=True, exist_ok=True)
    if args.preview:
        args.preview.mkdir(parents=True, exist_ok=True)
    rc = ["// Made by tools/make-icons.py from res/icons/*.svg; run it again after changing a design.",
          ""]
    for svg in designs:
        ident = int(svg.stem.split("-", 1)[0])
        plain, texts = without_texts(svg.read_bytes())
        images = []
        for side in SIZES:
            pixels = quantise(render(rsvg, plain, side * OVERSAMPLE), side)
            draw_texts(pixels, texts, side / view_size(svg.read_bytes()))
            images.append(pixels)
        (OUT_DIR / f"{svg.stem}.ico").write_bytes(ico_file([(len(p), icon_image(p)) for p in images]))
        rc.append(f'{ident} ICON "icons/{svg.stem}.ico"')
        if args.preview:
            preview(args.preview / f"{svg.stem}.png", render(rsvg, svg.read_bytes(), 256), images)
        print(f"{svg.stem}.ico")
    RC_FILE.write_text("\n".join(rc) + "\n")


if __name__ == "__main__":
    main()
