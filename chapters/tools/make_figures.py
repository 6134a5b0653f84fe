#!/usr/bin/python3
"""Remakes the figures of typical results shown in the chapters.

The data come from the bench itself: the sweep program tarvelo-barrido drives
the simulated bench as a student would and writes its data file (seven numbers
a line: record, T in K, field in G, current in mA, Vr, V(-), V(+) in V). This
script runs two sweeps per sample, 50-760 K in 10 K steps and a finer one
around the sign inversion of the p-type sample, keeps the data files in
chapters/figures/ and draws the PNGs from them.

Usage: make_figures.py PATH_TO_tarvelo-barrido      (run the sweeps, then plot)
       make_figures.py --solo-graficas                (plot the kept data files)

Needs python3-matplotlib (Debian). The PNGs are drawn at their printed size and
at 300 dpi, with fixed metadata, so the same data give the same bytes. Beside
each PNG, <name>.textos lists the texts it shows, for the chapter checks.
"""

import hashlib
import math
import os
import re
import subprocess
import sys

import matplotlib
matplotlib.use('Agg')
import matplotlib.pyplot as plt        # noqa: E402
import matplotlib.ticker                # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FIGURES = os.path.join(os.path.dirname(HERE), 'figures')
sys.path.insert(0, HERE)

import bench_data                      # noqa: E402
from bench_data import K_EV, decimal_comma, fit_line, format_result  # noqa: E402

SWEEPS = [   # file, sample, from, to, step (K)
    ('muestra1.asc', 1, 50, 760, 10),
    ('muestra2.asc', 2, 50, 760, 10),
    ('muestra2_inversion.asc', 2, 380, 440, 2),
]
CURRENT_MA, MAGNET_A = 10, 10
INTRINSIC_FIT = (500, 760)     # K, range of the ln sigma fit
MOBILITY_FIT = (100, 300)      # K, range of the mobility law fit
# The chapters print every figure 8400 twips wide (build_chapters.FIGURE_WIDTH_TW):
# drawn at that size and at 300 dots per inch, the PNG is sharp on paper.
PRINT_DPI = 300
WIDTH_IN = 8400 / 1440
SIZE = (WIDTH_IN, 3.6)
COLOURS = {1: '#1f4e9c', 2: '#c0392b'}
LABELS = {1: 'Muestra 1 (tipo n)', 2: 'Muestra 2 (tipo p)'}
# Log-axis labels are mathtext powers of ten; the rest is plain text.
MATH = re.compile(r'\$\\mathdefault\{(.*)\}\$')


def run_sweeps(barrido):
    for name, sample, t0, t1, step in SWEEPS:
        out = os.path.join(FIGURES, name)
        cmd = [barrido, '--muestra', str(sample), '--desde', str(t0), '--hasta', str(t1),
               '--paso', str(step), '--corriente', str(CURRENT_MA), '--iman', str(MAGNET_A),
               '--sobrescribir', '-o', out]
        print(' '.join(cmd), file=sys.stderr)
        subprocess.run(cmd, check=True)


def read_records(name, sample):
    return bench_data.read_records(os.path.join(FIGURES, name), sample)


def comma_ticks(decimals):
    """Tick labels with a decimal comma and a true minus sign."""
    return matplotlib.ticker.FuncFormatter(
        lambda x, pos: decimal_comma('%.*f' % (decimals, x + 0.0)))


def new_axes(size=SIZE):
    fig, ax = plt.subplots(figsize=size, dpi=PRINT_DPI)
    style_axes(ax)
    return fig, ax


def style_axes(ax):
    ax.grid(True, which='major', color='#dddddd', linewidth=0.6)


