#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/WinTypes.h"

// Message maps: each class that declares one has a static table of entries that tie a message (or a
// control's command or notification) to a member function, and a link to its base class's table. A
// message goes to the first matching entry, searching the object's own class first and then its bases,
// so a derived class overrides what its base handles.
//
// Handlers are stored as one member-function pointer type and called back through the type they were
// written with, which the entry's signature names. The macros check each handler against the signature
// its entry kind requires, so a mismatch does not compile.

class CCmdTarget;

using AFX_PMSG = void (CCmdTarget::*)();

enum AfxSig : UINT {
    AfxSig_end = 0,     // ends a table
    AfxSigCmd_v,        // void ()                     WM_COMMAND from a control or a command
    AfxSig_lwl,         // LRESULT (WPARAM, LPARAM)    any message
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)     WM_NOTIFY
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND, WM_NOTIFY or the message of an ON_MESSAGE entry
    UINT nCode;     // the notification code (its low word for WM_NOTIFY); 0 for ON_MESSAGE
    UINT nID;       // the control or command id; 0 for ON_MESSAGE
    AfxSig nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root map
    const AFX_MSGMAP_ENTRY* lpEntries;     // ends with an AfxSig_end entry
};

// What CCmdTarget::OnCmdMsg gets as pExtra for a WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by CCmdTarget::OnCmdMsg instead of calling the handler, when the caller only asks who would
// handle a command.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// The notification code of a plain command (a menu item or accelerator); a button's click has the same.
inline constexpr UINT CN_COMMAND = 0;

namespace afx {

// The first entry for nMessage, nCode and nID with signature nSig in pMap or its bases; null when none.
AFX_API const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID,
                                                 AfxSig nSig);

// A handler's pointer to be stored in an entry, and the stored pointer as the type the entry's signature
// names. Casting back to the original type gives back the original pointer, so the call is valid; GCC
// warns about any cast between pointer-to-member types of other signatures, so the warning is silenced
// in these two places alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <class Pmf>
AFX_PMSG StoreHandler(Pmf pfn) {
    return reinterpret_cast<AFX_PMSG>(pfn);
}

template <class Pmf>
Pmf HandlerAs(AFX_PMSG pfn) {
    return reinterpret_cast<Pmf>(pfn);
}
#pragma GCC diagnostic pop

}  // namespace afx

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    const AFX_MSGMAP* GetMessageMap() const override;

// The table is built on first use, like any function-local static, so building it is thread-safe.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }        \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                        \
        using ThisClass [[maybe_unused]] = theClass;                                         \
        using TheBaseClass = baseClass;                                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                    \
        {0, 0, 0, AfxSig_end, nullptr}};                                                     \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
        return &messageMap;                                                                  \
    }

// memberFxn: void (T::*)()
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},

// memberFxn: void (T::*)()
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                       \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), AfxSigCmd_v,                  \
     static_cast<AFX_PMSG>(memberFxn)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// memberFxn: LRESULT (T::*)(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                               \
    {static_cast<UINT>(message), 0, 0, AfxSig_lwl,                                                   \
     afx::StoreHandler(static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(memberFxn))},

// memberFxn: void (T::*)(NMHDR*, LRESULT*)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                        \
    {WM_NOTIFY, static_cast<UINT>(LOWORD(wNotifyCode)), static_cast<UINT>(id), AfxSigNotify_v,        \
     afx::StoreHandler(static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},
