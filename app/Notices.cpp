#include "app/Notices.h"

#include <ostream>
#include <string>

#include "app/ForPeople.h"
#include "app/HostWindow.h"

tarn::NoticeSink noticesTo(std::ostream& out) {
    return [&out](const std::string& line) { out << "tarnlink: " << forPeople(line) << std::endl; };
}

tarn::NoticeSink noticesTo(HostWindow& statusBar) {
    return [&statusBar](const std::string& line) { statusBar.showNotice(line); };
}
