#pragma once
#include <QMainWindow>

// The designer's main window; it owns the design for the whole run.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(const QString &programFolder, QWidget *parent = nullptr);

    const QString &ProgramFolder() const { return m_programFolder; }

private:
    QString m_programFolder;
};
