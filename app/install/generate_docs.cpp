// Makes tarnlink(1) and the bash completion from their templates and the program's own option tables:
//   generate_docs MAN_TEMPLATE COMPLETION_TEMPLATE MAN_PAGE COMPLETION
#include <fstream>
#include <iostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/options/OptionTableJson.h"
#include "app/ProgramOptions.h"
#include "app/batch/BatchOptions.h"
#include "app/install/Completion.h"
#include "app/install/ManualPage.h"

namespace {

nlohmann::json dialogTable() {
    const char* argv[] = {"tarnlink", "--options-table"};
    std::ostringstream out, err;
    int exitCode = 0;
    parseOptions(2, argv, out, err, exitCode);
    return nlohmann::json::parse(out.str());
}

nlohmann::json batchTable() {
    const char* argv[] = {"tarnlink", "--check", "--options-table"};
    std::ostringstream out, err;
    int exitCode = 0;
    parseBatchOptions(3, argv, out, err, exitCode);
    return nlohmann::json::parse(out.str());
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush())
        throw std::runtime_error(std::string("cannot write ") + path);
}

// Replaces the line that holds only `@NAME@`, or the word `@NAME@` within a line.
void fill(std::string& text, const std::string& name, std::string value) {
    const std::string mark = "@" + name + "@";
    const std::size_t at = text.find(mark);
    if (at == std::string::npos)
        throw std::runtime_error("the template has no " + mark);
    const bool wholeLine = (at == 0 || text[at - 1] == '\n') && text.compare(at + mark.size(), 1, "\n") == 0;
    if (wholeLine && !value.empty() && value.back() == '\n')
        value.pop_back();
    text.replace(at, mark.size(), value);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: generate_docs MAN_TEMPLATE COMPLETION_TEMPLATE MAN_PAGE COMPLETION\n";
        return 2;
    }
    try {
        const nlohmann::json dialog = dialogTable();
        const nlohmann::json batch = batchTable();

        std::string manual = readFile(argv[1]);
        fill(manual, "VERSION", TARN_VERSION);
        fill(manual, "SYNOPSIS", manualSynopsis(dialog) + ".br\n" + manualSynopsis(batch));
        fill(manual, "DIALOG_OPTIONS", manualOptions(dialog));
        fill(manual, "BATCH_OPTIONS", manualOptions(batch));
        writeFile(argv[3], manual);

        std::string completion = readFile(argv[2]);
        fill(completion, "DIALOG_VALUES", completionValues(dialog));
        fill(completion, "BATCH_VALUES", completionValues(batch));
        fill(completion, "DIALOG_OPTIONS", completionWords(dialog));
        fill(completion, "BATCH_OPTIONS", completionWords(batch));
        writeFile(argv[4], completion);
    } catch (const std::exception& e) {
        std::cerr << "generate_docs: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
