#pragma once
#include <string>
#include <string_view>

#include "hostlibs/url/AskedUrl.h"

namespace tarn {

// Where a redirect's Location leads for the link `request` asked about: resolved against the URL as it
// was requested. A Location without a fragment inherits the link's (RFC 9110, 10.2.2), and one that is a
// fragment alone leads to the same page. C0 controls and DEL in the Location are percent-encoded, as the
// client encodes spaces and non-ASCII bytes, so every byte the server sent is kept and none can reach a
// page raw. Empty when the Location is; a Location that cannot be resolved stays as sent, encoded.
std::string redirectTarget(const LinkRequest& request, std::string_view location);

}  // namespace tarn
