#include "app/qt/TovamoDlg.h"

#include "app/qt/AboutDlg.h"
#include "app/qt/AppIcon.h"
#include "app/qt/Globals.h"
#include "app/qt/MySheet.h"
#include "app/qt/QtLayout.h"
#include "link/Hardware.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/SettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

CTovamoDlg::CTovamoDlg(CHardware& hardware, CSettingsStore& settings, SAdapterFolders adapterFolders,
                       QWidget* parent)
    : QDialog(parent), m_Hardware(hardware), m_Settings(settings), m_Ports(std::move(adapterFolders)) {
    const SDialogTemplate& tmpl = kPortDialogTemplate;
    setWindowTitle(ResText(tmpl.pszTitle));
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(tmpl.cx, tmpl.cy));

    m_pConnect = new QPushButton(ResText(res::kConnect), this);
    m_pConnect->setGeometry(TemplateRect(du, tmpl, res::kIdOk));
    m_pConnect->setDefault(true);
    auto* cancel = new QPushButton(ResText(res::kCancel), this);
    cancel->setGeometry(TemplateRect(du, tmpl, res::kIdCancel));

    m_pCombo = new QComboBox(this);
    m_pCombo->setEditable(true);
    m_pCombo->setInsertPolicy(QComboBox::NoInsert);  // typed text is never a port
    // No completion either: an inline completion would take Enter away from Connect.
    m_pCombo->setCompleter(nullptr);
    m_pCombo->setMaxVisibleItems(8);  // the template's dropped height
    const SControlTemplate& combo = *tmpl.Find(res::kIdPortCombo);
    m_pCombo->setGeometry(du.Rect(combo.x, combo.y, combo.cx, kPortComboClosedHeight));
    auto* select = new QLabel(ResText(res::kSelectCom), this);
    select->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    select->setGeometry(TemplateRect(du, tmpl, res::kIdStatic));
    select->setBuddy(m_pCombo);

    m_pDevice = new QLabel(this);
    m_pDevice->setTextFormat(Qt::PlainText);
    m_pDevice->setGeometry(TemplateRect(du, tmpl, res::kIdDeviceLine));

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
    for (int nIndex = 0; nIndex < CPortList::Count(); ++nIndex)
        m_pCombo->addItem(QString::fromStdString(PortName(nIndex + 1)));
    ShowAdapters();
    m_pCombo->setCurrentIndex(PreselectedIndex(g_nNumCom));
    ShowResolvedDevice();
    ShowLineFromItsStart();
    m_pCombo->setFocus();
    m_pAdapterTimer->start(kAdapterScanMs);
}

void CTovamoDlg::OnAdapterTimer() {
    if (!m_Ports.Rescan())
        return;
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
    for (int nIndex = 0; nIndex < CPortList::Count(); ++nIndex) {
        const QString text = QString::fromStdString(m_Ports.LineText(nIndex));
        if (m_pCombo->itemText(nIndex) != text)
            m_pCombo->setItemText(nIndex, text);
    }
    // The closed box keeps the template's width; the dropped list is as wide as its lines.
    QAbstractItemView* list = m_pCombo->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

// On failure the dialog stays for another choice.
bool CTovamoDlg::LinkAdapter(int nIndex) {
    const std::string error = m_Ports.LinkForConnect(nIndex);
    if (error.empty())
        return true;
    CQtMessageBox(this).ShowMessage(LinkFailedText(nIndex + 1), error);
    OnAdapterTimer();
    return false;
}

// Linux has no system menu a program can extend: the about box is on the context menu.
void CTovamoDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(ResText(res::kAboutMenu), this, &CTovamoDlg::OnAbout);
    menu.exec(event->globalPos());
}

void CTovamoDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CTovamoDlg::ShowResolvedDevice() {
    const QString text = QString::fromStdString(m_Ports.DeviceLine(m_pCombo->currentIndex()));
    m_pDevice->setToolTip(text);
    m_pDevice->setText(m_pDevice->fontMetrics().elidedText(text, Qt::ElideMiddle, m_pDevice->width()));
}

// Connect. Every path but an adapter that cannot be linked ends the dialog, and with it
// the program.
void CTovamoDlg::OnOK() {
    const int sel = m_pCombo->currentIndex();
    if (sel != -1 && !LinkAdapter(sel))
        return;
    m_pAdapterTimer->stop();
    const SConnectChoice choice = ConnectChoice(sel);
    g_nNumCom = choice.nNumCom;
    if (!choice.strPort.empty() && m_Hardware.OpenPort(choice.strPort) == 1) {
        CMySheet sheet(m_Hardware, this);
        sheet.DoModal();
        // The reader posts to the sheet: it has ended before the sheet goes and
        // before anything is stored.
        m_Hardware.StopReader();
        m_Settings.WriteProfileInt(ResText(res::kSettingsSection), ResText(res::kNumComEntry), g_nNumCom);
    }
    accept();
}
