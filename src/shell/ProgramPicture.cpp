#include "ProgramPicture.h"

#include "Paths.h"
#include "Trans.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

QPixmap ProgramPicture(const QSize &size)
{
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x2B, 0x5C, 0x9E));
    sky.setColorAt(1, QColor(0xE8, 0xF0, 0xFA));
    p.fillRect(picture.rect(), sky);

    // Three menu buttons, the middle one opened with its sub-entries.
    const int w = size.width() * 7 / 10;
    const int left = (size.width() - w) / 2;
    const int h = qMax(12, size.height() / 16);
    int top = size.height() / 5;
    for (int i = 0; i < 3; ++i) {
        const QRectF button(left, top, w, h);
        p.setPen(QPen(QColor(0x1D, 0x3F, 0x6E), 1));
        p.setBrush(i == 1 ? QColor(0xF5, 0xA6, 0x23) : QColor(0xFF, 0xFF, 0xFF));
        p.drawRoundedRect(button, 4, 4);
        top += h + h / 3;
        if (i == 1)
            for (int k = 0; k < 3; ++k) {
                p.setBrush(QColor(0xFF, 0xF4, 0xE0));
                p.drawRoundedRect(QRectF(left + w / 5, top, w * 4 / 5, h * 3 / 4), 3, 3);
                top += h * 3 / 4 + h / 4;
            }
    }
    return picture;
}

bool LoadLanguagePicture(QLabel *image, const QString &programFolder, const QString &language, const QString &suffix)
{
    // A language name with folder parts could point anywhere: only a plain name is looked up.
    if (language.isEmpty() || language.contains(QLatin1Char('/')) || language.contains(QLatin1Char('\\')))
        return false;
    const QString found = FindTemplateFile(programFolder, QStringLiteral("Lang/") + language + suffix);
    return !found.isEmpty() && LoadAppImage(image, programFolder, found.mid(WithSlash(programFolder).size()));
}
