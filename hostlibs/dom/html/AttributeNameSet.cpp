#include "hostlibs/dom/html/AttributeNameSet.h"

namespace tarn::html {

AttributeNameSet::AttributeNameSet(const std::vector<AttributeToken>& attributes)
    : attributes_(attributes) {}

bool AttributeNameSet::lastIsRepeated() {
    const auto last = static_cast<std::uint32_t>(attributes_.size() - 1);
    if (attributes_.size() <= kDirectLimit) {
        for (std::uint32_t i = 0; i < last; ++i) {
            if (attributes_[i].name == attributes_[last].name) return true;
        }
        return false;
    }
    if (!indexed_) {
        indexed_.emplace(2 * last, NameHash{&attributes_}, SameName{&attributes_});
        for (std::uint32_t i = 0; i < last; ++i) indexed_->insert(i);
    }
    return !indexed_->insert(last).second;
}

}  // namespace tarn::html
