#pragma once

#include "platform/win/WinExport.h"

// Every framework class and function the module uses carries AFX_API, so its code, vtables and type
// information stay visible to a module built with -fvisibility=hidden (a thrown CException* must match
// the module's catch clause).
#define AFX_API WINAPI_EXPORT
