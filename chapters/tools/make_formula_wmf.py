#!/usr/bin/env python3
"""Builds the Windows metafiles (WMF) of the formula pictures in the chapters.

A formula is described in a small TeX-like notation:

    R_{\\rm{H}} = \\frac{1}{nq}

- Latin letters are italic variables (Times New Roman italic); digits,
  parentheses, bars and the words exp, ln, log are upright.
- Greek letters are upright, from the same font in its Greek character set;
  + = × · from the same font too; the minus sign, arrows, ∝, angle brackets
  and the circled signs ⊗ ⊙ are drawn with lines. No Symbol font is used:
  its substitutes differ between readers (a hyphen for the minus, other
  widths around the equals sign).
- _{...} and ^{...} (or _x and ^x for one character) give sub- and superscripts,
  \\frac{num}{den} a fraction with its bar, \\sqrt{...} a square root,
  \\rm{...} upright text,
  \\bf{...} bold (vectors), '\\,' a thin space and '\\ ' a normal space.

Figures (plain drawings) are described as a list of lines and text items.

The metafile has the standard 18-byte header and uses these records only:
SetWindowOrg, SetWindowExt, SetMapMode (MM_ANISOTROPIC), SetTextColor,
SetBkMode (TRANSPARENT), SetTextAlign (baseline), CreateFontIndirect,
CreatePenIndirect, SelectObject, DeleteObject, TextOut, ExtTextOut, MoveTo,
LineTo and the EOF record. Logical units are twips (1/1440 inch), so the
window extent is the picture size in twips.

Only the Python 3 standard library is used. Run as a script to write the
formulas given on the command line (name=notation) to .wmf files.
"""

import math
import re
import struct
import sys

# ---------------------------------------------------------------- metrics

# Advance widths in 1/1000 em (Times New Roman; the substitute fonts on Linux
# are metric-compatible).
_ROMAN = {
    ' ': 250, '!': 333, '(': 333, ')': 333, '+': 564, ',': 250, '-': 333,
    '.': 250, '/': 278, ':': 278, '=': 564, '|': 200, '[': 333, ']': 333,
    'A': 722, 'B': 667, 'C': 667, 'D': 722, 'E': 611, 'F': 556, 'G': 722,
    'H': 722, 'I': 333, 'J': 389, 'K': 722, 'L': 611, 'M': 889, 'N': 722,
    'O': 722, 'P': 556, 'Q': 722, 'R': 667, 'S': 556, 'T': 611, 'U': 722,
    'V': 722, 'W': 944, 'X': 722, 'Y': 722, 'Z': 611,
    'a': 444, 'b': 500, 'c': 444, 'd': 500, 'e': 444, 'f': 333, 'g': 500,
    'h': 500, 'i': 278, 'j': 278, 'k': 500, 'l': 278, 'm': 778, 'n': 500,
    'o': 500, 'p': 500, 'q': 500, 'r': 333, 's': 389, 't': 278, 'u': 500,
    'v': 500, 'w': 722, 'x': 500, 'y': 500, 'z': 444,
    '×': 564, '·': 250, '\u2019': 333, "'": 180, '²': 300, '³': 300,
}
_ITALIC = dict(_ROMAN)
_ITALIC.update({
    'A': 611, 'B': 611, 'E': 611, 'F': 611, 'J': 444, 'K': 667, 'L': 556,
    'M': 833, 'N': 667, 'P': 611, 'R': 611, 'S': 500, 'T': 556, 'V': 611,
    'W': 833, 'X': 611, 'Y': 556, 'Z': 556,
    'a': 500, 'f': 278, 'k': 444, 'm': 722, 'r': 389, 'v': 444, 'w': 667,
    'x': 444, 'y': 444, 'z': 389, '|': 278,
})
_BOLD = dict(_ROMAN)
_BOLD.update({
    'B': 667, 'E': 667, 'F': 611, 'J': 500, 'v': 500, 'a': 500, 'b': 556,
    'n': 556, 'p': 556, 'q': 556, 'r': 444, 'x': 500,
})
for _d in '0123456789':
    _ROMAN[_d] = _ITALIC[_d] = _BOLD[_d] = 500

