#pragma once
#include <string>
#include <string_view>

namespace tarn {

// The URL escaped as a browser escapes it before sending the request, so a link written with spaces or
// non-ASCII characters reaches the server as it would from a browser. After the authority, the bytes
// of C0 controls, space, DEL and every non-ASCII byte become %XX, and so do '"', '<', '>', '`', '{', '}'
// in the path and '"', '<', '>', '\'' in the query (the WHATWG URL standard's sets for http and https).
// The scheme and the authority stay as written (the client turns a non-ASCII host into its ASCII form),
// as does every '%' already written.
std::string escapeRequestUrl(std::string_view url);

// Appends `byte` as %XX (upper-case hex digits).
void appendEscapedByte(std::string& text, unsigned char byte);

}  // namespace tarn
