#include "support/TempDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace {
std::filesystem::path Utf8Path(const std::string& path) {
    return std::u8string(path.begin(), path.end());
}
}  // namespace

// Portable (the tests also run on Windows): a random name, created only if it is new.
TempDir::TempDir() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_strPath.empty(); ++attempt) {
        const std::filesystem::path folder = base / ("tovamo-test-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(folder, error)) {
            const std::u8string utf8 = folder.generic_u8string();
            m_strPath.assign(utf8.begin(), utf8.end());
        }
    }
    if (m_strPath.empty())
        throw std::runtime_error("cannot make a temporary folder in " + base.string() + ": " +
                                 error.message());
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Utf8Path(m_strPath), ignored);
}

void WriteFileBytes(const std::string& path, const std::string& content) {
    std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
