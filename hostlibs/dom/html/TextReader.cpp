#include "hostlibs/dom/html/TextReader.h"

#include "hostlibs/dom/html/CharacterReference.h"

namespace tarn::html {
namespace {

using namespace std::string_view_literals;

constexpr ByteSet kDataStop("<&\0\r"sv);
constexpr ByteSet kRawTextStop("<\0\r"sv);
constexpr ByteSet kPlainTextStop("\0\r"sv);
constexpr ByteSet kCdataStop("]\r"sv);

// After "<![CDATA[": its text up to "]]>" or the end, taken as it is.
void readCdataSection(InputCursor& in, std::string& data) {
    for (;;) {
        in.copyUntil(kCdataStop, data);
        const int c = in.peek();
        if (c == InputCursor::kEnd) return;
        if (c == ']' && in.lookingAt("]]>", false)) {
            in.skip(3);
            return;
        }
        in.take(data);
    }
}

// The cursor is on a '<' in data. Returns true when a markup token starts here; otherwise reads
// what the '<' begins as text.
bool startsMarkup(InputCursor& in, bool foreign, std::string& data) {
    const int next = in.rawAt(1);
    if (isAsciiAlpha(next) || next == '?') return true;
    if (next == '!') {
        if (!foreign || !in.lookingAt("<![CDATA[", false)) return true;
        in.skip(9);
        readCdataSection(in, data);
        return false;
    }
    if (next == '/') {
        const int after = in.rawAt(2);
        if (after == '>') {  // "</>" stands for nothing at all
            in.skip(3);
            return false;
        }
        if (after != InputCursor::kEnd) return true;
        data.append("</");
        in.skip(2);
        return false;
    }
    data.push_back('<');
    in.skip(1);
    return false;
}

bool readData(InputCursor& in, bool foreign, std::string& data) {
    for (;;) {
        in.copyUntil(kDataStop, data);
        switch (in.peek()) {
        case InputCursor::kEnd: return false;
        case '&': readCharacterReference(in, false, data); break;
        case '\0': data.push_back('\0'); in.skip(1); break;  // the tree builder decides about U+0000 here
        case '\n': in.take(data); break;
        default:
            if (startsMarkup(in, foreign, data)) return true;
            break;
        }
    }
}

// RCDATA (with character references) and RAWTEXT (without).
bool readRawText(InputCursor& in, bool references, std::string_view lastStartTag, std::string& data) {
    for (;;) {
        in.copyUntil(references ? kDataStop : kRawTextStop, data);
        switch (in.peek()) {
        case InputCursor::kEnd: return false;
        case '&': readCharacterReference(in, false, data); break;
        case '\0': data.append(kReplacementCharacter); in.skip(1); break;
        case '\n': in.take(data); break;
        default:
            if (atAppropriateEndTag(in, lastStartTag)) return true;
            data.push_back('<');
            in.skip(1);
            break;
        }
    }
}

void readPlainText(InputCursor& in, std::string& data) {
    for (;;) {
        in.copyUntil(kPlainTextStop, data);
        switch (in.peek()) {
        case InputCursor::kEnd: return;
        case '\0': data.append(kReplacementCharacter); in.skip(1); break;
        default: in.take(data); break;
        }
    }
}

}  // namespace

bool atAppropriateEndTag(const InputCursor& in, std::string_view lastStartTag) {
    if (in.rawAt(1) != '/' || lastStartTag.empty()) return false;
    for (std::uint32_t i = 0; i < lastStartTag.size(); ++i) {
        const int c = in.rawAt(2 + i);
        if (!isAsciiAlpha(c) || toAsciiLower(static_cast<char>(c)) != lastStartTag[i]) return false;
    }
    const int after = in.rawAt(2 + static_cast<std::uint32_t>(lastStartTag.size()));
    return isHtmlWhitespace(after) || after == '/' || after == '>';
}

bool readText(InputCursor& in, const TextContext& context, std::string& data) {
    using Model = Tokenizer::ContentModel;
    switch (context.model) {
    case Model::Data: return readData(in, context.foreign, data);
    case Model::RcData: return readRawText(in, true, context.lastStartTag, data);
    case Model::RawText: return readRawText(in, false, context.lastStartTag, data);
    case Model::ScriptData: return readScriptData(in, context.lastStartTag, data);
    case Model::PlainText: readPlainText(in, data); return false;
    }
    return false;
}

}  // namespace tarn::html
