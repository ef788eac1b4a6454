#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/RuntimeClass.h"
#include "platform/win/WinTypes.h"

// The root of the framework's classes. Objects are not copyable through the base, as in the framework;
// a derived class that wants copies defines them itself.
class AFX_API CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject();

    // The record of the most derived class that declares DECLARE_DYNAMIC.
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};
