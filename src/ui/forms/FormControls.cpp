#include "FormControls.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
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

void FitWindowToControls(QWidget *window, const QSize &designedMinimum, const QSize &extra)
{
    QSize needed = designedMinimum;
    // Sizes kept from before the controls changed are forgotten, from the innermost up.
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if ((*it)->layout())
            (*it)->layout()->invalidate();
        (*it)->updateGeometry();
    }
    if (QLayout *layout = window->layout()) {
        layout->invalidate();
        needed = needed.expandedTo(layout->totalMinimumSize() + extra);
    }
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        // The title bar and borders stand outside the client area.
        const QSize frame = window->frameGeometry().size() - window->geometry().size();
        needed = needed.boundedTo(screen->availableSize() - frame);
    }
    window->setMinimumSize(needed);
    window->resize(window->size().expandedTo(needed));
}
