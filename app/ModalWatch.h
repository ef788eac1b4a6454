#pragma once
#include "platform/win/ModalFrontEnd.h"

// Passes a front end's calls on and notes whether a dialog's modal loop ever started: a dialog that
// could not be made (a missing template, a control that failed) never gets that far, and the entry
// gives no result to say so.
class ModalWatch : public win::ModalFrontEnd {
public:
    explicit ModalWatch(win::ModalFrontEnd& inner) : inner_(inner) {}

    bool started() const { return started_; }

    void ModalStarted(HWND hDlg) override;
    void Idle(HWND hDlg) override;
    void ModalEnded(HWND hDlg) override;

private:
    win::ModalFrontEnd& inner_;
    bool started_ = false;
};
