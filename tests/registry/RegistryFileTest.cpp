#include "tests/registry/RegistryTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

namespace regtest {
namespace {

using RegistryFile = RegistryTest;

TEST_F(RegistryFile, IsReadableTextWithOneSectionPerKey) {
    HKEY key = Create(kOptionsKey);
    ASSERT_EQ(SetDword(key, u"isLinkCheckManualStart", 1), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, u"Title", u"リンク \"確認\""), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, nullptr, u"default"), ERROR_SUCCESS);
    const BYTE size[] = {0x80, 0x02, 0x00, 0x00};
    HKEY dialog = Create(u"Software\\Tarn\\Dialogs\\LinkCheck");
    ASSERT_EQ(RegSetValueExW(dialog, u"Size", 0, REG_BINARY, size, sizeof size), ERROR_SUCCESS);

    EXPECT_EQ(FileText(),
              "; Per-user settings (HKEY_CURRENT_USER), rewritten whole on every change.\n"
              "\n[Software]\n"
              "\n[Software\\Tarn]\n"
              "\n[Software\\Tarn\\Dialogs]\n"
              "\n[Software\\Tarn\\Dialogs\\LinkCheck]\n"
              "\"Size\"=hex:80,02,00,00\n"
              "\n[Software\\Tarn\\Options]\n"
              "@=\"default\"\n"
              "\"isLinkCheckManualStart\"=dword:00000001\n"
              "\"Title\"=\"リンク \\\"確認\\\"\"\n");
    struct stat info {};
    ASSERT_EQ(::stat(File().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RegistryFile, HandWrittenTextIsRead) {
    WriteFileText("\xEF\xBB\xBF; written by hand\r\n"
                  "# another comment\r\n"
                  "[Software\\Tarn\\Options]\r\n"
                  "  \"isLinkCheckManualStart\"=dword:0000000A  \r\n"
                  "\"Title\"=\"ページ\\u000a\\\\\"\r\n"
                  "\"Type\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                  "[]\n"
                  "\"AtRoot\"=dword:00000003\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(key, u"isLinkCheckManualStart"), 10u);
    EXPECT_EQ(QueryString(key, u"title"), u"ページ\n\\");
    DWORD type = REG_NONE;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Type", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_QWORD);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(QueryDword(HKEY_CURRENT_USER, u"AtRoot"), 3u);
    EXPECT_TRUE(OtherFiles().empty());
}

TEST_F(RegistryFile, DamagedFileGivesDefaultsAndIsKeptAside) {
    for (const std::string& damaged : {std::string("[Software\\Tarn]\nnot a value line\n"),
                                      std::string("\"BeforeAnyKey\"=dword:00000001\n"),
                                      std::string("[Software]\n\"V\"=dword:123\n"),
                                      std::string("[Software]\n\"V\"=\"unterminated\n"),
                                      std::string("[Software]\n\"V\"=hex:1,02\n"), std::string("[Soft\xFFware]\n"),
                                      std::string("[Software\\\\Tarn]\n"), std::string("[Software\n")}) {
        SCOPED_TRACE(damaged);
        std::filesystem::remove_all(Folder());
        WriteFileText(damaged);
        Restart();

        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(std::filesystem::exists(File()));
        const std::vector<std::string> aside = OtherFiles();
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_TRUE(aside[0].starts_with("registry.ini.damaged-")) << aside[0];
        std::ifstream in(Folder() / aside[0], std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);

        // The store works on as an empty one and writes a fresh file.
        key = Create(kOptionsKey);
        ASSERT_EQ(SetDword(key, u"isLinkCheckManualStart", 1), ERROR_SUCCESS);
        Restart();
        key = Create(kOptionsKey);
        EXPECT_EQ(QueryDword(key, u"isLinkCheckManualStart"), 1u);
    }
}

TEST_F(RegistryFile, WritesLeaveNoTemporaryBehindAndMakeTheFolder) {
    EXPECT_FALSE(std::filesystem::exists(Folder()));
    HKEY key = Create(kOptionsKey);
    EXPECT_EQ(std::filesystem::status(Folder()).permissions(), std::filesystem::perms::owner_all);
    for (DWORD i = 0; i < 5; ++i)
        ASSERT_EQ(SetDword(key, u"Count", i), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, u"Count"), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(File()));
    EXPECT_TRUE(OtherFiles().empty());
}

TEST_F(RegistryFile, WriteFailureReturnsAnErrorAndKeepsTheValue) {
    // A plain file where the folder should be: the folder can be neither read nor made, even by root.
    std::ofstream(Folder()) << "in the way";
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    const LSTATUS status = SetDword(key, u"isLinkCheckManualStart", 1);
    EXPECT_NE(status, ERROR_SUCCESS);
    EXPECT_NE(status, ERROR_INVALID_HANDLE);
    EXPECT_EQ(QueryDword(key, u"isLinkCheckManualStart"), 1u);

    // Once the way is clear the next write carries everything kept in memory.
    std::filesystem::remove(Folder());
    ASSERT_EQ(SetDword(key, u"Other", 2), ERROR_SUCCESS);
    Restart();
    key = Create(kOptionsKey);
    EXPECT_EQ(QueryDword(key, u"isLinkCheckManualStart"), 1u);
    EXPECT_EQ(QueryDword(key, u"Other"), 2u);
}

TEST_F(RegistryFile, RelativeConfigHomeFallsBackToHome) {
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    ::setenv("HOME", ConfigHome().c_str(), 1);
    Restart();
    HKEY key = Create(kOptionsKey);
    const LSTATUS status = SetDword(key, u"Value", 1);
    ::setenv("HOME", oldHome.c_str(), 1);
    ASSERT_EQ(status, ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(ConfigHome() / ".config" / "tarn" / "registry.ini"));
}

}  // namespace
}  // namespace regtest
