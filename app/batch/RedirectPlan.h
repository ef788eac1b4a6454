#pragma once
#include "app/batch/DialogDriver.h"

class StopSignals;
namespace tarn {
class CheckJournal;
}

// The fixes --fix redirects tries: every row whose link answered 301 or 308, to the end of its chain of
// permanent redirects, each hop asked with a checker of the page's run, whose answers `journal` keeps.
// An end that is suspect (see SuspectRedirect.h) is left alone and said why; `allowCrossHost` takes a
// move to another host as real.
DialogDriver::Planner redirectPlanner(const StopSignals& signals, const tarn::CheckJournal& journal,
                                      bool allowCrossHost);

// Fixes nothing, but asks where each row's chain of permanent redirects ends, so that the run's answer
// cache learns whether it ends well and can keep it.
DialogDriver::Planner redirectEndFinder(const StopSignals& signals, const tarn::CheckJournal& journal);
