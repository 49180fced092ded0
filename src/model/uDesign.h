#pragma once
// The one menu design the main window holds: the entry table, the look records, the option objects,
// the flags, and the reset to the defaults, to a loaded description or to the blank project.
#include "uDesignTypes.h"

#include <QString>
#include <array>
#include <vector>

class QByteArray;
namespace pugi {
class xml_document;
}

// Where the design reaches into the window. Every hook does nothing unless the window overrides it.
class IDesignHost {
public:
    virtual ~IDesignHost() = default;

    // Table display: toolbar buttons and popups, keyed by entry Id.
    virtual void ClearMainMenuButtons() {}
    virtual void MainEntryAdded(int id) {}
    virtual void SubEntryAdded(int parentId, int id) {}
    virtual void EntryEdited(int id) {}
    virtual void EntryRemoved(int id) {}
    virtual void RebuildMenuToolbar() {}
    virtual void RefreshPreview() {}
    virtual void UpdateInterface(int mode) {}
    virtual void ModifiedChanged() {}

    // Design reset: state grid labels, colour field callbacks, the four file fields, X track maximum.
    struct TFileFieldSetup {
        QString StartFolder;  // native, with a trailing "/"
        QString Filter;
    };
    // Background image, background sound, roll-over sound, logo image.
    using TFileFieldSetups = std::array<TFileFieldSetup, 4>;
    virtual void PrepareDesignControls(const TFileFieldSetups &fields) {}
    virtual void RefreshPositionHints() {}
    // Values shown, the design's button set marked, guides hidden, slider timer stopped, X track range.
    virtual void FinishDesignReset() {}

    // Reading a description: the menu area size rules work on the design's BackgroundWidth/Height.
    virtual void ComputeMenuAreaWidth() {}
    virtual void ComputeMenuAreaHeight() {}
    virtual void ShowMenuPosition(int x, int y) {}

    // The blank project.
    virtual void SetOpenDialogFolder(const QString &folder) {}
    virtual void ReadHtmlOptions(const QString &file) {}
    virtual void ClearProjectFileName() {}
    virtual void NavigateBrowser(const QString &file) {}
};

class TMenuDesign {
public:
    static constexpr int MenuTableSize = 65536;

    // programFolder: the executable's folder; every path of the design is built from it.
    explicit TMenuDesign(const QString &programFolder, IDesignHost *host = nullptr);
    TMenuDesign(const TMenuDesign &) = delete;
    TMenuDesign &operator=(const TMenuDesign &) = delete;

    void SetHost(IDesignHost *host);
    const QString &ProgramFolder() const { return FProgramFolder; }

    // --- the entry table ---
    int MenuEntryCount() const { return FMenuEntryCount; }
    const TFlashMenuItem &Entry(int slot) const { return FMenuEntries[size_t(slot)]; }
    // Slot of the live entry with this Id (the last one wins), -1 when none.
    int FindEntrySlot(int id) const;
    bool HasChildEntries(int id) const;

    // Adds a main entry at the slot given by position (empty, not a number or outside 0..count:
    // at the end). Returns its Id, or -1 when the table is full (nothing is touched then).
    int AddMainMenuEntry(const QString &position, const QString &caption, bool noRefresh,
                         const QString &target, const QString &href);
    // Prepares the next free slot for a new sub-entry (empty caption and link, target "mainFrame").
    // False when the table is full; nothing is touched then.
    bool PrepareSubEntrySlot();
    // Adds a sub-entry under the live entry parentId; returns its Id, -1 when the table is full or
    // the parent is not live.
    int AddSubMenuEntry(int parentId, const QString &caption, const QString &target, const QString &href);
    // Moves the entry of slot from to target slot to (0: the beginning, i+1: after slot i; outside
    // 0..count: the end).
    void MoveMainEntry(int from, int to);
    // Applies an edit confirmed in a dialog to the entry with Id tag; a main entry also moves when
    // position is not empty. Marks the project modified and refreshes. False when no entry matches.
    bool EditMenuEntry(int tag, const QString &caption, const QString &href, const QString &target,
                       const QString &position);
    // Removes the entry with Id id (the slot stays, marked free). False when none matches.
    bool RemoveMenuEntry(int id);
    // The Remove popup item: asks, asks again for an entry with sub-entries, removes.
    bool RemoveMenuEntryClick(int tag);

