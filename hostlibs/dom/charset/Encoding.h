#pragma once
#include <cstdint>
#include <string_view>

namespace tarn::charset {

// How this layer reads and writes one encoding of the WHATWG Encoding Standard.
struct Encoding {
    enum class Kind {
        Utf8,        // the page text as it stands when valid, else decoded like MultiByte
        SingleByte,  // one byte, one character: decoded through a 256-entry table
        MultiByte,   // decoded by a glibc converter, sequence by sequence
    };

    std::string_view name;     // canonical WHATWG name: "UTF-8", "Shift_JIS", "windows-1252", ...
    Kind kind;
    const char* decoder;       // glibc converter that reads the page
    const char* encoder;       // glibc converter that writes edited text back
    std::uint8_t errorLength;  // bytes an invalid sequence covers before decoding resumes
    bool controlHoles;         // the bytes 0x80-0x9F a Windows code page leaves undefined are U+0080-U+009F
    bool shifting;             // escape sequences switch the character set (ISO-2022-JP)
};

// The encoding of that canonical name, or nullptr when the name is unknown or glibc lacks its
// converters.
const Encoding* findEncoding(std::string_view name);

// The same for names this layer falls back on; throws std::runtime_error when glibc lacks them.
const Encoding& requireEncoding(std::string_view name);

}  // namespace tarn::charset
