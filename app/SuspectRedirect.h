#pragma once
#include <optional>
#include <string>
#include <string_view>

// Why a permanent redirect is not taken as the link's new address. Moved pages often answer with a
// redirect to the home page, a login page or a parked domain: following those would replace a link
// to some page by a link to something else.
enum class SuspectKind {
    SiteRoot,   // the end is the site's root (`/`, or an index page there) and the link was not
    LoginPage,  // the end's path or query names a login, and the link's did not
    AnotherHost,  // the end is on another registrable domain, or another IP address
};

// The words the reports use: "site root", "login page", "another host".
const char* suspectReason(SuspectKind kind);

// Whether replacing `from` by `to`, where its permanent redirects end, is suspect. `allowCrossHost`
// takes a move to another host as real (domain moves are); the other kinds are always suspect.
std::optional<SuspectKind> suspectRedirect(std::string_view from, std::string_view to, bool allowCrossHost);
