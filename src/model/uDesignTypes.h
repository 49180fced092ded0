#pragma once
// The records of a menu design. Records that mirror files hold colours as 0xRRGGBB; platform-facing
// values (fonts, button options, icon-link colours) hold 0x00BBGGRR.
#include <QString>
#include <array>
#include <cstdint>

// One slot of the menu-entry table. Toolbar buttons and popups belong to the window, keyed by Id.
struct TFlashMenuItem {
    int32_t Id = -1;        // -1: free or removed
    uint8_t OnToolbar = 0;  // 1 for a main entry that has a toolbar button
    int32_t ParentId = 0;   // 0 for a main entry
    QString Caption;        // may hold markup
    QString Href;
    QString Target;
};

struct TFontInfo {
    QString Name;
    int32_t Size = 0;
    int32_t Color = 0;  // 0xRRGGBB
    uint8_t Bold = 0;
    uint8_t Italic = 0;
    uint8_t Underline = 0;
};

// A font as text is drawn with it; QFont is made from it where that happens.
struct TFontValue {
    QString Name;
    int32_t Size = 0;
    int32_t Color = 0;  // 0x00BBGGRR
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const TFontValue &) const = default;
};

// Font order of TXMLStoreOptions::Fonts and of the font elements.
enum TFontSlot { fsMainNormal = 0, fsMainActive, fsSubNormal, fsSubActive, fsTitle, fsDesc };

struct TXMLStoreOptions {
    int32_t BackgroundColor = 0, BackgroundColorAlpha = 0;
    int32_t MainNormalColor = 0, MainNormalAlpha = 0;
    int32_t MainActiveColor = 0, MainActiveAlpha = 0;
    int32_t SubNormalColor = 0, SubNormalAlpha = 0;
    int32_t SubActiveColor = 0, SubActiveAlpha = 0;
    std::array<TFontInfo, 6> Fonts{};
    int32_t BackgroundAlpha = 0;
    int32_t BackgroundWidth = 0, BackgroundHeight = 0;
    uint8_t FitPageWidth = 0, FitPageHeight = 0;
    int32_t TitleX = 0, TitleY = 0, DescX = 0, DescY = 0, MusicX = 0, MusicY = 0;
    int32_t SoundVolume = 0;
};

struct TIconLinkItem {
    int32_t Id = 0;  // 1..4
    QString Img;
    QString Url;
    QString Target;
    QString Text;
    int32_t Alpha = 0;
    uint8_t Active = 0;
};

struct TXMLICONInfo {
    int32_t X = 0, Y = 0;
    int32_t NormalColor = 0, NormalAlpha = 0;  // 0x00BBGGRR
    int32_t ActiveColor = 0, ActiveAlpha = 0;  // 0x00BBGGRR
    std::array<TIconLinkItem, 4> Items{};
};

class TTextOptions {
public:
    QString Text;
    int32_t Effect = 0;  // text effect of the options dialog; never stored in a file
    TFontValue Font;
};

class TButtonOptions {
public:
    TFontValue Font;
    int32_t BackColor = 0;  // 0x00BBGGRR
    int32_t Alpha = 0;
};

// Design values the main window keeps in its controls; the window mirrors them both ways.
// Indices are -1 when no item of the group is selected; file fields hold the bare name shown.
struct TDesignControls {
    int MenuSpacing = 0;       // tbMenuSpacing, 0..100
    int MenuTypeIndex = 0;     // rgrMenuType: Flat, 3D, Gradient
    int ButtonSizeIndex = 0;   // rgrButtonSize: Fixed, Variable
    int TextAlignIndex = 0;    // rgTextAlign: Left, Center, Right
    QString BackgroundImage;   // fraBackgroundImage
    QString LogoImage;         // fraLogoImage
    QString BackgroundSound;   // fraBackgroundSound
    QString RollOverSound;     // fraOnRollOver (no element in flashmenu.xml)
    bool MuteDuringDesign = false;  // chbMuteDuringDesign
    QString Title;             // edtTitle
    QString Baseline;          // edtBaseline
};

// XML size values by the index of rgrButtonSize.
inline const std::array<QString, 2> ButtonSizeNames{QStringLiteral("fix"), QStringLiteral("variable")};

// The caption without markup: runs from a "<" through the next ">" go, as long as a ">" follows a "<".
QString StripHtmlTags(const QString &caption);

// The font as drawn from a stored font record (colour turned into the platform order).
void ApplyFontRecord(TFontValue &font, const TFontInfo &info);

// The running system's version. The query has nothing to report here, so the name is "Unknown".
int GetWindowsVersionCode();
QString GetWindowsVersionName();
// Set once at start from GetWindowsVersionName.
extern QString WindowsVersionName;
