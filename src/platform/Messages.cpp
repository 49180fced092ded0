#include "Messages.h"

#include "Conversions.h"
#include "MessageBox.h"
#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// Built-in English texts; empty entries are numbers the program does not show.
const char16_t *const DefaultMessages[MessageCount] = {
    u"Edit Menu Item", // 1
    u"Edit Menu", // 2
    u"Do you want to remove this menu item?", // 3
    u"Remove Item", // 4
    u"Remove", // 5
    u"Edit", // 6
    u"Main Menu Normal", // 7
    u"Main Menu Active", // 8
    u"Sub Menu Normal", // 9
    u"Sub Menu Active", // 10
    u"Publish Flash Menu To..", // 11
    u"Flash exe file is not found.", // 12
    u"Menu can not be published.", // 13
    u"Your project is published as CDROM format at", // 14
    u"Project file", // 15
    u"already exists, replace file?", // 16
    u"Position", // 17
    u"X-Position", // 18
    u"Pixels", // 19
    u"Y-Position", // 20
    u"Pixels", // 21
    u"Value (Pixels)", // 22
    u"Menu1", // 23
    u"Menu2", // 24
    u"Menu3", // 25
    u"Create Sub Menu", // 26
    u"Edit", // 27
    u"Remove", // 28
    u"Change Position", // 29
    u"At the Beginning", // 30
    u"After", // 31
    u"Project has not saved. Save now?", // 32
    u"New", // 33
    u"The", // 34
    u"file was not found.", // 35
    u"Directories was not found.", // 36
    u"The", // 37
    u"file was not found in", // 38
    u"directory.", // 39
    u"Template Package", // 40
    u"has been installed and registered successfully.", // 41
    u"The project file you have choosen does not exist", // 42
    u"The selected file is not a Tolvanar project file", // 43
    u"No Recent Projects", // 44
    u"Project published in ", // 45
    u"Open HTML file in browser now?", // 46
    u"File", // 47
    u"is not found.", // 48
    u"Font", // 49
    u"Size", // 50
    u"Color", // 51
    u"Bold", // 52
    u"Italic", // 53
    u"Underline", // 54
    u"Please select from below", // 55
    u"For best user experience, please set your screen resolution to 1024x768 or higher.", // 56
    u"Please choose or enter the project file name your like to open", // 57
    u"The project file you have selected cannot be found", // 58
    u"Invalid file format -- please select a Tolvanar project (.tvp) file", // 59
    u"Text Options", // 60
    u"Text", // 61
    u"", // 62
    u"", // 63
    u"", // 64
    u"", // 65
    u"You do not select any file", // 66
    u"Field \"Name\" is required.", // 67
    u"Unable to change language.", // 68
    u"File not found", // 69
    u"Flash Player required", // 70
    u"Flash Player not installed. Install now?", // 71
    u"Do not show this message again", // 72
    u"https://www.tolvanar.example/", // 73
    u"https://www.tolvanar.example/templates/", // 74
    u"https://www.tolvanar.example/contact/", // 75
    u"", // 76
    u"https://www.tolvanar.example/more/", // 77
    u"https://www.tolvanar.example/templates/?", // 78
    u"https://www.tolvanar.example/help/", // 79
    u"Alert", // 80
    u"Warning", // 81
    u"Error", // 82
    u"Information", // 83
    u"Standard Theme", // 84
    u"Business Theme 1.0", // 85
    u"Business Theme 2.0", // 86
    u"Sport Theme 1.0", // 87
    u"", // 88
    u"", // 89
    u"", // 90
    u"", // 91
    u"", // 92
    u"Global Theme 1.0", // 93
    u"Cyber Theme 1.0", // 94
    u"This menu item contains a submenu.", // 95
    u"Are you sure you want to remove it ?", // 96
    u"Your Company Name, Quorvell Brindamar", // 97
    u"Select Menu Background", // 98
    u"Romantic Theme 1.0", // 99
    u"Holiday Theme 1.0", // 100
    u"", // 101
    u"Fit Menu Width", // 102
    u"Fit Button Text", // 103
    u"Season Theme", // 104
    u"Sport Theme 2.0", // 105
    u"Nature Theme 1.0", // 106
    u"Jet & Yacht Theme 1.0", // 107
    u"", // 108
    u"Click OK to open file location", // 109
    u"New Window (_blank)", // 110
    u"Root Frame (_top)", // 111
    u"Parent Frame (_parent)", // 112
    u"Same Frame (_self)", // 113
    u"User Guide", // 114
    u"Global Theme 2.0", // 115
    u"Standard Theme 2.0", // 116
    u"Menu files in your project will be replaced with the ones which comes with the software installation.", // 117
    u"Are you sure?", // 118
    u"File(s) your project using cannot be found.", // 119
    u"Menu: ", // 120
    u"Background: ", // 121
    u"Update complete.", // 122
    u"", // 123
    u"", // 124
    u"", // 125
    u"", // 126
    u"", // 127
    u"", // 128
    u"", // 129
    u"", // 130
};

