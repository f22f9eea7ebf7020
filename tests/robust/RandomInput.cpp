#include "robust/RandomInput.h"

#include "grid/qt/GridWnd.h"
#include "robust/FailureReport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr Qt::Key kNavigationKeys[] = {Qt::Key_Left,   Qt::Key_Right,   Qt::Key_Up,   Qt::Key_Down,
                                       Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Home, Qt::Key_End,
                                       Qt::Key_PageUp, Qt::Key_PageDown};

// What a keyboard types: mostly ASCII, some Windows-1252 letters, one it cannot hold.
const QString kTypedCharacters = QStringLiteral(
    "abcdefghijklmnopqrstuvwxyz0123456789 .,-+:/\u00e4\u00f6\u00fc\u00df"
    "\u00e9\u00b0\u00b5\u20ac\u03a9");

// The widget's class, and a button's text; valid for the next few calls (one note).
const char* Name(const QWidget* widget) {
    static std::string names[4];
    static unsigned next = 0;
    std::string& name = names[next++ % 4];
    name = widget != nullptr ? widget->metaObject()->className() : "nothing";
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        name += " \"" + button->text().toStdString() + "\"";
    return name.c_str();
}

}  // namespace

CRandomInput::CRandomInput(std::uint64_t seed, bool bVerbose) : m_random(seed), m_bVerbose(bVerbose) {}

int CRandomInput::Below(int n) {
    if (n <= 1)
        return 0;
    return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(m_random));
}

void CRandomInput::Note(const char* format, ...) {
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    robust::NoteAction(text);
    if (m_bVerbose)
        std::printf("#%lld %s\n", m_nActions, text);
}

// ---- Actions --------------------------------------------------------------------------

void CRandomInput::OnSheet(QWidget& sheet, const CGridWnd* pGrid) {
    ++m_nActions;
    const int n = Below(100);
    if (n < 50) {
        RandomKey(sheet);
    } else if (n < 64) {
        Click(sheet, Qt::LeftButton, PointIn(sheet, pGrid), RandomModifiers(10, 10));
    } else if (n < 70) {
        DoubleClick(sheet, PointIn(sheet, pGrid));
    } else if (n < 74) {
        Click(sheet, Qt::RightButton, PointIn(sheet, pGrid));
    } else if (n < 84) {
        Drag(sheet, PointIn(sheet, pGrid), pGrid);
    } else if (n < 92) {
        Wheel(sheet, PointIn(sheet, pGrid));
    } else if (n < 97) {
        Move(sheet, PointIn(sheet, pGrid));
    } else if (n < 98) {
        SwitchAway(sheet);
    } else if (n < 99) {
        PutTextOnClipboard();
    } else {
        Resize(sheet);
    }
}

void CRandomInput::OnDialog(QWidget& dialog) {
    ++m_nActions;
    const int n = Below(100);
    if (n < 40)
        Key(dialog, Qt::Key_Escape);
    else if (n < 80)
        Key(dialog, Qt::Key_Return);
    else if (n < 90)
        RandomKey(dialog);
    else
        Click(dialog, Qt::LeftButton, PointIn(dialog, nullptr));
}

void CRandomInput::OnPopup(QWidget& popup) {
    ++m_nActions;
    const int n = Below(100);
    const QPoint inside(Below(popup.width()), Below(popup.height()));
    if (n < 30)
        Key(popup, Qt::Key_Escape);
    else if (n < 50)
        Key(popup, Qt::Key_Return);
    else if (n < 70)
        Key(popup, Chance(50) ? Qt::Key_Up : Qt::Key_Down);
    else if (n < 85)
        Click(popup, Qt::LeftButton, inside);
    else if (n < 95)
        Click(popup, Chance(80) ? Qt::LeftButton : Qt::RightButton, QPoint(-1 - Below(40), -1 - Below(40)));
    else
        Wheel(popup, inside);
}

// ---- Keys -----------------------------------------------------------------------------

