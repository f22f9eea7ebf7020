// The Edit page on its own: which keys become which drive bytes, and how the records of
// each kind fill and colour the three fields.
#include "app/win32/EditParam.h"
#include "app/win32/resource.h"
#include "link/KeyWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Api.h"

namespace {

class CRecordingWriter : public IKeyWriter {
public:
    void WritePort(const char* bytes, int count) override {
        m_strWritten.append(bytes, static_cast<size_t>(count));
    }
    std::string m_strWritten;
};

class EditPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hParent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                                      nullptr);
        ASSERT_TRUE(m_page.Create(m_hParent));
    }
    void TearDown() override { ::DestroyWindow(m_hParent); }

    void Show(const char* text, int bValue, int bError) {
        auto* record = new CServoData;
        record->m_strText = text;
        record->m_bValue = bValue;
        record->m_bError = bError;
        ::SendMessageW(m_page.GetSafeHwnd(), WM_PAGEDATA, reinterpret_cast<WPARAM>(record), 0);
    }
    std::wstring FieldText(int nId) const {
        wchar_t text[64] = {};
        ::GetDlgItemTextW(m_page.GetSafeHwnd(), nId, text, 64);
        return text;
    }

    HWND m_hParent = nullptr;
    CRecordingWriter m_writer;
    CEditParam m_page{m_writer};
};

// Which key is a panel key is the page logic's; here: only key-down messages count, so
// a key with Alt (a system key), its release and its character send nothing.
TEST_F(EditPageTest, OnlyKeyDownMessagesOfPanelKeysBecomeDriveBytes) {
    struct Row {
        UINT message;
        WPARAM key;
        const char* sent;  // "" when the message is not the page's
    };
    const Row rows[] = {
        {WM_KEYDOWN, 'E', "e"},   {WM_KEYDOWN, VK_ESCAPE, "o"}, {WM_KEYDOWN, VK_F5, ""},
        {WM_SYSKEYDOWN, 'E', ""}, {WM_KEYUP, VK_UP, ""},        {WM_CHAR, 'e', ""},
    };
    for (const Row& row : rows) {
        m_writer.m_strWritten.clear();
        MSG msg{m_page.GetSafeHwnd(), row.message, row.key, 0, 0, {}};
        const bool consumed = m_page.PreTranslatePageMessage(&msg);
        EXPECT_EQ(m_writer.m_strWritten, row.sent) << "message " << row.message << " key " << row.key;
        EXPECT_EQ(consumed, *row.sent != '\0') << "message " << row.message << " key " << row.key;
    }
}

TEST_F(EditPageTest, EachKindFillsItsFieldAndTheKindThatChangedLastIsWhite) {
    const SysCOLORREF white = RGB(255, 255, 255);
    const SysCOLORREF face = CColorStatic::ButtonFaceColour();
    const SysCOLORREF red = RGB(255, 0, 0);
    struct Row {
        const char* text;
        int bValue, bError;
        const wchar_t *name, *value, *error;  // the fields' window texts afterwards
        SysCOLORREF nameBk, valueBk, errorBk, errorText;
    };
    const Row rows[] = {
        {"P101 Pole count", 0, 0, L"P101 Pole count", L"", L"", white, face, face, 0},
        {"8 \xB0"
         "C",
         1, 0, L"P101 Pole count",
         L"8 \x00B0"
         "C",
         L"", face, white, face, 0},  // Windows-1252
        {"Error 5", 0, 1, L"P101 Pole count", L"", L"Error 5", face, face, white, red},
        // Every ampersand is doubled, so that the field shows the drive's text as it came.
        {"P2 A&B&C", 0, 0, L"P2 A&&B&&C", L"", L"Error 5", white, face, face, red},
    };
    EXPECT_EQ(m_page.LastKind(), CEditFields::kNone);
    for (const Row& row : rows) {
        Show(row.text, row.bValue, row.bError);
        EXPECT_EQ(FieldText(IDC_NAME), row.name) << row.text;
        EXPECT_EQ(FieldText(IDC_VALUE), row.value) << row.text;
        EXPECT_EQ(FieldText(IDC_ERROR), row.error) << row.text;
        EXPECT_EQ(m_page.Field(IDC_NAME).BkColor(), row.nameBk) << row.text;
        EXPECT_EQ(m_page.Field(IDC_VALUE).BkColor(), row.valueBk) << row.text;
        EXPECT_EQ(m_page.Field(IDC_ERROR).BkColor(), row.errorBk) << row.text;
        EXPECT_EQ(m_page.Field(IDC_ERROR).TextColor(), row.errorText) << row.text;
    }
    // The fields are drawn in the bold font, made for the page's DPI.
    const auto font =
        reinterpret_cast<HFONT>(::SendDlgItemMessageW(m_page.GetSafeHwnd(), IDC_NAME, WM_GETFONT, 0, 0));
    LOGFONTW attributes{};
    ASSERT_NE(::GetObjectW(font, sizeof(attributes), &attributes), 0);
    EXPECT_EQ(attributes.lfWeight, 700);
    EXPECT_GT(attributes.lfHeight, 0);
}

}  // namespace
