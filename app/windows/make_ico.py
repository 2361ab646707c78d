#!/usr/bin/env python3
"""Writes a Windows icon (.ico) holding the given PNG images, each kept as PNG, which Windows
reads since Vista.

Usage: make_ico.py OUT.ico IMAGE.png...
"""

import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(data):
    """The width and height in a PNG's header chunk."""
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        raise ValueError("not a PNG image")
    return struct.unpack(">II", data[16:24])


def ico(images):
    """The bytes of an icon holding `images`, a list of PNG files' bytes."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise ValueError(f"{width}x{height} is larger than an icon can hold")
        # 0 stands for 256; colour count, reserved, planes and bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset + len(bodies))
        bodies += data
    return header + entries + bodies


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    images = []
    for name in argv[2:]:
        with open(name, "rb") as image:
            images.append(image.read())
    with open(argv[1], "wb") as out:
        out.write(ico(images))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
