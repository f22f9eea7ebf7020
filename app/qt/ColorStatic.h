#pragma once

#include <QColor>
#include <QLabel>

// A static text field with a background and text colour of its own and a sunken
// frame. The text is drawn with Windows-style '&' prefixes ("&&" shows '&', a single
// '&' underlines the next character). Owned by its page as a child widget.
class CColorStatic : public QLabel {
    Q_OBJECT
public:
    CColorStatic(QWidget* parent, Qt::Alignment horizontal);

    // Each setter repaints the field at once.
    void SetBkColor(const QColor& colour);
    void SetTextColor(const QColor& colour);
    void SetWindowText(const QString& text);

    QColor BkColor() const { return m_crBk; }
    QColor TextColor() const { return m_crText; }
    // What is drawn after prefix processing (for tests and accessibility).
    QString ShownText() const;

    // The colour of button faces and dialog backgrounds on this platform.
    static QColor ButtonFaceColour();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_crBk = ButtonFaceColour();
    QColor m_crText = Qt::black;
};
