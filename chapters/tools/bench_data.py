"""Reading the bench's data files and the quantities derived from them.

A data file has one record a line: record number, T in K, nominal field in G,
current in mA, resistivity reading Vr, Hall reading with the " - " magnet
switch and Hall reading with the "+" switch, in V, comma-separated.
Only the Python standard library is used.
"""

import math

# Geometry of the two bars in cm: length between the resistivity contacts,
# width and thickness (the samples window shows the same).
GEOMETRY = {1: (0.3, 0.2, 0.01), 2: (0.4, 0.25, 0.015)}
E = 1.602176634e-19      # C
K_EV = 8.617333262e-5    # eV/K


def derive(sample, t, b_gauss, i_ma, vr, v_minus, v_plus):
    """rho (ohm cm), sigma (S/cm), V_H (V), R_H (cm3/C), mu_H (cm2/(V s))."""
    length, width, thick = GEOMETRY[sample]
    rho = vr * width * thick / (i_ma / 1000 * length)
    vh = (v_plus - v_minus) / 2
    rh = vh * thick * 1e11 / (i_ma * b_gauss)
    return {'T': t, 'rho': rho, 'sigma': 1 / rho, 'VH': vh, 'RH': rh, 'muH': abs(rh) / rho}


def read_records(path, sample):
    rows = []
    with open(path, encoding='ascii') as f:
        for n, line in enumerate(f, 1):
            if not line.strip():
                continue
            fields = line.split(',')
            if len(fields) != 7:
                raise ValueError('%s:%d: %d fields, not 7' % (path, n, len(fields)))
            rows.append(derive(sample, *(float(x) for x in fields[1:])))
    return rows


def fit_line(xs, ys):
    """Least squares: (slope, intercept, standard uncertainty of the slope)."""
    n = len(xs)
    if n < 3:
        raise ValueError('a fit needs at least 3 points, not %d' % n)
    mx, my = sum(xs) / n, sum(ys) / n
    sxx = sum((x - mx) ** 2 for x in xs)
    slope = sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / sxx
    resid = [y - (my + slope * (x - mx)) for x, y in zip(xs, ys)]
    u = math.sqrt(sum(r * r for r in resid) / (n - 2) / sxx)
    return slope, my - slope * mx, u


def decimal_comma(text):
    """Spanish number notation: decimal comma and the true minus sign."""
    return text.replace('.', ',').replace('-', '\u2212')


def format_result(value, u, unit=''):
    """'0,7664 ± 0,0003 eV' with the uncertainty to two significant figures
    and the value rounded to the same decimal place."""
    if not (u > 0 and math.isfinite(u) and math.isfinite(value)):
        raise ValueError('an uncertainty must be positive and finite, not %r' % u)
    decimals = 1 - math.floor(math.log10(u))
    if round(u, decimals) >= 10 ** (2 - decimals):   # 0.0995 rounds to 0.10
        decimals -= 1
    places = max(decimals, 0)

    def show(x):
        x = round(x, decimals)
        return decimal_comma('%.*f' % (places, x + 0.0))   # + 0.0: no '-0'
    text = '%s \u00b1 %s' % (show(value), show(u))
    return text + ('\u00a0' + unit if unit else '')
