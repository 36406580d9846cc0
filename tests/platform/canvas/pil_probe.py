#!/usr/bin/env python3
"""Opens an image with Pillow and prints what the drawing tests check.

pil_probe.py FILE [x,y ...]   -> "FORMAT WIDTHxHEIGHT MODE" and one "r,g,b[,a]" line per point
pil_probe.py FILE --make-bmp BITS -> writes a small test picture as a BMP of that depth
"""
import sys
from PIL import Image


def make_bmp(path, bits):
    image = Image.new("RGB", (5, 3), (255, 255, 255))
    image.putpixel((0, 0), (255, 0, 0))
    image.putpixel((4, 2), (0, 0, 255))
    image.putpixel((2, 1), (0, 0, 0))
    if bits == 1:
        image = image.convert("1")
    elif bits == 4:
        image = image.convert("P", palette=Image.ADAPTIVE, colors=16)
        image.save(path, "BMP", bits=4)
        return
    elif bits == 8:
        image = image.convert("P", palette=Image.ADAPTIVE, colors=256)
    elif bits == 32:
        image = image.convert("RGBA")
    image.save(path, "BMP")


def main():
    path = sys.argv[1]
    if len(sys.argv) > 3 and sys.argv[2] == "--make-bmp":
        make_bmp(path, int(sys.argv[3]))
        print("ok")
        return
    image = Image.open(path)
    print(image.format, "%dx%d" % image.size, image.mode)
    if image.format == "WMF":
        print("dpi", image.info.get("dpi"))
        return
    image.load()
    for point in sys.argv[2:]:
        x, y = (int(v) for v in point.split(","))
        value = image.getpixel((x, y))
        print(",".join(str(v) for v in (value if isinstance(value, tuple) else (value,))))


if __name__ == "__main__":
    main()
