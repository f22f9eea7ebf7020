#include "app/TablesPage.h"

#include "app/Resources.h"
#include "grid/qt/GridWnd.h"
#include "link/KeyWriter.h"
#include "platform/qt/Cp1252.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/QtFont.h"
#include "table/FixedPoint.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include <cctype>

namespace {

struct SButtonTemplate {
    int nId;
    const char* pszText;
    int x, y, width, height;
    bool bEnabled;
};

constexpr SButtonTemplate kButtons[] = {
    {res::kIdReadDrive, res::kReadDrive, 15, 197, 64, 14, true},
    {res::kIdDriveToFile, res::kDriveToFile, 89, 197, 64, 14, false},
    {res::kIdReadFile, res::kReadFile, 166, 196, 64, 14, true},
    {res::kIdUpdateDrive, res::kUpdateDrive, 241, 196, 64, 14, false},
    {res::kIdClearTable, res::kClearTable, 310, 196, 64, 14, true},
    {res::kIdFileToNewFile, res::kFileToNewFile, 89, 216, 64, 14, false},
};

constexpr int kGridId = 1006;
constexpr int kGridX = 7, kGridY = 7, kGridWidth = 432, kGridHeight = 182;
// The status line takes the free room right of "File To New File", under the grid.
constexpr int kStatusX = 166, kStatusY = 216, kStatusWidth = 273, kStatusHeight = 14;

}  // namespace

CTablesPage::CTablesPage(IKeyWriter& writer, QWidget* parent)
    : CMyCPropertyPage(kTemplate, parent),
      m_timers([this](unsigned handle) { m_pTables->OnTimer(handle); }, this) {
    STablesServices services;
    services.pTickCount = &m_tick;
    services.pTimerHost = &m_timers;
    services.pKeyWriter = &writer;
    services.pMessageBox = &m_messages;
    services.pFileChooser = &m_chooser;
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

    CreateButtons();
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("status"));
    m_pStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LayOut();
}

// The grid's window goes before the core that owns its grid.
CTablesPage::~CTablesPage() {
    delete m_pGridWnd;
    m_pGridWnd = nullptr;
}

void CTablesPage::CreateButtons() {
    for (const SButtonTemplate& tmpl : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(tmpl.pszText), this);
        button->setObjectName(QString::number(tmpl.nId));
        button->setEnabled(tmpl.bEnabled);
        button->setAutoDefault(false);
        m_buttons[tmpl.nId] = button;
    }
    connect(Button(res::kIdReadDrive), &QPushButton::clicked, this, [this] { StartRead(); });
    connect(Button(res::kIdDriveToFile), &QPushButton::clicked, this, [this] { m_pTables->OnDriveToFile(); });
    // Only a file that was read has anything to compare; a cancelled dialog or a file
    // error leaves the line to a procedure that still runs.
    connect(Button(res::kIdReadFile), &QPushButton::clicked, this, [this] {
        if (m_pTables->OnReadFile())
            ShowComparison();
    });
    connect(Button(res::kIdUpdateDrive), &QPushButton::clicked, this, [this] { StartUpdate(); });
    connect(Button(res::kIdClearTable), &QPushButton::clicked, this, [this] { m_pTables->OnClearTable(); });
    connect(Button(res::kIdFileToNewFile), &QPushButton::clicked, this,
            [this] { m_pTables->OnFileToNewFile(); });
}

QPushButton* CTablesPage::Button(int nId) const {
    const auto it = m_buttons.find(nId);
    return it != m_buttons.end() ? it->second : nullptr;
}

// At the template's size everything sits at its template position; a larger page
// gives the grid the extra room and moves the buttons and status line down with its
// bottom edge.
void CTablesPage::LayOut() {
    const CDialogUnits du(font());
    const QSize extra = (size() - du.Size(kTemplate.m_nWidth, kTemplate.m_nHeight)).expandedTo(QSize(0, 0));
    const QRect grid = du.Rect(kGridX, kGridY, kGridWidth, kGridHeight);
    m_pGridWnd->setGeometry(grid.adjusted(0, 0, extra.width(), extra.height()));
    for (const SButtonTemplate& tmpl : kButtons)
        Button(tmpl.nId)->setGeometry(
            du.Rect(tmpl.x, tmpl.y, tmpl.width, tmpl.height).translated(0, extra.height()));
    m_pStatus->setGeometry(du.Rect(kStatusX, kStatusY, kStatusWidth, kStatusHeight)
                               .adjusted(0, 0, extra.width(), 0)
                               .translated(0, extra.height()));
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

void CTablesPage::StartRead() {
    m_pTables->OnReadDrive();
    m_eRunning = EProcedure::kRead;
    m_bLeftWhileRunning = false;
    m_pStatus->setText(QStringLiteral("Reading: starting"));
}

void CTablesPage::StartUpdate() {
    m_pTables->OnUpdateDrive();
    m_eRunning = EProcedure::kUpdate;
    m_bLeftWhileRunning = false;
    m_markedVisited.clear();
    m_pStatus->setText(QStringLiteral("Updating: starting"));
}

void CTablesPage::OnPageData(std::unique_ptr<CServoData> record) {
    m_pTables->OnServoData(std::move(record));
    ShowProgress();
}

bool CTablesPage::ContinueModal() {
    m_pTables->ContinueModal();
    return CMyCPropertyPage::ContinueModal();
}

// The parameters this read has shown a value of (the sub-menus' own rows have none);
// rows left from an earlier read that the drive no longer shows do not count.
int CTablesPage::CountParameters() const {
    return m_pTables->GetParametersSeen();
}

namespace {
// The drive shows the file's value: the same text, or the same number written otherwise.
bool Reached(const std::string& strDrive, const std::string& strFile) {
    if (strDrive == strFile)
        return true;
    auto numeric = [](const std::string& str) {
        return !str.empty() && (std::isdigit(static_cast<unsigned char>(str[0])) != 0 || str[0] == '-' ||
                                str[0] == '+' || str[0] == '.');
    };
    return numeric(strDrive) && numeric(strFile) && CFixedPoint(strDrive) == CFixedPoint(strFile);
}
}  // namespace

QString CTablesPage::UpdateSummary() const {
    const CGridCtrl& grid = m_pTables->GetGrid();
    int nMarked = 0;
    int nReached = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        if (grid.GetItemText(nRow, 3) != "Yes")
            continue;
        ++nMarked;
        nReached += Reached(grid.GetItemText(nRow, 1), grid.GetItemText(nRow, 2)) ? 1 : 0;
    }
    return QStringLiteral("%1 of %2 marked parameters reached").arg(nReached).arg(nMarked);
}

