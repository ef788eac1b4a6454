#pragma once
#include <optional>
#include <string>

#include "hostlibs/url/CheckJournal.h"

// What the host's checker kept of a link's URL. The module asks for a URL without its parameters
// (";jsessionid=..."), so that form is looked up too.
std::optional<tarn::CheckNote> checkerNote(const std::string& url);
