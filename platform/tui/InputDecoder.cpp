#include "platform/tui/InputDecoder.h"

#include <charconv>

#include "platform/win/WindowInput.h"

namespace tui {

namespace {

constexpr char kEsc = '\x1b';
constexpr std::string_view kPasteEnd = "\x1b[201~";

InputEvent Key(WORD vk, int modifiers = 0) {
    InputEvent event;
    event.vk = vk;
    event.shift = (modifiers & 1) != 0;
    event.alt = (modifiers & 2) != 0;
    event.control = (modifiers & 4) != 0;
    return event;
}

InputEvent Char(char32_t c) {
    InputEvent event;
    event.kind = InputEvent::Kind::Char;
    event.ch = c;
    return event;
}

std::vector<int> Numbers(std::string_view params) {
    std::vector<int> numbers;
    while (true) {
        const std::size_t end = std::min(params.find(';'), params.size());
        int value = 0;
        std::from_chars(params.data(), params.data() + end, value);
        numbers.push_back(value);
        if (end == params.size())
            return numbers;
        params.remove_prefix(end + 1);
    }
}

// One UTF-8 sequence: the code point and its length; length 0 when the bytes stop inside it.
std::pair<char32_t, std::size_t> Utf8At(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1)
        return {lead < 0x80 ? lead : U'\uFFFD', 1};
    if (s.size() < length)
        return {0, 0};
    char32_t c = lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[i]);
        if ((next & 0xC0) != 0x80)
            return {U'\uFFFD', i};
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length};
}

std::u32string DecodeText(std::string_view s) {
    std::u32string text;
    while (!s.empty()) {
        auto [c, length] = Utf8At(s);
        if (length == 0)
            break;
        text += c;
        s.remove_prefix(length);
    }
    return text;
}

}  // namespace

void InputDecoder::Feed(std::string_view bytes) { buffer_.append(bytes); }

std::vector<InputEvent> InputDecoder::Take() {
    std::vector<InputEvent> out;
    while (!buffer_.empty()) {
        const std::size_t used = inPaste_ ? TakePaste() : DecodeOne(out, false);
        if (used == 0)
            break;
        buffer_.erase(0, used);
        if (pasteEnded_) {
            pasteEnded_ = false;
            InputEvent event;
            event.kind = InputEvent::Kind::Paste;
            event.text = DecodeText(paste_);
            paste_.clear();
            out.push_back(std::move(event));
        }
    }
    return out;
}

std::vector<InputEvent> InputDecoder::Flush() {
    std::vector<InputEvent> out = Take();
    while (!buffer_.empty() && !inPaste_) {
        const std::size_t used = DecodeOne(out, true);
        buffer_.erase(0, used == 0 ? buffer_.size() : used);
    }
    return out;
}

std::size_t InputDecoder::TakePaste() {
    const std::size_t end = buffer_.find(kPasteEnd);
    if (end == std::string::npos) {
        // The end marker may have come in part: keep what could be its start.
        const std::size_t keep = std::min(buffer_.size(), kPasteEnd.size() - 1);
        paste_.append(buffer_, 0, buffer_.size() - keep);
        return buffer_.size() - keep;
    }
    paste_.append(buffer_, 0, end);
    inPaste_ = false;
    pasteEnded_ = true;
    return end + kPasteEnd.size();
}

std::size_t InputDecoder::DecodeOne(std::vector<InputEvent>& out, bool final) {
    const auto c = static_cast<unsigned char>(buffer_[0]);
    switch (c) {
    case kEsc:
        return DecodeEscape(out, final);
    case '\t':
        out.push_back(Key(VK_TAB));
        return 1;
    case '\r':
    case '\n':
        out.push_back(Key(VK_RETURN));
        return 1;
    case 0x7F:
    case 0x08:
        out.push_back(Key(VK_BACK));
        return 1;
    default:
        break;
    }
    if (c < 0x20) {
        // Ctrl+letter: the letter's key with Ctrl held.
        out.push_back(Key(static_cast<WORD>('A' + c - 1), 4));
        return 1;
    }
    auto [ch, length] = Utf8At(buffer_);
    if (length == 0)
        return final ? buffer_.size() : 0;
    out.push_back(Char(ch));
    return length;
}

