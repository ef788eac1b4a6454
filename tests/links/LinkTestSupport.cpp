#include "tests/links/LinkTestSupport.h"

#include "hostlibs/dom/HtmlParser.h"

namespace tarn::test {

std::string utf8(const CString& s) { return s.ToUtf8(); }

CollectedPage::CollectedPage(const std::string& html, std::vector<std::u16string> roots)
    : document(tarn::dom::parseHtml(html)),
      host(std::make_unique<PageHost>(*document, std::move(roots))),
      list(std::make_unique<CTarnLinkCheckItems>(host.get())) {}

std::vector<std::string> CollectedPage::items() const {
    std::vector<std::string> out;
    for (int i = 0; i < list->getCount(); ++i) {
        const CTarnLinkCheckItem* item = list->getItem(i);
        out.push_back(utf8(item->tagName) + " " + utf8(item->attrName) + " " + utf8(item->url) + " | " +
                      utf8(item->text));
    }
    return out;
}

}  // namespace tarn::test

void PrintTo(const HostCall& call, std::ostream* os) {
    *os << call.op << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
        *os << (i ? ", " : "") << call.args[i];
    *os << ")";
}
