#include "hostlibs/dom/charset/DecodeCursor.h"

#include <algorithm>
#include <cstring>

#include "hostlibs/dom/charset/ShiftSequence.h"
#include "hostlibs/dom/charset/Utf8.h"

namespace tarn::charset {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// glibc converts to wchar_t, its own UCS-4 (one conversion step, where UTF-8 would take two),
// one code point per unit, so that a step can ask for exactly one code point. No supported
// decoder makes more than one code point per byte read, so with a unit of room per byte glibc
// never stops for room in the middle of a window (which for Big5-HKSCS would leave the second
// code point of a character pending inside the converter).
static_assert(sizeof(wchar_t) == 4, "glibc's wchar_t is UCS-4");
constexpr const char* kCodePoints = "WCHAR_T";
constexpr std::size_t kUnit = sizeof(wchar_t);
constexpr std::size_t kSlack = 4 * kUnit;

// Bytes a step offers the converter at first: more than any sequence needs.
constexpr std::size_t kStepLookahead = 16;

}  // namespace

DecodeCursor::DecodeCursor(const Encoding& encoding, std::string_view bytes, const Checkpoint& from)
    : encoding_(encoding), bytes_(bytes), pos_(from.byte), shift_(from.shift), lastStart_(from.byte) {
    if (encoding.kind == Encoding::Kind::SingleByte) {
        table_ = &SingleByteTable::of(encoding);
        return;
    }
    converter_.emplace(kCodePoints, encoding.decoder);
    if (shift_ != kNoShift) {
        // Re-reading the shift sequence puts a fresh converter in the state it had here.
        const char* in = bytes_.data() + shift_;
        std::size_t inLeft = kShiftLength;
        char unused[kUnit];
        char* out = unused;
        std::size_t room = sizeof unused;
        converter_->convert(in, inLeft, out, room);
    }
}

void DecodeCursor::advance(std::size_t window, std::string& out) {
    std::size_t end = std::min(bytes_.size(), pos_ + window);
    if (table_ != nullptr) {
        const std::size_t base = out.size();
        out.resize(base + kUnit * (end - pos_));
        char* text = table_->decode(bytes_.substr(pos_, end - pos_), out.data() + base);
        out.resize(static_cast<std::size_t>(text - out.data()));
        pos_ = end;
        return;
    }
    while (pos_ < end) {
        const char* in = bytes_.data() + pos_;
        std::size_t inLeft = end - pos_;
        buffer_.resize(kUnit * inLeft + kSlack);
        char* text = buffer_.data();
        std::size_t room = buffer_.size();
        const Converter::Result result = converter_->convert(in, inLeft, text, room);
        appendDecoded(buffer_.data(), text, out);
        const std::size_t consumed = static_cast<std::size_t>(in - (bytes_.data() + pos_));
        noteShifts(pos_, pos_ + consumed);
        pos_ += consumed;
        switch (result) {
        case Converter::Result::Done:
        case Converter::Result::OutputFull:
            break;
        case Converter::Result::Invalid:
            replaceInvalid(out);
            break;
        case Converter::Result::Incomplete:
            if (end == bytes_.size()) {
                replaceInvalid(out);
            } else if (consumed > 0) {
                return;
            } else {
                // A sequence longer than the whole window: let the converter see further.
                end = std::min(bytes_.size(), end + window);
            }
            break;
        }
    }
}

std::size_t DecodeCursor::step(std::string& out) {
    if (table_ != nullptr) {
        out += table_->decode(static_cast<unsigned char>(bytes_[pos_]));
        return pos_++;
    }
    // Input enough for the converter to decide as it would reading on (glibc's ISO-2022-JP reads
    // an ESC as text only once it sees what follows), but room for one code point only, so that
    // it stops after it.
    const std::size_t start = pos_;
    const std::size_t left = bytes_.size() - pos_;
    char codePoint[kUnit];
    char* text = codePoint;
    Converter::Result result;
    std::size_t consumed;
    for (std::size_t lookahead = kStepLookahead;; lookahead *= 2) {
        const char* in = bytes_.data() + pos_;
        std::size_t inLeft = std::min(left, lookahead);
        std::size_t room = sizeof codePoint;
        result = converter_->convert(in, inLeft, text, room);
        consumed = static_cast<std::size_t>(in - (bytes_.data() + pos_));
        const bool undecided = result == Converter::Result::Incomplete && consumed == 0 && text == codePoint;
        if (!undecided || lookahead >= left) break;
    }
    const std::size_t shiftBefore = shift_;
    noteShifts(pos_, pos_ + consumed);
    pos_ += consumed;
    if (text != codePoint) {
        appendDecoded(codePoint, text, out);
        // Nothing read: the second code point of the character before, which glibc held back.
        if (consumed == 0) return lastStart_;
        lastStart_ = shift_ != shiftBefore ? std::max(start, shift_ + kShiftLength) : start;
        return lastStart_;
    }
    if (consumed == 0 && result != Converter::Result::Done) replaceInvalid(out);
    lastStart_ = start;
    return start;
}

void DecodeCursor::replaceInvalid(std::string& out) {
    out += kReplacement;
    pos_ = std::min(bytes_.size(), pos_ + encoding_.errorLength);
}

void DecodeCursor::noteShifts(std::size_t from, std::size_t to) {
    if (!encoding_.shifting) return;
    const std::size_t last = lastShiftSequence(bytes_, from, to);
    if (last != std::string_view::npos) shift_ = last;
}

void DecodeCursor::appendDecoded(const char* from, const char* to, std::string& out) const {
    const std::size_t base = out.size();
    out.resize(base + static_cast<std::size_t>(to - from));
    char* text = out.data() + base;
    for (const char* p = from; p + kUnit <= to; p += kUnit) {
        wchar_t c;
        std::memcpy(&c, p, kUnit);
        text = writeUtf8(static_cast<char32_t>(c), text);
    }
    out.resize(static_cast<std::size_t>(text - out.data()));
}

}  // namespace tarn::charset
