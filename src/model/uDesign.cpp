#include "uDesign.h"

#include "Conversions.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "uGlobal.h"

QString WindowsVersionName;

QString StripHtmlTags(const QString &caption)
{
    // Each pass removes the first "<" through the first ">" after it, so every pass shortens the text.
    QString text = caption;
    for (;;) {
        const int open = text.indexOf(QLatin1Char('<'));
        if (open < 0)
            break;
        const int close = text.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0)
            break;
        text.remove(open, close - open + 1);
    }
    return text;
}

void ApplyFontRecord(TFontValue &font, const TFontInfo &info)
{
    font.Name = info.Name;
    font.Size = info.Size;
    font.Color = SwapRedBlue(info.Color);
    font.Bold = info.Bold != 0;
    font.Italic = info.Italic != 0;
    font.Underline = info.Underline != 0;
}

int GetWindowsVersionCode()
{
    return 0; // no version query to ask here
}

QString GetWindowsVersionName()
{
    static const char *const names[] = {"Unknown", "Windows 95", "Windows 98", "Windows ME",
                                        "Windows NT 3", "Windows NT 4", "Windows 2000", "Windows XP"};
    const int code = GetWindowsVersionCode();
    return QString::fromLatin1(code >= 0 && code < 8 ? names[code] : names[0]);
}

namespace {

IDesignHost &NoHost()
{
    static IDesignHost host;
    return host;
}

} // namespace

TMenuDesign::TMenuDesign(const QString &programFolder, IDesignHost *host)
    : FProgramFolder(programFolder), FHost(host ? host : &NoHost()), FMenuEntries(MenuTableSize)
{
}

void TMenuDesign::SetHost(IDesignHost *host)
{
    FHost = host ? host : &NoHost();
}

QString TMenuDesign::ProgramPath(const QString &stored) const
{
    return NativePath(FProgramFolder, stored);
}

int TMenuDesign::FindEntrySlot(int id) const
{
    int found = -1;
    for (int i = 0; i < FMenuEntryCount; ++i)
        if (FMenuEntries[size_t(i)].Id == id && id != -1)
            found = i;
    return found;
}

bool TMenuDesign::HasChildEntries(int id) const
{
    for (int i = 1; i < FMenuEntryCount; ++i) {
        const TFlashMenuItem &e = FMenuEntries[size_t(i)];
        if (e.Id != -1 && e.ParentId == id)
            return true;
    }
    return false;
}

int TMenuDesign::AppendEntry(int parentId, const QString &caption, const QString &target, const QString &href)
{
    TFlashMenuItem &e = FMenuEntries[size_t(FMenuEntryCount)];
    e.Id = FMenuEntryCount;
    e.OnToolbar = parentId == 0 ? 1 : 0;
    e.ParentId = parentId;
    e.Caption = caption;
    e.Href = href;
    e.Target = target;
    ++FMenuEntryCount;
    if (parentId == 0)
        FHost->MainEntryAdded(e.Id);
    else
        FHost->SubEntryAdded(parentId, e.Id);
    return e.Id;
}

int TMenuDesign::AddMainMenuEntry(const QString &position, const QString &caption, bool noRefresh,
                                  const QString &target, const QString &href)
{
    if (FMenuEntryCount >= MenuTableSize)
        return -1;
    int slot = FMenuEntryCount;
    if (!position.isEmpty())
        if (const auto n = TryStrToInt(position); n && *n >= 0 && *n < FMenuEntryCount)
            slot = *n;
    // Open the slot: everything from it up moves one slot higher, from the top down.
    for (int k = FMenuEntryCount; k > slot; --k)
        FMenuEntries[size_t(k)] = std::move(FMenuEntries[size_t(k - 1)]);
    TFlashMenuItem &e = FMenuEntries[size_t(slot)];
    e = TFlashMenuItem{FMenuEntryCount, 1, 0, caption, href, target};
    ++FMenuEntryCount;
    FHost->MainEntryAdded(e.Id);
    if (!noRefresh) {
        FHost->RebuildMenuToolbar();
        FHost->RefreshPreview();
    }
    return e.Id;
}

