#include "platform/afx/ResourceSet.h"

#include <algorithm>

const DialogTemplate* ResourceSet::FindDialog(UINT nID) const {
    auto it = std::find_if(dialogs.begin(), dialogs.end(), [nID](const DialogTemplate& d) { return d.nID == nID; });
    return it == dialogs.end() ? nullptr : &*it;
}

const std::u16string* ResourceSet::FindString(UINT nID) const {
    auto it = strings.find(nID);
    return it == strings.end() ? nullptr : &it->second;
}
