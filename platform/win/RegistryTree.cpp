#include "platform/win/RegistryTree.h"

namespace win {
namespace {

// Windows refuses key names longer than this; the limit also keeps a section line readable.
constexpr std::size_t kMaxKeyName = 255;

std::u16string Child(const std::u16string& base, const std::u16string& name) {
    return base.empty() ? name : base + u'\\' + name;
}

}  // namespace

std::u16string FoldName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& ch : folded) {
        if (ch >= u'A' && ch <= u'Z')
            ch = static_cast<char16_t>(ch + 0x20);
    }
    return folded;
}

RegistryTree::RegistryTree() { m_keys.emplace(std::u16string(), RegistryKey{}); }

std::optional<std::vector<std::u16string>> RegistryTree::SplitPath(std::u16string_view path) {
    std::vector<std::u16string> names;
    if (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    if (path.empty())
        return names;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(u'\\', start);
        const std::u16string_view name = path.substr(start, end == std::u16string_view::npos ? path.size() - start
                                                                                             : end - start);
        if (name.empty() || name.size() > kMaxKeyName)
            return std::nullopt;
        for (const char16_t ch : name) {
            if (ch < 0x20 || ch == 0x7F)
                return std::nullopt;
        }
        names.emplace_back(name);
        if (end == std::u16string_view::npos)
            return names;
        start = end + 1;
    }
}

RegistryKey* RegistryTree::Find(const std::u16string& foldedPath) {
    const auto it = m_keys.find(foldedPath);
    return it == m_keys.end() ? nullptr : &it->second;
}

bool RegistryTree::Create(const std::u16string& foldedBase, const std::vector<std::u16string>& names,
                          std::u16string& foldedPath) {
    foldedPath = foldedBase;
    std::u16string path = m_keys.at(foldedBase).path;
    bool created = false;
    for (const std::u16string& name : names) {
        foldedPath = Child(foldedPath, FoldName(name));
        const auto [it, inserted] = m_keys.try_emplace(foldedPath);
        if (inserted)
            it->second.path = Child(path, name);
        path = it->second.path;
        created = inserted;
    }
    return created;
}

std::u16string RegistryTree::Join(const std::u16string& foldedBase, const std::vector<std::u16string>& names) {
    std::u16string foldedPath = foldedBase;
    for (const std::u16string& name : names)
        foldedPath = Child(foldedPath, FoldName(name));
    return foldedPath;
}

}  // namespace win
