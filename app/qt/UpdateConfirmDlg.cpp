#include "app/qt/UpdateConfirmDlg.h"

#include "app/TablesPageLogic.h"
#include "platform/qt/DialogUnits.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
CUpdateConfirmDlg::Hook& TestHook() {
    static CUpdateConfirmDlg::Hook hook;
    return hook;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

// A list as tall as its lines up to ten, then scrolled; as wide as its longest line
// within reason.
QListWidget* MakeList(QWidget* parent, const QStringList& lines) {
    auto* list = new QListWidget(parent);
    list->addItems(lines);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    const int nFrame = 2 * list->frameWidth();
    const int nShown = std::clamp(static_cast<int>(lines.size()), 1, kConfirmListRows);
    list->setFixedHeight(list->sizeHintForRow(0) * nShown + nFrame);
    const int nScrollBar =
        lines.size() > kConfirmListRows ? list->verticalScrollBar()->sizeHint().width() : 0;
    list->setMinimumWidth(std::clamp(list->sizeHintForColumn(0) + nFrame + nScrollBar + 8, 240, 640));
    return list;
}
}  // namespace

CUpdateConfirmDlg::CUpdateConfirmDlg(const SUpdatePlan& plan, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(res::kUpdateDrive));
    setFont(DialogFont());
    const std::size_t nChanges = plan.changes.size();
    m_pHeading = new QLabel(Utf8(UpdateConfirmHeading(nChanges)), this);
    QStringList changes;
    for (const SPlannedChange& change : plan.changes)
        changes << Utf8(PlanChangeUtf8(change));
    QStringList leftAlone;
    for (const SPlannedSkip& skip : plan.leftAlone)
        leftAlone << Utf8(PlanSkipUtf8(skip));
    m_pChanges = MakeList(this, changes);
    m_pLeftAlone = MakeList(this, leftAlone);

    auto* buttons = new QDialogButtonBox(this);
    m_pUpdate = buttons->addButton(QString::fromLatin1(kConfirmUpdateButton), QDialogButtonBox::AcceptRole);
    m_pCancel = buttons->addButton(QString::fromLatin1(res::kCancel), QDialogButtonBox::RejectRole);
    m_pUpdate->setAutoDefault(false);
    m_pCancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pHeading);
    layout->addWidget(m_pChanges);
    m_pChanges->setVisible(nChanges != 0);
    auto* leftAloneLabel = new QLabel(QString::fromLatin1(kLeftAloneLabel), this);
    layout->addWidget(leftAloneLabel);
    layout->addWidget(m_pLeftAlone);
    leftAloneLabel->setVisible(!leftAlone.isEmpty());
    m_pLeftAlone->setVisible(!leftAlone.isEmpty());
    layout->addWidget(buttons);
    m_pCancel->setFocus();
}

bool CUpdateConfirmDlg::Confirm(const SUpdatePlan& plan, QWidget* parent) {
    CUpdateConfirmDlg dialog(plan, parent);
    if (TestHook())
        return TestHook()(dialog);
    return dialog.exec() == QDialog::Accepted;
}

CUpdateConfirmDlg::Hook CUpdateConfirmDlg::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}
