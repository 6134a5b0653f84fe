#!/usr/bin/env python3
"""Tests of the chapter tools: the RTF writer's characters and tables, the
checker's verdicts on damaged chapters, and the derived quantities and fits
drawn in the figures. Standard library only; run as a script."""

import contextlib
import io
import math
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bench_data                 # noqa: E402
import build_chapters as bc       # noqa: E402
import check_chapters as cc       # noqa: E402
import check_content             # noqa: E402
import make_formula_wmf as mfw    # noqa: E402

# A 3 x 2 pixel PNG, whole (signature, IHDR, IDAT, IEND).
PNG_3X2 = bytes.fromhex(
    '89504e470d0a1a0a0000000d49484452000000030000000208020000001216f14d'
    '0000001049444154789c63e03a2107410c70160037dc05a17ec958450000000049454e44ae426082')

HEAD = (r'{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\froman\fcharset0 Times New Roman;}}'
        r'{\colortbl;\red0\green0\blue0;}')


def rtf(body, fonts=None):
    head = HEAD if fonts is None else HEAD.replace(r'{\f0\froman\fcharset0 Times New Roman;}', fonts)
    return (head + body + '}').encode('ascii')


def png_pict(data, w, h, goal_w, goal_h):
    return (r'{\pict\pngblip\picw%d\pich%d\picwgoal%d\pichgoal%d %s}'
            % (w, h, goal_w, goal_h, data.hex()))


class CharactersTest(unittest.TestCase):
    def test_each_character_is_written_so_any_reader_shows_it(self):
        # Code points from the Unicode tables; the fallback is what a reader
        # without Unicode shows, so it must be one plain ASCII character.
        cases = [
            ('σ', r'\u963s'),       # U+03C3
            ('μ', r'\u956u'),       # U+03BC
            ('Ω', r'\u937W'),       # U+03A9
            ('−', r'\u8722-'),      # U+2212 minus sign, not the hyphen
            ('≈', r'\u8776~'),      # U+2248
            ('≫', r'\u8811>'),      # U+226B
            ('é', r"\'e9"),         # in code page 1252: no \u needed
            ('·', r"\'b7"),
            ('µ', r"\'b5"),         # micro sign, unlike the Greek mu
            ('{', r'\{'),
            ('a', 'a'),
            ('⟨', r'\u10216<'),     # U+27E8 angle bracket, shown as less-than
            ('⟩', r'\u10217>'),
            ('∫', r'\u8747?'),      # no close ASCII look-alike
        ]
        for char, expected in cases:
            with self.subTest(char=char):
                self.assertEqual(bc.rtf_char(char), expected)

    def test_formula_lines_use_no_symbol_font(self):
        out = bc.math_rtf('σ = e(nμ_n + pμ_p)')
        self.assertNotIn(r'\f2', out)
        self.assertIn(r'\u963s', out)
        self.assertIn(r'{\sub ', out)

    def test_a_chapter_written_by_the_builder_passes_the_checker(self):
        data = bc.chapter_rtf('= Título\n\n$$ ρ = 1/σ $$\n\nTexto con $μ_H$.\n', 'Prueba', {}, set())
        pictures, objects, text = cc.check_rtf(data.encode('ascii'), 'prueba.rtf')
        self.assertIn('ρ = 1/σ', text)
        self.assertIn('μH', text)


class TableTest(unittest.TestCase):
    def test_rows_become_paragraphs_with_the_given_tab_stops(self):
        rows = bc.table_rtf(['@tabla 3000 6000', 'A | B | C', 'x | $μ$ | z'])
        self.assertEqual(len(rows), 2)
        for row in rows:
            self.assertIn(r'\tx3000\tx6000', row)
            self.assertEqual(row.count(r'\tab '), 2)
        self.assertIn(r'\b', rows[0].split(' ', 1)[0])        # heading in bold
        self.assertNotIn(r'\b\\', rows[1].split(' ', 1)[0])

    def test_a_row_with_more_cells_than_columns_is_refused(self):
        with self.assertRaises(bc.SourceError):
            bc.table_rtf(['@tabla 3000', 'a | b | c'])


