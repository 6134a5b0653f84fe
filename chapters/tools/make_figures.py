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

Needs python3-matplotlib (Debian). The PNGs are made at a fixed size and
resolution, with fixed metadata, so the same data give the same bytes.
"""

import math
import os
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
from bench_data import K_EV, fit_line  # noqa: E402

SWEEPS = [   # file, sample, from, to, step (K)
    ('muestra1.asc', 1, 50, 760, 10),
    ('muestra2.asc', 2, 50, 760, 10),
    ('muestra2_inversion.asc', 2, 380, 440, 2),
]
CURRENT_MA, MAGNET_A = 10, 10
INTRINSIC_FIT = (500, 760)     # K, range of the ln sigma fit
DPI = 100
SIZE = (5.6, 3.4)              # inches: 560 pixels wide, shown 1:1 on a 96-dpi screen
COLOURS = {1: '#1f4e9c', 2: '#c0392b'}
LABELS = {1: 'Muestra 1 (tipo n)', 2: 'Muestra 2 (tipo p)'}


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


def new_axes():
    fig, ax = plt.subplots(figsize=SIZE, dpi=DPI)
    ax.grid(True, which='major', color='#dddddd', linewidth=0.6)
    return fig, ax


def save(fig, name):
    fig.tight_layout()
    fig.savefig(os.path.join(FIGURES, name + '.png'), dpi=DPI,
                metadata={'Software': None}, pil_kwargs={'optimize': True})
    plt.close(fig)


def plot_rho(data):
    fig, ax = new_axes()
    for s in (1, 2):
        ax.semilogy([r['T'] for r in data[s]], [r['rho'] for r in data[s]], 'o-',
                    ms=3, lw=1, color=COLOURS[s], label=LABELS[s])
    ax.set_xlabel('T (K)')
    ax.set_ylabel('ρ (Ω·cm)')
    ax.legend()
    save(fig, 'rho_T')


def plot_rh(data, inversion):
    fig, ax = new_axes()
    for s in (1, 2):
        rows = sorted(data[s] + (inversion if s == 2 else []), key=lambda r: r['T'])
        ax.semilogy([r['T'] for r in rows], [abs(r['RH']) for r in rows], '-',
                    lw=1, color=COLOURS[s])
        pos = [r for r in rows if r['RH'] > 0]
        neg = [r for r in rows if r['RH'] < 0]
        ax.semilogy([r['T'] for r in neg], [-r['RH'] for r in neg], 'o', ms=3.5,
                    mfc='white', color=COLOURS[s], label=LABELS[s] + ', R$_H$ < 0')
        if pos:
            ax.semilogy([r['T'] for r in pos], [r['RH'] for r in pos], 'o', ms=3.5,
                        color=COLOURS[s], label=LABELS[s] + ', R$_H$ > 0')
    ax.set_xlabel('T (K)')
    ax.set_ylabel('|R$_H$| (cm³/C)')
    ax.set_ylim(1, 2e4)
    ax.legend(fontsize=8, loc='lower left')
    save(fig, 'RH_T')


def plot_mobility(data):
    fig, ax = new_axes()
    for s in (1, 2):
        rows = [r for r in data[s] if r['T'] <= 340]
        ax.loglog([r['T'] for r in rows], [r['muH'] for r in rows], 'o', ms=3.5,
                  color=COLOURS[s], label=LABELS[s])
        fit = [r for r in rows if 100 <= r['T'] <= 300]
        slope, icpt, u = fit_line([math.log(r['T']) for r in fit], [math.log(r['muH']) for r in fit])
        ts = [50, 400]
        ax.loglog(ts, [math.exp(icpt) * t ** slope for t in ts], '--', lw=0.9,
                  color=COLOURS[s], label='ajuste 100–300 K: μ$_H$ ∝ T$^{%.2f}$' % slope)
    ax.set_xlabel('T (K)')
    ax.set_ylabel('μ$_H$ (cm²/(V·s))')
    ax.set_xlim(45, 420)
    ax.set_xticks([50, 70, 100, 150, 200, 300, 400])
    ax.xaxis.set_major_formatter(matplotlib.ticker.ScalarFormatter())
    ax.xaxis.set_minor_formatter(matplotlib.ticker.NullFormatter())
    ax.legend(fontsize=8)
    save(fig, 'muH_T')


def plot_lnsigma(data):
    fig, ax = new_axes()
    t0, t1 = INTRINSIC_FIT
    for s in (1, 2):
        rows = data[s]
        ax.plot([1000 / r['T'] for r in rows], [math.log(r['sigma']) for r in rows], 'o',
                ms=3, color=COLOURS[s], label=LABELS[s])
        fit = [r for r in rows if t0 <= r['T'] <= t1]
        slope, icpt, u = fit_line([1 / r['T'] for r in fit], [math.log(r['sigma']) for r in fit])
        xs = [1000 / t1 - 0.1, 1000 / t0 + 0.6]
        ax.plot(xs, [icpt + slope * x / 1000 for x in xs], '--', lw=0.9, color=COLOURS[s],
                label='ajuste %d–%d K: E$_{g0}$ = %.3f eV (± %.1f meV)'
                % (t0, t1, -2 * K_EV * slope, 2000 * K_EV * u))
    ax.set_xlabel('1000/T (1/K)')
    ax.set_ylabel('ln(σ / (S/cm))')
    ax.set_ylim(-1.5, 6)
    ax.legend(fontsize=8)
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
