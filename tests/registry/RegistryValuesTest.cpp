#include "tests/registry/RegistryTestSupport.h"

#include <thread>
#include <vector>

namespace regtest {
namespace {

using RegistryValues = RegistryTest;

TEST_F(RegistryValues, DwordAndJapaneseTextSurviveARestart) {
    HKEY key = Create(kOptionsKey);
    ASSERT_EQ(SetDword(key, u"isLinkCheckManualStart", 1), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, u"LastPage", u"リンク確認 \"最新\" C:\\temp\\ページ.html"), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, u"Zero", 0), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    Restart();
    HKEY reopened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &reopened), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(reopened, u"isLinkCheckManualStart"), 1u);
    EXPECT_EQ(QueryDword(reopened, u"Zero"), 0u);
    EXPECT_EQ(QueryString(reopened, u"LastPage"), u"リンク確認 \"最新\" C:\\temp\\ページ.html");
    RegCloseKey(reopened);
}

TEST_F(RegistryValues, EveryByteComesBackAfterARestart) {
    HKEY key = Create(u"Software\\Tarn\\Bytes");
    const BYTE binary[] = {0x00, 0xFF, 0x2C, 0x01};
    const char16_t oddText[] = {u'a', 0xD800, u'\n', u'\t', u'"', u'\\', 0x7F, 0xD83D, 0xDCA1, u'\0'};
    const BYTE noNul[] = {'h', 0, 'i', 0};
    const BYTE shortDword[] = {7, 0};
    ASSERT_EQ(RegSetValueExW(key, u"Binary", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(oddText), sizeof oddText),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"NoNul", 0, REG_SZ, noNul, sizeof noNul), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Short", 0, REG_DWORD, shortDword, sizeof shortDword), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Quad", 0, REG_QWORD, binary, sizeof binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Name \"with\" = and \\", 0, REG_BINARY, binary, 1), ERROR_SUCCESS);

    Restart();
    key = Create(u"Software\\Tarn\\Bytes");
    auto read = [&](const char16_t* name, DWORD expectedType) {
        DWORD type = REG_NONE;
        DWORD size = 64;
        std::vector<BYTE> data(size);
        EXPECT_EQ(RegQueryValueExW(key, name, nullptr, &type, data.data(), &size), ERROR_SUCCESS);
        EXPECT_EQ(type, expectedType);
        data.resize(size);
        return data;
    };
    EXPECT_EQ(read(u"Binary", REG_BINARY), std::vector<BYTE>(std::begin(binary), std::end(binary)));
    const auto odd = reinterpret_cast<const BYTE*>(oddText);
    EXPECT_EQ(read(u"Odd", REG_SZ), std::vector<BYTE>(odd, odd + sizeof oddText));
    EXPECT_EQ(read(u"NoNul", REG_SZ), std::vector<BYTE>(std::begin(noNul), std::end(noNul)));
    EXPECT_EQ(read(u"Short", REG_DWORD), std::vector<BYTE>(std::begin(shortDword), std::end(shortDword)));
    EXPECT_EQ(read(u"Empty", REG_BINARY), std::vector<BYTE>());
    EXPECT_EQ(read(u"Quad", REG_QWORD), std::vector<BYTE>(std::begin(binary), std::end(binary)));
    EXPECT_EQ(read(u"Name \"with\" = and \\", REG_BINARY), std::vector<BYTE>{0x00});
}

