#include "module/host/Attr.h"

#include "hostlibs/dom/DocumentStore.h"
#include "platform/afx/Utf8.h"
#include "module/host/Document.h"
#include "module/host/Element.h"

namespace {
const tarn::dom::DocumentStore& storeOf(const Element* e) { return e->homeDocument()->store(); }
}  // namespace

SourceSpan Attr::wholeSpan() const {
    std::uint32_t end = hasValue_ ? value_.end + (quote_ ? 1 : 0) : name_.end;
    return {name_.begin, end};
}

std::string_view Attr::nameUtf8() const { return storeOf(owner_).read(cookedName_, name_); }
std::string_view Attr::valueUtf8() const { return storeOf(owner_).read(cookedValue_, value_); }
std::u16string Attr::getName() const { return afx::DecodeUtf8(nameUtf8()); }
std::u16string Attr::getValue() const { return afx::DecodeUtf8(valueUtf8()); }
