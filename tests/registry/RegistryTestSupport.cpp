#include "tests/registry/RegistryTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace regtest {

void RegistryTest::SetUp() {
    std::string folder = (std::filesystem::temp_directory_path() / "registry-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    m_home = folder;
    ::setenv("XDG_CONFIG_HOME", m_home.c_str(), 1);
    RegistryStoreResetForTesting();
}

void RegistryTest::TearDown() {
    RegistryStoreResetForTesting();
    std::error_code error;
    std::filesystem::remove_all(m_home, error);
}

std::string RegistryTest::FileText() const {
    std::ifstream in(File(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RegistryTest::WriteFileText(const std::string& text) const {
    std::filesystem::create_directories(Folder());
    std::ofstream(File(), std::ios::binary) << text;
}

std::vector<std::string> RegistryTest::OtherFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
        if (entry.path().filename() != "registry.ini")
            names.push_back(entry.path().filename().string());
    }
    return names;
}

HKEY RegistryTest::Create(const char16_t* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

LSTATUS RegistryTest::SetDword(HKEY key, const char16_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LSTATUS RegistryTest::SetString(HKEY key, const char16_t* name, const std::u16string& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

std::optional<DWORD> RegistryTest::QueryDword(HKEY key, const char16_t* name) {
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

std::optional<std::u16string> RegistryTest::QueryString(HKEY key, const char16_t* name) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ ||
        size % 2 != 0 || size == 0)
        return std::nullopt;
    std::u16string text(size / 2, u'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS ||
        text.back() != u'\0')
        return std::nullopt;
    text.pop_back();
    return text;
}

}  // namespace regtest
