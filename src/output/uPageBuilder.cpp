#include "uPageBuilder.h"

#include "Conversions.h"
#include "Errors.h"
#include "Messages.h"
#include "Paths.h"
#include "XmlDom.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringMatcher>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using Replacements = std::vector<std::pair<QString, QString>>;

// Far above any real page. Page options may hold later placeholders, so a small options file
// could otherwise multiply a page into gigabytes.
constexpr qsizetype MaxPageSize = qsizetype(64) << 20;

// One replacement after the other: each covers every occurrence, and later ones also see what
// earlier ones inserted. Each is one pass over the page (two when it lengthens it: the first finds
// whether the result stays under the cap), so the time stays linear in the page however many
// occurrences inserted values have multiplied into. A replacement that does not lengthen the page
// works in place, and a longer page is built in a buffer kept from step to step, so a large page
// touches fresh memory as seldom as it can.
void FillPlaceholders(QString &page, const Replacements &steps)
{
    QString scratch;
    for (const auto &[placeholder, value] : steps) {
        const QStringMatcher matcher(placeholder, Qt::CaseSensitive);
        const qsizetype size = placeholder.size();
        const qsizetype growth = value.size() - size;
        if (growth <= 0) {
            // What is written never passes what is still to be read.
            QChar *d = page.data();
            const QStringView text(d, page.size());
            qsizetype write = 0, from = 0;
            auto keep = [&](qsizetype end) {
                if (write != from)
                    memmove(static_cast<void *>(d + write), d + from, size_t(end - from) * sizeof(QChar));
                write += end - from;
            };
            for (qsizetype at = matcher.indexIn(text); at >= 0; at = matcher.indexIn(text, from)) {
                keep(at);
                memcpy(static_cast<void *>(d + write), value.constData(), size_t(value.size()) * sizeof(QChar));
                write += value.size();
                from = at + size;
            }
            keep(text.size());
            page.truncate(write);
            continue;
        }
        qsizetype count = 0;
        for (qsizetype at = matcher.indexIn(page); at >= 0; at = matcher.indexIn(page, at + size))
            ++count;
        if (count == 0)
            continue;
        if (count > (MaxPageSize - page.size()) / growth)
            throw Exception(QStringLiteral("The page made from the template would be larger than %1 characters.")
                                .arg(MaxPageSize));
        scratch.resize(0); // keeps the buffer
        scratch.reserve(page.size() + count * growth);
        const QStringView text(page);
        qsizetype from = 0;
        for (qsizetype at = matcher.indexIn(text); at >= 0; at = matcher.indexIn(text, from)) {
            scratch += text.sliced(from, at - from);
            scratch += value;
            from = at + size;
        }
        scratch += text.sliced(from);
        page.swap(scratch);
    }
}

const QString MenuFrameTag =
    QStringLiteral("<frame name=\"main\" scrolling=\"NO\" noresize src=\"%HTML_FILE_NAME%\">");
const QString ContentFrameTag = QStringLiteral("<frame name=\"mainFrame\" src=\"mainbody.htm\">");

QString ReadPageOptionValue(const pugi::xml_node &root, const char *path)
{
    return QStr(root.first_element_by_path(path).attribute("value").value());
}

TPageOptionValues ValuesFromDocument(const pugi::xml_document &doc)
{
    TPageOptionValues v;
    QStringList keys;
    for (int n = 1; n <= 12; ++n) {
        const QByteArray path = "/template/key" + QByteArray::number(n);
        const QString key = ReadPageOptionValue(doc, path.constData());
        if (!key.isEmpty())
            keys << key;
    }
    v.Keywords = keys.join(QStringLiteral(", "));

    const pugi::xml_attribute color = doc.first_element_by_path("/template/bgcolor").attribute("value");
    if (color) {
        const uint32_t number = uint32_t(StrToInt(QStr(color.value())));
        v.Color = QStringLiteral("%1").arg(number, 6, 16, QLatin1Char('0')).toUpper();
    }
    v.Title = ReadPageOptionValue(doc, "/template/sitetitle");
    v.Description = XmlNodeText(doc.first_element_by_path("/template/description/text"));
    return v;
}

// The placeholders every page fills from the page options, in the order the pages share.
Replacements OptionSteps(const TPageOptionValues &v)
{
    return {
        {QStringLiteral("%HTML_CHARSET%"), QStringLiteral("UTF-8")},
        {QStringLiteral("%HTML_TITLE%"), HtmlEscapeText(v.Title)},
        {QStringLiteral("%HTML_DESCRIPTION%"), HtmlEscapeText(v.Description)},
        {QStringLiteral("%HTML_KEYWORDS%"), HtmlEscapeText(v.Keywords)},
        {QStringLiteral("%HTML_COLOR%"), v.Color},
    };
}

