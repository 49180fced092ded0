#!/usr/bin/env python3
"""Makes the shipped template folders under data/Templates/.

Run from anywhere: python3 tools/make-data.py. It rewrites every generated file; the results are
committed, so neither the build nor the tests need what this script needs. Besides Python's own
library it calls ImageMagick's `convert` (pictures, fonts-dejavu-core for the captions) and `lame`
(the MP3 sounds): generator dependencies only.
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, 'data')
TEMPLATES = os.path.join(DATA, 'Templates')
# The page script AC_RunActiveContent.js is shared too, but kept in Horizontal only: laying out a
# program folder (cmake/layout-program.cmake) puts it in Vertical as well.
SHARED_PAGES = ('Template.htm', 'MenuScript.htm', 'MainBody.htm', 'NoMenu.htm', 'style.css')
FONT = 'DejaVu-Sans'
FONT_BOLD = 'DejaVu-Sans-Bold'
JPEG_QUALITY = '84'

# Area sizes of the designs, per orientation.
SIZE = {'Horizontal': (760, 150), 'Vertical': (180, 460)}

# One button set per row of the package table; a template id is the code and three digits.
# Colours are RRGGBB; bg = two colours of the banner picture and its pattern.
THEMES = [
    dict(id='tvnr001', face='Verdana', type=1, size='fix', space=2, align='Center',
         main=('1F3A5F', '2E6DB4'), sub=('F4F6F9', 'DCE7F5'), text=('FFFFFF', 'FFFFFF', '1F3A5F', '0E2440'),
         title='FFFFFF', desc='C9D8EC', bg=('14273F', '2F6CA8', 'waves'), bgcolor='1F3A5F', icons=('FFFFFF', 20, 'FFFFFF', 45)),
    dict(id='tvnr007', face='Tahoma', type=3, size='fix', space=1, align='Center',
         main=('4A5866', '6C8094'), sub=('F1F3F5', 'D5DEE6'), text=('FFFFFF', 'FFFFFF', '33404C', '1C2630'),
         title='FFFFFF', desc='DDE5EC', bg=('2C3640', '7A8C9C', 'circles'), bgcolor='3A4550', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmbiz001', face='Georgia', type=2, size='fix', space=3, align='Center',
         main=('2B2B2B', '8C6D1F'), sub=('FAF6EC', 'EADBB2'), text=('F2E3B8', 'FFFFFF', '3A2F12', '2B2B2B'),
         title='F2E3B8', desc='BFB49A', bg=('151515', '4A4031', 'stripes'), bgcolor='202020', icons=('F2E3B8', 15, 'F2E3B8', 40)),
    dict(id='tvmbiz007', face='Verdana', type=1, size='variable', space=4, align='Center',
         main=('0F6E6E', '149191'), sub=('EFF8F7', 'CFEDEA'), text=('FFFFFF', 'FFFFFF', '0C4F4F', '083838'),
         title='FFFFFF', desc='CBEDEA', bg=('0A4A4C', '1FA3A0', 'waves'), bgcolor='0F6E6E', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmspt001', face='Arial', type=3, size='fix', space=2, align='Center',
         main=('B3141C', 'E0262F'), sub=('1E1E1E', '3A3A3A'), text=('FFFFFF', 'FFFFFF', 'F0F0F0', 'FFFFFF'),
         title='FFFFFF', desc='FFD0D2', bg=('1A1A1A', 'A3121A', 'diagonal'), bgcolor='1A1A1A', icons=('FFFFFF', 15, 'E0262F', 80)),
    dict(id='tvmgbl001', face='Verdana', type=3, size='fix', space=2, align='Center',
         main=('1565A8', '1E88D6'), sub=('EEF6FC', 'CFE6F7'), text=('FFFFFF', 'FFFFFF', '0D4676', '082E4F'),
         title='FFFFFF', desc='D6ECFA', bg=('0B3C6B', '2BA36B', 'globe'), bgcolor='0B3C6B', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmcyb001', face='Verdana', type=1, size='fix', space=1, align='Center',
         main=('0B0F14', '00B5C8'), sub=('111820', '0B7F8C'), text=('6FF3FF', '0B0F14', '9CEFF7', 'FFFFFF'),
         title='6FF3FF', desc='7A9CA6', bg=('05080C', '0E3A46', 'grid'), bgcolor='05080C', icons=('00B5C8', 20, '00B5C8', 60)),
    dict(id='tvmholi001', face='Trebuchet MS', type=3, size='variable', space=4, align='Center',
         main=('E0792B', 'F29A3F'), sub=('FFF7EC', 'FDE3C2'), text=('FFFFFF', 'FFFFFF', '8A4513', '6A3209'),
         title='FFFFFF', desc='FFF0D9', bg=('F2A541', '3BA7C9', 'sun'), bgcolor='F2A541', icons=('FFFFFF', 25, 'FFFFFF', 55)),
    dict(id='tvmrom001', face='Georgia', type=1, size='fix', space=2, align='Center',
         main=('8E2F5A', 'B94A7C'), sub=('FCF1F5', 'F4D3E1'), text=('FFFFFF', 'FFFFFF', '6E2245', '4F1530'),
         title='FFFFFF', desc='F6D7E4', bg=('5A1F3C', 'D77FA1', 'circles'), bgcolor='6E2245', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmvb001', face='Tahoma', type=2, size='fix', space=2, align='Center',
         main=('D4D0C8', 'B5C8E0'), sub=('F4F3EF', 'C9D8EA'), text=('1A1A1A', '0A2A55', '1A1A1A', '0A2A55'),
         title='1A2F4F', desc='4A5A70', bg=('E9EEF4', 'A9BCD3', 'stripes'), bgcolor='E9EEF4', icons=('1A2F4F', 10, '1A2F4F', 25)),
    dict(id='tvstd001', face='Verdana', type=1, size='variable', space=6, align='Center',
         main=('5B6B2E', '7C9140'), sub=('F6F8EF', 'E0E8C9'), text=('FFFFFF', 'FFFFFF', '3F4A1F', '2C3414'),
         title='FFFFFF', desc='E6EDCF', bg=('3E4A1F', '9BAF5A', 'waves'), bgcolor='4E5B27', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmjs001', face='Trebuchet MS', type=3, size='fix', space=2, align='Center',
         main=('8C3B12', 'B85A1F'), sub=('FFF6EC', 'F6DEC2'), text=('FFF3E0', 'FFFFFF', '6A2C0C', '4F2008'),
         title='FFF3E0', desc='F6D9B5', bg=('5C240B', 'D9822B', 'leaves'), bgcolor='6A2C0C', icons=('FFF3E0', 15, 'FFF3E0', 40)),
    dict(id='tvmspt007', face='Arial', type=2, size='fix', space=3, align='Center',
         main=('1F6B2A', '2E9140'), sub=('F0F8F1', 'CDEBD2'), text=('FFFFFF', 'FFFFFF', '17501F', '0F3815'),
         title='FFFFFF', desc='D3F0D8', bg=('145220', '52B35F', 'stripes'), bgcolor='1A5E25', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmvnat001', face='Georgia', type=1, size='fix', space=2, align='Left',
         main=('2F5233', '4A7A4F'), sub=('F3F7F0', 'DCE8D4'), text=('F3F7F0', 'FFFFFF', '2F5233', '1E3A22'),
         title='FFFFFF', desc='DCE8D4', bg=('1F3A23', '8DB36B', 'leaves'), bgcolor='2F5233', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmjy001', face='Verdana', type=3, size='fix', space=2, align='Center',
         main=('0A2A4A', '1D4F80'), sub=('F2F6FA', 'D8E4F0'), text=('FFFFFF', 'FFFFFF', '0A2A4A', '061A30'),
         title='FFFFFF', desc='BCD3EA', bg=('061A30', '5B9BD5', 'horizon'), bgcolor='0A2A4A', icons=('FFFFFF', 15, 'FFFFFF', 40)),
    dict(id='tvmvgbl001', face='Tahoma', type=1, size='variable', space=3, align='Center',
         main=('3B2F8F', '5847C2'), sub=('F3F1FC', 'DDD8F5'), text=('FFFFFF', 'FFFFFF', '2E2470', '1D164F'),
         title='FFFFFF', desc='D8D3F7', bg=('241C5C', '6A8CE0', 'globe'), bgcolor='2E2470', icons=('FFFFFF', 15, 'FFFFFF', 40)),
]

ICONS = [('home', '\u2302', '2E6DB4'), ('mail', '\u2709', 'C0392B'), ('phone', '\u260E', '27AE60'),
         ('star', '\u2605', 'E2A615'), ('heart', '\u2665', 'D2386C'), ('music', '\u266B', '8E44AD'),
         ('travel', '\u2708', '2980B9'), ('sun', '\u2600', 'F39C12'), ('weather', '\u2602', '16A085'),
         ('edit', '\u270E', '7F8C8D'), ('settings', '\u2699', '34495E'), ('check', '\u2713', '2ECC71'),
         ('add', '\u271A', '1ABC9C'), ('flag', '\u2691', 'E74C3C'), ('list', '\u2630', '5D6D7E'),
         ('info', 'i', '3498DB'), ('help', '?', '9B59B6'), ('coffee', '\u2615', '795548'),
         ('warning', '\u26A0', 'E67E22'), ('recycle', '\u267B', '43A047'), ('cut', '\u2702', '607D8B'),
         ('cloud', '\u2601', '5DADE2'), ('snow', '\u2744', '00ACC1'), ('smile', '\u263A', 'F4B400'),
         ('mark', '\u2690', 'AD1457')]

MENU = [
    ('Home', 'mainbody.htm', []),
    ('Products', 'products.htm', [('Overview', 'products.htm'), ('Products &amp; Prices', 'prices.htm'),
                                  ('Downloads', 'downloads.htm')]),
    ('Services', 'services.htm', [('Consulting', 'consulting.htm'), ('Support', 'support.htm')]),
    ('About Us', 'about.htm', [('Company', 'company.htm'), ('Team', 'team.htm'), ('Careers', 'careers.htm')]),
    ('Contact', 'contact.htm', []),
]


def run(*args):
    subprocess.run(list(args), check=True)


def ensure(path):
    os.makedirs(path, exist_ok=True)
    return path


def hexrgb(c):
    return '#' + c


def mix(a, b, t):
    ca = [int(a[i:i + 2], 16) for i in (0, 2, 4)]
    cb = [int(b[i:i + 2], 16) for i in (0, 2, 4)]
    return ''.join('%02X' % round(x + (y - x) * t) for x, y in zip(ca, cb))


# ---- pictures ----

def banner(path, w, h, c1, c2, pattern, quality=JPEG_QUALITY):
    """A background: a diagonal gradient with a light pattern on it."""
    horizontal = w >= h
    grad = ['-size', '%dx%d' % (h, w) if horizontal else '%dx%d' % (w, h),
            'gradient:%s-%s' % (hexrgb(c2), hexrgb(c1))]
    if horizontal:
        grad += ['-rotate', '-90']
    draw = []
    lo = 'rgba(255,255,255,0.07)'
    hi = 'rgba(255,255,255,0.12)'
    big = max(w, h)
    if pattern == 'waves':
        for i, a in enumerate((0.10, 0.07, 0.05)):
            yy = h * (0.55 + 0.12 * i) if horizontal else h * (0.35 + 0.2 * i)
            pts = ' '.join('%d,%d' % (x, yy + math.sin(x / (w / (2.2 + i)) * math.pi + i) * h * 0.12)
                           for x in range(0, w + 20, 20))
            draw += ['-fill', 'rgba(255,255,255,%.2f)' % a, '-draw',
                     'polygon %s %d,%d 0,%d' % (pts, w, h, h)]
    elif pattern == 'circles':
        for (cx, cy, r) in ((0.82, 0.3, 0.28), (0.95, 0.9, 0.22), (0.62, 1.1, 0.3), (0.1, -0.2, 0.2)):
            draw += ['-fill', lo, '-draw', 'circle %d,%d %d,%d' % (w * cx, h * cy, w * cx + big * r, h * cy)]
    elif pattern == 'stripes':
        for x in range(-h, w + h, 18):
            draw += ['-fill', 'rgba(255,255,255,0.04)', '-draw',
                     'polygon %d,0 %d,0 %d,%d %d,%d' % (x, x + 8, x + 8 - h, h, x - h, h)]
    elif pattern == 'diagonal':
        draw += ['-fill', hi, '-draw', 'polygon %d,0 %d,0 %d,%d %d,%d' % (w * 0.55, w, w, h, w * 0.35, h)]
        draw += ['-fill', lo, '-draw', 'polygon %d,0 %d,0 %d,%d %d,%d' % (w * 0.7, w, w, h, w * 0.5, h)]
    elif pattern == 'globe':
        cx, cy, r = (w * 0.86, h * 0.5, h * 0.9) if horizontal else (w * 0.5, h * 0.85, w * 0.8)
        draw += ['-fill', 'none', '-stroke', 'rgba(255,255,255,0.14)', '-strokewidth', '1.5']
        for k in range(1, 5):
            draw += ['-draw', 'ellipse %d,%d %d,%d 0,360' % (cx, cy, r * k / 4, r)]
            draw += ['-draw', 'ellipse %d,%d %d,%d 0,360' % (cx, cy, r, r * k / 4)]
        draw += ['-stroke', 'none', '-fill', lo, '-draw', 'circle %d,%d %d,%d' % (cx, cy, cx + r, cy)]
    elif pattern == 'grid':
        draw += ['-stroke', 'rgba(0,220,255,0.10)', '-strokewidth', '1']
        for x in range(0, w, 16):
            draw += ['-draw', 'line %d,0 %d,%d' % (x, x, h)]
        for y in range(0, h, 16):
            draw += ['-draw', 'line 0,%d %d,%d' % (y, w, y)]
        draw += ['-stroke', 'none']
    elif pattern == 'sun':
        cx, cy = (w * 0.88, h * 0.15) if horizontal else (w * 0.8, h * 0.08)
        for r, a in ((h * 0.9, 0.06), (h * 0.6, 0.08), (h * 0.32, 0.14)):
            r = r if horizontal else w * r / h * 3
            draw += ['-fill', 'rgba(255,255,210,%.2f)' % a, '-draw', 'circle %d,%d %d,%d' % (cx, cy, cx + r, cy)]
    elif pattern == 'leaves':
        import random
        rnd = random.Random(w * 7 + h + sum(ord(ch) for ch in c1 + c2))
        for _ in range(14):
            x, y = rnd.uniform(0.45, 1.0) * w, rnd.uniform(0, 1) * h
            s = rnd.uniform(8, 22)
            ang = rnd.uniform(0, 360)
            draw += ['-fill', 'rgba(255,255,255,%.2f)' % rnd.uniform(0.05, 0.12), '-draw',
                     'translate %d,%d rotate %d ellipse 0,0 %d,%d 0,360' % (x, y, ang, s, s * 0.45)]
    elif pattern == 'horizon':
        y = h * 0.62
        draw += ['-fill', 'rgba(255,255,255,0.10)', '-draw', 'rectangle 0,%d %d,%d' % (y, w, y + 2)]
        draw += ['-fill', 'rgba(0,0,0,0.12)', '-draw', 'rectangle 0,%d %d,%d' % (y + 2, w, h)]
    # A soft shade at the bottom, where the menu bar sits.
    draw += ['-fill', 'rgba(0,0,0,0.10)', '-draw', 'rectangle 0,%d %d,%d' % (h * 0.68, w, h)]
    run('convert', *grad, *draw, '-strip', '-quality', quality, path)


def thumb(src, dst, w, h, pad='F0F2F5'):
    run('convert', src, '-resize', '%dx%d' % (w, h), '-background', hexrgb(pad), '-gravity', 'center',
        '-extent', '%dx%d' % (w, h), '-strip', '-quality', JPEG_QUALITY, dst)


def noimage(path, w, h):
    run('convert', '-size', '%dx%d' % (w, h), 'xc:#EEF0F3', '-fill', 'none', '-stroke', '#C3C8D0',
        '-strokewidth', '2', '-draw', 'rectangle 3,3 %d,%d' % (w - 4, h - 4), '-stroke', 'none',
        '-fill', '#8A93A0', '-font', FONT, '-pointsize', str(max(9, min(14, h // 6))), '-gravity', 'center',
        '-annotate', '+0+0', 'No preview', '-strip', '-quality', JPEG_QUALITY, path)


def custom_tile(path, w, h):
    # The face of the "more button sets" tile; the tile writes its words over it in the window's
    # font and language.
    run('convert', '-size', '%dx%d' % (w, h), 'gradient:#FFFFFF-#E4E9F0', '-fill', 'none', '-stroke', '#9AA7B8',
        '-strokewidth', '2', '-draw', 'roundrectangle 4,4 %d,%d 8,8' % (w - 5, h - 5), '-strip', '-quality',
        JPEG_QUALITY, path)


def text_width(text, font, size):
    out = subprocess.run(['convert', '-font', font, '-pointsize', str(size), 'label:' + text, '-format', '%w',
                          'info:'], check=True, capture_output=True, text=True).stdout
    return int(out.strip())


def button_strip(tmp, t, vertical, count, width_hint=None):
    """The set's buttons as one picture, as the player draws them: the second shows the active state."""
    parts = []
    captions = [m[0] for m in MENU][:count]
    widths = [text_width(c, FONT_BOLD, 11) + 30 for c in captions]
    if t['size'] == 'fix':
        widths = [max(widths)] * len(widths)
    if vertical:
        widths = [width_hint] * len(widths)
    for i, cap in enumerate(captions):
        active = i == 1
        bg = t['main'][1 if active else 0]
        fg = t['text'][1 if active else 0]
        top, bottom = bg, bg
        if t['type'] == 3:
            top, bottom = mix(bg, 'FFFFFF', 0.3), mix(bg, '000000', 0.12)
        p = os.path.join(tmp, 'b%d.png' % i)
        args = ['convert', '-size', '%dx28' % widths[i], 'gradient:%s-%s' % (hexrgb(top), hexrgb(bottom))]
        if t['type'] == 2:
            args += ['-raise' if not active else '+raise', '1']
        args += ['-fill', hexrgb(fg), '-font', FONT_BOLD, '-pointsize', '11', '-gravity', 'center',
                 '-annotate', '+0+0', cap, p]
        run(*args)
        parts.append(p)
    out = os.path.join(tmp, 'strip.png')
    spacer = ['-background', 'none', '-gravity', 'northwest', '-splice', ('0x%d' if vertical else '%dx0') % t['space']]
    run('convert', parts[0], *[x for p in parts[1:] for x in ('(', p, *spacer, ')')],
        '-background', 'none', '-append' if vertical else '+append', out)
    return out


