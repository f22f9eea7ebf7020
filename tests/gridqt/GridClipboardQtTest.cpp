// The grid's clipboard and drag and drop on Qt: text exchanged with other programs as
// UTF-8, our own bytes kept between grids, the keys through the real window, and drops
// sent to it as Qt's drag events.
#include "app/QtTestApp.h"
#include "gridqt/GridWndFixture.h"
#include "platform/qt/CellTextMime.h"
#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

namespace {

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

TEST(QtClipboard, TextTravelsAsUtf8ToOtherProgramsAndBack) {
    struct Case {
        const char* name;
        std::string cells;  // as the grid holds it (Windows-1252)
        QString shown;      // as other programs read it
    };
    const Case cases[] = {
        {"degrees",
         "\xB0"
         "C",
         QStringLiteral(u"°C")},
        {"micrometres", "\xB5m", QStringLiteral(u"µm")},
        {"euro", "5 \x80", QStringLiteral(u"5 €")},
        {"rows and cells", "a\tb\nc", QStringLiteral(u"a\tb\nc")},
    };
    CQtClipboard clipboard;
    for (const Case& c : cases) {
        clipboard.SetText(c.cells);
        EXPECT_EQ(ClipboardText(), c.shown) << c.name;
        EXPECT_EQ(clipboard.GetText(), c.cells) << c.name;
        // The same text put there by another program, as plain text only.
        QGuiApplication::clipboard()->setText(c.shown);
        EXPECT_TRUE(clipboard.HasText()) << c.name;
        EXPECT_EQ(clipboard.GetText(), c.cells) << c.name;
    }
    QGuiApplication::clipboard()->setText(QStringLiteral(u"1 → 2"));
    EXPECT_EQ(clipboard.GetText(), "1 ? 2");
    // Bytes the code page leaves undefined come back unchanged between our grids.
    clipboard.SetText("\x81\x8D");
    EXPECT_EQ(clipboard.GetText(), "\x81\x8D");
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), std::nullopt);
}

class GridClipboardQt : public GridWndFixture {
protected:
    void Show() {
        m_pWnd->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pWnd.get()));
        m_pWnd->setFocus();
    }
    // A drag from elsewhere arriving at the cell's centre and dropped there.
    bool DropAt(const QMimeData& data, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_pWnd.get(), &enter);
        QDragMoveEvent move(point, actions, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_pWnd.get(), &move);
        m_bMoveAccepted = move.isAccepted();
        m_moveAction = move.dropAction();
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(point, actions, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_pWnd.get(), &drop);
        return drop.isAccepted();
    }
    bool m_bMoveAccepted = false;
    Qt::DropAction m_moveAction = Qt::IgnoreAction;
};

// Ctrl+A, Ctrl+C puts every non-fixed cell on the clipboard; Ctrl+V pastes at the focus.
TEST_F(GridClipboardQt, KeysCopyAndPasteThroughTheSystemClipboard) {
    Build(3, 3);
    Show();
    QTest::mouseClick(m_pWnd.get(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
    QTest::keyClick(m_pWnd.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_pWnd.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), QStringLiteral("1,1\t1,2\n2,1\t2,2"));

    QGuiApplication::clipboard()->setText(QStringLiteral(u"°C\r\n"));
    QTest::mouseClick(m_pWnd.get(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 2));
    QTest::keyClick(m_pWnd.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_pGrid->GetItemText(2, 2),
              "\xB0"
              "C");
    QTest::keyClick(m_pWnd.get(), Qt::Key_Delete);
    EXPECT_EQ(m_pGrid->GetItemText(2, 2), "");
}

TEST_F(GridClipboardQt, DropsFromOtherProgramsLandOnEditableCellsOnly) {
    Build(4, 4);
    Show();
    m_pGrid->SetItemState(2, 2, m_pGrid->GetItemState(2, 2) | GIS_READONLY);
    QMimeData plain;
    plain.setText(QStringLiteral(u"µm,x"));
    struct Case {
        const char* name;
        bool bDragAndDrop;
        CCellID cell;
        bool bDropped;
    };
    const Case cases[] = {
        {"drag and drop off", false, {1, 1}, false}, {"fixed row", true, {0, 2}, false},
        {"fixed column", true, {2, 0}, false},       {"read-only cell", true, {2, 2}, false},
        {"editable cell", true, {3, 1}, true},
    };
    for (const Case& c : cases) {
        m_pGrid->SetDragAndDrop(c.bDragAndDrop);
        EXPECT_EQ(DropAt(plain, CellCentre(c.cell.row, c.cell.col)), c.bDropped) << c.name;
        EXPECT_EQ(m_bMoveAccepted, c.bDropped) << c.name;
    }
    EXPECT_EQ(m_moveAction, Qt::MoveAction);
    EXPECT_EQ(m_pGrid->GetItemText(3, 1), "\xB5m");
    EXPECT_EQ(m_pGrid->GetItemText(3, 2), "x");
    EXPECT_EQ(m_pGrid->GetItemText(2, 2), "2,2");
    EXPECT_EQ(m_pGrid->GetItemState(3, 1) & GIS_DROPHILITED, 0u);

    // Ctrl asks for a copy; our own bytes arrive unchanged.
    std::unique_ptr<QMimeData> ours(CreateCellTextMimeData("\x81"));
    EXPECT_TRUE(DropAt(*ours, CellCentre(1, 3), Qt::ControlModifier));
    EXPECT_EQ(m_moveAction, Qt::CopyAction);
    EXPECT_EQ(m_pGrid->GetItemText(1, 3), "\x81");
}

}  // namespace
