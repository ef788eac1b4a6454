#pragma once
#include <string>

class Node;

namespace tarn::test {

// A compact picture of a subtree: elements by tag name with their children in parentheses,
// "#" for text, "!" for comments, "?" for a doctype; implied elements marked with "~".
// Example: "HTML~(HEAD~,BODY~(P(#),UL(LI(#),LI(#))))".
std::string dump(const Node* root);

}  // namespace tarn::test
