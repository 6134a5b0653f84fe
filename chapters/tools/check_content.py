"""What check_chapters.py checks in the content of the chapters, beyond the
RTF itself: the figures of results (print resolution, the texts they show),
non-breaking spaces between numbers and units, the constants table against
the model in the program's source, and the worked example against a fresh
sweep of the bench. Each check returns a list of faults (empty: passed), or
raises Skipped when what it needs is not there. Standard library only.
"""

import hashlib
import math
import os
import re
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SRC = os.path.join(ROOT, 'src')
FIGURES = os.path.join(ROOT, 'figures')
MODEL = os.path.join(os.path.dirname(ROOT), 'src', 'model')

PRINT_DPI = 300
TWIPS_PER_INCH = 1440


class Skipped(Exception):
    pass


# ------------------------------------------------------------ figures

def print_dpi(pixels_wide, goal_twips):
    return pixels_wide * TWIPS_PER_INCH / goal_twips


def check_resolution(name, pixels_wide, goal_twips):
    dpi = print_dpi(pixels_wide, goal_twips)
    if dpi < PRINT_DPI - 1e-9:
        return ['%s: a figure of %d pixels printed %d twips wide is %.0f dpi, less than %d'
                % (name, pixels_wide, goal_twips, dpi, PRINT_DPI)]
    return []


# A decimal point between digits, a hyphen used as a minus sign, or "1/K".
FIGURE_TEXT_FAULTS = [
    (re.compile(r'\d\.\d'), 'decimal point instead of a decimal comma'),
    (re.compile(r'(?:^|[\s(=±])-\s?\d'), 'hyphen instead of a minus sign'),
    (re.compile(r'1\s*/\s*K\b'), '"1/K" instead of "K⁻¹"'),
]


def check_figure_texts(figure, png_bytes):
    """The texts a figure shows, kept beside it by make_figures.py."""
    path = os.path.join(FIGURES, figure + '.textos')
    try:
        with open(path, encoding='utf-8') as f:
            lines = f.read().splitlines()
    except OSError:
        return ['%s: no list of its texts (%s); run tools/make_figures.py' % (figure, path)]
    digest = hashlib.sha256(png_bytes).hexdigest()
    if not lines or digest not in lines[0]:
        return ['%s: %s does not belong to the PNG (redraw with tools/make_figures.py)'
                % (figure, os.path.basename(path))]
    faults = []
    for text in lines[1:]:
        for pattern, what in FIGURE_TEXT_FAULTS:
            if pattern.search(text):
                faults.append('%s: %s in "%s"' % (figure, what, text))
    return faults


# ------------------------------------------------------------ units

UNITS = ('K', 'meV', 'eV', 'mA', 'A', 'mV', 'µV', 'μV', 'nV', 'V', 'G', 'T', 'mT', 'cm', 'mm',
         'm', 'µm', 'Ω', 'S', 'C', 'W', 's', 'min', 'h', 'Hz', '%', '°C', 'kΩ', 'MΩ', 'bar')
UNIT_AFTER_SPACE = re.compile(r'(\d) (%s)(?![A-Za-zÀ-ÿ\u0370-\u03ff0-9])'
                              % '|'.join(re.escape(u) for u in sorted(UNITS, key=len, reverse=True)))


def check_unit_spaces(name, text):
    """Between a number and its unit a line must not break: a non-breaking space."""
    faults = []
    for m in UNIT_AFTER_SPACE.finditer(text):
        start = max(0, m.start() - 25)
        context = text[start:m.end() + 5].replace('\n', ' ')
        faults.append('%s: ordinary space before "%s" in "...%s..."' % (name, m.group(2), context))
    return faults


# ------------------------------------------------------------ the model's constants

def _read(path):
    try:
        with open(path, encoding='utf-8') as f:
            return f.read()
    except OSError:
        raise Skipped('the program source (%s) is not here: constants not compared' % path)