class CheckerTest(unittest.TestCase):
    def verdict(self, data):
        try:
            cc.check_rtf(data, 'prueba.rtf')
            return None
        except cc.RtfError as e:
            return str(e)

    def test_damaged_documents_are_refused_and_sound_ones_pass(self):
        cases = [
            ('plain text', rtf(r'\pard Hola\par'), None),
            ('unicode with fallback', rtf(r'\pard \u963s\par'), None),
            ('whole png', rtf(png_pict(PNG_3X2, 3, 2, 300, 200)), None),
            ('symbol font in the table', rtf('', r'{\f0\froman\fcharset2 Symbol;}'), 'Symbol'),
            ('symbol character set', rtf('', r'{\f0\fnil\fcharset2 Otra;}'), 'Symbol'),
            ('unicode without fallback', rtf(r'\pard \u963\par'), 'fallback'),
            ('undefined font', rtf(r'\pard\f7 x\par'), 'font 7'),
            ('png cut short', rtf(png_pict(PNG_3X2[:-4], 3, 2, 300, 200)), 'cut short'),
            ('not a png', rtf(png_pict(b'GIF89a' + PNG_3X2[6:], 3, 2, 300, 200)), 'not a PNG'),
            ('png size not picw/pich', rtf(png_pict(PNG_3X2, 2, 3, 300, 200)), 'pixels'),
            ('goal of another shape', rtf(png_pict(PNG_3X2, 3, 2, 300, 300)), 'shape'),
            ('no goal size', rtf(png_pict(PNG_3X2, 3, 2, 0, 0)), 'shape'),
            ('unbalanced', rtf(r'{\pard x\par'), 'left open'),
        ]
        for name, data, fault in cases:
            with self.subTest(name):
                verdict = self.verdict(data)
                if fault is None:
                    self.assertIsNone(verdict)
                else:
                    self.assertIsNotNone(verdict)
                    self.assertIn(fault, verdict)

    def test_word_minimum_holds_at_the_limit(self):
        saved = dict(cc.EXPECTED)
        try:
            cc.EXPECTED['prueba.rtf'] = (5, [])
            for words, passes in ((4, False), (5, True), (6, True)):
                with self.subTest(words=words):
                    data = rtf(r'\pard ' + ' '.join(['palabra'] * words) + r'\par')
                    self.assertEqual(self.verdict(data) is None, passes)
        finally:
            cc.EXPECTED.clear()
            cc.EXPECTED.update(saved)

    def test_a_missing_or_different_figure_is_reported(self):
        saved = dict(cc.EXPECTED)
        try:
            cc.EXPECTED['prueba.rtf'] = (0, ['rho_T'])
            with open(os.path.join(cc.FIGURES, 'rho_T.png'), 'rb') as f:
                figure = f.read()
            w, h = cc.png_size(figure)
            shown = rtf(png_pict(figure, w, h, 8400, round(8400 * h / w)))
            self.assertIsNone(self.verdict(shown))
            other = rtf(png_pict(PNG_3X2, 3, 2, 300, 200))
            self.assertIn('rho_T', self.verdict(other))
        finally:
            cc.EXPECTED.clear()
            cc.EXPECTED.update(saved)

    def test_the_shipped_chapters_pass(self):
        for name in cc.CHAPTER_FILES:
            with self.subTest(name):
                with open(os.path.join(cc.ROOT, name), 'rb') as f:
                    self.assertIsNone(self.verdict_named(f.read(), name))

    def test_the_shipped_chapters_are_those_the_sources_give(self):
        # A source edited without rebuilding would ship stale chapters.
        with tempfile.TemporaryDirectory() as out:
            with contextlib.redirect_stdout(io.StringIO()):
                self.assertEqual(bc.main([out]), 0)
            for name in cc.CHAPTER_FILES:
                with self.subTest(name):
                    with open(os.path.join(out, name), 'rb') as f, \
                            open(os.path.join(cc.ROOT, name), 'rb') as g:
                        self.assertTrue(f.read() == g.read(),
                                        name + ' is not rebuilt from chapters/src')

    def verdict_named(self, data, name):
        try:
            cc.check_rtf(data, name)
            return None
        except cc.RtfError as e:
            return str(e)


def wmf_pict(data, w, h):
    return (r'{\pict\wmetafile8\picw%d\pich%d\picwgoal%d\pichgoal%d %s}'
            % (round(w * 2540 / 1440), round(h * 2540 / 1440), w, h, data.hex()))


