#pragma once

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

// MsgWaitForMessages that also watches file descriptors (a terminal, a signal pipe), so that a front end
// waits for its user and for the thread's messages at once. Returns WAIT_OBJECT_0 when the calling
// thread's queue holds a message, WAIT_OBJECT_0 + 1 + i when fds[i] is readable (or closed), WAIT_TIMEOUT
// when dwMilliseconds passed first (INFINITE: never) or a signal interrupted the wait. Runs nothing.
WINAPI_EXPORT DWORD MsgWaitForMessagesOrFds(const int* fds, int count, DWORD dwMilliseconds);
