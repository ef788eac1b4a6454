#include "hostlibs/url/StopFlagCount.h"

#include <atomic>

namespace tarn {
namespace {

std::atomic<unsigned long> settings{0};

}  // namespace

void noteStopFlagSet() { settings.fetch_add(1); }

unsigned long stopFlagSettings() { return settings.load(); }

}  // namespace tarn
