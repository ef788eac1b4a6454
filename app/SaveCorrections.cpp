#include "app/SaveCorrections.h"

#include <ostream>

#include "app/CorrectionCount.h"
#include "app/ForPeople.h"
#include "app/LoadedPage.h"
#include "app/PageHost.h"

std::optional<Saved> saveCorrections(const LoadedPage& page, const PageHost& host, std::ostream& summary,
                                     const PageFile::Interrupted& interrupted) {
    const std::string name = forPeople(page.file.path());
    if (!host.documentChanged()) {
        summary << "0 corrections: " << name << " is unchanged.\n";
        return Saved{};
    }
    const int count = countCorrections(*page.document);
    try {
        PageFile::SaveResult result = page.file.save(page.correctedBytes(), interrupted);
        const std::string written = std::to_string(count) + " correction(s) written to " + forPeople(result.path);
        switch (result.outcome) {
        case PageFile::Outcome::Saved:
            summary << written << ".\n";
            break;
        case PageFile::Outcome::ChangedOnDisk:
            summary << name << " changed on disk meanwhile and was left as it is; " << written << " instead.\n";
            break;
        case PageFile::Outcome::ReadOnly:
            summary << name << " is read-only for you and was left as it is; " << written << " instead.\n";
            break;
        case PageFile::Outcome::Rescued:
            fail("cannot save " + page.file.path() + ": " + result.reason + "; " + written + " instead");
            break;
        }
        return Saved{true, result.path, result.outcome != PageFile::Outcome::Rescued};
    } catch (const PageFileError& e) {
        fail(std::string(e.what()) + "; the page is unchanged and its " + std::to_string(count) +
             " correction(s) are lost");
        return std::nullopt;
    }
}
