// The shipped menu player in a real browser engine: a page made from the shipped Horizontal
// templates reads the flashmenu.xml beside it and draws the menu, or a notice when it cannot.
#include "PublishFixture.h"
#include "QtPrinting.h"
#include "TestSupport.h"
#include "uPageBuilder.h"
#include "uPreview.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWindow>
#include <QtTest/QTest>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <gtest/gtest.h>

namespace {

QString HtmlDir(const QString &orient = QStringLiteral("Horizontal"))
{
    return ShippedDataDir() + QStringLiteral("Templates/") + orient + QStringLiteral("/HTML/");
}

QString ShippedText(const QString &path) { return QString::fromUtf8(ReadFileBytes(path)); }

// The menu page as the page builder makes it from the shipped templates.
QString MenuPage(bool withScript, const QString &movie, int width, int height,
                 const QString &orient = QStringLiteral("Horizontal"))
{
    const TTemplateEnv env{ShippedDataDir(), withScript};
    const QString options = QStringLiteral(
        "<?xml version=\"1.0\"?><template><sitetitle value=\"Player test\"/><description><text><![CDATA[]]></text>"
        "</description><bgcolor value=\"0xFFFFFF\"/></template>");
    return BuildTemplatePage(env, options, movie, width, height, false, orient == QLatin1String("Horizontal"), false);
}

// A description in the form the designer writes it.
QString Description(const QString &type = QStringLiteral("h"))
{
    return QStringLiteral(
        "<WebMenuOptions version=\"1.00\" type=\"%1\">\r\n"
        "  <demo a=\"1\"><x/></demo> <menufile src=\"tvnr001.swf\" id=\"tvnr001\"/>\r\n"
        " <design>\r\n"
        " <background src=\"flashmenu\\\" alpha=\"100\" width=\"700\" height=\"150\" /> "
        "<menubar x=\"20\" y=\"60\" space=\"4\" buttontype=\"3\" size=\"fix\" target=\"main\" align=\"Center\"/> "
        "<iconlink x=\"500\" y=\"10\" />\r\n"
        "<color id=\"background\" value=\"0x102030\" alpha=\"100\" /> \r\n"
        "<color id=\"main_menu_normal\" value=\"0x112233\" alpha=\"100\" />\r\n"
        "<color id=\"main_menu_active\" value=\"0xAA5500\" alpha=\"100\" />\r\n"
        "<color id=\"sub_menu_normal\" value=\"0xF0F0F0\" alpha=\"50\" />\r\n"
        "<color id=\"sub_menu_active\" value=\"0x00FF00\" alpha=\"100\" />\r\n"
        "<color id=\"icon_link_normal\" value=\"0xFFFFFF\" alpha=\"0\" />\r\n"
        "<color id=\"icon_link_active\" value=\"0xFFFFFF\" alpha=\"40\" />\r\n"
        "<font id=\"main_menu_normal\" face=\"Verdana\" size=\"13\" color=\"0xFFFFFF\" bold=\"true\" italic=\"false\" underline=\"false\" />\r\n"
        "<font id=\"main_menu_active\" face=\"Verdana\" size=\"13\" color=\"0xFFFF00\" bold=\"true\" italic=\"false\" underline=\"true\" />\r\n"
        "<font id=\"sub_menu_normal\" face=\"Tahoma\" size=\"11\" color=\"0x000080\" bold=\"false\" italic=\"true\" underline=\"false\" />\r\n"
        "<font id=\"sub_menu_active\" face=\"Tahoma\" size=\"11\" color=\"0x800000\" bold=\"false\" italic=\"false\" underline=\"false\" />\r\n"
        "<font id=\"title\" face=\"Georgia\" size=\"20\" color=\"0xEEEEEE\" bold=\"true\" italic=\"false\" underline=\"false\" />\r\n"
        "<font id=\"desc\" face=\"Georgia\" size=\"11\" color=\"0xCCCCCC\" bold=\"false\" italic=\"false\" underline=\"false\" />\r\n"
        "<music x=\"0\" y=\"0\" />\r\n"
        "</design>\r\n"
        "<main>\r\n"
        "<text id=\"title\" x=\"10\" y=\"5\"><text><![CDATA[A & B <Title>]]></text></text>\r\n"
        "<text id=\"desc\" x=\"10\" y=\"36\"><text><![CDATA[Since 1998]]></text></text>\r\n"
        "<img id=\"logo\" src=\"flashmenu\\\" x=\"40\" y=\"45\" />\r\n"
        "<sound id=\"background\" src=\"\" volume=\"50\"/>\r\n"
        "</main>\r\n"
        "<iconlink>\r\n"
        "<item id=\"1\" img=\"flashmenu\\\" url=\"\" target=\"\" active=\"0\" alpha=\"100\"><text><![CDATA[]]></text></item>\r\n"
        "</iconlink>\r\n"
        "<menubar>\r\n"
        "<menu href=\"index.htm?a=1&amp;b=2\" target=\"mainFrame\"><text><![CDATA[Home &amp; Garden]]></text>\r\n"
        "</menu>\r\n"
        "<menu href=\"products.htm\" target=\"main\"><text><![CDATA[&lt;b&gt;Products&lt;/b&gt;]]></text>\r\n"
        "<menu href=\"one.htm\" target=\"_blank\"><text><![CDATA[Sub One]]></text></menu>\r\n"
        "<menu href=\"javascript:window.hacked=2\" target=\"\"><text><![CDATA[&lt;img src=x "
        "onerror=&quot;window.hacked=1&quot;&gt;Sub Two]]></text></menu>\r\n"
        "</menu>\r\n"
        "<menu href=\"blank.htm\" target=\"\"><text><![CDATA[  ]]></text>\r\n"
        "</menu>\r\n"
        "</menubar>\r\n"
        "</WebMenuOptions>").arg(type);
}

// Records what the page's scripts report, so a test can tell a script error from a notice.
class RecordingPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList errors;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int line,
                                  const QString &source) override
    {
        if (level == ErrorMessageLevel && message.contains(QLatin1String("Uncaught")))
            errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
    }
};

class Browser {
public:
    Browser()
    {
        m_page = new RecordingPage(&m_view);
        m_view.setPage(m_page);
        m_page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        m_view.resize(900, 400);
        m_view.show();
    }

    bool load(const QString &file) { return load(QUrl::fromLocalFile(file)); }

    bool load(const QUrl &url)
    {
        bool done = false, ok = false;
        QObject::connect(m_page, &QWebEnginePage::loadFinished, [&](bool result) { done = true; ok = result; });
        m_page->load(url);
        QElapsedTimer t;
        t.start();
        while (!done && t.elapsed() < 30000)
            QTest::qWait(20);
        return ok;
    }

    QVariant js(const QString &script)
    {
        bool done = false;
        QVariant result;
        m_page->runJavaScript(script, [&](const QVariant &v) { result = v; done = true; });
        QElapsedTimer t;
        t.start();
        while (!done && t.elapsed() < 10000)
            QTest::qWait(5);
        return result;
    }

    // Waits until the expression is true; false after 15 seconds.
    bool waitFor(const QString &expression)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            if (js(expression).toBool())
                return true;
            QTest::qWait(20);
        }
        return false;
    }

    // Waits until the player has drawn the menu or its notice; returns the final state.
    QString waitForMenu()
    {
        QElapsedTimer t;
        t.start();
        QString state;
        while (t.elapsed() < 15000) {
            state = js(QStringLiteral("(function(){var m=document.querySelector('div.tvnr-menu');"
                                      "return m ? String(m.getAttribute('data-state')) : 'none';})()"))
                        .toString();
            if (state == QLatin1String("ready") || state == QLatin1String("error"))
                break;
            QTest::qWait(20);
        }
        return state;
    }

    QJsonObject json(const QString &expression)
    {
        return QJsonDocument::fromJson(js(QStringLiteral("JSON.stringify(%1)").arg(expression)).toString().toUtf8())
            .object();
    }

    // Presses a key as a visitor does: through the window system to the window the view is in,
    // which hands it to the page that has the focus.
    void press(Qt::Key key)
    {
        m_view.activateWindow();
        m_view.setFocus();
        QTest::keyClick(m_view.window()->windowHandle(), key);
    }

    RecordingPage *page() { return m_page; }
    QWebEngineView &view() { return m_view; }

