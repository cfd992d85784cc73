// Test helper: a fresh temporary folder, removed with everything in it at the end of the scope.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class CTempDir {
  public:
    CTempDir() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / ("nimbrel-test-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~CTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string Write(const std::string& strRelative, const std::string& strText) const {
        const std::filesystem::path file = m_path / strRelative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << strText;
        return file.string();
    }

  private:
    std::filesystem::path m_path;
};
