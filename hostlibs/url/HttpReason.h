#pragma once

namespace tarn {

// The reason phrase registered for an HTTP status ("Not Found" for 404); null for an unregistered one.
const char16_t* httpReasonPhrase(long status);

}  // namespace tarn