private:
    QWebEngineView m_view;
    RecordingPage *m_page = nullptr;
};

// The files a page's scripts ask for (XMLHttpRequest or fetch), by address.
class ScriptRequests : public QWebEngineUrlRequestInterceptor {
public:
    QStringList asked;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeXhr)
            asked << info.requestUrl().toString();
    }
};

// A folder served over http on the loopback address, as a web server would serve a published site.
class LoopbackSite {
public:
    explicit LoopbackSite(const QString &root) : m_root(root)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(path));
    }

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n"))
            return;
        const QString path = QUrl::fromPercentEncoding(request.split(' ').value(1)).section(QLatin1Char('?'), 0, 0);
        QFile file(m_root + path);
        const bool found = !path.contains(QLatin1String("..")) && file.open(QIODevice::ReadOnly);
        const QByteArray body = found ? file.readAll() : QByteArray("not found");
        QByteArray type = "application/octet-stream";
        for (const auto &[ending, mime] : {std::pair{".htm", "text/html"}, std::pair{".js", "text/javascript"},
                                           std::pair{".xml", "text/xml"}, std::pair{".css", "text/css"},
                                           std::pair{".gif", "image/gif"}, std::pair{".jpg", "image/jpeg"}})
            if (path.endsWith(QLatin1String(ending)))
                type = mime;
        socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") + QByteArray("Content-Type: ") + type
                      + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QString m_root;
    QTcpServer m_server;
};

// A folder with the menu page, the player and (when given) the description.
struct PageFolder {
    TempFolder dir;
    QString page;
    PageFolder(bool withScript, const QString *description, const QString &orient = QStringLiteral("Horizontal"),
               QSize size = {700, 150})
    {
        dir.write(QStringLiteral("AC_RunActiveContent.js"),
                  ReadFileBytes(HtmlDir(orient) + QStringLiteral("AC_RunActiveContent.js")));
        if (description)
            dir.write(QStringLiteral("flashmenu.xml"), description->toUtf8());
        dir.write(QStringLiteral("flashmenu.htm"),
                  "\xEF\xBB\xBF" + MenuPage(withScript, QStringLiteral("tvnr001.swf"), size.width(), size.height(), orient).toUtf8());
        page = dir.file(QStringLiteral("flashmenu.htm"));
    }
};

const char *kReadMenu = R"JS(
(function () {
  function px(el) { return el ? el.getBoundingClientRect() : null; }
  var mains = Array.from(document.querySelectorAll('.tvnr-main'));
  var subs = Array.from(document.querySelectorAll('.tvnr-sub'));
  var cs = function (el) { return getComputedStyle(el); };
  var title = document.querySelector('.tvnr-title');
  return {
    mains: mains.map(function (a) { return a.textContent; }),
    subs: subs.map(function (a) { return a.textContent; }),
    boldCaption: mains[1] && mains[1].querySelector('b') ? mains[1].querySelector('b').textContent : '',
    href0: mains[0].getAttribute('href'), target0: mains[0].getAttribute('target'),
    subHref0: subs[0].getAttribute('href'), subTarget0: subs[0].getAttribute('target'),
    subRel0: subs[0].getAttribute('rel'), subHasHref1: subs[1].hasAttribute('href'),
    imagesInMenu: document.querySelectorAll('nav img').length,
    hacked: String(window.hacked),
    mainBg: cs(mains[0]).backgroundColor, mainColor: cs(mains[0]).color,
    mainWeight: cs(mains[0]).fontWeight, mainGradient: cs(mains[0]).backgroundImage.indexOf('gradient') >= 0,
    mainWidths: mains.map(function (a) { return Math.round(px(a.parentNode).width); }),
    mainTops: mains.map(function (a) { return Math.round(px(a).top); }),
    mainLefts: mains.map(function (a) { return Math.round(px(a).left); }),
    subShown: cs(subs[0].closest('.tvnr-submenu')).display,
    title: title ? title.textContent : '', titleLeft: title ? title.style.left : '',
    titleColor: title ? cs(title).color : '',
    areaBg: cs(document.querySelector('.tvnr-bg')).backgroundColor,
    areaWidth: Math.round(px(document.querySelector('div.tvnr-menu')).width),
    areaHeight: Math.round(px(document.querySelector('div.tvnr-menu')).height)
  };
})()
)JS";

// A browser that refuses file:// reads fails the request (or throws at once); the engine here may
// read local files, so the refusal is played by replacing the request's sending.
const QStringList kRefusals{
    QStringLiteral("XMLHttpRequest.prototype.send = function () { var x = this;"
                   " setTimeout(function () { x.onerror && x.onerror(new Event('error')); }, 0); };"),
    QStringLiteral("XMLHttpRequest.prototype.send = function () {"
                   " throw new DOMException('refused', 'NetworkError'); };"),
};

void RunBeforeThePage(Browser &b, const QString &source, bool inFrames = false)
{
    QWebEngineScript script;
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(inFrames);
    b.page()->scripts().insert(script);
}

// Put into every frame: asked by a message, the document that holds the menu opens the sub-menu of
// the main entry with the given caption as a visitor's pointer would, and answers with where each
// of its entries is in the frame's window and whether a click at its middle reaches it.
const char *kProbeInFrames = R"JS(
window.addEventListener('message', function (ev) {
  if (!ev.data || ev.data.probe !== 'open') return;
  var item = Array.from(document.querySelectorAll('.tvnr-bar > .tvnr-item')).filter(function (it) {
    return it.querySelector(':scope > a').textContent === ev.data.caption;
  })[0];
  if (!item) return;
  item.querySelector(':scope > a').dispatchEvent(new MouseEvent('mouseover', {bubbles: true}));
  var entries = Array.from(item.querySelectorAll(':scope > .tvnr-submenu > .tvnr-item > a')).map(function (a) {
    var r = a.getBoundingClientRect(), hit = document.elementFromPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return {text: a.textContent, left: r.left, top: r.top, right: r.right, bottom: r.bottom,
            reached: !!hit && a.contains(hit)};
  });
  ev.source.postMessage({probed: {width: document.documentElement.clientWidth,
                                  height: document.documentElement.clientHeight, entries: entries}}, '*');
});
)JS";

// Run in the top document: asks itself and every frame, and keeps the answer with the place of the
// answering frame in the window.
const char *kAskEveryFrame = R"JS(
(function () {
  window.tvnrProbed = null;
  if (!window.tvnrListening) {
    window.tvnrListening = true;
    window.addEventListener('message', function (ev) {
      if (!ev.data || !ev.data.probed) return;
      var frame = Array.from(document.querySelectorAll('frame, iframe')).filter(function (f) {
        return f.contentWindow === ev.source;
      })[0];
      var at = frame ? frame.getBoundingClientRect() : {left: 0, top: 0};
      window.tvnrProbed = {frame: ev.data.probed, left: at.left, top: at.top,
                           width: document.documentElement.clientWidth || window.innerWidth,
                           height: document.documentElement.clientHeight || window.innerHeight};
    });
  }
  [window].concat(Array.from(window.frames)).forEach(function (w) {
    w.postMessage({probe: 'open', caption: %1}, '*');
  });
  return true;
})()
)JS";

