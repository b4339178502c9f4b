// Command and timer identifiers of the main window.
#pragma once

// The About entry appended to the system menu.
#define IDM_ABOUTBOX 0x0010

// Tray-menu commands.
#define ID_TRAY_ABOUT 32776
#define ID_TRAY_EXIT 32786

// Timers: the status refresh and the accelerated-mode clock.
#define TIMER_STATUS 1
#define TIMER_ACCELERATED 2
