#pragma once

// The module is built with hidden visibility; whatever it reaches in the platform library across the
// shared-library boundary (functions, classes, their type information for catch) is marked with this.
#define WINAPI_EXPORT __attribute__((visibility("default")))
