#pragma once

// Non-zero when `text` is a URL of the scheme `protocol` (given with its colon, "http:"; a protocol
// without the colon means the same scheme). Null arguments, and an empty protocol, give 0.
//
// The text is read as a browser reads an href:
// - C0 controls and spaces at the start are skipped ("  HTTP://x " is an http URL), as are those at
//   the end, which never matter to the scheme;
// - TAB, LF and CR inside are skipped too ("ht\ttp://x" is an http URL): the WHATWG URL parser
//   removes them before it reads anything, so the browser follows such a link as http;
// - the scheme compares ASCII-case-insensitively, and must be followed by the colon: "https://x" is
//   not "http:", nor are "httpx:", "ahttp:" or "http" without the colon.
// Only the scheme is judged: "http:/" is an http URL that cannot be fetched, and the checker should
// report it broken rather than pass over it.
//
// Called for every candidate attribute of a page, so it neither allocates nor reads past the colon.
int is_protocol(const char16_t* text, const char16_t* protocol);
