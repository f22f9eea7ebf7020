#pragma once

#include <string>

// A fresh folder under $TMPDIR (default /tmp) for one test, removed with everything in
// it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    // Path() + "/" + name; the file is not created.
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }

private:
    std::string m_strPath;
};

// Writes `content` to `path` as it stands (binary); throws std::runtime_error on failure.
void WriteFileBytes(const std::string& path, const std::string& content);
// The whole file, or "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