// Every entry of the open sub-menu lies whole inside its frame and the window and is reached by a
// click at its middle; empty when so, else what is wrong.
QString EntriesShownWhole(const QJsonObject &probed, int count)
{
    const QJsonObject frame = probed.value("frame").toObject();
    const QJsonArray entries = frame.value("entries").toArray();
    if (entries.size() != count)
        return QStringLiteral("%1 entries").arg(entries.size());
    QStringList faults;
    for (const QJsonValue &v : entries) {
        const QJsonObject e = v.toObject();
        const double l = e.value("left").toDouble(), t = e.value("top").toDouble();
        const double r = e.value("right").toDouble(), b = e.value("bottom").toDouble();
        const double x = probed.value("left").toDouble(), y = probed.value("top").toDouble();
        const bool inFrame = l >= -0.5 && t >= -0.5 && r <= frame.value("width").toDouble() + 0.5
                             && b <= frame.value("height").toDouble() + 0.5;
        const bool inWindow = x + l >= -0.5 && y + t >= -0.5 && x + r <= probed.value("width").toDouble() + 0.5
                              && y + b <= probed.value("height").toDouble() + 0.5;
        if (!inFrame || !inWindow || !e.value("reached").toBool() || r - l < 10 || b - t < 5)
            faults << QString::fromUtf8(QJsonDocument(e).toJson(QJsonDocument::Compact));
    }
    return faults.join('\n');
}

// Opens the sub-menu in whichever frame holds the menu until all its entries are shown whole;
// the last fault after 15 seconds.
QString OpenSubMenuShowsEveryEntry(Browser &b, const QString &caption, int count)
{
    QElapsedTimer t;
    t.start();
    QString fault = QStringLiteral("no answer");
    const QString ask = QString::fromLatin1(kAskEveryFrame)
                            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{caption}).toJson(QJsonDocument::Compact))
                                     .mid(1).chopped(1));
    while (t.elapsed() < 15000) {
        b.js(ask);
        // The menu may not be drawn yet, and a frame may still be taking its room: ask again.
        if (!QTest::qWaitFor([&] { return b.js(QStringLiteral("!!window.tvnrProbed")).toBool(); }, 500))
            continue;
        fault = EntriesShownWhole(b.json(QStringLiteral("window.tvnrProbed")), count);
        if (fault.isEmpty())
            return fault;
    }
    return fault;
}

void ExpectDrawnMenu(Browser &b)
{
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    const QJsonObject m = b.json(QString::fromLatin1(kReadMenu));
    // Captions: one level of escaping undone, markup kept, a blank main entry left out.
    EXPECT_EQ(m.value("mains").toArray(), QJsonArray({"Home & Garden", "Products"}));
    EXPECT_EQ(m.value("subs").toArray(), QJsonArray({"Sub One", "Sub Two"}));
    EXPECT_EQ(m.value("boldCaption").toString(), "Products");
    // Links and targets as written; a script link and caption markup that would run code are dropped.
    EXPECT_EQ(m.value("href0").toString(), "index.htm?a=1&b=2");
    EXPECT_EQ(m.value("target0").toString(), "mainFrame");
    EXPECT_EQ(m.value("subHref0").toString(), "one.htm");
    EXPECT_EQ(m.value("subTarget0").toString(), "_blank");
    EXPECT_EQ(m.value("subRel0").toString(), "noopener");
    EXPECT_FALSE(m.value("subHasHref1").toBool());
    EXPECT_EQ(m.value("imagesInMenu").toInt(), 0);
    EXPECT_EQ(m.value("hacked").toString(), "undefined");
    // Colours and fonts of the normal state, the gradient type, and equal widths for fixed size.
    EXPECT_EQ(m.value("mainBg").toString(), "rgb(17, 34, 51)");
    EXPECT_EQ(m.value("mainColor").toString(), "rgb(255, 255, 255)");
    EXPECT_EQ(m.value("mainWeight").toString(), "700");
    EXPECT_TRUE(m.value("mainGradient").toBool());
    const QJsonArray widths = m.value("mainWidths").toArray();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_EQ(widths[0].toInt(), widths[1].toInt());
    EXPECT_GT(widths[0].toInt(), 40);
    EXPECT_EQ(m.value("subShown").toString(), "none");
    // Title as plain text at its position and colour; the area at the page's size and colour.
    EXPECT_EQ(m.value("title").toString(), "A & B <Title>");
    EXPECT_EQ(m.value("titleLeft").toString(), "10px");
    EXPECT_EQ(m.value("titleColor").toString(), "rgb(238, 238, 238)");
    EXPECT_EQ(m.value("areaBg").toString(), "rgb(16, 32, 48)");
    EXPECT_EQ(m.value("areaWidth").toInt(), 700);
    EXPECT_EQ(m.value("areaHeight").toInt(), 150);
    EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
}

// A shot of the view and where the design's area is in it, found by the design's background
// colour 0x808080: its rightmost column and the rows it spans.
struct DesignShot {
    QImage shot;
    int edge = -1, top = -1, bottom = -1;

    // Grabs the view until the area reaches x = least and its whole 150 rows are drawn, and the
    // shot shows what `shows` asks for.
    bool waitFor(QWebEngineView &view, int least, const std::function<bool(const QImage &)> &shows = {})
    {
        return QTest::qWaitFor([&] {
            shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
            edge = top = bottom = -1;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = shot.width() - 1; x >= 0; --x)
                    if (shot.pixel(x, y) == 0xFF808080u) {
                        edge = std::max(edge, x);
                        top = top < 0 ? y : top;
                        bottom = y;
                        break;
                    }
            return edge >= least && bottom - top >= 149 && (!shows || shows(shot));
        }, 15000);
    }

    // Beside the design only the page's own dark colour: the light pixels of a text or a button
    // drawn past the edge are counted.
    int drawnPastTheEdge() const
    {
        int drawn = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = edge + 1; x < shot.width(); ++x)
                drawn += qGray(shot.pixel(x, y)) > 40;
        return drawn;
    }

    std::string where() const
    {
        return QStringLiteral("the design ends at x = %1, rows %2 to %3").arg(edge).arg(top).arg(bottom).toStdString();
    }
};

// WCAG's contrast ratio of two colours.
double Contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How thick a focus ring is: on lines across the middle of each of the box's four edges, from 8 px
// inside to 8 px outside, the longest run of pixels whose colour contrasts 3:1 or more with the
// same pixel unfocused; the thinnest of the four sides.
int FocusRingWidth(const QImage &focused, const QImage &unfocused, const QRect &box)
{
    int thinnest = std::numeric_limits<int>::max();
    const QPoint mid = box.center();
    for (const auto &[edge, outwards] : {std::pair{QPoint(box.left(), mid.y()), QPoint(-1, 0)},
                                         std::pair{QPoint(box.right(), mid.y()), QPoint(1, 0)},
                                         std::pair{QPoint(mid.x(), box.top()), QPoint(0, -1)},
                                         std::pair{QPoint(mid.x(), box.bottom()), QPoint(0, 1)}}) {
        int run = 0, longest = 0;
        for (int i = -8; i <= 8; ++i) {
            const QPoint p = edge + outwards * i;
            if (focused.rect().contains(p) && Contrast(focused.pixel(p), unfocused.pixel(p)) >= 3.0)
                longest = std::max(longest, ++run);
            else
                run = 0;
        }
        thinnest = std::min(thinnest, longest);
    }
    return thinnest;
}

} // namespace

