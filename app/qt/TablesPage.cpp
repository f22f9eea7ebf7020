#include "app/qt/TablesPage.h"

#include "app/qt/QtLayout.h"
#include "grid/qt/GridWnd.h"
#include "link/KeyWriter.h"
#include "platform/qt/QtFont.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

namespace {
QString SettingsSection() {
    return ResText(res::kSettingsSection);
}
}  // namespace

CTablesPage::CTablesPage(IKeyWriter& writer, QWidget* parent)
    : CMyCPropertyPage(CPageTemplate::Of(kTablesPageTemplate), parent),
      m_timers([this](unsigned handle) { m_pTables->OnTimer(handle); }, this),
      m_settings(ResText(res::kProductName) + QStringLiteral(" Dispenser")) {
    STablesServices services;
    services.pTickCount = &m_tick;
    services.pTimerHost = &m_timers;
    services.pKeyWriter = &writer;
    services.pMessageBox = &m_messages;
    services.pFileChooser = &m_tablesChooser;
    services.pWaitCursor = &m_cursor;
    services.pView = this;
    m_pTables = std::make_unique<CTables>(services);
    m_pLogic = std::make_unique<CTablesPageLogic>(*m_pTables, m_tick, static_cast<ITablesPageView&>(*this));

    // The window is attached before the set-up, so the set-up's column widths stand.
    m_pGridWnd = new CGridWnd(m_pTables->GetGrid(), this);
    m_pGridWnd->setObjectName(QString::number(res::kIdGrid));
    // Like every control of a dialog, the grid writes in the dialog's font: the header
    // texts then fit the column widths the set-up gives.
    const LOGFONT lf = LogFontFromFont(font());
    m_pTables->GetGrid().SetFont(&lf);
    m_pTables->OnInitDialog();
    m_pGridWnd->installEventFilter(this);  // the outcome tips and the context menu

    CreateButtons();
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("status"));
    m_pStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progress"));
    m_pProgress->setTextVisible(false);
    m_pProgress->hide();
    CreateSwitches();
    CreateFindField();
    LayOut();
}

// The grid's window goes before the core that owns its grid.
CTablesPage::~CTablesPage() {
    delete m_pGridWnd;
    m_pGridWnd = nullptr;
}

QPushButton* CTablesPage::MakeButton(int nId, const char* pszObjectName) {
    const SControlTemplate& tmpl = *kTablesPageTemplate.Find(nId);
    auto* button = new QPushButton(ResText(tmpl.pszText), this);
    button->setObjectName(pszObjectName != nullptr ? QString::fromLatin1(pszObjectName)
                                                   : QString::number(nId));
    button->setEnabled((tmpl.nStyle & kStyleDisabled) == 0);
    button->setAutoDefault(false);
    m_buttons[nId] = button;
    return button;
}

void CTablesPage::CreateButtons() {
    for (const int nId : {res::kIdReadDrive, res::kIdDriveToFile, res::kIdReadFile, res::kIdUpdateDrive,
                          res::kIdClearTable, res::kIdFileToNewFile})
        MakeButton(nId);
    connect(Button(res::kIdReadDrive), &QPushButton::clicked, this, [this] { StartRead(); });
    connect(Button(res::kIdDriveToFile), &QPushButton::clicked, this, [this] { m_pTables->OnDriveToFile(); });
    connect(Button(res::kIdReadFile), &QPushButton::clicked, this, [this] { ReadFile(); });
    connect(Button(res::kIdUpdateDrive), &QPushButton::clicked, this, [this] { StartUpdate(); });
    connect(Button(res::kIdClearTable), &QPushButton::clicked, this, [this] { ClearTable(); });
    connect(Button(res::kIdFileToNewFile), &QPushButton::clicked, this,
            [this] { m_pTables->OnFileToNewFile(); });

    m_pStop = MakeButton(res::kIdStop, "stop");
    connect(m_pStop, &QPushButton::clicked, this, [this] { StopProcedure(); });
    m_pMarkDiffering = MakeButton(res::kIdMarkDiffering, "markDiffering");
    connect(m_pMarkDiffering, &QPushButton::clicked, this, [this] { MarkDiffering(); });
}

QCheckBox* CTablesPage::MakeSwitch(int nId) {
    const SPageSwitch& kept = *std::find_if(std::begin(kTablesSwitches), std::end(kTablesSwitches),
                                            [nId](const SPageSwitch& entry) { return entry.nId == nId; });
    auto* box = new QCheckBox(ResText(kTablesPageTemplate.Find(nId)->pszText), this);
    if (kept.pszEntry == nullptr)
        return box;
    const QString entry = QString::fromLatin1(kept.pszEntry);
    box->setChecked(m_settings.GetProfileInt(SettingsSection(), entry, kept.bDefault ? 1 : 0) != 0);
    connect(box, &QCheckBox::toggled, this, [this, entry](bool bChecked) {
        m_settings.WriteProfileInt(SettingsSection(), entry, bChecked ? 1 : 0);
    });
    return box;
}

