#pragma once
#include <array>
#include <cstddef>

#include "platform/afx/CString.h"

namespace tarn {
// The parts of a URL, as get_element numbers them. 7 is the last path segment's parameters.
enum URL_ELEMENT : int {
    URL_SCHEME = 0,
    URL_USER = 1,
    URL_PASSWORD = 2,
    URL_HOST = 3,
    URL_PORT = 4,
    URL_PATH = 5,
    URL_FILE = 6,
    URL_PARAMS = 7,
    URL_QUERY = 8,
    URL_FRAGMENT = 9,
};
}  // namespace tarn

// A URL split into its parts, as written in a page.
//
// How the text is read:
// - The text is trimmed of C0 controls and spaces at both ends, and TAB, LF and CR are removed
//   wherever they stand, as the WHATWG URL parser does (and as is_protocol reads it). Nothing else
//   changes: case, '%' escapes, non-ASCII characters and spaces inside are kept as written, so
//   every element is a piece of that cleaned text.
// - Elements come without their delimiters, and an absent one is empty: the scheme without its ':',
//   the port without its ':', the params without their ';', the query without its '?', the fragment
//   without its '#'. An empty one that is written ("http://x/?", "http://x:/") is empty as well.
// - scheme: letters, digits, '+', '-', '.' from a leading letter up to the first ':'. Without one
//   the text is a relative reference ("page.html", "/a/b", "//host/x", "?q", "#top").
// - Authority, after "//" (scheme-relative "//host" too), up to the first '/', '?' or '#':
//   user and password are split at the LAST '@' (browsers read "a@b@host" as the user "a@b") and
//   then at the first ':'; the host is the IPv6 literal with its brackets ("[::1]") or the text up
//   to the first ':'; the port is what follows that ':', digits or not.
// - For the schemes a browser treats as special (http, https, ftp, ws, wss, file, in any case) a
//   '\' counts as '/' wherever '/' delimits: "http:\\host\a" has the host "host".
// - Path: up to the first '?' or '#'. URL_PATH is its directory part, through the last '/';
//   URL_FILE is the last segment up to its first ';'; URL_PARAMS is the rest of that segment after
//   the ';' (RFC 1808: params belong to the LAST segment, so "/a;v=1/b" has none, and
//   "page;a=1;b=2" has "a=1;b=2"). A ';' in the query or fragment, or an escaped "%3B", is no
//   param. PATH + FILE (+ ';' + PARAMS when a ';' is written) is the whole path.
// - A URL that is not hierarchical (a scheme that is not special, no authority, a path not
//   starting with '/': "mailto:a@b", "javascript:f();g()") has its whole path in URL_PATH, and no
//   file or params.
// - Query: after the first '?' of the path up to the first '#'; fragment: after the first '#'.
// Any text gives some split; nothing is rejected, so the checker reports what cannot be fetched.
class Url {
public:
    explicit Url(const CString& url);
    Url(const Url&) = default;
    Url& operator=(const Url&) = default;
    virtual ~Url();

    // One element as described above; an unknown element is empty.
    const CString& get_element(tarn::URL_ELEMENT element) const;
    // The cleaned text without the last segment's params and their ';': "page;jsessionid=1?id=5#t"
    // gives "page?id=5#t". Query and fragment are kept. The text itself when no ';' is written there.
    CString get_url_woparams() const;

    // Host side. The URL as it must be requested: the cleaned text without the fragment and its '#',
    // params kept, and for the special schemes every '\' before the query as '/'. Nothing is added
    // or escaped ("http://x" stays without a path); the HTTP client does that.
    CString requestUrl() const;

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    CString text_;  // trimmed, TAB/LF/CR removed
    std::array<CString, 10> elements_;
    std::size_t pathEnd_ = 0;              // where the query, the fragment or the text begins
    std::size_t paramsDelimiter_ = kNone;  // the ';' that opens the last segment's params
    std::size_t fragmentDelimiter_ = kNone;
    bool special_ = false;
};