QString ScrollValue(bool scroll) { return scroll ? QString() : QStringLiteral("scroll=\"no\""); }

Replacements ScriptSteps(const TTemplateEnv &env, bool horizontal)
{
    const bool on = env.UseActiveContentJS;
    return {
        {QStringLiteral("%HTML_MENU_SCRIPT%"), on ? LoadMenuScript(env.ProgramFolder, horizontal) : QString()},
        {QStringLiteral("%HTML_NOSCRIPT_OPEN%"), on ? QStringLiteral("<noscript>") : QString()},
        {QStringLiteral("%HTML_NOSCRIPT_CLOSE%"), on ? QStringLiteral("</noscript>") : QString()},
    };
}

QString MissingTemplateText(const QString &name)
{
    return QStringLiteral("File \"%1\" is not found.").arg(name);
}

QString ReadPageTemplate(const TTemplateEnv &env, bool horizontal, const QString &name, const QString &missingText)
{
    const QString path = FindPageTemplate(env.ProgramFolder, horizontal, name);
    if (path.isEmpty())
        throw Exception(missingText);
    return ReadUtf8File(path);
}

QString ReadMenuTemplate(const TTemplateEnv &env, bool horizontal)
{
    const QString name = QStringLiteral("Template.htm");
    return ReadPageTemplate(env, horizontal, name,
                            LangMsg(47) + QStringLiteral(" \"") + name + QStringLiteral("\" ") + LangMsg(48));
}

// The menu page; the two builders differ only in which of width and height is filled first.
QString FillMenuPage(const TTemplateEnv &env, const TPageOptionValues &v, const QString &movieName,
                     const QString &width, const QString &height, bool scroll, bool horizontal, bool widthFirst)
{
    QString page = ReadMenuTemplate(env, horizontal);
    Replacements steps = ScriptSteps(env, horizontal);
    steps.insert(steps.begin() + 1, {QStringLiteral("%SCROLL%"), ScrollValue(scroll)});
    for (auto &s : OptionSteps(v))
        steps.push_back(std::move(s));
    std::pair<QString, QString> w{QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%"), width};
    std::pair<QString, QString> h{QStringLiteral("%HTML_HEIGHT_FOR_FLASH_MENU%"), height};
    if (widthFirst) {
        steps.push_back(w);
        steps.push_back(h);
    } else {
        steps.push_back(h);
        steps.push_back(w);
    }
    steps.push_back({QStringLiteral("%HTML_FLASH_FILE_NAME%"), HtmlEscapeText(movieName)});
    FillPlaceholders(page, steps);
    return page;
}

} // namespace

TPageOptionValues ReadPageOptionValues(pugi::xml_document &doc, const QString &optionsText)
{
    if (!ParseXml(doc, optionsText))
        return TPageOptionValues();
    return ValuesFromDocument(doc);
}

TPageOptionValues ReadPageOptionValues(const QString &optionsText)
{
    pugi::xml_document doc;
    return ReadPageOptionValues(doc, optionsText);
}

QString OrientationFolder(bool horizontal, const QString &subPath)
{
    return (horizontal ? QStringLiteral("Horizontal\\") : QStringLiteral("Vertical\\")) + subPath;
}

QByteArray Utf8WithBom(const QString &text)
{
    const QStringView body = text.startsWith(QChar(0xFEFF)) ? QStringView(text).mid(1) : QStringView(text);
    return QByteArray("\xEF\xBB\xBF") + body.toUtf8();
}

QString DecodeUtf8Text(const QByteArray &bytes)
{
    // One leading mark is dropped; invalid and cut-off sequences become U+FFFD (a stateful decoder
    // would hold back a cut-off end and give nothing for it).
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

QString ReadUtf8File(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(path, f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Exception(QStringLiteral("Cannot read file \"%1\". %2").arg(path, f.errorString()));
    return DecodeUtf8Text(bytes);
}

QString HtmlEscapeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case u'\'': out += QLatin1String("&#39;"); break;
        default: out += c;
        }
    }
    return out;
}

