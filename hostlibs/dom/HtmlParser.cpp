#include "hostlibs/dom/HtmlParser.h"

#include <limits>
#include <stdexcept>

#include "hostlibs/dom/DocumentStore.h"
#include "hostlibs/dom/TreeBuilder.h"

namespace tarn::dom {

namespace {

std::unique_ptr<Document> build(std::unique_ptr<DocumentStore> store) {
    // Spans are 32-bit offsets.
    if (store->text().size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a page of 4 GiB or more cannot be opened");
    auto document = std::make_unique<Document>(std::move(store));
    TreeBuilder(*document).run();
    return document;
}

}  // namespace

std::unique_ptr<Document> loadDocument(std::string bytes) {
    return build(std::make_unique<DocumentStore>(charset::decodePage(std::move(bytes))));
}

std::unique_ptr<Document> parseHtml(std::string text) {
    return build(DocumentStore::fromText(std::move(text)));
}

}  // namespace tarn::dom
