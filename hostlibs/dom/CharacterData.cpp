#include "hostlibs/dom/CharacterData.h"

#include "hostlibs/dom/DocumentStore.h"
#include "platform/win/Utf8.h"
#include "contracts/host/Document.h"

// Text, comments and doctypes add nothing to CharacterData, so the reference after a node is at one place.
static_assert(sizeof(Text) == sizeof(CharacterData) && sizeof(Comment) == sizeof(CharacterData) &&
              sizeof(DocumentType) == sizeof(CharacterData));

std::uint32_t CharacterData::cooked() const {
    std::uint32_t ref = 0;
    if (hasFlag(COOKED))
        std::memcpy(&ref, reinterpret_cast<const std::byte*>(this) + sizeof(CharacterData), sizeof ref);
    return ref;
}

std::string CharacterData::dataUtf8() const {
    std::string_view raw = homeDocument()->store().read(cooked(), span_);
    if (!hasFlag(LINE_BREAKS))
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
