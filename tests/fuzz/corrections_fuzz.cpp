// A page, then corrections: the module's own (a new URL, unlink, delete the element, delete the link, on
// the links it collected, applied as OK applies them) mixed with direct edits of any element through the
// same document calls (set and remove attributes, delete nodes, remove only the tags), in any order. The
// page as written must load again and be written back as it reads; a page without corrections must come
// back byte for byte. When only attributes changed, the page read back has the same elements with the
// attributes the edited document has.
//
// The page is the input's head; the corrections are read from its tail, so a plain page is a seed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/PageHost.h"
#include "hostlibs/dom/HtmlParser.h"
#include "hostlibs/dom/DocumentStore.h"
#include "contracts/host/Attr.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "module/links/LinkCheckValues.h"
#include "platform/win/Utf8.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// Names the module and the editor touch, and those that change how the page is read again.
const char16_t* const kNames[] = {u"href", u"HREF", u"src", u"alt", u"id", u"usemap", u"background",
                                  u"charset", u"content", u"http-equiv", u"onmouseover", u"data-x"};
// Values that need quoting, escaping, or bytes the page's charset may not have.
const char16_t* const kValues[] = {u"http://127.0.0.1/new", u"", u"a\"b'c>d", u"&amp; <x> &#0;", u"日本語",
                                   u"\U0001F600", u"\xD800", u" spaced\tvalue\n", u"#", u"utf-16",
                                   u"text/html; charset=shift_jis", u"\\\"'"};

template <typename T, std::size_t N>
const T& Pick(FuzzedDataProvider& in, const T (&choices)[N]) {
    return choices[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

std::vector<Element*> ElementsOf(Document& document) {
    std::vector<Element*> elements;
    for (Node* n = document.getFirstChild(); n; n = document.findNextNode(n, &document, false, true))
        if (n->getNodeType() == Node::ELEMENT_NODE)
            elements.push_back(static_cast<Element*>(n));
    return elements;
}

// What the corrections did to the page's structure and to what a value can carry.
struct Corrected {
    bool treeChanged = false;      // nodes removed or unwrapped
    bool unwritableValue = false;  // a value no charset can carry (a lone surrogate)
    bool impliedTagSet = false;    // an attribute set on an element the parser implied, which has no tag
                                   // to write it in; the module never sets one there
};

// One correction; an element an earlier one removed is left alone, as the module leaves it.
void Correct(FuzzedDataProvider& in, Document& document, const std::vector<Element*>& elements,
             CTarnLinkCheckItems& links, Corrected& corrected) {
    const int kind = in.ConsumeIntegralInRange(0, 4);
    const std::size_t index = in.ConsumeIntegral<std::uint16_t>();
    const std::u16string value = Pick(in, kValues);
    corrected.unwritableValue |= value.find(u'\xD800') != std::u16string::npos;
    if (kind == 0) {
        if (links.getCount() == 0)
            return;
        CTarnLinkCheckItem* item = links.getItem(static_cast<int>(index % links.getCount()));
        item->setFixKind(in.ConsumeIntegralInRange<int>(FIX_CHANGE_URL, FIX_DELETE_LINK));
        item->newUrl = value;
        corrected.treeChanged |= item->fixKind != FIX_CHANGE_URL;
        return;
    }
    if (elements.empty())
        return;
    Element* element = elements[index % elements.size()];
    if (element->getOwnerDocument() != &document)
        return;
    switch (kind) {
    case 1:
        element->setAttribute(Pick(in, kNames), value);
        corrected.impliedTagSet |= element->isImplied();
        break;
    case 2:
        element->removeAttribute(Pick(in, kNames));
        break;
    case 3:
        document.deleteNodes(element);
        corrected.treeChanged = true;
        break;
    default:
        document.unwrapElement(element);
        corrected.treeChanged = true;
        break;
    }
}

// Each element's tag name and its attributes as getAttribute answers them, in document order.
std::vector<std::u16string> Described(Document& document) {
    std::vector<std::u16string> described;
    for (Element* element : ElementsOf(document)) {
        std::u16string line = element->getTagName();
        for (const Attr& attr : element->attributes())
            if (!attr.isRemoved())
                line += u" " + attr.getName() + u"=" + element->getAttribute(attr.getName());
        described.push_back(std::move(line));
    }
    return described;
}

// Names the first element that differs, so that a finding says where.
void SameElements(const std::vector<std::u16string>& edited, const std::vector<std::u16string>& readBack) {
    if (edited == readBack)
        return;
    for (std::size_t i = 0; i < std::max(edited.size(), readBack.size()); ++i) {
        const std::u16string a = i < edited.size() ? edited[i] : u"(none)";
        const std::u16string b = i < readBack.size() ? readBack[i] : u"(none)";
        if (a != b) {
            std::fprintf(stderr, "element %zu\n  edited:    %s\n  read back: %s\n", i, win::EncodeUtf8(a).c_str(),
                         win::EncodeUtf8(b).c_str());
            break;
        }
    }
    FuzzCheck(false, "the attributes read back as they were set");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Integers come from the input's tail; what is left is the page.
    const int count = in.ConsumeIntegralInRange(0, 8);
    std::vector<std::uint8_t> choices;
    for (int i = 0; i < count * 8 && in.remaining_bytes() > 0; ++i)
        choices.push_back(in.ConsumeIntegral<std::uint8_t>());
    const std::string bytes = in.ConsumeRemainingBytesAsString();

    std::unique_ptr<Document> document = tarn::dom::loadDocument(bytes);
    const std::vector<Element*> elements = ElementsOf(*document);
    PageHost host(*document, {});
    CTarnLinkCheckItems links(&host);
    FuzzedDataProvider choice(choices.data(), choices.size());
    Corrected corrected;
    for (int i = 0; i < count; ++i)
        Correct(choice, *document, elements, links, corrected);
    bool linkElementRemoved = false;
    links.applyCorrections(linkElementRemoved);

    const std::string written = document->writtenBytes();
    if (!document->isEdited())
        FuzzCheck(written == bytes, "a page without corrections is written back as read");
    // The program refuses a page with a NUL byte as binary unless a UTF-16 byte order mark explains it:
    // a correction must not make one.
    if (!bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF") && bytes.find('\0') == std::string::npos)
        FuzzCheck(written.find('\0') == std::string::npos, "a corrected page opens again");
    std::unique_ptr<Document> again = tarn::dom::loadDocument(written);
    FuzzCheck(again->writtenBytes() == written, "the corrected page reads back as written");
    // A page whose charset an edit changed reads differently, as it should.
    if (!corrected.treeChanged && !corrected.unwritableValue && !corrected.impliedTagSet &&
        again->store().page().encoding == document->store().page().encoding)
        SameElements(Described(*document), Described(*again));
    return 0;
}
