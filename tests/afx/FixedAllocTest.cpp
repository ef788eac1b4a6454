// Objects of one size come from blocks: what can break is two live objects sharing memory, a freed object
// not being handed out again, or the free list lost by two threads at once (run under ThreadSanitizer).
#include "platform/afx/CFixedAlloc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace {

TEST(FixedAlloc, LiveObjectsAreApartFreedOnesComeBackAndTwoThreadsShareIt) {
    constexpr UINT kSize = 40;
    CFixedAlloc alloc(kSize, 16);
    std::vector<void*> live;
    for (int i = 0; i < 100; ++i) {
        void* p = alloc.Alloc();
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(void*), 0u);
        std::memset(p, i, kSize);
        live.push_back(p);
    }
    for (std::size_t i = 0; i < live.size(); ++i) {
        const auto* bytes = static_cast<const unsigned char*>(live[i]);
        ASSERT_EQ(bytes[0], i);
        ASSERT_EQ(bytes[kSize - 1], i);
    }
    const std::set<void*> freed(live.begin(), live.begin() + 50);
    for (void* p : freed)
        alloc.Free(p);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(freed.count(alloc.Alloc()), 1u);

    auto churn = [&alloc](unsigned char mark) {
        std::vector<unsigned char*> mine;
        for (int round = 0; round < 2000; ++round) {
            auto* p = static_cast<unsigned char*>(alloc.Alloc());
            std::memset(p, mark, kSize);
            mine.push_back(p);
            if (round % 3 == 2) {
                for (unsigned char* q : mine) {
                    ASSERT_EQ(q[kSize - 1], mark);
                    alloc.Free(q);
                }
                mine.clear();
            }
        }
        for (unsigned char* q : mine)
            alloc.Free(q);
    };
    std::thread other(churn, 0x11);
    churn(0x22);
    other.join();
}

}  // namespace
