#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarn::html {

// One named character reference: its name (with ';' when the name has one) and its UTF-8 value,
// stored one after the other in namedReferenceText.
struct NamedReferenceEntry {
    std::uint16_t offset;
    std::uint8_t nameLength;
    std::uint8_t valueLength;

    std::string_view name() const;
    std::string_view value() const;
};

// Sorted by name, byte by byte, so that names sharing a prefix stand together.
extern const NamedReferenceEntry namedReferences[];
extern const std::size_t namedReferenceCount;
extern const char namedReferenceText[];

inline std::string_view NamedReferenceEntry::name() const {
    return {namedReferenceText + offset, nameLength};
}

inline std::string_view NamedReferenceEntry::value() const {
    return {namedReferenceText + offset + nameLength, valueLength};
}

}  // namespace tarn::html
