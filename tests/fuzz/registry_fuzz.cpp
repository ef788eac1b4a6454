// Any text as the settings file: a file that reads is written out again, and what is written reads back
// as the same keys and values.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/win/RegistryText.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

bool SameValues(const win::RegistryKey& a, const win::RegistryKey& b) {
    if (a.path != b.path || a.values.size() != b.values.size())
        return false;
    for (auto i = a.values.begin(), j = b.values.begin(); i != a.values.end(); ++i, ++j)
        if (i->first != j->first || i->second.name != j->second.name || i->second.type != j->second.type ||
            i->second.data != j->second.data)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<win::RegistryTree> tree = win::ParseRegistryText(text);
    if (!tree)
        return 0;
    const std::string written = win::FormatRegistryText(*tree);
    const std::optional<win::RegistryTree> again = win::ParseRegistryText(written);
    FuzzCheck(again.has_value(), "the written file reads");
    FuzzCheck(again->Keys().size() == tree->Keys().size(), "every key comes back");
    for (auto i = tree->Keys().begin(), j = again->Keys().begin(); i != tree->Keys().end(); ++i, ++j)
        FuzzCheck(i->first == j->first && SameValues(i->second, j->second), "every value comes back byte for byte");
    FuzzCheck(win::FormatRegistryText(*again) == written, "the written file is written the same again");
    return 0;
}