void CRandomInput::Key(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    Note("key %s%s%s in %s (focus %s)", qPrintable(QKeySequence(key | modifiers).toString()),
         text.isEmpty() ? "" : " text ",
         text.isEmpty() || text.at(0) < QLatin1Char(' ') ? "" : qPrintable(text), Name(&window),
         Name(QApplication::focusWidget()));
    ++m_nEvents;
    const QPointer<QWidget> alive(&window);
    QTest::sendKeyEvent(QTest::Press, handle, key, text, modifiers);
    // The press may have closed the window (Escape, Enter in a dialog) or deleted it (a
    // menu that deletes itself on close).
    if (alive != nullptr && alive->windowHandle() == handle)
        QTest::sendKeyEvent(QTest::Release, handle, key, text, modifiers);
}

void CRandomInput::RandomKey(QWidget& window) {
    const int n = Below(100);
    if (n < 35) {
        Key(window, kNavigationKeys[Below(std::size(kNavigationKeys))], RandomModifiers(20, 10));
    } else if (n < 40) {
        Key(window, Chance(80) ? Qt::Key_F2 : Qt::Key_F3);
    } else if (n < 45) {
        Key(window, Qt::Key_Delete);
    } else if (n < 48) {
        Key(window, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    } else if (n < 56) {
        Key(window, Chance(70) ? Qt::Key_Return : Qt::Key_Enter, Qt::NoModifier, QStringLiteral("\r"));
    } else if (n < 58) {
        // Escape ends an in-place edit or leaves a text field; on the sheet itself it
        // would close it.
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && qobject_cast<CGridWnd*>(focus) == nullptr &&
            (qobject_cast<QLineEdit*>(focus) != nullptr ||
             qobject_cast<CGridWnd*>(focus->parentWidget()) != nullptr))
            Key(window, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        else
            TypeCharacter(window);
    } else if (n < 90) {
        TypeCharacter(window);
    } else {
        static constexpr char kLetters[] = {'A', 'C', 'V', 'X', 'F'};
        const char letter = kLetters[Below(std::size(kLetters))];
        Key(window, static_cast<Qt::Key>(letter), Qt::ControlModifier,
            QString(QChar(static_cast<char16_t>(letter - 'A' + 1))));
    }
}

void CRandomInput::TypeCharacter(QWidget& window) {
    QChar c = kTypedCharacters.at(Below(static_cast<int>(kTypedCharacters.size())));
    if (c == QLatin1Char(' ') && IsCancel(QApplication::focusWidget()) && !Chance(10))
        c = QLatin1Char('x');
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (c.isLower() && Chance(30)) {
        c = c.toUpper();
        modifiers = Qt::ShiftModifier;
    }
    const char16_t code = c.toUpper().unicode();
    const auto key = code < 0x100 ? static_cast<Qt::Key>(code) : Qt::Key_unknown;
    // An input method may hand over more than one character in one event.
    Key(window, key, modifiers, Chance(3) ? QString(c) + RandomText(3) : QString(c));
}

// ---- Pointer --------------------------------------------------------------------------

void CRandomInput::Click(QWidget& window, Qt::MouseButton button, QPoint point,
                         Qt::KeyboardModifiers modifiers) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    Note("click %s at %d,%d%s on %s in %s", button == Qt::LeftButton ? "left" : "right", point.x(), point.y(),
         modifiers != Qt::NoModifier ? " with modifiers" : "", Name(window.childAt(point)), Name(&window));
    ++m_nEvents;
    QTest::mouseClick(handle, button, modifiers, point);
}

void CRandomInput::DoubleClick(QWidget& window, QPoint point) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    Note("double click at %d,%d on %s", point.x(), point.y(), Name(window.childAt(point)));
    ++m_nEvents;
    QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier, point);
}

void CRandomInput::Move(QWidget& window, QPoint point) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    Note("move to %d,%d over %s", point.x(), point.y(), Name(window.childAt(point)));
    ++m_nEvents;
    QTest::mouseMove(handle, point);
}

