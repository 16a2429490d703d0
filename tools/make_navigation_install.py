#!/usr/bin/env python3
"""Writes the navigation configuration and its item icons (install/config, install/ikony).
Windows-1250, CR LF. The pages the items open and the help file come from
tools/make_help_pages.py.

Run from the repository root: python3 tools/make_navigation_install.py
"""
import os
import struct

from install_files import write_file

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'install')
VER = '1.0'
MAGENTA = (255, 0, 255)

# ---------------------------------------------------------------- configuration

WORK = dict(katalog='zaklocen\\', katfrm='zaklocen\\frm\\', katzal='zaklocen\\frm\\zalaczn')
CATALOGUE = dict(katalog='poradn\\', katfrm='zaklocen\\frm\\', katzal='zaklocen\\frm\\zalaczn')
DOCS = dict(katalog='dokumenty\\', katfrm='dokumenty\\frm\\', katzal='dokumenty\\zalaczn')
DOC_OPER = 'nsdpk'

GROUPS = [
    ('Ocena ryzyka', 32, [
        ('Stanowiska pracy', 'nsdp', 'stanowiska', [('frm', 'frmDefStan', WORK)]),
        ('Pomiary i ocena ryzyka', 'nsdmp', 'pomiary', [('frm', 'frmRyzZakl', WORK)]),
        ('Zestawienie pomiarów', 'p', 'zestawienie', [('frm', 'frmZestaw', WORK)]),
        ('Katalog czynników', '', 'czynniki', [('frm', 'frmCzynniki', CATALOGUE)]),
    ]),
    ('Wypadki przy pracy', 32, [
        ('Protokół powypadkowy', DOC_OPER, 'protpow', [('dokfrm', 'protpow_frm_2.xml', DOCS)]),
        ('Karta wypadku', DOC_OPER, 'kartwyp', [('dokfrm', 'kartwyp_frm.xml', DOCS)]),
        ('Protokół przesłuchania', DOC_OPER, 'protprzes', [('dokfrm', 'protprzes_frm.xml', DOCS)]),
        ('Polecenia powypadkowe', DOC_OPER, 'polpostpow', [('dokfrm', 'polpostpow_frm.xml', DOCS)]),
        ('Rejestr wypadków', DOC_OPER, 'kartrejwyp', [('dokfrm', 'kartrejwyp_frm.xml', DOCS)]),
        ('Statystyczna karta wypadku', DOC_OPER, 'skw', [('dokfrm', 'skw_frm_3.xml', DOCS)]),
        ('Karta wypadku w drodze', DOC_OPER, 'kartwypdroga',
         [('dokfrm', 'kartwypdroga_frm.xml', DOCS)]),
    ]),
    ('Badania i szkolenia', 32, [
        ('Skierowanie na badania lekarskie', DOC_OPER, 'skierbad', [('dokfrm', 'skierbad_frm_2.xml', DOCS)]),
        ('Zaświadczenie o ukończeniu szkolenia', DOC_OPER, 'zaswszkol', [('dokfrm', 'zaswszkol_frm.xml', DOCS)]),
        ('Karta szkolenia wstępnego', DOC_OPER, 'kartaszkol', [('dokfrm', 'kartaszkol_frm.xml', DOCS)]),
    ]),
    ('Pomoc', 16, [
        ('O programie', '', 'oprogramie', [('htm', 'tarvelin.htm', dict(katalog='pomoc\\'))]),
        ('Podręcznik', '', 'podrecznik', [('chm', 'Tarvelin.chm', dict(katalog='pomoc\\'))]),
    ]),
]


def config_lines():
    out = ['<?xml version="1.0" encoding="Windows-1250" standalone="yes" ?>',
           '<tarvelin ver="%s">' % VER]
    for gi, (gname, size, elements) in enumerate(GROUPS, 1):
        out.append('  <grupa nazwa="%s" numer="%d" rozmikon="%d">' % (gname, gi, size))
        for ei, (ename, oper, icon, comps) in enumerate(elements, 1):
            out.append('    <element nazwa="%s" numer="%d" oper="%s" ikona="ikony\\%s.bmp">'
                       % (ename, ei, oper, icon))
            for ci, (typ, plik, folders) in enumerate(comps, 1):
                out.append('      <skladnik numer="%d" typ="%s">' % (ci, typ))
                for tag in ('katalog', 'plik', 'katfrm', 'katzal'):
                    value = plik if tag == 'plik' else folders.get(tag)
                    if value is not None:
                        out.append('        <%s>%s</%s>' % (tag, value, tag))
                out.append('      </skladnik>')
            out.append('    </element>')
        out.append('  </grupa>')
    out.append('</tarvelin>')
    return out