    // --- resets ---
    void ResetDesign(bool useDefaults);
    void ResetToBlankProject();
    IDesignHost::TFileFieldSetups FileFieldSetups() const;

    // --- flashmenu.xml (uMenuXml.cpp) ---
    QString BuildMenuXml(bool reset, bool publishing, bool slashes);
    // Fills the design from a description. Any failure (text that does not parse included) leaves
    // the blank project and raises Exception with the reason.
    void ReadMenuXml(const QString &text);
    // Loads folder + "flashmenu.xml" (empty folder: the working folder) and returns its text; sets
    // LoadedMenuType and FDemoBlock. Raises Exception when the file is missing or does not parse.
    QString LoadPreviewMenuXml(const QString &folder = QString());
    // What that load sets from a description file: LoadedMenuType from its document, FDemoBlock from
    // its bytes.
    void NoteLoadedMenuXml(const pugi::xml_document &doc, const QByteArray &bytes);

    // --- flags and orientation ---
    bool IsModified() const { return FModified != 0; }
    bool IsHorizontal() const { return FHorizontal != 0; }
    void SetOrientation(bool horizontal);
    void SetModified(bool value);
    void SetNoProject(bool value);

    // --- design values ---
    TXMLStoreOptions FStoreOptions;
    TXMLICONInfo FIconInfo;
    TTextOptions FTitleOptions;
    TTextOptions FDescOptions;
    std::array<TButtonOptions, 4> FButtonOptions;  // main normal, main active, sub normal, sub active
    TDesignControls Controls;
    int32_t FMenuX = 0, FMenuY = 0;
    int32_t FLogoX = 0, FLogoY = 0;
    QString FDemoBlock;
    uint8_t FLoading = 0;
    uint8_t FNoProject = 0;
    uint8_t FModified = 0;
    uint8_t FReadingXml = 0;
    uint8_t FHorizontal = 1;
    uint8_t FLayoutPending = 0;
    QString FOrientationDir = QStringLiteral("Horizontal\\");
    QString CurrentMenuFileName = QStringLiteral("flashmenu.swf");
    QString LoadedMenuType = QStringLiteral("h");
    int FPublishOutputType = 0;
    int FPublishMenuSide = -1;

private:
    struct TParsedMenu;
    TParsedMenu ParseMenuXml(const QString &text) const;
    void ApplyParsedMenu(const TParsedMenu &parsed);
    QString LoadPreviewMenuXmlOrBlank();
    int AppendEntry(int parentId, const QString &caption, const QString &target, const QString &href);
    // Native path of a stored name under the program folder.
    QString ProgramPath(const QString &stored) const;

    QString FProgramFolder;
    IDesignHost *FHost;
    std::vector<TFlashMenuItem> FMenuEntries;
    int32_t FMenuEntryCount = 0;
    bool FResettingToBlank = false;
};

// Restores a byte flag when the scope ends, also on failure.
class TFlagGuard {
public:
    TFlagGuard(uint8_t &flag, uint8_t value) : FFlag(flag), FSaved(flag) { flag = value; }
    ~TFlagGuard()
    {
        if (FRestore)
            FFlag = FSaved;
    }
    // Leaves the flag as it now stands when the scope ends.
    void Keep() { FRestore = false; }
    TFlagGuard(const TFlagGuard &) = delete;
    TFlagGuard &operator=(const TFlagGuard &) = delete;

private:
    uint8_t &FFlag;
    uint8_t FSaved;
    bool FRestore = true;
};