TEST(Player, DrawsTheMenuWithAndWithoutTheScriptBlock)
{
    // With the script block the fallback inside <noscript> stays inert; without it the fallback
    // itself draws: either way exactly one menu.
    for (bool withScript : {true, false}) {
        SCOPED_TRACE(withScript ? "script block" : "fallback");
        const QString xml = Description();
        PageFolder folder(withScript, &xml);
        Browser b;
        ASSERT_TRUE(b.load(folder.page));
        ExpectDrawnMenu(b);
        EXPECT_EQ(b.js(QStringLiteral("document.querySelectorAll('div.tvnr-menu').length")).toInt(), 1);
    }
}

TEST(Player, DrawsLogoBackgroundIconLinksAndSoundButton)
{
    QString xml = Description();
    xml.replace(QStringLiteral("<background src=\"flashmenu\\\" alpha=\"100\""),
                QStringLiteral("<background src=\"flashmenu\\bg 1.jpg\" alpha=\"60\""));
    xml.replace(QStringLiteral("<img id=\"logo\" src=\"flashmenu\\\""), QStringLiteral("<img id=\"logo\" src=\"flashmenu/01.jpg\""));
    xml.replace(QStringLiteral("<sound id=\"background\" src=\"\""), QStringLiteral("<sound id=\"background\" src=\"flashmenu\\bip.mp3\""));
    xml.replace(QStringLiteral("<music x=\"0\" y=\"0\" />"), QStringLiteral("<music x=\"650\" y=\"110\" />"));
    xml.replace(QStringLiteral("</iconlink>\r\n<menubar>"),
                QStringLiteral("<item id=\"2\" img=\"flashmenu\\home.jpg\" url=\"http://example.com/?a=1&amp;b=2\" target=\"_top\""
                               " active=\"1\" alpha=\"80\"><text><![CDATA[Home &amp;amp; Away]]></text></item>\r\n"
                               "<item id=\"3\" img=\"..\\..\\secret.jpg\" url=\"x.htm\" target=\"\" active=\"1\" alpha=\"80\">"
                               "<text><![CDATA[Climbs out]]></text></item>\r\n"
                               "<item id=\"4\" img=\"flashmenu\\home.jpg\" url=\"y.htm\" target=\"\" active=\"0\" alpha=\"80\">"
                               "<text><![CDATA[Switched off]]></text></item>\r\n</iconlink>\r\n<menubar>"));
    PageFolder folder(true, &xml);
    const QString templates = ShippedDataDir() + QStringLiteral("Templates/");
    folder.dir.write(QStringLiteral("flashmenu/bg 1.jpg"), ReadFileBytes(templates + QStringLiteral("Horizontal/BGround/tvnr001.jpg")));
    folder.dir.write(QStringLiteral("flashmenu/01.jpg"), ReadFileBytes(templates + QStringLiteral("Images/01.jpg")));
    folder.dir.write(QStringLiteral("flashmenu/home.jpg"), ReadFileBytes(templates + QStringLiteral("IconLink/home.jpg")));
    folder.dir.write(QStringLiteral("flashmenu/bip.mp3"), ReadFileBytes(templates + QStringLiteral("Sounds/bip.mp3")));
    Browser b;
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    // Pictures load on their own time; a busy machine may still be decoding the logo.
    ASSERT_TRUE(b.waitFor(QStringLiteral("(function(){var l=document.querySelector('.tvnr-logo');"
                                         "return !!l && l.complete && l.naturalWidth > 0;})()")));
    const QJsonObject m = b.json(QStringLiteral(R"JS((function () {
      var logo = document.querySelector('.tvnr-logo'), pic = document.querySelector('.tvnr-bgpic');
      var icons = Array.from(document.querySelectorAll('.tvnr-icons a'));
      var music = document.querySelector('.tvnr-music');
      return {
        logo: logo ? logo.getAttribute('src') : '', logoLeft: logo ? logo.style.left : '',
        logoLoaded: logo ? logo.naturalWidth : 0,
        bg: pic ? pic.style.backgroundImage : '', bgOpacity: pic ? pic.style.opacity : '',
        icons: icons.map(function (a) { return [a.getAttribute('href'), a.getAttribute('target'), a.title,
                                               a.querySelector('img').getAttribute('src')]; }),
        music: music ? [music.style.left, music.style.top] : [],
        audio: document.querySelector('audio') ? document.querySelector('audio').getAttribute('src') : ''
      };
    })())JS"));
    EXPECT_EQ(m.value("logo").toString(), "flashmenu/01.jpg");
    EXPECT_EQ(m.value("logoLeft").toString(), "40px");
    EXPECT_EQ(m.value("logoLoaded").toInt(), 64);
    EXPECT_EQ(m.value("bg").toString(), "url(\"flashmenu/bg%201.jpg\")");
    EXPECT_EQ(m.value("bgOpacity").toString(), "0.6");
    // Only the active link with a picture inside the page's folder; its label is markup after one
    // level of escaping is undone, so "&amp;amp;" in the file shows as "&".
    EXPECT_EQ(m.value("icons").toArray(),
              QJsonArray({QJsonArray({"http://example.com/?a=1&b=2", "_top", "Home & Away", "flashmenu/home.jpg"})}));
    EXPECT_EQ(m.value("music").toArray(), QJsonArray({"650px", "110px"}));
    EXPECT_EQ(m.value("audio").toString(), "flashmenu/bip.mp3");
    EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
}

TEST(Player, SubMenusOpenAndCloseByKeyboardWithActiveColours)
{
    const QString xml = Description();
    PageFolder folder(true, &xml);
    Browser b;
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    b.view().activateWindow();
    b.view().setFocus();

    const QString key = QStringLiteral(
        "document.activeElement.dispatchEvent(new KeyboardEvent('keydown', {key: '%1', bubbles: true, cancelable: true}));");
    const QString state = QStringLiteral(
        "(function(){var a=document.activeElement, sub=document.querySelector('.tvnr-submenu');"
        "return {focus: a ? a.textContent : '', bg: a ? getComputedStyle(a).backgroundColor : '',"
        " color: a ? getComputedStyle(a).color : '', open: getComputedStyle(sub).display};})()");

    b.js(QStringLiteral("document.querySelectorAll('.tvnr-main')[0].focus();"));
    QJsonObject s = b.json(state);
    EXPECT_EQ(s.value("focus").toString(), "Home & Garden");
    EXPECT_EQ(s.value("bg").toString(), "rgb(170, 85, 0)");
    EXPECT_EQ(s.value("color").toString(), "rgb(255, 255, 0)");
    EXPECT_EQ(s.value("open").toString(), "none");

    b.js(key.arg(QStringLiteral("ArrowRight")));
    s = b.json(state);
    EXPECT_EQ(s.value("focus").toString(), "Products");
    EXPECT_EQ(s.value("open").toString(), "flex");

    b.js(key.arg(QStringLiteral("ArrowDown")));
    s = b.json(state);
    EXPECT_EQ(s.value("focus").toString(), "Sub One");
    EXPECT_EQ(s.value("bg").toString(), "rgb(0, 255, 0)");
    EXPECT_EQ(s.value("color").toString(), "rgb(128, 0, 0)");
    // The other entries of the sub-menu keep its own normal look.
    EXPECT_EQ(b.js(QStringLiteral("getComputedStyle(document.querySelectorAll('.tvnr-sub')[1]).backgroundColor"))
                  .toString(),
              QStringLiteral("rgba(240, 240, 240, 0.5)"));

    b.js(key.arg(QStringLiteral("ArrowDown")));
    EXPECT_EQ(b.json(state).value("focus").toString(), "Sub Two");
    b.js(key.arg(QStringLiteral("ArrowDown")));
    EXPECT_EQ(b.json(state).value("focus").toString(), "Sub One");

    b.js(key.arg(QStringLiteral("Escape")));
    s = b.json(state);
    EXPECT_EQ(s.value("focus").toString(), "Products");
    EXPECT_EQ(s.value("open").toString(), "none");
    EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
}

