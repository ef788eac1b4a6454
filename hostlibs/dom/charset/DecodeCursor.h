#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostlibs/dom/charset/Converter.h"
#include "hostlibs/dom/charset/Encoding.h"
#include "hostlibs/dom/charset/SingleByteTable.h"

namespace tarn::charset {

inline constexpr std::size_t kNoShift = static_cast<std::size_t>(-1);

// A place decoding can restart from: a text offset, the byte offset it comes from, and for
// ISO-2022-JP the shift sequence in force there.
struct Checkpoint {
    std::size_t text = 0;
    std::size_t byte = 0;
    std::size_t shift = kNoShift;  // byte offset of the last shift sequence read; kNoShift: none yet
};

// Decodes a page's bytes forward from a checkpoint. A sequence the converter rejects, or one the
// end of the page leaves undecided, reads as U+FFFD for its first errorLength bytes; decoding
// resumes after them, as it would after any invalid byte.
class DecodeCursor {
public:
    // `bytes` (the whole page) must outlive the cursor.
    DecodeCursor(const Encoding& encoding, std::string_view bytes, const Checkpoint& from);

    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t shift() const { return shift_; }

    // Decodes the next `window` bytes, appending their text to `out`. A sequence crossing the end
    // of the window is left for the next call, so the cursor always stops between sequences.
    void advance(std::size_t window, std::string& out);

    // Decodes one code point (with the shift sequences before it), one invalid sequence, or the
    // shift sequences at the end of the page, appending its text to `out`. Returns where the
    // bytes of that text start: after the shift sequences.
    std::size_t step(std::string& out);

private:
    void replaceInvalid(std::string& out);
    void noteShifts(std::size_t from, std::size_t to);
    void appendDecoded(const char* from, const char* to, std::string& out) const;

    const Encoding& encoding_;
    std::string_view bytes_;
    const SingleByteTable* table_ = nullptr;
    std::optional<Converter> converter_;  // to code points
    std::vector<char> buffer_;
    std::size_t pos_;
    std::size_t shift_;
    std::size_t lastStart_;
};

}  // namespace tarn::charset
