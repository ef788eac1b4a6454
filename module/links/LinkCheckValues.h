#pragma once

// checkState of a link item: the worker checks CHECK_PENDING items only.
enum {
    CHECK_PENDING = 0,  // queued for the next run
    CHECK_DONE = 1,     // a result was reported since the dialog opened
    CHECK_NONE = 2,     // never queued
};

// fixKind of a link item: the correction applied on OK.
enum {
    FIX_NONE = 0,
    FIX_CHANGE_URL = 1,      // set attrName to newUrl
    FIX_UNLINK = 2,          // a roll-over anchor gets href "#", any other element loses only its tags
    FIX_DELETE_ELEMENT = 3,  // the element goes with its content
    FIX_DELETE_LINK = 4,     // resolved by tag and attribute on apply
};
