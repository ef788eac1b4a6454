#pragma once
#include <iosfwd>

#include "hostlibs/run/RunOptions.h"

class HostWindow;

// Where a run's lines for a person go (the dialog itself stays silent, e.g. when no browser gives its
// page): to `out`, one line each, as the program's other messages for people; or to the host window's
// status bar. Each must outlive the run.
tarn::NoticeSink noticesTo(std::ostream& out);
tarn::NoticeSink noticesTo(HostWindow& statusBar);
