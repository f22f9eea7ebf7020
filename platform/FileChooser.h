#pragma once

#include <optional>
#include <string>

// The file dialogs of the Table page. The filter is in the "Text Files (*.txt)|*.txt|
// All Files (*.*)|*.*||" form; an empty result means the user cancelled.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Save: asks before overwriting an existing file; adds defaultExtension when the
    // chosen name has none; the folder must exist.
    virtual std::optional<std::string> GetSaveFileName(const std::string& filter,
                                                       const std::string& initialName,
                                                       const std::string& defaultExtension) = 0;
    // Open: the folder must exist; the file need not.
    virtual std::optional<std::string> GetOpenFileName(const std::string& filter,
                                                       const std::string& initialName) = 0;
};
