#include "platform/tui/InputDecoder.h"

#include <gtest/gtest.h>

#include "platform/win/WindowInput.h"

namespace {

using tui::InputDecoder;
using tui::InputEvent;

// A terminal's bytes may come in any pieces: sequences cut anywhere decode as when whole.
TEST(InputDecoder, SequencesSplitAcrossReadsDecodeWhole) {
    InputDecoder decoder;
    std::vector<InputEvent> events;
    for (char byte : std::string("\x1b[<0;12;5M\x1b[Z\xe3\x81\x82\x1b[1;3B\x1b[200~a\x1b[201\x1b[201~"))
        for (const InputEvent& event : (decoder.Feed(std::string(1, byte)), decoder.Take()))
            events.push_back(event);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, InputEvent::Kind::Mouse);
    EXPECT_EQ(events[0].x, 11);
    EXPECT_EQ(events[0].y, 4);
    EXPECT_TRUE(events[0].press);
    EXPECT_EQ(events[1].vk, VK_TAB);
    EXPECT_TRUE(events[1].shift);
    EXPECT_EQ(events[2].ch, U'あ');
    EXPECT_EQ(events[3].vk, VK_DOWN);
    EXPECT_TRUE(events[3].alt);
    EXPECT_EQ(events[4].kind, InputEvent::Kind::Paste);
    EXPECT_EQ(events[4].text, U"a\x1b[201");
    EXPECT_FALSE(decoder.Pending());
}

TEST(InputDecoder, ALoneEscapeWaitsThenIsTheEscKeyAndEscapeBeforeALetterIsAlt) {
    InputDecoder decoder;
    decoder.Feed("\x1b");
    EXPECT_TRUE(decoder.Take().empty());
    EXPECT_TRUE(decoder.Pending());
    std::vector<InputEvent> events = decoder.Flush();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].vk, VK_ESCAPE);
    decoder.Feed("\x1by");
    events = decoder.Take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].ch, U'y');
    EXPECT_TRUE(events[0].alt);
}

}  // namespace
