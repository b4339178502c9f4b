// The receive-all socket on the real host, inside a private network namespace: loopback traffic
// arrives, nothing arrives before RCVALL_ON, and the socket needs the raw-socket capability.
#include "host_namespace.h"

#include <mstcpip.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <vector>

namespace {

constexpr int kIpHeader = 20;
constexpr int kUdpHeader = 8;

class ReceiveAllHost : public testing::Test {
protected:
    void SetUp() override {
        if (std::string reason = qv::test::RealHostUnavailableReason(); !reason.empty()) GTEST_SKIP() << reason;
        ASSERT_EQ(qv::test::EnterPrivateNetworkNamespace(), "");
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        started = true;
    }
    void TearDown() override {
        if (started) WSACleanup();
    }

    static SOCKET OpenBound(const char* dotted) {
        SOCKET s = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED);
        EXPECT_NE(s, INVALID_SOCKET) << WSAGetLastError();
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = inet_addr(dotted);
        EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0) << WSAGetLastError();
        return s;
    }

    static int Switch(SOCKET s, DWORD value) {
        DWORD returned = 0;
        return WSAIoctl(s, SIO_RCVALL, &value, sizeof(value), nullptr, 0, &returned, nullptr, nullptr);
    }

    struct Received {
        int result;
        int error;
        std::vector<char> bytes;
    };

    // Receives one datagram; a watchdog closes the socket if nothing comes, so a lost datagram
    // fails the test instead of hanging it.
    static Received ReceiveOne(SOCKET s, int bufferSize) {
        auto receiving = std::async(std::launch::async, [s, bufferSize] {
            Received r{0, 0, std::vector<char>(bufferSize)};
            r.result = recvfrom(s, r.bytes.data(), bufferSize, 0, nullptr, nullptr);
            r.error = WSAGetLastError();
            return r;
        });
        if (receiving.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "no datagram within ten seconds";
            closesocket(s);
        }
        return receiving.get();
    }

    static int UdpLength(const Received& r) {
        return (static_cast<unsigned char>(r.bytes[kIpHeader + 4]) << 8) | static_cast<unsigned char>(r.bytes[kIpHeader + 5]);
    }

    bool started = false;
};

TEST_F(ReceiveAllHost, ReceivesLoopbackDatagramsOnlyAfterReceiveAllIsOn) {
    SOCKET s = OpenBound("127.0.0.1");
    ASSERT_TRUE(qv::test::SendLoopbackUdp(40000, 11, 3)) << "sent before RCVALL_ON";
    ASSERT_EQ(Switch(s, RCVALL_ON), 0) << WSAGetLastError();
    ASSERT_TRUE(qv::test::SendLoopbackUdp(40001, 100, 5));
    for (int i = 0; i < 5; ++i) {
        Received r = ReceiveOne(s, 1600);
        ASSERT_EQ(r.result, kIpHeader + kUdpHeader + 100) << "datagram " << i << " error " << r.error;
        EXPECT_EQ(r.bytes[0], 0x45) << "the buffer starts with the IPv4 header";
        EXPECT_EQ(r.bytes[9], IPPROTO_UDP);
        EXPECT_EQ(UdpLength(r), kUdpHeader + 100) << "not one of the datagrams sent before RCVALL_ON";
    }
    closesocket(s);
}

TEST_F(ReceiveAllHost, OversizeDatagramFailsWithMessageSizeAndTheNextArrivesWhole) {
    SOCKET s = OpenBound("0.0.0.0");
    ASSERT_EQ(Switch(s, RCVALL_ON), 0);
    ASSERT_TRUE(qv::test::SendLoopbackUdp(40002, 3000, 1));
    ASSERT_TRUE(qv::test::SendLoopbackUdp(40003, 50, 1));
    Received big = ReceiveOne(s, 1600);
    EXPECT_EQ(big.result, SOCKET_ERROR);
    EXPECT_EQ(big.error, WSAEMSGSIZE);
    EXPECT_EQ(UdpLength(big), kUdpHeader + 3000) << "the buffer holds the datagram's start";
    Received next = ReceiveOne(s, 1600);
    EXPECT_EQ(next.result, kIpHeader + kUdpHeader + 50);
    closesocket(s);
}

TEST_F(ReceiveAllHost, CloseFromAnotherThreadEndsAWaitingReceive) {
    SOCKET s = OpenBound("127.0.0.1");
    ASSERT_EQ(Switch(s, RCVALL_ON), 0);
    auto receiving = std::async(std::launch::async, [s] {
        char buffer[1600];
        int result = recvfrom(s, buffer, sizeof(buffer), 0, nullptr, nullptr);
        return std::make_pair(result, WSAGetLastError());
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(closesocket(s), 0);
    ASSERT_EQ(receiving.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    auto [result, error] = receiving.get();
    EXPECT_EQ(result, SOCKET_ERROR);
    EXPECT_TRUE(error == WSAEINTR || error == WSAENOTSOCK) << error;
}

TEST_F(ReceiveAllHost, BindToAnAddressNoInterfaceOwnsFails) {
    SOCKET s = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    ASSERT_NE(s, INVALID_SOCKET);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("10.123.45.67");
    EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEADDRNOTAVAIL);
    closesocket(s);
}

TEST_F(ReceiveAllHost, WithoutTheRawSocketCapabilityTheSocketDoesNotOpen) {
    int outcome = qv::test::RunWithoutRawCapability([] {
        SOCKET s = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED);
        if (s != INVALID_SOCKET) return 1;
        return WSAGetLastError() == WSAEACCES ? 0 : 2;
    });
    EXPECT_EQ(outcome, 0) << "1: the socket opened; 2: another error; -1: the child did not run";
}

} // namespace
