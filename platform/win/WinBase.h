#pragma once

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

// Threads and waiting as the module's code spells them.

using LPVOID = void*;

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;

// A small number naming the calling thread, never 0 and never given to another thread of the process.
WINAPI_EXPORT DWORD GetCurrentThreadId();

// Suspends the calling thread; it serves no messages meanwhile. Sleep(0) gives up the rest of the time slice.
WINAPI_EXPORT void Sleep(DWORD dwMilliseconds);
