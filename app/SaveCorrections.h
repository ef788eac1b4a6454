#pragma once
#include <iosfwd>
#include <optional>
#include <string>

struct LoadedPage;
class PageHost;

struct Saved {
    bool saved = false;
    std::optional<std::string> path;
};

// Writes the corrected page when the module said it changed the document, and says on `summary` what
// was written where; a failure is reported on standard error, leaves the page as it was and returns
// nothing.
std::optional<Saved> saveCorrections(const LoadedPage& page, const PageHost& host, std::ostream& summary);
