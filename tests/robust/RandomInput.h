#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

#include <cstdint>
#include <random>

class CGridWnd;
class QWidget;

// Seeded random user input, delivered as the window system delivers it: keys and
// mouse buttons through QTest's window functions (Qt then routes them to the focus
// widget, the widget under the pointer, an open popup or a mouse grab, and makes
// context-menu events of right clicks), wheel turns through the window. Each action
// is noted for the failure report (and printed when verbose).
class CRandomInput {
public:
    explicit CRandomInput(std::uint64_t seed, bool bVerbose = false);

    // One action anywhere in the sheet (a top-level window). A good share of the
    // pointer's points fall on the grid, its dividers and its scroll bars.
    void OnSheet(QWidget& sheet, const CGridWnd* pGrid);
    // A message box or other dialog: Escape or Enter mostly, sometimes a key or a click.
    void OnDialog(QWidget& dialog);
    // A menu or a drop-down list: keys, clicks inside and outside.
    void OnPopup(QWidget& popup);

    int Below(int n);  // uniformly 0..n-1
    bool Chance(int percent) { return Below(100) < percent; }

    long long Actions() const { return m_nActions; }
    long long Events() const { return m_nEvents; }

private:
    void Note(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Key(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = {});
    void RandomKey(QWidget& window);
    void TypeCharacter(QWidget& window);
    void Click(QWidget& window, Qt::MouseButton button, QPoint point,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void DoubleClick(QWidget& window, QPoint point);
    void Move(QWidget& window, QPoint point);
    void Drag(QWidget& window, QPoint from, const CGridWnd* pGrid);
    void Wheel(QWidget& window, QPoint point);
    void SwitchAway(QWidget& window);
    void PutTextOnClipboard();
    void Resize(QWidget& window);

    QPoint PointIn(const QWidget& window, const CGridWnd* pGrid);
    QPoint GridPoint(const QWidget& window, const CGridWnd& grid);
    static bool IsCancel(const QWidget* widget);
    QPoint WidgetPoint(const QWidget& window, const QWidget& widget);
    QPoint DragStep(const QWidget& window, QPoint from);
    Qt::KeyboardModifiers RandomModifiers(int nShift, int nControl);
    QString RandomText(int nMaxLength);

    std::mt19937_64 m_random;
    bool m_bVerbose = false;
    long long m_nActions = 0;
    long long m_nEvents = 0;
};