// A press, a few moves (a shaky one pixel, across the window, out of it and held there
// while the grid scrolls) and a release.
void CRandomInput::Drag(QWidget& window, QPoint from, const CGridWnd* pGrid) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    const Qt::KeyboardModifiers modifiers = RandomModifiers(10, 10);
    Note("drag from %d,%d on %s", from.x(), from.y(), Name(window.childAt(from)));
    ++m_nEvents;
    const QPointer<QWidget> alive(&window);
    const auto stillThere = [&alive, handle] { return alive != nullptr && alive->windowHandle() == handle; };
    QTest::mousePress(handle, Qt::LeftButton, modifiers, from);
    QPoint point = from;
    bool bHeld = false;  // once per drag at most: the waits add up
    for (int nMoves = 1 + Below(6); nMoves > 0 && stillThere(); --nMoves) {
        point = Chance(30) && pGrid != nullptr ? PointIn(window, pGrid) : DragStep(window, point);
        ++m_nEvents;
        QTest::mouseMove(handle, point);
        // Held at an edge, the grid scrolls on its timer.
        const bool bAtEdge = !window.rect().adjusted(2, 2, -2, -2).contains(point);
        if (!bHeld && Chance(bAtEdge ? 30 : 1)) {
            bHeld = true;
            QTest::qWait(30 + Below(120));
        }
        if (Chance(2))
            SwitchAway(window);
    }
    Note("drag released at %d,%d", point.x(), point.y());
    if (stillThere())
        QTest::mouseRelease(handle, Qt::LeftButton, modifiers, point);
    else  // the window went with the button held; the next press starts afresh
        QTestPrivate::qtestMouseButtons.setFlag(Qt::LeftButton, false);
}

void CRandomInput::Wheel(QWidget& window, QPoint point) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    const int notches = (Below(3) + 1) * (Chance(50) ? 1 : -1);
    const int delta = Chance(20) ? notches * 40 : notches * 120;  // also turns short of a notch
    const bool bHorizontal = Chance(15);
    const Qt::KeyboardModifiers modifiers = RandomModifiers(10, 10);
    Note("wheel %d%s at %d,%d on %s", delta, bHorizontal ? " horizontal" : "", point.x(), point.y(),
         Name(window.childAt(point)));
    ++m_nEvents;
    const QPoint angle = bHorizontal ? QPoint(delta, 0) : QPoint(0, delta);
    QWheelEvent event(point, handle->mapToGlobal(point), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(handle, &event);
}

// Another window takes the keyboard (and with it any mouse capture) for a moment, as
// when the user switches to another program; the window stays inactive until the
// driver gives it the keyboard back.
void CRandomInput::SwitchAway(QWidget& window) {
    Note("another window takes the keyboard from %s", Name(&window));
    auto* other = new QWidget(&window, Qt::Window);
    other->setAttribute(Qt::WA_DeleteOnClose);
    other->setWindowTitle(QStringLiteral("another program"));
    other->resize(200, 100);
    other->show();
    other->activateWindow();
    QCoreApplication::processEvents();
    other->close();
    QCoreApplication::processEvents();
}

void CRandomInput::PutTextOnClipboard() {
    QString text;
    const int nRows = 1 + Below(Chance(10) ? 200 : 4);
    const int nColumns = 1 + Below(6);
    for (int nRow = 0; nRow < nRows; ++nRow) {
        for (int nCol = 0; nCol < nColumns; ++nCol)
            text +=
                RandomText(Chance(2) ? 40000 : 12) + (nCol + 1 < nColumns ? QStringLiteral("\t") : QString());
        text += Chance(30) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    }
    Note("clipboard holds %d rows of %d columns", nRows, nColumns);
    QGuiApplication::clipboard()->setText(text);
}

void CRandomInput::Resize(QWidget& window) {
    const int width = 100 + Below(1100);
    const int height = 100 + Below(800);
    Note("resize %s to %dx%d", Name(&window), width, height);
    window.resize(width, height);
}

// ---- Odds -----------------------------------------------------------------------------

Qt::KeyboardModifiers CRandomInput::RandomModifiers(int nShift, int nControl) {
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (Chance(nShift))
        modifiers |= Qt::ShiftModifier;
    if (Chance(nControl))
        modifiers |= Qt::ControlModifier;
    return modifiers;
}

QString CRandomInput::RandomText(int nMaxLength) {
    QString text;
    for (int n = Below(nMaxLength + 1); n > 0; --n)
        text += kTypedCharacters.at(Below(static_cast<int>(kTypedCharacters.size())));
    return text;
}
