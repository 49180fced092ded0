#include "uPreview.h"

#include "BrowserPane.h"
#include "Conversions.h"
#include "Errors.h"
#include "FileWrite.h"
#include "Paths.h"
#include "XmlDom.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uHtmlOptions.h"
#include "uMenuXml.h"
#include "uPageBuilder.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace {

const QString MenuXmlName = QStringLiteral("flashmenu.xml");
const QString ScriptName = QStringLiteral("AC_RunActiveContent.js");

} // namespace

const QString MenuXmlScriptName = QStringLiteral("flashmenu.xml.js");

namespace {

constexpr char ScriptHead[] = "window.TvnrMenuXml = \"";
constexpr char ScriptTail[] = "\";\n";

// One UTF-16 unit of the text as the script writes it.
char *PutScriptUnit(char *p, char16_t u)
{
    static constexpr char Hex[] = "0123456789abcdef";
    if (u == '\\' || u == '"') {
        *p++ = '\\';
        *p++ = char(u);
    } else if (u == '\n') {
        *p++ = '\\';
        *p++ = 'n';
    } else if (u == '\r') {
        *p++ = '\\';
        *p++ = 'r';
    // "<" and ">" escaped too, so no "</script>" or "<!--" can appear in the file.
    } else if (u >= 0x20 && u < 0x7F && u != '<' && u != '>') {
        *p++ = char(u);
    } else {
        *p++ = '\\';
        *p++ = 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
            *p++ = Hex[(u >> shift) & 0xF];
    }
    return p;
}

// The script form of each ASCII unit, worked out once: nearly every byte of a description is one.
struct TAsciiForms {
    char text[128][6];
    unsigned char size[128];
};

const TAsciiForms &AsciiForms()
{
    static const TAsciiForms forms = [] {
        TAsciiForms f{};
        for (char16_t u = 0; u < 128; ++u)
            f.size[u] = static_cast<unsigned char>(PutScriptUnit(f.text[u], u) - f.text[u]);
        return f;
    }();
    return forms;
}

// The code point of the well-formed UTF-8 sequence at s (n bytes left) and its length; 0 for a
// sequence that is not, and for noncharacters, whose decoding is left to the toolkit.
int DecodeUtf8Char(const unsigned char *s, qsizetype n, char32_t &c)
{
    const auto tail = [&](int count, char32_t lead, unsigned char lo, unsigned char hi) {
        if (n < count + 1 || s[1] < lo || s[1] > hi)
            return 0;
        c = lead;
        for (int i = 1; i <= count; ++i) {
            if ((s[i] & 0xC0) != 0x80)
                return 0;
            c = (c << 6) | (s[i] & 0x3F);
        }
        if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE)
            return 0;
        return count + 1;
    };
    const unsigned char b = s[0];
    if (b >= 0xC2 && b <= 0xDF)
        return tail(1, b & 0x1F, 0x80, 0xBF);
    if (b == 0xE0)
        return tail(2, 0, 0xA0, 0xBF);
    if (b == 0xED)
        return tail(2, 0xD, 0x80, 0x9F);
    if (b >= 0xE1 && b <= 0xEF)
        return tail(2, b & 0x0F, 0x80, 0xBF);
    if (b == 0xF0)
        return tail(3, 0, 0x90, 0xBF);
    if (b >= 0xF1 && b <= 0xF3)
        return tail(3, b & 0x07, 0x80, 0xBF);
    if (b == 0xF4)
        return tail(3, 4, 0x80, 0x8F);
    return 0;
}

} // namespace

