#pragma once

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

#include <cstdint>

// The per-user registry (HKEY_CURRENT_USER) as the module's code spells it. Only HKEY_CURRENT_USER is
// kept: opening below another root answers ERROR_FILE_NOT_FOUND, creating below it ERROR_ACCESS_DENIED.
//
// The keys and values live in one text file, $XDG_CONFIG_HOME/tarn/registry.ini (an unset or relative
// XDG_CONFIG_HOME means ~/.config), read on first use and rewritten whole after every change that succeeds
// in memory; see RegistryText.h for its layout. Key and value names compare case-insensitively (ASCII
// letters), '\' separates the keys of a path. Every function is thread-safe.

using LSTATUS = LONG;
using REGSAM = DWORD;
using PHKEY = HKEY*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;

// The predefined roots carry the values Windows gives them, so code comparing against them keeps working.
inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(LONG(0x80000000)));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(LONG(0x80000001)));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(LONG(0x80000002)));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(LONG(0x80000003)));

inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_WRITE_FAULT = 29;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_DISK_FULL = 112;
inline constexpr LSTATUS ERROR_BAD_PATHNAME = 161;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0x00000000;
inline constexpr DWORD REG_CREATED_NEW_KEY = 0x00000001;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 0x00000002;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Opens subKey below hKey, making every missing key of the path; *lpdwDisposition (when not null) tells
// REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. A null or empty subKey opens hKey itself again. The
// handle allows what samDesired grants: setting and deleting values needs KEY_SET_VALUE, querying
// KEY_QUERY_VALUE. lpClass and lpSecurityAttributes are ignored. A new key is written to the file at once;
// when that write fails the key still lives in memory and the call succeeds (see RegSetValueExW).
WINAPI_EXPORT LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                                      REGSAM samDesired, void* lpSecurityAttributes, PHKEY phkResult,
                                      LPDWORD lpdwDisposition);

// Opens an existing key; ERROR_FILE_NOT_FOUND when any key of the path is missing.
WINAPI_EXPORT LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);

// Reads a value (a null or empty name is the key's default value). With lpData null only the size is told
// in *lpcbData; when *lpcbData is too small it gets the size needed and the answer is ERROR_MORE_DATA.
// lpReserved must be null, and lpcbData may be null only when lpData is.
WINAPI_EXPORT LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                       LPBYTE lpData, LPDWORD lpcbData);

// Stores cbData bytes as they are given: a REG_SZ carries its terminating NUL in cbData, as on Windows.
// When the file cannot be written the value is kept in memory and the write error is returned.
WINAPI_EXPORT LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                                     const BYTE* lpData, DWORD cbData);

// ERROR_FILE_NOT_FOUND when there is no such value.
WINAPI_EXPORT LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);

// Closing a predefined root is allowed and does nothing; a handle that is not open gives ERROR_INVALID_HANDLE.
WINAPI_EXPORT LSTATUS RegCloseKey(HKEY hKey);

// Forgets the store and every open handle: the next call reads XDG_CONFIG_HOME again and reloads the file,
// as a restarted process would. For tests, and for a host that changes XDG_CONFIG_HOME before its first use.
WINAPI_EXPORT void RegistryStoreResetForTesting();

// While `keep` is set, every change stays in memory and the file is never written: for a run that reads
// the user's settings and must leave them exactly as they are. Clearing it forgets what was kept, so the
// next call reads the file again.
WINAPI_EXPORT void RegistryStoreKeepChangesInMemory(bool keep);
