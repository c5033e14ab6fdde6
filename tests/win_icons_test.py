#!/usr/bin/env python3
"""Fails when a Windows icon is missing or is one that old Windows cannot draw:
every design in res/icons/ and every icon the windows load needs an ICON line in
win32/icons.rc, and its .ico a 32x32 image of 16 colours with an AND mask, in
the bitmap form (Windows 95 and NT 4.0 read no PNG inside an .ico)."""
import re
import struct
import sys
from pathlib import Path

root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
VGA = bytes.fromhex("000000 800000 008000 808000 000080 800080 008080 c0c0c0"
                    " 808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff".replace(" ", ""))


def read_images(data):
    """The .ico's images as (side, rows of palette index or None for transparent);
    raises ValueError on what Windows would not read as a 16-colour icon."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("not an icon file")
    images = []
    for n in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        image = data[offset:offset + size]
        if len(image) != size:
            raise ValueError(f"image {n} runs past the end of the file")
        if image[:4] == b"\x89PNG":
            raise ValueError(f"image {n} is PNG")
        hsize, bw, bh, bplanes, bbits, compression = struct.unpack_from("<IiiHHI", image)
        if (hsize, bw, bh, bplanes, bbits, compression) != (40, w, 2 * h, 1, 4, 0) or w != h:
            raise ValueError(f"image {n} is not a {w}x{h} 4-bit BITMAPINFOHEADER image")
        if (colours, planes, bits) != (16, 1, 4):
            raise ValueError(f"entry {n} says {colours} colours, {planes} planes, {bits} bits")
        palette = b"".join(image[40 + 4 * i:43 + 4 * i][::-1] for i in range(16))
        if palette != VGA:
            raise ValueError(f"image {n} has another palette than the standard 16 colours")
        xor_stride, and_stride = (w * 4 + 31) // 32 * 4, (w + 31) // 32 * 4
        xor_at, and_at = 104, 104 + xor_stride * h
        if size != and_at + and_stride * h:
            raise ValueError(f"image {n} is {size} bytes, not {and_at + and_stride * h}")
        rows = []
        for y in range(h - 1, -1, -1):  # bottom up
            row = []
            for x in range(w):
                index = image[xor_at + y * xor_stride + x // 2] >> (4 if x % 2 == 0 else 0) & 0xF
                masked = image[and_at + y * and_stride + x // 8] & (0x80 >> x % 8)
                if masked and index != 0:
                    raise ValueError(f"image {n}: a transparent pixel inverts the screen under it")
                row.append(None if masked else index)
            rows.append(row)
        images.append((w, rows))
    return images


def loaded_ids():
    """The icon ids that the windows load: the templates' and the tree's image list."""
    ids = {int(v) for v in re.findall(r"kIconMainFrame\s*=\s*(\d+)", (root / "res/dialog_templates.h").read_text())}
    for source in sorted(root.glob("qt/*.cpp")) + sorted(root.glob("win32/*.cpp")):
        for body in re.findall(r"kImageIcons\[\]\s*=\s*\{([^}]*)\}", source.read_text()):
            ids |= {int(v) for v in re.findall(r"\d+", body)}
    return ids


def main():
    problems = []
    rc = root / "win32/icons.rc"
    lines = re.findall(r'^\s*(\d+)\s+ICON\s+"([^"]+)"', rc.read_text(), re.M)
    by_id = {int(ident): path for ident, path in lines}
    if len(by_id) != len(lines):
        problems.append(f"{rc.name}: an id has more than one ICON line")
    designs = {int(svg.stem.split("-")[0]): svg.stem for svg in (root / "res/icons").glob("*.svg")}
    ids = loaded_ids()
    if not ids:
        problems.append("found no icon id in the sources")
    for ident in sorted(set(designs) | ids):
        if ident not in by_id:
            problems.append(f"{rc.name}: no ICON line for {ident}")
    for ident, path in sorted(by_id.items()):
        if ident in designs and Path(path).stem != designs[ident]:
            problems.append(f"{rc.name}: {ident} is {path}, not made from {designs[ident]}.svg")
        ico = rc.parent / path
        if not ico.is_file():
            problems.append(f"{rc.name}: {path} is missing")
            continue
        try:
            images = read_images(ico.read_bytes())
        except (ValueError, struct.error) as error:
            problems.append(f"{path}: {error}")
            continue
        big = [rows for side, rows in images if side == 32]
        if not big:
            problems.append(f"{path}: no 32x32 image")
        for side, rows in images:
            shown = sum(index is not None for row in rows for index in row)
            if shown in (0, side * side):
                state = "all transparent" if shown == 0 else "without a transparent pixel"
                problems.append(f"{path}: the {side}x{side} image is {state}")
    print("\n".join(problems) if problems else f"{len(by_id)} icons, each with a 32x32 16-colour image and mask")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
