#!/usr/bin/python3
"""Makes the example hosts' and the tests' fonts from Debian's: a font with
its bounding box narrowed to its widest advance and its family renamed.

The list view and the console take a cell to be half the font's maximum
character width, but never less than the single-width advance. Windows
reports that width from the advance of the widest character, but wine
takes it from the font's bounding box, which is wider:

- VL Gothic's box is a third wider than a full-width character, so cells
  come out 10 pixels wide for 8-pixel glyphs. With the box set to the
  full-width cell ("ZUBO Gothic") the rule gives the glyphs' own width
  under wine too.
- DejaVu Sans Mono's box is about twice its advance. With the box set to
  the advance ("ZUBO Mono") wine reports it as Windows reports its
  ordinary Western fixed-pitch fonts: the widest character is the narrow
  one.

Glyph outlines are not changed.

usage: make-cell-font.py SOURCE.ttf OUTPUT.ttf [FAMILY]
A source with full-width kana is taken as Japanese: its full-width advance
must be twice the narrow one, and the box becomes the full-width one.
Any other source gets the box of its narrow advance. FAMILY defaults to
"ZUBO Gothic".
"""
import sys

from fontTools.ttLib import TTFont

def main():
    source, output = sys.argv[1], sys.argv[2]
    family = sys.argv[3] if len(sys.argv) > 3 else "ZUBO Gothic"
    font = TTFont(source)
    cmap = font.getBestCmap()
    half = font["hmtx"][cmap[ord("A")]][0]
    full = half
    if ord("\u3042") in cmap:  # a full-width kana: a Japanese font
        full = font["hmtx"][cmap[ord("\u3042")]][0]
        if full != 2 * half:
            sys.exit("%s: full-width advance %d is not twice %d" % (source, full, half))
    head = font["head"]
    head.xMin, head.xMax = 0, full
    font["hhea"].advanceWidthMax = full
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID in (3, 4):
            record.string = family + " Regular"
        elif record.nameID == 6:
            record.string = family.replace(" ", "") + "-Regular"
    font.save(output)


if __name__ == "__main__":
    main()