// After "Read File": how the file compares with what the drive showed.
void CTablesPage::ShowComparison() {
    const CGridCtrl& grid = m_pTables->GetGrid();
    int nDiffer = 0;
    int nMissing = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const std::string strFile = grid.GetItemText(nRow, 2);
        if (strFile.empty())
            continue;
        const std::string strDrive = grid.GetItemText(nRow, 1);
        nMissing += strDrive.empty() ? 1 : 0;
        nDiffer += !strDrive.empty() && strDrive != strFile ? 1 : 0;
    }
    m_pStatus->setText(QStringLiteral("Compared with the file: %1 differ, %2 without a drive value")
                           .arg(nDiffer)
                           .arg(nMissing));
}

void CTablesPage::ShowProgress() {
    if (m_pTables->IsReading()) {
        m_pStatus->setText(QStringLiteral("Reading: %1 parameters, level %2")
                               .arg(CountParameters())
                               .arg(m_pTables->GetLevel()));
    } else if (m_pTables->IsUpdating()) {
        m_pStatus->setText(UpdateProgress());
    }
}

// "Updating: P12 ..., 4 of 10 marked parameters done": the marked parameters the walk
// has passed count as done, the one open now does not yet.
QString CTablesPage::UpdateProgress() {
    const CGridCtrl& grid = m_pTables->GetGrid();
    int nMarked = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        nMarked += grid.GetItemText(nRow, 3) == "Yes" ? 1 : 0;
    const int nRow = m_pTables->GetCurrentRow();
    const bool bMarkedOpen = nRow > 0 && grid.GetItemText(nRow, 3) == "Yes";
    if (bMarkedOpen)
        m_markedVisited.insert(nRow);
    const int nDone = static_cast<int>(m_markedVisited.size()) - (bMarkedOpen ? 1 : 0);
    const QString name = nRow > 0
                             ? DecodeWindows1252(grid.GetItemText(nRow, 0)).trimmed() + QStringLiteral(" ...")
                             : QStringLiteral("...");
    return QStringLiteral("Updating: %1, %2 of %3 marked parameters done").arg(name).arg(nDone).arg(nMarked);
}

void CTablesPage::OnButtonsChanged(const STablesButtons& buttons) {
    Button(res::kIdDriveToFile)->setEnabled(buttons.bDriveToFile);
    Button(res::kIdUpdateDrive)->setEnabled(buttons.bUpdateDrive);
    Button(res::kIdFileToNewFile)->setEnabled(buttons.bFileToNewFile);
}

void CTablesPage::OnGridRedraw() {
    m_pGridWnd->repaint();
}

void CTablesPage::OnProcedureEnded(ETablesEnd how) {
    const EProcedure eEnded = m_eRunning;
    m_eRunning = EProcedure::kNone;
    switch (how) {
        case ETablesEnd::kCompleted:
            m_pStatus->setText(eEnded == EProcedure::kUpdate
                                   ? QStringLiteral("Update complete: ") + UpdateSummary()
                                   : QStringLiteral("Read complete: %1 parameters").arg(CountParameters()));
            break;
        case ETablesEnd::kWatchdog:
            // A procedure starves while another page takes the drive's answers.
            m_pStatus->setText(
                m_bLeftWhileRunning
                    ? QStringLiteral("No answer from the drive for 1.3 s (the Table page was left)")
                    : QStringLiteral("No answer from the drive for 1.3 s"));
            break;
        case ETablesEnd::kOverflow:
            m_pStatus->setText(QStringLiteral("Overflov Levels"));
            break;
        case ETablesEnd::kStopped:
            m_pStatus->setText(eEnded == EProcedure::kUpdate ? QStringLiteral("Update stopped")
                                                             : QStringLiteral("Read stopped"));
            break;
        case ETablesEnd::kNoWrap:
            m_pStatus->setText((eEnded == EProcedure::kUpdate ? QStringLiteral("Update stopped")
                                                              : QStringLiteral("Read stopped")) +
                               QStringLiteral(": the drive's menu did not come back to its first item"));
            break;
    }
}
