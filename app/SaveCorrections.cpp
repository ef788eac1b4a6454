#include "app/SaveCorrections.h"

#include <iostream>

#include "app/CorrectionCount.h"
#include "app/LoadedPage.h"
#include "app/PageHost.h"

std::optional<Saved> saveCorrections(const LoadedPage& page, const PageHost& host, std::ostream& summary) {
    if (!host.documentChanged()) {
        summary << "0 corrections: " << page.file.path() << " is unchanged.\n";
        return Saved{};
    }
    const int count = countCorrections(*page.document);
    try {
        PageFile::SaveResult result = page.file.save(page.correctedBytes());
        if (result.outcome == PageFile::Outcome::Saved)
            summary << count << " correction(s) written to " << result.path << ".\n";
        else
            summary << page.file.path() << " changed on disk meanwhile and was left as it is; " << count
                    << " correction(s) written to " << result.path << " instead.\n";
        return Saved{true, result.path};
    } catch (const PageFileError& e) {
        std::cerr << "tarnlink: " << e.what() << "; the page is unchanged\n";
        return std::nullopt;
    }
}
