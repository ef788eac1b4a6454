#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// Finds repeated attribute names while one tag is read. A few attributes are compared directly;
// past that the names go into a hash set, so a tag with a huge number of them stays linear.
class AttributeNameSet {
public:
    explicit AttributeNameSet(const std::vector<AttributeToken>& attributes);

    // True when the name of the last attribute is one an earlier attribute has.
    bool lastIsRepeated();

private:
    static constexpr std::size_t kDirectLimit = 8;

    struct NameHash {
        const std::vector<AttributeToken>* attributes;
        std::size_t operator()(std::uint32_t i) const {
            return std::hash<std::string_view>()((*attributes)[i].name);
        }
    };
    struct SameName {
        const std::vector<AttributeToken>* attributes;
        bool operator()(std::uint32_t a, std::uint32_t b) const {
            return (*attributes)[a].name == (*attributes)[b].name;
        }
    };

    const std::vector<AttributeToken>& attributes_;
    // Made only for a tag past kDirectLimit attributes: most tags never pay for it.
    std::optional<std::unordered_set<std::uint32_t, NameHash, SameName>> indexed_;
};

}  // namespace tarn::html
