#include <gtest/gtest.h>

#include "contracts/host/CQuorCommon.h"
#include "contracts/host/CRegistryBase.h"
#include "tests/registry/RegistryTestSupport.h"

namespace {

class RegistryBase : public regtest::RegistryTest {};

TEST_F(RegistryBase, TheDialogsSettingIsWrittenAndReadAcrossARestart) {
    const CString options = CQuorCommon::getHKCUTarnpageOptions();
    {
        // Reading before anything was written: the default, and no key made.
        CRegistryBase reader(options.GetString(), HKEY_CURRENT_USER, 0, 1, 0);
        EXPECT_EQ(reader.GetValueDWORD(u"isLinkCheckManualStart", 0, 0), 0u);
        EXPECT_FALSE(reader.SetValueDWORD(u"isLinkCheckManualStart", 1));
    }
    EXPECT_FALSE(std::filesystem::exists(File()));
    {
        CRegistryBase writer(options.GetString(), HKEY_CURRENT_USER, 1, 1, 0);
        EXPECT_TRUE(writer.SetValueDWORD(u"isLinkCheckManualStart", 1));
    }
    Restart();
    CRegistryBase reader(options.GetString(), HKEY_CURRENT_USER, 0, 1, 0);
    EXPECT_EQ(reader.GetValueDWORD(u"isLinkCheckManualStart", 0, 0), 1u);
    EXPECT_NE(FileText().find("[Software\\Tarn\\Tarnpage\\Options]"), std::string::npos);
}

TEST_F(RegistryBase, AValueOfAnotherTypeReadsAsTheDefault) {
    HKEY key = Create(u"Software\\Tarn\\Tarnpage\\Options");
    ASSERT_EQ(SetString(key, u"isLinkCheckManualStart", u"yes"), ERROR_SUCCESS);
    RegCloseKey(key);
    CRegistryBase reader(u"Software\\Tarn\\Tarnpage\\Options", HKEY_CURRENT_USER, 0, 0, 0);
    EXPECT_EQ(reader.GetValueDWORD(u"isLinkCheckManualStart", 7, 0), 7u);
}

TEST_F(RegistryBase, StoringTheDefaultWritesAMissingValueOnce) {
    CRegistryBase writer(u"Software\\Tarn\\Tarnpage\\Options", HKEY_CURRENT_USER, 1, 0, 0);
    EXPECT_EQ(writer.GetValueDWORD(u"width", 640, 1), 640u);
    EXPECT_TRUE(writer.SetValueDWORD(u"height", 480));
    Restart();
    CRegistryBase reader(u"Software\\Tarn\\Tarnpage\\Options", HKEY_CURRENT_USER, 0, 1, 0);
    EXPECT_EQ(reader.GetValueDWORD(u"width", 0, 0), 640u);
    EXPECT_EQ(reader.GetValueDWORD(u"height", 0, 0), 480u);
}

TEST(QuorCommon, ThePlacementKeyFollowsTheBaseKey) {
    EXPECT_EQ(CQuorCommon::getHKCUTarnpageBase() + u"\\dlg\\LinkCheckDlg", CString(u"Software\\Tarn\\Tarnpage\\dlg\\LinkCheckDlg"));
    EXPECT_EQ(CQuorCommon::getHKCUTarnpageOptions(), CString(u"Software\\Tarn\\Tarnpage\\Options"));
}

}  // namespace
