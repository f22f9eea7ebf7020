#include "app/qt/TablesPage.h"

#include "app/qt/Resources.h"
#include "grid/qt/GridWnd.h"
#include "link/KeyWriter.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/QtFont.h"
#include "table/TableRows.h"
#include "table/TablesPageText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

namespace {

struct SControlTemplate {
    int nId;
    const char* pszText;
    int x, y, width, height;
    bool bEnabled;
};

constexpr SControlTemplate kButtons[] = {
    {res::kIdReadDrive, res::kReadDrive, 15, 197, 64, 14, true},
    {res::kIdDriveToFile, res::kDriveToFile, 89, 197, 64, 14, false},
    {res::kIdReadFile, res::kReadFile, 166, 196, 64, 14, true},
    {res::kIdUpdateDrive, res::kUpdateDrive, 241, 196, 64, 14, false},
    {res::kIdClearTable, res::kClearTable, 310, 196, 64, 14, true},
    {res::kIdFileToNewFile, res::kFileToNewFile, 89, 216, 64, 14, false},
};

constexpr int kGridId = 1006;
constexpr int kGridX = 7, kGridY = 7, kGridWidth = 432, kGridHeight = 182;
// Right of "Clear Table", and left of "File To New File": room the template leaves free.
constexpr SControlTemplate kStop = {0, "Stop", 379, 196, 60, 14, false};
constexpr SControlTemplate kMarkDiffering = {0, "Mark Differing", 15, 216, 64, 14, true};
// The loaded file's name right of "File To New File".
constexpr int kFileNameX = 166, kFileNameY = 216, kFileNameWidth = 273, kFileNameHeight = 14;
// A row of switches under the buttons, then the status line across the page; the
// progress bar takes the line's right end while a procedure runs.
constexpr int kSwitchY = 234, kSwitchHeight = 10;
enum ESwitch { kOnlyDiffering, kCompareNumbers, kVerify };
constexpr SControlTemplate kSwitches[] = {
    {0, "Only rows that differ", 15, kSwitchY, 92, kSwitchHeight, true},
    {0, "Compare as numbers", 111, kSwitchY, 84, kSwitchHeight, true},
    {0, "Verify after update", 199, kSwitchY, 84, kSwitchHeight, true},
};
constexpr int kStatusX = 15, kStatusY = 249, kStatusWidth = 424, kStatusHeight = 12;
constexpr int kProgressWidth = 60, kProgressGap = 4;
// The find field takes a row at the bottom of the grid while it is open.
constexpr int kFindHeight = 14, kFindGap = 3, kFindLabelWidth = 22, kFindEditWidth = 140;

QString SettingsSection() {
    return QString::fromLatin1(res::kSettingsSection);
}

}  // namespace

CTablesPage::CTablesPage(IKeyWriter& writer, QWidget* parent)
    : CMyCPropertyPage({kTemplate.m_nId, kTemplate.m_pszTitle, kTemplate.m_nWidth, kPageHeight}, parent),
      m_timers([this](unsigned handle) { m_pTables->OnTimer(handle); }, this),
      m_settings(QString::fromLatin1(res::kProductName) + QStringLiteral(" Dispenser")) {
    STablesServices services;
    services.pTickCount = &m_tick;
    services.pTimerHost = &m_timers;
    services.pKeyWriter = &writer;
    services.pMessageBox = &m_messages;
    services.pFileChooser = &m_tablesChooser;
    services.pWaitCursor = &m_cursor;
    services.pView = this;
    m_pTables = std::make_unique<CTables>(services);

    // The window is attached before the set-up, so the set-up's column widths stand.
    m_pGridWnd = new CGridWnd(m_pTables->GetGrid(), this);
    m_pGridWnd->setObjectName(QString::number(kGridId));
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

void CTablesPage::CreateButtons() {
    for (const SControlTemplate& tmpl : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(tmpl.pszText), this);
        button->setObjectName(QString::number(tmpl.nId));
        button->setEnabled(tmpl.bEnabled);
        button->setAutoDefault(false);
        m_buttons[tmpl.nId] = button;
    }
    connect(Button(res::kIdReadDrive), &QPushButton::clicked, this, [this] { StartRead(); });
    connect(Button(res::kIdDriveToFile), &QPushButton::clicked, this, [this] { m_pTables->OnDriveToFile(); });
    connect(Button(res::kIdReadFile), &QPushButton::clicked, this, [this] { ReadFile(); });
    connect(Button(res::kIdUpdateDrive), &QPushButton::clicked, this, [this] { StartUpdate(); });
    connect(Button(res::kIdClearTable), &QPushButton::clicked, this, [this] { ClearTable(); });
    connect(Button(res::kIdFileToNewFile), &QPushButton::clicked, this,
            [this] { m_pTables->OnFileToNewFile(); });

    m_pStop = new QPushButton(QString::fromLatin1(kStop.pszText), this);
    m_pStop->setObjectName(QStringLiteral("stop"));
    m_pStop->setEnabled(false);
    m_pStop->setAutoDefault(false);
    connect(m_pStop, &QPushButton::clicked, this, [this] { StopProcedure(); });
    m_pMarkDiffering = new QPushButton(QString::fromLatin1(kMarkDiffering.pszText), this);
    m_pMarkDiffering->setObjectName(QStringLiteral("markDiffering"));
    m_pMarkDiffering->setAutoDefault(false);
    connect(m_pMarkDiffering, &QPushButton::clicked, this, [this] { MarkDiffering(); });
}

