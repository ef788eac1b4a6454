#pragma once
#include "contracts/host/DomUtBase.h"

class CCSSDataManager;  // the editor's style sheet data; never needed here

class DomUtil : public DomUtBase {
public:
    DomUtil(Document* document, CCSSDataManager*) : DomUtBase(document) {}
    ~DomUtil() override = default;

    // An anchor that drives an image roll-over: its onmouseover or onmouseout handler changes an
    // image (assigns a "src", or calls a swap-image function).
    bool isRollOverLink(Element* element) const;
};
