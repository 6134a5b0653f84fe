#!/usr/bin/env python3
"""Checks the chapter files as they ship.

For every .rtf given (default: the five chapters in chapters/):
- plain ASCII, one top-level group starting with {\\rtf1\\ansi\\ansicpg1252,
  balanced braces, nothing but line ends after the last brace;
- it parses as a group tree: every control word well formed, every \\'hh two
  hex digits, every \\uN followed by its one fallback character;
- the font table and colour table exist and every \\fN and \\cfN used is defined;
- no font of the table is the Symbol font or uses its character set (2): every
  symbol is a \\uN character, readable in any word processor;
- every picture is either \\wmetafile8, whose metafile passes
  make_formula_wmf.check_wmf, with \\picwgoal/\\pichgoal equal to its window
  extent and \\picw/\\pich the same size in 0.01 mm; or \\pngblip, a whole PNG
  whose pixel size is \\picw/\\pich, shown at a goal size of the same shape;
- every object is of class Equation.3, with \\objw/\\objh equal to the size of
  the picture in its \\result.

- no metafile draws with the Symbol font (readers substitute it differently).

For the five chapters, also: each holds at least its number of words; embeds
every figure it is meant to show, byte for byte as in chapters/figures/, at
300 dpi or more at its printed size, with decimal commas, minus signs and K⁻¹
in the texts the figure shows (figures/<name>.textos); and has a non-breaking
space between every number and its unit. Then, from the sources: the
constants table shows the values of the model in the program's source
(src/model), and the worked example's results follow from its line of data,
which a fresh sweep of tarvelo-barrido reproduces (--barrido PATH, or the
TARVELO_BARRIDO variable, or build/ beside chapters/; skipped with a message
when the program or the source is not there).

With --text the decoded text of each chapter is printed (for proofreading).
Exit status 1 on the first fault, with a message naming file and offset.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check_content as content  # noqa: E402
import make_formula_wmf as mfw   # noqa: E402

ROOT = os.path.dirname(HERE)
CHAPTER_FILES = ['Intro.rtf', 'EH.rtf', 'EH-2p.rtf', 'Medidas.rtf', 'Discusion.rtf']
FIGURES = os.path.join(ROOT, 'figures')

# What each chapter must at least hold: words of text, and the figures of
# results (chapters/figures/<name>.png) it shows.
EXPECTED = {
    'Intro.rtf': (1300, []),
    'EH.rtf': (1350, []),
    'EH-2p.rtf': (1200, ['RH_T']),
    'Medidas.rtf': (2500, []),
    'Discusion.rtf': (3200, ['rho_T', 'RH_T', 'muH_T', 'lnsigma_T']),
}


class RtfError(ValueError):
    pass


class Group:
    def __init__(self, start):
        self.start = start
        self.items = []     # ('word', name, param) / ('sym', ch) / ('hex', byte) / ('text', str) / Group

    def words(self):
        return [it for it in self.items if isinstance(it, tuple) and it[0] == 'word']

    def first_word(self):
        for it in self.items:
            if isinstance(it, tuple):
                if it[0] == 'word' or it[0] == 'sym':
                    return it[1] if it[0] == 'word' else '\\' + it[1]
                if it[0] == 'text' and not it[1].strip():
                    continue
            return None
        return None

    def destination(self):
        """The name of the destination this group opens, if any (\\* skipped)."""
        names = []
        for it in self.items[:2]:
            if isinstance(it, tuple) and it[0] == 'sym' and it[1] == '*':
                continue
            if isinstance(it, tuple) and it[0] == 'word':
                names.append(it[1])
            break
        return names[0] if names else None


WORD = re.compile(rb'\\([a-z]{1,32})(-?\d{1,10})? ?')


def parse(data, name='?'):
    if any(b > 127 for b in data):
        raise RtfError('%s: byte above 127 at %d' % (name, next(i for i, b in enumerate(data) if b > 127)))
    if not data.startswith(b'{\\rtf1\\ansi\\ansicpg1252'):
        raise RtfError(name + ': does not start with {\\rtf1\\ansi\\ansicpg1252')
    stack = []
    root = None
    i = 0
    uc_skip = 1
    while i < len(data):
        c = data[i:i + 1]
        if root is not None and not stack:
            if data[i:].strip(b'\r\n'):
                raise RtfError('%s: text after the closing brace at %d' % (name, i))
            break
        if c == b'{':
            g = Group(i)
            if stack:
                stack[-1].items.append(g)
            else:
                if root is not None:
                    raise RtfError('%s: second top-level group at %d' % (name, i))
                root = g
            stack.append(g)
            i += 1
        elif c == b'}':
            if not stack:
                raise RtfError('%s: unmatched } at %d' % (name, i))
            stack.pop()
            i += 1
        elif not stack:
            raise RtfError('%s: text outside the document group at %d' % (name, i))
        elif c == b'\\':
            m = WORD.match(data, i)
            if m:
                word = m.group(1).decode()
                param = int(m.group(2)) if m.group(2) else None
                stack[-1].items.append(('word', word, param))
                i = m.end()
                if word == 'uc':
                    uc_skip = param
                if word == 'u':
                    if param is None:
                        raise RtfError('%s: \\u without number at %d' % (name, i))
                    if uc_skip != 1 or i >= len(data) or data[i:i + 1] in b'\\{}\r\n':
                        raise RtfError('%s: \\u%d without one plain fallback character at %d'
                                       % (name, param, i))
                    i += 1
                if word == 'bin':
                    raise RtfError('%s: \\bin is not used in the chapters (at %d)' % (name, i))
                continue
            nxt = data[i + 1:i + 2]
            if nxt == b"'":
                hx = data[i + 2:i + 4]
                if not re.fullmatch(rb'[0-9a-fA-F]{2}', hx):
                    raise RtfError("%s: bad \\' escape at %d" % (name, i))
                stack[-1].items.append(('hex', int(hx, 16)))
                i += 4
            elif nxt and nxt in b'\\{}~-_*|:\r\n':
                stack[-1].items.append(('sym', nxt.decode()))
                i += 2
            else:
                raise RtfError('%s: malformed control sequence at %d: %r' % (name, i, data[i:i + 12]))
        elif c in b'\r\n':
            i += 1
        else:
            j = i
            while j < len(data) and data[j:j + 1] not in (b'{', b'}', b'\\', b'\r', b'\n'):
                j += 1
            stack[-1].items.append(('text', data[i:j].decode('ascii')))
            i = j
    if stack:
        raise RtfError('%s: %d group(s) left open at the end' % (name, len(stack)))
    if root is None:
        raise RtfError(name + ': empty file')
    return root


def walk(group):
    yield group
    for it in group.items:
        if isinstance(it, Group):
            yield from walk(it)


def table_numbers(root, dest):
    for g in walk(root):
        if g.destination() == dest:
            if dest == 'fonttbl':
                return {w[2] for sub in g.items if isinstance(sub, Group)
                        for w in sub.words()[:1] if w[1] == 'f'}
            # colour table: entries end with ';', the first (empty) one is 0
            text = ''.join(it[1] for it in g.items if isinstance(it, tuple) and it[0] == 'text')
            return set(range(text.count(';')))
    raise RtfError('no \\%s' % dest)


PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'


def png_size(data):
    """(width, height) in pixels of a whole PNG; ValueError if it is not one."""
    if not data.startswith(PNG_SIGNATURE) or data[12:16] != b'IHDR':
        raise ValueError('not a PNG (signature or IHDR missing)')
    if not data.endswith(b'IEND\xaeB`\x82'):
        raise ValueError('PNG cut short (no IEND at the end)')
    w, h = int.from_bytes(data[16:20], 'big'), int.from_bytes(data[20:24], 'big')
    if not (0 < w <= 4000 and 0 < h <= 4000):
        raise ValueError('PNG of %d x %d pixels' % (w, h))
    return w, h


def pict_data(g, name):
    hexdata = ''.join(it[1] for it in g.items if isinstance(it, tuple) and it[0] == 'text')
    hexdata = re.sub(r'\s', '', hexdata)
    if len(hexdata) % 2 or not re.fullmatch(r'[0-9a-fA-F]*', hexdata):
        raise RtfError('%s: picture data at %d is not whole hex bytes' % (name, g.start))
    return bytes.fromhex(hexdata)


def png_pict_of(g, words, name):
    data = pict_data(g, name)
    try:
        w, h = png_size(data)
    except ValueError as e:
        raise RtfError('%s: picture at %d: %s' % (name, g.start, e))
    if (words.get('picw'), words.get('pich')) != (w, h):
        raise RtfError('%s: picture at %d: \\picw/\\pich %s x %s, PNG %d x %d pixels'
                       % (name, g.start, words.get('picw'), words.get('pich'), w, h))
    gw, gh = words.get('picwgoal') or 0, words.get('pichgoal') or 0
    if gw <= 0 or gh <= 0 or abs(gw * h - gh * w) > max(gw, gh) * 0.01 * w:
        raise RtfError('%s: picture at %d: goal size %s x %s is not the shape of the PNG'
                       % (name, g.start, gw, gh))
    return data


def pict_of(g, name):
    words = {w[1]: w[2] for w in g.words()}
    if 'pngblip' in words:
        png_pict_of(g, words, name)
        return words['picwgoal'], words['pichgoal']
    if 'wmetafile' not in words or words['wmetafile'] != 8:
        raise RtfError('%s: picture at %d is neither \\wmetafile8 nor \\pngblip' % (name, g.start))
    data = pict_data(g, name)
    try:
        info = mfw.check_wmf(data)
    except ValueError as e:
        raise RtfError('%s: metafile at %d: %s' % (name, g.start, e))
    for face, charset in info['fonts']:
        if face.lower() == 'symbol' or charset == 2:
            raise RtfError('%s: metafile at %d draws with the Symbol font, which readers '
                           'substitute differently' % (name, g.start))
    w, h = info['extent']
    if (words.get('picwgoal'), words.get('pichgoal')) != (w, h):
        raise RtfError('%s: picture at %d: goal size %s x %s, metafile extent %d x %d'
                       % (name, g.start, words.get('picwgoal'), words.get('pichgoal'), w, h))
    for key, tw in (('picw', w), ('pich', h)):
        if key not in words or abs(words[key] - tw * 2540 / 1440) > 1:
            raise RtfError('%s: picture at %d: \\%s does not match' % (name, g.start, key))
    return w, h


def check_no_symbol_font(root, name):
    for g in walk(root):
        if g.destination() == 'fonttbl':
            for sub in walk(g):
                text = ''.join(it[1] for it in sub.items if isinstance(it, tuple) and it[0] == 'text')
                if 'symbol' in text.lower() or ('word', 'fcharset', 2) in sub.items:
                    raise RtfError('%s: the font table names the Symbol font or its '
                                   'character set (group at %d)' % (name, sub.start))


def embedded_pngs(root, name):
    """{PNG bytes: width it is printed at, in twips} of every PNG picture."""
    shown = {}
    for g in walk(root):
        if g.destination() == 'pict' and any(w[1] == 'pngblip' for w in g.words()):
            words = {w[1]: w[2] for w in g.words()}
            shown[pict_data(g, name)] = words.get('picwgoal') or 0
    return shown


def check_expected(root, text, name):
    """The chapter's minimum of words, its figures of results at print
    resolution with the texts they show, and numbers kept with their units."""
    if name not in EXPECTED:
        return
    min_words, figures = EXPECTED[name]
    words = len(text.split())
    if words < min_words:
        raise RtfError('%s: %d words, fewer than %d' % (name, words, min_words))
    shown = embedded_pngs(root, name)
    for fig in figures:
        path = os.path.join(FIGURES, fig + '.png')
        try:
            with open(path, 'rb') as f:
                wanted = f.read()
        except OSError:
            raise RtfError('%s: figure %s missing (%s)' % (name, fig, path))
        if wanted not in shown:
            raise RtfError('%s: does not show figure %s as it is in %s' % (name, fig, path))
        faults = (content.check_resolution('%s, figure %s' % (name, fig), png_size(wanted)[0], shown[wanted])
                  + content.check_figure_texts(fig, wanted))
        if faults:
            raise RtfError(faults[0])
    faults = content.check_unit_spaces(name, text)
    if faults:
        raise RtfError('%s (and %d more)' % (faults[0], len(faults) - 1) if len(faults) > 1 else faults[0])


def check_rtf(data, name='?'):
    """Raises RtfError on a fault; returns (pictures, objects, decoded text)."""
    root = parse(data, name)
    check_no_symbol_font(root, name)
    fonts = table_numbers(root, 'fonttbl')
    colours = table_numbers(root, 'colortbl')
    in_fonttbl = set()
    for g in walk(root):
        if g.destination() == 'fonttbl':
            in_fonttbl = {id(x) for x in walk(g)}
    pictures = objects = 0
    for g in walk(root):
        if id(g) not in in_fonttbl:
            for _, w, p in g.words():
                if w == 'f' and p not in fonts:
                    raise RtfError('%s: font %s used but not defined (group at %d)' % (name, p, g.start))
                if w == 'cf' and p not in colours:
                    raise RtfError('%s: colour %s used but not defined (group at %d)' % (name, p, g.start))
        dest = g.destination()
        if dest == 'pict':
            pict_of(g, name)
            pictures += 1
        elif dest == 'object':
            objects += 1
            words = {w[1]: w[2] for w in g.words()}
            cls = [sub for sub in g.items if isinstance(sub, Group) and sub.destination() == 'objclass']
            if not cls or ''.join(it[1] for it in cls[0].items
                                  if isinstance(it, tuple) and it[0] == 'text').strip() != 'Equation.3':
                raise RtfError('%s: object at %d is not of class Equation.3' % (name, g.start))
            results = [sub for sub in g.items if isinstance(sub, Group) and sub.destination() == 'result']
            picts = [sub for r in results for sub in r.items
                     if isinstance(sub, Group) and sub.destination() == 'pict']
            if len(picts) != 1:
                raise RtfError('%s: object at %d has no single result picture' % (name, g.start))
            w, h = pict_of(picts[0], name)
            if (words.get('objw'), words.get('objh')) != (w, h):
                raise RtfError('%s: object at %d: \\objw/\\objh differ from the picture' % (name, g.start))
    text = decoded_text(root)
    check_expected(root, text, name)
    return pictures, objects, text


SKIP = {'fonttbl', 'colortbl', 'info', 'pict', 'objclass', 'objdata', 'generator', 'stylesheet'}


def decoded_text(root):
    out = []

    def visit(g):
        if g.destination() in SKIP:
            return
        for it in g.items:
            if isinstance(it, Group):
                visit(it)
            elif it[0] == 'text':
                out.append(it[1])
            elif it[0] == 'hex':
                out.append(bytes([it[1]]).decode('cp1252'))
            elif it[0] == 'sym' and it[1] in '\\{}':
                out.append(it[1])
            elif it[0] == 'sym' and it[1] == '~':
                out.append('\u00a0')
            elif it[0] == 'word':
                if it[1] == 'par':
                    out.append('\n')
                elif it[1] == 'tab':
                    out.append('\t')
                elif it[1] == 'u':
                    out.append(chr(it[2] % 65536))   # the parser already dropped the fallback
    visit(root)
    return ''.join(out)


def check_sources(barrido=None):
    """The constants table and the worked example, against the program's
    model and a fresh sweep. Returns the faults; prints what was skipped."""
    with open(os.path.join(content.SRC, 'Intro.txt'), encoding='utf-8') as f:
        intro = f.read()
    with open(os.path.join(content.SRC, 'Discusion.txt'), encoding='utf-8') as f:
        discussion = f.read()
    faults = []
    try:
        model = content.model_constants()
        faults += content.check_constants_table(intro, model)
        faults += content.check_example_arithmetic(discussion, model['geometry'])
    except content.Skipped as e:
        print('skip ' + str(e))
    try:
        faults += content.check_example_against_sweep(discussion, content.find_sweep_program(barrido))
    except content.Skipped as e:
        print('skip ' + str(e))
    return faults


def main(argv):
    show = '--text' in argv
    barrido = None
    if '--barrido' in argv:
        k = argv.index('--barrido')
        barrido = argv[k + 1] if k + 1 < len(argv) else ''
        argv = argv[:k] + argv[k + 2:]
    files = [a for a in argv if a != '--text'] or [os.path.join(ROOT, f) for f in CHAPTER_FILES]
    for path in files:
        with open(path, 'rb') as f:
            data = f.read()
        try:
            pictures, objects, text = check_rtf(data, os.path.basename(path))
        except RtfError as e:
            print('FAIL ' + str(e))
            return 1
        print('ok   %s: %d bytes, %d pictures (%d formula objects), %d words'
              % (os.path.basename(path), len(data), pictures, objects, len(text.split())))
        if show:
            print(text)
    faults = check_sources(barrido)
    for fault in faults:
        print('FAIL ' + fault)
    if faults:
        return 1
    print('ok   constants table and worked example')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
