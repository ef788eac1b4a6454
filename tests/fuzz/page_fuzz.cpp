// Any bytes as a page: charset detection, the tokenizer and the tree, then the module's link collection
// over the whole page and over two walk roots, as the dialog makes its list.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/PageHost.h"
#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"
#include "contracts/host/IsProtocol.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

void CollectLinks(Document& document, std::vector<std::u16string> roots) {
    PageHost host(document, std::move(roots));
    CTarnLinkCheckItems list(&host);
    for (int i = 0; i < list.getCount(); ++i) {
        const CTarnLinkCheckItem* item = list.getItem(i);
        FuzzCheck(item->element != nullptr && item->element->getOwnerDocument() == &document,
                  "a link's element is in the page");
        FuzzCheck(item->url == item->element->getAttribute(item->attrName.ToStdString()),
                  "a link's URL is its attribute");
        FuzzCheck(is_protocol(item->url, u"http:") || is_protocol(item->url, u"https:"),
                  "only http and https links are collected");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<Document> document = tarn::dom::loadDocument(bytes);
    FuzzCheck(document->writtenBytes() == bytes, "a page without corrections is written back as read");
    CollectLinks(*document, {});
    CollectLinks(*document, {u"main", u"nav"});
    return 0;
}
