#include <gtest/gtest.h>

#include <fstream>

#include "tests/batch/BatchTestSupport.h"

namespace tarn::test {
namespace {

class ConfigFileTest : public BatchTest {
protected:
    // tarnlink --check ARGS... run in the page folder, where it looks for tarnlink.toml.
    int checkInFolder(const std::vector<std::string>& args, std::string& output) {
        std::vector<std::string> all{"-C", folder.string(), TARN_PROGRAM, "--check"};
        all.insert(all.end(), args.begin(), args.end());
        output.clear();
        return runToEnd("/usr/bin/env", all, environment(), folder / "stderr.txt", &output);
    }
    void writeConfig(const std::string& text, const std::string& name = "tarnlink.toml") {
        std::ofstream(folder / name) << text;
    }
};

// The file in the working folder is read, --config names another, and a key or value the run cannot take
// ends it before any request with one line naming the file, the line and the key.
TEST_F(ConfigFileTest, FoundNamedAndRefused) {
    const std::string page = writePage("<p><a href=\"" + link("/ok") + "\">x</a></p>\n");
    std::string output;
    writeConfig("parallel = 2\n\n# a vendor's links\nfrobnicate = true\n");
    EXPECT_EQ(checkInFolder({page}, output), 2);
    EXPECT_NE(errors().find("tarnlink.toml:4: unknown key \"frobnicate\""), std::string::npos) << errors();
    // The dialog reads the same file.
    EXPECT_EQ(runToEnd("/usr/bin/env", {"-C", folder.string(), TARN_PROGRAM, "--automate", page}, environment(),
                       folder / "stderr.txt"),
              2);
    EXPECT_NE(errors().find("tarnlink.toml:4: unknown key \"frobnicate\""), std::string::npos) << errors();

    writeConfig("per_host = \"four\"\n", "other.toml");
    EXPECT_EQ(checkInFolder({"--config", "other.toml", page}, output), 2);
    EXPECT_NE(errors().find("other.toml:1: per_host: expected a whole number"), std::string::npos) << errors();
    writeConfig("parallel = 0\n", "other.toml");
    EXPECT_EQ(checkInFolder({"--config", "other.toml", page}, output), 2);
    EXPECT_NE(errors().find("other.toml:1: parallel: \"0\" is not a whole number from 1 to 256"), std::string::npos)
        << errors();
    EXPECT_EQ(checkInFolder({"--config", "missing.toml", page}, output), 2);
    EXPECT_NE(errors().find("missing.toml: cannot read the config file"), std::string::npos) << errors();
    EXPECT_EQ(server.requests(), 0);

    // Found and read, keys from either command's table; the command line wins over the file.
    writeConfig("parallel = 2\nper_host = 1\nuser_agent = \"from-file/1\"\nexclude = [\"vendor\"]\n"
                "[headers]\nX-Token = \"t1\"\n");
    EXPECT_EQ(checkInFolder({page}, output), 0) << errors();
    EXPECT_EQ(server.requests(), 1);
    EXPECT_EQ(server.lastUserAgent(), "from-file/1");
    EXPECT_EQ(checkInFolder({"--user-agent", "from-line/2", page}, output), 0) << errors();
    EXPECT_EQ(server.lastUserAgent(), "from-line/2");
    writeConfig("headers = [\"X-Token: t1\"]\n");
    EXPECT_EQ(checkInFolder({page}, output), 2);
    EXPECT_NE(errors().find("tarnlink.toml:1: headers: expected a table of names and strings"), std::string::npos)
        << errors();
}

}  // namespace
}  // namespace tarn::test