TEST(Player, VerticalMenuStacksItsButtons)
{
    const QString xml = Description(QStringLiteral("v"));
    PageFolder folder(true, &xml, QStringLiteral("Vertical"));
    Browser b;
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    const QJsonObject m = b.json(QString::fromLatin1(kReadMenu));
    const QJsonArray tops = m.value("mainTops").toArray(), lefts = m.value("mainLefts").toArray();
    ASSERT_EQ(tops.size(), 2);
    EXPECT_GT(tops[1].toInt(), tops[0].toInt());
    EXPECT_EQ(lefts[0].toInt(), lefts[1].toInt());
}

// In a narrow menu frame a sub-menu opens towards the side where it fits; the line height of the
// page around the menu (the page without frames) does not change the buttons.
TEST(Player, SubMenusStayInsideTheWindowAndThePageStyleStaysOut)
{
    QString xml = Description(QStringLiteral("v"));
    xml.replace(QStringLiteral("<menubar x=\"20\""), QStringLiteral("<menubar x=\"560\""));
    PageFolder folder(true, &xml, QStringLiteral("Vertical"));
    Browser b;
    b.view().resize(450, 400);
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    const QString open = QStringLiteral(
        "(function(){var items=document.querySelectorAll('.tvnr-bar > .tvnr-item');"
        "items[1].dispatchEvent(new MouseEvent('mouseover',{bubbles:true}));"
        "var sub=items[1].querySelector('.tvnr-submenu').getBoundingClientRect(), it=items[1].getBoundingClientRect();"
        "return {subLeft:sub.left, subRight:sub.right, itemLeft:it.left, itemRight:it.right,"
        " room:document.documentElement.clientWidth, height:Math.round(items[0].getBoundingClientRect().height)};})()");
    QJsonObject m = b.json(open);
    ASSERT_GT(m.value("itemRight").toDouble(), 0);
    EXPECT_LE(m.value("subRight").toDouble(), m.value("room").toDouble());
    EXPECT_GE(m.value("subLeft").toDouble(), 0);
    EXPECT_LE(m.value("subRight").toDouble(), m.value("itemLeft").toDouble() + 1);

    // With room on the right it opens there again, the design at its own size.
    b.view().resize(900, 400);
    ASSERT_TRUE(b.waitFor(QStringLiteral("document.documentElement.clientWidth === 900 &&"
                                         " document.querySelector('.tvnr-stage').style.transform === ''")));
    EXPECT_TRUE(b.waitFor(QStringLiteral("(function(){var m=%1;return m.subLeft>=m.itemRight-1;})()").arg(open)));
    m = b.json(open);
    EXPECT_GE(m.value("subLeft").toDouble(), m.value("itemRight").toDouble() - 1);
    const int height = m.value("height").toInt();

    b.js(QStringLiteral("document.body.style.lineHeight = '3';"));
    EXPECT_EQ(b.json(open).value("height").toInt(), height);
    EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
}

// The designer's preview page (scroll="no") of a design wider than the pane and as high as it: the
// design's area is the pane, the design shown smaller in it, and an open drop-down stays inside the
// pane, also when the pane is as wide as the design.
TEST(Player, ThePreviewShowsTheWholeDesignAndItsOpenSubMenu)
{
    QString xml = Description();
    xml.replace(QStringLiteral("width=\"700\" height=\"150\""), QStringLiteral("width=\"1004\" height=\"156\""));
    xml.replace(QStringLiteral("<menubar x=\"20\" y=\"60\""), QStringLiteral("<menubar x=\"20\" y=\"110\""));
    PageFolder folder(true, &xml, QStringLiteral("Horizontal"), QSize(1004, 156));
    for (int paneWidth : {700, 1004}) {
        SCOPED_TRACE(paneWidth);
        Browser b;
        b.view().resize(paneWidth, 156);
        RunBeforeThePage(b, QString::fromLatin1(kProbeInFrames));
        ASSERT_TRUE(b.load(folder.page));
        ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
        const QJsonObject m = b.json(QStringLiteral(
            "(function(){var area=document.querySelector('.tvnr-layer').getBoundingClientRect();"
            "return {area: area.right, room: document.documentElement.clientWidth};})()"));
        EXPECT_EQ(m.value("room").toInt(), paneWidth);
        EXPECT_NEAR(m.value("area").toDouble(), paneWidth, 1.0);
        EXPECT_EQ(OpenSubMenuShowsEveryEntry(b, QStringLiteral("Products"), 2), QString());
        EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
    }
}

// A caption with markup keeps the blanks beside its tags.
TEST(Player, CaptionMarkupKeepsItsBlanks)
{
    QString xml = Description();
    xml.replace(QStringLiteral("&lt;b&gt;Products&lt;/b&gt;]]>"), QStringLiteral("&lt;b&gt;Products&lt;/b&gt; &amp; more]]>"));
    PageFolder folder(true, &xml);
    Browser b;
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    const QJsonObject m = b.json(QStringLiteral(
        "(function(){var a=document.querySelectorAll('.tvnr-main')[1], bold=a.querySelector('b'), t=bold.nextSibling;"
        "var r=document.createRange(); r.setStart(t, t.data.indexOf('&')); r.setEnd(t, t.data.indexOf('&') + 1);"
        "return {text: a.textContent, gap: r.getBoundingClientRect().left - bold.getBoundingClientRect().right};})()"));
    EXPECT_EQ(m.value("text").toString(), QStringLiteral("Products & more"));
    EXPECT_GT(m.value("gap").toDouble(), 2.0);
}

TEST(Player, BrokenOrMissingDescriptionShowsANoticeAndNoScriptError)
{
    const QString notWellFormed = QStringLiteral("<WebMenuOptions version=\"1.00\" type=\"h\"><design>");
    const QString otherRoot = QStringLiteral("<menu><menubar/></menu>");
    const QString empty;
    const QString lacksParts = QStringLiteral("<WebMenuOptions type=\"h\"><menubar><menu><text><![CDATA[Only]]>"
                                              "</text></menu></menubar></WebMenuOptions>");
    struct Case {
        const QString *xml;
        const char *state;
    } cases[] = {{&notWellFormed, "error"}, {&otherRoot, "error"}, {&empty, "error"}, {nullptr, "error"},
                 {&lacksParts, "ready"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.xml ? c.xml->toStdString() : std::string("(no file)"));
        PageFolder folder(true, c.xml);
        Browser b;
        ASSERT_TRUE(b.load(folder.page));
        EXPECT_EQ(b.waitForMenu(), QLatin1String(c.state));
        if (QLatin1String(c.state) == QLatin1String("error")) {
            const QString notice = b.js(QStringLiteral("document.querySelector('.tvnr-notice').textContent")).toString();
            EXPECT_TRUE(notice.startsWith(QLatin1String("The menu cannot be shown:"))) << notice.toStdString();
            EXPECT_TRUE(notice.contains(QLatin1String("\"flashmenu.xml\""))) << notice.toStdString();
        } else {
            // A well-formed file that lacks parts draws what it has with plain defaults.
            EXPECT_EQ(b.js(QStringLiteral("document.querySelector('.tvnr-main').textContent")).toString(),
                      QStringLiteral("Only"));
        }
        EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
    }
}

