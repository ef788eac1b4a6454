#pragma once
#include <string_view>

namespace tarn::browser {

// Whether `endpoint` is "HOST:PORT" of a browser's remote debugging endpoint on this machine: HOST is an
// IPv4 address in 127.0.0.0/8, the IPv6 address ::1 in brackets, or "localhost"; PORT is 1 to 65535.
// The endpoint answers whoever asks and hands out the pages a user has open, so no other machine is ever
// asked.
bool isLoopbackEndpoint(std::string_view endpoint);

}  // namespace tarn::browser
