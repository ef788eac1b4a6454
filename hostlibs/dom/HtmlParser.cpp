#include "hostlibs/dom/HtmlParser.h"

#include <limits>
#include <stdexcept>

#include "hostlibs/dom/DocumentStore.h"
#include "hostlibs/dom/TreeBuilder.h"

namespace tarn::dom {

std::unique_ptr<Document> parseHtml(std::string text) {
    // Spans are 32-bit offsets.
    if (text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a page of 4 GiB or more cannot be opened");
    auto document = std::make_unique<Document>(std::make_unique<DocumentStore>(std::move(text)));
    TreeBuilder(*document).run();
    return document;
}

}  // namespace tarn::dom
