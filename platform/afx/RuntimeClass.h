#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/win/WinTypes.h"

// Run-time class information: one constant record per class that declares it, linked to its base's record.
// Records are compared by address, and every record lives in exactly one shared library, so a class seen
// from the program, the platform library and the module is the same record.
struct AFX_API CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: the class is dynamic only (no serialization schema)
    const CRuntimeClass* m_pBaseClass;

    // True when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                           \
public:                                                       \
    static const CRuntimeClass class##class_name;             \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                  \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                         0xFFFF, RUNTIME_CLASS(base_class_name)};       \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }
