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
    otherwise                      ordinary paragraph; its lines are joined

Inline: **negrita**, *cursiva*, $símbolos$ (letters in italics, _x or _{..}
subscript, ^x or ^{..} superscript, \\rm{..} upright, \\bf{..} bold), and a
backslash before * $ _ ^ \\ to write the character itself.

Greek letters are written as \\uN escapes in running text and with the Symbol
font in the centred formulas. Every metafile is checked after it is built and
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

ROOT = os.path.dirname(HERE)
SRC = os.path.join(ROOT, 'src')

CHAPTERS = [
    ('Intro.txt', 'Intro.rtf', 'Introducción'),
    ('EH.txt', 'EH.rtf', 'Efecto Hall'),
    ('EH-2p.txt', 'EH-2p.rtf', 'Muestras con dos tipos de portadores'),
    ('Medidas.txt', 'Medidas.rtf', 'Medidas a realizar'),
    ('Discusion.txt', 'Discusion.rtf', 'Interpretación'),
]

F_TEXT, F_HEAD, F_SYMBOL, F_MONO = 0, 1, 2, 3
LANG = r'\lang3082'   # español (alfabetización internacional)

HEADER = (r'{\rtf1\ansi\ansicpg1252\deff0\deflang3082'
          r'{\fonttbl{\f0\froman\fcharset0\fprq2 Times New Roman;}'
          r'{\f1\fswiss\fcharset0\fprq2 Arial;}'
          r'{\f2\froman\fcharset2\fprq2 Symbol;}'
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
        return r'\u%d?' % n
    return r"\'%02x" % b[0]


def is_greek(c):
    return '\u0370' <= c <= '\u03ff'


SYMBOL_TEXT = {c: v[0] for c, v in mfw.SYMBOL_CODES.items()}


def symbol_char(c):
    return r"{\f2\'%02x}" % SYMBOL_TEXT[c]


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


def math_rtf(s, display):
    """Symbols: letters italic, others upright; scripts; Greek via \\u or Symbol."""
    out = []
    i = 0
    while i < len(s):
        c = s[i]
        if c == '\\':
            m = re.match(r'\\(rm|bf|it)\{', s[i:])
            if m:
                inner, j = read_braced(s, i + len(m.group(0)) - 1)
                if m.group(1) == 'rm':
                    out.append('{\\i0 ' + text_rtf(inner, display) + '}')
                elif m.group(1) == 'bf':
                    out.append('{\\b\\i0 ' + text_rtf(inner, display) + '}')
                else:
                    out.append(math_rtf(inner, display))
                i = j
                continue
            if s.startswith('\\,', i):      # thin space of the formula notation
                out.append(' ')
                i += 2
                continue
            if i + 1 < len(s) and s[i + 1] in '\\{}$*_^ ':
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
            out.append('{' + tag + ' ' + math_rtf(inner, display) + '}')
            i = j
            continue
        if c.isalpha() and not is_greek(c):
            m = re.match(r'[A-Za-z]+', s[i:])
            word = m.group(0) if m else c
            if word in ('exp', 'ln', 'log', 'máx', 'mín'):
                out.append(text_rtf(word, display))
                i += len(word)
                continue
            out.append('{\\i ' + rtf_char(c) + '}')
            i += 1
            continue
        if display and c in SYMBOL_TEXT:
            out.append(symbol_char(c))
        else:
            out.append(rtf_char(c))
        i += 1
    return ''.join(out)


def text_rtf(s, display=False):
    """Running text with **bold**, *italic* and $symbols$."""
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
            out.append('{\\b ' + text_rtf(s[i + 2:j], display) + '}')
            i = j + 2
        elif c == '*':
            j = s.find('*', i + 1)
            if j < 0:
                raise SourceError('unclosed * in: ' + s)
            out.append('{\\i ' + text_rtf(s[i + 1:j], display) + '}')
            i = j + 1
        elif c == '$':
            j = i + 1
            while j < len(s) and s[j] != '$':
                j += 2 if s[j] == '\\' else 1
            if j >= len(s):
                raise SourceError('unclosed $ in: ' + s)
            out.append(math_rtf(s[i + 1:j], display))
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
                body.append(P_CENTRE + r'{\i\fs20 ' + text_rtf(caption) + r'}\par')
        elif first.startswith('$$'):
            for line in block:
                line = line.strip()
                if not (line.startswith('$$') and line.endswith('$$') and len(line) > 4):
                    raise SourceError('formula line must be $$ ... $$: ' + line)
                body.append(P_CENTRE + math_rtf(line[2:-2].strip(), True) + r'\par')
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
