#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "contracts/host/CUrlEngineer.h"

namespace {

CString text(const char* utf8) {
    return CString::FromUtf8(utf8);
}

}  // namespace

TEST(EngineText, StatusLinesNameTheHost) {
    CUrlEngineer* engine = CUrlEngineer::getInstance();
    const unsigned int id = engine->rememberHost(u"www.example.com");
    EXPECT_EQ(engine->getHttpConnecting(id, 0), text("www.example.com に接続しています..."));
    EXPECT_EQ(engine->getHttpConnected(id, 0), text("www.example.com に接続しました。応答を待っています..."));
    EXPECT_EQ(engine->getHttpProcessDone(id, 404), text("www.example.com から応答を受信しました: 404 Not Found"));
    EXPECT_EQ(engine->getHttpProcessDone(id, 200), text("www.example.com から応答を受信しました: 200 OK"));
    EXPECT_EQ(engine->getHttpProcessDone(id, 999), text("www.example.com から応答を受信しました: 999"));
    EXPECT_EQ(engine->getHttpProcessDone(id, 299), text("www.example.com から応答を受信しました: 299"));
}

TEST(EngineText, AgedOutOrUnknownIdsNameAServer) {
    CUrlEngineer* engine = CUrlEngineer::getInstance();
    const unsigned int old = engine->rememberHost(u"old.example");
    unsigned int latest = 0;
    for (unsigned int i = 0; i < CUrlEngineer::kRecentHosts; ++i)
        latest = engine->rememberHost(u"new.example");
    EXPECT_EQ(engine->getHttpConnecting(old, 0), text("サーバー に接続しています..."));
    EXPECT_EQ(engine->getHttpConnecting(latest, 0), text("new.example に接続しています..."));
    EXPECT_EQ(engine->getHttpConnecting(0, 0), text("サーバー に接続しています..."));
    EXPECT_NE(old, 0u);
    EXPECT_NE(latest, old);
}

TEST(EngineText, HostsAndStopFlagAcrossThreads) {
    CUrlEngineer* engine = CUrlEngineer::getInstance();
    std::atomic<unsigned int> lastId{0};
    std::thread worker([&] {
        for (int i = 0; i < 2000; ++i)
            lastId.store(engine->rememberHost(i % 2 == 0 ? u"a.example" : u"b.example"));
    });
    for (int i = 0; i < 2000; ++i) {
        const CString line = engine->getHttpConnecting(lastId.load(), 0);
        EXPECT_TRUE(line == text("a.example に接続しています...") || line == text("b.example に接続しています...") ||
                    line == text("サーバー に接続しています..."));
    }
    worker.join();
    EXPECT_FALSE(engine->isStopRequired());
    engine->setStopRequired(true);
    EXPECT_TRUE(engine->isStopRequired());
    engine->setStopRequired(false);
}
