#include "hostlibs/url/DescriptorBudget.h"

#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

namespace tarn {
namespace {

// Kept free for the program: the page and its temporary file when saved, a report, the settings file,
// the terminal, and what libraries open on their own.
constexpr long kReserved = 32;
// A request's connection, and the pair of descriptors a name lookup holds while it runs.
constexpr long kPerRequest = 3;

long openDescriptors() {
    std::error_code error;
    long open = 0;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end; it.increment(error))
        ++open;
    return open;
}

}  // namespace

DescriptorBudget descriptorBudget(int parallel) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur > static_cast<rlim_t>(std::numeric_limits<int>::max()))
        return {parallel, std::numeric_limits<long>::max()};
    const long free = static_cast<long>(limit.rlim_cur) - openDescriptors() - kReserved;
    const int requests = static_cast<int>(std::clamp<long>(free / kPerRequest, 1, parallel));
    return {requests, std::max<long>(free - (kPerRequest - 1) * requests, 1)};
}

}  // namespace tarn