const char16_t *const DefaultFilterLabels[FilterLabelCount] = {
    u"Flash File", u"Images", u"Sound Files", u"Jpeg Files", u"Tolvanar Projects",
    u"Tolvanar Template Files", u"MP3 File", u"Any Files", u"Supported Formats",
};

// Every address the program opens, in one place. Entries 4 to 22 and the unused ones stay empty.
const QString SiteRoot = QStringLiteral("https://www.tolvanar.example/");
const QString SourceTag = QStringLiteral("?from=tolvanar");

struct Texts {
    std::array<QString, MessageCount> messages;
    std::array<QString, FilterLabelCount> filters;
    QString appTitle;
    std::array<QString, WebLinkCount> links;
    UrlOpener opener = [](const QString &address) { return QDesktopServices::openUrl(QUrl::fromUserInput(address)); };
};

Texts &texts()
{
    static Texts t;
    return t;
}

} // namespace

QString LangMsg(int n)
{
    return n >= 1 && n <= MessageCount ? texts().messages[n - 1] : QString();
}

QString LangFilterLabel(int n)
{
    return n >= 1 && n <= FilterLabelCount ? texts().filters[n - 1] : QString();
}

void SetLangMsg(int n, const QString &text)
{
    if (n >= 1 && n <= MessageCount)
        texts().messages[n - 1] = text;
}

void SetLangFilterLabel(int n, const QString &text)
{
    if (n >= 1 && n <= FilterLabelCount)
        texts().filters[n - 1] = text;
}

QString LangAppTitle() { return texts().appTitle; }
void SetLangAppTitle(const QString &title) { texts().appTitle = title; }

void SetDefaultFilterLabels()
{
    for (int i = 0; i < FilterLabelCount; ++i)
        texts().filters[i] = QString::fromUtf16(DefaultFilterLabels[i]);
}

void SetDefaultMessages()
{
    for (int i = 0; i < MessageCount; ++i)
        texts().messages[i] = QString::fromUtf16(DefaultMessages[i]);
}

void SetDefaultTexts()
{
    SetDefaultFilterLabels();
    SetDefaultMessages();
}

QString JoinAtMost(const QStringList &texts, int most, const QString &separator)
{
    if (texts.size() <= most)
        return texts.join(separator);
    return (texts.mid(0, most) << QStringLiteral("… and %1 more.").arg(texts.size() - most)).join(separator);
}

int ShowMsgBox(const QString &text, int kind, MsgButtonSet buttons)
{
    MessageBoxRequest r;
    r.text = text;
    switch (kind) {
    case mtWarning: r.icon = MsgIcon::Warning; r.caption = LangMsg(81); break;
    case mtError: r.icon = MsgIcon::Error; r.caption = LangMsg(82); break;
    case mtInformation: r.icon = MsgIcon::Information; r.caption = LangMsg(83); break;
    default: r.icon = MsgIcon::Question; r.caption = LangMsg(80); break;
    }
    switch (buttons) {
    case mbOKCancel: r.buttons = {mrOK, mrCancel}; break;
    case mbAbortRetryIgnore: r.buttons = {mrAbort, mrRetry, mrIgnore}; break;
    case mbYesNoCancel: r.buttons = {mrYes, mrNo, mrCancel}; break;
    case mbYesNo: r.buttons = {mrYes, mrNo}; break;
    case mbRetryCancel: r.buttons = {mrRetry, mrCancel}; break;
    default: r.buttons = {mrOK}; break;
    }
    // Esc and the close box: Cancel where there is one, OK alone, otherwise ignored.
    if (r.buttons.contains(mrCancel))
        r.escapeResult = mrCancel;
    else if (r.buttons == QList<int>{mrOK})
        r.escapeResult = mrOK;
    return ShowPlatformMessageBox(r);
}

QString VersionText()
{
    return QStringLiteral("4.00");
}

QString WebLink(int index)
{
    return index >= 0 && index < WebLinkCount ? texts().links[index] : QString();
}

void InitVersionInfo()
{
    auto &l = texts().links;
    l.fill(QString());
    l[0] = SiteRoot + QStringLiteral("guide/") + SourceTag;
    l[1] = SiteRoot + QStringLiteral("support/") + SourceTag;
    l[2] = SiteRoot + QStringLiteral("templates/") + SourceTag;
    l[23] = SiteRoot + SourceTag;
    l[24] = SiteRoot + QStringLiteral("templates/") + SourceTag;
    l[25] = SiteRoot + QStringLiteral("templates/item/") + SourceTag + QStringLiteral("&id=");
    l[26] = SiteRoot + SourceTag;
}

UrlOpener SetUrlOpener(UrlOpener opener)
{
    UrlOpener previous = std::move(texts().opener);
    texts().opener = std::move(opener);
    return previous;
}

bool OpenUrl(const QString &address)
{
    if (TrimText(address).isEmpty())
        return true;
    // Handed over as given: the desktop's opener copes with blanks around an address.
    return OpenOnDesktop(texts().opener, address, DesktopTarget::Page);
}
