#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "hostlibs/dom/LineCounter.h"

namespace tarn::dom {

// The line and column of any offset of a page's text, counted on from the nearest of the checkpoints
// taken every kSpacing bytes: a walk that asks for every element's place costs a few hundred bytes of
// counting each, however long the page or its lines, and the elements need not keep their places.
class SourcePositions {
public:
    explicit SourcePositions(std::string_view text);

    SourcePosition at(std::uint32_t offset) const;

private:
    static constexpr std::uint32_t kSpacing = 512;

    std::string_view text_;
    std::vector<LineState> checkpoints_;  // at 0, kSpacing, 2 * kSpacing, ...
};

}  // namespace tarn::dom
