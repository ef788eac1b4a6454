#pragma once
#include <optional>
#include <string>

#include "app/batch/DialogDriver.h"

class CExtenUrlChecker;
class StopSignals;

// Where a chain of permanent redirects (301, 308) ends: `first` is the target of the link's own
// redirect, and each further hop is asked with `checker`. None when the chain goes on past `maxHops`
// redirects (a loop, most likely) or comes back to `url`.
std::optional<std::string> permanentRedirectEnd(const std::string& url, const std::string& first,
                                                CExtenUrlChecker& checker, const StopSignals& signals,
                                                int maxHops = 5);

// The fixes --fix-redirects tries: every row whose link answered 301 or 308, to the end of its chain.
DialogDriver::Planner redirectPlanner(const StopSignals& signals);
