#include "hostlibs/url/UrlLayout.h"

#include <algorithm>
#include <iterator>

#include "hostlibs/url/UrlChars.h"
#include "contracts/host/Url.h"

namespace tarn::url {
namespace {

bool isSpecialScheme(std::u16string_view scheme) {
    static constexpr std::u16string_view kSpecial[] = {u"http", u"https", u"ftp", u"ws", u"wss", u"file"};
    return std::any_of(std::begin(kSpecial), std::end(kSpecial), [scheme](std::u16string_view name) {
        return name.size() == scheme.size() &&
               std::equal(name.begin(), name.end(), scheme.begin(),
                          [](char16_t a, char16_t b) { return a == asciiLower(b); });
    });
}

// Reads one URL's text left to right, each step starting where the previous one stopped.
class Splitter {
public:
    explicit Splitter(std::u16string_view text) : text_(text) {}

    UrlLayout run() {
        readScheme();
        bool hasAuthority = false;
        if (pos_ + 1 < text_.size() && isSlash(text_[pos_]) && isSlash(text_[pos_ + 1])) {
            pos_ += 2;
            readAuthority();
            hasAuthority = true;
        }
        const std::size_t pathBegin = pos_;
        const std::size_t pathEnd = std::min(text_.find_first_of(u"?#", pathBegin), text_.size());
        layout_.pathEnd = pathEnd;
        const bool hierarchical = layout_.elements[URL_SCHEME].length == 0 || layout_.special ||
                                  hasAuthority || (pathBegin < pathEnd && isSlash(text_[pathBegin]));
        if (hierarchical)
            readHierarchicalPath(pathBegin, pathEnd);
        else
            set(URL_PATH, pathBegin, pathEnd);
        readQueryAndFragment(pathEnd);
        return layout_;
    }

private:
    bool isSlash(char16_t c) const { return c == u'/' || (layout_.special && c == u'\\'); }

    void set(URL_ELEMENT element, std::size_t begin, std::size_t end) {
        layout_.elements[element] = Span{begin, end - begin};
    }

    std::size_t findIn(char16_t c, std::size_t begin, std::size_t end) const {
        const std::size_t at = text_.find(c, begin);
        return at < end ? at : kNone;
    }

    void readScheme() {
        if (text_.empty() || !isAsciiAlpha(text_[0]))
            return;
        std::size_t i = 1;
        while (i < text_.size() && isSchemeChar(text_[i]))
            ++i;
        if (i == text_.size() || text_[i] != u':')
            return;
        set(URL_SCHEME, 0, i);
        layout_.special = isSpecialScheme(text_.substr(0, i));
        pos_ = i + 1;
    }

    void readAuthority() {
        const std::size_t begin = pos_;
        std::size_t end = begin;
        while (end < text_.size() && !isSlash(text_[end]) && text_[end] != u'?' && text_[end] != u'#')
            ++end;
        pos_ = end;

        std::size_t hostBegin = begin;
        const std::size_t at = text_.substr(begin, end - begin).rfind(u'@');
        if (at != std::u16string_view::npos) {
            const std::size_t userEnd = begin + at;
            const std::size_t colon = findIn(u':', begin, userEnd);
            if (colon == kNone) {
                set(URL_USER, begin, userEnd);
            } else {
                set(URL_USER, begin, colon);
                set(URL_PASSWORD, colon + 1, userEnd);
            }
            hostBegin = userEnd + 1;
        }

        std::size_t hostEnd = end;
        if (hostBegin < end && text_[hostBegin] == u'[') {
            // An IPv6 literal keeps its brackets; text after the ']' other than a port stays in the host.
            const std::size_t close = findIn(u']', hostBegin, end);
            if (close != kNone && close + 1 < end && text_[close + 1] == u':')
                hostEnd = close + 1;
        } else {
            const std::size_t colon = findIn(u':', hostBegin, end);
            if (colon != kNone)
                hostEnd = colon;
        }
        set(URL_HOST, hostBegin, hostEnd);
        if (hostEnd < end)
            set(URL_PORT, hostEnd + 1, end);
    }

    void readHierarchicalPath(std::size_t begin, std::size_t end) {
        std::size_t segment = end;
        while (segment > begin && !isSlash(text_[segment - 1]))
            --segment;
        set(URL_PATH, begin, segment);
        const std::size_t semicolon = findIn(u';', segment, end);
        if (semicolon == kNone) {
            set(URL_FILE, segment, end);
            return;
        }
        set(URL_FILE, segment, semicolon);
        set(URL_PARAMS, semicolon + 1, end);
        layout_.paramsDelimiter = semicolon;
    }

    void readQueryAndFragment(std::size_t pathEnd) {
        const std::size_t hash = text_.find(u'#', pathEnd);
        const std::size_t queryEnd = hash == std::u16string_view::npos ? text_.size() : hash;
        if (pathEnd < queryEnd)  // the text there starts with '?'
            set(URL_QUERY, pathEnd + 1, queryEnd);
        if (hash != std::u16string_view::npos) {
            set(URL_FRAGMENT, hash + 1, text_.size());
            layout_.fragmentDelimiter = hash;
        }
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
    UrlLayout layout_;
};

}  // namespace

std::u16string cleanUrlText(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    std::u16string cleaned;
    cleaned.reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i)
        if (!isRemoved(text[i]))
            cleaned += text[i];
    return cleaned;
}

UrlLayout layOutUrl(std::u16string_view text) {
    return Splitter(text).run();
}

}  // namespace tarn::url
