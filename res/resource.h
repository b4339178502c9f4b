// Identifiers of the program's resources, shared by the resource script and the code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_QUORVA_DIALOG 102
#define IDR_MAINFRAME 128

// Controls of the main window (2 is IDCANCEL: "Minimize to Tray").
#define IDC_RUN_QUORVA 3
#define IDC_ACCELERATE 1001
#define IDC_QUIT 1007
#define IDC_CONNECTED_TIME 1009
#define IDC_BYTES_RECEIVED 1011
#define IDC_BYTES_SENT 1012
#define IDC_CONNECTION_STATUS 1015
#define IDC_CONNECTION_TYPE 1016
#define IDC_CONNECTION_TYPE_LABEL 1017
#define IDC_ACCELERATED_TIME 1022
#define IDC_INTERFACE_BOX 1024

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