QByteArray MenuXmlScript(const QByteArray &xmlBytes)
{
    // Written in place into room for the longest form (six bytes a unit, a unit from at least one
    // byte), then cut to size: the description of a large menu is hundreds of thousands of bytes.
    QByteArray out(qsizetype(sizeof ScriptHead + sizeof ScriptTail) + xmlBytes.size() * 6, Qt::Uninitialized);
    char *p = std::copy_n(ScriptHead, sizeof ScriptHead - 1, out.data());
    char *const body = p;
    // Read straight from the bytes; a text that is not plain well-formed UTF-8 is decoded by the
    // toolkit instead, so every text comes out as its decoding gives it.
    const auto *s = reinterpret_cast<const unsigned char *>(xmlBytes.constData());
    qsizetype n = xmlBytes.size();
    if (n >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF) { // a leading byte-order mark is no part of the text
        s += 3;
        n -= 3;
    }
    bool decoded = true;
    const TAsciiForms &ascii = AsciiForms();
    while (n > 0) {
        if (*s < 0x80) {
            // Always six bytes copied, as there is room for them; the form's own length kept.
            std::memcpy(p, ascii.text[*s], 6);
            p += ascii.size[*s++];
            --n;
            continue;
        }
        char32_t c;
        const int len = DecodeUtf8Char(s, n, c);
        if (len == 0) {
            decoded = false;
            break;
        }
        if (c >= 0x10000) {
            p = PutScriptUnit(p, char16_t(0xD800 + ((c - 0x10000) >> 10)));
            p = PutScriptUnit(p, char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            p = PutScriptUnit(p, char16_t(c));
        }
        s += len;
        n -= len;
    }
    if (!decoded) {
        p = body;
        for (const QChar c : QString::fromUtf8(xmlBytes))
            p = PutScriptUnit(p, c.unicode());
    }
    p = std::copy_n(ScriptTail, sizeof ScriptTail - 1, p);
    out.truncate(p - out.constData());
    return out;
}

void WriteMenuXmlFiles(const QString &folder, const QByteArray &xmlBytes, FileSync sync)
{
    WriteMenuXmlFiles(folder, xmlBytes, MenuXmlScript(xmlBytes), sync);
}

void WriteMenuXmlFiles(const QString &folder, const QByteArray &xmlBytes, const QByteArray &script, FileSync sync)
{
    WriteFileWhole(WithSlash(folder) + MenuXmlName, xmlBytes, sync);
    WriteFileWhole(WithSlash(folder) + MenuXmlScriptName, script, sync);
}

QByteArray MenuXmlFileBytes(const QString &text, const QString &demoBlock, pugi::xml_document *parsed)
{
    pugi::xml_document own;
    pugi::xml_document &doc = parsed ? *parsed : own;
    QString reason;
    if (!ParseXml(doc, BlankDemoElement(text), &reason))
        throw Exception(QStringLiteral("XML format is incorrect.") + QLatin1Char(' ') + reason);
    // One write of the final text, so the old file is replaced only by a whole new one.
    const QByteArray saved = XmlDocumentBytes(doc);
    if (TrimText(demoBlock).isEmpty())
        return saved; // nothing to splice
    const QString savedText = QString::fromUtf8(saved);
    const QString spliced = SpliceDemoText(savedText, demoBlock);
    return spliced == savedText ? saved : Utf8WithBom(spliced);
}

void SaveMenuXmlFile(const QString &folder, const QString &text, const QString &demoBlock, FileSync sync)
{
    WriteMenuXmlFiles(folder, MenuXmlFileBytes(text, demoBlock), sync);
}

TPreviewSet::TPreviewSet(TMenuDesign &design, const THtmlPageOptions &pageOptions, IPreviewHost &host)
    : FDesign(design), FPageOptions(pageOptions), FHost(host)
{
}

QString TPreviewSet::WorkFolder() const
{
    return NativePath(FDesign.ProgramFolder(), QStringLiteral("MenuPreview\\"));
}

QString TPreviewSet::TemplateHtmlFile(const QString &name) const
{
    return FindPageTemplate(FDesign.ProgramFolder(), FDesign.IsHorizontal(), name);
}

QByteArray TPreviewSet::SaveMenuXml(const QString &text, const QString &folder)
{
    if (!folder.isEmpty()) { // a published description is the user's
        const QByteArray bytes = MenuXmlFileBytes(text, FDesign.FDemoBlock);
        WriteMenuXmlFiles(folder, bytes);
        return bytes;
    }
    // The working folder's copy is made again at every refresh and at every publish, mostly from the
    // same description: its files are worked out once for each text.
    if (FWorkXml.isNull() || text != FWorkText || FDesign.FDemoBlock != FWorkDemo) {
        QByteArray xml = MenuXmlFileBytes(text, FDesign.FDemoBlock);
        FWorkScript = MenuXmlScript(xml);
        FWorkXml = std::move(xml);
        FWorkText = text;
        FWorkDemo = FDesign.FDemoBlock;
    }
    WriteMenuXmlFiles(WorkFolder(), FWorkXml, FWorkScript, FileSync::Unsynced);
    return FWorkXml;
}

QString TPreviewSet::ExchangeFolder() const
{
    return NativePath(FDesign.ProgramFolder(), QStringLiteral("Templates\\Preview\\"));
}

void TPreviewSet::CopyUnder(const QString &fromFolder, const QString &toFolder, const QString &name)
{
    const QString from = SafePathUnder(fromFolder, name);
    const QString to = SafePathUnder(toFolder, name);
    if (!from.isEmpty() && !to.isEmpty())
        CopyFileCompat(from, to);
}

void TPreviewSet::CopyPreviewTemplateFile(const QString &name)
{
    CopyUnder(ExchangeFolder(), WorkFolder(), name);
}

void TPreviewSet::CopyPreviewFileToTemplatePreview(const QString &name)
{
    CopyUnder(WorkFolder(), ExchangeFolder(), name);
}

TPageContext TPreviewSet::PageContext() const
{
    TPageContext ctx;
    ctx.Env.ProgramFolder = FDesign.ProgramFolder();
    ctx.Env.UseActiveContentJS = FHost.UseActiveContentJS();
    ctx.Horizontal = FDesign.IsHorizontal();
    if (BrowserPane *pane = FHost.Browser()) {
        ctx.PaneWidth = pane->Size().width();
        ctx.PaneHeight = pane->Size().height();
    }
    ctx.BackgroundWidth = FDesign.FStoreOptions.BackgroundWidth;
    ctx.BackgroundHeight = FDesign.FStoreOptions.BackgroundHeight;
    ctx.FitPageWidth = FDesign.FStoreOptions.FitPageWidth != 0;
    ctx.FitPageHeight = FDesign.FStoreOptions.FitPageHeight != 0;
    ctx.MenuFileName = FDesign.CurrentMenuFileName;
    return ctx;
}

QString TPreviewSet::WritePageOptions() const
{
    const QString optionsFile = WorkFolder() + QStringLiteral("HTMLOptions.xml");
    WriteHtmlOptions(optionsFile, FPageOptions, FileSync::Unsynced);
    return ReadUtf8File(optionsFile);
}

void TPreviewSet::WriteMenuHtml(bool forPublish)
{
    TPageContext ctx = PageContext();
    ctx.PageOptions = WritePageOptions();
    ::WriteMenuHtml(ctx, QStringLiteral("MenuPreview\\"), forPublish);
}

void TPreviewSet::RefreshPreview()
{
    if (FDesign.FNoProject)
        return;
    FHost.StopRefreshTimer();
    SaveMenuXml(FDesign.BuildMenuXml(false, false, false));
    if (!QFileInfo::exists(WorkFolder() + ScriptName)) {
        const QString script = TemplateHtmlFile(ScriptName);
        if (!script.isEmpty())
            CopyFileCompat(script, WorkFolder() + ScriptName);
    }
    WriteMenuHtml(false);
    if (BrowserPane *pane = FHost.Browser())
        pane->Navigate(WorkFolder() + MenuPageFileName);
}

void TPreviewSet::a_PreviewExecute()
{
    if (FDesign.FNoProject)
        return;
    if (FHost.ShowSecureReminder() && FHost.RunSecureReminder())
        FHost.SetShowSecureReminder(false);
    // The frameset's content frame asks for "mainbody.htm" by that exact name.
    CopyContentPage(FDesign.ProgramFolder(), FDesign.IsHorizontal(), WorkFolder());
    for (const char *name : {"style.css", "AC_RunActiveContent.js", "tvnr.gif"}) {
        const QString source = TemplateHtmlFile(QString::fromLatin1(name));
        if (!source.isEmpty())
            CopyFileCompat(source, WorkFolder() + QString::fromLatin1(name));
    }
    const QString index = WorkFolder() + QStringLiteral("index.htm");
    TPageContext ctx = PageContext();
    ctx.PageOptions = WritePageOptions();
    WriteFramePage(ctx, index, FDesign.FPublishMenuSide);
    OpenPageInBrowser(index);
}
