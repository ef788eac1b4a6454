#pragma once

#include "platform/win/WinReg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace regtest {

inline constexpr const char16_t* kOptionsKey = u"Software\\Tarn\\Options";

// Each test gets its own XDG_CONFIG_HOME in a fresh temporary folder and a store that has not read it yet.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path ConfigHome() const { return m_home; }
    std::filesystem::path Folder() const { return m_home / "tarn"; }
    std::filesystem::path File() const { return Folder() / "registry.ini"; }

    // The process ends and starts again: handles are gone and the next call reads the file.
    static void Restart() { RegistryStoreResetForTesting(); }

    std::string FileText() const;
    void WriteFileText(const std::string& text) const;
    // Names in the tarn folder other than registry.ini itself.
    std::vector<std::string> OtherFiles() const;

    // Creates (or opens) a key below HKEY_CURRENT_USER with full access; fails the test when it cannot.
    static HKEY Create(const char16_t* path);
    static LSTATUS SetDword(HKEY key, const char16_t* name, DWORD value);
    static LSTATUS SetString(HKEY key, const char16_t* name, const std::u16string& text);
    static std::optional<DWORD> QueryDword(HKEY key, const char16_t* name);
    static std::optional<std::u16string> QueryString(HKEY key, const char16_t* name);

private:
    std::filesystem::path m_home;
};

}  // namespace regtest
