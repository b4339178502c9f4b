// WSAStartup's version rules and the WSANOTINITIALISED failures of calls made outside it.
#include <mstcpip.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct VersionCase {
    WORD requested;
    int result;
    WORD version; // reported when result is 0
};

class WsaStartupVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(WsaStartupVersion, NegotiatesAsDocumented) {
    const VersionCase& c = GetParam();
    WSADATA data{};
    ASSERT_EQ(WSAStartup(c.requested, &data), c.result);
    if (c.result != 0) {
        // A failed startup leaves Winsock unstarted.
        EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
        return;
    }
    EXPECT_EQ(data.wVersion, c.version);
    EXPECT_EQ(data.wHighVersion, MAKEWORD(2, 2));
    EXPECT_STREQ(data.szSystemStatus, "Running");
    EXPECT_EQ(WSACleanup(), 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, WsaStartupVersion,
                         testing::Values(VersionCase{MAKEWORD(1, 1), 0, MAKEWORD(1, 1)},
                                         VersionCase{MAKEWORD(2, 2), 0, MAKEWORD(2, 2)},
                                         VersionCase{MAKEWORD(2, 0), 0, MAKEWORD(2, 0)},
                                         VersionCase{MAKEWORD(1, 5), 0, MAKEWORD(1, 1)},
                                         VersionCase{MAKEWORD(2, 7), 0, MAKEWORD(2, 2)},
                                         VersionCase{MAKEWORD(3, 0), 0, MAKEWORD(2, 2)},
                                         VersionCase{MAKEWORD(1, 0), WSAVERNOTSUPPORTED, 0},
                                         VersionCase{MAKEWORD(0, 9), WSAVERNOTSUPPORTED, 0}));

TEST(WsaStartup, NullDataIsAFault) { EXPECT_EQ(WSAStartup(MAKEWORD(1, 1), nullptr), WSAEFAULT); }

TEST(WsaStartup, VersionOneReportsItsLimits) {
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_GT(data.iMaxSockets, 0);
    EXPECT_GT(data.iMaxUdpDg, 0);
    WSACleanup();
}

// Every call made before WSAStartup, or after the last WSACleanup, fails the same way.
void ExpectAllCallsNotInitialised() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    char buffer[64];
    DWORD on = RCVALL_ON, returned = 0;
    WSASetLastError(0);
    EXPECT_EQ(WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    WSASetLastError(0);
    EXPECT_EQ(socket(AF_INET, SOCK_RAW, IPPROTO_IP), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    const struct {
        const char* call;
        std::function<int()> run;
    } calls[] = {
        {"bind", [&] { return bind(0x100, reinterpret_cast<sockaddr*>(&address), sizeof(address)); }},
        {"recvfrom", [&] { return recvfrom(0x100, buffer, sizeof(buffer), 0, nullptr, nullptr); }},
        {"WSAIoctl", [&] { return WSAIoctl(0x100, SIO_RCVALL, &on, sizeof(on), nullptr, 0, &returned, nullptr, nullptr); }},
        {"closesocket", [] { return closesocket(0x100); }},
        {"WSACleanup", [] { return WSACleanup(); }},
    };
    for (const auto& c : calls) {
        WSASetLastError(0);
        EXPECT_EQ(c.run(), SOCKET_ERROR) << c.call;
        EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED) << c.call;
    }
}

TEST(WsaStartup, CallsBeforeStartupFailNotInitialised) { ExpectAllCallsNotInitialised(); }

TEST(WsaStartup, EachStartupNeedsItsCleanup) {
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(WSACleanup(), 0);
    // Still started once: a bad handle is reported as such, not as "not initialised".
    EXPECT_EQ(closesocket(0x100), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(WSACleanup(), 0);
    ExpectAllCallsNotInitialised();
}

} // namespace
