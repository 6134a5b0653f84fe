#!/usr/bin/env python3
"""Assembles the five course chapters (RTF, Windows-1252) from chapters/src/.

Sources are UTF-8 text with a light markup, one block per paragraph
(blocks are separated by blank lines):

    = Título del capítulo          chapter title
    == Sección                     section heading
    === Apartado                   subsection heading
    - punto                        bullet item (one per line starting with "- ")
    1. paso                        numbered item (the number is kept as written)
    $$ fórmula $$                  formula set as centred text
    @eq nombre                     formula picture (formulas.txt), as an Equation.3 object
    @fig nombre                    stand-alone picture (fig_<nombre>.txt)
    @tabla X1 X2 ...               table: tab stops at X1, X2... (twips); each
                                   following line is a row, cells separated by
                                   " | "; the first row is the heading (bold)
    @png nombre                    figure of results (figures/<nombre>.png);
                                   the lines after it are the caption
    otherwise                      ordinary paragraph; its lines are joined

Inline: **negrita**, *cursiva*, $símbolos$ (letters in italics, _x or _{..}
subscript, ^x or ^{..} superscript, \\rm{..} upright, \\bf{..} bold), and a
backslash before * $ _ ^ \\ to write the character itself.

Every character outside code page 1252 (Greek letters, minus sign,
operators) is written as a \\uN escape followed by a one-character ASCII
fallback, in running text and centred formulas alike, so that any word
processor shows the same symbols as the theory window. No text uses the
Symbol font. Every metafile is checked after it is built and
every chapter is checked after it is written (check_chapters.py).

Usage: build_chapters.py [output directory]   (default: chapters/)
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import make_formula_wmf as mfw          # noqa: E402
import check_chapters                   # noqa: E402
import check_content                    # noqa: E402

ROOT = os.path.dirname(HERE)
SRC = os.path.join(ROOT, 'src')

CHAPTERS = [
    ('Intro.txt', 'Intro.rtf', 'Introducción'),
    ('EH.txt', 'EH.rtf', 'Efecto Hall'),
    ('EH-2p.txt', 'EH-2p.rtf', 'Muestras con dos tipos de portadores'),
    ('Medidas.txt', 'Medidas.rtf', 'Medidas a realizar'),
    ('Discusion.txt', 'Discusion.rtf', 'Interpretación'),
]

F_TEXT, F_HEAD, F_MONO = 0, 1, 3
LANG = r'\lang3082'   # español (alfabetización internacional)

HEADER = (r'{\rtf1\ansi\ansicpg1252\deff0\deflang3082'
          r'{\fonttbl{\f0\froman\fcharset0\fprq2 Times New Roman;}'
          r'{\f1\fswiss\fcharset0\fprq2 Arial;}'
          r'{\f3\fmodern\fcharset0\fprq1 Courier New;}}' '\r\n'
          r'{\colortbl;\red0\green0\blue0;\red0\green0\blue128;}' '\r\n'
          r'{\*\generator Tarvelo build_chapters.py;}'
          r'{\info{\title %s}{\author Tarvelo}}' '\r\n'
          r'\paperw11906\paperh16838\margl1418\margr1418\margt1418\margb1418'
          r'\viewkind4\uc1' '\r\n')

P_BODY = r'\pard\plain\f0\fs24\cf1' + LANG + r'\qj\sa120 '
P_TITLE = r'\pard\plain\f1\fs32\b\cf2' + LANG + r'\qc\sb120\sa240\keepn '
P_SECTION = r'\pard\plain\f1\fs26\b\cf2' + LANG + r'\sb240\sa120\keepn '
P_SUBSECTION = r'\pard\plain\f1\fs22\b\i\cf2' + LANG + r'\sb180\sa80\keepn '
P_ITEM = r'\pard\plain\f0\fs24\cf1' + LANG + r'\qj\fi-340\li340\sa60 '
P_CENTRE = r'\pard\plain\f0\fs24\cf1' + LANG + r'\qc\sb60\sa120 '
P_CAPTION = r'\pard\plain\f0\fs20\i\cf1' + LANG + r'\qc\sa200 '
P_PICTURE = r'\pard\plain\f0\fs24\cf1' + LANG + r'\qc\sb120\sa120 '


class SourceError(ValueError):
    pass


# ------------------------------------------------------------ characters

def rtf_char(c):
    """One character as RTF text in code page 1252."""
    if c in '\\{}':
        return '\\' + c
    if c == '\u00a0':
        return r'\~'
    o = ord(c)
    if 32 <= o < 127:
        return c
    if c == '\t':
        return r'\tab '
    try:
        b = c.encode('cp1252')
    except UnicodeEncodeError:
        n = o if o < 32768 else o - 65536
        if o > 0xFFFF:
            raise SourceError('character outside the BMP: %r' % c)
        return r'\u%d%s' % (n, ASCII_FALLBACK.get(c, '?'))
    return r"\'%02x" % b[0]


# What a reader without Unicode shows instead of a \\uN character: one ASCII
# character, the nearest in look or in the usual transliteration.
ASCII_FALLBACK = {
    'α': 'a', 'β': 'b', 'γ': 'g', 'δ': 'd', 'Δ': 'D', 'ε': 'e', 'θ': 'q',
    'λ': 'l', 'μ': 'u', 'ν': 'v', 'π': 'p', 'ρ': 'r', 'σ': 's', 'τ': 't',
    'φ': 'f', 'ω': 'w', 'Ω': 'W', 'χ': 'x', 'Σ': 'S',
    '−': '-', '×': 'x', '≈': '~', '∝': '~', '≪': '<', '≫': '>', '≤': '<',
    '≥': '>', '→': '>', '←': '<', '⊗': 'x', '⊙': 'o', '∞': '8', '√': 'V',
    '′': "'", '∂': 'd', '≠': '#', '⁻': '-', '±': '+', '∆': 'D', '⟨': '<', '⟩': '>',
}


def is_greek(c):
    return '\u0370' <= c <= '\u03ff'


# ------------------------------------------------------------ inline markup

def read_braced(s, i):
    """Returns (content, next index) of a {...} group starting at s[i] == '{'."""
    depth = 0
    j = i
    while j < len(s):
        if s[j] == '\\' and j + 1 < len(s):
            j += 2
            continue
        if s[j] == '{':
            depth += 1
        elif s[j] == '}':
            depth -= 1
            if depth == 0:
                return s[i + 1:j], j + 1
        j += 1
    raise SourceError('unbalanced braces in: ' + s)


LABEL_SUBSCRIPTS = set('HrgdacviLI')


def math_rtf(s):
    """Symbols: letters italic, others upright; scripts; Greek via \\uN."""
    out = []
    i = 0
    while i < len(s):
        c = s[i]
        if c == '\\':
            m = re.match(r'\\(rm|bf|it)\{', s[i:])
            if m:
                inner, j = read_braced(s, i + len(m.group(0)) - 1)
                if m.group(1) == 'rm':
                    out.append('{\\i0 ' + text_rtf(inner) + '}')
                elif m.group(1) == 'bf':
                    out.append('{\\b\\i0 ' + text_rtf(inner) + '}')
                else:
                    out.append(math_rtf(inner))
                i = j
                continue
            if s.startswith('\\,', i):      # thin space of the formula notation
                out.append(rtf_char('\u00a0'))
                i += 2
                continue
            if i + 1 < len(s) and s[i + 1] == ' ':    # a space inside a formula does not break
                out.append(rtf_char('\u00a0'))
                i += 2
                continue
            if i + 1 < len(s) and s[i + 1] in '\\{}$*_^':
                out.append(rtf_char(s[i + 1]))
                i += 2
                continue
            raise SourceError('unknown backslash sequence in: ' + s)
        if c in '_^':
            if i + 1 >= len(s):
                raise SourceError('script without argument in: ' + s)
            if s[i + 1] == '{':
                inner, j = read_braced(s, i + 1)
            else:
                inner, j = s[i + 1], i + 2
            tag = r'\sub' if c == '_' else r'\super'
            if c == '_' and inner in LABEL_SUBSCRIPTS:
                inner = '\\rm{' + inner + '}'   # labels (R_H, E_g, N_d...) stay upright
            out.append('{' + tag + ' ' + math_rtf(inner) + '}')
            i = j
            continue
        if c.isalpha() and not is_greek(c):
            m = re.match(r'[A-Za-z]+', s[i:])
            word = m.group(0) if m else c
            if word in ('exp', 'ln', 'log', 'máx', 'mín'):
                out.append(text_rtf(word))
                i += len(word)
                continue
            out.append('{\\i ' + rtf_char(c) + '}')
            i += 1
            continue
        out.append(rtf_char(c))
        i += 1
    return ''.join(out)


# A number and its unit stay on one line: the space between them, in the
# sources an ordinary one or already a non-breaking one, is written as \~.
# The number may end inside a formula or a bold or italic part ("10^{−4}$ m").
NUMBER_THEN_UNIT = re.compile(r'(\d[}$*]*) (?=(?:%s)(?![A-Za-zÀ-ÿ\u0370-\u03ff0-9]))'
                              % '|'.join(re.escape(u) for u in sorted(check_content.UNITS, key=len,
                                                                       reverse=True)))


def text_rtf(s):
    """Running text with **bold**, *italic* and $symbols$."""
    s = NUMBER_THEN_UNIT.sub('\\1\u00a0', s)
    out = []
    i = 0
    while i < len(s):
        c = s[i]
        if c == '\\' and i + 1 < len(s) and s[i + 1] in '*$_^\\{}':
            out.append(rtf_char(s[i + 1]))
            i += 2
        elif s.startswith('**', i):
            j = s.find('**', i + 2)
            if j < 0:
                raise SourceError('unclosed ** in: ' + s)
            out.append('{\\b ' + text_rtf(s[i + 2:j]) + '}')
            i = j + 2
        elif c == '*':
            j = s.find('*', i + 1)
            if j < 0:
                raise SourceError('unclosed * in: ' + s)
            out.append('{\\i ' + text_rtf(s[i + 1:j]) + '}')
            i = j + 1
        elif c == '$':
            j = i + 1
            while j < len(s) and s[j] != '$':
                j += 2 if s[j] == '\\' else 1
            if j >= len(s):
                raise SourceError('unclosed $ in: ' + s)
            out.append(math_rtf(s[i + 1:j]))
            i = j + 1
        else:
            out.append(rtf_char(c))
            i += 1
    return ''.join(out)


# ------------------------------------------------------------ pictures

def hex_lines(data):
    h = data.hex()
    return '\r\n'.join(h[k:k + 128] for k in range(0, len(h), 128))


def pict_rtf(data, w, h):
    mfw.check_wmf(data)
    himetric = lambda tw: int(round(tw * 2540 / 1440))   # noqa: E731
    return (r'{\pict\wmetafile8\picw%d\pich%d\picwgoal%d\pichgoal%d' '\r\n%s}'
            % (himetric(w), himetric(h), w, h, hex_lines(data)))


# Figures of results fill most of the line: a little narrower than the theory
# window's text area, and than an A4 page with the margins above.
FIGURE_WIDTH_TW = 8400
FIGURES = os.path.join(ROOT, 'figures')


def png_rtf(name):
    """A PNG figure as a \\pngblip picture scaled to FIGURE_WIDTH_TW."""
    path = os.path.join(FIGURES, name + '.png')
    try:
        with open(path, 'rb') as f:
            data = f.read()
    except OSError as e:
        raise SourceError('figure %s: %s (run tools/make_figures.py)' % (name, e))
    w, h = check_chapters.png_size(data)
    goal_h = int(round(FIGURE_WIDTH_TW * h / w))
    return (r'{\pict\pngblip\picw%d\pich%d\picwgoal%d\pichgoal%d' '\r\n%s}'
            % (w, h, FIGURE_WIDTH_TW, goal_h, hex_lines(data)))


def object_rtf(data, w, h):
    return (r'{\object\objemb{\*\objclass Equation.3}\objw%d\objh%d{\result%s}}'
            % (w, h, pict_rtf(data, w, h)))


def load_formulas():
    formulas = {}
    with open(os.path.join(SRC, 'formulas.txt'), encoding='utf-8') as f:
        for n, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith('#'):
                continue
            name, sep, notation = line.partition(':')
            if not sep:
                raise SourceError('formulas.txt:%d: expected "name: notation"' % n)
            formulas[name.strip()] = notation.strip()
    return formulas


def load_figure(name):
    """fig_<name>.txt: 'size W H', 'line X0 Y0 X1 Y1', 'text X Y notation'."""
    size = None
    items = []
    path = os.path.join(SRC, 'fig_%s.txt' % name)
    with open(path, encoding='utf-8') as f:
        for n, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith('#'):
                continue
            parts = line.split(None, 3)
            if parts[0] == 'size' and len(parts) == 3:
                size = (int(parts[1]), int(parts[2]))
            elif parts[0] == 'line':
                nums = [int(v) for v in line.split()[1:]]
                if len(nums) != 4:
                    raise SourceError('%s:%d: line needs four numbers' % (path, n))
                items.append(('line',) + tuple(nums))
            elif parts[0] == 'text' and len(parts) == 4:
                items.append(('text', int(parts[1]), int(parts[2]), parts[3]))
            else:
                raise SourceError('%s:%d: cannot read %r' % (path, n, line))
    if size is None:
        raise SourceError(path + ': no size line')
    return mfw.figure_wmf(size[0], size[1], items)


# ------------------------------------------------------------ blocks

def blocks(text):
    block = []
    for line in text.splitlines():
        if line.strip():
            block.append(line.rstrip())
        elif block:
            yield block
            block = []
    if block:
        yield block


def items_of(block, pattern):
    items = []
    for line in block:
        if re.match(pattern, line):
            items.append(line.strip())
        elif items:
            items[-1] += ' ' + line.strip()
        else:
            raise SourceError('list continuation before first item: ' + line)
    return items


def chapter_rtf(source, title, formulas, used):
    body = []
    for block in blocks(source):
        first = block[0]
        joined = ' '.join(l.strip() for l in block)
        if first.startswith('=== '):
            body.append(P_SUBSECTION + text_rtf(joined[4:]) + r'\par')
        elif first.startswith('== '):
            body.append(P_SECTION + text_rtf(joined[3:]) + r'\par')
        elif first.startswith('= '):
            body.append(P_TITLE + text_rtf(joined[2:]) + r'\par')
        elif first.startswith('@eq '):
            for line in block:
                name = line.split(None, 1)[1].strip()
                if name not in formulas:
                    raise SourceError('unknown formula ' + name)
                data, w, h = mfw.formula_wmf(formulas[name])
                used.add(name)
                body.append(P_PICTURE + object_rtf(data, w, h) + r'\par')
        elif first.startswith('@fig '):
            data, w, h = load_figure(first.split(None, 1)[1].strip())
            body.append(P_PICTURE + pict_rtf(data, w, h) + r'\par')
            if len(block) > 1:
                caption = ' '.join(l.strip() for l in block[1:])
                body.append(P_CAPTION + text_rtf(caption) + r'\par')
        elif first.startswith('@tabla'):
            body.extend(table_rtf(block))
        elif first.startswith('@png '):
            body.append(P_PICTURE + png_rtf(first.split(None, 1)[1].strip()) + r'\par')
            if len(block) > 1:
                caption = ' '.join(l.strip() for l in block[1:])
                body.append(P_CAPTION + text_rtf(caption) + r'\par')
        elif first.startswith('$$'):
            for line in block:
                line = line.strip()
                if not (line.startswith('$$') and line.endswith('$$') and len(line) > 4):
                    raise SourceError('formula line must be $$ ... $$: ' + line)
                body.append(P_CENTRE + math_rtf(line[2:-2].strip()) + r'\par')
        elif first.startswith('- '):
            for item in items_of(block, r'- '):
                body.append(P_ITEM + "\\'95\\tab " + text_rtf(item[2:]) + r'\par')
        elif re.match(r'\d+\. ', first):
            for item in items_of(block, r'\d+\. '):
                num, rest = item.split(' ', 1)
                body.append(P_ITEM + num + r'\tab ' + text_rtf(rest) + r'\par')
        elif first.startswith('```'):
            for line in block[1:-1]:
                body.append(r'\pard\plain\f3\fs20\cf1\li567\sa0 ' + text_rtf_plain(line) + r'\par')
            body.append(r'\pard\plain\f0\fs12\sa60\par')
        else:
            body.append(P_BODY + text_rtf(joined) + r'\par')
    return HEADER % text_rtf(title) + '\r\n'.join(body) + '\r\n}\r\n'


def table_rtf(block):
    """Rows as paragraphs with tab stops: the theory window and any word
    processor line them up the same way, which real tables would not."""
    try:
        stops = [int(v) for v in block[0].split()[1:]]
    except ValueError:
        raise SourceError('@tabla needs tab stops in twips: ' + block[0])
    tabs = ''.join(r'\tx%d' % x for x in stops)
    rows = []
    for k, line in enumerate(block[1:]):
        cells = [c.strip() for c in line.split(' | ')]
        if len(cells) > len(stops) + 1:
            raise SourceError('table row with more cells than tab stops: ' + line)
        text = r'\tab '.join(text_rtf(c) for c in cells)
        style = r'\b' if k == 0 else ''
        after = r'\sa200' if k == len(block) - 2 else r'\sa40'
        rows.append(r'\pard\plain\f0\fs20\cf1' + LANG + style + after + r'\li170' + tabs + ' ' + text + r'\par')
    return rows


def text_rtf_plain(s):
    return ''.join(rtf_char(c) for c in s)


def main(argv):
    out_dir = argv[0] if argv else ROOT
    formulas = load_formulas()
    used = set()
    for src_name, out_name, title in CHAPTERS:
        with open(os.path.join(SRC, src_name), encoding='utf-8') as f:
            rtf = chapter_rtf(f.read(), title, formulas, used)
        data = rtf.encode('ascii')
        check_chapters.check_rtf(data, out_name)
        with open(os.path.join(out_dir, out_name), 'wb') as f:
            f.write(data)
        print('%s: %d bytes' % (out_name, len(data)))
    unused = sorted(set(formulas) - used)
    if unused:
        print('formulas defined but not used: ' + ', '.join(unused), file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
