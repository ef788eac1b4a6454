#include "hostlibs/dom/charset/OffsetMap.h"

#include <algorithm>

#include "hostlibs/dom/charset/ShiftSequence.h"

namespace tarn::charset {
namespace {

// A checkpoint closer than this saves too little to pay for its entry.
constexpr std::size_t kMinSpacing = 64;

// A lookup decodes whole windows while they stay short of the offset sought, at most a quarter of
// the text still to go (a byte never decodes to more than four bytes of text), so that none
// overshoots; from this close it goes sequence by sequence.
constexpr std::size_t kLastWindow = 16;

}  // namespace

OffsetMap OffsetMap::identity(std::size_t start) { return OffsetMap(nullptr, start, {}); }

OffsetMap OffsetMap::decode(const Encoding& encoding, std::string_view bytes, std::size_t start,
                            std::size_t spacing, std::string& text) {
    spacing = std::max(spacing, kMinSpacing);
    text.clear();
    text.reserve(bytes.size() - start + (bytes.size() - start) / 4);
    std::vector<Checkpoint> checkpoints{{0, start, kNoShift}};
    DecodeCursor cursor(encoding, bytes, checkpoints.front());
    while (!cursor.atEnd()) {
        cursor.advance(spacing, text);
        if (!cursor.atEnd()) checkpoints.push_back({text.size(), cursor.position(), cursor.shift()});
    }
    checkpoints.shrink_to_fit();
    return OffsetMap(&encoding, start, std::move(checkpoints));
}

Checkpoint OffsetMap::locate(std::string_view bytes, std::size_t textOffset) const {
    if (encoding_ == nullptr) return {textOffset, std::min(bytes.size(), start_ + textOffset), kNoShift};
    const auto next = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), textOffset,
                                       [](std::size_t t, const Checkpoint& c) { return t < c.text; });
    Checkpoint at = *std::prev(next);
    DecodeCursor cursor(*encoding_, bytes, at);
    std::string text;
    while (!cursor.atEnd()) {
        text.clear();
        cursor.advance(std::max(kLastWindow, (textOffset - at.text) / 4), text);
        if (at.text + text.size() > textOffset) return stepTo(bytes, at, textOffset);
        at = {at.text + text.size(), cursor.position(), cursor.shift()};
    }
    return {at.text, bytes.size(), cursor.shift()};
}

std::size_t OffsetMap::shiftAt(std::string_view bytes, std::size_t byte) const {
    if (encoding_ == nullptr || !encoding_->shifting) return kNoShift;
    const auto next = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), byte,
                                       [](std::size_t b, const Checkpoint& c) { return b < c.byte; });
    if (next == checkpoints_.begin()) return kNoShift;
    const Checkpoint& from = *std::prev(next);
    const std::size_t last = lastShiftSequence(bytes, from.byte, byte);
    return last == std::string_view::npos ? from.shift : last;
}

Checkpoint OffsetMap::stepTo(std::string_view bytes, const Checkpoint& from, std::size_t textOffset) const {
    DecodeCursor cursor(*encoding_, bytes, from);
    std::size_t at = from.text;
    std::string text;
    while (!cursor.atEnd()) {
        text.clear();
        const std::size_t start = cursor.step(text);
        if (at + text.size() > textOffset) return {at, start, cursor.shift()};
        at += text.size();
    }
    return {at, bytes.size(), cursor.shift()};
}

}  // namespace tarn::charset