TEST_F(RegistryValues, SizeQueriesAndTooSmallBuffers) {
    HKEY key = Create(kOptionsKey);
    ASSERT_EQ(SetString(key, u"Title", u"設定"), ERROR_SUCCESS);

    DWORD type = REG_NONE;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Title", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 6u);  // two characters and the NUL, in UTF-16

    BYTE small[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, u"Title", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);

    BYTE exact[6] = {};
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueExW(key, u"Title", nullptr, nullptr, exact, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);

    // Only the type, and parameters Windows refuses.
    type = REG_NONE;
    EXPECT_EQ(RegQueryValueExW(key, u"Title", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(RegQueryValueExW(key, u"Title", nullptr, nullptr, exact, nullptr), ERROR_INVALID_PARAMETER);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Title", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(key, u"Bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValues, MissingValuesAndKeys) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_FALSE(std::filesystem::exists(File()));  // reading creates nothing

    key = Create(kOptionsKey);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Absent", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueW(key, u"Absent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(SetDword(key, u"Gone", 5), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, u"Gone"), ERROR_SUCCESS);
    Restart();
    key = Create(kOptionsKey);
    EXPECT_EQ(QueryDword(key, u"Gone"), std::nullopt);

    HKEY child = nullptr;
    EXPECT_EQ(RegOpenKeyExW(key, u"Dialogs", 0, KEY_READ, &child), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryValues, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    HKEY key = Create(kOptionsKey);
    ASSERT_EQ(SetDword(key, u"isLinkCheckManualStart", 1), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, u"ISLINKCHECKMANUALSTART", 2), ERROR_SUCCESS);

    HKEY upper = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\tarn\\OPTIONS", 0, KEY_READ, &upper), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(upper, u"islinkcheckmanualstart"), 2u);

    DWORD disposition = 0;
    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"software\\TARN\\options\\", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    const std::string text = FileText();
    EXPECT_NE(text.find("[Software\\Tarn\\Options]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"isLinkCheckManualStart\"=dword:00000002"), std::string::npos) << text;
}

TEST_F(RegistryValues, KeysAreMadeBelowOpenKeysWithTheirParents) {
    DWORD disposition = 0;
    HKEY tarn = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Tarn", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &tarn,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY dialog = nullptr;
    ASSERT_EQ(RegCreateKeyExW(tarn, u"Dialogs\\LinkCheck", 0, nullptr, 0, KEY_WRITE, nullptr, &dialog, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ASSERT_EQ(SetDword(dialog, u"Width", 640), ERROR_SUCCESS);

    Restart();
    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Tarn\\Dialogs", 0, KEY_READ, &parent), ERROR_SUCCESS);
    HKEY same = nullptr;
    ASSERT_EQ(RegOpenKeyExW(parent, u"LinkCheck", 0, KEY_READ, &same), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(same, u"Width"), 640u);
    HKEY itself = nullptr;
    ASSERT_EQ(RegOpenKeyExW(same, nullptr, 0, KEY_READ, &itself), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(itself, u"Width"), 640u);
    EXPECT_NE(itself, same);
}

TEST_F(RegistryValues, HandlesGrantWhatWasAskedAndDieWhenClosed) {
    HKEY writable = Create(kOptionsKey);
    ASSERT_EQ(SetDword(writable, u"Value", 1), ERROR_SUCCESS);
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(readOnly, u"Value", 2), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueW(readOnly, u"Value"), ERROR_ACCESS_DENIED);
    HKEY writeOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_WRITE, &writeOnly), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(writeOnly, u"Value"), std::nullopt);
    EXPECT_EQ(QueryDword(readOnly, u"Value"), 1u);

    EXPECT_EQ(RegCloseKey(readOnly), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(readOnly), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetDword(readOnly, u"Value", 3), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(writable, u"Value"), 1u);
}

TEST_F(RegistryValues, OnlyTheCurrentUserIsKept) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Tarn", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"\\Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\\\Tarn", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_BAD_PATHNAME);
}

TEST_F(RegistryValues, ThreadsSettingAtOnceLoseNothing) {
    constexpr int kThreads = 4;
    constexpr DWORD kValues = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            HKEY key = Create(kOptionsKey);
            for (DWORD i = 0; i < kValues; ++i) {
                const std::u16string name = u"T" + std::u16string(1, static_cast<char16_t>(u'0' + t)) + u"_" +
                                            std::u16string(1, static_cast<char16_t>(u'A' + i));
                EXPECT_EQ(SetDword(key, name.c_str(), i), ERROR_SUCCESS);
            }
            RegCloseKey(key);
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    Restart();
    HKEY key = Create(kOptionsKey);
    for (int t = 0; t < kThreads; ++t) {
        for (DWORD i = 0; i < kValues; ++i) {
            const std::u16string name = u"t" + std::u16string(1, static_cast<char16_t>(u'0' + t)) + u"_" +
                                        std::u16string(1, static_cast<char16_t>(u'a' + i));
            EXPECT_EQ(QueryDword(key, name.c_str()), i);
        }
    }
}

}  // namespace
}  // namespace regtest
