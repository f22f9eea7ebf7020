#include "app/TovamoDlg.h"

#include "app/AboutDlg.h"
#include "app/AppIcon.h"
#include "app/Globals.h"
#include "app/MySheet.h"
#include "app/Resources.h"
#include "link/Hardware.h"
#include "link/PortNames.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/SettingsStore.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

CTovamoDlg::CTovamoDlg(CHardware& hardware, CSettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_Hardware(hardware), m_Settings(settings) {
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
    OnInitDialog();
}

void CTovamoDlg::OnInitDialog() {
    setWindowIcon(TovamoIcon());
    for (int n = 1; n <= res::kPortCount; ++n)
        m_pCombo->addItem(QStringLiteral("COM%1").arg(n));
    // A stored number outside 1..32 leaves nothing selected.
    m_pCombo->setCurrentIndex(g_nNumCom >= 1 && g_nNumCom <= res::kPortCount ? g_nNumCom - 1 : -1);
    ShowResolvedDevice();
    m_pCombo->setFocus();
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
    const QString path = QString::fromStdString(ResolvePortPath(m_pCombo->itemText(sel).toStdString()));
    const QFileInfo info(path);
    QString text;
    if (!info.exists())
        text = tr("Device: %1 (does not exist)").arg(path);
    else if (info.isSymLink())
        text = tr("Device: %1 -> %2").arg(path, info.canonicalFilePath());
    else
        text = tr("Device: %1").arg(path);
    m_pDevice->setToolTip(text);
    m_pDevice->setText(m_pDevice->fontMetrics().elidedText(text, Qt::ElideMiddle, m_pDevice->width()));
}

// Connect. Every path ends the dialog, and with it the program.
void CTovamoDlg::OnOK() {
    const int sel = m_pCombo->currentIndex();
    g_nNumCom = sel + 1;
    if (sel != -1 && m_Hardware.OpenPort(m_pCombo->itemText(sel).toStdString()) == 1) {
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
