#!/usr/bin/env python3
"""Draws the main window's tool-bar and menu pictures.

Each picture is 16x16, drawn here from simple shapes and pixel maps, and
written as a 24-bit BMP beside this script. Pixels left in the key colour
(magenta) take the button face or menu colour when the program loads the
picture, so the pictures suit any colour scheme.

Also writes PictureIds.h (resource ids) and Pictures.rc (the BITMAP lines),
so that the ids, the resource script and the files never disagree.

Run: python3 resources/pictures/draw_pictures.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16
KEY = (255, 0, 255)

PALETTE = {
    '.': KEY,
    'k': (0, 0, 0),
    'd': (64, 64, 64),
    'g': (128, 128, 128),
    'l': (200, 200, 200),
    'w': (255, 255, 255),
    'b': (0, 64, 200),
    'B': (110, 170, 245),
    'n': (0, 0, 128),
    'r': (210, 0, 0),
    'R': (128, 0, 0),
    'y': (255, 220, 60),
    'Y': (190, 140, 0),
    'e': (0, 165, 0),
    'E': (0, 96, 0),
    'o': (245, 130, 0),
    'p': (140, 0, 170),
    'c': (0, 170, 200),
    's': (150, 90, 30),
}


class Pic:
    def __init__(self):
        self.px = [[KEY] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = PALETTE[c] if isinstance(c, str) else c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def box(self, x0, y0, x1, y1, inside, edge='k'):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c, ring=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if d <= r * r:
                    self.set(x, y, c)
                    if ring and d > (r - 1.1) ** 2:
                        self.set(x, y, ring)

    def art(self, rows, x0=0, y0=0):
        """Pixel map: one string a row, '.' leaves the pixel as it is."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.set(x0 + dx, y0 + dy, ch)

    def text(self, s, x0, y0, c):
        x = x0
        for ch in s:
            glyph = FONT[ch]
            for dy, row in enumerate(glyph):
                for dx, bit in enumerate(row):
                    if bit == '#':
                        self.set(x + dx, y0 + dy, c)
            x += len(glyph[0]) + 1


# 3x5 letters for the few pictures that carry a sign.
FONT = {
    'A': ['.#.', '#.#', '###', '#.#', '#.#'],
    'B': ['##.', '#.#', '##.', '#.#', '##.'],
    '<': ['..#', '.#.', '#..', '.#.', '..#'],
    '>': ['#..', '.#.', '..#', '.#.', '#..'],
    'i': ['.#', '..', '##', '.#', '.#'],
}


# ----- shared shapes -----

def page(p, x0, y0, x1, y1, fold=3):
    """A sheet with a folded top right corner."""
    p.fill(x0, y0, x1, y1, 'w')
    p.frame(x0, y0, x1, y1, 'k')
    for i in range(fold):
        for j in range(fold - i):
            p.set(x1 - j, y0 + i, '.')
    p.line(x1 - fold, y0, x1, y0 + fold, 'k')
    p.line(x1 - fold, y0, x1 - fold, y0 + fold, 'g')
    p.line(x1 - fold, y0 + fold, x1, y0 + fold, 'g')


def text_lines(p, x0, x1, ys, c='g'):
    for y in ys:
        p.line(x0, y, x1, y, c)


BIG_DIGITS = {
    '1': ['.##.', '###.', '.##.', '.##.', '.##.', '.##.', '####'],
    '2': ['.###.', '##.##', '...##', '..##.', '.##..', '##...', '#####'],
}


def clipboard(p, digit, filled):
    """An extra clipboard: its number in the corner, text on it when filled."""
    p.box(1, 2, 12, 15, 's')
    p.fill(3, 4, 10, 13, 'w' if filled else 'l')
    p.frame(3, 4, 10, 13, 'g')
    p.box(4, 1, 9, 3, 'g')
    if filled:
        text_lines(p, 4, 9, [6, 8, 10, 12], 'b')
    p.box(8, 6, 15, 15, 'y')
    glyph = BIG_DIGITS[digit]
    x0 = 14 - len(glyph[0])
    for dy, row in enumerate(glyph):
        for dx, bit in enumerate(row):
            if bit == '#':
                p.set(x0 + dx, 7 + dy, 'k')


