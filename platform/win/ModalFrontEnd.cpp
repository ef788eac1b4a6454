#include "platform/win/ModalFrontEnd.h"

#include <atomic>

namespace win {

namespace {

std::atomic<ModalFrontEnd*> installed{nullptr};

}  // namespace

ModalFrontEnd::~ModalFrontEnd() = default;

void SetModalFrontEnd(ModalFrontEnd* frontEnd) { installed.store(frontEnd); }

ModalFrontEnd* GetModalFrontEnd() { return installed.load(); }

}  // namespace win

void DeliverInput(HWND hDlg, const MSG& msg) {
    if (!IsDialogMessageW(hDlg, &msg))
        DispatchMessageW(&msg);
}
