// Linux facts for the system tests on the real host, in plain C++ so that tests can include it
// next to the Windows headers.
#pragma once

namespace qv::test {

// The packet sockets open in the calling thread's network namespace, or -1 when unknown.
int OpenPacketSockets();
// Drops the raw-socket capability from the calling thread; threads it starts afterwards inherit
// the loss. False when it could not be dropped.
bool DropRawCapabilityOfThisThread();

} // namespace qv::test
