#include "app/qt/TovamoDlg.h"

#include "app/qt/AboutDlg.h"
#include "app/qt/AppIcon.h"
#include "app/qt/Globals.h"
#include "app/qt/MySheet.h"
#include "app/qt/Resources.h"
#include "link/Hardware.h"
#include "link/PortNames.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/SettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {
// How often the list looks for adapters plugged in or out: a plug shows within a second.
constexpr int kAdapterScanMs = 1000;

QString PortName(int number) {
    return QStringLiteral("COM%1").arg(number);
}
}  // namespace

CTovamoDlg::CTovamoDlg(CHardware& hardware, CSettingsStore& settings, SAdapterFolders adapterFolders,
                       QWidget* parent)
    : QDialog(parent), m_Hardware(hardware), m_Settings(settings), m_AdapterScan(std::move(adapterFolders)) {
    setWindowTitle(QString::fromLatin1(res::kAppTitle));
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(320, 200));

    m_pConnect = new QPushButton(QString::fromLatin1(res::kConnect), this);
    m_pConnect->setGeometry(du.Rect(7, 179, 50, 14));
    m_pConnect->setDefault(true);
    auto* cancel = new QPushButton(QString::fromLatin1(res::kCancel), this);
    cancel->setGeometry(du.Rect(63, 179, 50, 14));

    m_pCombo = new QComboBox(this);
    m_pCombo->setEditable(true);
    m_pCombo->setInsertPolicy(QComboBox::NoInsert);  // typed text is never a port
    // No completion either: an inline completion would take Enter away from Connect.
    m_pCombo->setCompleter(nullptr);
    m_pCombo->setMaxVisibleItems(8);  // the template's dropped height
    m_pCombo->setGeometry(du.Rect(63, 158, 50, 12));
    auto* select = new QLabel(QString::fromLatin1(res::kSelectCom), this);
    select->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    select->setGeometry(du.Rect(7, 158, 47, 11));
    select->setBuddy(m_pCombo);

    m_pDevice = new QLabel(this);
    m_pDevice->setTextFormat(Qt::PlainText);
    m_pDevice->setGeometry(du.Rect(7, 170, 306, 8));

    // Tab order: the combo box first, then the buttons, as in the template.
    setTabOrder(m_pCombo, m_pConnect);
    setTabOrder(m_pConnect, cancel);

    connect(m_pConnect, &QPushButton::clicked, this, &CTovamoDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pCombo, &QComboBox::currentIndexChanged, this, &CTovamoDlg::ShowResolvedDevice);
    connect(m_pCombo, &QComboBox::currentIndexChanged, this, &CTovamoDlg::ShowLineFromItsStart);
    m_pAdapterTimer = new QTimer(this);
    connect(m_pAdapterTimer, &QTimer::timeout, this, &CTovamoDlg::OnAdapterTimer);
    OnInitDialog();
}

void CTovamoDlg::OnInitDialog() {
    setWindowIcon(TovamoIcon());
    for (int n = 1; n <= res::kPortCount; ++n)
        m_pCombo->addItem(PortName(n));
    m_adapters = m_AdapterScan.Scan();
    ShowAdapters();
    // A stored number outside 1..32 leaves nothing selected.
    m_pCombo->setCurrentIndex(g_nNumCom >= 1 && g_nNumCom <= res::kPortCount ? g_nNumCom - 1 : -1);
    ShowResolvedDevice();
    ShowLineFromItsStart();
    m_pCombo->setFocus();
    m_pAdapterTimer->start(kAdapterScanMs);
}

void CTovamoDlg::OnAdapterTimer() {
    std::vector<SUsbAdapter> adapters = m_AdapterScan.Scan();
    const auto same = [](const SUsbAdapter& a, const SUsbAdapter& b) {
        return a.m_nComNumber == b.m_nComNumber && a.m_strById == b.m_strById &&
               a.m_strDevice == b.m_strDevice && a.m_strProduct == b.m_strProduct &&
               a.m_bLinked == b.m_bLinked;
    };
    if (std::equal(adapters.begin(), adapters.end(), m_adapters.begin(), m_adapters.end(), same))
        return;
    m_adapters = std::move(adapters);
    ShowAdapters();
    ShowResolvedDevice();
    ShowLineFromItsStart();
}

