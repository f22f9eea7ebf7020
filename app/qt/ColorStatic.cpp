#include "app/qt/ColorStatic.h"

#include "platform/qt/PrefixText.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

CColorStatic::CColorStatic(QWidget* parent, Qt::Alignment horizontal) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAlignment(horizontal | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
}

QColor CColorStatic::ButtonFaceColour() {
    return QApplication::palette().color(QPalette::Button);
}

void CColorStatic::SetBkColor(const QColor& colour) {
    m_crBk = colour;
    repaint();
}

void CColorStatic::SetTextColor(const QColor& colour) {
    m_crText = colour;
    repaint();
}

void CColorStatic::SetWindowText(const QString& text) {
    setText(text);
    repaint();
}

QString CColorStatic::ShownText() const {
    return ProcessPrefixes(text()).m_strShown;
}

void CColorStatic::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), m_crBk);
    drawFrame(&painter);

    // Windows static text sits directly inside the edge; one pixel keeps it off the line.
    const QRect textRect = contentsRect().adjusted(1, 0, -1, 0);
    painter.setPen(m_crText);
    painter.setFont(font());
    const int flags = static_cast<int>(alignment()) | Qt::TextShowMnemonic | Qt::TextSingleLine;
    painter.drawText(textRect, flags, ToQtMnemonicText(ProcessPrefixes(text())));
}
