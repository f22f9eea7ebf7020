#include "app/qt/EditParam.h"

#include "app/qt/Globals.h"
#include "link/KeyWriter.h"
#include "platform/qt/Cp1252.h"
#include "platform/qt/DialogUnits.h"

#include <QKeyEvent>
#include <QLabel>

namespace {
constexpr int kIdName = 1002;
constexpr int kIdValue = 1003;
constexpr int kIdError = 1004;

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

// The fields draw '&' as a mnemonic prefix: every one of the drive's ampersands is
// doubled so that the text shows exactly as the drive sent it. (Doubling only the
// first would turn a second '&' into an underline and hide it.)
std::string EscapeAmpersands(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '&')
            escaped += '&';
        escaped += c;
    }
    return escaped;
}
}  // namespace

CEditParam::CEditParam(IKeyWriter& writer, QWidget* parent)
    : CMyCPropertyPage(kTemplate, parent), m_Writer(writer) {
    const CDialogUnits du(font());
    m_stcName.setObjectName(QString::number(kIdName));
    m_stcError.setObjectName(QString::number(kIdError));
    m_stcValue.setObjectName(QString::number(kIdValue));
    m_stcName.setGeometry(du.Rect(18, 44, 158, 18));
    m_stcError.setGeometry(du.Rect(211, 44, 148, 18));
    m_stcValue.setGeometry(du.Rect(18, 86, 158, 18));
    const QFont bold = g_BoldFont.value_or(MakeBoldFont());
    for (CColorStatic* field : {&m_stcError, &m_stcValue, &m_stcName})
        field->setFont(bold);
    CreateLabels();
    setFocusPolicy(Qt::NoFocus);
}

void CEditParam::CreateLabels() {
    struct Label {
        const char* text;
        int x, y, width, height;
    };
    static constexpr Label kLabels[] = {
        {"Parameter name", 18, 29, 91, 11},
        {"Parameter value", 18, 70, 95, 11},
        {"Last error", 211, 29, 85, 11},
    };
    const CDialogUnits du(font());
    for (const Label& label : kLabels) {
        auto* widget = new QLabel(QString::fromLatin1(label.text), this);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget->setGeometry(du.Rect(label.x, label.y, label.width, label.height));
    }
}

char CEditParam::KeyByte(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:  // both Enter keys are the one Enter key code on Windows
        case Qt::Key_Enter:
        case Qt::Key_E:
            return 'e';
        case Qt::Key_Escape:
        case Qt::Key_O:
            return 'o';
        case Qt::Key_Up:
        case Qt::Key_U:
            return 'u';
        case Qt::Key_Down:
        case Qt::Key_D:
            return 'd';
        default:
            return 0;
    }
}

bool CEditParam::PreTranslatePageMessage(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // With Alt held the key is a system key (menus, mnemonics), not a panel key.
    const char byte = (key->modifiers() & Qt::AltModifier) ? 0 : KeyByte(key->key());
    if (byte == 0)
        return false;
    key->accept();  // as an override: no shortcut may take the key from the page
    if (event->type() == QEvent::KeyPress)
        m_Writer.WritePort(&byte, 1);  // auto-repeats included: one byte per key-down
    return true;
}

void CEditParam::OnPageData(std::unique_ptr<CServoData> record) {
    const QString text = DecodeWindows1252(EscapeAmpersands(record->m_strText));
    if (record->m_bValue == 1)
        ShowValue(text);
    else if (record->m_bError == 1)
        ShowError(text);
    else
        ShowName(text);
}  // the record is deleted here

void CEditParam::ShowValue(const QString& text) {
    m_stcValue.SetWindowText(text);
    if (m_nLastKind == kValue)
        return;
    m_nLastKind = kValue;
    m_stcValue.SetBkColor(kWhite);
    m_stcError.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcName.SetBkColor(CColorStatic::ButtonFaceColour());
}

void CEditParam::ShowError(const QString& text) {
    m_stcError.SetWindowText(text);
    if (m_nLastKind == kError)
        return;
    m_nLastKind = kError;
    m_stcError.SetBkColor(kWhite);
    m_stcError.SetTextColor(kRed);
    m_stcValue.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcName.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcValue.SetWindowText(QString());
}

void CEditParam::ShowName(const QString& text) {
    m_stcName.SetWindowText(text);
    if (m_nLastKind == kName)
        return;
    m_nLastKind = kName;
    m_stcName.SetBkColor(kWhite);
    m_stcValue.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcError.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcValue.SetWindowText(QString());
}
