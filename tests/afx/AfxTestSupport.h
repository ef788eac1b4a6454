#pragma once

#include "platform/afx/CException.h"
#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <ostream>

// Failure messages show a CString as UTF-8 text rather than as a pointer.
inline void PrintTo(const CString& str, std::ostream* os) { *os << "u\"" << str.ToUtf8() << '"'; }

// Runs action and expects it to throw the framework's CInvalidArgException*, caught as the module
// catches it: as a CException*, checked by its runtime class and released with Delete().
template <typename Action>
void ExpectInvalidArg(Action&& action) {
    bool thrown = false;
    try {
        action();
    } catch (CException* e) {
        thrown = true;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
    EXPECT_TRUE(thrown) << "expected a CInvalidArgException";
}

// The same, reporting the failing statement and its line.
#define EXPECT_INVALID_ARG(statement)                   \
    do {                                                \
        SCOPED_TRACE(#statement);                       \
        ExpectInvalidArg([&] { (void)(statement); });   \
    } while (0)