QCheckBox* CTablesPage::MakeSwitch(int nIndex, const char* pszEntry, int nDefault) {
    auto* box = new QCheckBox(QString::fromLatin1(kSwitches[nIndex].pszText), this);
    if (pszEntry == nullptr)
        return box;
    box->setChecked(m_settings.GetProfileInt(SettingsSection(), QString::fromLatin1(pszEntry), nDefault) !=
                    0);
    connect(box, &QCheckBox::toggled, this, [this, pszEntry](bool bChecked) {
        m_settings.WriteProfileInt(SettingsSection(), QString::fromLatin1(pszEntry), bChecked ? 1 : 0);
    });
    return box;
}

void CTablesPage::CreateSwitches() {
    m_pOnlyDiffering = MakeSwitch(kOnlyDiffering, nullptr, 0);
    connect(m_pOnlyDiffering, &QCheckBox::toggled, this, [this] { ApplyFilter(true); });
    m_pCompareNumbers = MakeSwitch(kCompareNumbers, kCompareEntry, 0);
    m_pTables->SetCompare(m_pCompareNumbers->isChecked() ? ECompare::kNumeric : ECompare::kText);
    connect(m_pCompareNumbers, &QCheckBox::toggled, this, [this](bool bChecked) {
        m_pTables->SetCompare(bChecked ? ECompare::kNumeric : ECompare::kText);
        if (m_pOnlyDiffering->isChecked())
            ApplyFilter(true);
    });
    m_pVerify = MakeSwitch(kVerify, kVerifyEntry, 1);
    m_pFileName = new QLabel(this);
    m_pFileName->setObjectName(QStringLiteral("fileName"));
    m_pFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CTablesPage::CreateFindField() {
    m_pFindLabel = new QLabel(QStringLiteral("Find:"), this);
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

// At the page's least size everything sits at its template position; a larger page
// gives the grid the extra room and moves the controls below it down with its bottom
// edge. The open find field takes a row off the grid's bottom.
void CTablesPage::LayOut() {
    const CDialogUnits du(font());
    const QSize extra = (size() - du.Size(kTemplate.m_nWidth, kPageHeight)).expandedTo(QSize(0, 0));
    QRect grid =
        du.Rect(kGridX, kGridY, kGridWidth, kGridHeight).adjusted(0, 0, extra.width(), extra.height());
    if (m_pFindEdit->isVisible()) {
        const QRect find =
            du.Rect(kGridX, 0, 0, kFindHeight).translated(0, grid.bottom() + 1 - du.Y(kFindHeight));
        m_pFindLabel->setGeometry(find.x(), find.y(), du.X(kFindLabelWidth), find.height());
        m_pFindEdit->setGeometry(find.x() + du.X(kFindLabelWidth), find.y(), du.X(kFindEditWidth),
                                 find.height());
        grid.setBottom(find.top() - du.Y(kFindGap));
    }
    m_pGridWnd->setGeometry(grid);
    LayOutBelowGrid(extra);
}

void CTablesPage::LayOutBelowGrid(const QSize& extra) {
    const CDialogUnits du(font());
    const auto place = [&](QWidget* widget, const SControlTemplate& tmpl, int nWiden = 0) {
        widget->setGeometry(du.Rect(tmpl.x, tmpl.y, tmpl.width, tmpl.height)
                                .adjusted(0, 0, nWiden, 0)
                                .translated(0, extra.height()));
    };
    for (const SControlTemplate& tmpl : kButtons)
        place(Button(tmpl.nId), tmpl);
    place(m_pStop, kStop);
    place(m_pMarkDiffering, kMarkDiffering);
    m_pFileName->setGeometry(du.Rect(kFileNameX, kFileNameY, kFileNameWidth, kFileNameHeight)
                                 .adjusted(0, 0, extra.width(), 0)
                                 .translated(0, extra.height()));
    place(m_pOnlyDiffering, kSwitches[kOnlyDiffering]);
    place(m_pCompareNumbers, kSwitches[kCompareNumbers]);
    place(m_pVerify, kSwitches[kVerify]);
    const QRect status = du.Rect(kStatusX, kStatusY, kStatusWidth, kStatusHeight)
                             .adjusted(0, 0, extra.width(), 0)
                             .translated(0, extra.height());
    const int nBarWidth = du.X(kProgressWidth);
    m_pProgress->setGeometry(status.right() + 1 - nBarWidth, status.y() + du.Y(1), nBarWidth,
                             status.height() - du.Y(2));
    // The line gives the bar its room only while the bar is shown.
    m_pStatus->setGeometry(
        status.adjusted(0, 0, m_pProgress->isVisibleTo(this) ? -(nBarWidth + du.X(kProgressGap)) : 0, 0));
}

void CTablesPage::resizeEvent(QResizeEvent* event) {
    CMyCPropertyPage::resizeEvent(event);
    LayOut();
}

// Only a change of page leaves it; the hide that minimising the sheet sends comes from
// the window system (spontaneous) and starves nothing.
void CTablesPage::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        m_bLeftWhileRunning = m_bLeftWhileRunning || m_eRunning != EProcedure::kNone;
    CMyCPropertyPage::hideEvent(event);
}

void CTablesPage::StartRead(bool bVerify) {
    if (bVerify)
        m_pTables->OnVerifyDrive();
    else
        m_pTables->OnReadDrive();
    m_eRunning = bVerify ? EProcedure::kVerify : EProcedure::kRead;
    m_bLeftWhileRunning = false;
    m_dwStartTick = m_tick.GetTickCount();
    m_dwShownSecond = 0;
    m_pStop->setEnabled(true);
    m_pStatus->setText(QStringLiteral("Reading: starting"));
    const SProgressBar bar = ReadProgressBar(0, m_nLastReadTotal);
    ShowProgressBar(bar.nValue, bar.nMaximum);
}

void CTablesPage::StartUpdate() {
    if (!ConfirmAndSnapshot())
        return;
    m_pTables->OnUpdateDrive();
    m_eRunning = EProcedure::kUpdate;
    m_bLeftWhileRunning = false;
    m_dwStartTick = m_tick.GetTickCount();
    m_dwShownSecond = 0;
    m_markedVisited.clear();
    m_pStop->setEnabled(true);
    m_pStatus->setText(QStringLiteral("Updating: starting"));
    ShowProgressBar(0, 1);
}

// "Stop", and the questions' Yes: the logic leaves a value being stepped with Escape.
void CTablesPage::StopProcedure() {
    m_pTables->OnStop();
}

void CTablesPage::ClearTable() {
    m_pTables->OnClearTable();
    m_strSnapshot.clear();
    m_pFileName->clear();
    m_pFileName->setToolTip({});
}

void CTablesPage::OnPageData(std::unique_ptr<CServoData> record) {
    m_pTables->OnServoData(std::move(record));
    ShowProgress();
}

bool CTablesPage::ContinueModal() {
    m_pTables->ContinueModal();
    ShowElapsed();
    return CMyCPropertyPage::ContinueModal();
}

void CTablesPage::OnButtonsChanged(const STablesButtons& buttons) {
    Button(res::kIdDriveToFile)->setEnabled(buttons.bDriveToFile);
    Button(res::kIdUpdateDrive)->setEnabled(buttons.bUpdateDrive);
    Button(res::kIdFileToNewFile)->setEnabled(buttons.bFileToNewFile);
}

void CTablesPage::OnGridRedraw() {
    ApplyFilter(false);
    m_pGridWnd->repaint();
}

void CTablesPage::OnProcedureEnded(ETablesEnd how) {
    const EProcedure eEnded = m_eRunning;
    m_eRunning = EProcedure::kNone;
    m_pStop->setEnabled(false);
    HideProgressBar();
    if (how == ETablesEnd::kCompleted && eEnded != EProcedure::kUpdate)
        m_nLastReadTotal = CountParameters();
    ShowEnd(how, eEnded);
    if (how == ETablesEnd::kCompleted && eEnded == EProcedure::kUpdate && m_pVerify->isChecked())
        StartRead(true);  // what the drive holds now, compared with the file
}