def set_thumbnail(tmp, t, orient, w, h, path):
    vertical = orient == 'Vertical'
    bgpic = os.path.join(tmp, 'thbg.png')
    c1, c2, pattern = t['bg']
    banner(bgpic, w, h, c1, c2, pattern)
    strip = button_strip(tmp, t, vertical, 4 if not vertical else (5 if h > 220 else 4),
                         width_hint=w - 24 if vertical else None)
    if vertical:
        run('convert', bgpic, strip, '-gravity', 'north', '-geometry', '+0+14', '-composite',
            '-strip', '-quality', JPEG_QUALITY, path)
    else:
        run('convert', bgpic, '(', strip, '-resize', '%dx%d>' % (w - 20, h - 20), ')', '-gravity', 'west',
            '-geometry', '+10+0', '-composite', '-strip', '-quality', JPEG_QUALITY, path)


def design_thumbnail(tmp, t, orient, bgfile, w, h, path):
    """A preset design as a tile: banner, logo, title and the button bar."""
    vertical = orient == 'Vertical'
    dw, dh = SIZE[orient]
    lay = layout(orient)
    full = os.path.join(tmp, 'full.png')
    strip = button_strip(tmp, t, vertical, 5, width_hint=dw - 28 if vertical else None)
    logo = os.path.join(TEMPLATES, 'Images', '02.png')
    run('convert', bgfile, '(', logo, ')', '-geometry', '+%d+%d' % lay['logo'], '-composite',
        '-fill', hexrgb(t['title']), '-font', FONT_BOLD, '-pointsize', str(lay['title_size']),
        '-annotate', '+%d+%d' % (lay['title'][0], lay['title'][1] + lay['title_size']), 'Your Company',
        strip, '-geometry', '+%d+%d' % lay['menu'], '-composite', full)
    run('convert', full, '-resize', '%dx%d' % (w, h), '-background', '#F0F2F5', '-gravity', 'center',
        '-extent', '%dx%d' % (w, h), '-strip', '-quality', JPEG_QUALITY, path)


