#pragma once

#include <cstdint>
#include <string_view>

#include "platform/paint/CellGrid.h"
#include "platform/win/WinExport.h"

namespace paint {

// Text from a document is shown safely: nothing in it can move the cursor, switch the terminal's modes or
// reorder what is around it. Each code point that could is shown as a visible escape instead:
//   U+0000..U+001F and U+007F   caret notation: ^@ ^A ... ^[ ... ^_ and ^?  (TAB is ^I, LF is ^J)
//   U+0080..U+009F (C1), the bidirectional marks, embeddings, overrides and isolates (U+061C, U+200E,
//   U+200F, U+202A..U+202E, U+2066..U+2069), and the line and paragraph separators U+2028, U+2029
//                               <U+XXXX>, four upper-case hex digits
//   a surrogate that is not half of a pair, and the noncharacters U+FDD0..U+FDEF and U+xFFFE, U+xFFFF
//                               U+FFFD, the replacement character
// Everything else is shown as itself.
WINAPI_EXPORT void AppendSafe(StyledText& out, std::u16string_view text, std::uint8_t attrs);
WINAPI_EXPORT StyledText SafeText(std::u16string_view text, std::uint8_t attrs = 0);

// A control's caption as shown. With `prefix`, '&' marks the next character as the mnemonic, drawn
// underlined; "&&" shows one '&' and a '&' at the end shows nothing. Without it (SS_NOPREFIX) '&' is text.
// The caption is made safe as above.
WINAPI_EXPORT StyledText Label(std::u16string_view text, std::uint8_t attrs, bool prefix);

// The cells the text takes in a grid.
WINAPI_EXPORT int StyledCells(const StyledText& text);

}  // namespace paint
