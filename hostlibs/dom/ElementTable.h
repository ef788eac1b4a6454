#pragma once
#include <string_view>

namespace tarn::dom {

// The element ID of an HTML element kind, by its DOM name (upper case); 0 when it has none.
int elementIdFor(std::string_view domName);

}  // namespace tarn::dom
