#include "platform/win/RegistryStore.h"
#include "platform/win/WinReg.h"

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired, void*,
                        PHKEY phkResult, LPDWORD lpdwDisposition) {
    return win::RegistryStore::Instance().Open(hKey, lpSubKey, samDesired, true, phkResult, lpdwDisposition);
}

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    return win::RegistryStore::Instance().Open(hKey, lpSubKey, samDesired, false, phkResult, nullptr);
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
    if (lpReserved != nullptr)
        return ERROR_INVALID_PARAMETER;
    return win::RegistryStore::Instance().Query(hKey, lpValueName, lpType, lpData, lpcbData);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    return win::RegistryStore::Instance().Set(hKey, lpValueName, dwType, lpData, cbData);
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
    return win::RegistryStore::Instance().Delete(hKey, lpValueName);
}

LSTATUS RegCloseKey(HKEY hKey) { return win::RegistryStore::Instance().Close(hKey); }

void RegistryStoreResetForTesting() { win::RegistryStore::Instance().Reset(); }

void RegistryStoreKeepChangesInMemory(bool keep) { win::RegistryStore::Instance().KeepChangesInMemory(keep); }