void CTablesPage::CreateSwitches() {
    m_pOnlyDiffering = MakeSwitch(res::kIdOnlyDiffering);
    connect(m_pOnlyDiffering, &QCheckBox::toggled, this, [this] { ApplyFilter(true); });
    m_pCompareNumbers = MakeSwitch(res::kIdCompareNumbers);
    m_pLogic->SetCompareNumbers(m_pCompareNumbers->isChecked(), false);
    connect(m_pCompareNumbers, &QCheckBox::toggled, this, [this](bool bChecked) {
        if (m_pLogic->SetCompareNumbers(bChecked, m_pOnlyDiffering->isChecked()))
            m_pGridWnd->update();
    });
    m_pVerify = MakeSwitch(res::kIdVerify);
    m_pFileName = new QLabel(this);
    m_pFileName->setObjectName(QStringLiteral("fileName"));
    m_pFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CTablesPage::CreateFindField() {
    m_pFindLabel = new QLabel(ResText(res::kFindLabel), this);
    m_pFindEdit = new QLineEdit(this);
    m_pFindEdit->setObjectName(QStringLiteral("find"));
    m_pFindLabel->setBuddy(m_pFindEdit);
    m_pFindLabel->hide();
    m_pFindEdit->hide();
    connect(m_pFindEdit, &QLineEdit::textEdited, this, [this] { FindStep(EFindStep::kHere); });
}

QPushButton* CTablesPage::Button(int nId) const {
    const auto it = m_buttons.find(nId);
    return it != m_buttons.end() ? it->second : nullptr;
}

void CTablesPage::LayOut() {
    const bool bFindOpen = m_pFindEdit->isVisible();
    const std::map<int, CRect> rects = TablesPageRects(ScaleOf(CDialogUnits(font())), {width(), height()},
                                                       bFindOpen, m_pProgress->isVisibleTo(this));
    const auto place = [&](QWidget* widget, int nId) { widget->setGeometry(ToQRect(rects.at(nId))); };
    if (bFindOpen) {
        place(m_pFindLabel, res::kIdFindLabel);
        place(m_pFindEdit, res::kIdFind);
    }
    place(m_pGridWnd, res::kIdGrid);
    for (const auto& [nId, button] : m_buttons)
        place(button, nId);
    place(m_pFileName, res::kIdFileName);
    place(m_pOnlyDiffering, res::kIdOnlyDiffering);
    place(m_pCompareNumbers, res::kIdCompareNumbers);
    place(m_pVerify, res::kIdVerify);
    place(m_pProgress, res::kIdProgress);
    place(m_pStatus, res::kIdStatus);
}

void CTablesPage::resizeEvent(QResizeEvent* event) {
    CMyCPropertyPage::resizeEvent(event);
    LayOut();
}

// Only a change of page leaves it; the hide that minimising the sheet sends comes from
// the window system (spontaneous) and starves nothing.
void CTablesPage::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        m_pLogic->OnPageLeft();
    CMyCPropertyPage::hideEvent(event);
}

void CTablesPage::StartRead(bool bVerify) {
    m_pLogic->StartRead(bVerify);
}

// "Stop", and the questions' Yes: the logic leaves a value being stepped with Escape.
void CTablesPage::StopProcedure() {
    m_pTables->OnStop();
}

void CTablesPage::ClearTable() {
    m_pLogic->ClearTable();
    m_pFileName->clear();
    m_pFileName->setToolTip({});
}

void CTablesPage::OnPageData(std::unique_ptr<CServoData> record) {
    m_pTables->OnServoData(std::move(record));
    m_pLogic->OnRecordHandled();
}

bool CTablesPage::ContinueModal() {
    m_pTables->ContinueModal();
    m_pLogic->OnContinueModal();
    return CMyCPropertyPage::ContinueModal();
}

void CTablesPage::OnButtonsChanged(const STablesButtons& /*buttons*/) {
    for (const int nId : {res::kIdDriveToFile, res::kIdUpdateDrive, res::kIdFileToNewFile})
        Button(nId)->setEnabled(m_pLogic->IsButtonEnabled(nId));
}

void CTablesPage::OnGridRedraw() {
    ApplyFilter(false);
    m_pGridWnd->repaint();
}

void CTablesPage::OnProcedureEnded(ETablesEnd how) {
    if (m_pLogic->OnProcedureEnded(how, m_pVerify->isChecked()))
        StartRead(true);  // what the drive holds now, compared with the file
}