TEST(Player, RefusedLocalReadShowsTheNotice)
{
    for (const QString &refusal : kRefusals) {
        SCOPED_TRACE(refusal.toStdString());
        const QString xml = Description();
        PageFolder folder(true, &xml);
        Browser b;
        RunBeforeThePage(b, refusal);
        ASSERT_TRUE(b.load(folder.page));
        ASSERT_EQ(b.waitForMenu(), QStringLiteral("error"));
        const QString notice = b.js(QStringLiteral("document.querySelector('.tvnr-notice').textContent")).toString();
        EXPECT_TRUE(notice.contains(QLatin1String("refused"))) << notice.toStdString();
        EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
    }
}

TEST(Player, APageOpenedFromDiskDrawsFromTheScriptBesideTheDescription)
{
    // The description's text holds what must not end the script's string early.
    QString xml = Description();
    const QString desc = QStringLiteral("</script><script>window.hacked=3</script>\\\" caf\u00E9 \u65E5\u2028end");
    xml.replace(QStringLiteral("Since 1998"), desc);
    {
        // From disk the script's text is taken, even where the file could be read.
        const QString other = QStringLiteral("<WebMenuOptions/>");
        PageFolder folder(true, &other);
        folder.dir.write(QStringLiteral("flashmenu.xml.js"), MenuXmlScript(xml.toUtf8()));
        Browser b;
        ASSERT_TRUE(b.load(folder.page));
        ExpectDrawnMenu(b);
        EXPECT_EQ(b.js(QStringLiteral("document.querySelector('.tvnr-desc').textContent")).toString(), desc);
    }

    // Over http the page fetches the description, whatever the script beside it says.
    PageFolder folder(true, &xml);
    folder.dir.write(QStringLiteral("flashmenu.xml.js"), "window.TvnrMenuXml = \"<WebMenuOptions/>\";\n");
    const LoopbackSite site(folder.dir.path());
    Browser b;
    ASSERT_TRUE(b.load(site.url(QStringLiteral("flashmenu.htm"))));
    ExpectDrawnMenu(b);
    EXPECT_EQ(b.js(QStringLiteral("document.querySelector('.tvnr-desc').textContent")).toString(), desc);
}

// Not a check: with TOLVANAR_SCREENSHOT set to a .png path, renders the first shipped design (as
// the new-project gallery prepares it) with a sub-menu open and saves the picture there.
TEST(Player, ScreenshotOfTheDefaultDesign)
{
    const QString target = qEnvironmentVariable("TOLVANAR_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set TOLVANAR_SCREENSHOT to a .png path to take the picture";
    // TOLVANAR_SCREENSHOT_DESIGN picks another design, as "Vertical/tvmrom001".
    const QStringList design = qEnvironmentVariable("TOLVANAR_SCREENSHOT_DESIGN", QStringLiteral("Horizontal/tvnr001"))
                                   .split(QLatin1Char('/'));
    ASSERT_EQ(design.size(), 2);
    const QString orient = design[0];
    const bool vertical = orient == QLatin1String("Vertical");
    const QString templates = ShippedDataDir() + QStringLiteral("Templates/");
    QString xml = ShippedText(templates + orient + QStringLiteral("/Template/") + design[1] + QStringLiteral(".xml"));
    TempFolder dir;
    const QRegularExpression named(QStringLiteral("(src|img)=\"(Menus|BGround|Images|IconLink)\\\\([^\"]+)\""));
    auto it = named.globalMatch(xml);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString from = m.captured(2) == QLatin1String("Menus") || m.captured(2) == QLatin1String("BGround")
                                 ? templates + orient + QLatin1Char('/') + m.captured(2)
                                 : templates + m.captured(2);
        dir.write((m.captured(2) == QLatin1String("Menus") ? QString() : QStringLiteral("flashmenu/")) + m.captured(3),
                  ReadFileBytes(from + QLatin1Char('/') + m.captured(3)));
    }
    xml.replace(QStringLiteral("src=\"Menus\\"), QStringLiteral("src=\""));
    xml.replace(QRegularExpression(QStringLiteral("(src|img)=\"(BGround|Images|IconLink)\\\\")),
                QStringLiteral("\\1=\"flashmenu\\\\"));
    dir.write(QStringLiteral("flashmenu.xml"), xml.toUtf8());
    dir.write(QStringLiteral("AC_RunActiveContent.js"), ReadFileBytes(HtmlDir(orient) + QStringLiteral("AC_RunActiveContent.js")));
    dir.write(QStringLiteral("flashmenu.htm"),
              MenuPage(true, design[1] + QStringLiteral(".swf"), vertical ? 180 : 760, vertical ? 460 : 150, orient).toUtf8());

    Browser b;
    b.view().resize(vertical ? QSize(340, 460) : QSize(760, 250));
    ASSERT_TRUE(b.load(dir.file(QStringLiteral("flashmenu.htm"))));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    b.js(QStringLiteral("document.querySelectorAll('.tvnr-bar > .tvnr-item')[1].classList.add('tvnr-open');"
                        "document.querySelectorAll('.tvnr-sub')[1].parentNode.classList.add('tvnr-open');"));
    QTest::qWait(1500);
    ASSERT_TRUE(b.view().grab().save(target));
}

// A horizontal and a vertical banner with a main entry of six sub-entries too many and too wide for
// a menu frame of the design's size, published as each output type.
class PlayerPublished : public Publish {
protected:
    void SetUp() override
    {
        Publish::SetUp();
        design.Controls.BackgroundImage.clear();
        design.Controls.LogoImage.clear();
        design.Controls.BackgroundSound.clear();
    }

    void Design(bool horizontal)
    {
        design.ResetDesign(true);
        design.SetOrientation(horizontal);
        window.pane.size = horizontal ? QSize(1000, 150) : QSize(200, 460);
        design.FStoreOptions.BackgroundWidth = horizontal ? 1004 : 200;
        design.FStoreOptions.BackgroundHeight = horizontal ? 150 : 460;
        design.FMenuX = horizontal ? 300 : 20;
        design.FMenuY = horizontal ? 110 : 300;
        for (TFontInfo &font : design.FStoreOptions.Fonts)
            font.Size = 13;
        design.AddMainMenuEntry(QString(), QStringLiteral("Home"), true, QStringLiteral("mainFrame"), QStringLiteral("mainbody.htm"));
        const int products = design.AddMainMenuEntry(QString(), QStringLiteral("Products"), true,
                                                     QStringLiteral("mainFrame"), QStringLiteral("mainbody.htm"));
        for (int n = 1; n <= 6; ++n)
            design.AddSubMenuEntry(products, QStringLiteral("Product number %1").arg(n), QStringLiteral("mainFrame"),
                                   QStringLiteral("mainbody.htm"));
    }

    // The horizontal banner in grey with white buttons on a black page, as DesignShot finds it.
    void DarkPageDesign()
    {
        Design(true);
        page.BackgroundColor = 0x000000;
        design.FStoreOptions.BackgroundColor = 0x808080;
        design.FStoreOptions.BackgroundColorAlpha = 100;
        design.FStoreOptions.MainNormalColor = 0xFFFFFF;
        design.FStoreOptions.MainNormalAlpha = 100;
    }
};

// One orientation and output type a test, so each stays well inside its time on a busy machine.
class PlayerPublishedOutput : public PlayerPublished, public testing::WithParamInterface<std::tuple<bool, int>> {};

