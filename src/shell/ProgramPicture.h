#pragma once
// Pictures of the wizard and the about box: the language's own picture when the program folder has
// one, else one drawn here.
#include <QPixmap>
#include <QString>

class QLabel;

// A vertical strip with the program's mark: a bar of menu buttons over a soft gradient.
QPixmap ProgramPicture(const QSize &size);

// "Lang/" + language + suffix of the program folder (found without regard to case) into the label.
// False, the label unchanged, when the file is missing, is no picture, or the language name would
// lead out of the language folder.
bool LoadLanguagePicture(QLabel *image, const QString &programFolder, const QString &language, const QString &suffix);
