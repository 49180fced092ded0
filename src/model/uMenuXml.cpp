#include "uMenuXml.h"

#include "Conversions.h"
#include "FileWrite.h"
#include "Errors.h"
#include "Paths.h"
#include "TextEncoding.h"
#include "XmlDom.h"
#include "uDesign.h"
#include "uXMLUtils.h"
#include "uGlobal.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <optional>
#include <utility>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const char *const ColorIds[7] = {"background", "main_menu_normal", "main_menu_active", "sub_menu_normal",
                                 "sub_menu_active", "icon_link_normal", "icon_link_active"};
const char *const FontIds[6] = {"main_menu_normal", "main_menu_active", "sub_menu_normal",
                                "sub_menu_active", "title", "desc"};

int IndexOfId(const QString &id, const char *const *ids, int count)
{
    for (int i = 0; i < count; ++i)
        if (id == QLatin1String(ids[i]))
            return i;
    return -1;
}

QString Num(int32_t value) { return QString::number(value); }
QString Colour(int32_t rgb) { return QStringLiteral("0x") + IntToHex6(rgb); }
QString Flag(uint8_t value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

// Title and description go into CDATA unescaped; a "]]>" inside is split over two sections.
QString CdataText(QString text)
{
    return text.replace(QLatin1String("]]>"), QLatin1String("]]]]><![CDATA[>"));
}

// Span [start, end) of the demo block: "<demo" as a whole element name, the first "</demo>" after it,
// both before "<menufile" (a title or caption further down never counts).
std::optional<std::pair<int, int>> DemoSpan(const QString &text)
{
    int limit = text.indexOf(QLatin1String("<menufile"));
    if (limit < 0)
        limit = text.size();
    // Only what comes before <menufile> is looked at: a large menu's entries follow it.
    const QStringView head = QStringView(text).first(limit);
    int from = 0;
    int start;
    for (;;) {
        start = int(head.indexOf(QLatin1String("<demo"), from));
        if (start < 0 || start >= limit)
            return std::nullopt;
        const int next = start + 5;
        if (next >= text.size())
            return std::nullopt;
        const QChar c = text[next];
        if (c == QLatin1Char('>') || c == QLatin1Char('/') || c.unicode() <= 0x20)
            break;
        from = next;
    }
    const int close = int(head.indexOf(QLatin1String("</demo>"), start));
    if (close < 0 || close + 7 > limit)
        return std::nullopt;
    return std::make_pair(start, close + 7);
}

QByteArray ReadAll(const QString &fileName, bool *ok)
{
    QFile f(fileName);
    *ok = f.open(QIODevice::ReadOnly);
    return *ok ? f.readAll() : QByteArray();
}

QString DecodeUtf8(QByteArray bytes)
{
    while (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return QString::fromUtf8(bytes);
}

} // namespace

QString Mp3OnlyFileName(const QString &fileName)
{
    return ExtractFileExt(fileName) == QLatin1String(".mp3") ? fileName : QString();
}

QString EscapeCdataCaption(const QString &caption)
{
    return XmlEscapeAttribute(caption);
}

QString UnescapeCdataCaption(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const std::pair<QLatin1String, QChar> entities[] = {
        {QLatin1String("&amp;"), QLatin1Char('&')}, {QLatin1String("&lt;"), QLatin1Char('<')},
        {QLatin1String("&gt;"), QLatin1Char('>')}, {QLatin1String("&quot;"), QLatin1Char('"')}};
    QString out;
    out.reserve(text.size());
    const QStringView view(text);
    for (int i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == QLatin1Char('&')) {
            for (const auto &[entity, c] : entities)
                if (view.mid(i).startsWith(entity)) {
                    out += c;
                    i += int(entity.size());
                    replaced = true;
                    break;
                }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

QString ExtractDemoElement(const QString &fileName)
{
    bool ok;
    return DemoElementOf(ReadAll(fileName, &ok));
}

QString DemoElementOf(const QByteArray &fileBytes)
{
    const QString text = DecodeXmlText(fileBytes);
    const auto span = DemoSpan(text);
    if (!span)
        return QString();
    const QString block = text.mid(span->first, span->second - span->first);
    pugi::xml_document doc;
    return ParseXml(doc, block) ? block : QString();
}

QString BlankDemoElement(const QString &text)
{
    const auto span = DemoSpan(text);
    if (!span)
        return text;
    QString out = text;
    return out.replace(span->first + 5, span->second - span->first - 5, QLatin1String(" />"));
}

QString SpliceDemoText(const QString &text, const QString &block)
{
    if (TrimText(block).isEmpty())
        return text;
    int limit = text.indexOf(QLatin1String("<menufile"));
    if (limit < 0)
        limit = text.size();
    QLatin1String marker("<demo />");
    int at = text.indexOf(marker);
    if (at < 0 || at >= limit) {
        marker = QLatin1String("<demo/>");
        at = text.indexOf(marker);
    }
    if (at < 0 || at >= limit)
        return text;
    QString out = text;
    return out.replace(at, int(marker.size()), XmlTextWithoutForbidden(block));
}

void SpliceDemoElement(const QString &fileName, const QString &block)
{
    if (TrimText(block).isEmpty())
        return;
    bool ok;
    const QString text = DecodeUtf8(ReadAll(fileName, &ok));
    if (!ok)
        throw Exception(QStringLiteral("Cannot read the file \"%1\".").arg(fileName));
    const QString spliced = SpliceDemoText(text, block);
    if (spliced == text)
        return;
    if (!TryWriteFileWhole(fileName, QByteArray("\xEF\xBB\xBF") + spliced.toUtf8()))
        throw Exception(QStringLiteral("Cannot write the file \"%1\".").arg(fileName));
}

QString TMenuDesign::BuildMenuXml(bool reset, bool publishing, bool slashes)
{
    if (reset) {
        FMenuX = 190;
        FMenuY = 38;
        FLogoX = 40;
        FLogoY = 45;
        {
            TFlagGuard loading(FLoading, 1);
            Controls.BackgroundImage.clear();
            Controls.LogoImage = ExtractFileName(QStringLiteral("Images\\01.jpg"));
            Controls.RollOverSound = ExtractFileName(QStringLiteral("Sounds\\bip.mp3"));
            Controls.MenuTypeIndex = 0;
        }
        FTitleOptions.Text.clear();
        FDescOptions.Text.clear();
        FTitleOptions.Effect = 0;
        FDescOptions.Effect = 0;
    }
    auto esc = [](const QString &text) { return XmlEscapeAttribute(text); };
    auto file = [slashes](const QString &stored) { return SlashPath(XmlEscapeAttribute(stored), slashes); };
    const QString media = QStringLiteral("flashmenu\\");
    const TXMLStoreOptions &o = FStoreOptions;

    QString x;
    // Room for the whole text at once: its entries' own texts and each entry's fixed markup.
    qsizetype room = 4096 + FDemoBlock.size();
    for (int i = 0; i < FMenuEntryCount; ++i) {
        const TFlashMenuItem &e = FMenuEntries[size_t(i)];
        room += 64 + e.Href.size() + e.Target.size() + e.Caption.size();
    }
    x.reserve(room);
    x += QStringLiteral("<WebMenuOptions version=\"1.00\" type=\"%1\">").arg(IsHorizontal() ? "h" : "v") + CrLf;
    x += QStringLiteral("  ") + FDemoBlock
         + QStringLiteral(" <menufile src=\"%1\" id=\"%2\"/>")
               .arg(file(slashes ? QStringLiteral("flashmenu.swf") : CurrentMenuFileName),
                    esc(FileBaseName(CurrentMenuFileName)))
         + CrLf;
    x += QStringLiteral(" <design>") + CrLf;

    const int align = Controls.TextAlignIndex;
    const int size = Controls.ButtonSizeIndex;
    x += QStringLiteral(" <background src=\"%1\" alpha=\"%2\" width=\"%3\" height=\"%4\" /> ")
             .arg(file(media + Controls.BackgroundImage), Num(o.BackgroundAlpha), Num(o.BackgroundWidth),
                  Num(o.BackgroundHeight));
    // No size selected (a file gave another name): the first size, as a reset has it.
    x += QStringLiteral("<menubar x=\"%1\" y=\"%2\" space=\"%3\" buttontype=\"%4\" size=\"%5\" target=\"main\" align=\"%6\"/> ")
             .arg(Num(FMenuX), Num(FMenuY), Num(Controls.MenuSpacing), Num(Controls.MenuTypeIndex + 1),
                  ButtonSizeNames[size == 1 ? 1 : 0],
                  align == 0 ? QStringLiteral("Left") : align == 1 ? QStringLiteral("Center") : QStringLiteral("Right"));
    x += QStringLiteral("<iconlink x=\"%1\" y=\"%2\" />").arg(Num(FIconInfo.X), Num(FIconInfo.Y)) + CrLf;

    const std::pair<int32_t, int32_t> colours[7] = {
        {o.BackgroundColor, o.BackgroundColorAlpha},
        {o.MainNormalColor, o.MainNormalAlpha},
        {o.MainActiveColor, o.MainActiveAlpha},
        {o.SubNormalColor, o.SubNormalAlpha},
        {o.SubActiveColor, o.SubActiveAlpha},
        {SwapRedBlue(FIconInfo.NormalColor), FIconInfo.NormalAlpha},
        {SwapRedBlue(FIconInfo.ActiveColor), FIconInfo.ActiveAlpha},
    };
    for (int i = 0; i < 7; ++i)
        x += QStringLiteral("<color id=\"%1\" value=\"%2\" alpha=\"%3\" />%4")
                 .arg(QLatin1String(ColorIds[i]), Colour(colours[i].first), Num(colours[i].second),
                      i == 0 ? QStringLiteral(" ") : QString())
             + CrLf;
    for (int i = 0; i < 6; ++i) {
        const TFontInfo &f = o.Fonts[size_t(i)];
        x += QStringLiteral("<font id=\"%1\" face=\"%2\" size=\"%3\" color=\"%4\" bold=\"%5\" italic=\"%6\" underline=\"%7\" />")
                 .arg(QLatin1String(FontIds[i]), esc(f.Name), Num(f.Size), Colour(f.Color), Flag(f.Bold),
                      Flag(f.Italic), Flag(f.Underline))
             + CrLf;
    }
    x += QStringLiteral("<music x=\"%1\" y=\"%2\" />").arg(Num(o.MusicX), Num(o.MusicY)) + CrLf;
    x += QStringLiteral("</design>") + CrLf + QStringLiteral("<main>") + CrLf;
    x += QStringLiteral("<text id=\"title\" x=\"%1\" y=\"%2\"><text><![CDATA[%3]]></text></text>")
             .arg(Num(o.TitleX), Num(o.TitleY), CdataText(FTitleOptions.Text))
         + CrLf;
    x += QStringLiteral("<text id=\"desc\" x=\"%1\" y=\"%2\"><text><![CDATA[%3]]></text></text>")
             .arg(Num(o.DescX), Num(o.DescY), CdataText(FDescOptions.Text))
         + CrLf;
    x += QStringLiteral("<img id=\"logo\" src=\"%1\" x=\"%2\" y=\"%3\" />")
             .arg(file(media + Controls.LogoImage), Num(FLogoX), Num(FLogoY))
         + CrLf;
    QString sound = Mp3OnlyFileName(media + Controls.BackgroundSound);
    if (!publishing && Controls.MuteDuringDesign)
        sound.clear();
    x += QStringLiteral("<sound id=\"background\" src=\"%1\" volume=\"%2\"/>").arg(file(sound), Num(o.SoundVolume)) + CrLf;
    x += QStringLiteral("</main>") + CrLf + QStringLiteral("<iconlink>") + CrLf;
    for (int k = 1; k <= 4; ++k) {
        const TIconLinkItem &it = FIconInfo.Items[size_t(k - 1)];
        x += QStringLiteral("<item id=\"%1\" img=\"%2\" url=\"%3\" target=\"%4\" active=\"%5\" alpha=\"%6\"%7><text><![CDATA[%8]]></text></item>")
                 .arg(Num(k), file(it.Img), esc(it.Url), esc(it.Target), Num(it.Active), Num(it.Alpha),
                      k == 3 ? QStringLiteral(" ") : QString(), EscapeCdataCaption(it.Text))
             + CrLf;
    }
    x += QStringLiteral("</iconlink>") + CrLf + QStringLiteral("<menubar>") + CrLf;

    // Children by parent Id, in slot order. Only entries under a written entry are reached.
    QHash<int, std::vector<int>> children;
    for (int i = 1; i < FMenuEntryCount; ++i) {
        const TFlashMenuItem &e = FMenuEntries[size_t(i)];
        if (e.Id != -1 && e.ParentId != 0)
            children[e.ParentId].push_back(i);
    }
    // Appended piece by piece: a large menu has thousands of entries.
    auto open = [&](const TFlashMenuItem &e) {
        x += QLatin1String("<menu href=\"");
        AppendXmlEscaped(x, e.Href);
        x += QLatin1String("\" target=\"");
        AppendXmlEscaped(x, e.Target);
        x += QLatin1String("\"><text><![CDATA[");
        AppendXmlEscaped(x, e.Caption); // as EscapeCdataCaption
        x += QLatin1String("]]></text>");
    };
    static const std::vector<int> none;
    auto childrenOf = [&](int id) -> const std::vector<int> & {
        const auto it = children.constFind(id);
        return it == children.constEnd() ? none : *it;
    };
    // Written without recursion, so a deep chain of sub-entries cannot exhaust the stack.
    struct Frame {
        const std::vector<int> *kids;
        size_t next;
    };
    std::vector<Frame> stack;
    for (int i = 0; i < FMenuEntryCount; ++i) {
        const TFlashMenuItem &e = FMenuEntries[size_t(i)];
        if (e.Id == -1 || e.ParentId != 0 || TrimText(e.Caption).isEmpty())
            continue;
        open(e);
        x += CrLf;
        stack.push_back({&childrenOf(e.Id), 0});
        while (!stack.empty()) {
            Frame &top = stack.back();
            if (top.next < top.kids->size()) {
                const TFlashMenuItem &child = FMenuEntries[size_t((*top.kids)[top.next++])];
                open(child);
                stack.push_back({&childrenOf(child.Id), 0});
            } else {
                x += QLatin1String("</menu>\r\n");
                stack.pop_back();
            }
        }
    }
    x += QStringLiteral("</menubar>") + CrLf + QStringLiteral("</WebMenuOptions>");
    return x;
}

struct TMenuDesign::TParsedMenu {
    QString BackgroundSrc;
    int32_t BackgroundAlpha = 0, BackgroundWidth = 0, BackgroundHeight = 0;
    int32_t MenuX = 0, MenuY = 0;
    TMenuBarStyle Bar;
    int TextAlignIndex = 2;
    int32_t IconX = 0, IconY = 0;
    TDesignLook Look;
    int32_t MusicX = 0, MusicY = 0;
    int32_t TitleX = 0, TitleY = 0, DescX = 0, DescY = 0;
    QString Title, Desc;
    QString LogoSrc;
    int32_t LogoX = 0, LogoY = 0;
    QString SoundSrc;
    int32_t SoundVolume = 0;
    std::array<std::optional<TIconLinkItem>, 4> Items;
    struct Entry {
        QString Caption, Target, Href;
        std::vector<Entry> Subs;
    };
    std::vector<Entry> Menu;
};

namespace {

QString Attr(pugi::xml_node node, const char *name) { return GetNodeAttribute(node, QLatin1String(name)); }
int32_t IntAttr(pugi::xml_node node, const char *name) { return StrToInt(Attr(node, name)); }
int32_t IntAttrOr(pugi::xml_node node, const char *name, int32_t fallback)
{
    return StrToIntDef(Attr(node, name), fallback);
}
pugi::xml_node Child(pugi::xml_node node, const char *name) { return SelectChildNode(node, QLatin1String(name)); }

std::vector<pugi::xml_node> ElementChildren(pugi::xml_node node)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            out.push_back(c);
    return out;
}

// A menu element: caption from its first element child.
void ReadMenuEntry(pugi::xml_node node, QString &caption, QString &target, QString &href)
{
    href = Attr(node, "href");
    target = GetNodeAttributeDef(node, QStringLiteral("target"), QString());
    pugi::xml_node first = node.first_child();
    while (first && first.type() != pugi::node_element)
        first = first.next_sibling();
    caption = first ? UnescapeCdataCaption(XmlNodeText(first)) : QString();
}

} // namespace

TMenuBarStyle ReadMenuBarStyle(pugi::xml_node menubar)
{
    TMenuBarStyle style;
    style.Spacing = IntAttrOr(menubar, "space", 0);
    const int32_t type = IntAttrOr(menubar, "buttontype", -1);
    style.MenuTypeIndex = type > 3 ? 2 : type < 1 ? -1 : type - 1;
    const QString size = Attr(menubar, "size");
    style.ButtonSizeIndex = size == ButtonSizeNames[0] ? 0 : size == ButtonSizeNames[1] ? 1 : -1;
    return style;
}

void ApplyMenuBarStyle(TMenuDesign &design, const TMenuBarStyle &style)
{
    design.Controls.MenuSpacing = std::clamp(style.Spacing, 0, 100); // the track bar's range
    design.Controls.MenuTypeIndex = style.MenuTypeIndex;
    design.Controls.ButtonSizeIndex = style.ButtonSizeIndex;
}

TDesignLook ReadDesignLook(pugi::xml_node design, TLookSource source)
{
    const bool fromTemplate = source == TLookSource::TemplateDesign;
    // Template designs may name their colours; the menu description holds numbers only.
    auto colour = [fromTemplate](pugi::xml_node node, const char *name) {
        return fromTemplate ? StringToColor(Attr(node, name)) : IntAttr(node, name);
    };
    TDesignLook look;
    for (pugi::xml_node c : SelectChildNodes(design, QStringLiteral("color"))) {
        const int i = IndexOfId(Attr(c, "id"), ColorIds, 7);
        if (i < 0 || (fromTemplate && i == 0))
            continue;
        const int32_t value = colour(c, "value");
        look.Colours[size_t(i)] = std::make_pair(value, IntAttr(c, "alpha"));
    }
    for (pugi::xml_node f : SelectChildNodes(design, QStringLiteral("font"))) {
        const int i = IndexOfId(Attr(f, "id"), FontIds, fromTemplate ? 4 : 6);
        if (i < 0)
            continue;
        TFontInfo info;
        info.Name = Attr(f, "face");
        info.Size = IntAttr(f, "size");
        info.Color = colour(f, "color");
        info.Bold = TextToBool(Attr(f, "bold")) ? 1 : 0;
        info.Italic = TextToBool(Attr(f, "italic")) ? 1 : 0;
        info.Underline = TextToBool(Attr(f, "underline")) ? 1 : 0;
        look.Fonts[size_t(i)] = info;
    }
    return look;
}

void ApplyDesignLook(TMenuDesign &design, const TDesignLook &look)
{
    TXMLStoreOptions &o = design.FStoreOptions;
    TXMLICONInfo &icons = design.FIconInfo;
    std::pair<int32_t *, int32_t *> stored[5] = {
        {&o.BackgroundColor, &o.BackgroundColorAlpha}, {&o.MainNormalColor, &o.MainNormalAlpha},
        {&o.MainActiveColor, &o.MainActiveAlpha},      {&o.SubNormalColor, &o.SubNormalAlpha},
        {&o.SubActiveColor, &o.SubActiveAlpha}};
    for (int i = 0; i < 7; ++i) {
        if (!look.Colours[size_t(i)])
            continue;
        const auto [value, alpha] = *look.Colours[size_t(i)];
        if (i < 5) {
            *stored[i].first = value;
            *stored[i].second = alpha;
            if (i >= 1) {
                design.FButtonOptions[size_t(i - 1)].BackColor = SwapRedBlue(value);
                design.FButtonOptions[size_t(i - 1)].Alpha = alpha;
            }
        } else if (i == 5) {
            icons.NormalColor = SwapRedBlue(value);
            icons.NormalAlpha = alpha;
        } else {
            icons.ActiveColor = SwapRedBlue(value);
            icons.ActiveAlpha = alpha;
        }
    }
    for (int i = 0; i < 6; ++i) {
        if (!look.Fonts[size_t(i)])
            continue;
        o.Fonts[size_t(i)] = *look.Fonts[size_t(i)];
        TFontValue &font = i < 4    ? design.FButtonOptions[size_t(i)].Font
                           : i == 4 ? design.FTitleOptions.Font
                                    : design.FDescOptions.Font;
        ApplyFontRecord(font, o.Fonts[size_t(i)]);
    }
}

TMenuDesign::TParsedMenu TMenuDesign::ParseMenuXml(const QString &text) const
{
    pugi::xml_document doc;
    QString reason;
    if (!ParseXml(doc, text, &reason))
        throw Exception(reason);
    TParsedMenu p;
    const pugi::xml_node root = doc.document_element();
    Child(root, "menufile");
    const pugi::xml_node design = Child(root, "design");
    const pugi::xml_node main = Child(root, "main");
    const pugi::xml_node iconlink = Child(root, "iconlink");
    const pugi::xml_node menubar = Child(root, "menubar");

    const pugi::xml_node background = Child(design, "background");
    p.BackgroundSrc = Attr(background, "src");
    p.BackgroundAlpha = IntAttr(background, "alpha");
    p.BackgroundWidth = IntAttr(background, "width");
    p.BackgroundHeight = IntAttr(background, "height");

    const pugi::xml_node bar = Child(design, "menubar");
    p.MenuX = IntAttrOr(bar, "x", 0);
    p.MenuY = IntAttrOr(bar, "y", 0);
    p.Bar = ReadMenuBarStyle(bar);
    const QString align = GetNodeAttributeDef(bar, QStringLiteral("align"), QStringLiteral("right"));
    p.TextAlignIndex = align.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0     ? 0
                       : align.compare(QLatin1String("center"), Qt::CaseInsensitive) == 0 ? 1
                                                                                           : 2;

    const pugi::xml_node bar2 = Child(design, "iconlink");
    p.IconX = IntAttr(bar2, "x");
    p.IconY = IntAttr(bar2, "y");

    p.Look = ReadDesignLook(design, TLookSource::MenuDescription);
    if (const pugi::xml_node music = SelectNodeOrNil(design, QStringLiteral("music"))) {
        p.MusicX = IntAttr(music, "x");
        p.MusicY = IntAttr(music, "y");
    }

    const std::vector<pugi::xml_node> texts = SelectChildNodes(main, QStringLiteral("text"));
    if (texts.size() < 2)
        throw Exception(QStringLiteral("Element \"main\" has no node \"text\"."));
    p.TitleX = IntAttr(texts[0], "x");
    p.TitleY = IntAttr(texts[0], "y");
    p.Title = XmlNodeText(Child(texts[0], "text"));
    p.DescX = IntAttr(texts[1], "x");
    p.DescY = IntAttr(texts[1], "y");
    p.Desc = XmlNodeText(Child(texts[1], "text"));

    // The logo and the sound are the third and fourth element of main, whatever their names.
    const std::vector<pugi::xml_node> parts = ElementChildren(main);
    if (parts.size() < 3)
        throw Exception(QStringLiteral("Element \"main\" has no node \"img\"."));
    p.LogoSrc = Attr(parts[2], "src");
    p.LogoX = IntAttrOr(parts[2], "x", 0);
    p.LogoY = IntAttrOr(parts[2], "y", 0);
    if (parts.size() < 4)
        throw Exception(QStringLiteral("Element \"main\" has no node \"sound\"."));
    p.SoundSrc = Attr(parts[3], "src");
    p.SoundVolume = IntAttr(parts[3], "volume");

    for (pugi::xml_node item : SelectChildNodes(iconlink, QStringLiteral("item"))) {
        const int32_t id = IntAttr(item, "id");
        if (id < 1 || id > 4)
            continue;
        TIconLinkItem it;
        it.Id = id;
        it.Img = Attr(item, "img");
        it.Url = Attr(item, "url");
        it.Target = Attr(item, "target");
        it.Active = uint8_t(IntAttr(item, "active") & 0xFF);
        it.Alpha = StrToInt(GetNodeAttributeDef(item, QStringLiteral("alpha"), QStringLiteral("100")));
        it.Text = UnescapeCdataCaption(XmlNodeText(Child(item, "text")));
        p.Items[size_t(id - 1)] = it;
    }

    // Slot 0 stays free and every entry takes one slot of its own.
    size_t entries = 0;
    for (pugi::xml_node m : ElementChildren(menubar)) {
        TParsedMenu::Entry e;
        ReadMenuEntry(m, e.Caption, e.Target, e.Href);
        for (pugi::xml_node s : SelectChildNodes(m, QStringLiteral("menu"))) {
            TParsedMenu::Entry sub;
            ReadMenuEntry(s, sub.Caption, sub.Target, sub.Href);
            e.Subs.push_back(std::move(sub));
        }
        entries += 1 + e.Subs.size();
        if (entries > size_t(MenuTableSize - 1))
            throw Exception(QStringLiteral("The menu has more entries than the designer can hold (%1).")
                                .arg(MenuTableSize - 1));
        p.Menu.push_back(std::move(e));
    }
    return p;
}

void TMenuDesign::ApplyParsedMenu(const TParsedMenu &p)
{
    TXMLStoreOptions &o = FStoreOptions;
    Controls.BackgroundImage = ExtractFileName(p.BackgroundSrc);
    o.BackgroundAlpha = p.BackgroundAlpha;
    o.BackgroundWidth = p.BackgroundWidth;
    FHost->ComputeMenuAreaWidth();
    o.BackgroundHeight = p.BackgroundHeight;
    FHost->ComputeMenuAreaHeight();
    FHost->RebuildMenuToolbar();

    FMenuX = p.MenuX;
    FMenuY = p.MenuY;
    FHost->ShowMenuPosition(FMenuX, FMenuY);
    ApplyMenuBarStyle(*this, p.Bar);
    Controls.TextAlignIndex = p.TextAlignIndex;
    FIconInfo.X = p.IconX;
    FIconInfo.Y = p.IconY;

    ApplyDesignLook(*this, p.Look);
    o.MusicX = p.MusicX;
    o.MusicY = p.MusicY;
    o.TitleX = p.TitleX;
    o.TitleY = p.TitleY;
    FTitleOptions.Text = p.Title;
    Controls.Title = p.Title;
    o.DescX = p.DescX;
    o.DescY = p.DescY;
    FDescOptions.Text = p.Desc;
    Controls.Baseline = p.Desc;
    Controls.LogoImage = ExtractFileName(p.LogoSrc);
    FLogoX = p.LogoX;
    FLogoY = p.LogoY;
    Controls.BackgroundSound = ExtractFileName(p.SoundSrc);
    o.SoundVolume = p.SoundVolume;
    for (size_t i = 0; i < 4; ++i)
        if (p.Items[i])
            FIconInfo.Items[i] = *p.Items[i];

    for (int i = 0; i < FMenuEntryCount; ++i) {
        FMenuEntries[size_t(i)].Id = -1;
        FMenuEntries[size_t(i)].OnToolbar = 0;
    }
    FHost->ClearMainMenuButtons();
    FMenuEntryCount = 1;
    for (const TParsedMenu::Entry &e : p.Menu) {
        const int id = AppendEntry(0, e.Caption, e.Target, e.Href);
        for (const TParsedMenu::Entry &s : e.Subs)
            AppendEntry(id, s.Caption, s.Target, s.Href);
    }
}

void TMenuDesign::ReadMenuXml(const QString &text)
{
    TFlagGuard loading(FLoading, 1);
    FReadingXml = 1;
    try {
        // Parsed whole before anything changes: a failed read leaves no half-applied design behind.
        const TParsedMenu parsed = ParseMenuXml(text);
        ApplyParsedMenu(parsed);
    } catch (...) {
        FReadingXml = 0;
        if (!FResettingToBlank) {
            ResetToBlankProject();
            loading.Keep(); // the blank project's loading state stands
        }
        throw;
    }
    FReadingXml = 0;
    FHost->UpdateInterface(0);
}

QString TMenuDesign::LoadPreviewMenuXml(const QString &folder)
{
    const QString dir = folder.isEmpty() ? ProgramPath(QStringLiteral("MenuPreview\\")) : folder;
    const QString fileName = WithSlash(dir) + QStringLiteral("flashmenu.xml");
    bool ok;
    const QByteArray bytes = ReadAll(fileName, &ok);
    if (!ok)
        throw Exception(QStringLiteral("Cannot read the file \"%1\".").arg(fileName));
    pugi::xml_document doc;
    QString reason;
    if (!ParseXmlBytes(doc, bytes, &reason))
        throw Exception(QStringLiteral("%1\r\n%2").arg(fileName, reason));
    NoteLoadedMenuXml(doc, bytes);
    return XmlSerialize(doc);
}

void TMenuDesign::NoteLoadedMenuXml(const pugi::xml_document &doc, const QByteArray &bytes)
{
    const pugi::xml_attribute first = doc.document_element().first_attribute();
    const pugi::xml_attribute second = first ? first.next_attribute() : pugi::xml_attribute();
    LoadedMenuType = second && QStr(second.value()).toLower() == QLatin1String("v") ? QStringLiteral("v")
                                                                                   : QStringLiteral("h");
    FDemoBlock = DemoElementOf(bytes);
}
