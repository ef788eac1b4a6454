#include "app/batch/ArchiveAnswer.h"

#include <nlohmann/json.hpp>

#include "app/options/OptionTable.h"

namespace {

bool isStatus200(const nlohmann::json& status) {
    return (status.is_string() && status.get<std::string>() == "200") ||
           (status.is_number_integer() && status.get<long long>() == 200);
}

}  // namespace

std::optional<std::string> availableSnapshot(std::string_view answer) {
    const nlohmann::json json = nlohmann::json::parse(answer, nullptr, false);
    if (!json.is_object())
        return std::nullopt;
    const auto snapshots = json.find("archived_snapshots");
    if (snapshots == json.end() || !snapshots->is_object())
        return std::nullopt;
    const auto closest = snapshots->find("closest");
    if (closest == snapshots->end() || !closest->is_object())
        return std::nullopt;
    const auto available = closest->find("available");
    const auto status = closest->find("status");
    const auto url = closest->find("url");
    if (available == closest->end() || !available->is_boolean() || !available->get<bool>() ||
        status == closest->end() || !isStatus200(*status) || url == closest->end() || !url->is_string())
        return std::nullopt;
    std::string snapshot = url->get<std::string>();
    if (!webUrlProblem(snapshot).empty())
        return std::nullopt;
    return snapshot;
}
