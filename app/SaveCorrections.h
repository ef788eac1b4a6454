#pragma once
#include <iosfwd>
#include <optional>
#include <string>

#include "app/PageFile.h"

struct LoadedPage;
class PageHost;

struct Saved {
    bool saved = false;
    std::optional<std::string> path;
    bool complete = true;  // the corrections went where they belong, or where the user expects them
};

// Writes the corrected page when the module said it changed the document, and says on `summary` what
// was written where. A page that cannot take the corrections gets them beside it or in the state folder,
// and then `complete` is false and the reason is on standard error; nothing is returned when no corrected
// page could be written at all (the message says the corrections are lost), or `interrupted` held before
// the page was touched.
std::optional<Saved> saveCorrections(const LoadedPage& page, const PageHost& host, std::ostream& summary,
                                     const PageFile::Interrupted& interrupted = {});
