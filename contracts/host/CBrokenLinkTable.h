#pragma once
#include <string>
#include <unordered_set>

#include "platform/afx/CString.h"

// The URLs found broken during one check run, so each is fetched once however often a page links it.
//
// URLs compare as a browser would request the same thing: both are cleaned as Url cleans them
// (trimmed of C0 controls and spaces, TAB/LF/CR removed), the scheme and the host, which are
// case-insensitive, compare ASCII-case-insensitively, and the scheme's default port (http 80,
// https 443) is the same as none. Everything else compares exactly: the path, query and fragment
// are case-sensitive, and '%' escapes and params are not normalised.
// "HTTP://Example.COM:80/a" equals " http://example.com/a", not "http://example.com/A".
class CBrokenLinkTable {
public:
    CBrokenLinkTable() = default;
    virtual ~CBrokenLinkTable();

    bool exists(const CString& url) const;
    // True when the URL was not in the table yet. The flag is the module's and changes nothing.
    bool Add(const CString& url, bool flag);

private:
    std::unordered_set<std::u16string> urls_;  // keyed by the compared form
};