def logos():
    images = ensure(os.path.join(TEMPLATES, 'Images'))
    # 01.jpg: a square tile for any background; 02.png: the same mark on transparency.
    mark = ['-fill', 'none', '-stroke', 'white', '-strokewidth', '5', '-draw', 'circle 32,32 32,10',
            '-stroke', 'none', '-fill', 'white', '-draw', 'polygon 32,18 44,40 20,40',
            '-fill', 'rgba(255,255,255,0.55)', '-draw', 'circle 32,45 32,49']
    run('convert', '-size', '64x64', 'gradient:#3A8DDE-#1F3A5F', *mark, '-strip', '-quality', '90',
        os.path.join(images, '01.jpg'))
    run('convert', '-size', '64x64', 'xc:none', '-fill', 'rgba(255,255,255,0.16)', '-draw', 'circle 32,32 32,2',
        *mark, '-strip', os.path.join(images, '02.png'))


def icons():
    folder = ensure(os.path.join(TEMPLATES, 'IconLink'))
    thumbs = ensure(os.path.join(folder, 'Thumbnail'))
    for name, glyph, color in ICONS:
        path = os.path.join(folder, name + '.jpg')
        font = FONT_BOLD if glyph.isascii() else FONT
        run('convert', '-size', '64x64', 'gradient:%s-%s' % (hexrgb(mix(color, 'FFFFFF', 0.18)),
                                                               hexrgb(mix(color, '000000', 0.18))),
            '-fill', 'white', '-font', font, '-pointsize', '40', '-gravity', 'center', '-annotate', '+0+1', glyph,
            '-resize', '32x32', '-strip', '-quality', '90', path)
        run('convert', path, '-resize', '64x64', '-strip', '-quality', JPEG_QUALITY, os.path.join(thumbs, name + '.jpg'))
    noimage(os.path.join(thumbs, 'NoImage.jpg'), 64, 64)


