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
put('fuzz_zip', 'package-odd.zip', package + b'\0')
put('fuzz_zip', 'project.zip', archive([('flashmenu.xml', design), ('HTMLOptions.xml', b'<options/>'),
                                         ('menu.swf', b'FWS'), ('flashmenu/bg.jpg', b'\xff\xd8')]))
for flags in (0, 2, 4, 8, 16):
    put('fuzz_package', 'package-%d' % flags, bytes([flags]) + package)
    put('fuzz_package', 'late-%d' % flags, bytes([flags]) + late)
put('fuzz_package', 'settings', bytes([3]) + b'[options]\nLatestButtonsOnTop=1\n[HorzTop]\n1=tvnr001\n'
    b'[Horizontal]\nmenu.swf=Templates\\Horizontal\\Menus\n\0' + package)