def model_constants(model_dir=MODEL):
    """The material of the bench, read from the model's source, and what follows from it."""
    catalogue = _read(os.path.join(model_dir, 'SampleCatalogue.cpp'))
    transport = _read(os.path.join(model_dir, 'Transport.cpp'))
    number = r'([0-9.]+(?:e[+-]?[0-9]+)?)f?'
    fields = {}
    for key, value in re.findall(r'\br\.(\w+) = ' + number + ';', catalogue):
        fields.setdefault(key, float(value))
    mass = re.search(r'r\.Masa_N = static_cast<float>\(std::pow\(' + number + r', ' + number + r'\)\)',
                     catalogue)
    geometry = {}
    for sample in (1, 2):
        geometry[sample] = tuple(
            float(re.search(r'\bs%d\.%s = %s;' % (sample, field, number), catalogue).group(1))
            for field in ('Longitud', 'Anchura', 'Grosor'))
    consts = dict(re.findall(r'constexpr double (k\w+) = ' + number + ';', transport))
    need = ('Eg_300', 'Eg_Coef_T', 'Valles', 'Masa_Ligeros', 'Masa_Pesados', 'E_Donador',
            'E_Aceptor', 'Mu_Red_Coef_N', 'Mu_Red_Exp_N', 'Mu_Red_Coef_P', 'Mu_Red_Exp_P')
    missing = [k for k in need if k not in fields] + [k for k in ('kNref', 'kGapDiv') if k not in consts]
    if missing or not mass:
        raise ValueError('the model source no longer gives: ' + ', '.join(missing or ['Masa_N']))
    f = fields
    k_ev = float(consts['kGapDiv']) / 2 / 300 / 1000         # 2kT at 300 K, in meV
    n_ref = float(consts['kNref'])
    m1 = float(mass.group(1)) ** float(mass.group(2))
    nc = m1 ** 1.5 * f['Valles'] * n_ref
    nv = n_ref * (f['Masa_Pesados'] ** 1.5 + f['Masa_Ligeros'] ** 1.5)
    eg = f['Eg_300'] / 1000
    return {
        'Eg300': eg, 'beta': f['Eg_Coef_T'] / 1000, 'Eg0': eg + 300 * f['Eg_Coef_T'] / 1000,
        'valleys': f['Valles'], 'm1': m1, 'mc': f['Valles'] ** (2 / 3) * m1,
        'heavy': f['Masa_Pesados'], 'light': f['Masa_Ligeros'], 'Nc': nc, 'Nv': nv,
        'ni': math.sqrt(nc * nv) * math.exp(-eg / (2 * k_ev * 300)),
        'Ed': f['E_Donador'], 'Ea': f['E_Aceptor'],
        'mun': f['Mu_Red_Coef_N'] * 300 ** -f['Mu_Red_Exp_N'], 'expn': f['Mu_Red_Exp_N'],
        'mup': f['Mu_Red_Coef_P'] * 300 ** -f['Mu_Red_Exp_P'], 'expp': f['Mu_Red_Exp_P'],
        'k': k_ev, 'geometry': geometry,
    }


NUMBER = re.compile(r'(\d+(?:,\d+)?)(?:·10\^\{?([−-]?\d+)\}?)?')
UNIT_POWER = re.compile(r'\$\^\{?[−-]?\d+\}?\$')      # the 2 of cm$^2$


def shown_numbers(cell):
    """The numbers a table cell shows, with their decimal places: [(value, text)]."""
    out = []
    cell = UNIT_POWER.sub('', cell)
    for m in NUMBER.finditer(cell):
        mantissa, exponent = m.group(1), m.group(2)
        value = float(mantissa.replace(',', '.'))
        if exponent:
            value *= 10.0 ** int(exponent.replace('−', '-'))
        out.append((value, m.group(0)))
    return out


