#pragma once
#include <optional>
#include <string>

#include "app/PluginModule.h"

class PageHost;

// Runs the module's entry; an exception that leaves it is described, and then nothing may be saved.
std::optional<std::string> runEntry(PluginModule::Entry entry, PageHost& host);
