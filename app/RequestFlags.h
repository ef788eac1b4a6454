#pragma once
#include "hostlibs/run/RunOptions.h"

namespace CLI {
class App;
}

// Adds --parallel and --per-host to a command line: how many requests the host's checker makes at once,
// the settings' word when they are not given.
void addRequestOptions(CLI::App& app, tarn::RequestOptions& options);
