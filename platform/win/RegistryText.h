#pragma once

#include "platform/win/RegistryTree.h"

#include <optional>
#include <string>
#include <string_view>

// The text of registry.ini, UTF-8, one line per entry:
//
//   ; comment (also '#'); blank lines are skipped
//   [Software\Tarn\Options]               a key, its path from HKEY_CURRENT_USER ([] is the root itself)
//   "isLinkCheckManualStart"=dword:00000001   REG_DWORD, 8 hex digits
//   "Title"="リンク \"checked\""              REG_SZ, its terminating NUL implied
//   @="..."                               the key's default value
//   "Size"=hex:2c,01,00,00                REG_BINARY, bytes in hex, comma-separated
//   "Other"=hex(b):01,00,00,00,00,00,00,00    any other type (hex), or a REG_SZ/REG_DWORD whose bytes
//                                          the forms above cannot carry exactly
//
// Inside quotes '\' escapes '\' and '"', and \uXXXX stands for one UTF-16 unit: that is how control
// characters and unpaired surrogates are written, so every value comes back byte for byte. Every key is
// written, also an empty one; values of a key follow its section line in name order.
namespace win {

std::string FormatRegistryText(const RegistryTree& tree);

// Empty when any line cannot be read; the caller keeps such a file aside rather than lose part of it.
std::optional<RegistryTree> ParseRegistryText(std::string_view text);

}  // namespace win