def magnifier(p, cx, cy, r=4):
    p.disc(cx, cy, r, 'B', ring='k')
    p.set(cx - 1, cy - 2, 'w')
    p.set(cx - 2, cy - 1, 'w')
    h = int(r * 0.7) + 1
    p.line(cx + h, cy + h, cx + h + 4, cy + h + 4, 's')
    p.line(cx + h + 1, cy + h, cx + h + 4, cy + h + 3, 's')
    p.line(cx + h, cy + h + 1, cx + h + 3, cy + h + 4, 'k')


def arrow(p, y, x_from, x_to, c, head=3):
    """A horizontal arrow of three-pixel shaft, head at x_to."""
    step = 1 if x_to > x_from else -1
    p.fill(min(x_from, x_to - step * head), y - 1, max(x_from, x_to - step * head), y + 1, c)
    for i in range(head + 1):
        x = x_to - step * i
        p.line(x, y - i, x, y + i, c)


def triangle(p, pointing, c, edge='k'):
    """A solid triangle filling the middle of the picture."""
    for i in range(10):
        half = 6.5 * (1 - i / 9.5)
        x = (3 + i) if pointing == 'right' else (12 - i)
        top, bottom = round(7.5 - half), round(7.5 + half)
        p.line(x, top, x, bottom, c)
        p.set(x, top, edge)
        p.set(x, bottom, edge)
    base = 3 if pointing == 'right' else 12
    p.line(base, 1, base, 14, edge)


def folder(p, open_=False):
    p.box(1, 4, 14, 14, 'Y')
    p.box(1, 3, 6, 5, 'Y')
    p.fill(2, 5, 5, 5, 'Y')
    if open_:
        for y in range(7, 15):
            off = (y - 7) // 3
            p.line(3 - off + 1, y, 15 - off, y, 'y')
        p.line(3, 7, 15, 7, 'k')
        p.line(15, 7, 13, 14, 'k')
        p.line(3, 7, 1, 14, 'k')
        p.line(1, 14, 13, 14, 'k')
    else:
        p.fill(2, 6, 13, 13, 'y')
        p.line(2, 6, 13, 6, 'w')


# ----- the pictures -----

def open_file(p):
    folder(p, open_=True)
    # an arrow out of the folder: "open"
    p.art(['..e..',
           '.eee.',
           'eeeee',
           '.eee.',
           '.eee.'], 9, 0)


def save(p):
    p.box(1, 1, 14, 14, 'b')
    p.box(4, 1, 11, 6, 'w', 'k')
    p.fill(9, 2, 10, 5, 'g')
    p.box(3, 9, 12, 14, 'l', 'k')
    p.fill(5, 11, 7, 13, 'n')
    p.set(13, 2, 'B')
    p.set(2, 13, 'B')


def print_(p):
    page(p, 4, 0, 11, 6, fold=2)
    text_lines(p, 5, 9, [3, 5], 'g')
    p.box(1, 6, 14, 12, 'l')
    p.line(2, 7, 13, 7, 'w')
    p.fill(11, 8, 12, 8, 'e')
    p.box(3, 10, 12, 15, 'w')
    text_lines(p, 5, 10, [12, 14], 'k')


def move_left(p):
    text_lines(p, 7, 14, [2, 5, 8, 11, 14], 'k')
    arrow(p, 8, 6, 0, 'b', head=3)


def move_right(p):
    text_lines(p, 1, 8, [2, 5, 8, 11, 14], 'k')
    arrow(p, 8, 9, 15, 'b', head=3)


def cut(p):
    p.art(['...k......k.....',
           '...k......k.....',
           '...kk....kk.....',
           '....k....k......',
           '....kk..kk......',
           '.....k..k.......',
           '.....kkkk.......',
           '......kk........',
           '.....rrrr.......',
           '....rr..rr......',
           '..rrr....rrr....',
           '.r..r....r..r...',
           'r...r....r...r..',
           'r...r....r...r..',
           '.r.r......r.r...',
           '..r........r....'], 1, 0)