# Greek letters come from the text font itself, in its Greek character set
# (Windows-1253): any reader of metafiles shows them, unlike the Symbol font,
# whose substitutes differ from one program to another.
# Unicode character -> (byte in Windows-1253, width in 1/1000 em).
GREEK = {
    'α': (0xE1, 524), 'β': (0xE2, 509), 'γ': (0xE3, 442), 'δ': (0xE4, 471),
    'ε': (0xE5, 420), 'θ': (0xE8, 479), 'λ': (0xEB, 485), 'μ': (0xEC, 536),
    'ν': (0xED, 452), 'π': (0xF0, 505), 'ρ': (0xF1, 499), 'σ': (0xF3, 539),
    'τ': (0xF4, 402), 'φ': (0xF6, 577), 'χ': (0xF7, 444), 'ω': (0xF9, 658),
    'Δ': (0xC4, 643), 'Σ': (0xD3, 582), 'Ω': (0xD9, 743),
}

# Operators and relations: spacing on both sides, in 1/1000 em.
OPERATOR_SPACE = {'+': 160, '−': 160, '×': 160, '=': 220, '→': 220, '∝': 220}

# Signs no 8-bit character set holds (or only the Symbol font): drawn with
# lines, in 1/1000 em, y upwards from the baseline, as (width, strokes).
# The minus is the bar of the plus sign; the arrow and the brackets span the
# height of the letters.
_AXIS_Y = 250
DRAWN = {
    '−': (564, [[(60, _AXIS_Y), (504, _AXIS_Y)]]),
    '→': (1000, [[(60, _AXIS_Y), (930, _AXIS_Y)],
                 [(780, _AXIS_Y + 100), (930, _AXIS_Y), (780, _AXIS_Y - 100)]]),
    '⟨': (333, [[(270, 720), (80, _AXIS_Y), (270, -220)]]),
    '⟩': (333, [[(63, 720), (253, _AXIS_Y), (63, -220)]]),
    '′': (260, [[(230, 700), (100, 420)]]),
}


def _proportional_strokes():
    """∝: a loop on the left whose two ends cross and open to the right."""
    pts = []
    for k in range(0, 29):
        t = math.radians(45 + k * 270 / 28)
        pts.append((270 + 170 * math.cos(t), _AXIS_Y + 150 * math.sin(t)))
    return [[(640, _AXIS_Y - 190)] + [(round(x), round(y)) for x, y in pts] + [(640, _AXIS_Y + 190)]]


def _circled(inner):
    """⊗ and ⊙: a circle with a cross or a dot, on the axis."""
    circle = [(round(400 + 330 * math.cos(math.radians(a))), round(_AXIS_Y + 330 * math.sin(math.radians(a))))
              for a in range(0, 361, 15)]
    if inner == 'cross':
        d = round(330 * 0.7071)
        marks = [[(400 - d, _AXIS_Y - d), (400 + d, _AXIS_Y + d)], [(400 - d, _AXIS_Y + d), (400 + d, _AXIS_Y - d)]]
    else:
        dot = [(round(400 + 45 * math.cos(math.radians(a))), round(_AXIS_Y + 45 * math.sin(math.radians(a))))
               for a in range(0, 361, 45)]
        marks = [dot, [(385, _AXIS_Y), (415, _AXIS_Y)]]
    return (800, [circle] + marks)


DRAWN['∝'] = (713, _proportional_strokes())
DRAWN['⊗'] = _circled('cross')
DRAWN['⊙'] = _circled('dot')

BASE_SIZE = 240     # 12 pt in twips
SCRIPT_SIZE = 168   # 8.4 pt: sub- and superscripts
ASCENT = 0.72       # of the font size, above the baseline (with some air)
DESCENT = 0.24
AXIS = 0.26         # height of the fraction bar above the baseline


def glyph_width(ch, style, size):
    if style == 'gr':
        return GREEK[ch][1] * size / 1000.0
    table = {'it': _ITALIC, 'bf': _BOLD}.get(style, _ROMAN)
    return table.get(ch, 600) * size / 1000.0


# ---------------------------------------------------------------- boxes