class ContentCheckTest(unittest.TestCase):
    def test_a_metafile_drawing_with_the_symbol_font_is_refused(self):
        for face, charset, refused in (('Symbol', 2, True), ('Symbol', 0, True),
                                       ('Times New Roman', 2, True), ('Times New Roman', 161, False)):
            with self.subTest(face=face, charset=charset):
                w = mfw.WmfWriter()
                w.words(mfw.META_SETWINDOWEXT, 100, 100)
                w.select(w.create_font(240, False, False, charset, face))
                w.text_out(10, 50, b'a')
                w.delete(0)
                data = rtf(wmf_pict(w.finish(), 100, 100))
                try:
                    cc.check_rtf(data, 'prueba.rtf')
                    verdict = None
                except cc.RtfError as e:
                    verdict = str(e)
                self.assertEqual(verdict is not None and 'Symbol' in verdict, refused)

    def test_print_resolution_at_the_limit(self):
        # 8400 twips are 5.833 inches: 1750 pixels give exactly 300 dpi.
        for pixels, ok in ((1749, False), (1750, True), (1751, True), (560, False)):
            with self.subTest(pixels=pixels):
                self.assertEqual(check_content.check_resolution('f', pixels, 8400) == [], ok)

    def test_figure_texts_in_spanish_notation(self):
        cases = [
            ('0,7664 ± 0,0003 eV', None),
            ('10³/T (K⁻¹)', None),
            ('−2', None),
            ('Muestra 1 (tipo n)', None),
            ('0.7664 ± 0.0003 eV', 'decimal point'),
            ('-2', 'hyphen'),
            ('ajuste: -1,66', 'hyphen'),
            ('1000/T (1/K)', '1/K'),
        ]
        png = b'figura'
        digest = __import__('hashlib').sha256(png).hexdigest()
        with tempfile.TemporaryDirectory() as tmp:
            saved = check_content.FIGURES
            check_content.FIGURES = tmp
            try:
                for text, fault in cases:
                    with self.subTest(text):
                        with open(os.path.join(tmp, 'f.textos'), 'w', encoding='utf-8') as f:
                            f.write('# textos de f.png, sha256 %s\n%s\n' % (digest, text))
                        faults = check_content.check_figure_texts('f', png)
                        if fault is None:
                            self.assertEqual(faults, [])
                        else:
                            self.assertEqual(len(faults), 1)
                            self.assertIn(fault, faults[0])
                with self.subTest('texts of another drawing'):
                    self.assertIn('does not belong', check_content.check_figure_texts('f', b'otra')[0])
                os.remove(os.path.join(tmp, 'f.textos'))
                with self.subTest('no texts kept'):
                    self.assertIn('no list', check_content.check_figure_texts('f', png)[0])
            finally:
                check_content.FIGURES = saved

    def test_numbers_and_units_on_one_line(self):
        nb = '\u00a0'
        cases = [
            ('a 300 K y', 1), ('a 300' + nb + 'K y', 0), ('10 mA, 0,9 T', 2),
            ('un 15 %', 1), ('2,0·10−4 m', 1), ('3 muestras', 0), ('2 minutos', 0),
            ('la 1 A', 1), ('K 300', 0), ('4,4·10−4 eV/K', 1), ('1 Ω·cm', 1),
        ]
        for text, faults in cases:
            with self.subTest(text):
                self.assertEqual(len(check_content.check_unit_spaces('c', text)), faults)

    def test_the_builder_keeps_numbers_with_their_units(self):
        cases = [
            ('a 300 K', r'a 300\~K'),
            ('$10^{−4}$ m', r'\~m'),
            ('**10** mA', r'}\~mA'),
            (r'$E_g(300\ \rm{K})$', r'300\~'),
            ('3 muestras', '3 muestras'),
        ]
        for source, expected in cases:
            with self.subTest(source):
                self.assertIn(expected, bc.text_rtf(source))

    def test_the_model_source_gives_the_bench_material(self):
        # Worked by hand from the bench's material: N_c = 4 x 0.216^1.5 x 2.5e19,
        # N_v = 2.5e19 (0.35^1.5 + 0.042^1.5) = 5.392e18, n_i with k = 8.5e-5 eV/K,
        # mu_n = 4.9e7 x 300^-1.66 and mu_p = 1.05e9 x 300^-2.33 (cm2/(V s)).
        m = check_content.model_constants()
        self.assertAlmostEqual(m['Nc'] / 1e19, 1.003, places=3)
        self.assertAlmostEqual(m['Nv'] / 1e18, 5.392, places=3)
        self.assertAlmostEqual(m['ni'] / 1e13, 1.763, places=3)
        self.assertAlmostEqual(m['Eg0'], 0.792)
        self.assertAlmostEqual(m['mun'], 3785.9, delta=0.1)
        self.assertAlmostEqual(m['mup'], 1776.2, delta=0.1)
        self.assertEqual(m['geometry'][1], (0.3, 0.2, 0.01))

    def test_a_constants_table_that_differs_from_the_model_is_reported(self):
        with open(os.path.join(check_content.SRC, 'Intro.txt'), encoding='utf-8') as f:
            intro = f.read()
        model = check_content.model_constants()
        self.assertEqual(check_content.check_constants_table(intro, model), [])
        cases = [
            ('Nc', 1.006e19, 'N_c'),     # shows 1,00, would show 1,01
            ('ni', 2.10e13, 'n_i'),      # what the true k would give
            ('mun', 3786.6, 'μ_n'),      # 3787
            ('expp', 2.3, 'μ_p'),        # the exponent 2,33 beside the unit's 2
            ('Eg0', 0.79251, 'E_{'),     # 0,793
            ('heavy', 0.36, 'Huecos'),
        ]
        for key, value, row in cases:
            with self.subTest(key):
                changed = dict(model, **{key: value})
                faults = check_content.check_constants_table(intro, changed)
                self.assertEqual(len(faults), 1)
                self.assertIn(row, faults[0])

    def test_the_worked_example_is_checked_step_by_step(self):
        with open(os.path.join(check_content.SRC, 'Discusion.txt'), encoding='utf-8') as f:
            source = f.read()
        geometry = check_content.model_constants()['geometry']
        self.assertEqual(check_content.check_example_arithmetic(source, geometry), [])
        for old, new, what in (('0,8253', '0,8235', 'ρ'), ('1,212', '1,221', 'σ'),
                               ('2,00·10^{15}', '2,10·10^{15}', 'n'), ('3786$', '3768$', 'μ_H')):
            with self.subTest(what):
                faults = check_content.check_example_arithmetic(source.replace(old, new, 1), geometry)
                self.assertEqual(len(faults), 1)
                self.assertIn(what, faults[0])

    def test_the_worked_example_against_a_fresh_sweep(self):
        try:
            program = check_content.find_sweep_program()
        except check_content.Skipped as e:
            self.skipTest(str(e))
        with open(os.path.join(check_content.SRC, 'Discusion.txt'), encoding='utf-8') as f:
            source = f.read()
        self.assertEqual(check_content.check_example_against_sweep(source, program), [])
        # 0.3 % off in the resistivity reading, beyond the bench's drift.
        line = '1,300,9000,10,1.237989,0.281204,-0.281204'
        self.assertIn(line, source)
        wrong = source.replace(line, '1,300,9000,10,1.241700,0.281204,-0.281204')
        faults = check_content.check_example_against_sweep(wrong, program)
        self.assertEqual(len(faults), 1)
        self.assertIn('V_r', faults[0])

    def test_every_displayed_formula_is_a_picture(self):
        # One style: formula lines in text would look unlike the pictures.
        for name, _, _ in bc.CHAPTERS:
            with self.subTest(name):
                with open(os.path.join(check_content.SRC, name), encoding='utf-8') as f:
                    lines = [l for l in f.read().splitlines() if l.startswith('$$')]
                self.assertEqual(lines, [])


