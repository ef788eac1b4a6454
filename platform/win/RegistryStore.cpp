#include "platform/win/RegistryStore.h"

#include "platform/win/RegistryFile.h"
#include "platform/win/RegistryText.h"

#include <string_view>

namespace win {
namespace {

std::u16string_view View(LPCWSTR text) { return text == nullptr ? std::u16string_view() : std::u16string_view(text); }

bool IsOtherRoot(HKEY key) {
    return key == HKEY_CLASSES_ROOT || key == HKEY_LOCAL_MACHINE || key == HKEY_USERS;
}

}  // namespace

RegistryStore& RegistryStore::Instance() {
    static RegistryStore store;
    return store;
}

RegistryTree& RegistryStore::Tree() {
    if (!m_tree) {
        m_file = RegistryFilePath();
        m_tree = m_file.empty() ? RegistryTree() : LoadRegistryFile(m_file, !m_inMemoryOnly);
    }
    return *m_tree;
}

LSTATUS RegistryStore::Resolve(HKEY key, REGSAM needed, RegistryKey*& found) {
    found = nullptr;
    if (key == HKEY_CURRENT_USER) {
        found = Tree().Find(std::u16string());
        return ERROR_SUCCESS;
    }
    if (IsOtherRoot(key))
        return ERROR_FILE_NOT_FOUND;
    const auto it = m_handles.find(key);
    if (it == m_handles.end())
        return ERROR_INVALID_HANDLE;
    if ((it->second.access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    found = Tree().Find(it->second.foldedPath);
    return found == nullptr ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
}

LSTATUS RegistryStore::Save() {
    if (m_inMemoryOnly)
        return ERROR_SUCCESS;
    return WriteRegistryFile(m_file, FormatRegistryText(Tree()));
}

void RegistryStore::KeepChangesInMemory(bool keep) {
    std::lock_guard lock(m_mutex);
    if (m_inMemoryOnly == keep)
        return;
    m_inMemoryOnly = keep;
    // What was kept in memory goes with the run that kept it.
    if (!keep)
        m_tree.reset();
}

LSTATUS RegistryStore::Open(HKEY base, LPCWSTR subKey, REGSAM access, bool create, PHKEY result,
                            LPDWORD disposition) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::lock_guard lock(m_mutex);
    if (IsOtherRoot(base))
        return create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    RegistryKey* baseKey = nullptr;
    if (const LSTATUS status = Resolve(base, 0, baseKey); status != ERROR_SUCCESS)
        return status;
    const std::optional<std::vector<std::u16string>> names = RegistryTree::SplitPath(View(subKey));
    if (!names || View(subKey).starts_with(u'\\'))
        return ERROR_BAD_PATHNAME;

    const std::u16string foldedBase = FoldName(baseKey->path);
    std::u16string foldedPath = RegistryTree::Join(foldedBase, *names);
    if (create) {
        const bool created = Tree().Create(foldedBase, *names, foldedPath);
        if (disposition != nullptr)
            *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        // Creating is how code opens its settings to read them, so a folder that cannot be written must not
        // fail it: the key lives in memory, and the next set that writes carries it or reports the error.
        if (created)
            Save();
    } else if (Tree().Find(foldedPath) == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    const HKEY handle = reinterpret_cast<HKEY>(m_nextHandle);
    m_nextHandle += 4;
    m_handles.emplace(handle, OpenKey{std::move(foldedPath), access});
    *result = handle;
    return ERROR_SUCCESS;
}

LSTATUS RegistryStore::Query(HKEY key, LPCWSTR name, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (data != nullptr && size == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(m_mutex);
    RegistryKey* found = nullptr;
    if (const LSTATUS status = Resolve(key, KEY_QUERY_VALUE, found); status != ERROR_SUCCESS)
        return status;
    const auto it = found->values.find(FoldName(View(name)));
    if (it == found->values.end())
        return ERROR_FILE_NOT_FOUND;
    const RegistryValue& value = it->second;
    if (type != nullptr)
        *type = value.type;
    if (size == nullptr)
        return ERROR_SUCCESS;
    const DWORD needed = static_cast<DWORD>(value.data.size());
    const DWORD room = *size;
    *size = needed;
    if (data == nullptr)
        return ERROR_SUCCESS;
    if (room < needed)
        return ERROR_MORE_DATA;
    std::copy(value.data.begin(), value.data.end(), data);
    return ERROR_SUCCESS;
}

LSTATUS RegistryStore::Set(HKEY key, LPCWSTR name, DWORD type, const BYTE* data, DWORD size) {
    if (data == nullptr && size != 0)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(m_mutex);
    RegistryKey* found = nullptr;
    if (const LSTATUS status = Resolve(key, KEY_SET_VALUE, found); status != ERROR_SUCCESS)
        return status;
    const auto [it, inserted] = found->values.try_emplace(FoldName(View(name)));
    RegistryValue& value = it->second;
    // The first spelling of a name stays, as Windows keeps it.
    if (inserted)
        value.name = View(name);
    value.type = type;
    value.data.assign(data, data + size);
    return Save();
}

LSTATUS RegistryStore::Delete(HKEY key, LPCWSTR name) {
    std::lock_guard lock(m_mutex);
    RegistryKey* found = nullptr;
    if (const LSTATUS status = Resolve(key, KEY_SET_VALUE, found); status != ERROR_SUCCESS)
        return status;
    if (found->values.erase(FoldName(View(name))) == 0)
        return ERROR_FILE_NOT_FOUND;
    return Save();
}

LSTATUS RegistryStore::Close(HKEY key) {
    std::lock_guard lock(m_mutex);
    if (key == HKEY_CURRENT_USER || IsOtherRoot(key))
        return ERROR_SUCCESS;
    return m_handles.erase(key) == 0 ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
}

void RegistryStore::Reset() {
    std::lock_guard lock(m_mutex);
    m_tree.reset();
    m_file.clear();
    m_handles.clear();
}

}  // namespace win