bool TMenuDesign::PrepareSubEntrySlot()
{
    if (FMenuEntryCount >= MenuTableSize)
        return false;
    TFlashMenuItem &e = FMenuEntries[size_t(FMenuEntryCount)];
    e.Caption.clear();
    e.Href.clear();
    e.Target = QStringLiteral("mainFrame");
    return true;
}

int TMenuDesign::AddSubMenuEntry(int parentId, const QString &caption, const QString &target, const QString &href)
{
    if (FMenuEntryCount >= MenuTableSize || parentId < 1 || FindEntrySlot(parentId) < 0)
        return -1;
    return AppendEntry(parentId, caption, target, href);
}

void TMenuDesign::MoveMainEntry(int from, int to)
{
    if (from < 0 || from >= FMenuEntryCount)
        return;
    if (to < 0 || to > FMenuEntryCount)
        to = FMenuEntryCount;
    if (to < from) {
        TFlashMenuItem moving = std::move(FMenuEntries[size_t(from)]);
        for (int k = from; k > to; --k)
            FMenuEntries[size_t(k)] = std::move(FMenuEntries[size_t(k - 1)]);
        FMenuEntries[size_t(to)] = std::move(moving);
    } else if (to > from) {
        TFlashMenuItem moving = std::move(FMenuEntries[size_t(from)]);
        for (int k = from; k < to - 1; ++k)
            FMenuEntries[size_t(k)] = std::move(FMenuEntries[size_t(k + 1)]);
        FMenuEntries[size_t(to - 1)] = std::move(moving);
    }
}

bool TMenuDesign::EditMenuEntry(int tag, const QString &caption, const QString &href, const QString &target,
                                const QString &position)
{
    if (tag < 0)
        return false;
    const int slot = FindEntrySlot(tag);
    if (slot < 0)
        return false;
    TFlashMenuItem &e = FMenuEntries[size_t(slot)];
    e.Caption = caption;
    e.Href = href;
    e.Target = target;
    const bool main = e.ParentId < 1;
    if (main && !position.isEmpty()) {
        // Our own dialog gives the number; anything else goes to the end like an out-of-range slot.
        MoveMainEntry(slot, TryStrToInt(position).value_or(FMenuEntryCount));
    }
    FHost->EntryEdited(tag);
    SetModified(true);
    if (main)
        FHost->RebuildMenuToolbar();
    FHost->RefreshPreview();
    return true;
}

bool TMenuDesign::RemoveMenuEntry(int id)
{
    const int slot = FindEntrySlot(id);
    if (slot < 0)
        return false;
    TFlashMenuItem &e = FMenuEntries[size_t(slot)];
    e.Id = -1;
    if (e.ParentId < 1)
        e.OnToolbar = 0;
    FHost->EntryRemoved(id);
    SetModified(true);
    FHost->RebuildMenuToolbar();
    FHost->RefreshPreview();
    return true;
}

bool TMenuDesign::RemoveMenuEntryClick(int tag)
{
    MessageBoxRequest ask;
    ask.text = LangMsg(3);
    ask.caption = LangMsg(4);
    ask.buttons = {mrOK, mrCancel};
    ask.escapeResult = mrCancel;
    if (ShowPlatformMessageBox(ask) != mrOK)
        return false;
    if (FindEntrySlot(tag) < 0)
        return false;
    if (HasChildEntries(tag)
        && ShowMsgBox(LangMsg(95) + QStringLiteral("\r\n") + LangMsg(96), mtAlert, mbYesNo) != mrYes)
        return false;
    return RemoveMenuEntry(tag);
}

void TMenuDesign::SetOrientation(bool horizontal)
{
    if (horizontal == IsHorizontal())
        return;
    FLayoutPending = 1;
    FHorizontal = horizontal ? 1 : 0;
    FOrientationDir = horizontal ? QStringLiteral("Horizontal\\") : QStringLiteral("Vertical\\");
}

void TMenuDesign::SetModified(bool value)
{
    if (value == IsModified())
        return;
    FModified = value ? 1 : 0;
    FHost->ModifiedChanged();
}

void TMenuDesign::SetNoProject(bool value)
{
    FNoProject = value ? 1 : 0;
    FLoading = value ? 1 : 0;
    FHost->UpdateInterface(0);
}