QString CutPageBody(const QString &text)
{
    const QString open = QStringLiteral("<!--BODY-->");
    const qsizetype start = text.indexOf(open);
    const qsizetype end = text.indexOf(QStringLiteral("<!--/BODY-->"));
    if (start < 0 || end < 0)
        return text;
    const qsizetype from = start + open.size();
    return end <= from ? QString() : text.mid(from, end - from);
}

QString FindPageTemplate(const QString &programFolder, bool horizontal, const QString &name)
{
    return FindTemplateFile(programFolder, QStringLiteral("Templates\\") + OrientationFolder(horizontal, QStringLiteral("HTML\\")) + name);
}

QString LoadMenuScript(const QString &programFolder, bool horizontal)
{
    const QString name = QStringLiteral("MenuScript.htm");
    const QString path = FindPageTemplate(programFolder, horizontal, name);
    if (path.isEmpty())
        return QStringLiteral("(Error: File \"%1\" not found.)").arg(name);
    return ReadUtf8File(path);
}

QString BuildTemplatePage(const TTemplateEnv &env, const QString &optionsText, const QString &movieName,
                          int width, int height, bool scroll, bool horizontal, bool fit)
{
    const TPageOptionValues v = ReadPageOptionValues(optionsText);
    const QString full = QStringLiteral("100%");
    const QString w = horizontal && fit ? full : QString::number(width);
    const QString h = !horizontal && fit ? full : QString::number(height);
    return FillMenuPage(env, v, movieName, w, h, scroll, horizontal, false);
}

QString BuildTemplatePageFromDoc(const TTemplateEnv &env, pugi::xml_document &doc, const QString &optionsText,
                                 const QString &movieName, bool horizontal, bool scroll, int width, int height)
{
    const TPageOptionValues v = ReadPageOptionValues(doc, optionsText);
    return FillMenuPage(env, v, movieName, QString::number(width), QString::number(height), scroll, horizontal, true);
}

QString BuildFramePage(const TTemplateEnv &env, const QString &optionsText, bool scroll, bool horizontal,
                       int menuWidth, int menuSide)
{
    const TPageOptionValues v = ReadPageOptionValues(optionsText);
    const QString name = QStringLiteral("TemplateFrame.htm");
    QString page = ReadPageTemplate(env, horizontal, name, MissingTemplateText(name));

    Replacements steps{{QStringLiteral("%SCROLL%"), ScrollValue(scroll)}};
    for (auto &s : OptionSteps(v))
        steps.push_back(std::move(s));
    for (auto &s : ScriptSteps(env, horizontal))
        steps.push_back(std::move(s));

    const QString width = QString::number(menuWidth);
    const QString rest = QStringLiteral("*");
    if (menuSide == 1) {
        steps.push_back({QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU_RIGHT%"), width});
        steps.push_back({QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%"), rest});
        steps.push_back({QStringLiteral("%HTML_FRAME_LEFT%"), ContentFrameTag});
        steps.push_back({QStringLiteral("%HTML_FRAME_RIGHT%"), MenuFrameTag});
    } else {
        steps.push_back({QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU%"), width});
        steps.push_back({QStringLiteral("%HTML_WIDTH_FOR_FLASH_MENU_RIGHT%"), rest});
        steps.push_back({QStringLiteral("%HTML_FRAME_RIGHT%"), ContentFrameTag});
        steps.push_back({QStringLiteral("%HTML_FRAME_LEFT%"), MenuFrameTag});
    }
    steps.push_back({QStringLiteral("%HTML_FILE_NAME%"), MenuPageFileName});
    FillPlaceholders(page, steps);
    return page;
}

QString BuildNonFramePage(const TTemplateEnv &env, const QString &optionsText, const QString &menuBody,
                          const QString &contentBody, int menuSide, bool horizontal, bool scroll)
{
    const TPageOptionValues v = ReadPageOptionValues(optionsText);
    const QString name = QStringLiteral("TemplateNonFrame.htm");
    QString page = ReadPageTemplate(env, horizontal, name, MissingTemplateText(name));

    Replacements steps{{QStringLiteral("%SCROLL%"), ScrollValue(scroll)}};
    for (auto &s : OptionSteps(v))
        steps.push_back(std::move(s));
    const bool right = menuSide == 1;
    steps.push_back({QStringLiteral("%CONTENT_FRAME_MENU_HTML%"), right ? contentBody : menuBody});
    steps.push_back({QStringLiteral("%CONTENT_MENU_BODY_HTML%"), right ? menuBody : contentBody});
    FillPlaceholders(page, steps);
    return page;
}
