#pragma once

#include <QDialog>

// "About Tovamo": the version line and an OK button. Run modally from the port
// dialog's context menu.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
