#pragma once

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

// The host painter's side of the window tree: which windows need drawing. Not part of the module's API.

// True when the window changed since the painter last cleared it (a new window starts dirty); FALSE for
// a dead handle.
WINAPI_EXPORT BOOL IsWindowDirty(HWND hWnd);

// The painter has drawn the window.
WINAPI_EXPORT void ClearWindowDirty(HWND hWnd);
