#pragma once
#include "MessageBox.h"

// Shows platform message boxes as QMessageBox dialogs.
int ShowQtMessageBox(const MessageBoxRequest &request);