class Box:
    """A laid-out piece: width, ascent and descent in twips, and the drawing
    items relative to its origin (left end of the baseline, y downwards)."""

    def __init__(self, width=0.0, ascent=0.0, descent=0.0, items=None):
        self.width = width
        self.ascent = ascent
        self.descent = descent
        self.items = items or []   # ('text', x, y, str, style, size) / ('line', x0, y0, x1, y1)

    def place(self, other, dx, dy):
        for it in other.items:
            if it[0] == 'text':
                self.items.append(('text', it[1] + dx, it[2] + dy) + it[3:])
            else:
                self.items.append(('line', it[1] + dx, it[2] + dy, it[3] + dx, it[4] + dy))


def text_box(s, style, size):
    w = sum(glyph_width(c, style, size) for c in s)
    return Box(w, ASCENT * size, DESCENT * size, [('text', 0.0, 0.0, s, style, size)])


def drawn_box(ch, size):
    width, strokes = DRAWN[ch]
    box = Box(width * size / 1000.0, ASCENT * size, DESCENT * size)
    k = size / 1000.0
    for stroke in strokes:
        for (x0, y0), (x1, y1) in zip(stroke, stroke[1:]):
            box.items.append(('line', x0 * k, -y0 * k, x1 * k, -y1 * k))
    return box


def hbox(boxes):
    out = Box()
    x = 0.0
    for b in boxes:
        out.place(b, x, 0.0)
        x += b.width
        out.ascent = max(out.ascent, b.ascent)
        out.descent = max(out.descent, b.descent)
    out.width = x
    return out


def scripts_box(base, sub, sup, size):
    out = Box()
    out.place(base, 0.0, 0.0)
    out.ascent, out.descent = base.ascent, base.descent
    x = base.width + 0.04 * size
    w = 0.0
    if sub is not None:
        dy = max(0.22 * size, base.descent + sub.ascent - 0.55 * size)
        out.place(sub, x, dy)
        out.descent = max(out.descent, dy + sub.descent)
        w = max(w, sub.width)
    if sup is not None:
        dy = -max(0.42 * size, base.ascent - 0.45 * size)
        out.place(sup, x, dy)
        out.ascent = max(out.ascent, -dy + sup.ascent)
        w = max(w, sup.width)
    out.width = x + w + 0.03 * size
    return out


def frac_box(num, den, size):
    pad = 0.12 * size
    gap = 0.10 * size
    w = max(num.width, den.width) + 2 * pad
    axis = -AXIS * size
    out = Box(w)
    ny = axis - gap - num.descent
    dy = axis + gap + den.ascent
    out.place(num, (w - num.width) / 2, ny)
    out.place(den, (w - den.width) / 2, dy)
    out.items.append(('line', 0.04 * size, axis, w - 0.04 * size, axis))
    out.ascent = -ny + num.ascent
    out.descent = dy + den.descent
    return out


