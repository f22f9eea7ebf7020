#include "app/qt/EditParam.h"

#include "app/qt/Globals.h"
#include "app/qt/QtLayout.h"
#include "link/KeyWriter.h"
#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"

#include <QKeyEvent>
#include <QLabel>

namespace {
// The key-down code of a Qt key: the letters are the same numbers; both Enter keys are
// the one Enter key code on Windows.
std::uint32_t VirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Down:
            return VK_DOWN;
        default:
            return qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z ? static_cast<std::uint32_t>(qtKey) : 0;
    }
}
}  // namespace

CEditParam::CEditParam(IKeyWriter& writer, QWidget* parent)
    : CMyCPropertyPage(CPageTemplate::Of(kEditPageTemplate), parent), m_Writer(writer) {
    const CDialogUnits du(font());
    const std::pair<CColorStatic*, int> fields[] = {
        {&m_stcName, res::kIdName}, {&m_stcError, res::kIdError}, {&m_stcValue, res::kIdValue}};
    for (const auto& [field, nId] : fields) {
        field->setObjectName(QString::number(nId));
        field->setGeometry(TemplateRect(du, kEditPageTemplate, nId));
    }
    const QFont bold = g_BoldFont.value_or(MakeBoldFont());
    for (CColorStatic* field : {&m_stcError, &m_stcValue, &m_stcName})
        field->setFont(bold);
    CreateLabels();
    setFocusPolicy(Qt::NoFocus);
}

void CEditParam::CreateLabels() {
    const CDialogUnits du(font());
    for (const SControlTemplate& label : kEditPageTemplate.controls) {
        if (label.nId != res::kIdStatic)
            continue;
        auto* widget = new QLabel(ResText(label.pszText), this);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget->setGeometry(TemplateRect(du, label));
    }
}

bool CEditParam::PreTranslatePageMessage(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const char byte = EditKeyByte(VirtualKey(key->key()), (key->modifiers() & Qt::AltModifier) != 0);
    if (byte == 0)
        return false;
    key->accept();  // as an override: no shortcut may take the key from the page
    if (event->type() == QEvent::KeyPress)
        m_Writer.WritePort(&byte, 1);  // auto-repeats included: one byte per key-down
    return true;
}

void CEditParam::OnPageData(std::unique_ptr<CServoData> record) {
    const SEditChanges changes = m_Fields.Show(*record);
    Apply(m_stcValue, changes.value);
    Apply(m_stcError, changes.error);
    Apply(m_stcName, changes.name);
}  // the record is deleted here

void CEditParam::Apply(CColorStatic& field, const SFieldChange& change) {
    if (change.bSetText)
        field.SetWindowText(DecodeWindows1252(change.strText));
    if (change.eBk != EFieldBk::kKeep)
        field.SetBkColor(change.eBk == EFieldBk::kWhite ? QColor(255, 255, 255)
                                                        : CColorStatic::ButtonFaceColour());
    if (change.bRedText)
        field.SetTextColor(QColor(255, 0, 0));
}
