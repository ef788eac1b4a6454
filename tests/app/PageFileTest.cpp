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
#include "app/TemporaryFile.h"

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
    EXPECT_EQ(first.outcome, PageFile::Outcome::ChangedOnDisk);
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

TEST_F(PageFileTest, AnUnwritableFolderSendsTheCorrectionsToTheStateFolder) {
    std::string path = write("page.html", "original");
    fs::create_directory(dir / "state");
    fs::permissions(dir / "state", fs::perms::all);
    fs::permissions(path, fs::perms::all);
    PageFile page = PageFile::open(path);
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
    EXPECT_TRUE(runUnprivileged([&] {
        PageFile::SaveResult result = page.save("corrected");
        return result.outcome == PageFile::Outcome::Rescued &&
               result.path == (dir / "state" / "tarn" / "page.corrected.html").string() &&
               result.reason.find("cannot write in") != std::string::npos && read(result.path) == "corrected";
    }));
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(read(path), "original");
    EXPECT_EQ(entries(), (std::vector<std::string>{"page.html", "state"}));
}

TEST_F(PageFileTest, ASymbolicLinkPointedElsewhereGetsTheCopyBesideItWithThePagesOwnMode) {
    fs::create_directory(dir / "site");
    fs::create_directory(dir / "other");
    std::string target = write("site/real.html", "old");
    std::string elsewhere = write("other/else.html", "another page");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(elsewhere, fs::perms::all);
    fs::create_symlink("site/real.html", dir / "link.html");
    PageFile page = PageFile::open((dir / "link.html").string());

    fs::remove(dir / "link.html");
    fs::create_symlink("other/else.html", dir / "link.html");
    PageFile::SaveResult result = page.save("new");
    EXPECT_EQ(result.outcome, PageFile::Outcome::ChangedOnDisk);
    EXPECT_EQ(result.path, (dir / "link.corrected.html").string());
    EXPECT_EQ(fs::status(result.path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read(elsewhere), "another page");
    EXPECT_EQ(read(target), "old");

    // Pointed at a device: nothing is written where the device is.
    fs::remove(dir / "link.html");
    fs::create_symlink("/dev/null", dir / "link.html");
    EXPECT_EQ(page.save("new").path, (dir / "link.corrected-2.html").string());
    EXPECT_FALSE(fs::exists("/dev/null.corrected"));
    EXPECT_FALSE(fs::exists("/dev/link.corrected.html"));
}

TEST_F(PageFileTest, SpecialFilesAreNeverWaitedOn) {
    alarm(20);  // a wait on a FIFO would hang here for good
    ASSERT_EQ(mkfifo((dir / "fifo.html").c_str(), 0644), 0);
    EXPECT_THROW(PageFile::open((dir / "fifo.html").string()), PageFileError);

    std::string path = write("page.html", "original");
    PageFile page = PageFile::open(path);
    fs::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_EQ(page.save("corrected").outcome, PageFile::Outcome::ChangedOnDisk);
    EXPECT_EQ(entries(), (std::vector<std::string>{"fifo.html", "page.corrected.html", "page.html"}));
    alarm(0);
}

TEST_F(PageFileTest, APageTheUserMayNotWriteIsNotReplaced) {
    std::string path = write("page.html", "original");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    PageFile page = PageFile::open(path);
    PageFile::SaveResult result = page.save("corrected");
    EXPECT_EQ(result.outcome, PageFile::Outcome::ReadOnly);
    EXPECT_EQ(read(path), "original");
    EXPECT_EQ(read(result.path), "corrected");

    // Another user's page in a folder anyone may write: a rename would make the page ours.
    std::string theirs = write("theirs.html", "original");
    fs::permissions(dir, fs::perms::all);
    fs::permissions(theirs, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    PageFile their = PageFile::open(theirs);
    EXPECT_TRUE(runUnprivileged([&] { return their.save("corrected").outcome == PageFile::Outcome::ReadOnly; }));
    EXPECT_EQ(read(theirs), "original");
    struct stat st {};
    ASSERT_EQ(stat(theirs.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, geteuid());
}

TEST_F(PageFileTest, ADeletedPageGetsItsCorrectionsBesideIt) {
    std::string path = write("page.html", "original");
    PageFile page = PageFile::open(path);
    fs::remove(path);
    PageFile::SaveResult result = page.save("corrected");
    EXPECT_EQ(result.outcome, PageFile::Outcome::Rescued);
    EXPECT_NE(result.reason.find("deleted"), std::string::npos);
    EXPECT_EQ(read(result.path), "corrected");
    EXPECT_EQ(entries(), std::vector<std::string>{"page.corrected.html"});
}

TEST_F(PageFileTest, EveryNameOfAHardLinkedPageSeesTheCorrections) {
    std::string path = write("page.html", "original");
    fs::create_hard_link(path, dir / "other-name.html");
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    EXPECT_EQ(PageFile::open(path).save("corrected").outcome, PageFile::Outcome::Saved);
    EXPECT_EQ(read(dir / "other-name.html"), "corrected");
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(entries(), (std::vector<std::string>{"other-name.html", "page.html"}));
}

TEST_F(PageFileTest, AnInterruptedSaveLeavesThePageAndNoTemporaryFile) {
    std::string path = write("page.html", "original");
    fs::create_hard_link(path, dir / "other-name.html");
    PageFile page = PageFile::open(path);
    int asked = 0;
    // Interrupted once the save is under way, before the page is touched; both ways of writing.
    EXPECT_THROW(page.save("corrected", [&] { return ++asked > 1; }), PageFileError);
    fs::remove(dir / "other-name.html");
    asked = 0;
    EXPECT_THROW(page.save("corrected", [&] { return ++asked > 1; }), PageFileError);
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

TEST_F(PageFileTest, TheNextSaveRemovesWhatAKilledSaveLeftAndNothingBeingWritten) {
    std::string path = write("page.html", "original");
    pid_t child = fork();
    if (child == 0) {
        new TemporaryFile(dir.string(), "page.html", "half-written", 0644);
        raise(SIGKILL);
    }
    waitpid(child, nullptr, 0);
    TemporaryFile live(dir.string(), "page.html", "being written", 0644);
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_EQ(PageFile::open(path).save("corrected").outcome, PageFile::Outcome::Saved);
    EXPECT_EQ(entries(), (std::vector<std::string>{fs::path(live.path()).filename().string(), "page.html"}));
}

}  // namespace
