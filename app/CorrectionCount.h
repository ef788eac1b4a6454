#pragma once

class Document;

// How many corrections the document carries, counted by element as the page shows them: an element
// whose start tag changed (a new URL, a removed attribute), an element deleted with its content, an
// element unwrapped (its start and end tags gone, its content kept).
int countCorrections(const Document& document);
