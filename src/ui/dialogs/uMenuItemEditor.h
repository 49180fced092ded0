#pragma once
// "Create Menu Item": caption, link and target of a sub-menu entry.
#include "MenuEntryDialog.h"
#include "uDesignTypes.h"

class TfrmCreateMenuItem : public TMenuEntryDialog {
    Q_OBJECT
public:
    TfrmCreateMenuItem();
};

// Edits the entry's caption, link and target in place; true when left with OK. An empty caption
// keeps the dialog's own title.
bool EditMenuItem(TFlashMenuItem &entry, const QString &caption);
