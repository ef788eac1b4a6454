#pragma once

#include "platform/win/WinTypes.h"

// The module's start-up and shut-down as an extension module: its resources join the process's resource
// chain while it is loaded, so the framework finds its dialog template and strings.
void linkCheckModuleAttach(HINSTANCE hModule);
void linkCheckModuleDetach();