def shown_texts(fig):
    """Every text the figure shows, as the reader sees it, one per line."""
    fig.canvas.draw()
    texts = []
    for ax in [a for top in fig.axes for a in [top] + top.child_axes]:
        items = [ax.xaxis.label, ax.yaxis.label, ax.title]
        for axis, view in ((ax.xaxis, ax.get_xlim()), (ax.yaxis, ax.get_ylim())):
            lo, hi = min(view), max(view)
            for tick in axis.get_major_ticks() + axis.get_minor_ticks():
                if tick.label1.get_visible() and lo <= tick.get_loc() <= hi:
                    items.append(tick.label1)
        if ax.get_legend():
            items += ax.get_legend().get_texts()
        items += ax.texts
        for t in items:
            s = MATH.sub(r'\1', t.get_text().strip())
            s = re.sub(r'[_^]\{([^}]*)\}|[_^](.)', r'\1\2', s).replace('$', '')
            if s:
                texts.append(s)
    return texts


def save(fig, name):
    """The PNG, and beside it the texts it shows (for the chapter checks)."""
    fig.tight_layout(pad=0.4)
    path = os.path.join(FIGURES, name + '.png')
    fig.savefig(path, dpi=PRINT_DPI, metadata={'Software': None}, pil_kwargs={'optimize': True})
    texts = shown_texts(fig)
    plt.close(fig)
    shrink_png(path)
    with open(path, 'rb') as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    with open(os.path.join(FIGURES, name + '.textos'), 'w', encoding='utf-8') as f:
        f.write('# textos de %s.png, sha256 %s\n' % (name, digest))
        for t in texts:
            f.write(t + '\n')


def shrink_png(path):
    """A palette of 64 colours keeps the antialiased lines and text smooth and
    makes the file several times smaller; the result is the same for the same data."""
    from PIL import Image
    with Image.open(path) as im:
        pal = im.convert('RGB').quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal.save(path, optimize=True, dpi=(PRINT_DPI, PRINT_DPI))


def plot_rho(data):
    fig, ax = new_axes()
    for s in (1, 2):
        ax.semilogy([r['T'] for r in data[s]], [r['rho'] for r in data[s]], 'o-',
                    ms=2.5, lw=0.8, color=COLOURS[s], label=LABELS[s])
    ax.set_xlabel('T (K)')
    ax.set_ylabel('ρ (Ω·cm)')
    ax.legend()
    save(fig, 'rho_T')


def plot_rh(data, inversion):
    fig, ax = new_axes()
    for s in (1, 2):
        rows = sorted(data[s] + (inversion if s == 2 else []), key=lambda r: r['T'])
        ax.semilogy([r['T'] for r in rows], [abs(r['RH']) for r in rows], '-',
                    lw=0.8, color=COLOURS[s])
        pos = [r for r in rows if r['RH'] > 0]
        neg = [r for r in rows if r['RH'] < 0]
        ax.semilogy([r['T'] for r in neg], [-r['RH'] for r in neg], 'o', ms=3,
                    mfc='white', color=COLOURS[s], label=LABELS[s] + ', R$_H$ < 0')
        if pos:
            ax.semilogy([r['T'] for r in pos], [r['RH'] for r in pos], 'o', ms=3,
                        color=COLOURS[s], label=LABELS[s] + ', R$_H$ > 0')
    ax.set_xlabel('T (K)')
    ax.set_ylabel('|R$_H$| (cm³/C)')
    ax.set_ylim(1, 2e4)
    ax.legend(fontsize=8, loc='lower left')
    save(fig, 'RH_T')


def plot_mobility(data):
    fig, ax = new_axes()
    t0, t1 = MOBILITY_FIT
    for s in (1, 2):
        rows = [r for r in data[s] if r['T'] <= 340]
        ax.loglog([r['T'] for r in rows], [r['muH'] for r in rows], 'o', ms=3,
                  color=COLOURS[s], label=LABELS[s])
        fit = [r for r in rows if t0 <= r['T'] <= t1]
        slope, icpt, u = fit_line([math.log(r['T']) for r in fit], [math.log(r['muH']) for r in fit])
        line = lambda ts: [math.exp(icpt) * t ** slope for t in ts]   # noqa: E731
        ax.loglog([t0, t1], line([t0, t1]), '-', lw=1, color=COLOURS[s],
                  label='ajuste %d–%d K: μ$_H$ ∝ T$^{−α}$, α = %s' % (t0, t1, format_result(-slope, u)))
        for ends in ((45, t0), (t1, 420)):
            ax.loglog(ends, line(ends), '--', lw=0.8, color=COLOURS[s])
    ax.set_xlabel('T (K)')
    ax.set_ylabel('μ$_H$ (cm²/(V·s))')
    ax.set_xlim(45, 420)
    ax.set_xticks([50, 70, 100, 150, 200, 300, 400])
    ax.xaxis.set_major_formatter(comma_ticks(0))
    ax.xaxis.set_minor_formatter(matplotlib.ticker.NullFormatter())
    ax.legend(fontsize=8)
    save(fig, 'muH_T')


