// Identifiers of the Windows tests' own resources.
#pragma once

#define IDD_TEST_LISTS 300
#define IDD_TEST_NO_LIST_DATA 301
#define IDD_TEST_PLAIN 302
#define IDD_TEST_BAD_LIST_DATA 303
#define IDD_TEST_MISSING 399

#define IDC_TEST_FIRST 1010
#define IDC_TEST_LAST 1011
#define IDC_TEST_GUIDE 1016

#define IDS_TEST_RESULT 310
#define IDS_TEST_LONG 311
#define IDS_TEST_MISSING 319
