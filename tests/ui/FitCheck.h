#pragma once
// Whether a window shows all of itself: every visible control lies inside its parent and the window
// inside the screen's free area, and no caption is wider than its control.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QWidget>
#include <QWindow>

namespace fitcheck {

inline QString NameOf(const QWidget *w)
{
    QString path;
    for (const QWidget *p = w; p && !p->isWindow(); p = p->parentWidget())
        path = (p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName()) +
               (path.isEmpty() ? QString() : QStringLiteral("/") + path);
    return path;
}

inline QString RectText(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The width the control's caption needs; 0 for controls without one.
inline int CaptionWidth(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
            return 0;
        return label->sizeHint().width();
    }
    if (qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w))
        return static_cast<const QAbstractButton *>(w)->text().isEmpty() ? 0 : w->sizeHint().width();
    if (auto *button = qobject_cast<const QPushButton *>(w)) {
        if (button->text().isEmpty())
            return 0;
        // The room inside the button's frame against the caption and its icon.
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        const int needed = button->fontMetrics().horizontalAdvance(text) +
                           (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
        return needed + (button->width() - inside.width());
    }
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        // Measured here: the box's own hint may have been taken before its items came.
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, combo->fontMetrics().boundingRect(combo->itemText(i)).width());
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        return combo->count() > 0 ? combo->style()
                                        ->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                           QSize(widest, combo->fontMetrics().height()), combo)
                                        .width()
                                  : 0;
    }
    if (auto *group = qobject_cast<const QGroupBox *>(w)) {
        if (group->title().isEmpty())
            return 0;
        QString text = group->title();
        text.remove(QLatin1Char('&'));
        return group->fontMetrics().horizontalAdvance(text) + 12;
    }
    return 0;
}

inline void Walk(const QWidget *w, const QList<const QAbstractScrollArea *> &scrolling, QStringList &out)
{
    for (const QObject *o : w->children()) {
        auto *child = qobject_cast<const QWidget *>(o);
        if (!child || child->isWindow() || !child->isVisible())
            continue;
        const QWidget *parent = child->parentWidget();
        auto *area = parent->parentWidget() ? qobject_cast<const QAbstractScrollArea *>(parent->parentWidget())
                                            : nullptr;
        const bool scrolled = area && area->viewport() == parent && scrolling.contains(area);
        if (!scrolled && !parent->rect().contains(child->geometry()))
            out << QStringLiteral("%1 at %2 cut by its parent %3x%4")
                       .arg(NameOf(child), RectText(child->geometry()))
                       .arg(parent->width())
                       .arg(parent->height());
        if (auto *label = qobject_cast<const QLabel *>(child);
            label && label->wordWrap() && label->heightForWidth(label->width()) > label->height())
            out << QStringLiteral("%1 is %2 high, its lines need %3")
                       .arg(NameOf(child))
                       .arg(child->height())
                       .arg(label->heightForWidth(label->width()));
        const int caption = CaptionWidth(child);
        if (caption > child->width())
            out << QStringLiteral("%1 is %2 wide, its caption needs %3").arg(NameOf(child)).arg(child->width()).arg(caption);
        Walk(child, scrolling, out);
    }
}

} // namespace fitcheck

// Every way in which the shown window cuts off a control: a control reaching out of its parent (a
// scroll area named in scrolling may hold a larger page), a caption wider than its control, the
// window with its frame reaching out of the screen's free area (area, when given, stands for it).
// Empty when the window shows all of itself.
inline QStringList CutOffControls(const QWidget *window, const QList<const QAbstractScrollArea *> &scrolling = {},
                                  QRect area = QRect())
{
    QStringList out;
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (area.isNull() && screen)
        area = screen->availableGeometry();
    if (!area.contains(window->frameGeometry()))
        out << QStringLiteral("window at %1 outside the screen's %2")
                   .arg(fitcheck::RectText(window->frameGeometry()), fitcheck::RectText(area));
    // The offscreen platform frames a window with 2-px borders only; a window manager adds a title
    // bar (openbox's frame, for one, is 20 high at the top, 1 at the sides, 5 at the bottom). The
    // window leaves room for the larger of the two on each side: at least a title bar of 30 and
    // borders of 6.
    const QMargins drawn = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const QMargins frame(std::max(drawn.left(), 6), std::max(drawn.top(), 30), std::max(drawn.right(), 6),
                         std::max(drawn.bottom(), 6));
    const QSize framed = window->size().grownBy(frame);
    if (framed.width() > area.width() || framed.height() > area.height())
        out << QStringLiteral("window of %1x%2 with a window manager's frame larger than the screen's %3")
                   .arg(framed.width())
                   .arg(framed.height())
                   .arg(fitcheck::RectText(area));
    fitcheck::Walk(window, scrolling, out);
    return out;
}
