#!/usr/bin/python3
"""Makes the demo's console font: Debian's VL Gothic with its bounding box
narrowed to the full-width cell and its family renamed "ZUBO Gothic".

The list view and the console take a cell to be half the font's maximum
character width. Windows reports that width from the advance of the widest
(full-width) character, but wine takes it from the font's bounding box,
which in VL Gothic is a third wider than a full-width character; cells then
come out 10 pixels wide for 8-pixel glyphs. With the box set to the cell the
rule gives the glyphs' own width under wine too. Glyph outlines are not
changed.

usage: make-cell-font.py SOURCE.ttf OUTPUT.ttf
"""
import sys

from fontTools.ttLib import TTFont

FAMILY = "ZUBO Gothic"


def main():
    source, output = sys.argv[1], sys.argv[2]
    font = TTFont(source)
    cmap = font.getBestCmap()
    full = font["hmtx"][cmap[ord("\u3042")]][0]  # a full-width kana
    half = font["hmtx"][cmap[ord("A")]][0]
    if full != 2 * half:
        sys.exit("%s: full-width advance %d is not twice %d" % (source, full, half))
    head = font["head"]
    head.xMin, head.xMax = 0, full
    font["hhea"].advanceWidthMax = full
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = FAMILY
        elif record.nameID in (3, 4):
            record.string = FAMILY + " Regular"
        elif record.nameID == 6:
            record.string = FAMILY.replace(" ", "") + "-Regular"
    font.save(output)


if __name__ == "__main__":
    main()
