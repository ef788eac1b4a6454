#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "hostlibs/dom/html/ByteClass.h"

namespace tarn::html {

// A position in the page text that reads the input stream as the tokenizer sees it: CR LF and a
// lone CR are one LF. The position stays a byte offset into the text as written.
class InputCursor {
public:
    static constexpr int kEnd = -1;

    explicit InputCursor(std::string_view text)
        : text_(text.data()), size_(static_cast<std::uint32_t>(text.size())) {}

    std::string_view text() const { return {text_, size_}; }
    std::uint32_t pos() const { return pos_; }
    std::uint32_t size() const { return size_; }
    void setPos(std::uint32_t pos) { pos_ = pos; }
    void skip(std::uint32_t bytes) { pos_ += bytes; }

    // The current character (CR read as LF), or kEnd.
    int peek() const { return pos_ < size_ ? fold(byte(pos_)) : kEnd; }
    // The byte `ahead` places on, as written, or kEnd.
    int rawAt(std::uint32_t ahead) const {
        return size_ - pos_ > ahead ? byte(pos_ + ahead) : kEnd;
    }

    // Steps over the current character: both bytes of a CR LF.
    void advance() {
        pos_ += (text_[pos_] == '\r' && pos_ + 1 < size_ && text_[pos_ + 1] == '\n') ? 2 : 1;
    }

    // Appends the current character to `out` (CR as LF) and steps over it.
    void take(std::string& out) {
        out.push_back(static_cast<char>(peek()));
        advance();
    }

    // Appends bytes up to the first one in `stop` (or the end) to `out`, unchanged.
    void copyUntil(const ByteSet& stop, std::string& out) {
        const std::uint32_t begin = pos_;
        skipUntil(stop);
        out.append(text_ + begin, pos_ - begin);
    }

    // Appends a name up to the first byte in `stop` (or the end), ASCII lower-cased, with U+0000
    // as U+FFFD: how tag, attribute and doctype names are read.
    void copyNameUntil(const ByteSet& stop, std::string& out) {
        for (;;) {
            const std::size_t from = out.size();
            copyUntil(stop, out);
            for (std::size_t i = from; i < out.size(); ++i) out[i] = toAsciiLower(out[i]);
            if (peek() != '\0') return;
            out.append(kReplacementCharacter);
            ++pos_;
        }
    }

    void skipWhitespace() {
        while (isHtmlWhitespace(peek())) advance();
    }

    void skipUntil(const ByteSet& stop) {
        while (pos_ < size_ && !stop.contains(byte(pos_))) ++pos_;
    }

    // True when the text here begins with `word`; letters of `word` (lower case) match either case.
    bool lookingAt(std::string_view word, bool ignoreCase) const {
        if (size_ - pos_ < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            char c = text_[pos_ + i];
            if ((ignoreCase ? toAsciiLower(c) : c) != word[i]) return false;
        }
        return true;
    }

private:
    unsigned char byte(std::uint32_t at) const { return static_cast<unsigned char>(text_[at]); }
    static int fold(unsigned char c) { return c == '\r' ? '\n' : c; }

    const char* text_;
    std::uint32_t size_;
    std::uint32_t pos_ = 0;
};

}  // namespace tarn::html
