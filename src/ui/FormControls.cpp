#include "FormControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
