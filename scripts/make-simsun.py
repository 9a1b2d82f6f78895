#!/usr/bin/python3
"""Writes a copy of WenQuanYi Zen Hei whose family is "SimSun" in English and
"宋体" in Chinese, for the test prefix.

The program asks GDI+ for the family "宋体" by name. GDI+ finds only families
that are really installed under that name: font substitutes do not count for
it, and a substitute of the same name even hides the real font.

usage: make-simsun.py SOURCE.ttc OUTPUT.ttf
"""
import sys

from fontTools.ttLib import TTCollection

FAMILY = {0x409: "SimSun", 0x804: "宋体"}   # Windows language ids
NAME_IDS = (1, 3, 4, 6, 16, 17, 18)         # family, unique, full, PostScript, typographic


def main(source, output):
    font = TTCollection(source).fonts[0]
    names = font["name"]
    for name_id in NAME_IDS:
        names.removeNames(nameID=name_id)
    for language, family in FAMILY.items():
        names.setName(family, 1, 3, 1, language)
        names.setName("Regular", 2, 3, 1, language)
        names.setName(family, 3, 3, 1, language)
        names.setName(family, 4, 3, 1, language)
    names.setName("SimSun", 6, 3, 1, 0x409)
    font.save(output)


if __name__ == "__main__":
    main(*sys.argv[1:3])
