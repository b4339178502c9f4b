// The computer's IPv4 addresses, read once while the main window initialises; the capture
// socket picks the address it binds to from them.
#pragma once

// One address in dotted-decimal form: at most 15 characters and the terminating NUL.
typedef char LocalAddressText[16];

constexpr int LocalAddressCapacity = 100;

extern LocalAddressText LocalAddressTable[LocalAddressCapacity];
extern int LocalAddressCount;

// Fills `table` with up to `capacity` addresses in the order the system reports them and
// returns how many it wrote.
int ReadLocalAddresses(LocalAddressText* table, int capacity);
