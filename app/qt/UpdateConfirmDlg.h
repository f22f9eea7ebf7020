#pragma once

#include "table/UpdatePlan.h"

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

// The question before "Update DC Drive": how many marked parameters will be changed and
// which ("name: drive value → file value"), and apart from them those left alone.
// "Cancel" is the default button, so Enter alone never starts an update. A test installs
// a hook that gets the finished dialog and answers in place of the user.
class CUpdateConfirmDlg : public QDialog {
    Q_OBJECT
public:
    using Hook = std::function<bool(CUpdateConfirmDlg& dialog)>;

    CUpdateConfirmDlg(const SUpdatePlan& plan, QWidget* parent = nullptr);

    // True when the user chose "&Update".
    static bool Confirm(const SUpdatePlan& plan, QWidget* parent);
    static Hook SetTestHook(Hook hook);

    QLabel* Heading() const { return m_pHeading; }
    QListWidget* Changes() const { return m_pChanges; }
    QListWidget* LeftAlone() const { return m_pLeftAlone; }
    QPushButton* UpdateButton() const { return m_pUpdate; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    QLabel* m_pHeading = nullptr;
    QListWidget* m_pChanges = nullptr;
    QListWidget* m_pLeftAlone = nullptr;
    QPushButton* m_pUpdate = nullptr;
    QPushButton* m_pCancel = nullptr;
};
