// The test hook of the program's file dialogs: the file TOVAMO_TEST_FILE_ANSWERS names
// answers them in order; the real dialog is left to the lines that ask for it.
#include "app/win32/ProgramFileChooser.h"
#include "platform/WholeFile.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/Win32Api.h"

namespace {

const std::string kFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

TEST(FileAnswersTest, EachDialogTakesTheNextLineAndAnotherFileStartsAgain) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring first = std::wstring(temp) + L"tovamo-answers-1.txt";
    const std::wstring second = std::wstring(temp) + L"tovamo-answers-2.txt";
    ASSERT_EQ(WriteFileReplacing(Utf8FromWide(first),
                                 "C:\\tables\\Dr\xC3\xBC"
                                 "ck.txt\r\n<cancel>\r\nD:\\new.txt\n"),
              0);
    ASSERT_EQ(WriteFileReplacing(Utf8FromWide(second), "E:\\again.txt\r\n"), 0);

    CProgramFileChooser chooser;
    ::_wputenv_s(CProgramFileChooser::kAnswersVariable, first.c_str());
    EXPECT_EQ(chooser.GetOpenFileName(kFilter, ""), std::optional<std::string>("C:\\tables\\Dr\xC3\xBC"
                                                                               "ck.txt"));
    EXPECT_EQ(chooser.GetSaveFileName(kFilter, "NoName.txt", "txt"), std::nullopt) << "<cancel>";
    EXPECT_EQ(chooser.GetSaveFileName(kFilter, "NoName.txt", "txt"),
              std::optional<std::string>("D:\\new.txt"));
    EXPECT_EQ(chooser.LastPath(), "D:\\new.txt");
    ::_wputenv_s(CProgramFileChooser::kAnswersVariable, second.c_str());
    EXPECT_EQ(chooser.GetOpenFileName(kFilter, ""), std::optional<std::string>("E:\\again.txt"));
    // Used up: the next dialog would be the real one.
    EXPECT_FALSE(CProgramFileChooser::NextTestAnswer().has_value());
    ::_wputenv_s(CProgramFileChooser::kAnswersVariable, L"");
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
}

}  // namespace