def shows(model_value, shown_text, scale=1.0):
    """True when the model's value, rounded as the text rounds it, is what it shows."""
    sign = -1 if shown_text[:1] in '−-' else 1
    m = NUMBER.fullmatch(shown_text.lstrip('−-'))
    if not m:
        raise ValueError('not a number: %r' % shown_text)
    mantissa, exponent = m.group(1), m.group(2)
    decimals = len(mantissa.split(',')[1]) if ',' in mantissa else 0
    power = int(exponent.replace('−', '-')) if exponent else 0
    scaled = sign * model_value * scale / 10.0 ** power
    return round(scaled, decimals) == round(float(mantissa.replace(',', '.')), decimals)


# Row of the table (found by a pattern of its first cell) -> the model's
# values its second cell shows, in the units it shows them.
TABLE_ROWS = [
    (r'^Banda prohibida a 300', [('Eg300', 1)]),
    (r'β', [('beta', 1)]),
    (r'E_\{\\rm\{g0\}\}', [('Eg0', 1)]),
    (r'^Mínimos de conducción', [('valleys', 1)]),
    (r'un mínimo', [('m1', 1)]),
    (r'(?<!Mínimos de )conducción$', [('mc', 1)]),
    (r'^Huecos pesados y ligeros', [('heavy', 1), ('light', 1)]),
    (r'^\$N_c\$', [('Nc', 1)]),
    (r'^\$N_v\$', [('Nv', 1)]),
    (r'^\$n_i\$', [('ni', 1)]),
    (r'E_d\$$', [('Ed', 1)]),
    (r'E_a\$$', [('Ea', 1)]),
    (r'^\$μ_n\$', [('mun', 1), ('expn', 1)]),
    (r'^\$μ_p\$', [('mup', 1), ('expp', 1)]),
]


def constants_table(source):
    """The rows of the first table of a chapter source: [[cell, ...], ...]."""
    lines = source.splitlines()
    for i, line in enumerate(lines):
        if line.startswith('@tabla'):
            rows = []
            for row in lines[i + 1:]:
                if not row.strip():
                    break
                rows.append([c.strip() for c in row.split(' | ')])
            return rows
    return []


def check_constants_table(source, model):
    faults = []
    rows = constants_table(source)[1:]
    for pattern, wanted in TABLE_ROWS:
        found = [r for r in rows if re.search(pattern, r[0])]
        if len(found) != 1:
            faults.append('constants table: %d rows match %r' % (len(found), pattern))
            continue
        row = found[0]
        numbers = shown_numbers(row[1]) if len(row) > 1 else []
        if len(numbers) < len(wanted):
            faults.append('constants table, %s: %d numbers, %d wanted' % (row[0], len(numbers), len(wanted)))
            continue
        for (key, scale), (_, text) in zip(wanted, numbers):
            if not shows(model[key], text, scale):
                faults.append('constants table, %s: shows %s, the model gives %.6g'
                              % (row[0], text, model[key] * scale))
    return faults


# ------------------------------------------------------------ the worked example

def example_section(source):
    m = re.search(r'^== Un ejemplo resuelto$(.*?)(?=^== )', source, re.M | re.S)
    if not m:
        raise ValueError('no section "Un ejemplo resuelto"')
    return m.group(1)


SP = '[ \u00a0]'
EXAMPLE_READINGS = re.compile(r'^(\d+),(\d+),(\d+),(\d+),([0-9.]+),(-?[0-9.]+),(-?[0-9.]+)$', re.M)
# What each step of the example shows, and how to recompute it from the line of data.
EXAMPLE_RESULTS = [
    ('ρ', r'= (\d+,\d+)\$?' + SP + 'Ω·cm', lambda r: r['rho']),
    ('σ', r'σ = 1/ρ = (\d+,\d+)\$?' + SP + 'S/cm', lambda r: 1 / r['rho']),
    ('R_H', r'= ([−-]\d+)\$?' + SP + r'cm\$\^3\$/C', lambda r: r['RH']),
    ('n', r'= (\d+,\d+·10\^\{\d+\})\$?' + SP + r'cm\$\^\{−3\}\$', lambda r: r['n']),
    ('μ_H', r'= (\d+)\$?' + SP + r'cm\$\^2\$/\(V·s\)', lambda r: r['muH']),
]
E_CHARGE = 1.602e-19     # C, as the example writes it


