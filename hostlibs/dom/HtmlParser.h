#pragma once
#include <memory>
#include <string>

#include "module/host/Document.h"

namespace tarn::dom {

// Parses a page's decoded UTF-8 text into a document whose tree follows the source: elements nest
// as the page nests them, each with the exact spans of its tags and attributes.
std::unique_ptr<Document> parseHtml(std::string text);

}  // namespace tarn::dom
