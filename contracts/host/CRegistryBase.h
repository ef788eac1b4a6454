#pragma once
#include "platform/afx/CString.h"
#include "platform/win/WinReg.h"

// One key of the host's registry, for reading and writing the module's settings.
class CRegistryBase {
public:
    // `create`: 1 opens the key for writing and makes it (and its parents) when missing; 0 opens it
    // for reading only, and a missing key reads as empty. `openNow`: 1 opens the key here, 0 at the
    // first read or write. `access`: further access rights asked for beside those.
    CRegistryBase(const char16_t* subKey, HKEY root, int create, int openNow, DWORD access);
    CRegistryBase(const CRegistryBase&) = delete;
    CRegistryBase& operator=(const CRegistryBase&) = delete;
    virtual ~CRegistryBase();

    // The value, or `defaultValue` when the key or value is missing or is not a DWORD. With
    // `storeDefault` 1 (and the key opened for writing), a missing value is written with the default.
    DWORD GetValueDWORD(const char16_t* name, DWORD defaultValue, int storeDefault);
    // False when the key could not be opened for writing or the store could not be written.
    bool SetValueDWORD(const char16_t* name, DWORD value);

private:
    bool open();

    CString subKey_;
    HKEY root_;
    bool create_;
    REGSAM access_;
    HKEY key_ = nullptr;
    bool tried_ = false;
};