def sqrt_box(inner, size):
    """A radical sign drawn with lines, its bar over the whole argument."""
    rise = 0.12 * size
    width = 0.5 * size
    top = -(inner.ascent + rise)
    bottom = inner.descent + 0.05 * size
    out = Box()
    out.place(inner, width + 0.04 * size, 0.0)
    pts = [(0.0, -0.38 * size), (0.12 * size, -0.46 * size), (0.26 * size, bottom),
           (width, top), (width + inner.width + 0.1 * size, top)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        out.items.append(('line', x0, y0, x1, y1))
    out.width = pts[-1][0] + 0.04 * size
    out.ascent = -top + 0.05 * size
    out.descent = bottom
    return out


def brackets_box(inner, size):
    """Round brackets around a box: the font's own around a line of text,
    drawn arcs as tall as the box around a fraction."""
    if inner.ascent <= 1.65 * ASCENT * size and inner.descent <= 2.2 * DESCENT * size:   # scripts, no fraction
        return hbox([text_box('(', 'rm', size), inner, text_box(')', 'rm', size)])
    top = -(inner.ascent + 0.02 * size)
    bottom = inner.descent + 0.02 * size
    height = bottom - top
    bulge = 0.10 * size + 0.03 * height
    width = bulge + 0.12 * size
    out = Box()
    steps = 16
    for k in range(steps):
        for left in (True, False):
            t0, t1 = k / steps, (k + 1) / steps
            x0, x1 = (0.06 * size + bulge * (1 - math.sin(math.pi * t)) for t in (t0, t1))
            if not left:    # the mirror image
                x0, x1 = 2 * width + inner.width - x0, 2 * width + inner.width - x1
            out.items.append(('line', x0, top + t0 * height, x1, top + t1 * height))
    out.place(inner, width, 0.0)
    out.width = 2 * width + inner.width
    out.ascent = -top
    out.descent = bottom
    return out


# ---------------------------------------------------------------- parser

UPRIGHT_WORDS = ('exp', 'ln', 'log')


class FormulaSyntaxError(ValueError):
    pass


class _Parser:
    def __init__(self, text):
        self.s = text
        self.i = 0

    def peek(self):
        return self.s[self.i] if self.i < len(self.s) else ''

    def group(self, size, style):
        """Reads {...} or a single character."""
        if self.peek() == '{':
            self.i += 1
            box = self.sequence(size, style, '}')
            if self.peek() != '}':
                raise FormulaSyntaxError('missing } in ' + self.s)
            self.i += 1
            return box
        if not self.peek():
            raise FormulaSyntaxError('argument expected at end of ' + self.s)
        return self.atom(size, style)

    def command(self, size, style):
        self.i += 1  # the backslash
        if self.peek() in (',', ' '):
            ch = self.peek()
            self.i += 1
            return Box((0.17 if ch == ',' else 0.25) * size, 0, 0)
        start = self.i
        while self.peek().isalpha():
            self.i += 1
        name = self.s[start:self.i]
        if name == 'frac':
            num = self.group(SCRIPT_SIZE if size < BASE_SIZE else size, style)
            den = self.group(SCRIPT_SIZE if size < BASE_SIZE else size, style)
            return frac_box(num, den, size)
        if name == 'sqrt':
            return sqrt_box(self.group(size, style), size)
        if name in ('rm', 'it', 'bf'):
            return self.group(size, name)
        raise FormulaSyntaxError('unknown command \\' + name)

    def atom(self, size, style):
        ch = self.peek()
        if ch == '\\':
            return self.command(size, style)
        if ch == '{':
            return self.group(size, style)
        if ch.isalpha() and ch not in GREEK:
            j = self.i
            while j < len(self.s) and self.s[j].isalpha() and self.s[j] not in GREEK:
                j += 1
            word = self.s[self.i:j]
            if style == 'it' and word in UPRIGHT_WORDS:
                self.i = j
                return text_box(word, 'rm', size)
            self.i += 1
            return text_box(ch, style, size)
        self.i += 1
        if ch in GREEK:
            box = text_box(ch, 'gr', size)
        elif ch in DRAWN:
            box = drawn_box(ch, size)
        else:
            try:
                ch.encode('cp1252')
            except UnicodeEncodeError:
                raise FormulaSyntaxError('no way to show %r in %s' % (ch, self.s))
            box = text_box(ch, 'rm' if style == 'it' else style, size)
        if ch == ',':      # between arguments, as in V(+I, +B)
            box = hbox([box, Box(0.2 * size, 0, 0)])
        if ch in OPERATOR_SPACE and not (ch in '+−' and self.unary(self.i - 1)):
            sp = OPERATOR_SPACE[ch] * size / 1000.0
            box = hbox([Box(sp, 0, 0), box, Box(sp, 0, 0)])
        return box

    def unary(self, at):
        """A sign with no operand before it, as in V(−B) or −V_H: no spacing."""
        before = re.sub(r'\\[ ,]', ' ', self.s[:at]).rstrip()
        return not before or before[-1] in '(,{='

    def bracketed(self, size, style):
        """(...) with brackets as tall as what they hold, or None when the
        bracket is not closed within the same group."""
        start = self.i
        self.i += 1
        inner = self.sequence(size, style, ')')
        if self.peek() != ')':
            self.i = start
            return None
        self.i += 1
        return brackets_box(inner, size)

    def sequence(self, size, style, stop=''):
        parts = []
        while self.peek() and self.peek() != stop and not (stop == ')' and self.peek() == '}'):
            ch = self.peek()
            if ch == ' ':
                self.i += 1
                continue
            if ch == '(':
                box = self.bracketed(size, style)
                if box is not None:
                    parts.append(box)
                    continue
            if ch in '_^':
                if not parts:
                    raise FormulaSyntaxError('script without base in ' + self.s)
                base = parts.pop()
                sub = sup = None
                while self.peek() in ('_', '^'):
                    mark = self.peek()
                    self.i += 1
                    arg = self.group(SCRIPT_SIZE, style)
                    if mark == '_':
                        sub = arg
                    else:
                        sup = arg
                parts.append(scripts_box(base, sub, sup, size))
                continue
            parts.append(self.atom(size, style))
        return hbox(parts)


def layout_formula(text):
    p = _Parser(text)
    box = p.sequence(BASE_SIZE, 'it')
    if p.i != len(text):
        raise FormulaSyntaxError('unexpected } in ' + text)
    return box


# ---------------------------------------------------------------- WMF writer

META_EOF = 0x0000
META_SETBKMODE = 0x0102
META_SETMAPMODE = 0x0103
META_SELECTOBJECT = 0x012D
META_SETTEXTALIGN = 0x012E
META_DELETEOBJECT = 0x01F0
META_SETTEXTCOLOR = 0x0209
META_SETWINDOWORG = 0x020B
META_SETWINDOWEXT = 0x020C
META_LINETO = 0x0213
META_MOVETO = 0x0214
META_CREATEPENINDIRECT = 0x02FA
META_CREATEFONTINDIRECT = 0x02FB
META_TEXTOUT = 0x0521
META_EXTTEXTOUT = 0x0A32

MM_ANISOTROPIC = 8
TRANSPARENT = 1
TA_BASELINE = 24
PS_SOLID = 0
FW_NORMAL = 400
FW_BOLD = 700
ANSI_CHARSET = 0
SYMBOL_CHARSET = 2
GREEK_CHARSET = 161
FF_ROMAN_VARIABLE = 0x12   # FF_ROMAN | VARIABLE_PITCH
FF_DECORATIVE_VARIABLE = 0x52


class WmfWriter:
    """Collects records and keeps the object table (lowest free slot first)."""

    def __init__(self):
        self.records = []
        self.slots = []          # None = free slot
        self.max_objects = 0

    def record(self, function, payload=b''):
        if len(payload) % 2:
            payload += b'\0'
        size_words = 3 + len(payload) // 2
        self.records.append(struct.pack('<IH', size_words, function) + payload)

    def words(self, function, *values):
        self.record(function, struct.pack('<%dh' % len(values), *values))

    def _new_object(self, description):
        for i, s in enumerate(self.slots):
            if s is None:
                self.slots[i] = description
                break
        else:
            self.slots.append(description)
            i = len(self.slots) - 1
        self.max_objects = max(self.max_objects, len(self.slots))
        return i

    def create_font(self, height, italic, bold, charset, face):
        name = face.encode('ascii')[:31]
        logfont = struct.pack('<5h8B', -int(height), 0, 0, 0, FW_BOLD if bold else FW_NORMAL,
                              1 if italic else 0, 0, 0, charset, 0, 0, 2,
                              FF_DECORATIVE_VARIABLE if charset == SYMBOL_CHARSET else FF_ROMAN_VARIABLE)
        logfont += name + b'\0' * (32 - len(name))
        self.record(META_CREATEFONTINDIRECT, logfont)
        return self._new_object(('font', face, height, italic, bold))

    def create_pen(self, width, rgb=(0, 0, 0)):
        self.record(META_CREATEPENINDIRECT,
                    struct.pack('<HhhBBBB', PS_SOLID, int(width), 0, rgb[0], rgb[1], rgb[2], 0))
        return self._new_object(('pen', width))

    def select(self, index):
        self.words(META_SELECTOBJECT, index)

    def delete(self, index):
        self.words(META_DELETEOBJECT, index)
        self.slots[index] = None

    def text_out(self, x, y, data):
        payload = struct.pack('<h', len(data)) + data + (b'\0' if len(data) % 2 else b'')
        payload += struct.pack('<hh', int(y), int(x))
        self.record(META_TEXTOUT, payload)

    def ext_text_out(self, x, y, data, dx=None):
        payload = struct.pack('<hhhH', int(y), int(x), len(data), 0)
        payload += data + (b'\0' if len(data) % 2 else b'')
        if dx:
            payload += struct.pack('<%dh' % len(dx), *dx)
        self.record(META_EXTTEXTOUT, payload)

    def finish(self):
        self.record(META_EOF)
        body = b''.join(self.records)
        total_words = 9 + len(body) // 2
        max_record = max(struct.unpack_from('<I', r)[0] for r in self.records)
        header = struct.pack('<HHHIHIH', 1, 9, 0x0300, total_words, self.max_objects, max_record, 0)
        return header + body


def _font_key(style, size):
    if style == 'gr':
        return ('Times New Roman', size, False, False, GREEK_CHARSET)
    return ('Times New Roman', size, style == 'it', style == 'bf', ANSI_CHARSET)


def _encode(s, style):
    if style == 'gr':
        return bytes(GREEK[c][0] for c in s)
    return s.encode('cp1252')


def render(box, margin=40):
    """Turns a laid-out box into WMF bytes; returns (bytes, width, height) in twips."""
    width = int(round(box.width + 2 * margin))
    height = int(round(box.ascent + box.descent + 2 * margin))
    ox, oy = margin, margin + box.ascent
    w = WmfWriter()
    w.words(META_SETWINDOWORG, 0, 0)
    w.words(META_SETWINDOWEXT, height, width)
    w.words(META_SETMAPMODE, MM_ANISOTROPIC)
    w.record(META_SETTEXTCOLOR, struct.pack('<BBBB', 0, 0, 0, 0))
    w.words(META_SETBKMODE, TRANSPARENT)
    w.words(META_SETTEXTALIGN, TA_BASELINE)

    # Adjacent characters of the same font on the same baseline form one run.
    runs = []
    for it in box.items:
        if it[0] != 'text':
            continue
        _, x, y, s, style, size = it
        if runs and runs[-1]['key'] == (style, size) and abs(runs[-1]['y'] - y) < 0.5 \
                and abs(runs[-1]['end'] - x) < 0.5:
            runs[-1]['s'] += s
            runs[-1]['end'] = x + sum(glyph_width(c, style, size) for c in s)
        else:
            runs.append({'key': (style, size), 'x': x, 'y': y, 's': s,
                         'end': x + sum(glyph_width(c, style, size) for c in s)})

    current = None      # (key, slot) of the selected font
    for run in runs:
        style, size = run['key']
        if current is None or current[0] != run['key']:
            face, height_, italic, bold, charset = _font_key(style, size)
            slot = w.create_font(height_, italic, bold, charset, face)
            w.select(slot)
            if current is not None:
                w.delete(current[1])
            current = (run['key'], slot)
        data = _encode(run['s'], style)
        x = ox + run['x']
        y = oy + run['y']
        if len(data) == 1:
            w.text_out(round(x), round(y), data)
        else:
            widths = [glyph_width(c, style, size) for c in run['s']]
            dx, acc, pos = [], 0.0, 0
            for gw in widths:       # integer advances without drift
                acc += gw
                dx.append(int(round(acc)) - pos)
                pos += dx[-1]
            w.ext_text_out(round(x), round(y), data, dx)

    lines = [it for it in box.items if it[0] == 'line']
    if lines:
        pen = w.create_pen(max(12, BASE_SIZE // 20))
        w.select(pen)
        for _, x0, y0, x1, y1 in lines:
            w.words(META_MOVETO, int(round(oy + y0)), int(round(ox + x0)))
            w.words(META_LINETO, int(round(oy + y1)), int(round(ox + x1)))
        w.delete(pen)
    if current is not None:
        w.delete(current[1])
    return w.finish(), width, height


def formula_wmf(text):
    """WMF bytes, width and height (twips) of a formula in the notation above."""
    return render(layout_formula(text))


def figure_wmf(width, height, items, pen_width=15):
    """WMF of a drawing: items are ('line', x0, y0, x1, y1[, width]) and
    ('text', x, y, notation[, size]) in twips, y downwards, text placed by its
    baseline; the text uses the formula notation."""
    box = Box(width, 0, height)
    for it in items:
        if it[0] == 'line':
            box.items.append(('line',) + tuple(it[1:5]))
        else:
            _, x, y, notation = it[:4]
            sub = layout_formula(notation)
            box.place(sub, x, y)
    return render(box, margin=0)


# ---------------------------------------------------------------- checking

def check_wmf(data):
    """Parses WMF bytes back and raises ValueError on any inconsistency;
    returns a summary dict (records by function, window extent)."""
    if len(data) < 18 or len(data) % 2:
        raise ValueError('too short or odd length')
    mtype, hsize, version, size_words, nobj, max_rec, nparams = struct.unpack_from('<HHHIHIH', data)
    if mtype not in (1, 2) or hsize != 9 or version not in (0x0100, 0x0300) or nparams != 0:
        raise ValueError('bad header fields')
    if size_words * 2 != len(data):
        raise ValueError('header size %d words, data %d bytes' % (size_words, len(data)))
    pos = 18
    largest = 0
    counts = {}
    slots = []
    ext = None
    fonts = []
    saw_eof = False
    while pos < len(data):
        if saw_eof:
            raise ValueError('data after EOF record')
        if pos + 6 > len(data):
            raise ValueError('truncated record header')
        rsize, func = struct.unpack_from('<IH', data, pos)
        if rsize < 3 or pos + rsize * 2 > len(data):
            raise ValueError('record size %d out of range at %d' % (rsize, pos))
        params = data[pos + 6:pos + rsize * 2]
        largest = max(largest, rsize)
        counts[func] = counts.get(func, 0) + 1
        if func == META_EOF:
            if rsize != 3:
                raise ValueError('EOF record of size %d' % rsize)
            saw_eof = True
        elif func in (META_CREATEFONTINDIRECT, META_CREATEPENINDIRECT):
            need = 18 if func == META_CREATEFONTINDIRECT else 10
            if len(params) < need:
                raise ValueError('object record too short')
            if func == META_CREATEFONTINDIRECT:
                face = params[18:].split(b'\0', 1)[0].decode('latin-1')
                fonts.append((face, params[13]))
            for i, s in enumerate(slots):
                if s is None:
                    slots[i] = func
                    break
            else:
                slots.append(func)
        elif func in (META_SELECTOBJECT, META_DELETEOBJECT):
            (idx,) = struct.unpack_from('<H', params)
            if idx >= len(slots) or slots[idx] is None:
                raise ValueError('object %d used but not defined' % idx)
            if func == META_DELETEOBJECT:
                slots[idx] = None
        elif func == META_SETWINDOWEXT:
            h, w = struct.unpack_from('<hh', params)
            ext = (w, h)
        elif func == META_TEXTOUT:
            (n,) = struct.unpack_from('<h', params)
            if len(params) != 2 + n + (n % 2) + 4:
                raise ValueError('TextOut length mismatch')
        elif func == META_EXTTEXTOUT:
            n, opts = struct.unpack_from('<hH', params, 4)
            rest = len(params) - 8 - (8 if opts & 0x0006 else 0) - n - (n % 2)
            if rest not in (0, 2 * n):
                raise ValueError('ExtTextOut length mismatch')
        pos += rsize * 2
    if not saw_eof:
        raise ValueError('no EOF record')
    if largest != max_rec:
        raise ValueError('header max record %d, largest %d' % (max_rec, largest))
    if len(slots) > nobj:
        raise ValueError('header says %d objects, %d used' % (nobj, len(slots)))
    if any(s is not None for s in slots):
        raise ValueError('objects left undeleted')
    if ext is None:
        raise ValueError('no SetWindowExt')
    return {'counts': counts, 'extent': ext, 'objects': nobj, 'fonts': fonts}


def main(argv):
    if not argv:
        print('usage: make_formula_wmf.py name=notation ...', file=sys.stderr)
        return 2
    for arg in argv:
        name, _, notation = arg.partition('=')
        data, wd, ht = formula_wmf(notation)
        check_wmf(data)
        with open(name + '.wmf', 'wb') as f:
            f.write(data)
        print('%s.wmf: %d bytes, %d x %d twips' % (name, len(data), wd, ht))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
