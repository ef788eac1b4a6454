#pragma once

// The characters the URL services read the way browsers do; shared by is_protocol, Url and the
// broken-link table so all three agree on what a URL's text is.
namespace tarn::url {

// C0 controls and space: the WHATWG URL parser strips them from both ends of the text.
constexpr bool isTrimmed(char16_t c) { return c <= u' '; }

// TAB, LF and CR: removed wherever they stand, before anything else is read.
constexpr bool isRemoved(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r'; }

constexpr char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

constexpr bool isAsciiAlpha(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

constexpr bool isSchemeChar(char16_t c) {
    return isAsciiAlpha(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

}  // namespace tarn::url
