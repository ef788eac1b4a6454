#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "hostlibs/dom/charset/DecodeCursor.h"
#include "hostlibs/dom/charset/Encoding.h"

namespace tarn::charset {

// Leads offsets in a page's decoded text back to the page's bytes. For text that is the bytes
// themselves (valid UTF-8) that is an addition; otherwise sparse checkpoints, from which a lookup
// decodes forward again, so the map stays small and a lookup costs one checkpoint's distance.
class OffsetMap {
public:
    // The text is the bytes from `start` on, unchanged.
    static OffsetMap identity(std::size_t start);

    // Decodes `bytes` from `start` into `text`, keeping a checkpoint every `spacing` bytes.
    static OffsetMap decode(const Encoding& encoding, std::string_view bytes, std::size_t start,
                            std::size_t spacing, std::string& text);

    // Where the character at text offset `textOffset` starts in `bytes` (after any shift
    // sequences before it), with the shift state in force there. An offset inside a character
    // gives that character's start; the end of the text (or beyond) gives bytes.size().
    Checkpoint locate(std::string_view bytes, std::size_t textOffset) const;

    // The shift sequence in force at `byte` (a place between sequences), as Checkpoint::shift.
    std::size_t shiftAt(std::string_view bytes, std::size_t byte) const;

    std::size_t checkpointCount() const { return checkpoints_.size(); }

private:
    OffsetMap(const Encoding* encoding, std::size_t start, std::vector<Checkpoint> checkpoints)
        : encoding_(encoding), start_(start), checkpoints_(std::move(checkpoints)) {}

    Checkpoint stepTo(std::string_view bytes, const Checkpoint& from, std::size_t textOffset) const;

    const Encoding* encoding_ = nullptr;  // nullptr for the identity
    std::size_t start_ = 0;
    std::vector<Checkpoint> checkpoints_;
};

}  // namespace tarn::charset
