#include "hostlibs/dom/SourcePositions.h"

#include <algorithm>

namespace tarn::dom {

SourcePositions::SourcePositions(std::string_view text) : text_(text) {
    checkpoints_.reserve(text.size() / kSpacing + 1);
    LineCounter counter(text);
    for (std::size_t at = 0; at <= text.size(); at += kSpacing) {
        counter.advanceTo(static_cast<std::uint32_t>(at));
        checkpoints_.push_back(counter.state());
    }
}

SourcePosition SourcePositions::at(std::uint32_t offset) const {
    const std::size_t nearest = std::min<std::size_t>(offset / kSpacing, checkpoints_.size() - 1);
    return LineCounter(text_, checkpoints_[nearest]).advanceTo(offset);
}

}  // namespace tarn::dom
