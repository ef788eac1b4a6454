#pragma once

// Resource identifiers of the link check dialog: the template and its controls (its face, which the host
// program relies on too), and its strings.

#include "contracts/dialog/LinkCheckFace.h"

// Sent by the host's list tools to fit the list's columns; no control carries it.
#define ID_COLUMN_SIZE 53853

#define IDS_FILTER_ALL 11450
#define IDS_FILTER_ERRORS 11451
#define IDS_COLUMN_ATTR 11452
#define IDS_COLUMN_TEXT 11453
#define IDS_COLUMN_RESULT 11454
#define IDS_COLUMN_CODE 11455
#define IDS_COLUMN_TAG 11456
#define IDS_COLUMN_URL 11457
#define IDS_CHECKING 11458
#define IDS_CHECK_FINISHED 11459
#define IDS_CONNECT_ERROR 11460
#define IDS_LINK_ERROR 11462
#define IDS_LINK_DELETED 11464
#define IDS_RESULT_OK 11465
#define IDS_CHECK_STOPPED 11466
#define IDS_RESULT_UNKNOWN 11467
