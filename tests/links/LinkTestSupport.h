#pragma once
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/PageHost.h"
#include "contracts/host/Document.h"
#include "module/links/CTarnLinkCheckItems.h"

namespace tarn::test {

// A page parsed by our document, its host object and the link list the module makes over it.
struct CollectedPage {
    CollectedPage(const std::string& html, std::vector<std::u16string> roots = {});

    std::unique_ptr<Document> document;
    std::unique_ptr<PageHost> host;
    std::unique_ptr<CTarnLinkCheckItems> list;

    // Each item as "TAG ATTR url | text".
    std::vector<std::string> items() const;
};

std::string utf8(const CString& s);

}  // namespace tarn::test

// Readable host calls in test failures.
void PrintTo(const HostCall& call, std::ostream* os);
