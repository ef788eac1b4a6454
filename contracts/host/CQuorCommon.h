#pragma once
#include "platform/afx/CString.h"

// The editor's per-user registry paths, relative to HKEY_CURRENT_USER.
class CQuorCommon {
public:
    static CString getHKCUTarnpageBase();     // "Software\Tarn\Tarnpage"
    static CString getHKCUTarnpageOptions();  // "Software\Tarn\Tarnpage\Options"
};
