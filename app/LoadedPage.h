#pragma once
#include <memory>
#include <string>

#include "app/PageFile.h"
#include "contracts/host/Document.h"

// A page read from disk and parsed into the document the module works on. The document holds the page's
// bytes as read, and the file reads them there.
struct LoadedPage {
    PageFile file;
    std::unique_ptr<Document> document;

    // Reads and parses the page. A missing or unreadable file, a binary file (more than one byte in 32 a
    // control byte that text does not hold, unless it is UTF-16) and a file without any markup throw
    // PageFileError with a message for the user.
    static LoadedPage load(const std::string& path);

    // The document's bytes as they would be written: corrections in place, everything else as read.
    std::string correctedBytes() const { return document->writtenBytes(); }
};
