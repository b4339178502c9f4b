// Ids of the framework tests' resources.
#pragma once

#define IDD_FRAMEWORK_TEST 100
#define IDC_NAME 1001
#define IDC_GO 1002
#define IDC_COUNT 1003