# ---- sounds ----

def tone(path, seconds, parts, rate=22050):
    """Writes a WAV of summed sine parts (frequency, amplitude) with a soft start and end."""
    n = int(seconds * rate)
    frames = bytearray()
    for i in range(n):
        t = i / rate
        env = min(1.0, t / 0.01, (seconds - t) / (seconds * 0.6))
        v = sum(a * math.sin(2 * math.pi * f * t) for f, a in parts) * env
        frames += struct.pack('<h', int(max(-1, min(1, v)) * 30000))
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def sounds(tmp):
    folder = ensure(os.path.join(TEMPLATES, 'Sounds'))
    specs = [('bip', 0.14, [(1320, 0.5), (2640, 0.12)], '32'),
             ('chime', 1.2, [(660, 0.3), (990, 0.2), (1320, 0.1)], '32'),
             ('calm', 6.0, [(220, 0.18), (277.2, 0.14), (329.6, 0.12), (440, 0.05)], '24')]
    for name, secs, parts, kbps in specs:
        wav = os.path.join(tmp, name + '.wav')
        tone(wav, secs, parts)
        run('lame', '--quiet', '-m', 'm', '-b', kbps, '--resample', '22.05', '--noreplaygain', wav,
            os.path.join(folder, name + '.mp3'))


