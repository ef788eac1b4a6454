#pragma once
#include <cstdint>
#include <string_view>

#include "contracts/host/Document.h"

namespace tarn::dom {

// Line and column of offsets in a page's text, moving forward only. CR LF, CR and LF each end a
// line; columns count characters, not bytes.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : text_(text) {}

    SourcePosition advanceTo(std::uint32_t offset) {
        for (; offset_ < offset && offset_ < text_.size(); ++offset_) {
            auto c = static_cast<unsigned char>(text_[offset_]);
            if (c == '\n') {
                if (!afterCr_)
                    ++pos_.line;
                pos_.column = 1;
                afterCr_ = false;
            } else if (c == '\r') {
                ++pos_.line;
                pos_.column = 1;
                afterCr_ = true;
            } else {
                afterCr_ = false;
                if ((c & 0xC0) != 0x80)
                    ++pos_.column;
            }
        }
        return pos_;
    }

private:
    std::string_view text_;
    std::uint32_t offset_ = 0;
    SourcePosition pos_{1, 1};
    bool afterCr_ = false;
};

}  // namespace tarn::dom
