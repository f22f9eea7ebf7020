#pragma once

#include <cstdint>

#include <QLineEdit>

class CInPlaceList;

// The edit field of an in-place option list with one (style 2). Qt makes the combo
// box the holder of the field's keyboard focus, so the list sees the keys first and
// ends the edit; the field places the caret for the key that started the edit, and
// passes any key that ends an edit on to the list should one reach it directly.
class CComboEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit CComboEdit(CInPlaceList* pList);
    ~CComboEdit() override;

    // Selects or keeps the text by the first key, then types that key into the list
    // (which hands it to this field); space is typed here, unlike in the text editor.
    void PlaceCaret(std::uint32_t nFirstChar);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    CInPlaceList* m_pList = nullptr;
};
