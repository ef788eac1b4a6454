#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "hostlibs/dom/charset/LineEnding.h"
#include "hostlibs/dom/charset/OffsetMap.h"

namespace tarn::charset {

struct DecodeOptions {
    // A label from outside the page, such as the charset of its HTTP Content-Type. It wins over the
    // page's <meta> (a byte order mark wins over it); an unknown label is ignored.
    std::string_view transportLabel;
    // Page bytes between two checkpoints of the offset map: memory against the cost of a lookup.
    std::size_t checkpointSpacing = 4096;
};

// Bytes [begin, end) of a page.
struct ByteSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// A page read for editing: its bytes as they came, its text as UTF-8, and what writing the page
// back in its own encoding needs, so that everything outside the edited spans stays byte for byte.
struct DecodedPage {
    std::string bytes;       // the page as read, untouched
    std::string text;        // decoded UTF-8, without the byte order mark
    std::string encoding;    // canonical name: "UTF-8", "Shift_JIS", "windows-1252", ...
    std::size_t bomLength = 0;               // 0, 2 or 3
    LineEnding lineEnding = LineEnding::LF;  // the page's most used line break
    OffsetMap offsets = OffsetMap::identity(0);

    // Where the character at `textOffset` (a character boundary of `text`) starts in `bytes`;
    // text.size() gives bytes.size().
    std::size_t originalOffset(std::size_t textOffset) const;

    // The bytes a writer replaces to change text[textBegin, textEnd): from originalOffset(textBegin)
    // to originalOffset(textEnd), and for ISO-2022-JP also the shift sequences right before the
    // first of them, so that the replacement never has to follow a shift sequence with another.
    ByteSpan originalSpan(std::size_t textBegin, std::size_t textEnd) const;

    // The bytes to put in place of originalSpan(textBegin, textEnd) so that the page reads `utf8`
    // there: encodeText(utf8, encoding), and for ISO-2022-JP the shift sequences that keep the
    // bytes before and after the span in the character sets they were written in.
    std::string encodeReplacement(std::size_t textBegin, std::size_t textEnd, std::string_view utf8) const;
};

// Detects the encoding (see detectEncoding) and decodes. Never fails on bad input: invalid
// sequences read as U+FFFD.
DecodedPage decodePage(std::string bytes, const DecodeOptions& options = {});

}  // namespace tarn::charset
