// Identifiers of the test resource script, shared by the script and the tests.
#pragma once

#define IDD_CLASSIC 200
#define IDD_EXTENDED 201
#define IDD_NO_FONT 202
#define IDM_TEST 400
#define IDM_OPEN 401
#define IDM_EXIT 402
#define IDM_HELP 403
#define IDI_RGBA 300
#define IDI_TRUE_COLOUR 301
#define IDI_PALETTE8 302
#define IDI_PALETTE4 303
#define IDI_MONO 304
#define IDS_SHORT 1
#define IDS_LONG 2
#define IDS_ACCENTS 3
#define IDS_SECOND_BLOCK 17