// In a real browser engine each output type, opened from disk and from a web server, shows the open
// sub-menu whole: no entry is cut by the menu frame, the page or the window, and a click at its middle
// reaches it. From disk the description comes from the script beside it: no script reads a file,
// which browsers refuse a page from disk and report on its console. From a server it is fetched.
TEST_P(PlayerPublishedOutput, ShowsAnOpenSubMenuWholeAndFromDiskReadsNoFile)
{
    const auto [horizontal, kind] = GetParam();
    Design(horizontal);
    const QString folder = outRoot.file(QStringLiteral("site"));
    QDir().mkpath(folder);
    ASSERT_FALSE(publish(QStringLiteral("%1=-1").arg(kind), folder).isEmpty());
    const QString page = kind == pkFramePages || kind == pkNonFramePages ? "index.htm" : "flashmenu.htm";
    const LoopbackSite site(folder);
    for (const QUrl &url : {QUrl::fromLocalFile(folder + QLatin1Char('/') + page), site.url(page)}) {
        SCOPED_TRACE(url.toString().toStdString());
        Browser b;
        ScriptRequests requests;
        b.page()->setUrlRequestInterceptor(&requests);
        b.view().resize(1000, 600);
        RunBeforeThePage(b, QString::fromLatin1(kProbeInFrames), true);
        ASSERT_TRUE(b.load(url));
        EXPECT_EQ(OpenSubMenuShowsEveryEntry(b, QStringLiteral("Products"), 6), QString());
        EXPECT_EQ(requests.asked, url.isLocalFile() ? QStringList() : QStringList{site.url("flashmenu.xml").toString()});
        EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
    }
}

static std::string OutputTypeName(const testing::TestParamInfo<std::tuple<bool, int>> &info)
{
    static const char *const kinds[] = {"MenuOnly", "FramePages", "NonFramePages", "CdRom"};
    return std::string(std::get<0>(info.param) ? "Horizontal" : "Vertical") + kinds[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryOutputType, PlayerPublishedOutput,
                         testing::Combine(testing::Bool(), testing::Range(int(pkMenuOnly), int(pkCdRom) + 1)),
                         OutputTypeName);

// A title, a text and a main button that run past the design's right edge, on a dark page wider
// than the design: in every output type nothing of them is drawn past the edge, as a movie shows
// only its stage.
TEST_F(PlayerPublished, NothingIsDrawnPastTheDesignsEdge)
{
    DarkPageDesign();
    for (TFontInfo &font : design.FStoreOptions.Fonts)
        font.Color = 0xFFFFFF;
    design.FStoreOptions.TitleX = 900;
    design.FStoreOptions.TitleY = 5;
    design.FTitleOptions.Text = QStringLiteral("A title much too long for the room left to it");
    design.FStoreOptions.DescX = 930;
    design.FStoreOptions.DescY = 40;
    design.FDescOptions.Text = QStringLiteral("A line of text that runs on past the edge");
    design.FMenuX = 940;
    design.FMenuY = 80;
    for (int kind = 0; kind <= 3; ++kind) {
        SCOPED_TRACE(kind);
        const QString folder = outRoot.file(QStringLiteral("k%1").arg(kind));
        QDir().mkpath(folder);
        ASSERT_FALSE(publish(QStringLiteral("%1=-1").arg(kind), folder).isEmpty());
        const QString name = kind == pkFramePages || kind == pkNonFramePages ? "index.htm" : "flashmenu.htm";
        Browser b;
        b.view().resize(1280, 400);
        ASSERT_TRUE(b.load(folder + QLatin1Char('/') + name));
        // The design's background, drawn right of where it ends, marks that the menu is drawn.
        DesignShot d;
        ASSERT_TRUE(d.waitFor(b.view(), 1000));
        EXPECT_EQ(d.drawnPastTheEdge(), 0) << d.where();
    }
}

// A main button's focused look in a larger bold font makes the buttons grow and move along; the
// cut at the design's edge moves with them. The first button takes the focus from the keyboard.
TEST_F(PlayerPublished, NothingIsDrawnPastTheDesignsEdgeWhenAButtonIsFocused)
{
    DarkPageDesign();
    TXMLStoreOptions &look = design.FStoreOptions;
    look.BackgroundWidth = 700;
    look.BackgroundHeight = 150;
    look.MainActiveColor = 0x00FF00;
    look.MainActiveAlpha = 100;
    look.Fonts[fsMainActive].Size = 22;
    look.Fonts[fsMainActive].Bold = 1;
    design.FMenuX = 600;
    design.FMenuY = 60;
    ASSERT_FALSE(publish(QStringLiteral("0=-1"), out()).isEmpty());
    Browser b;
    b.view().resize(1280, 400);
    ASSERT_TRUE(b.load(out() + QStringLiteral("flashmenu.htm")));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    DesignShot d;
    ASSERT_TRUE(d.waitFor(b.view(), 690));
    ASSERT_EQ(d.drawnPastTheEdge(), 0) << d.where();

    b.press(Qt::Key_Tab);
    ASSERT_TRUE(b.waitFor(QStringLiteral("document.activeElement === document.querySelector('.tvnr-main')")));
    // Drawn once the focused button shows its own colour.
    ASSERT_TRUE(d.waitFor(b.view(), 690, [](const QImage &shot) {
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) == 0xFF00FF00u)
                    return true;
        return false;
    }));
    EXPECT_EQ(d.drawnPastTheEdge(), 0) << d.where();
}

// The sub-menus follow the disclosure pattern of site navigation: lists of links, which the button
// above says, by aria-expanded, are shown or hidden; nothing promises a menu's roles and keys.
TEST(Player, SubMenusAreListsOfLinksTheirButtonsDisclose)
{
    const QString xml = Description();
    PageFolder folder(true, &xml);
    Browser b;
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    const QString read = QStringLiteral(R"JS((function () {
      var nav = document.querySelector('nav');
      var links = Array.from(nav.querySelectorAll('a'));
      var sub = document.getElementById(links[1].getAttribute('aria-controls'));
      return {
        roles: Array.from(nav.querySelectorAll('[role], [aria-haspopup]')).map(function (e) { return e.outerHTML; }),
        listed: links.every(function (a) { return a.parentNode.nodeName === 'LI' && a.parentNode.parentNode.nodeName === 'UL'; }),
        expanded: links.map(function (a) { return a.getAttribute('aria-expanded'); }),
        controls: sub ? Array.from(sub.querySelectorAll(':scope > li > a')).map(function (a) { return a.textContent; }) : [],
        focus: document.activeElement ? document.activeElement.textContent : ''
      };
    })())JS");
    QJsonObject m = b.json(read);
    EXPECT_EQ(m.value("roles").toArray(), QJsonArray());
    EXPECT_TRUE(m.value("listed").toBool());
    EXPECT_EQ(m.value("expanded").toArray(), QJsonArray({QJsonValue(), "false", QJsonValue(), QJsonValue()}));
    EXPECT_EQ(m.value("controls").toArray(), QJsonArray({"Sub One", "Sub Two"}));

    // From the keyboard: the button that takes the focus shows its list, Escape hides it again.
    b.press(Qt::Key_Tab);
    b.press(Qt::Key_Tab);
    ASSERT_TRUE(b.waitFor(QStringLiteral("document.activeElement.textContent === 'Products'")));
    EXPECT_EQ(b.json(read).value("expanded").toArray(), QJsonArray({QJsonValue(), "true", QJsonValue(), QJsonValue()}));
    b.press(Qt::Key_Escape);
    ASSERT_TRUE(b.waitFor(QStringLiteral("document.activeElement.getAttribute('aria-expanded') === 'false'")));
    m = b.json(read);
    EXPECT_EQ(m.value("focus").toString(), "Products");
    EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
}

