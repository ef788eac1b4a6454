#include "tests/app/ProgramTestSupport.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace tarn::test {

void ProgramTest::SetUp() {
    char name[] = "/tmp/tarn-program-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    folder = name;
    writeManualStart(true);
}

void ProgramTest::TearDown() { fs::remove_all(folder); }

std::string ProgramTest::writePage(const std::string& bytes, const std::string& name) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
    return (folder / name).string();
}

std::string ProgramTest::readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void ProgramTest::useAutomaticStart() { writeManualStart(false); }

void ProgramTest::writeManualStart(bool manual) {
    fs::create_directories(folder / "config" / "tarn");
    std::ofstream(folder / "config" / "tarn" / "registry.ini")
        << "[Software\\Tarn\\Tarnpage\\Options]\n\"isLinkCheckManualStart\"=dword:0000000" << (manual ? 1 : 0)
        << "\n";
}

std::vector<std::string> ProgramTest::environment() const {
    return {"XDG_CONFIG_HOME=" + (folder / "config").string(), "XDG_STATE_HOME=" + (folder / "state").string()};
}

std::unique_ptr<ProgramProcess> ProgramTest::startAutomated(const std::string& page, std::vector<std::string> args,
                                                            std::vector<std::string> extraEnvironment) {
    args.insert(args.begin(), {"--automate", page});
    std::vector<std::string> env = environment();
    env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
    return std::make_unique<ProgramProcess>(TARN_PROGRAM, args, env, folder / "stderr.txt");
}

std::vector<std::string> callStrings(const nlohmann::json& calls) {
    std::vector<std::string> strings;
    for (const nlohmann::json& call : calls) {
        std::string text = call.at("op").get<std::string>() + "(";
        bool first = true;
        for (const nlohmann::json& arg : call.at("args")) {
            text += (first ? "" : ",") + arg.dump();
            first = false;
        }
        strings.push_back(text + ")");
    }
    return strings;
}

std::vector<std::string> ProgramTest::pages() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "config" && entry.path().filename() != "state" &&
            entry.path().filename() != "stderr.txt")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarn::test
