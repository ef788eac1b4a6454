#include "app/BrowserNotices.h"

#include <ostream>
#include <string>

#include "app/ForPeople.h"
#include "app/HostWindow.h"
#include "hostlibs/common/BrowserNotice.h"

BrowserNotices::BrowserNotices(std::ostream& out) {
    tarn::browser::setNoticeSink([&out](const std::string& line) { out << "tarnlink: " << forPeople(line) << std::endl; });
}

BrowserNotices::BrowserNotices(HostWindow& statusBar) {
    tarn::browser::setNoticeSink([&statusBar](const std::string& line) { statusBar.showNotice(line); });
}

BrowserNotices::~BrowserNotices() { tarn::browser::setNoticeSink({}); }