// An adapter's line is longer than the box: its start, the port's number, stays in view
// (selected, as choosing a line selects it).
void CTovamoDlg::ShowLineFromItsStart() {
    if (m_pCombo->currentIndex() < 0)
        return;
    const int length = static_cast<int>(m_pCombo->lineEdit()->text().size());
    m_pCombo->lineEdit()->setSelection(length, -length);
}

// Only changed lines are set: the selection stays on its number, and a line being typed
// over is left alone.
void CTovamoDlg::ShowAdapters() {
    for (int n = 1; n <= res::kPortCount; ++n) {
        const SUsbAdapter* adapter = AdapterAt(n);
        const QString text = adapter == nullptr
                                 ? PortName(n)
                                 : QStringLiteral("%1: %2 (%3)")
                                       .arg(PortName(n), QString::fromStdString(adapter->m_strProduct),
                                            QString::fromStdString(adapter->m_strDevice));
        if (m_pCombo->itemText(n - 1) != text)
            m_pCombo->setItemText(n - 1, text);
    }
    // The closed box keeps the template's width; the dropped list is as wide as its lines.
    QAbstractItemView* list = m_pCombo->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

const SUsbAdapter* CTovamoDlg::AdapterAt(int number) const {
    for (const SUsbAdapter& adapter : m_adapters)
        if (adapter.m_nComNumber == number)
            return &adapter;
    return nullptr;
}

// An adapter's port link is made (or brought to its stable name) before its port is
// opened, so "COMn" finds it again at the next start and after replugging. On failure
// the dialog stays for another choice.
bool CTovamoDlg::LinkAdapter(int number) {
    const SUsbAdapter* adapter = AdapterAt(number);
    if (adapter == nullptr)
        return true;
    const std::string error = CreatePortLink(*adapter, m_AdapterScan.PortLinkDir());
    if (error.empty())
        return true;
    CQtMessageBox(this).ShowMessage("Cannot link " + PortName(number).toStdString() + " to the adapter",
                                    error);
    OnAdapterTimer();
    return false;
}

// Linux has no system menu a program can extend: the about box is on the context menu.
void CTovamoDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QString::fromLatin1(res::kAboutMenu), this, &CTovamoDlg::OnAbout);
    menu.exec(event->globalPos());
}

void CTovamoDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CTovamoDlg::ShowResolvedDevice() {
    const int sel = m_pCombo->currentIndex();
    if (sel < 0) {
        m_pDevice->clear();
        m_pDevice->setToolTip({});
        return;
    }
    const SUsbAdapter* adapter = AdapterAt(sel + 1);
    const QString path = QString::fromStdString(ResolvePortPath(PortName(sel + 1).toStdString()));
    const QFileInfo info(path);
    QString text;
    if (adapter != nullptr && !adapter->m_bLinked)
        text = tr("Device: %1 (linked as %2 on Connect)")
                   .arg(QString::fromStdString(adapter->m_strById), PortName(sel + 1));
    else if (!info.exists())
        text = tr("Device: %1 (does not exist)").arg(path);
    else if (info.isSymLink())
        text = tr("Device: %1 -> %2").arg(path, info.canonicalFilePath());
    else
        text = tr("Device: %1").arg(path);
    m_pDevice->setToolTip(text);
    m_pDevice->setText(m_pDevice->fontMetrics().elidedText(text, Qt::ElideMiddle, m_pDevice->width()));
}

// Connect. Every path but an adapter that cannot be linked ends the dialog, and with it
// the program.
void CTovamoDlg::OnOK() {
    const int sel = m_pCombo->currentIndex();
    if (sel != -1 && !LinkAdapter(sel + 1))
        return;
    m_pAdapterTimer->stop();
    g_nNumCom = sel + 1;
    if (sel != -1 && m_Hardware.OpenPort(PortName(sel + 1).toStdString()) == 1) {
        CMySheet sheet(m_Hardware, this);
        sheet.DoModal();
        // The reader posts to the sheet: it has ended before the sheet goes and
        // before anything is stored.
        m_Hardware.StopReader();
        m_Settings.WriteProfileInt(QString::fromLatin1(res::kSettingsSection),
                                   QString::fromLatin1(res::kNumComEntry), g_nNumCom);
    }
    accept();
}
