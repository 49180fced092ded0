/*
 * Tolvanar menu player.
 *
 * Draws the menu of a page from "flashmenu.xml" in the page's folder (opened from disk, from the
 * same text in "flashmenu.xml.js"): background, menu bar with sub-menus, title, description, logo,
 * icon links and background sound. The .swf file that the page names stands for the button set;
 * the look comes from the description file.
 *
 * Pages call TvnrRunMenu('movie', name, 'width', w, 'height', h) where the menu belongs, or
 * carry <div class="tvnr-menu" data-movie=".." data-width=".." data-height=".."> and load this
 * script after it. A frameset page loads it too: the menu frame then gets the room its menu asks for.
 * Plain ES2017, no libraries, nothing fetched but the description and its media.
 */
(function () {
  'use strict';

  var XML_NAME = 'flashmenu.xml';
  var NOTICE_BROKEN = 'The menu cannot be shown: "flashmenu.xml" is missing or damaged.';
  // From file:// a missing file and a refused read look the same to the page.
  var NOTICE_REFUSED = 'The menu cannot be shown: "flashmenu.xml" is missing, or the browser refused to ' +
      'read it from this folder. Open the page through a web server, or allow pages to read local files.';
  var SUBMENU_CLOSE_DELAY = 350;
  var menuCount = 0;
  var subMenuCount = 0;

  // ---- values from the file ----

  function intOf(text, fallback) {
    if (text === null || text === undefined) return fallback;
    var t = String(text).trim();
    var n;
    if (/^(0x|\$)[0-9a-f]+$/i.test(t)) n = parseInt(t.replace(/^(0x|\$)/i, ''), 16);
    else if (/^-?\d+$/.test(t)) n = parseInt(t, 10);
    else return fallback;
    return isFinite(n) ? n : fallback;
  }

  function clamp(n, lo, hi) { return Math.max(lo, Math.min(hi, n)); }

  // "0xRRGGBB" and an alpha 0-100 as a CSS colour; null when the colour does not read.
  function cssColor(value, alpha) {
    var n = intOf(value, null);
    if (n === null) return null;
    n = n & 0xFFFFFF;
    var a = clamp(intOf(alpha, 100), 0, 100) / 100;
    return 'rgba(' + ((n >> 16) & 255) + ', ' + ((n >> 8) & 255) + ', ' + (n & 255) + ', ' + a + ')';
  }

  function cssFontFamily(face) {
    var clean = String(face || '').replace(/[^A-Za-z0-9 _\-]/g, '').trim();
    var generic = 'Verdana, Arial, Helvetica, sans-serif';
    return clean ? '"' + clean + '", ' + generic : generic;
  }

  function isTrue(text) { return String(text || '').trim().toLowerCase() === 'true'; }

  function childrenNamed(node, name) {
    var list = [];
    if (!node) return list;
    for (var c = node.firstElementChild; c; c = c.nextElementSibling) {
      if (c.nodeName === name) list.push(c);
    }
    return list;
  }

  function child(node, name) { return childrenNamed(node, name)[0] || null; }

  function byId(list, id) {
    for (var i = 0; i < list.length; i++) {
      if (list[i].getAttribute('id') === id) return list[i];
    }
    return null;
  }

  function attr(node, name, fallback) {
    if (!node || !node.hasAttribute(name)) return fallback;
    return node.getAttribute(name);
  }

  // The text held by an element's "text" child (CDATA and text joined).
  function textChild(node) {
    var t = child(node, 'text');
    return t ? t.textContent : '';
  }

  // Captions and labels are escaped once more inside their CDATA sections: undo that one level.
  function unescapeOnce(text) {
    return String(text).replace(/&(#x[0-9a-f]+|#\d+|amp|lt|gt|quot|apos);/gi, function (all, code) {
      var c = code.toLowerCase();
      if (c === 'amp') return '&';
      if (c === 'lt') return '<';
      if (c === 'gt') return '>';
      if (c === 'quot') return '"';
      if (c === 'apos') return '\'';
      var n = c.charAt(1) === 'x' ? parseInt(c.slice(2), 16) : parseInt(c.slice(1), 10);
      if (!(n > 0 && n <= 0x10FFFF) || (n >= 0xD800 && n <= 0xDFFF)) return all;
      return String.fromCodePoint(n);
    });
  }

  // A media name of the file ("flashmenu\bg.jpg") as a URL relative to the page, or "" when it
  // names no file or tries to leave the page's folder.
  function mediaUrl(stored) {
    var parts = String(stored || '').split(/[\\\/]+/);
    if (/^\s*[\\\/]/.test(stored || '') || /:/.test(stored || '')) return '';
    var kept = [];
    for (var i = 0; i < parts.length; i++) {
      if (parts[i] === '' || parts[i] === '.') continue;
      if (parts[i] === '..') return '';
      kept.push(encodeURIComponent(parts[i]));
    }
    if (!kept.length || /[\\\/]\s*$/.test(stored)) return '';
    return kept.join('/');
  }

  function isPicture(url) { return /\.(jpe?g|jpe|png|gif|bmp|ico|svg|webp)$/i.test(url); }

  // Links are the author's; only schemes that would run code in the page are refused.
  function safeHref(href) {
    var h = String(href || '').trim();
    if (!h) return '';
    if (/^(javascript|vbscript|data)\s*:/i.test(h.replace(/[\u0000-\u001F\s]+/g, ''))) return '';
    return h;
  }

  // ---- caption markup ----

  var ALLOWED_TAGS = {
    B: 1, I: 1, U: 1, EM: 1, STRONG: 1, SMALL: 1, BIG: 1, SUB: 1, SUP: 1, BR: 1, SPAN: 1,
    FONT: 1, S: 1, STRIKE: 1, P: 1
  };

  function copySafe(from, to) {
    for (var n = from.firstChild; n; n = n.nextSibling) {
      if (n.nodeType === 3) {
        to.appendChild(document.createTextNode(n.nodeValue));
      } else if (n.nodeType === 1) {
        var tag = n.nodeName.toUpperCase();
        if (!ALLOWED_TAGS[tag]) {
          if (tag !== 'SCRIPT' && tag !== 'STYLE') copySafe(n, to);
          continue;
        }
        var el = document.createElement(tag === 'P' ? 'span' : tag.toLowerCase());
        if (tag === 'FONT') {
          var color = n.getAttribute('color');
          if (color && /^#?[0-9a-f]{3,8}$|^[a-z]+$/i.test(color)) {
            el.style.color = /^[0-9a-f]{6}$/i.test(color) ? '#' + color : color;
          }
          var face = n.getAttribute('face');
          if (face) el.style.fontFamily = cssFontFamily(face);
          var size = intOf(n.getAttribute('size'), null);
          if (size !== null && size > 7) el.style.fontSize = clamp(size, 6, 96) + 'px';
        }
        copySafe(n, el);
        to.appendChild(el);
      }
    }
  }

  // Fills el with the caption as markup, keeping only harmless text formatting.
  function setCaption(el, caption) {
    var html = unescapeOnce(caption);
    if (!/[<&]/.test(html)) {
      el.textContent = html;
      return;
    }
    var inert = new DOMParser().parseFromString('<!DOCTYPE html><body>' + html, 'text/html');
    copySafe(inert.body, el);
  }

  function plainText(caption) {
    var html = unescapeOnce(caption);
    if (!/[<&]/.test(html)) return html;
    return new DOMParser().parseFromString('<!DOCTYPE html><body>' + html, 'text/html').body.textContent;
  }

  // ---- reading the file ----

  function parseDescription(text) {
    if (typeof text !== 'string' || !text.trim()) return null;
    var doc = new DOMParser().parseFromString(text.replace(/^\uFEFF/, ''), 'application/xml');
    if (!doc || doc.getElementsByTagName('parsererror').length) return null;
    var root = doc.documentElement;
    if (!root || root.nodeName !== 'WebMenuOptions') return null;
    return root;
  }

  function readFont(fonts, id, fallback) {
    var f = byId(fonts, id);
    if (!f) return fallback;
    return {
      face: attr(f, 'face', fallback.face),
      size: clamp(intOf(attr(f, 'size'), fallback.size), 6, 96),
      color: cssColor(attr(f, 'color'), 100) || fallback.color,
      bold: isTrue(attr(f, 'bold')),
      italic: isTrue(attr(f, 'italic')),
      underline: isTrue(attr(f, 'underline'))
    };
  }

  function readColor(colors, id, fallback) {
    var c = byId(colors, id);
    return (c && cssColor(attr(c, 'value'), attr(c, 'alpha', '100'))) || fallback;
  }

  function readEntries(node, depth) {
    var list = [];
    if (depth > 8) return list;
    childrenNamed(node, 'menu').forEach(function (m) {
      list.push({
        caption: textChild(m),
        href: attr(m, 'href', ''),
        target: attr(m, 'target', ''),
        children: readEntries(m, depth + 1)
      });
    });
    return list;
  }

  function readDesign(root) {
    var design = child(root, 'design');
    var main = child(root, 'main');
    var colors = childrenNamed(design, 'color');
    var fonts = childrenNamed(design, 'font');
    var bg = child(design, 'background');
    var bar = child(design, 'menubar');
    var icons = child(design, 'iconlink');
    var music = child(design, 'music');
    var texts = childrenNamed(main, 'text');
    var logo = child(main, 'img');
    var sound = child(main, 'sound');
    var baseFont = { face: 'Verdana', size: 12, color: 'rgba(0, 0, 0, 1)', bold: false, italic: false,
                     underline: false };
    var entries = readEntries(child(root, 'menubar'), 0).filter(function (e) {
      return e.caption.replace(/[\u0000-\u0020]+/g, '') !== '';
    });
    var type = String(attr(root, 'type', 'h')).toLowerCase() === 'v' ? 'v' : 'h';

    return {
      vertical: type === 'v',
      background: {
        url: mediaUrl(attr(bg, 'src', '')),
        alpha: clamp(intOf(attr(bg, 'alpha'), 100), 0, 100),
        width: clamp(intOf(attr(bg, 'width'), 0), 0, 100000),
        height: clamp(intOf(attr(bg, 'height'), 0), 0, 100000),
        color: readColor(colors, 'background', 'rgba(255, 255, 255, 0)')
      },
      bar: {
        x: intOf(attr(bar, 'x'), 0),
        y: intOf(attr(bar, 'y'), 0),
        space: clamp(intOf(attr(bar, 'space'), 0), 0, 500),
        type: clamp(intOf(attr(bar, 'buttontype'), 1), 1, 3),
        fixed: attr(bar, 'size', 'fix') !== 'variable',
        align: String(attr(bar, 'align', 'right')).toLowerCase()
      },
      colors: {
        mainNormal: readColor(colors, 'main_menu_normal', 'rgba(51, 51, 51, 1)'),
        mainActive: readColor(colors, 'main_menu_active', 'rgba(102, 102, 102, 1)'),
        subNormal: readColor(colors, 'sub_menu_normal', 'rgba(238, 238, 238, 1)'),
        subActive: readColor(colors, 'sub_menu_active', 'rgba(204, 204, 204, 1)'),
        iconNormal: readColor(colors, 'icon_link_normal', 'rgba(255, 255, 255, 0)'),
        iconActive: readColor(colors, 'icon_link_active', 'rgba(255, 255, 255, 0.3)')
      },
      fonts: {
        mainNormal: readFont(fonts, 'main_menu_normal', baseFont),
        mainActive: readFont(fonts, 'main_menu_active', baseFont),
        subNormal: readFont(fonts, 'sub_menu_normal', baseFont),
        subActive: readFont(fonts, 'sub_menu_active', baseFont),
        title: readFont(fonts, 'title', baseFont),
        desc: readFont(fonts, 'desc', baseFont)
      },
      title: texts[0] ? { x: intOf(attr(texts[0], 'x'), 0), y: intOf(attr(texts[0], 'y'), 0),
                          text: textChild(texts[0]) } : null,
      desc: texts[1] ? { x: intOf(attr(texts[1], 'x'), 0), y: intOf(attr(texts[1], 'y'), 0),
                         text: textChild(texts[1]) } : null,
      logo: logo ? { url: mediaUrl(attr(logo, 'src', '')), x: intOf(attr(logo, 'x'), 0),
                     y: intOf(attr(logo, 'y'), 0) } : null,
      sound: sound ? { url: mediaUrl(attr(sound, 'src', '')),
                       volume: clamp(intOf(attr(sound, 'volume'), 100), 0, 100) } : null,
      music: { x: intOf(attr(music, 'x'), 0), y: intOf(attr(music, 'y'), 0) },
      icons: {
        x: intOf(attr(icons, 'x'), 0),
        y: intOf(attr(icons, 'y'), 0),
        items: childrenNamed(child(root, 'iconlink'), 'item').map(function (it) {
          return {
            id: intOf(attr(it, 'id'), 0),
            url: mediaUrl(attr(it, 'img', '')),
            href: attr(it, 'url', ''),
            target: attr(it, 'target', ''),
            active: (intOf(attr(it, 'active'), 0) & 255) !== 0,
            alpha: clamp(intOf(attr(it, 'alpha'), 100), 0, 100),
            label: textChild(it)
          };
        }).filter(function (it) { return it.id >= 1 && it.id <= 4 && it.active && it.url; })
      },
      entries: entries
    };
  }

  // ---- drawing ----

  function fontCss(f) {
    return 'font-family:' + cssFontFamily(f.face) + ';font-size:' + f.size + 'px;color:' + f.color +
        ';font-weight:' + (f.bold ? 'bold' : 'normal') + ';font-style:' + (f.italic ? 'italic' : 'normal') +
        ';text-decoration:' + (f.underline ? 'underline' : 'none') + ';';
  }

  function buttonLook(type, color, pressed) {
    var css = 'background-color:' + color + ';';
    if (type === 2) {
      css += pressed
        ? 'box-shadow:inset 1px 1px 0 rgba(0,0,0,.35),inset -1px -1px 0 rgba(255,255,255,.35);'
        : 'box-shadow:inset 1px 1px 0 rgba(255,255,255,.5),inset -1px -1px 0 rgba(0,0,0,.4);';
    } else if (type === 3) {
      css += pressed
        ? 'background-image:linear-gradient(rgba(0,0,0,.12),rgba(255,255,255,0) 45%,rgba(255,255,255,.22));'
        : 'background-image:linear-gradient(rgba(255,255,255,.38),rgba(255,255,255,.06) 50%,rgba(0,0,0,.14));';
    } else {
      css += 'background-image:none;box-shadow:none;';
    }
    return css;
  }

  function buildStyle(scope, d) {
    var align = d.bar.align === 'left' ? 'left' : d.bar.align === 'center' ? 'center' : 'right';
    var justify = align === 'left' ? 'flex-start' : align === 'center' ? 'center' : 'flex-end';
    var t = d.bar.type;
    var s = '#' + scope;
    return [
      // The page gives the size; the area never leaves the room its container has.
      s + '{position:relative;overflow:visible;box-sizing:border-box;text-align:left;line-height:normal;' +
          'max-width:100%;max-height:100%;}',
      s + ' *{box-sizing:border-box;}',
      s + ' .tvnr-stage{position:absolute;left:0;top:0;transform-origin:0 0;}',
      s + ' .tvnr-layer{position:absolute;left:0;top:0;right:0;bottom:0;overflow:hidden;}',
      s + ' .tvnr-bg{position:absolute;left:0;top:0;right:0;bottom:0;background-color:' + d.background.color + ';}',
      s + ' .tvnr-bgpic{position:absolute;left:0;top:0;right:0;bottom:0;background-size:cover;' +
          'background-position:center;background-repeat:no-repeat;}',
      s + ' .tvnr-abs{position:absolute;white-space:nowrap;margin:0;}',
      s + ' .tvnr-bar{position:absolute;z-index:20;display:' + (d.vertical ? 'inline-flex' : 'inline-grid') +
          ';' + (d.vertical ? 'flex-direction:column;align-items:' + (d.bar.fixed ? 'stretch' : 'flex-start') + ';'
                 : 'grid-auto-flow:column;grid-auto-columns:' + (d.bar.fixed ? '1fr' : 'auto') + ';') +
          'gap:' + d.bar.space + 'px;margin:0;padding:0;list-style:none;}',
      s + ' .tvnr-item{position:relative;display:flex;}',
      s + ' .tvnr-item>a{flex:1 1 auto;display:flex;align-items:center;justify-content:' + justify +
          ';text-align:' + align + ';white-space:nowrap;cursor:pointer;outline:none;}',
      s + ' .tvnr-main{padding:7px 16px;' + fontCss(d.fonts.mainNormal) + buttonLook(t, d.colors.mainNormal, false) + '}',
      s + ' .tvnr-main:hover,' + s + ' .tvnr-main:focus,' + s + ' .tvnr-open>.tvnr-main{' +
          fontCss(d.fonts.mainActive) + buttonLook(t, d.colors.mainActive, true) + '}',
      s + ' .tvnr-submenu{position:absolute;z-index:30;display:none;flex-direction:column;min-width:100%;' +
          'margin:0;padding:0;list-style:none;' +
          (d.vertical ? 'left:100%;top:0;' : 'left:0;top:100%;') +
          'box-shadow:0 4px 12px rgba(0,0,0,.25);transform-origin:0 0;}',
      s + ' .tvnr-submenu .tvnr-submenu{left:100%;top:0;min-width:0;}',
      // A sub-menu that would leave the window (a narrow menu frame) opens towards the other side.
      s + ' .tvnr-submenu.tvnr-flip{left:auto;right:' + (d.vertical ? '100%' : '0') + ';}',
      s + ' .tvnr-submenu .tvnr-submenu.tvnr-flip{left:auto;right:100%;}',
      // One that would leave it at the bottom opens upwards.
      s + ' .tvnr-submenu.tvnr-up{top:auto;bottom:' + (d.vertical ? '0' : '100%') + ';}',
      s + ' .tvnr-submenu .tvnr-submenu.tvnr-up{top:auto;bottom:0;}',
      s + ' .tvnr-open>.tvnr-submenu,' + s + ' .tvnr-measure .tvnr-submenu{display:flex;}',
      s + ' .tvnr-sub{padding:6px 14px;' + fontCss(d.fonts.subNormal) + buttonLook(t, d.colors.subNormal, false) + '}',
      s + ' .tvnr-sub:hover,' + s + ' .tvnr-sub:focus,' + s + ' .tvnr-open>.tvnr-sub{' +
          fontCss(d.fonts.subActive) + buttonLook(t, d.colors.subActive, true) + '}',
      s + ' .tvnr-more::after{content:"\\25B8";margin-left:8px;font-size:.8em;}',
      s + ' .tvnr-title{' + fontCss(d.fonts.title) + 'z-index:10;}',
      s + ' .tvnr-desc{' + fontCss(d.fonts.desc) + 'z-index:10;}',
      s + ' .tvnr-logo{z-index:5;max-width:none;border:0;}',
      s + ' .tvnr-icons{display:flex;gap:4px;z-index:15;}',
      s + ' .tvnr-icons a{display:block;padding:4px;border-radius:4px;outline:none;background-color:' +
          d.colors.iconNormal + ';}',
      s + ' .tvnr-icons a:hover,' + s + ' .tvnr-icons a:focus{background-color:' + d.colors.iconActive + ';}',
      s + ' .tvnr-icons img{display:block;max-width:48px;max-height:48px;border:0;}',
      s + ' .tvnr-music{z-index:15;width:26px;height:26px;padding:0;border-radius:13px;cursor:pointer;' +
          'border:1px solid rgba(255,255,255,.7);background:rgba(0,0,0,.45);color:#fff;font:14px/24px sans-serif;}',
      s + ' .tvnr-music[aria-pressed="false"]{opacity:.6;text-decoration:line-through;}',
      // The ring of a focused link, light at the link's edge and dark within, so one of them stands
      // out on any colour (placeRing).
      s + ' .tvnr-ring{position:absolute;z-index:40;display:none;pointer-events:none;' +
          'border:2px solid #fff;box-shadow:inset 0 0 0 2px #000;}',
    ].join('\n');
  }

  function place(el, x, y) {
    el.style.left = x + 'px';
    el.style.top = y + 'px';
  }

  function makeLink(cls, entry) {
    var a = document.createElement('a');
    a.className = cls;
    a.setAttribute('tabindex', '0');
    var href = safeHref(entry.href);
    if (href) a.setAttribute('href', href);
    if (entry.target) {
      a.setAttribute('target', entry.target);
      if (/^_blank$/i.test(entry.target)) a.setAttribute('rel', 'noopener');
    }
    // One box for the caption: the link is a flex box, which would drop the blanks beside tags.
    var caption = document.createElement('span');
    caption.className = 'tvnr-caption';
    setCaption(caption, entry.caption);
    a.appendChild(caption);
    return a;
  }

  // Site navigation as lists of links; a link with a sub-menu discloses it (aria-expanded), so
  // nothing promises the roles and keys of an application menu. An entry that only opens its
  // sub-menu has no address to follow: it is a button, or aria-expanded would belong to nothing.
  function buildItems(list, entries, cls, depth) {
    entries.forEach(function (entry) {
      var item = document.createElement('li');
      item.className = 'tvnr-item';
      var a = makeLink(cls, entry);
      item.appendChild(a);
      if (entry.children.length) {
        var sub = document.createElement('ul');
        sub.className = 'tvnr-submenu';
        sub.id = 'tvnr-submenu-' + (++subMenuCount);
        if (!a.hasAttribute('href')) a.setAttribute('role', 'button');
        a.setAttribute('aria-controls', sub.id);
        a.setAttribute('aria-expanded', 'false');
        if (cls === 'tvnr-sub') a.classList.add('tvnr-more');
        buildItems(sub, entry.children, 'tvnr-sub', depth + 1);
        item.appendChild(sub);
      }
      list.appendChild(item);
    });
  }

  // Opening, closing and keyboard moves of the menu bar.
  function wireMenu(bar, vertical) {
    var timers = new Map();
    var quietFocus = false;   // focus moved back to a button that has just closed its sub-menu

    function submenuOf(item) { return item && item.querySelector(':scope > .tvnr-submenu'); }
    function linkOf(item) { return item && item.querySelector(':scope > a'); }
    function itemOf(el) { return el && el.closest ? el.closest('.tvnr-item') : null; }
    function isMain(item) { return item && item.parentNode === bar; }

    function setOpen(item, open) {
      var sub = submenuOf(item);
      if (!sub) return;
      item.classList.toggle('tvnr-open', open);
      linkOf(item).setAttribute('aria-expanded', open ? 'true' : 'false');
      if (!open) {
        unplace(sub);
        item.querySelectorAll('.tvnr-open').forEach(function (o) { setOpen(o, false); });
      }
    }

    // Opens item and closes every other open item that is not one of its ancestors.
    function openOnly(item) {
      bar.querySelectorAll('.tvnr-open').forEach(function (o) {
        if (!o.contains(item)) setOpen(o, false);
      });
      var p = item;
      while (p && p !== bar) {
        if (p.classList.contains('tvnr-item')) setOpen(p, true);
        p = p.parentNode;
      }
      keepInside();
    }

    // Open sub-menus, outer ones first, kept inside the window: turned to the other side, or
    // upwards, when they would leave it there and fit that way; else moved in, and drawn smaller
    // when they are larger than the whole window.
    function keepInside() {
      var roomW = document.documentElement.clientWidth, roomH = document.documentElement.clientHeight;
      bar.querySelectorAll('.tvnr-open > .tvnr-submenu').forEach(function (sub) {
        unplace(sub);
        var r = sub.getBoundingClientRect();
        if (r.right > roomW + 0.5) {
          sub.classList.add('tvnr-flip');
          if (sub.getBoundingClientRect().left < -0.5) sub.classList.remove('tvnr-flip');
        }
        if (r.bottom > roomH + 0.5) {
          sub.classList.add('tvnr-up');
          if (sub.getBoundingClientRect().top < -0.5) sub.classList.remove('tvnr-up');
        }
        r = sub.getBoundingClientRect();
        var f = Math.min(1, roomW / r.width, roomH / r.height);
        var left = clamp(r.left, 0, roomW - r.width * f), top = clamp(r.top, 0, roomH - r.height * f);
        if (f < 1 || Math.abs(left - r.left) > 0.5 || Math.abs(top - r.top) > 0.5) {
          var k = r.width / sub.offsetWidth || 1;   // the scale the sub-menu is drawn at
          sub.style.transform = 'translate(' + (left - r.left) / k + 'px,' + (top - r.top) / k + 'px) scale(' + f + ')';
        }
      });
    }

    function closeAll() {
      bar.querySelectorAll('.tvnr-open').forEach(function (o) { setOpen(o, false); });
    }

    function siblings(item) {
      return Array.prototype.filter.call(item.parentNode.children, function (c) {
        return c.classList.contains('tvnr-item');
      });
    }

    function move(item, step) {
      var list = siblings(item);
      var i = list.indexOf(item);
      var next = list[(i + step + list.length) % list.length];
      if (next) linkOf(next).focus();
    }

    function enterSub(item) {
      var sub = submenuOf(item);
      if (!sub) return false;
      openOnly(item);
      var first = sub.querySelector(':scope > .tvnr-item > a');
      if (first) first.focus();
      return true;
    }

    function leaveSub(item) {
      var parentItem = itemOf(item.parentNode);
      if (!parentItem) return false;
      setOpen(parentItem, false);
      quietFocus = true;
      try { linkOf(parentItem).focus(); } finally { quietFocus = false; }
      return true;
    }

    bar.addEventListener('mouseover', function (ev) {
      var item = itemOf(ev.target);
      if (!item) return;
      var p = item;
      while (p && p !== bar) {
        if (timers.has(p)) { clearTimeout(timers.get(p)); timers.delete(p); }
        p = p.parentNode;
      }
      openOnly(item);
    });

    bar.addEventListener('mouseout', function (ev) {
      var item = itemOf(ev.target);
      if (!item || (ev.relatedTarget && item.contains(ev.relatedTarget))) return;
      var p = item;
      while (p && p !== bar) {
        if (p.classList.contains('tvnr-item') && !(ev.relatedTarget && p.contains(ev.relatedTarget))) {
          (function (it) {
            if (timers.has(it)) clearTimeout(timers.get(it));
            timers.set(it, setTimeout(function () {
              timers.delete(it);
              if (!it.contains(document.activeElement)) setOpen(it, false);
            }, SUBMENU_CLOSE_DELAY));
          })(p);
        }
        p = p.parentNode;
      }
    });

    bar.addEventListener('focusin', function (ev) {
      var item = itemOf(ev.target);
      if (!item) return;
      if (quietFocus) {
        bar.querySelectorAll('.tvnr-open').forEach(function (o) { if (!o.contains(item)) setOpen(o, false); });
      } else {
        openOnly(item);
      }
    });

    bar.addEventListener('focusout', function (ev) {
      if (!ev.relatedTarget || !bar.contains(ev.relatedTarget)) closeAll();
    });

    bar.addEventListener('keydown', function (ev) {
      var item = itemOf(ev.target);
      if (!item) return;
      var main = isMain(item);
      var across = main && !vertical;       // the bar runs left to right
      var handled = true;
      switch (ev.key) {
        case 'ArrowRight':
          if (across) move(item, 1);
          else if (!enterSub(item) && !main) {
            // From a sub-menu of a horizontal bar, go on to the next main button.
            var top = item; while (top.parentNode !== bar) top = itemOf(top.parentNode);
            if (!vertical) { closeAll(); move(top, 1); } else handled = false;
          }
          break;
        case 'ArrowLeft':
          if (across) move(item, -1);
          else if (!main) {
            var parentItem = itemOf(item.parentNode);
            if (!vertical && isMain(parentItem)) { closeAll(); move(parentItem, -1); } else leaveSub(item);
          } else handled = false;
          break;
        case 'ArrowDown':
          if (across) enterSub(item); else move(item, 1);
          break;
        case 'ArrowUp':
          if (across) handled = false; else move(item, -1);
          break;
        case 'Escape':
        case 'Esc':
          if (item.classList.contains('tvnr-open')) setOpen(item, false);
          else if (!leaveSub(item)) { closeAll(); }
          break;
        case 'Enter':
        case ' ':
          // A button shows or hides its sub-menu and keeps the focus; a link is the browser's.
          if (ev.target.getAttribute('role') !== 'button') handled = false;
          else if (item.classList.contains('tvnr-open')) setOpen(item, false);
          else openOnly(item);
          break;
        default:
          handled = false;
      }
      if (handled) { ev.preventDefault(); ev.stopPropagation(); }
    });

    document.addEventListener('click', function (ev) {
      if (!bar.contains(ev.target)) closeAll();
    });
    return { keepInside: keepInside };
  }

  function unplace(sub) {
    sub.classList.remove('tvnr-flip', 'tvnr-up');
    sub.style.transform = '';
  }

  // The room the menu takes with any one sub-menu open, sub-menus in their own places.
  function roomNeeded(host, bar) {
    var subs = Array.prototype.slice.call(bar.querySelectorAll('.tvnr-submenu'));
    var kept = subs.map(function (sub) { return [sub.className, sub.style.transform]; });
    subs.forEach(unplace);
    bar.classList.add('tvnr-measure');
    var r = host.getBoundingClientRect(), right = r.right, bottom = r.bottom;
    subs.forEach(function (sub) {
      var b = sub.getBoundingClientRect();
      right = Math.max(right, b.right);
      bottom = Math.max(bottom, b.bottom);
    });
    bar.classList.remove('tvnr-measure');
    subs.forEach(function (sub, i) { sub.className = kept[i][0]; sub.style.transform = kept[i][1]; });
    return { width: Math.ceil(right + window.scrollX), height: Math.ceil(bottom + window.scrollY) };
  }

  // The main buttons are cut at the stage's edge one by one, so that their sub-menus, drawn outside
  // them, still have the whole window. Measured to the fraction of a pixel: buttons of one width
  // share the bar's width, which seldom comes out whole.
  function clipToStage(shown) {
    var stage = shown.stage.getBoundingClientRect();
    var k = stage.width / shown.width || 1;   // the scale the stage is drawn at
    shown.bar.querySelectorAll('.tvnr-main').forEach(function (a) {
      var r = a.getBoundingClientRect();
      var top = Math.max(0, (stage.top - r.top) / k), left = Math.max(0, (stage.left - r.left) / k);
      var right = Math.max(0, (r.right - stage.right) / k), bottom = Math.max(0, (r.bottom - stage.bottom) / k);
      a.style.clipPath = top || right || bottom || left
        ? 'inset(' + top + 'px ' + right + 'px ' + bottom + 'px ' + left + 'px)' : '';
    });
  }

  function focusVisible(el) {
    try { return el.matches(':focus-visible'); } catch (e) { return true; }
  }

  // The ring of the link focused from the keyboard is drawn outside the stage, in the page's own
  // pixels: scaled with the design it would grow thinner than the 2 px it needs to stand out. It
  // lies on the link's edge and within, over what is shown of the link.
  function placeRing(shown) {
    var a = document.activeElement, ring = shown.ring;
    if (!a || !shown.stage.contains(a) || !a.matches('.tvnr-main, .tvnr-sub, .tvnr-icons a') || !focusVisible(a)) {
      ring.style.display = 'none';
      return;
    }
    var r = a.getBoundingClientRect();
    var left = Math.round(r.left), top = Math.round(r.top), right = Math.round(r.right), bottom = Math.round(r.bottom);
    if (!a.closest('.tvnr-submenu')) {
      // Main buttons and icon links are cut at the stage's edge.
      var stage = shown.stage.getBoundingClientRect();
      left = Math.max(left, Math.ceil(stage.left - 0.01));
      top = Math.max(top, Math.ceil(stage.top - 0.01));
      right = Math.min(right, Math.floor(stage.right + 0.01));
      bottom = Math.min(bottom, Math.floor(stage.bottom + 0.01));
    }
    var host = shown.host.getBoundingClientRect();
    ring.style.left = (left - host.left - shown.host.clientLeft) + 'px';
    ring.style.top = (top - host.top - shown.host.clientTop) + 'px';
    ring.style.width = (right - left) + 'px';
    ring.style.height = (bottom - top) + 'px';
    // A link in a closed sub-menu, or cut away whole, has nothing to show.
    ring.style.display = right - left >= 1 && bottom - top >= 1 ? 'block' : 'none';
  }

  // Like a movie, the design is drawn whole in the area the page gives it, smaller when the area is;
  // open sub-menus stay in the window; a page in a frame tells the frameset the room it needs.
  function fit(host, shown) {
    var w = host.clientWidth, h = host.clientHeight;
    var s = Math.min(1, w > 0 ? w / shown.width : 1, h > 0 ? h / shown.height : 1);
    shown.stage.style.transform = s < 1 ? 'scale(' + s + ')' : '';
    clipToStage(shown);
    shown.menu.keepInside();
    if (window.parent === window) return;
    var room = roomNeeded(host, shown.bar);
    if (shown.room && shown.room.width === room.width && shown.room.height === room.height) return;
    shown.room = room;
    window.parent.postMessage({ tvnrMenuSize: room }, '*');
  }

  function drawSound(host, d) {
    if (!d.sound || !d.sound.url || !/\.mp3$/i.test(d.sound.url)) return;
    var audio = document.createElement('audio');
    audio.src = d.sound.url;
    audio.loop = true;
    audio.preload = 'auto';
    audio.volume = d.sound.volume / 100;
    var btn = document.createElement('button');
    btn.type = 'button';
    btn.className = 'tvnr-abs tvnr-music';
    btn.title = 'Background sound on/off';
    btn.setAttribute('aria-label', 'Background sound');
    btn.setAttribute('aria-pressed', 'false');
    btn.textContent = '\u266B';
    place(btn, d.music.x, d.music.y);
    function show(on) { btn.setAttribute('aria-pressed', on ? 'true' : 'false'); }
    btn.addEventListener('click', function () {
      if (audio.paused) {
        var p = audio.play();
        if (p && p.then) p.then(function () { show(true); }, function () { show(false); }); else show(true);
      } else {
        audio.pause();
        show(false);
      }
    });
    // Browsers may refuse to start sound before the visitor acts; the button then shows "off".
    var started = audio.play();
    if (started && started.then) started.then(function () { show(true); }, function () { show(false); });
    host.appendChild(audio);
    host.appendChild(btn);
  }

  function drawIcons(host, d) {
    if (!d.icons.items.length) return;
    var bar = document.createElement('div');
    bar.className = 'tvnr-abs tvnr-icons';
    place(bar, d.icons.x, d.icons.y);
    d.icons.items.forEach(function (it) {
      var a = document.createElement('a');
      var href = safeHref(it.href);
      if (href) a.setAttribute('href', href);
      if (it.target) a.setAttribute('target', it.target);
      var label = plainText(it.label);
      if (label) { a.title = label; a.setAttribute('aria-label', label); }
      var img = document.createElement('img');
      img.src = it.url;
      img.alt = label;
      img.style.opacity = String(it.alpha / 100);
      a.appendChild(img);
      bar.appendChild(a);
    });
    host.appendChild(bar);
  }

  // Draws the design on a stage of its own size inside host; returns what fit() needs.
  function draw(host, d) {
    var bg = document.createElement('div');
    bg.className = 'tvnr-bg';
    host.appendChild(bg);
    var shown = {
      stage: document.createElement('div'),
      width: d.background.width > 0 ? d.background.width : Math.max(host.clientWidth, 1),
      height: d.background.height > 0 ? d.background.height : Math.max(host.clientHeight, 1)
    };
    shown.stage.className = 'tvnr-stage';
    shown.stage.style.width = shown.width + 'px';
    shown.stage.style.height = shown.height + 'px';
    host.appendChild(shown.stage);
    shown.ring = document.createElement('div');
    shown.ring.className = 'tvnr-ring';
    host.appendChild(shown.ring);
    shown.host = host;
    host = shown.stage;
    var layer = document.createElement('div');
    layer.className = 'tvnr-layer';
    if (d.background.url && isPicture(d.background.url)) {
      var pic = document.createElement('div');
      pic.className = 'tvnr-bgpic';
      pic.style.backgroundImage = 'url("' + d.background.url.replace(/"/g, '%22') + '")';
      pic.style.opacity = String(d.background.alpha / 100);
      layer.appendChild(pic);
    }
    host.appendChild(layer);
    // Like a movie, the stage shows only what lies on it: the pictures and texts go on the layer,
    // which cuts them at the stage's edge; the menu bar stays above it so its sub-menus may leave it.
    host = layer;

    if (d.logo && d.logo.url && isPicture(d.logo.url)) {
      var logo = document.createElement('img');
      logo.className = 'tvnr-abs tvnr-logo';
      logo.src = d.logo.url;
      logo.alt = '';
      place(logo, d.logo.x, d.logo.y);
      host.appendChild(logo);
    }
    [['title', d.title], ['desc', d.desc]].forEach(function (pair) {
      if (!pair[1] || !pair[1].text) return;
      var t = document.createElement('div');
      t.className = 'tvnr-abs tvnr-' + pair[0];
      t.textContent = pair[1].text;
      place(t, pair[1].x, pair[1].y);
      host.appendChild(t);
    });
    drawIcons(host, d);
    drawSound(host, d);

    var nav = document.createElement('nav');
    nav.setAttribute('aria-label', 'Menu');
    var bar = document.createElement('ul');
    bar.className = 'tvnr-bar';
    place(bar, d.bar.x, d.bar.y);
    buildItems(bar, d.entries, 'tvnr-main', 0);
    nav.appendChild(bar);
    shown.stage.appendChild(nav);
    shown.bar = bar;
    shown.menu = wireMenu(bar, d.vertical);
    return shown;
  }

  function showNotice(host, text) {
    host.textContent = '';
    var n = document.createElement('div');
    n.className = 'tvnr-notice';
    n.setAttribute('role', 'alert');
    // Styled here: the menu's own style sheet does not exist when the file could not be read.
    n.style.cssText = 'position:absolute;left:8px;top:8px;right:8px;padding:6px 10px;z-index:50;' +
        'font:13px/1.4 Verdana,Arial,sans-serif;color:#5a3b00;background:#fff6d6;' +
        'border:1px solid #e0c46c;border-radius:4px;white-space:normal;text-align:left;';
    host.style.position = 'relative';
    host.style.minHeight = '40px';
    n.textContent = text;
    host.appendChild(n);
    host.setAttribute('data-state', 'error');
  }

  // The description's text. From disk it is the text that the script "flashmenu.xml.js", which the
  // page loads beforehand, gave: browsers refuse such a page the file itself and report that on the
  // console. Otherwise (over http, or from disk without that script) the file is asked for, and
  // the script's text taken when the request fails.
  function loadText(url, done) {
    var finished = false;
    function finish(text, refused) {
      if (finished) return;
      finished = true;
      if (text === null && typeof window.TvnrMenuXml === 'string') text = window.TvnrMenuXml;
      done(text, refused);
    }
    var local = /^file:/i.test(location.protocol);
    if (local && typeof window.TvnrMenuXml === 'string') {
      setTimeout(function () { finish(window.TvnrMenuXml, false); }, 0);
      return;
    }
    try {
      var xhr = new XMLHttpRequest();
      xhr.open('GET', url, true);
      xhr.overrideMimeType('text/plain; charset=utf-8');
      xhr.onload = function () {
        var ok = (xhr.status >= 200 && xhr.status < 300) || (xhr.status === 0 && xhr.responseText);
        finish(ok ? xhr.responseText : null, false);
      };
      xhr.onerror = function () { finish(null, local); };
      xhr.send();
    } catch (e) {
      finish(null, true);
    }
  }

  function sizeOf(value) {
    var v = String(value || '').trim();
    if (/^\d+$/.test(v)) return v + 'px';
    if (/^\d+(\.\d+)?%$/.test(v)) return v;
    return '';
  }

  function start(host, width, height) {
    if (!host || host.getAttribute('data-state')) return;
    host.setAttribute('data-state', 'loading');
    host.id = host.id || 'tvnr-menu-' + (++menuCount);
    var w = sizeOf(width), h = sizeOf(height);
    if (w) host.style.width = w;
    if (h) host.style.height = h;
    host.textContent = '';
    loadText(XML_NAME, function (text, refused) {
      try {
        var root = parseDescription(text);
        if (!root) {
          showNotice(host, refused ? NOTICE_REFUSED : NOTICE_BROKEN);
          return;
        }
        var d = readDesign(root);
        var style = document.createElement('style');
        style.textContent = buildStyle(host.id, d);
        host.textContent = '';
        host.appendChild(style);
        var shown = draw(host, d);
        var refit = function () { fit(host, shown); };
        refit();
        window.addEventListener('resize', refit);
        // The ring follows the focus, and the focused link wherever the menu moves it.
        var replaceRing = function () { placeRing(shown); };
        host.addEventListener('focusin', replaceRing);
        host.addEventListener('focusout', replaceRing);
        new MutationObserver(replaceRing).observe(shown.stage, {subtree: true, attributeFilter: ['class', 'style']});
        if (window.ResizeObserver) {
          new ResizeObserver(refit).observe(host);
          // A link's focused, hovered or open look may be larger and move the others: the cut and
          // the ring are worked out again before that is drawn.
          var reclip = new ResizeObserver(function () { clipToStage(shown); placeRing(shown); });
          host.querySelectorAll('.tvnr-main, .tvnr-sub, .tvnr-icons a').forEach(function (a) { reclip.observe(a); });
        }
        host.setAttribute('data-state', 'ready');
      } catch (e) {
        showNotice(host, NOTICE_BROKEN);
      }
    });
  }

  // Called by the page where the menu belongs: name/value pairs as the page template writes them.
  function TvnrRunMenu() {
    var args = {};
    for (var i = 0; i + 1 < arguments.length; i += 2) args[String(arguments[i]).toLowerCase()] = arguments[i + 1];
    var host = document.createElement('div');
    host.className = 'tvnr-menu';
    host.setAttribute('data-movie', String(args.movie || ''));
    var here = document.currentScript;
    if (here && here.parentNode) here.parentNode.insertBefore(host, here.nextSibling);
    else document.body.appendChild(host);
    start(host, args.width, args.height);
  }

  function startAll() {
    var hosts = document.querySelectorAll('div.tvnr-menu');
    for (var i = 0; i < hosts.length; i++) {
      start(hosts[i], hosts[i].getAttribute('data-width'), hosts[i].getAttribute('data-height'));
    }
  }

  // The frameset around a menu page gives the menu frame the room the player there asks for: the
  // banner with any of its sub-menus open. The content frame keeps some room too, so the last
  // request is given again when the window changes size.
  var menuFrameRoom = null;

  function menuFrame() {
    var frame = document.getElementsByName('main')[0];
    return frame && frame.nodeName === 'FRAME' && frame.parentNode.nodeName === 'FRAMESET' ? frame : null;
  }

  function giveMenuFrameRoom() {
    var frame = menuFrame();
    if (!frame || !menuFrameRoom) return;
    var set = frame.parentNode, across = set.hasAttribute('cols');
    var total = across ? window.innerWidth : window.innerHeight;
    var need = Math.min(Math.ceil(Number(across ? menuFrameRoom.width : menuFrameRoom.height)) || 0,
                        Math.floor(total * 0.85));
    if (need <= 0) return;
    var parts = [];
    for (var f = set.firstElementChild; f; f = f.nextElementSibling) {
      if (f.nodeName === 'FRAME') parts.push(f === frame ? need : '*');
    }
    set.setAttribute(across ? 'cols' : 'rows', parts.join(','));
  }

  window.addEventListener('message', function (ev) {
    var frame = menuFrame();
    if (!frame || !ev.data || !ev.data.tvnrMenuSize || ev.source !== frame.contentWindow) return;
    menuFrameRoom = ev.data.tvnrMenuSize;
    giveMenuFrameRoom();
  });
  window.addEventListener('resize', giveMenuFrameRoom);
  window.TvnrRunMenu = TvnrRunMenu;
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', startAll);
  else startAll();
})();
