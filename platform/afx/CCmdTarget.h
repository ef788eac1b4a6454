#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CObject.h"

// The base of every class that receives messages (windows, threads). It holds nothing yet: it is the place
// where message maps attach.
class AFX_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override;
};