def example_reading(source):
    section = example_section(source)
    m = EXAMPLE_READINGS.search(section)
    if not m:
        raise ValueError('the worked example shows no line of data')
    return [float(x) for x in m.groups()]


def example_sample(section):
    m = re.search(r'muestra (\d)', section)
    if not m:
        raise ValueError('the worked example names no sample')
    return int(m.group(1))


def derived_from(reading, geometry):
    _, _, b_gauss, i_ma, vr, v_minus, v_plus = reading
    length, width, thick = geometry
    rho = vr * width * thick / (i_ma / 1000 * length)
    rh = (v_plus - v_minus) / 2 * thick * 1e11 / (i_ma * b_gauss)
    return {'rho': rho, 'RH': rh, 'n': 1 / (E_CHARGE * abs(rh)), 'muH': abs(rh) / rho}


def check_example_arithmetic(source, geometry):
    """Each result of the worked example follows from its line of data."""
    section = example_section(source)
    derived = derived_from(example_reading(source), geometry[example_sample(section)])
    faults = []
    for what, pattern, value in EXAMPLE_RESULTS:
        m = re.search(pattern, section)
        if not m:
            faults.append('worked example: the result for %s is not found' % what)
        elif not shows(value(derived), m.group(1)):
            faults.append('worked example: %s = %s, the data give %.6g' % (what, m.group(1), value(derived)))
    return faults


def find_sweep_program(explicit=None):
    candidates = [explicit, os.environ.get('TARVELO_BARRIDO'),
                  os.path.join(os.path.dirname(ROOT), 'build', 'src', 'app', 'analysis', 'tarvelo-barrido')]
    for c in candidates:
        if c and os.access(c, os.X_OK):
            return c
    raise Skipped('tarvelo-barrido not found (build it, or give its path in TARVELO_BARRIDO): '
                  'the worked example is not compared with a sweep')


def sweep(program, sample, t0, t1, step, current_ma, magnet_a):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, 'barrido.asc')
        subprocess.run([program, '--muestra', str(sample), '--desde', str(t0), '--hasta', str(t1),
                        '--paso', str(step), '--corriente', str(current_ma), '--iman', str(magnet_a),
                        '-o', out], check=True, capture_output=True, timeout=60)
        with open(out, encoding='ascii') as f:
            return [[float(x) for x in line.split(',')] for line in f if line.strip()]


def at_temperature(rows, t):
    """Each column interpolated linearly to temperature t between the two nearest readings."""
    rows = sorted(rows, key=lambda r: r[1])
    for a, b in zip(rows, rows[1:]):
        if a[1] <= t <= b[1]:
            w = (t - a[1]) / (b[1] - a[1])
            return [x + w * (y - x) for x, y in zip(a, b)]
    raise ValueError('the sweep does not bracket %g K' % t)


# The bench holds a set temperature to about a tenth of a kelvin, and the
# resistivity reading changes by 0.55 %/K at 300 K: readings interpolated to
# the example's temperature agree with it to better than 0.2 %.
READING_TOLERANCE = 0.002


def check_example_against_sweep(source, program):
    reading = example_reading(source)
    t, b_gauss, i_ma = reading[1], reading[2], reading[3]
    magnet_a = {9000: 10}.get(int(b_gauss))
    if magnet_a is None:
        return ['worked example: no magnet current known for %g G' % b_gauss]
    rows = sweep(program, example_sample(example_section(source)), t - 10, t + 10, 10, int(i_ma), magnet_a)
    fresh = at_temperature(rows, t)
    faults = []
    for column, what in ((4, 'V_r'), (5, 'V(−B)'), (6, 'V(+B)')):
        if abs(reading[column] - fresh[column]) > READING_TOLERANCE * abs(fresh[column]):
            faults.append('worked example: %s = %s V, a fresh sweep gives %.6f V at %g K'
                          % (what, reading[column], fresh[column], t))
    return faults
