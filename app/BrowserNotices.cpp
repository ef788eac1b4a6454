#include "app/BrowserNotices.h"

#include <ostream>
#include <string>

#include "hostlibs/common/BrowserNotice.h"

BrowserNotices::BrowserNotices(std::ostream& out) {
    tarn::browser::setNoticeSink([&out](const std::string& line) { out << "tarnlink: " << line << std::endl; });
}

BrowserNotices::~BrowserNotices() { tarn::browser::setNoticeSink({}); }
