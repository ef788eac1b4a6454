#pragma once
#include <memory>
#include <string>

#include "contracts/host/Document.h"

namespace tarn::dom {

// Reads a page as it is stored: detects its charset, decodes it and parses it into a document whose
// tree follows the source (elements nest as the page nests them, each with the exact spans of its
// tags and attributes). The bytes, encoding and line endings are kept for writing it back.
std::unique_ptr<Document> loadDocument(std::string bytes);

// Parses a page given as UTF-8 text.
std::unique_ptr<Document> parseHtml(std::string text);

}  // namespace tarn::dom
