#include "app/PageFile.h"

#include "app/TemporaryFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace filesteps;

// The file a symbolic link leads to (the path itself when it is none).
std::string resolved(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    if (!real)
        throw PageFileError(describe("cannot find", path));
    return real.get();
}

// $XDG_STATE_HOME/tarn, else ~/.local/state/tarn, made when missing; empty when there is none.
std::string stateFolder() {
    std::filesystem::path base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        base = state;
    else if (const char* home = std::getenv("HOME"); home && *home == '/')
        base = std::filesystem::path(home) / ".local" / "state";
    else
        return {};
    std::error_code error;
    std::filesystem::create_directories(base / "tarn", error);
    return error ? std::string() : (base / "tarn").string();
}

}  // namespace

PageFile PageFile::open(const std::string& path) {
    std::string bytes = readRegular(path);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw PageFileError(describe("cannot open", path));
    std::string named = std::filesystem::absolute(path).lexically_normal().string();
    return PageFile(std::move(named), std::move(bytes), st.st_mode & 0777);
}

void PageFile::handOverBytes(const std::function<std::string_view(std::string)>& keeper) {
    keptBytes_ = keeper(std::move(bytes_));
    handedOver_ = true;
}

PageFile::SaveResult PageFile::save(const std::string& corrected, const Interrupted& interrupted) const {
    if (interrupted && interrupted())
        throw PageFileError("interrupted before " + path_ + " was written");
    errno = 0;
    std::optional<struct stat> now = statRegular(path_);
    if (!now && errno == ENOENT)
        return writeElsewhere(Outcome::Rescued, corrected, path_ + " was deleted meanwhile");
    // Someone else's change of the page wins over ours: ours goes beside it.
    bool changed = !now;
    if (now) {
        try {
            changed = readRegular(path_) != bytes();
        } catch (const PageFileError&) {
            changed = true;
        }
    }
    if (changed)
        return writeElsewhere(Outcome::ChangedOnDisk, corrected, {});
    std::string target;
    try {
        target = resolved(path_);
    } catch (const PageFileError& e) {
        return writeElsewhere(Outcome::Rescued, corrected, e.what());
    }
    if (!userMayWrite(target, *now))
        return writeElsewhere(Outcome::ReadOnly, corrected, {});
    try {
        return replace(target, *now, corrected, interrupted);
    } catch (const PageFileError& e) {
        if (interrupted && interrupted())
            throw;
        return writeElsewhere(Outcome::Rescued, corrected, e.what());
    }
}

PageFile::SaveResult PageFile::replace(const std::string& target, const struct stat& st,
                                       const std::string& corrected, const Interrupted& interrupted) const {
    const std::string folder = folderOf(target);
    const std::string name = nameOf(target);
    auto stopBefore = [&] {
        if (interrupted && interrupted())
            throw PageFileError("interrupted before " + target + " was written");
    };
    TemporaryFile::removeAbandoned(folder, name);
    if (renameKeepsIdentity(st)) {
        TemporaryFile temporary(folder, name, corrected, st.st_mode, std::make_pair(st.st_uid, st.st_gid));
        stopBefore();
        temporary.renameTo(target);
        return {Outcome::Saved, target, {}};
    }
    // Every name of the page must see the corrections, and its owner stays: written over, with the old
    // text safe on disk until the new text is.
    TemporaryFile backup(folder, name, bytes(), 0600, std::nullopt, TemporaryFile::Kind::OldText);
    stopBefore();
    try {
        overwrite(target, st, corrected);
    } catch (const PageFileError& e) {
        try {
            overwrite(target, st, bytes());
        } catch (const PageFileError&) {
            // The backup is then the only whole copy of the page: it stays.
            throw PageFileError(std::string(e.what()) + "; its previous text is kept in " + backup.keep());
        }
        throw;
    }
    syncFolder(folder);
    return {Outcome::Saved, target, {}};
}

PageFile::SaveResult PageFile::writeElsewhere(Outcome outcome, const std::string& corrected,
                                              const std::string& reason) const {
    const std::string name = nameOf(path_);
    std::string besideError;
    try {
        TemporaryFile temporary(folderOf(path_), name, corrected, mode_);
        return {outcome, temporary.linkBeside(folderOf(path_), name), reason};
    } catch (const PageFileError& e) {
        besideError = e.what();
    }
    const std::string state = stateFolder();
    if (!state.empty()) {
        try {
            TemporaryFile temporary(state, name, corrected, mode_);
            return {Outcome::Rescued, temporary.linkBeside(state, name), reason.empty() ? besideError : reason};
        } catch (const PageFileError&) {
        }
    }
    throw PageFileError((reason.empty() ? besideError : reason + "; " + besideError) +
                        "; the corrected page could not be written anywhere");
}
