// Identifiers of the menu tests' resource script.
#pragma once

#define IDM_CONTEXT 100
#define IDM_SHOW 101
#define IDM_OPTIONS 102
#define IDM_DISABLED 103
#define IDM_EXIT 104
#define IDM_NESTED 110
#define IDM_INNER 111