def copy(p):
    page(p, 1, 1, 9, 11)
    text_lines(p, 3, 6, [5, 7, 9], 'g')
    page(p, 6, 4, 14, 15)
    text_lines(p, 8, 12, [8, 10, 12], 'b')


def paste(p):
    p.box(1, 2, 11, 14, 's')
    p.box(4, 1, 8, 3, 'g')
    page(p, 6, 6, 14, 15)
    text_lines(p, 8, 12, [10, 12], 'b')


def find_replace(p):
    page(p, 1, 1, 10, 14)
    text_lines(p, 3, 8, [5, 7, 9, 11], 'g')
    magnifier(p, 9, 7, 4)


def multi_find(p):
    page(p, 5, 0, 13, 8, fold=2)
    page(p, 3, 2, 11, 10, fold=2)
    page(p, 1, 4, 9, 12, fold=2)
    text_lines(p, 3, 6, [7, 9], 'g')
    magnifier(p, 9, 9, 3)


def colour_on(p):
    p.art(['bbb.rrrrr.......',
           '................',
           '..eeee.kkk.bbbb.',
           '................',
           '..rrr.bbbbbb....',
           '................',
           'ppp.kkk.eeeee...',
           '................',
           '..bbbbb.rrrr....',
           '................',
           '..eee.kkkk.ppp..',
           '................',
           'bbb.rrrrrrr.....'], 1, 2)


def colour_off(p):
    p.art(['ggg.ggggg.......',
           '................',
           '..gggg.ggg.gggg.',
           '................',
           '..ggg.gggggg....',
           '................',
           'ggg.ggg.ggggg...',
           '................',
           '..ggggg.gggg....',
           '................',
           '..ggg.gggg.ggg..',
           '................',
           'ggg.ggggggg.....'], 1, 2)
    p.disc(10, 10, 5, '.', ring='r')
    p.line(6, 14, 14, 6, 'r')
    p.line(6, 13, 13, 6, 'r')


def colour_picker(p):
    # an eyedropper over a drop of colour
    p.art(['...........kkk..',
           '..........krrrk.',
           '.........krrrrk.',
           '........kkrrrk..',
           '.......kwwkkk...',
           '......kwwwk.....',
           '.....kwwwk......',
           '....kwwwk.......',
           '...kwwwk........',
           '..kBwwk.........',
           '.kBBBk..........',
           '.kBBk...........',
           '..kk............',
           '................',
           '................'], 0, 0)
    p.disc(11, 12, 3, 'b', ring='n')


def view_image(p):
    p.box(0, 2, 15, 13, 'B')
    p.frame(1, 3, 14, 12, 'w')
    p.disc(11, 6, 1.6, 'y')
    for x in range(2, 14):
        top = 11 - min(abs(x - 5), 4) if x < 10 else 11 - min(abs(x - 11), 2) - 1
        p.line(x, max(top, 5), x, 11, 'e')
    p.line(2, 11, 13, 11, 'E')


def syntax_check(p):
    page(p, 1, 0, 11, 15)
    text_lines(p, 3, 8, [4, 6, 8, 10, 12], 'g')
    p.fill(8, 6, 15, 15, '.')
    p.art(['.......kk',
           '......kek',
           '.....keek',
           'kk..keek.',
           'kekkeek..',
           'keeeek...',
           '.keek....',
           '..kk.....'], 7, 7)


def line_debug_on(p):
    page(p, 0, 0, 9, 15)
    text_lines(p, 2, 7, [4, 8, 12], 'g')
    p.fill(1, 6, 8, 6, 'y')
    p.line(2, 6, 7, 6, 'k')
    p.disc(11.5, 11.5, 3.8, 'e', ring='E')
    p.set(10, 10, 'w')
    p.set(11, 10, 'w')


