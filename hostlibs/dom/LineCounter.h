#pragma once
#include <cstdint>
#include <string_view>

#include "contracts/host/Document.h"

namespace tarn::dom {

// Where a line counter stands: enough to go on from there.
struct LineState {
    std::uint32_t offset = 0;
    SourcePosition position{1, 1};
    bool afterCr = false;
};

// Line and column of offsets in a page's text, moving forward only. CR LF, CR and LF each end a
// line; columns count characters, not bytes.
class LineCounter {
public:
    explicit LineCounter(std::string_view text, LineState from = {}) : text_(text), state_(from) {}

    SourcePosition advanceTo(std::uint32_t offset) {
        for (; state_.offset < offset && state_.offset < text_.size(); ++state_.offset) {
            auto c = static_cast<unsigned char>(text_[state_.offset]);
            SourcePosition& pos = state_.position;
            if (c == '\n') {
                if (!state_.afterCr)
                    ++pos.line;
                pos.column = 1;
                state_.afterCr = false;
            } else if (c == '\r') {
                ++pos.line;
                pos.column = 1;
                state_.afterCr = true;
            } else {
                state_.afterCr = false;
                if ((c & 0xC0) != 0x80)
                    ++pos.column;
            }
        }
        return state_.position;
    }

    const LineState& state() const { return state_; }

private:
    std::string_view text_;
    LineState state_;
};

}  // namespace tarn::dom
