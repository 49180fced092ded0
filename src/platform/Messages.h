#pragma once
// The program's localisable texts, its message box, version text and web addresses.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

constexpr int MessageCount = 130;
constexpr int FilterLabelCount = 9;

// Message n (1..130) and filter label n (1..9) of the current language. Out-of-range numbers give "".
QString LangMsg(int n);
QString LangFilterLabel(int n);
void SetLangMsg(int n, const QString &text);
void SetLangFilterLabel(int n, const QString &text);

// The language's application title (key AppTitle); empty until a language gives one.
QString LangAppTitle();
void SetLangAppTitle(const QString &title);

void SetDefaultFilterLabels();
void SetDefaultMessages();
void SetDefaultTexts();

// The first most texts joined by separator, then how many more there are: a box stays readable
// however long the list.
QString JoinAtMost(const QStringList &texts, int most, const QString &separator);
// Kinds of ShowMsgBox.
enum MsgKind { mtWarning = 0, mtError = 1, mtInformation = 2, mtAlert = 3 };

// Button kinds, combined into a set.
enum MsgButtonFlag : uint16_t {
    mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3,
    mbAbort = 1 << 4, mbRetry = 1 << 5, mbIgnore = 1 << 6,
};
using MsgButtonSet = uint16_t;
constexpr MsgButtonSet mbOKCancel = mbOK | mbCancel;
constexpr MsgButtonSet mbYesNo = mbYes | mbNo;
constexpr MsgButtonSet mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr MsgButtonSet mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;
constexpr MsgButtonSet mbRetryCancel = mbRetry | mbCancel;

// Shows a modal box captioned by the kind and returns the button chosen (MsgButton numbers).
int ShowMsgBox(const QString &text, int kind, MsgButtonSet buttons);

// Version text and web addresses, fixed for the run.
QString VersionText();
constexpr int WebLinkCount = 30;
QString WebLink(int index);
void InitVersionInfo();

// Hands an address to the desktop's browser; blanks around it stay, a blank address opens nothing.
// The opener answers false when the desktop cannot open the address; that is reported in an error
// box, as for a page, and OpenUrl gives false.
using UrlOpener = std::function<bool(const QString &)>;
UrlOpener SetUrlOpener(UrlOpener opener);
bool OpenUrl(const QString &address);