class BenchDataTest(unittest.TestCase):
    def test_worked_example_of_the_chapters(self):
        # Sample 1 at 300 K, 10 mA, 9000 G, as the bench writes it. Expected
        # values worked by hand: rho = 1.237989*0.2*0.01/(0.010*0.3),
        # R_H = -0.281204*0.01*1e11/(10*9000), mu_H = |R_H|/rho.
        r = bench_data.derive(1, 300, 9000, 10, 1.237989, 0.281204, -0.281204)
        self.assertAlmostEqual(r['rho'], 0.825326, places=6)
        self.assertAlmostEqual(r['VH'], -0.281204, places=9)
        self.assertAlmostEqual(r['RH'], -3124.489, places=3)
        self.assertAlmostEqual(r['muH'], 3785.8, delta=0.1)
        n = 1 / (bench_data.E * abs(r['RH']))
        self.assertAlmostEqual(n / 1e15, 1.998, places=3)

    def test_sample_two_uses_its_own_geometry(self):
        # d = 0.015 cm and L/(a d) = 0.4/(0.25*0.015): 1 V at 10 mA is 9.375e-1 ohm cm.
        r = bench_data.derive(2, 300, 9000, 10, 1.0, -0.1, 0.1)
        self.assertAlmostEqual(r['rho'], 0.25 * 0.015 / (0.010 * 0.4), places=9)
        self.assertAlmostEqual(r['RH'], 0.1 * 0.015 * 1e11 / (10 * 9000), places=6)

    def test_least_squares_slope_and_its_uncertainty(self):
        # Points (1,1), (2,3), (3,2): slope 0.5, intercept 1, residuals
        # -0.5, 1, -0.5, so s_m = sqrt(1.5 / 1 / 2).
        slope, icpt, u = bench_data.fit_line([1, 2, 3], [1, 3, 2])
        self.assertAlmostEqual(slope, 0.5)
        self.assertAlmostEqual(icpt, 1.0)
        self.assertAlmostEqual(u, math.sqrt(0.75))
        # Points on a line give the line with no uncertainty.
        slope, icpt, u = bench_data.fit_line([0.002, 0.0015, 0.001], [-4.0, -2.0, 0.0])
        self.assertAlmostEqual(slope, -4000.0)
        self.assertAlmostEqual(u, 0.0, places=9)

    def test_a_fit_needs_three_points(self):
        for n, ok in ((2, False), (3, True)):
            with self.subTest(points=n):
                xs, ys = list(range(n)), [2 * x for x in range(n)]
                if ok:
                    self.assertAlmostEqual(bench_data.fit_line(xs, ys)[0], 2.0)
                else:
                    self.assertRaises(ValueError, bench_data.fit_line, xs, ys)

    def test_results_carry_two_significant_figures_of_their_uncertainty(self):
        # Rounded by hand: the uncertainty to two significant figures, the value
        # to the same decimal place, decimal comma, true minus sign.
        cases = [
            (0.7663785, 0.00029749, 'eV', '0,76638 ± 0,00030\u00a0eV'),
            (0.7776189, 0.0010343, 'eV', '0,7776 ± 0,0010\u00a0eV'),
            (1.659014, 0.000841, '', '1,65901 ± 0,00084'),
            (-3124.49, 12.34, '', '\u22123124 ± 12'),
            (0.12345, 0.0995, '', '0,12 ± 0,10'),       # 0.0995 rounds up a place
            (0.12345, 0.0994, '', '0,123 ± 0,099'),
            (452.6, 99.6, '', '450 ± 100'),
            (-0.0001, 0.02, '', '0,000 ± 0,020'),       # no "−0,000"
        ]
        for value, u, unit, expected in cases:
            with self.subTest(value=value, u=u):
                self.assertEqual(bench_data.format_result(value, u, unit), expected)
        for u in (0, -1e-3, float('nan'), float('inf')):
            with self.subTest(u=u):
                self.assertRaises(ValueError, bench_data.format_result, 1.0, u)

    def test_the_kept_sweeps_give_the_known_material(self):
        # The bench's sample 1 has 2e15 donors, lattice mobility exponent 1.66
        # and, in its intrinsic range, a gap extrapolated to 0 K near 0.79 eV.
        rows = bench_data.read_records(os.path.join(cc.FIGURES, 'muestra1.asc'), 1)
        plateau = [r for r in rows if 200 <= r['T'] <= 300]
        for r in plateau:
            self.assertAlmostEqual(1 / (bench_data.E * abs(r['RH'])) / 2e15, 1.0, delta=0.01)
        low = [r for r in rows if 100 <= r['T'] <= 300]
        slope, _, _ = bench_data.fit_line([math.log(r['T']) for r in low],
                                          [math.log(r['muH']) for r in low])
        self.assertAlmostEqual(-slope, 1.66, delta=0.01)
        hot = [r for r in rows if r['T'] >= 500]
        slope, _, _ = bench_data.fit_line([1 / r['T'] for r in hot],
                                          [math.log(r['sigma']) for r in hot])
        self.assertTrue(0.74 < -2 * bench_data.K_EV * slope < 0.82)


if __name__ == '__main__':
    unittest.main()
