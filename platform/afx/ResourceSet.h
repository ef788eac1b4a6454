#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/DialogTemplate.h"
#include "platform/win/WinTypes.h"

#include <map>
#include <string>
#include <vector>

using StringTable = std::map<UINT, std::u16string>;

// Everything a module holds as resources: its dialog templates and its string table. The module owns the
// set, typically as a static object, and registers it (see AfxRegisterModuleResources) for as long as it
// is loaded.
struct AFX_API ResourceSet {
    std::vector<DialogTemplate> dialogs;
    StringTable strings;

    // Null when the set has no such resource.
    const DialogTemplate* FindDialog(UINT nID) const;
    const std::u16string* FindString(UINT nID) const;
};
