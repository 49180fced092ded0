#include "FormControls.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVariant>
#include <QWindow>
#include <limits>

QPushButton *MakeNamedButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel *MakeNamedLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit *WholeValues(QLineEdit *edit)
{
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QString PlainMenuText(const QString &text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void WidenToCaption(QWidget *control, int width)
{
    // A combo box's hint holds its widest item: it follows its items from now on, never below
    // width. Other controls' hints hold their caption.
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setMinimumWidth(width);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    const int needed = control->sizeHint().width();
    control->resize(std::max(width, needed), control->height());
}

QMargins WindowFrameRoom(const QWidget *window)
{
    // A title bar of 30 and borders of 6 hold the usual window managers' frames.
    const QMargins usual(6, 30, 6, 6);
    const QWindow *handle = window->windowHandle();
    const QMargins drawn = handle ? handle->frameMargins() : QMargins();
    return QMargins(std::max(drawn.left(), usual.left()), std::max(drawn.top(), usual.top()),
                    std::max(drawn.right(), usual.right()), std::max(drawn.bottom(), usual.bottom()));
}

namespace {

// The page a scroll area holds whole where the screen has room, kept on the area.
const char *const WholePageProperty = "tolvanarWholePage";

QSize WholePageMinimum(const QAbstractScrollArea *area)
{
    const int frame = 2 * area->frameWidth();
    return area->property(WholePageProperty).toSize() + QSize(frame, frame);
}

} // namespace

void HoldWholePage(QAbstractScrollArea *area, const QSize &page)
{
    area->setProperty(WholePageProperty, page);
    area->setMinimumSize(WholePageMinimum(area));
}

void FitWindowToControls(QWidget *window, const QSize &designedMinimum, const QSize &extra)
{
    // The page areas start from their whole pages again: the room may have grown since.
    QList<QAbstractScrollArea *> pages;
    for (QAbstractScrollArea *area : window->findChildren<QAbstractScrollArea *>())
        if (area->property(WholePageProperty).isValid()) {
            area->setMinimumSize(WholePageMinimum(area));
            pages << area;
        }
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    auto needs = [&] {
        // Sizes kept from before the controls changed are forgotten, from the innermost up.
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            if ((*it)->layout())
                (*it)->layout()->invalidate();
            (*it)->updateGeometry();
        }
        QLayout *layout = window->layout();
        if (!layout)
            return QSize(0, 0);
        layout->invalidate();
        return layout->totalMinimumSize() + extra;
    };
    QSize needed = designedMinimum.expandedTo(needs());
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableSize().shrunkBy(WindowFrameRoom(window))
                              : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize missing = (needs() - room).expandedTo(QSize(0, 0));
    if (!pages.isEmpty() && (missing.width() > 0 || missing.height() > 0)) {
        QAbstractScrollArea *area = pages.first();
        QSize least = area->minimumSize() - missing;
        // The scroll bar stands across the way the page scrolls, beside the part that still shows whole.
        if (missing.width() > 0)
            least.rheight() += area->horizontalScrollBar()->sizeHint().height();
        if (missing.height() > 0)
            least.rwidth() += area->verticalScrollBar()->sizeHint().width();
        area->setMinimumSize(least.expandedTo(QSize(0, 0)));
        needed = designedMinimum.expandedTo(needs());
    }
    needed = needed.boundedTo(room);
    window->setMinimumSize(needed);
    window->resize(window->size().expandedTo(needed).boundedTo(room));
}
