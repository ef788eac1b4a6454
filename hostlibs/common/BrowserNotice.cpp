#include "hostlibs/common/BrowserNotice.h"

#include <mutex>

namespace tarn::browser {
namespace {

std::mutex sinkMutex;
NoticeSink currentSink;

}  // namespace

void setNoticeSink(NoticeSink sink) {
    std::lock_guard lock(sinkMutex);
    currentSink = std::move(sink);
}

void notice(const std::string& line) {
    NoticeSink sink;
    {
        std::lock_guard lock(sinkMutex);
        sink = currentSink;
    }
    // Called outside the lock: a sink may set another sink.
    if (sink)
        sink(line);
}

}  // namespace tarn::browser