IDesignHost::TFileFieldSetups TMenuDesign::FileFieldSetups() const
{
    const QString flash = LangFilterLabel(1), images = LangFilterLabel(2), jpeg = LangFilterLabel(4);
    const QString mp3 = LangFilterLabel(7), any = LangFilterLabel(8);
    const QString anyFiles = QStringLiteral("|") + any + QStringLiteral(" (*.*)|*.*");
    const QString sounds = QStringLiteral("%1 (*.mp3)|*.mp3").arg(mp3);
    const QString soundFolder = ProgramPath(QStringLiteral("Templates\\Sounds\\"));
    return {{
        {ProgramPath(QStringLiteral("Templates\\") + FOrientationDir + QStringLiteral("BGround\\")),
         flash + QStringLiteral(" & ") + images
             + QStringLiteral(" (*.swf;*.jpg;*.png;*.gif;*.bmp;*.ico)|*.swf;*.jpg;*.png;*.gif;*.bmp;*.ico") + anyFiles},
        {soundFolder, sounds},
        {soundFolder, sounds},
        {ProgramPath(QStringLiteral("Templates\\Images\\")),
         flash + QStringLiteral(" & ") + jpeg + QStringLiteral(" (*.swf;*.jpg;*.jpeg;*.jpe)|*.swf;*.jpg;*.jpeg;*.jpe")
             + anyFiles},
    }};
}

void TMenuDesign::ResetDesign(bool useDefaults)
{
    TFlagGuard loading(FLoading, 1);
    FReadingXml = 0;
    for (TFlashMenuItem &e : FMenuEntries) {
        e.Id = -1;
        e.OnToolbar = 0;
    }
    FMenuEntryCount = 1;
    FHost->ClearMainMenuButtons();
    if (useDefaults) {
        for (int n = 23; n <= 25; ++n)
            AddMainMenuEntry(QString(), LangMsg(n), true, QStringLiteral("main"), QString());
        FTitleOptions.Text.clear();
        FDescOptions.Text.clear();
        FTitleOptions.Effect = 0;
        FDescOptions.Effect = 0;
    }
    FHost->PrepareDesignControls(FileFieldSetups());
    try {
        // The table is already gone: a missing or broken working copy ends in the blank project
        // like a description that does not read.
        if (useDefaults)
            ReadMenuXml(BuildMenuXml(true, false, false));
        else
            ReadMenuXml(LoadPreviewMenuXmlOrBlank());
    } catch (...) {
        if (FNoProject)
            loading.Keep(); // the blank project's loading state stands
        throw;
    }
    FPublishOutputType = 0;
    FPublishMenuSide = -1;
    FHost->RebuildMenuToolbar();
    FHost->RefreshPositionHints();
    FHost->RefreshPreview();
    FHost->FinishDesignReset();
}

QString TMenuDesign::LoadPreviewMenuXmlOrBlank()
{
    try {
        return LoadPreviewMenuXml();
    } catch (...) {
        ResetToBlankProject();
        throw;
    }
}

void TMenuDesign::ResetToBlankProject()
{
    // A failure inside the reset must not start another one.
    if (FResettingToBlank)
        return;
    struct Reentry {
        bool &flag;
        explicit Reentry(bool &f) : flag(f) { flag = true; }
        ~Reentry() { flag = false; }
    } reentry(FResettingToBlank);

    SetNoProject(true);
    ResetDesign(true);
    const QString preview = ProgramPath(QStringLiteral("MenuPreview\\"));
    FHost->SetOpenDialogFolder(preview);
    auto templateFile = [this](const QString &stored) {
        const QString found = FindTemplateFile(FProgramFolder, stored);
        return found.isEmpty() ? ProgramPath(stored) : found;
    };
    FHost->ReadHtmlOptions(templateFile(QStringLiteral("Templates\\HTMLOptions.xml")));
    const QString page = ProgramPath(QStringLiteral("MenuPreview\\flashmenu.htm"));
    ::CopyFileCompat(templateFile(QStringLiteral("Templates\\") + FOrientationDir + QStringLiteral("HTML\\NoMenu.htm")),
                     page);
    FHost->ClearProjectFileName();
    FHost->UpdateInterface(0);
    FHost->NavigateBrowser(page);
}