std::size_t InputDecoder::DecodeEscape(std::vector<InputEvent>& out, bool final) {
    if (buffer_.size() == 1) {
        if (!final)
            return 0;
        out.push_back(Key(VK_ESCAPE));
        return 1;
    }
    const char next = buffer_[1];
    if (next == '[')
    {
        const std::size_t used = DecodeCsi(out);
        return used != 0 ? used : final ? buffer_.size() : 0;
    }
    if (next == 'O') {
        if (buffer_.size() < 3)
            return final ? 2 : 0;
        switch (buffer_[2]) {
        case 'A': out.push_back(Key(VK_UP)); break;
        case 'B': out.push_back(Key(VK_DOWN)); break;
        case 'C': out.push_back(Key(VK_RIGHT)); break;
        case 'D': out.push_back(Key(VK_LEFT)); break;
        case 'H': out.push_back(Key(VK_HOME)); break;
        case 'F': out.push_back(Key(VK_END)); break;
        case 'P': out.push_back(Key(VK_F1)); break;
        case 'S': out.push_back(Key(VK_F4)); break;
        default: break;
        }
        return 3;
    }
    if (next == kEsc) {
        out.push_back(Key(VK_ESCAPE));
        return 1;
    }
    // Alt with a key: ESC before it.
    const std::string rest = buffer_.substr(1);
    std::string saved = std::move(buffer_);
    buffer_ = rest;
    const std::size_t before = out.size();
    const std::size_t used = DecodeOne(out, final);
    buffer_ = std::move(saved);
    if (used == 0)
        return 0;
    for (std::size_t i = before; i < out.size(); ++i)
        out[i].alt = true;
    return used + 1;
}

// ESC [ parameters final: the keys xterm sends, an SGR mouse report, the start of a paste. Returns 0
// while the final byte has not come; a sequence that means nothing here is read and dropped.
std::size_t InputDecoder::DecodeCsi(std::vector<InputEvent>& out) {
    std::size_t end = 2;
    while (end < buffer_.size() && (buffer_[end] < 0x40 || buffer_[end] > 0x7E))
        ++end;
    if (end == buffer_.size())
        return 0;
    const char final = buffer_[end];
    const std::string_view params = std::string_view(buffer_).substr(2, end - 2);
    const std::size_t used = end + 1;
    if (!params.empty() && params[0] == '<') {
        const std::vector<int> n = Numbers(params.substr(1));
        if (n.size() != 3 || (final != 'M' && final != 'm'))
            return used;
        InputEvent event;
        event.kind = InputEvent::Kind::Mouse;
        event.button = n[0] & 0x43;
        event.shift = (n[0] & 4) != 0;
        event.alt = (n[0] & 8) != 0;
        event.control = (n[0] & 16) != 0;
        event.motion = (n[0] & 32) != 0;
        event.press = final == 'M';
        event.x = n[1] - 1;
        event.y = n[2] - 1;
        out.push_back(event);
        return used;
    }
    const std::vector<int> n = Numbers(params);
    const int modifiers = n.size() >= 2 && n[1] > 0 ? n[1] - 1 : 0;
    if (final == '~') {
        switch (n[0]) {
        case 1: case 7: out.push_back(Key(VK_HOME, modifiers)); break;
        case 4: case 8: out.push_back(Key(VK_END, modifiers)); break;
        case 3: out.push_back(Key(VK_DELETE, modifiers)); break;
        case 5: out.push_back(Key(VK_PRIOR, modifiers)); break;
        case 6: out.push_back(Key(VK_NEXT, modifiers)); break;
        case 11: out.push_back(Key(VK_F1, modifiers)); break;
        case 14: out.push_back(Key(VK_F4, modifiers)); break;
        case 17: out.push_back(Key(VK_F6, modifiers)); break;
        case 18: out.push_back(Key(VK_F7, modifiers)); break;
        case 200: inPaste_ = true; break;
        default: break;
        }
        return used;
    }
    switch (final) {
    case 'A': out.push_back(Key(VK_UP, modifiers)); break;
    case 'B': out.push_back(Key(VK_DOWN, modifiers)); break;
    case 'C': out.push_back(Key(VK_RIGHT, modifiers)); break;
    case 'D': out.push_back(Key(VK_LEFT, modifiers)); break;
    case 'H': out.push_back(Key(VK_HOME, modifiers)); break;
    case 'F': out.push_back(Key(VK_END, modifiers)); break;
    case 'Z': out.push_back(Key(VK_TAB, 1)); break;
    case 'P': out.push_back(Key(VK_F1, modifiers)); break;
    case 'S': out.push_back(Key(VK_F4, modifiers)); break;
    default: break;
    }
    return used;
}

}  // namespace tui
