#!/usr/bin/env python3
"""Writes small seed corpora for the fuzz harnesses: fuzz/make-seeds.py OUT_FOLDER.
Each harness gets OUT_FOLDER/<harness>/ with a few valid inputs made from the shipped data."""
import io, os, sys, zipfile

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
out = sys.argv[1]
html = os.path.join(root, 'data/Templates/Horizontal/HTML')
designs = os.path.join(root, 'data/Templates/Horizontal/Template')


def put(harness, name, data):
    os.makedirs(os.path.join(out, harness), exist_ok=True)
    with open(os.path.join(out, harness, name), 'wb') as f:
        f.write(data)


def archive(members):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, data in members:
            z.writestr(name, data)
    return buf.getvalue()


xmls = sorted(f for f in os.listdir(designs) if f.endswith('.xml'))
design = open(os.path.join(designs, xmls[0]), 'rb').read()
for name in xmls[:3]:
    data = open(os.path.join(designs, name), 'rb').read()
    put('fuzz_menuxml', name, data)
    put('fuzz_htmloptions', name, data)
put('fuzz_htmloptions', 'HTMLOptions.xml', open(os.path.join(root, 'data/Templates/HTMLOptions.xml'), 'rb').read())
put('fuzz_htmloptions', 'cp1252.xml', '<options><title value="Café €"/></options>'.encode('cp1252'))
for enc, label in (('cp1252', 'windows-1252'), ('latin-1', 'ISO-8859-1')):
    put('fuzz_htmloptions', label + '.xml', ('<?xml version="1.0" encoding="%s"?>\n<options><title value="Café"/>'
                                             '<description value="Naïve «menu»"/></options>' % label).encode(enc))
put('fuzz_htmloptions', 'utf16.xml', '\ufeff<?xml version="1.0" encoding="UTF-16"?>\n<options><title value="Café"/>'
    '</options>'.encode('utf-16-le'))
put('fuzz_inifile', 'shipped.ini', open(os.path.join(root, 'data/tolvanar.ini'), 'rb').read())
put('fuzz_inifile', 'utf16.ini', '\ufeff[Global]\r\nAppTitle=Tolvanar é\r\n'.encode('utf-16-le'))
put('fuzz_inifile', 'onTop.ini', b'[options]\nLatestButtonsOnTop=1\nSpecificButtonsOnTop=1\n[HorzTop]\n1=tvnr001\n')
for name in ('Template.htm', 'TemplateFrame.htm'):
    put('fuzz_pagebuilder', name, b'<options><title value="%HTML_DESCRIPTION%"/></options>\n'
        + open(os.path.join(html, name), 'rb').read())

template = lambda t: [(t + '/', b'')] + [(t + '/' + f, t.encode() + b':' + f.encode()) for f in
                                         ('menu.swf', 'menu.jpg', 'menu_narrow.jpg', 'template.xml',
                                          'template.jpg', 'background.jpg', 'background_thumb.jpg')]
package = archive([('package.xml', b'<?xml version="1.0"?>\n<package id="p">\n'
                    b'<template id="tvmnew001" type="h"/>\n<template id="tvmnew002" type="v"/>\n</package>\n')]
                  + template('tvmnew001') + template('tvmnew002'))
late = archive(template('tvmlate001') + [('package.xml', b'<package id="q"><template id="tvmlate001" type="v"/></package>')])
put('fuzz_zip', 'package.zip', package)
put('fuzz_zip', 'package-padded.zip', package + b'\0')
def parity(data, odd):
    # The zip harness picks its caps by the input's length; the archive comment sets it.
    if len(data) % 2 != odd:
        data = data[:-2] + b'\x01\x00x'
    return data


# Deflated past the small caps' ratio floor: one member far too dense, one just under the ratio cap.
put('fuzz_zip', 'dense.zip', parity(archive([('zeros.bin', bytes(256 << 10))]), 0))
put('fuzz_zip', 'text.zip', parity(archive([('text.txt', bytes(range(256)) * 200)]), 0))
put('fuzz_zip', 'project.zip', archive([('flashmenu.xml', design), ('HTMLOptions.xml', b'<options/>'),
                                         ('menu.swf', b'FWS'), ('flashmenu/bg.jpg', b'\xff\xd8')]))
for flags in (0, 2, 4, 8, 16):
    put('fuzz_package', 'package-%d' % flags, bytes([flags]) + package)
    put('fuzz_package', 'late-%d' % flags, bytes([flags]) + late)
put('fuzz_package', 'settings', bytes([3]) + b'[options]\nLatestButtonsOnTop=1\n[HorzTop]\n1=tvnr001\n'
    b'[Horizontal]\nmenu.swf=Templates\\Horizontal\\Menus\n\0' + package)

# A project as the program saves it: the page options, the description, the menu page, the movie and
# the media the description names under flashmenu/, plus a member that is no part of a project.
project = design.decode('utf-8')
for old, new in (('Menus\\tvmbiz001.swf', 'tvmbiz001.swf'), ('BGround\\tvmbiz001.jpg', 'flashmenu\\bg.jpg'),
                 ('Images\\02.png', 'flashmenu\\logo.png'), ('src="" volume', 'src="flashmenu\\music.mp3" volume'),
                 ('IconLink\\home.jpg', 'flashmenu\\home.jpg'), ('IconLink\\mail.jpg', 'flashmenu\\Home.jpg')):
    project = project.replace(old, new)
project = project.encode('utf-8')
saved = [('HTMLOptions.xml', open(os.path.join(root, 'data/Templates/HTMLOptions.xml'), 'rb').read()),
         ('flashmenu.xml', project), ('flashmenu.htm', b'<html></html>'), ('tvmbiz001.swf', b'FWS\x08'),
         ('flashmenu/Home.jpg', b'\xff\xd8upper'), ('flashmenu/bg.jpg', b'\xff\xd8bg'),
         ('flashmenu/home.jpg', b'\xff\xd8lower'), ('flashmenu/logo.png', b'\x89PNG'),
         ('flashmenu/music.mp3', b'ID3')]
put('fuzz_project', 'saved.tvp', archive(saved))
put('fuzz_project', 'planted.tvp', archive(saved + [('style.css', b'body{}'), ('flashmenu/extra.txt', b'x')]))
put('fuzz_project', 'vertical.tvp', archive([('flashmenu.xml', project.replace(b'type="h"', b'type="v"', 1))]))
put('fuzz_project', 'nodesc.tvp', archive(saved[:1]))
