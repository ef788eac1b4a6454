#include "contracts/host/CRegistryBase.h"

CRegistryBase::CRegistryBase(const char16_t* subKey, HKEY root, int create, int openNow, DWORD access)
    : subKey_(subKey), root_(root), create_(create != 0), access_((create ? KEY_READ | KEY_WRITE : KEY_READ) | access) {
    if (openNow)
        open();
}

CRegistryBase::~CRegistryBase() {
    if (key_)
        RegCloseKey(key_);
}

bool CRegistryBase::open() {
    if (!tried_) {
        tried_ = true;
        const LSTATUS status = create_ ? RegCreateKeyExW(root_, subKey_.GetString(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                         access_, nullptr, &key_, nullptr)
                                       : RegOpenKeyExW(root_, subKey_.GetString(), 0, access_, &key_);
        if (status != ERROR_SUCCESS)
            key_ = nullptr;
    }
    return key_ != nullptr;
}

DWORD CRegistryBase::GetValueDWORD(const char16_t* name, DWORD defaultValue, int storeDefault) {
    if (!open())
        return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status = RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value)
        return value;
    if (status == ERROR_FILE_NOT_FOUND && storeDefault && create_)
        SetValueDWORD(name, defaultValue);
    return defaultValue;
}

bool CRegistryBase::SetValueDWORD(const char16_t* name, DWORD value) {
    if (!create_ || !open())
        return false;
    return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}