def line_debug_off(p):
    page(p, 0, 0, 9, 15)
    text_lines(p, 2, 7, [4, 8, 12], 'g')
    p.fill(1, 6, 8, 6, 'l')
    p.line(2, 6, 7, 6, 'g')
    p.disc(11.5, 11.5, 3.8, 'r', ring='R')
    p.line(10, 10, 13, 13, 'w')
    p.line(13, 10, 10, 13, 'w')


def snippets(p):
    # three books on a shelf
    p.box(1, 3, 4, 14, 'r')
    p.line(2, 5, 3, 5, 'y')
    p.line(2, 12, 3, 12, 'y')
    p.box(5, 1, 8, 14, 'b')
    p.line(6, 3, 7, 3, 'y')
    p.line(6, 12, 7, 12, 'y')
    for i in range(4):
        p.line(10 + i, 3 + i // 2, 10 + i, 3 + i // 2, 'k')
    p.art(['..kkk...',
           '.keeek..',
           '.keeeek.',
           'keeeeek.',
           'keyeyk..',
           'keeeek..',
           'keeeek..',
           'keeeek..',
           'keeeek..',
           'keeeek..',
           'keyyek..',
           'keeeek..',
           'kkkkkk..'], 9, 2)
    p.line(0, 15, 15, 15, 's')


def run_script(p):
    triangle(p, 'right', 'e', 'E')


def object_browser(p):
    p.box(0, 0, 6, 5, 'y')
    p.line(3, 6, 3, 12, 'k')
    p.line(3, 8, 7, 8, 'k')
    p.line(3, 12, 7, 12, 'k')
    p.box(8, 6, 14, 10, 'B')
    p.box(8, 11, 14, 15, 'e')
    p.box(9, 0, 15, 4, 'r')
    p.line(7, 2, 8, 2, 'k')


def auto_insert_setup(p):
    # a gear over a list of buttons
    p.box(0, 1, 8, 4, 'l', 'g')
    p.box(0, 6, 8, 9, 'l', 'g')
    p.box(0, 11, 8, 14, 'l', 'g')
    p.disc(10.5, 10.5, 4.9, 'g', ring='k')
    for dx, dy in [(0, -5), (0, 5), (-5, 0), (5, 0), (-4, -4), (4, 4), (-4, 4), (4, -4)]:
        p.set(int(10.5 + dx), int(10.5 + dy), 'k')
    p.disc(10.5, 10.5, 1.8, 'w', ring='k')


def tag_params(p):
    p.box(0, 3, 15, 12, 'w', 'b')
    p.text('<', 2, 5, 'b')
    p.text('i', 7, 5, 'r')
    p.text('>', 11, 5, 'b')


def clip1_empty(p):
    clipboard(p, '1', filled=False)


def clip1_full(p):
    clipboard(p, '1', filled=True)


def clip2_empty(p):
    clipboard(p, '2', filled=False)


def clip2_full(p):
    clipboard(p, '2', filled=True)


def toggle_bars(p):
    p.box(0, 1, 10, 5, 'l', 'k')
    for x in (2, 5, 8):
        p.fill(x, 3, x + 1, 3, 'b')
    p.box(5, 10, 15, 14, 'l', 'k')
    for x in (7, 10, 13):
        p.fill(x, 12, x + 1, 12, 'r')
    p.line(13, 3, 13, 7, 'e')
    p.art(['eee', '.e.'], 12, 7)
    p.line(2, 8, 2, 12, 'e')
    p.art(['.e.', 'eee'], 1, 6)


def view_webpage(p):
    page(p, 0, 0, 11, 15)
    text_lines(p, 2, 7, [3, 5], 'g')
    p.disc(9.5, 9.5, 5.2, 'B', ring='n')
    p.line(9, 5, 9, 14, 'n')
    p.line(5, 9, 14, 9, 'n')
    p.line(7, 6, 7, 12, 'e')
    p.line(12, 6, 12, 12, 'e')
    p.fill(10, 10, 12, 12, 'e')


def scroll_left(p):
    triangle(p, 'left', 'b', 'n')


def scroll_right(p):
    triangle(p, 'right', 'b', 'n')


BIG_LETTERS = {
    'P': ['####.', '#...#', '#...#', '####.', '#....', '#....', '#....'],
    'V': ['#...#', '#...#', '#...#', '#...#', '.#.#.', '.#.#.', '..#..'],
}


def popup_button(p, letter, colour):
    """A drop-down list button: a big letter and the list's arrow."""
    p.box(0, 2, 15, 13, 'w', 'g')
    for dy, row in enumerate(BIG_LETTERS[letter]):
        for dx, bit in enumerate(row):
            if bit == '#':
                p.set(2 + dx, 4 + dy, colour)
                p.set(3 + dx, 4 + dy, colour)
    p.fill(10, 3, 14, 12, 'l')
    p.line(10, 3, 10, 12, 'g')
    p.art(['kkkkk', '.kkk.', '..k..'], 10, 7)


def css_property(p):
    popup_button(p, 'P', 'p')


def css_value(p):
    popup_button(p, 'V', 'b')


# Menu pictures: the main window's menuIm array.

def curved_arrow(p, left):
    """Undo and redo: an arrow bending back over a line of text."""
    art = ['......bbbbb.....',
           '....bb.....bb...',
           '...b.........b..',
           '..b...........b.',
           '..b...........b.',
           'bbbbb.........b.',
           '.bbb.........b..',
           '..b.........b...']
    for dy, row in enumerate(art):
        if not left:
            row = row[::-1]
        p.art([row], 0, 2 + dy)
    text_lines(p, 2, 13, [12, 14], 'k')


def menu_undo(p):
    curved_arrow(p, True)


def menu_redo(p):
    curved_arrow(p, False)


def menu_select_all(p):
    p.fill(1, 1, 14, 14, 'B')
    text_lines(p, 3, 12, [4, 7, 10], 'n')
    for i in range(0, 16, 2):
        for x, y in [(i, 0), (i + 1, 15), (0, i + 1), (15, i)]:
            p.set(x, y, 'k')


def menu_clear(p):
    text_lines(p, 1, 14, [2, 5], 'k')
    # an eraser over the wiped line
    p.art(['......kkkkkkk',
           '.....krrrrrrk',
           '....krrrrrrk.',
           '...kwwwwrrk..',
           '..kwwwwwkk...',
           '.kwwwwwk.....',
           '.kkkkkk......'], 1, 8)


def menu_find(p):
    # binoculars
    p.box(1, 3, 6, 13, 'd')
    p.box(9, 3, 14, 13, 'd')
    p.box(6, 5, 9, 9, 'g')
    p.disc(3.5, 11, 2.2, 'B', ring='k')
    p.disc(11.5, 11, 2.2, 'B', ring='k')
    p.fill(2, 1, 5, 3, 'g')
    p.fill(10, 1, 13, 3, 'g')


def menu_wrap(p):
    text_lines(p, 0, 15, [2], 'k')
    text_lines(p, 0, 9, [6], 'k')
    p.art(['bbbbbbbbbbbbb..',
           '.............b.',
           '..............b',
           '..............b',
           '..b..........b.',
           '.bbbbbbbbbbbb..',
           '..b............'], 0, 6)
    text_lines(p, 3, 9, [11], 'k')
    text_lines(p, 0, 12, [14], 'k')


def menu_returns(p):
    # the pilcrow
    p.art(['....kkkkkkk.',
           '..kkkkkk.k..',
           '.kkkkkkk.k..',
           '.kkkkkkk.k..',
           '..kkkkkk.k..',
           '....kkkk.k..',
           '.......k.k..',
           '.......k.k..',
           '.......k.k..',
           '.......k.k..',
           '......kk.kk.'], 1, 2)
    p.art(['...e',
           '...e',
           '.e.e',
           'eeee',
           '.e..'], 12, 10)


def menu_upper_tags(p):
    p.box(0, 3, 15, 12, 'w', 'b')
    p.text('<', 1, 5, 'b')
    p.text('A', 5, 5, 'r')
    p.text('B', 9, 5, 'r')
    p.text('>', 13, 5, 'b')


def menu_settings(p):
    # a settings sheet with sliders
    p.box(1, 0, 14, 15, 'w')
    for y, knob in [(3, 9), (7, 5), (11, 10)]:
        p.line(3, y, 12, y, 'g')
        p.box(knob - 1, y - 2, knob + 1, y + 2, 'B', 'n')


PICTURES = [
    # (file and resource name, control, index, draw)
    ('ButB_0', 'ButB', 0, open_file),
    ('ButB_1', 'ButB', 1, save),
    ('ButB_2', 'ButB', 2, print_),
    ('ButB_3', 'ButB', 3, move_left),
    ('ButB_4', 'ButB', 4, move_right),
    ('ButB_5', 'ButB', 5, cut),
    ('ButB_6', 'ButB', 6, copy),
    ('ButB_7', 'ButB', 7, paste),
    ('ButB_9', 'ButB', 9, find_replace),
    ('ButB_10', 'ButB', 10, multi_find),
    ('ButB_11', 'ButB', 11, colour_on),
    ('ButB_12', 'ButB', 12, colour_off),
    ('ButB_13', 'ButB', 13, colour_picker),
    ('ButB_14', 'ButB', 14, view_image),
    ('ButB_15', 'ButB', 15, syntax_check),
    ('ButB_16', 'ButB', 16, line_debug_on),
    ('ButB_17', 'ButB', 17, line_debug_off),
    ('ButB_18', 'ButB', 18, snippets),
    ('ButB_19', 'ButB', 19, run_script),
    ('ButB_22', 'ButB', 22, object_browser),
    ('ButB_23', 'ButB', 23, auto_insert_setup),
    ('ButB_24', 'ButB', 24, tag_params),
    ('ButB_25', 'ButB', 25, clip1_empty),
    ('ButB_26', 'ButB', 26, clip1_full),
    ('ButB_27', 'ButB', 27, clip2_empty),
    ('ButB_28', 'ButB', 28, clip2_full),
    ('bsw', 'bsw', -1, toggle_bars),
    ('bview2', 'bview2', -1, view_webpage),
    ('bStatScroll_0', 'bStatScroll', 0, scroll_left),
    ('bStatScroll_1', 'bStatScroll', 1, scroll_right),
    ('bPropCSS_0', 'bPropCSS', 0, css_property),
    ('bPropCSS_1', 'bPropCSS', 1, css_value),
    ('menuIm_0', 'menuIm', 0, menu_undo),
    ('menuIm_1', 'menuIm', 1, menu_redo),
    ('menuIm_2', 'menuIm', 2, menu_select_all),
    ('menuIm_3', 'menuIm', 3, menu_clear),
    ('menuIm_4', 'menuIm', 4, menu_upper_tags),
    ('menuIm_6', 'menuIm', 6, menu_find),
    ('menuIm_7', 'menuIm', 7, menu_wrap),
    ('menuIm_8', 'menuIm', 8, menu_settings),
    ('menuIm_9', 'menuIm', 9, menu_returns),
]

FIRST_ID = 200


def write_bmp(path, pic):
    row_bytes = SIZE * 3  # already a multiple of four
    data = bytearray()
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            r, g, b = pic.px[y][x]
            data += bytes((b, g, r))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def main():
    ids = []
    for n, (name, control, index, draw) in enumerate(PICTURES):
        pic = Pic()
        draw(pic)
        write_bmp(os.path.join(HERE, name + '.bmp'), pic)
        ids.append((name, FIRST_ID + n))
    with open(os.path.join(HERE, 'PictureIds.h'), 'w', newline='\n') as f:
        f.write('#pragma once\n// Written by draw_pictures.py: resource ids of the main window\'s pictures.\n\n')
        for name, rid in ids:
            f.write('#define IDB_%s %d\n' % (name, rid))
    with open(os.path.join(HERE, 'Pictures.rc'), 'w', newline='\n') as f:
        f.write('// Written by draw_pictures.py.\n')
        for name, rid in ids:
            f.write('IDB_%s BITMAP "pictures/%s.bmp"\n' % (name, name))


if __name__ == '__main__':
    main()
