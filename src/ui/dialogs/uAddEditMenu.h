#pragma once
// "Add Menu": caption, link, target and position of a main-menu entry.
#include "MenuEntryDialog.h"

#include <QList>

class QComboBox;
class QLabel;

class TfrmEditMenu : public TMenuEntryDialog {
    Q_OBJECT
public:
    TfrmEditMenu();

    QLabel *lblPosition = nullptr;
    QComboBox *cbPosition = nullptr;
};

// One item of the position list with the number attached to it.
struct TMenuPositionItem {
    QString Text;
    int Number = 0;
};

// What the main window hands in and gets back.
struct TEditMenuValues {
    QString Name;
    QString Url;
    QString Target;
    QList<TMenuPositionItem> Positions;
    // After OK: the index in Positions of the chosen item, -1 when the list is empty.
    int Position = -1;
};

// Shows the dialog on the values, the first position chosen; an empty caption keeps "Add Menu".
// On OK the values are read back and true comes back; otherwise they stay as they were.
bool EditMenuDialog(TEditMenuValues &values, const QString &caption);
