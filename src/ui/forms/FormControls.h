#pragma once
// Controls made in code with the fixed names that language files find them by.
#include <QMargins>
#include <QSize>
#include <QString>

class QAbstractScrollArea;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// A push button that is no default button until its dialog makes it one.
QPushButton *MakeNamedButton(const char *name, const QString &caption, QWidget *parent);
QLabel *MakeNamedLabel(const char *name, const QString &caption, QWidget *parent);

// The edit, made to take a caption, link, title, name or text whole: a QLineEdit cuts what is set
// or typed at 32,767 characters unless told otherwise, and the files hold any length.
QLineEdit *WholeValues(QLineEdit *edit);

// A user's text as a button or menu item shows it: "&" stands for itself, not for a shortcut letter.
QString PlainMenuText(const QString &text);

// A control placed by hand at least as wide as its caption needs (and never narrower than width).
void WidenToCaption(QWidget *control, int width);

// The frame a window manager draws around the window, as far as room is kept for it: what the
// platform reports, and never less than a usual title bar and borders (before a window manager has
// framed the window there is nothing to report).
QMargins WindowFrameRoom(const QWidget *window);

// The scroll area never smaller than its page: the page shows whole, without scroll bars, where the
// screen has room for it (see FitWindowToControls).
void HoldWholePage(QAbstractScrollArea *area, const QSize &page);

// The window's minimum: its designed minimum or what its controls need, whichever is larger, within
// the screen's free area less the window's frame; the window grows to it where it is smaller and
// shrinks into that room where it is larger. extra: room beyond the controls' minimum that the
// window keeps (a pane at its designed size). On a screen too small for the controls, an area that
// holds a whole page gives up what is missing and scrolls that way instead.
void FitWindowToControls(QWidget *window, const QSize &designedMinimum, const QSize &extra = QSize(0, 0));
