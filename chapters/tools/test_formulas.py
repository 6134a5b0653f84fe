#!/usr/bin/env python3
"""Tests of the formula pictures: what each metafile draws, read back record by
record, with the positions worked from the font's advance widths. Standard
library only; run as a script."""

import os
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import make_formula_wmf as mfw    # noqa: E402

EM = mfw.BASE_SIZE                # twips in one em of the formulas' text


def drawn(data):
    """The texts (x, y, bytes, face, charset, italic) and lines a metafile draws."""
    texts, lines, objects, font, pos = [], [], [], None, (0, 0)
    at = 18
    while at < len(data):
        size, func = struct.unpack_from('<IH', data, at)
        p = data[at + 6:at + size * 2]
        if func == mfw.META_CREATEFONTINDIRECT:
            new = (p[18:].split(b'\0')[0].decode('latin-1'), p[13], p[10])
        elif func == mfw.META_CREATEPENINDIRECT:
            new = ('pen',)
        if func in (mfw.META_CREATEFONTINDIRECT, mfw.META_CREATEPENINDIRECT):
            slot = objects.index(None) if None in objects else len(objects)
            objects[slot:slot + 1] = [new]
        elif func == mfw.META_SELECTOBJECT:
            obj = objects[struct.unpack_from('<H', p)[0]]
            font = obj if len(obj) == 3 else font
        elif func == mfw.META_DELETEOBJECT:
            objects[struct.unpack_from('<H', p)[0]] = None
        elif func == mfw.META_TEXTOUT:
            (n,) = struct.unpack_from('<h', p)
            y, x = struct.unpack_from('<hh', p, 2 + n + n % 2)
            texts.append((x, y, p[2:2 + n]) + font)
        elif func == mfw.META_EXTTEXTOUT:
            y, x, n = struct.unpack_from('<hhh', p)
            texts.append((x, y, p[8:8 + n]) + font)
        elif func == mfw.META_MOVETO:
            y, x = struct.unpack_from('<hh', p)
            pos = (x, y)
        elif func == mfw.META_LINETO:
            y, x = struct.unpack_from('<hh', p)
            lines.append(pos + (x, y))
            pos = (x, y)
        at += size * 2
    return texts, lines


def formula(notation):
    data, _, _ = mfw.formula_wmf(notation)
    return drawn(data)


def text_at(texts, byte):
    return next(t for t in texts if t[2] == byte)


class CharactersTest(unittest.TestCase):
    def test_no_symbol_font_and_greek_letters_in_the_greek_code_page(self):
        # Windows-1253 places: α 0xE1, μ 0xEC, ρ 0xF1, σ 0xF3, τ 0xF4, Δ 0xC4, Σ 0xD3, Ω 0xD9.
        for letter, byte in (('α', 0xE1), ('μ', 0xEC), ('ρ', 0xF1), ('σ', 0xF3), ('τ', 0xF4),
                             ('Δ', 0xC4), ('Σ', 0xD3), ('Ω', 0xD9)):
            with self.subTest(letter=letter):
                texts, _ = formula('x = ' + letter)
                greek = text_at(texts, bytes([byte]))
                self.assertEqual(greek[3:5], ('Times New Roman', 161))
                self.assertFalse(greek[5], 'Greek letters are upright')
        texts, _ = formula(r'R_{\rm{H}} = \frac{p − nb^2}{e(p + nb)^2} × 2·σ → ∝ ⟨τ⟩')
        self.assertEqual({t[3] for t in texts}, {'Times New Roman'})
        self.assertNotIn(2, {t[4] for t in texts})

    def test_the_minus_sign_is_a_bar_as_long_as_the_plus_signs(self):
        texts, lines = formula('a − b + c')
        self.assertFalse(any(b'-' in t[2] for t in texts), 'no hyphen for the minus')
        a, b = text_at(texts, b'a'), text_at(texts, b'b')
        bars = [l for l in lines if l[1] == l[3] and a[0] < l[0] < b[0]]
        self.assertEqual(len(bars), 1)
        x0, y0, x1, _ = bars[0]
        # Times' plus is 0.564 em wide and centred on the maths axis, a quarter em up.
        self.assertAlmostEqual(x1 - x0, 0.444 * EM, delta=2)
        self.assertAlmostEqual(a[1] - y0, 0.25 * EM, delta=1)

    def test_equal_spaces_on_both_sides_of_a_relation(self):
        # Advance widths of Times: italic a 0.5 em, '=' 0.564 em.
        texts, _ = formula('a = b')
        a, eq, b = text_at(texts, b'a'), text_at(texts, b'='), text_at(texts, b'b')
        before = eq[0] - (a[0] + 0.5 * EM)
        after = b[0] - (eq[0] + 0.564 * EM)
        self.assertAlmostEqual(before, after, delta=1)
        self.assertAlmostEqual(before, 0.22 * EM, delta=1.5)

    def test_a_sign_with_nothing_before_it_has_no_space(self):
        # The gap from the glyph before to the minus bar (which starts 0.06 em into
        # its box): none after a bracket, only the relation's own 0.22 em after '=',
        # and 0.16 em after an operand. Widths of Times: '(' 0.333, '=' 0.564, ',' 0.25, italic a 0.5 em.
        cases = [('V(−B)', b'(', 0.333, 0.0), ('x = −y', b'=', 0.564, 0.22), ('a − b', b'a', 0.5, 0.16),
                 ('V(I, −B)', b',', 0.25, 0.2)]     # after a comma, the comma's own space
        for notation, before, width, space in cases:
            with self.subTest(notation):
                texts, lines = formula(notation)
                left = text_at(texts, before)
                bar = min((l for l in lines if l[0] > left[0]), key=lambda l: l[0])
                gap = bar[0] - 0.06 * EM - (left[0] + width * EM)
                self.assertAlmostEqual(gap, space * EM, delta=1.5)

    def test_a_sign_the_fonts_lack_is_refused_rather_than_lost(self):
        with self.assertRaises(mfw.FormulaSyntaxError):
            mfw.formula_wmf('a ≫ b')


