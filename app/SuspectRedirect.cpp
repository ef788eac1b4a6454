#include "app/SuspectRedirect.h"

#include <libpsl.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The parts of an absolute URL these rules read; the host in lower case.
struct UrlParts {
    std::string host;
    std::string_view path;
    std::string_view query;
};

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

UrlParts partsOf(std::string_view url) {
    UrlParts parts;
    if (const std::size_t fragment = url.find('#'); fragment != std::string_view::npos)
        url = url.substr(0, fragment);
    const std::size_t scheme = url.find("://");
    std::string_view rest = scheme == std::string_view::npos ? url : url.substr(scheme + 3);
    const std::size_t authorityEnd = std::min(rest.find_first_of("/?"), rest.size());
    std::string_view authority = rest.substr(0, authorityEnd);
    rest.remove_prefix(authorityEnd);
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (authority.starts_with('['))
        authority = authority.substr(0, authority.find(']') + 1);
    else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos)
        authority = authority.substr(0, colon);
    parts.host = lowered(authority);
    if (!parts.host.empty() && parts.host.back() == '.')
        parts.host.pop_back();
    const std::size_t query = rest.find('?');
    parts.path = rest.substr(0, query);
    parts.query = query == std::string_view::npos ? std::string_view() : rest.substr(query + 1);
    return parts;
}

bool isIpAddress(const std::string& host) {
    return host.starts_with('[') ||
           (!host.empty() && host.find_first_not_of("0123456789.") == std::string::npos);
}

// The registrable domain (example.co.uk for www.example.co.uk); an IP address, or a name that has
// none (localhost), stands for itself.
std::string siteOf(const std::string& host) {
    if (isIpAddress(host))
        return host;
    static psl_ctx_t* const suffixes = psl_latest(nullptr);
    const char* domain = suffixes != nullptr ? psl_registrable_domain(suffixes, host.c_str()) : nullptr;
    return domain != nullptr ? std::string(domain) : host;
}

// A query makes another page of the root (/?p=123 is a post), unless it names a login.
bool isSiteRoot(const UrlParts& parts) {
    if (!parts.query.empty())
        return false;
    const std::string_view path = parts.path;
    if (path.empty() || path == "/")
        return true;
    static constexpr std::array<std::string_view, 7> kIndexPages{
        "/index.html", "/index.htm", "/index.php", "/index.asp", "/index.aspx", "/index.jsp", "/default.aspx"};
    const std::string lower = lowered(path);
    return std::find(kIndexPages.begin(), kIndexPages.end(), lower) != kIndexPages.end();
}

// The words of a path or query, in lower case: runs of letters and digits.
std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) {
            word += static_cast<char>(u >= 'A' && u <= 'Z' ? u + 32 : u);
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

// Whole words only, so that /authors or /sessions-2024/talks are not taken for a login.
bool namesLogin(const UrlParts& parts) {
    static constexpr std::array<std::string_view, 10> kWords{
        "login", "logon", "signin", "auth", "sso", "session", "oauth", "oauth2", "authorize", "authenticate"};
    for (const std::string_view text : {parts.path, parts.query}) {
        const std::vector<std::string> words = wordsOf(text);
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (std::find(kWords.begin(), kWords.end(), words[i]) != kWords.end())
                return true;
            // sign_in, sign-in, log-in
            if ((words[i] == "sign" || words[i] == "log") && i + 1 < words.size() && words[i + 1] == "in")
                return true;
        }
    }
    return false;
}

}  // namespace

const char* suspectReason(SuspectKind kind) {
    switch (kind) {
        case SuspectKind::SiteRoot:
            return "site root";
        case SuspectKind::LoginPage:
            return "login page";
        case SuspectKind::AnotherHost:
            return "another host";
    }
    return "";
}

std::optional<SuspectKind> suspectRedirect(std::string_view from, std::string_view to, bool allowCrossHost) {
    const UrlParts link = partsOf(from);
    const UrlParts end = partsOf(to);
    // A link to a root or a login page that moved (http to https, say) may follow.
    if (isSiteRoot(end) && !isSiteRoot(link))
        return SuspectKind::SiteRoot;
    if (namesLogin(end) && !namesLogin(link))
        return SuspectKind::LoginPage;
    if (!allowCrossHost && siteOf(end.host) != siteOf(link.host))
        return SuspectKind::AnotherHost;
    return std::nullopt;
}
