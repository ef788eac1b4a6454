#include "app/ModalWatch.h"

void ModalWatch::ModalStarted(HWND hDlg) {
    started_ = true;
    inner_.ModalStarted(hDlg);
}

void ModalWatch::Idle(HWND hDlg) { inner_.Idle(hDlg); }

void ModalWatch::ModalEnded(HWND hDlg) { inner_.ModalEnded(hDlg); }
