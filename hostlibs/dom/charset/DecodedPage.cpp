#include "hostlibs/dom/charset/DecodedPage.h"

#include "hostlibs/dom/charset/Detection.h"
#include "hostlibs/dom/charset/EncodeText.h"
#include "hostlibs/dom/charset/ShiftSequence.h"
#include "hostlibs/dom/charset/Utf8.h"

namespace tarn::charset {
namespace {

// The shift sequence that puts a converter in the state of a checkpoint's `shift`.
std::string_view shiftSequence(std::string_view bytes, std::size_t shift) {
    return shift == kNoShift ? kShiftToAscii : bytes.substr(shift, kShiftLength);
}

}  // namespace

std::size_t DecodedPage::originalOffset(std::size_t textOffset) const {
    return offsets.locate(bytes, textOffset).byte;
}

ByteSpan DecodedPage::originalSpan(std::size_t textBegin, std::size_t textEnd) const {
    ByteSpan span{originalOffset(textBegin), originalOffset(textEnd)};
    if (requireEncoding(encoding).shifting) {
        while (span.begin >= bomLength + kShiftLength && isShiftSequence(bytes, span.begin - kShiftLength)) {
            span.begin -= kShiftLength;
        }
    }
    return span;
}

std::string DecodedPage::encodeReplacement(std::size_t textBegin, std::size_t textEnd,
                                           std::string_view utf8) const {
    std::string encoded = encodeText(utf8, encoding);
    if (!requireEncoding(encoding).shifting) return encoded;
    // encodeText starts and ends in ASCII. A browser reads two shift sequences in a row as an
    // error, so none is written next to another: the span has characters on both sides (or the
    // page's ends), and a shift sequence the text already has is not repeated.
    const ByteSpan span = originalSpan(textBegin, textEnd);
    const std::string_view before = shiftSequence(bytes, offsets.shiftAt(bytes, span.begin));
    const std::string_view after = shiftSequence(bytes, offsets.shiftAt(bytes, span.end));
    if (encoded.empty()) return before == after ? std::string() : std::string(after);
    std::string out;
    if (before != kShiftToAscii && !isShiftSequence(encoded, 0)) out += kShiftToAscii;
    if (after != kShiftToAscii && std::string_view(encoded).ends_with(kShiftToAscii)) {
        encoded.resize(encoded.size() - kShiftLength);
    }
    out += encoded;
    if (after != kShiftToAscii) out += after;
    return out;
}

DecodedPage decodePage(std::string bytes, const DecodeOptions& options) {
    DecodedPage page;
    page.bytes = std::move(bytes);
    const Detection detected = detectEncoding(page.bytes, options.transportLabel);
    page.encoding = detected.encoding->name;
    page.bomLength = detected.bomLength;
    const std::string_view all = page.bytes;
    if (detected.encoding->kind == Encoding::Kind::Utf8 && isValidUtf8(all.substr(detected.bomLength))) {
        page.text.assign(all.substr(detected.bomLength));
        page.offsets = OffsetMap::identity(detected.bomLength);
    } else {
        page.offsets = OffsetMap::decode(*detected.encoding, all, detected.bomLength, options.checkpointSpacing,
                                         page.text);
    }
    page.lineEnding = dominantLineEnding(page.text);
    return page;
}

}  // namespace tarn::charset
