#include "app/win32/ProgramFileChooser.h"

#include "platform/WholeFile.h"
#include "platform/WideText.h"

#include <cstdlib>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace {
// Answers taken so far from the file named last; another file starts from its first line.
int g_nAnswersTaken = 0;
std::wstring g_strAnswersFile;

std::vector<std::string> AnswerLines(const std::wstring& file) {
    std::vector<std::string> lines;
    std::string content;
    if (ReadWholeFile(Utf8FromWide(file), content) != 0)
        return lines;
    const std::string* text = &content;
    size_t start = 0;
    while (start < text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos)
            end = text->size();
        std::string line = text->substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}
}  // namespace

std::optional<std::optional<std::string>> CProgramFileChooser::NextTestAnswer() {
    const wchar_t* file = ::_wgetenv(kAnswersVariable);
    if (file == nullptr || *file == L'\0')
        return std::nullopt;
    if (g_strAnswersFile != file) {
        g_strAnswersFile = file;
        g_nAnswersTaken = 0;
    }
    const std::vector<std::string> lines = AnswerLines(file);
    if (g_nAnswersTaken >= static_cast<int>(lines.size()))
        return std::nullopt;
    const std::string& line = lines[g_nAnswersTaken++];
    if (line == "<dialog>")
        return std::nullopt;
    if (line == "<cancel>")
        return std::optional<std::string>();
    return std::optional<std::string>(line);
}

std::optional<std::string> CProgramFileChooser::GetSaveFileName(const std::string& filter,
                                                                const std::string& initialName,
                                                                const std::string& defaultExtension) {
    if (auto answer = NextTestAnswer())
        return Remember(std::move(*answer));
    return Remember(m_dialogs.GetSaveFileName(filter, initialName, defaultExtension));
}

std::optional<std::string> CProgramFileChooser::GetOpenFileName(const std::string& filter,
                                                                const std::string& initialName) {
    if (auto answer = NextTestAnswer())
        return Remember(std::move(*answer));
    return Remember(m_dialogs.GetOpenFileName(filter, initialName));
}

std::optional<std::string> CProgramFileChooser::Remember(std::optional<std::string> chosen) {
    if (chosen)
        m_strLastPath = *chosen;
    return chosen;
}