def plot_lnsigma(data):
    """The whole sweep, with the fitted lines solid over the fitted points and
    dashed where they are extrapolated, and a panel on the fitted range."""
    fig, ax = new_axes((WIDTH_IN, 3.9))
    inset = ax.inset_axes([0.30, 0.50, 0.36, 0.41])
    style_axes(inset)
    t0, t1 = INTRINSIC_FIT
    x0, x1 = 1000 / t1, 1000 / t0
    for s in (1, 2):
        rows = data[s]
        xs = [1000 / r['T'] for r in rows]
        ys = [math.log(r['sigma']) for r in rows]
        fit = [r for r in rows if t0 <= r['T'] <= t1]
        slope, icpt, u = fit_line([1 / r['T'] for r in fit], [math.log(r['sigma']) for r in fit])
        line = lambda x: icpt + slope * x / 1000   # noqa: E731
        result = format_result(-2 * K_EV * slope, 2 * K_EV * u, 'eV')
        for axes, ms in ((ax, 2.5), (inset, 3)):
            axes.plot(xs, ys, 'o', ms=ms, color=COLOURS[s],
                      label=LABELS[s] if axes is ax else None)
            axes.plot([x0, x1], [line(x0), line(x1)], '-', lw=1, color=COLOURS[s], zorder=3,
                      label=('ajuste %d–%d K: E$_{g0}$ = %s' % (t0, t1, result)) if axes is ax else None)
        ax.plot([x1, 4.2], [line(x1), line(4.2)], '--', lw=0.8, color=COLOURS[s])
        ax.plot([1.2, x0], [line(1.2), line(x0)], '--', lw=0.8, color=COLOURS[s])
    ax.set_xlabel('10³/T (K⁻¹)')
    ax.set_ylabel('ln(σ / (S/cm))')
    ax.set_xlim(0, 21)
    ax.set_ylim(-2.5, 9.5)
    ax.xaxis.set_major_locator(matplotlib.ticker.MultipleLocator(2))
    ax.xaxis.set_major_formatter(comma_ticks(0))
    ax.yaxis.set_major_formatter(comma_ticks(0))
    ax.legend(fontsize=7.5, loc='lower right')
    inset.set_xlim(x0 - 0.05, x1 + 0.05)
    inset.set_ylim(1.3, 5.2)
    inset.xaxis.set_major_locator(matplotlib.ticker.MultipleLocator(0.2))
    inset.xaxis.set_major_formatter(comma_ticks(1))
    inset.yaxis.set_major_formatter(comma_ticks(0))
    inset.tick_params(labelsize=7)
    inset.set_title('intervalo del ajuste, %d–%d K' % (t0, t1), fontsize=7.5)
    ax.indicate_inset_zoom(inset, edgecolor='#777777')
    save(fig, 'lnsigma_T')


def main(argv):
    if not argv or argv[0] in ('-h', '--help'):
        print(__doc__)
        return 2
    if argv[0] != '--solo-graficas':
        run_sweeps(argv[0])
    plt.rcParams.update({'font.size': 9, 'svg.hashsalt': 'tarvelo'})
    data = {1: read_records('muestra1.asc', 1), 2: read_records('muestra2.asc', 2)}
    inversion = read_records('muestra2_inversion.asc', 2)
    plot_rho(data)
    plot_rh(data, inversion)
    plot_mobility(data)
    plot_lnsigma(data)
    for name in ('rho_T', 'RH_T', 'muH_T', 'lnsigma_T'):
        path = os.path.join(FIGURES, name + '.png')
        print('%s: %d bytes' % (path, os.path.getsize(path)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
