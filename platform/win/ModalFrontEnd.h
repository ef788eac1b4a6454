#pragma once

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

namespace win {

// What shows a modal dialog to a person (the terminal) or to a script (the headless front end) and brings
// their input back. The dialog's modal loop runs on the user-interface thread and calls it there; without
// a front end the loop only runs messages.
class WINAPI_EXPORT ModalFrontEnd {
public:
    virtual ~ModalFrontEnd();

    // The dialog's windows exist and WM_INITDIALOG has run; the loop is about to start.
    virtual void ModalStarted(HWND hDlg) = 0;
    // The loop has run every queued message: show what changed, then wait for the user or for a message
    // (MsgWaitForMessages) and hand the user's input over with DeliverInput. Returns whenever the loop may
    // have something to do.
    virtual void Idle(HWND hDlg) = 0;
    // The dialog has ended; its windows are still alive and are destroyed next.
    virtual void ModalEnded(HWND hDlg) = 0;
};

// The process's front end (null: none). Set by the host program before it runs a dialog.
WINAPI_EXPORT void SetModalFrontEnd(ModalFrontEnd* frontEnd);
WINAPI_EXPORT ModalFrontEnd* GetModalFrontEnd();

}  // namespace win

// Hands a user's key or mouse message to the dialog hDlg as its modal loop would: the dialog manager takes
// the keys it handles (IsDialogMessageW), anything else goes to msg.hwnd's procedure. Runs on hDlg's thread.
WINAPI_EXPORT void DeliverInput(HWND hDlg, const MSG& msg);