def write_text(rel, lines):
    write_file(os.path.join(ROOT, rel), lines)


# ---------------------------------------------------------------- icons

class Canvas:
    def __init__(self, size):
        self.n = size
        self.px = [[MAGENTA] * size for _ in range(size)]

    def put(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                    self.put(x, y, c)

    def ring(self, cx, cy, r, c):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if abs(d - r) < 0.6:
                    self.put(x, y, c)

    def save(self, rel):
        n = self.n
        row = n * 3
        pad = (4 - row % 4) % 4
        data = b''
        for y in range(n - 1, -1, -1):  # bottom-up rows
            for (r, g, b) in self.px[y]:
                data += bytes((b, g, r))
            data += b'\0' * pad
        header = b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, n, n, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        path = os.path.join(ROOT, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(header + info + data)


BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
BLUE = (0, 64, 192)
RED = (200, 0, 0)
GREEN = (0, 140, 0)
ORANGE = (230, 130, 0)
YELLOW = (240, 210, 0)
BROWN = (140, 80, 20)
SKIN = (240, 190, 150)


def page(c, accent):
    """A sheet of paper with a folded corner and a coloured title band."""
    c.rect(6, 2, 25, 29, WHITE)
    c.frame(6, 2, 25, 29, BLACK)
    c.line(20, 2, 25, 7, BLACK)
    c.rect(21, 2, 25, 6, MAGENTA)
    c.line(20, 2, 20, 7, BLACK)
    c.line(20, 7, 25, 7, BLACK)
    c.rect(8, 5, 18, 7, accent)


def text_lines(c, ys, x0=9, x1=22, col=GREY):
    for y in ys:
        c.line(x0, y, x1, y, col)


def cross(c, cx, cy, col):
    c.rect(cx - 1, cy - 4, cx + 1, cy + 4, col)
    c.rect(cx - 4, cy - 1, cx + 4, cy + 1, col)


def person(c, cx, top, col):
    c.disc(cx, top + 2, 2, SKIN)
    c.rect(cx - 3, top + 5, cx + 3, top + 11, col)
    c.rect(cx - 3, top + 12, cx - 1, top + 16, col)
    c.rect(cx + 1, top + 12, cx + 3, top + 16, col)


def icon_stanowiska():
    c = Canvas(32)
    c.rect(3, 18, 28, 20, BROWN)       # desk top
    c.rect(5, 21, 6, 28, BROWN)
    c.rect(25, 21, 26, 28, BROWN)
    c.rect(16, 9, 25, 16, BLACK)      # monitor
    c.rect(17, 10, 24, 15, BLUE)
    c.rect(20, 17, 21, 17, BLACK)
    person(c, 9, 3, GREEN)
    return c


def icon_pomiary():
    c = Canvas(32)
    c.disc(16, 17, 12, WHITE)
    c.ring(16, 17, 12, BLACK)
    for i, col in ((0, GREEN), (1, YELLOW), (2, ORANGE), (3, RED)):
        c.rect(7 + i * 5, 8, 10 + i * 5, 10, col)
    c.line(16, 17, 23, 9, RED)
    c.line(16, 18, 23, 10, RED)
    c.disc(16, 17, 2, BLACK)
    c.rect(9, 23, 23, 25, LIGHT)
    c.frame(9, 23, 23, 25, GREY)
    return c


def icon_zestawienie():
    c = Canvas(32)
    c.rect(3, 3, 28, 28, WHITE)
    c.frame(3, 3, 28, 28, BLACK)
    for x, h, col in ((6, 8, GREEN), (12, 14, YELLOW), (18, 19, ORANGE), (24, 10, RED)):
        c.rect(x, 26 - h, x + 3, 26, col)
    c.line(5, 26, 27, 26, BLACK)
    return c


def icon_czynniki():
    c = Canvas(32)
    c.rect(5, 3, 24, 28, BLUE)          # book
    c.rect(25, 5, 27, 29, LIGHT)
    c.line(5, 28, 25, 28, BLACK)
    c.frame(5, 3, 24, 28, BLACK)
    # warning triangle on the cover
    for y in range(9, 21):
        half = (y - 9) // 2
        c.line(15 - half, y, 15 + half, y, YELLOW)
    c.line(15, 9, 9, 21, BLACK)
    c.line(15, 9, 21, 21, BLACK)
    c.line(9, 21, 21, 21, BLACK)
    c.rect(15, 13, 15, 17, BLACK)
    c.put(15, 19, BLACK)
    return c


def doc_icon(accent, extra):
    c = Canvas(32)
    page(c, accent)
    extra(c)
    return c


def icon_protpow():
    return doc_icon(RED, lambda c: (text_lines(c, (11, 14, 17, 20, 23)), cross(c, 19, 24, RED)))


def icon_kartwyp():
    def extra(c):
        c.frame(9, 10, 22, 26, GREY)
        c.line(9, 14, 22, 14, GREY)
        c.line(9, 18, 22, 18, GREY)
        c.line(9, 22, 22, 22, GREY)
        c.line(15, 10, 15, 26, GREY)
        cross(c, 19, 24, RED)
    return doc_icon(RED, extra)


def icon_protprzes():
    def extra(c):
        text_lines(c, (11, 14, 17))
        c.disc(12, 23, 3, BLUE)          # speech bubble
        c.rect(14, 20, 21, 25, BLUE)
        c.line(21, 25, 23, 27, BLUE)
    return doc_icon(BLUE, extra)


def icon_polpostpow():
    def extra(c):
        for y in (11, 16, 21):
            c.frame(9, y, 11, y + 2, BLACK)
            c.line(13, y + 1, 22, y + 1, GREY)
        c.line(9, 12, 10, 13, GREEN)
        c.line(10, 13, 12, 10, GREEN)
        c.line(9, 17, 10, 18, GREEN)
        c.line(10, 18, 12, 15, GREEN)
    return doc_icon(ORANGE, extra)


def icon_kartrejwyp():
    def extra(c):
        for y in range(10, 27, 3):
            c.line(9, y, 22, y, GREY)
        c.line(12, 10, 12, 25, GREY)
        c.rect(9, 10, 11, 25, LIGHT)
    return doc_icon(BROWN, extra)


def icon_skw():
    def extra(c):
        for x, h in ((9, 5), (13, 9), (17, 7), (21, 12)):
            c.rect(x, 26 - h, x + 2, 26, BLUE)
        text_lines(c, (11,))
    return doc_icon(RED, extra)


def icon_kartwypdroga():
    def extra(c):
        c.rect(9, 18, 22, 26, GREY)       # road
        for x in range(10, 22, 4):
            c.line(x, 22, x + 1, 22, WHITE)
        text_lines(c, (11, 14))
        cross(c, 19, 14, RED)
    return doc_icon(RED, extra)


def icon_skierbad():
    def extra(c):
        text_lines(c, (11, 14))
        c.disc(15, 22, 5, WHITE)
        cross(c, 15, 22, GREEN)
    return doc_icon(GREEN, extra)


def icon_zaswszkol():
    def extra(c):
        text_lines(c, (11, 14, 17), x0=10, x1=21)
        c.disc(16, 23, 3, YELLOW)        # seal with ribbons
        c.ring(16, 23, 3, ORANGE)
        c.line(14, 26, 13, 29, RED)
        c.line(18, 26, 19, 29, RED)
    return doc_icon(BLUE, extra)


def icon_kartaszkol():
    def extra(c):
        text_lines(c, (11, 14, 17, 20))
        c.rect(10, 23, 20, 24, BLACK)    # mortarboard
        c.line(8, 23, 15, 20, BLACK)
        c.line(15, 20, 22, 23, BLACK)
        c.line(21, 23, 21, 27, RED)
    return doc_icon(GREEN, extra)


def icon_oprogramie():
    c = Canvas(16)
    c.disc(7, 7, 7, BLUE)
    c.rect(7, 3, 8, 4, WHITE)
    c.rect(7, 6, 8, 12, WHITE)
    return c


def icon_podrecznik():
    c = Canvas(16)
    c.rect(2, 1, 13, 14, YELLOW)
    c.frame(2, 1, 13, 14, BLACK)
    c.rect(2, 1, 3, 14, BROWN)
    c.rect(7, 3, 9, 4, BLUE)             # question mark
    c.put(10, 5, BLUE)
    c.put(10, 6, BLUE)
    c.rect(8, 7, 9, 8, BLUE)
    c.rect(8, 10, 9, 11, BLUE)
    return c


ICONS = {
    'stanowiska': icon_stanowiska, 'pomiary': icon_pomiary, 'zestawienie': icon_zestawienie,
    'czynniki': icon_czynniki, 'protpow': icon_protpow, 'kartwyp': icon_kartwyp,
    'protprzes': icon_protprzes, 'polpostpow': icon_polpostpow, 'kartrejwyp': icon_kartrejwyp,
    'skw': icon_skw, 'kartwypdroga': icon_kartwypdroga, 'skierbad': icon_skierbad,
    'zaswszkol': icon_zaswszkol, 'kartaszkol': icon_kartaszkol, 'oprogramie': icon_oprogramie,
    'podrecznik': icon_podrecznik,
}


def main():
    write_text(os.path.join('config', 'Tarvelin.xml'), config_lines())
    for name, draw in ICONS.items():
        draw().save(os.path.join('ikony', name + '.bmp'))


if __name__ == '__main__':
    main()