class LayoutTest(unittest.TestCase):
    def test_a_fraction_puts_its_bar_on_the_axis_between_its_parts(self):
        texts, lines = formula(r'y = \frac{1}{2}')
        y, one, two = text_at(texts, b'y'), text_at(texts, b'1'), text_at(texts, b'2')
        bar = max(lines, key=lambda l: l[2] - l[0])
        self.assertLess(one[1], bar[1])
        self.assertGreater(two[1], bar[1])
        self.assertAlmostEqual(y[1] - bar[1], mfw.AXIS * EM, delta=1)
        self.assertEqual(one[0], two[0], 'numerator and denominator centred alike')

    def test_a_square_root_covers_its_argument(self):
        texts, lines = formula(r'\sqrt{ab}')
        a = text_at(texts, b'ab')
        bar = [l for l in lines if l[1] == l[3]]
        self.assertEqual(len(bar), 1)
        self.assertLess(bar[0][0], a[0])
        self.assertGreaterEqual(bar[0][2], a[0] + (0.5 + 0.5) * EM)
        self.assertLess(bar[0][1], a[1] - 0.6 * EM, 'the bar is above the letters')

    def test_brackets_grow_around_a_fraction_only(self):
        for line in ('e(a + b)', 'u(R_{\\rm{H}})', '(p + nb)^2', 'e^{(x^2)}'):
            with self.subTest(line):
                texts, lines = formula(line)
                self.assertIn(b'(', b''.join(t[2] for t in texts), "the font's bracket around a line")
        texts, lines = formula(r'exp(\frac{1}{2})')
        self.assertNotIn(b'(', b''.join(t[2] for t in texts))
        one, two = text_at(texts, b'1'), text_at(texts, b'2')
        left = [l for l in lines if max(l[0], l[2]) < one[0]]
        right = [l for l in lines if min(l[0], l[2]) > one[0] + 0.5 * EM]
        for side in (left, right):
            top = min(min(l[1], l[3]) for l in side)
            bottom = max(max(l[1], l[3]) for l in side)
            self.assertLess(top, one[1] - mfw.ASCENT * mfw.BASE_SIZE)     # above the numerator
            self.assertGreater(bottom, two[1])                            # below the denominator's baseline
        # Mirror images: as far from the fraction on either side.
        self.assertAlmostEqual(one[0] - max(max(l[0], l[2]) for l in left),
                               min(min(l[0], l[2]) for l in right) - (one[0] + 0.5 * EM), delta=3)

    def test_every_picture_fits_inside_its_frame(self):
        import build_chapters as bc
        for name, notation in bc.load_formulas().items():
            with self.subTest(name):
                data, w, h = mfw.formula_wmf(notation)
                self.assertEqual(mfw.check_wmf(data)['extent'], (w, h))
                texts, lines = drawn(data)
                for x0, y0, x1, y1 in lines:
                    self.assertTrue(0 <= min(x0, x1) and max(x0, x1) <= w, name)
                    self.assertTrue(0 <= min(y0, y1) and max(y0, y1) <= h, name)
                for t in texts:
                    self.assertTrue(0 <= t[0] < w and 0 < t[1] < h, name)


if __name__ == '__main__':
    unittest.main()