# ---- movies ----

def swf(path, w, h, rgb):
    """A one-frame SWF of the area's size on the set's colour: it stands for the button set."""
    bits = 16
    vals = [0, w * 20, 0, h * 20]
    acc, nacc, out = 0, 0, bytearray()
    for v, n in [(bits, 5)] + [(x, bits) for x in vals]:
        acc = (acc << n) | (v & ((1 << n) - 1))
        nacc += n
    pad = (8 - nacc % 8) % 8
    acc <<= pad
    nacc += pad
    rect = acc.to_bytes(nacc // 8, 'big')

    def tag(code, body):
        return struct.pack('<H', (code << 6) | len(body)) + body

    body = rect + struct.pack('<HH', 12 << 8, 1)
    body += tag(9, bytes(int(rgb[i:i + 2], 16) for i in (0, 2, 4)))   # background colour
    body += tag(1, b'')                                                 # show frame
    body += tag(0, b'')                                                 # end
    data = b'FWS' + bytes([8]) + struct.pack('<I', 8 + len(body)) + body
    with open(path, 'wb') as f:
        f.write(data)


# ---- designs ----

def layout(orient):
    if orient == 'Horizontal':
        return dict(logo=(24, 22), title=(100, 26), title_size=22, desc=(102, 58), desc_size=12,
                    menu=(24, 104), icons=(584, 14), music=(722, 110))
    return dict(logo=(58, 16), title=(14, 92), title_size=16, desc=(15, 116), desc_size=11,
                menu=(14, 150), icons=(8, 420), music=(146, 384))


def esc_attr(text):
    return (text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;').replace('"', '&quot;'))


def design_xml(t, orient, bgname):
    w, h = SIZE[orient]
    lay = layout(orient)
    letter = 'h' if orient == 'Horizontal' else 'v'
    demo = ''
    if t['id'] == 'tvnr001':
        demo = ('<demo><note><![CDATA[Sample design of the Standard theme: replace the captions, '
                'links and texts with your own.]]></note></demo>')

    def font(fid, color, size, bold=False):
        return ('<font id="%s" face="%s" size="%d" color="0x%s" bold="%s" italic="false" underline="false" />'
                % (fid, t['face'], size, color, 'true' if bold else 'false'))

    fs = 12 if orient == 'Horizontal' else 12
    lines = [
        '<WebMenuOptions version="1.00" type="%s">' % letter,
        '  %s <menufile src="Menus\\%s.swf" id="%s"/>' % (demo, t['id'], t['id']),
        ' <design>',
        ' <background src="BGround\\%s.jpg" alpha="100" width="%d" height="%d" /> '
        '<menubar x="%d" y="%d" space="%d" buttontype="%d" size="%s" target="main" align="%s"/> '
        '<iconlink x="%d" y="%d" />' % (bgname, w, h, lay['menu'][0], lay['menu'][1], t['space'], t['type'],
                                        t['size'], t['align'], lay['icons'][0], lay['icons'][1]),
        '<color id="background" value="0x%s" alpha="100" /> ' % t['bgcolor'],
        '<color id="main_menu_normal" value="0x%s" alpha="100" />' % t['main'][0],
        '<color id="main_menu_active" value="0x%s" alpha="100" />' % t['main'][1],
        '<color id="sub_menu_normal" value="0x%s" alpha="100" />' % t['sub'][0],
        '<color id="sub_menu_active" value="0x%s" alpha="100" />' % t['sub'][1],
        '<color id="icon_link_normal" value="0x%s" alpha="%d" />' % (t['icons'][0], t['icons'][1]),
        '<color id="icon_link_active" value="0x%s" alpha="%d" />' % (t['icons'][2], t['icons'][3]),
        font('main_menu_normal', t['text'][0], fs, True),
        font('main_menu_active', t['text'][1], fs, True),
        font('sub_menu_normal', t['text'][2], fs - 1),
        font('sub_menu_active', t['text'][3], fs - 1),
        font('title', t['title'], lay['title_size'], True),
        font('desc', t['desc'], lay['desc_size']),
        '<music x="%d" y="%d" />' % lay['music'],
        '</design>',
        '<main>',
        '<text id="title" x="%d" y="%d"><text><![CDATA[Your Company]]></text></text>' % lay['title'],
        '<text id="desc" x="%d" y="%d"><text><![CDATA[%s]]></text></text>'
        % (lay['desc'] + ('Quality and service since 1998' if orient == 'Horizontal' else 'Since 1998',)),
        '<img id="logo" src="Images\\02.png" x="%d" y="%d" />' % lay['logo'],
        '<sound id="background" src="" volume="60"/>',
        '</main>',
        '<iconlink>',
    ]
    items = [('1', 'home', 'mainbody.htm', 'mainFrame', 'Home'), ('2', 'mail', 'mailto:info@example.com', '', 'E-mail us'),
             ('3', 'phone', 'contact.htm', 'mainFrame', 'Call us'), ('4', 'info', 'about.htm', 'mainFrame', 'About')]
    for num, img, url, target, label in items:
        lines.append('<item id="%s" img="IconLink\\%s.jpg" url="%s" target="%s" active="1" alpha="100"%s>'
                     '<text><![CDATA[%s]]></text></item>' % (num, img, esc_attr(url), target,
                                                           ' ' if num == '3' else '', esc_attr(label)))
    lines += ['</iconlink>', '<menubar>']
    for cap, href, subs in MENU:
        lines.append('<menu href="%s" target="mainFrame"><text><![CDATA[%s]]></text>' % (href, cap))
        for scap, shref in subs:
            lines.append('<menu href="%s" target="mainFrame"><text><![CDATA[%s]]></text></menu>' % (shref, scap))
        lines.append('</menu>')
    lines += ['</menubar>', '</WebMenuOptions>']
    return '\r\n'.join(lines)


def html_options():
    """In the very bytes the program saves page options in, so reading them rewrites nothing and the
    file stays the shipped one."""
    keys = ['company', 'products', 'services', 'support', 'contact'] + [''] * 7
    parts = ['<template>', '<sitetitle value="Your Company Name"/>',
             '<description><text><![CDATA[Welcome to the web site of Your Company Name.]]></text></description>',
             '<bgcolor value="0xFFFFFF"/>']
    for n, k in enumerate(keys, 1):
        parts.append('<key%d value="%s"/>' % (n, k) if k else '<key%d/>' % n)
    parts.append('</template>')
    return '<?xml version="1.0"?>\r\n' + ''.join(parts) + '\r\n'


INSTALL_MAP = [('menu.swf', 'Menus'), ('menu.jpg', 'Menus\\Thumbnail'), ('menu_narrow.jpg', 'Menus\\Thumbnail_Narrow'),
               ('template.xml', 'Template'), ('template.jpg', 'Template\\Thumbnail'),
               ('background.jpg', 'BGround'), ('background_thumb.jpg', 'BGround\\Thumbnail')]


def ini_text():
    out = []
    for orient in ('Horizontal', 'Vertical'):
        out.append('[%s]' % orient)
        out += ['%s=Templates\\%s\\%s' % (name, orient, dest) for name, dest in INSTALL_MAP]
        out.append('')
    return '\r\n'.join(out)


def write(path, text, newline='\n'):
    ensure(os.path.dirname(path))
    with open(path, 'w', encoding='utf-8', newline=newline) as f:
        f.write(text)


def pages(orient):
    """The page templates: written by hand in each orientation's HTML folder; the files that do not
    depend on the orientation are kept in Horizontal and copied to Vertical."""
    html = ensure(os.path.join(TEMPLATES, orient, 'HTML'))
    if orient != 'Horizontal':
        for name in SHARED_PAGES:
            shutil.copyfile(os.path.join(TEMPLATES, 'Horizontal', 'HTML', name), os.path.join(html, name))
    run('convert', '-size', '88x31', 'gradient:#2E6DB4-#1F3A5F', '-fill', 'none', '-stroke', '#FFFFFF',
        '-draw', 'rectangle 0,0 87,30', '-stroke', 'none', '-fill', 'white', '-font', FONT_BOLD, '-pointsize', '10',
        '-gravity', 'center', '-annotate', '+0-5', 'made with', '-pointsize', '11', '-annotate', '+0+7', 'TOLVANAR',
        '-colors', '32', os.path.join(html, 'tvnr.gif'))


def orientation(orient, tmp):
    base = ensure(os.path.join(TEMPLATES, orient))
    w, h = SIZE[orient]
    vertical = orient == 'Vertical'
    pages(orient)
    menus = ensure(os.path.join(base, 'Menus'))
    mthumb = ensure(os.path.join(menus, 'Thumbnail'))
    mnarrow = ensure(os.path.join(menus, 'Thumbnail_Narrow'))
    bground = ensure(os.path.join(base, 'BGround'))
    bthumb = ensure(os.path.join(bground, 'Thumbnail'))
    tpl = ensure(os.path.join(base, 'Template'))
    tthumb = ensure(os.path.join(tpl, 'Thumbnail'))

    tile = (136, 279) if vertical else (620, 86)
    narrow = (136, 199) if vertical else (266, 86)
    design_tile = (146, 462) if vertical else (266, 86)
    bg_tile = (146, 462) if vertical else (266, 86)

    for t in THEMES:
        swf(os.path.join(menus, t['id'] + '.swf'), w, h, t['bgcolor'])
        set_thumbnail(tmp, t, orient, *tile, os.path.join(mthumb, t['id'] + '.jpg'))
        set_thumbnail(tmp, t, orient, *narrow, os.path.join(mnarrow, t['id'] + '.jpg'))
        # Every set brings its background under its own id.
        bgfile = os.path.join(bground, t['id'] + '.jpg')
        banner(bgfile, w, h, *t['bg'])
        thumb(bgfile, os.path.join(bthumb, t['id'] + '.jpg'), *bg_tile)
        write(os.path.join(tpl, t['id'] + '.xml'), design_xml(t, orient, t['id']), newline='')
        design_thumbnail(tmp, t, orient, bgfile, *design_tile, os.path.join(tthumb, t['id'] + '.jpg'))

    noimage(os.path.join(mthumb, 'NoImage.jpg'), *tile)
    custom_tile(os.path.join(mthumb, 'CustomButtons.jpg'), *tile)
    noimage(os.path.join(mnarrow, 'NoImage.jpg'), *narrow)
    noimage(os.path.join(bthumb, 'NoImage.jpg'), *bg_tile)
    noimage(os.path.join(tthumb, 'NoImage.jpg'), *design_tile)


def main():
    for tool in ('convert', 'lame'):
        if not shutil.which(tool):
            sys.exit('make-data: "%s" is needed (apt-get install imagemagick lame)' % tool)
    for sub in ('IconLink', 'Sounds', 'Images'):
        shutil.rmtree(os.path.join(TEMPLATES, sub), ignore_errors=True)
    for orient in ('Horizontal', 'Vertical'):
        for sub in ('Menus', 'BGround', 'Template'):
            shutil.rmtree(os.path.join(TEMPLATES, orient, sub), ignore_errors=True)
    with tempfile.TemporaryDirectory() as tmp:
        logos()
        icons()
        sounds(tmp)
        for orient in ('Horizontal', 'Vertical'):
            orientation(orient, tmp)
    write(os.path.join(TEMPLATES, 'HTMLOptions.xml'), html_options())
    write(os.path.join(TEMPLATES, 'autorun.inf'),
          '[autorun]\r\nshellexecute=flashmenu.htm\r\naction=Open the menu\r\nlabel=Menu\r\n', newline='')
    write(os.path.join(TEMPLATES, 'Preview', 'flashmenu', '.keep'), '')
    write(os.path.join(DATA, 'tolvanar.ini'), ini_text(), newline='')


if __name__ == '__main__':
    main()
