#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "app/PageFile.h"

namespace fs = std::filesystem;

namespace {

class PageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tarn-pagefile-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir;
};

TEST_F(PageFileTest, SavesInPlaceKeepingPermissionsAndLeavingNothingElse) {
    std::string path = write("page.html", "<a href=old>x</a>");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    PageFile page = PageFile::open(path);
    EXPECT_EQ(page.bytes(), "<a href=old>x</a>");
    PageFile::SaveResult result = page.save("<a href=new>x</a>");
    EXPECT_EQ(result.outcome, PageFile::Outcome::Saved);
    EXPECT_EQ(read(path), "<a href=new>x</a>");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), std::vector<std::string>{"page.html"});
}

TEST_F(PageFileTest, WritesThroughASymbolicLinkToItsTarget) {
    fs::create_directory(dir / "site");
    std::string target = write("site/real.html", "old");
    fs::create_symlink("site/real.html", dir / "link.html");
    PageFile page = PageFile::open((dir / "link.html").string());
    EXPECT_EQ(page.save("new").path, fs::canonical(target).string());
    EXPECT_TRUE(fs::is_symlink(dir / "link.html"));
    EXPECT_EQ(read(target), "new");
}

TEST_F(PageFileTest, APageChangedOnDiskIsNotOverwritten) {
    std::string path = write("page.html", "original");
    PageFile page = PageFile::open(path);
    write("page.html", "changed by someone else");
    PageFile::SaveResult first = page.save("corrected");
    EXPECT_EQ(first.outcome, PageFile::Outcome::SavedBeside);
    EXPECT_EQ(first.path, (fs::canonical(dir) / "page.corrected.html").string());
    EXPECT_EQ(read(path), "changed by someone else");
    EXPECT_EQ(read(first.path), "corrected");
    PageFile::SaveResult second = page.save("corrected again");
    EXPECT_EQ(second.path, (fs::canonical(dir) / "page.corrected-2.html").string());
    EXPECT_EQ(read(first.path), "corrected");
}

TEST_F(PageFileTest, MissingAndNonRegularFilesAreClearErrors) {
    try {
        PageFile::open((dir / "none.html").string());
        FAIL();
    } catch (const PageFileError& e) {
        EXPECT_NE(std::string(e.what()).find("none.html"), std::string::npos);
    }
    EXPECT_THROW(PageFile::open(dir.string()), PageFileError);
}

// Runs `check` in a child process without root's privileges, so that folder permissions apply.
bool runUnprivileged(const std::function<bool()>& check) {
    pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(PageFileTest, AnUnwritableFolderLeavesThePageIntact) {
    std::string path = write("page.html", "original");
    fs::permissions(dir, fs::perms::all);  // the unprivileged child may read, then not write
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    PageFile page = PageFile::open(path);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_TRUE(runUnprivileged([&] {
        try {
            page.save("corrected");
            return false;
        } catch (const PageFileError& e) {
            return std::string(e.what()).find("cannot write") != std::string::npos;
        }
    }));
    EXPECT_EQ(read(path), "original");
    EXPECT_EQ(entries(), std::vector<std::string>{"page.html"});
}

TEST_F(PageFileTest, AKilledSaveNeverLeavesATruncatedPage) {
    const std::string a(4 << 20, 'a');
    const std::string b(4 << 20, 'b');
    std::string path = write("page.html", a);
    std::mt19937 random(11);
    for (int round = 0; round < 12; ++round) {
        pid_t child = fork();
        if (child == 0) {
            // Saves back and forth until it is killed.
            for (int i = 0;; ++i) {
                PageFile page = PageFile::open(path);
                page.save(page.bytes() == a ? b : a);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1 + random() % 40));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string now = read(path);
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
}

}  // namespace