// A main entry with a sub-menu and no address of its own is a button that discloses it: Enter and
// Space show and hide the list, and the focus stays. Space on a link is left to the browser.
TEST(Player, AnEntryWithASubMenuAndNoAddressIsAButtonEnterAndSpaceToggle)
{
    QString xml = Description();
    xml.replace(QStringLiteral("<menu href=\"products.htm\""), QStringLiteral("<menu href=\"\""));
    PageFolder folder(true, &xml);
    Browser b;
    ASSERT_TRUE(b.load(folder.page));
    ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
    b.js(QStringLiteral("document.addEventListener('keydown', function (ev) {"
                        " if (ev.key === ' ') window.spaceLeft = !ev.defaultPrevented; });"));
    const QJsonObject dom = b.json(QStringLiteral(R"JS((function () {
      var mains = document.querySelectorAll('.tvnr-main'), sub = document.querySelector('.tvnr-submenu');
      var say = function (e) { return [e.nodeName, e.getAttribute('role'), e.getAttribute('href'), e.getAttribute('tabindex'),
                                       e.getAttribute('aria-expanded'), e.getAttribute('aria-controls')]; };
      return {home: say(mains[0]), products: say(mains[1]), sub: sub.id};
    })())JS"));
    const QJsonValue none;
    EXPECT_EQ(dom.value("home").toArray(), QJsonArray({"A", none, "index.htm?a=1&b=2", "0", none, none}));
    EXPECT_EQ(dom.value("products").toArray(), QJsonArray({"A", "button", none, "0", "false", dom.value("sub")}));

    b.press(Qt::Key_Tab);
    ASSERT_TRUE(b.waitFor(QStringLiteral("document.activeElement.textContent === 'Home & Garden'")));
    b.press(Qt::Key_Space);
    ASSERT_TRUE(b.waitFor(QStringLiteral("window.spaceLeft !== undefined")));
    EXPECT_TRUE(b.js(QStringLiteral("window.spaceLeft")).toBool());
    b.press(Qt::Key_Tab);
    const QString expanded = QStringLiteral("document.activeElement.textContent === 'Products'"
                                            " && document.activeElement.getAttribute('aria-expanded') === '%1'");
    ASSERT_TRUE(b.waitFor(expanded.arg(QStringLiteral("true"))));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        SCOPED_TRACE(key == Qt::Key_Space ? "Space" : "Enter");
        b.press(key);
        EXPECT_TRUE(b.waitFor(expanded.arg(QStringLiteral("false"))));
        b.press(key);
        EXPECT_TRUE(b.waitFor(expanded.arg(QStringLiteral("true"))));
    }
    EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
}

// A link focused from the keyboard shows a ring at least 2 px thick that contrasts 3:1 or more with
// what was there, whatever the design's colours: on a white and on a black design whose buttons
// and icon links look the same active as normal, drawn whole and, in a narrower window, at 0.8 of
// its size. The icon links stand in the design's corner.
TEST(Player, AFocusedLinkShowsARingOnAnyDesignAtEveryScale)
{
    for (const auto &[viewWidth, colour] : {std::pair{900, "FFFFFF"}, std::pair{900, "000000"},
                                            std::pair{560, "FFFFFF"}, std::pair{560, "000000"}}) {
        SCOPED_TRACE(QStringLiteral("%1 in a view %2 px wide").arg(QLatin1String(colour)).arg(viewWidth).toStdString());
        QString xml = Description();
        xml.replace(QRegularExpression(QStringLiteral(
                        "(<color id=\"(background|main_menu_normal|main_menu_active|sub_menu_normal|sub_menu_active)\")"
                        " value=\"0x[0-9A-F]{6}\" alpha=\"\\d+\"")),
                    QStringLiteral("\\1 value=\"0x%1\" alpha=\"100\"").arg(QLatin1String(colour)));
        xml.replace(QStringLiteral("\"icon_link_active\" value=\"0xFFFFFF\" alpha=\"40\""),
                    QStringLiteral("\"icon_link_active\" value=\"0xFFFFFF\" alpha=\"0\""));
        xml.replace(QStringLiteral("color=\"0xFFFF00\" bold=\"true\" italic=\"false\" underline=\"true\""),
                    QStringLiteral("color=\"0xFFFFFF\" bold=\"true\" italic=\"false\" underline=\"false\""));
        xml.replace(QStringLiteral("color=\"0x800000\" bold=\"false\" italic=\"false\""),
                    QStringLiteral("color=\"0x000080\" bold=\"false\" italic=\"true\""));
        xml.replace(QStringLiteral("<iconlink x=\"500\" y=\"10\" />"), QStringLiteral("<iconlink x=\"0\" y=\"0\" />"));
        xml.replace(QStringLiteral("</iconlink>\r\n<menubar>"),
                    QStringLiteral("<item id=\"2\" img=\"flashmenu\\home.jpg\" url=\"http://example.com/\" target=\"\""
                                   " active=\"1\" alpha=\"100\"><text><![CDATA[Home]]></text></item>\r\n</iconlink>\r\n<menubar>"));
        PageFolder folder(true, &xml);
        folder.dir.write(QStringLiteral("flashmenu/home.jpg"),
                         ReadFileBytes(ShippedDataDir() + QStringLiteral("Templates/IconLink/home.jpg")));
        Browser b;
        b.view().resize(viewWidth, 400);
        ASSERT_TRUE(b.load(folder.page));
        ASSERT_EQ(b.waitForMenu(), QStringLiteral("ready"));
        ASSERT_TRUE(b.waitFor(QStringLiteral("document.querySelector('.tvnr-stage').getBoundingClientRect().width === %1")
                                  .arg(std::min(viewWidth, 700))));
        const auto boxOf = [&](const QString &selector) {
            const QJsonObject r = b.json(QStringLiteral("(function(){var r=document.querySelector('%1').getBoundingClientRect();"
                                                        "return {l:r.left,t:r.top,r:r.right,b:r.bottom};})()").arg(selector));
            return QRect(QPoint(qRound(r.value("l").toDouble()), qRound(r.value("t").toDouble())),
                         QPoint(qRound(r.value("r").toDouble()) - 1, qRound(r.value("b").toDouble()) - 1));
        };
        // Nothing focused, once the icon's picture is drawn.
        ASSERT_TRUE(b.waitFor(QStringLiteral("(function(){var i=document.querySelector('.tvnr-icons img');"
                                             "return i.complete && i.naturalWidth > 0;})()")));
        const QRect icon = boxOf(QStringLiteral(".tvnr-icons a"));
        QImage before;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            before = b.view().grab().toImage().convertToFormat(QImage::Format_RGB32);
            return Contrast(before.pixel(icon.center()), before.pixel(icon.center().x(), icon.bottom() + 10)) > 1.5;
        }, 15000));
        // Tab goes to the icon link, then to the first main button, then to the second, which opens
        // its sub-menu, then into that.
        int width = 0;
        QImage shot;
        for (const char *selector : {".tvnr-icons a", ".tvnr-main", ".tvnr-item + .tvnr-item > .tvnr-main", ".tvnr-sub"}) {
            SCOPED_TRACE(selector);
            b.press(Qt::Key_Tab);
            ASSERT_TRUE(b.waitFor(QStringLiteral("document.activeElement === document.querySelector('%1')").arg(selector)));
            const QRect box = boxOf(QString::fromLatin1(selector));
            // The sub-entry is set against the open sub-menu as it was before.
            const QImage unfocused = QLatin1String(selector) == QLatin1String(".tvnr-sub") ? shot : before;
            const bool ringed = QTest::qWaitFor([&] {
                shot = b.view().grab().toImage().convertToFormat(QImage::Format_RGB32);
                width = FocusRingWidth(shot, unfocused, box);
                return width >= 2;
            }, 15000);
            ASSERT_TRUE(ringed) << "a ring of " << width << " px";
        }
        EXPECT_TRUE(b.page()->errors.isEmpty()) << b.page()->errors.join('\n').toStdString();
    }
}
