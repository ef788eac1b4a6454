#pragma once

#include "platform/afx/ResourceSet.h"

// The module's dialog template and string table, registered with the resource chain at start-up.
const ResourceSet& linkCheckResources();
