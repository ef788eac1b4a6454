#pragma once
#include <string>

namespace tarn {

// Whether a HEAD's status is one servers often give to a HEAD alone, so the URL is asked again with GET
// before the answer stands.
bool asksAgainWithGet(int status);

// The User-Agent of every request the checker makes.
const std::string& checkerUserAgent();

}  // namespace tarn
