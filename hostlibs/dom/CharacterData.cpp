#include "hostlibs/dom/CharacterData.h"

#include "hostlibs/dom/DocumentStore.h"
#include "platform/win/Utf8.h"
#include "contracts/host/Document.h"

std::string CharacterData::dataUtf8() const {
    std::string_view raw = homeDocument()->store().read(cooked_, span_);
    if (!lineBreaks_)
        return std::string(raw);
    std::string data;
    data.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\r') {
            data.push_back(raw[i]);
        } else {
            data.push_back('\n');
            if (i + 1 < raw.size() && raw[i + 1] == '\n')
                ++i;
        }
    }
    return data;
}

std::u16string CharacterData::getData() const {
    return win::DecodeUtf8(dataUtf8());
}
