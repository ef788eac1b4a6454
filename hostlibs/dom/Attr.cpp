#include "contracts/host/Attr.h"

#include "hostlibs/dom/DocumentStore.h"
#include "platform/win/Utf8.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace {
tarn::dom::DocumentStore& storeOf(const Element* e) { return e->homeDocument()->store(); }
}  // namespace

Attr Attr::parsed(Element* owner, SourceSpan nameSpan, SourceSpan valueSpan, std::string_view name,
                  std::string_view value, char quote, bool hasValue) {
    auto& store = storeOf(owner);
    Attr a;
    a.owner_ = owner;
    a.name_ = nameSpan;
    a.value_ = valueSpan;
    a.quote_ = quote;
    a.hasValue_ = hasValue;
    const Ref cookedName = store.slice(nameSpan) == name ? 0 : store.internName(name);
    a.cook(cookedName, store.slice(valueSpan) == value ? nullptr : &value);
    return a;
}

Attr Attr::inserted(Element* owner, std::string_view lowerName, std::string_view value) {
    Attr a;
    a.owner_ = owner;
    a.quote_ = '"';
    a.hasValue_ = a.edited_ = a.inserted_ = true;
    a.cook(storeOf(owner).internName(lowerName), &value);
    return a;
}

void Attr::setValue(std::string_view value) {
    const auto& store = storeOf(owner_);
    const Ref name = !nameCooked_ ? 0 : valueCooked_ ? store.pairFirst(cooked_) : cooked_;
    cook(name, &value);
    hasValue_ = edited_ = true;
}

void Attr::cook(Ref name, const std::string_view* value) {
    auto& store = storeOf(owner_);
    nameCooked_ = name != 0;
    valueCooked_ = value != nullptr;
    if (name && value)
        cooked_ = store.addPair(name, *value);
    else if (value)
        cooked_ = store.addString(*value);
    else
        cooked_ = name;
}

SourceSpan Attr::wholeSpan() const {
    std::uint32_t end = hasValue_ ? value_.end + (quote_ ? 1 : 0) : name_.end;
    return {name_.begin, end};
}

std::string_view Attr::nameUtf8() const {
    const auto& store = storeOf(owner_);
    if (!nameCooked_)
        return store.slice(name_);
    return store.string(valueCooked_ ? store.pairFirst(cooked_) : cooked_);
}

std::string_view Attr::valueUtf8() const {
    const auto& store = storeOf(owner_);
    if (!valueCooked_)
        return store.slice(value_);
    return nameCooked_ ? store.pairSecond(cooked_) : store.string(cooked_);
}

std::u16string Attr::getName() const { return win::DecodeUtf8(nameUtf8()); }
std::u16string Attr::getValue() const { return win::DecodeUtf8(valueUtf8()); }
