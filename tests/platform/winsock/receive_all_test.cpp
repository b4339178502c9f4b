// The receive-all socket over fake capture sockets: handles, binding, the SIO_RCVALL switch,
// datagrams and their errors, and closing from another thread.
#include "host/fakes/fake_capture_socket.h"
#include "host/fakes/fake_network.h"

#include <mstcpip.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <future>

namespace {

using qv::host::InterfaceKind;
using qv::host::MakeAddress;
using qv::host::MakeInterface;

class ReceiveAll : public testing::Test {
protected:
    void SetUp() override {
        network = qv::host::InstallFakeNetwork();
        network->interfaces = {MakeInterface(1, "lo", InterfaceKind::Loopback),
                               MakeInterface(2, "eth0", InterfaceKind::Ethernet)};
        network->addresses = {MakeAddress("127.0.0.1", 8, 1), MakeAddress("192.168.1.5", 24, 2)};
        capture = qv::host::InstallFakeCaptureSockets();
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override {
        WSACleanup();
        qv::host::SetCaptureSockets(nullptr);
        qv::host::SetNetwork(nullptr);
    }

    static SOCKET Open() { return WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED); }

    static int Bind(SOCKET s, const char* dotted) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = inet_addr(dotted);
        return bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    }

    static int Switch(SOCKET s, DWORD value) {
        DWORD returned = 0;
        return WSAIoctl(s, SIO_RCVALL, &value, sizeof(value), nullptr, 0, &returned, nullptr, nullptr);
    }

    // An open socket bound to eth0's address with receive-all on.
    SOCKET Receiving() {
        SOCKET s = Open();
        EXPECT_NE(s, INVALID_SOCKET);
        EXPECT_EQ(Bind(s, "192.168.1.5"), 0);
        EXPECT_EQ(Switch(s, RCVALL_ON), 0);
        return s;
    }

    std::shared_ptr<qv::host::FakeNetworkState> network;
    std::shared_ptr<qv::host::FakeCaptureState> capture;
};

TEST_F(ReceiveAll, UnknownHandlesAreNotSockets) {
    char buffer[32];
    DWORD on = RCVALL_ON, returned;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    for (SOCKET bad : {SOCKET{0}, SOCKET{0x12345}, INVALID_SOCKET}) {
        EXPECT_EQ(bind(bad, reinterpret_cast<sockaddr*>(&address), sizeof(address)), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        EXPECT_EQ(recvfrom(bad, buffer, sizeof(buffer), 0, nullptr, nullptr), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        EXPECT_EQ(WSAIoctl(bad, SIO_RCVALL, &on, sizeof(on), nullptr, 0, &returned, nullptr, nullptr), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        EXPECT_EQ(closesocket(bad), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    }
    SOCKET s = Open();
    ASSERT_EQ(closesocket(s), 0);
    EXPECT_EQ(closesocket(s), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(capture->openSockets, 0);
}

TEST_F(ReceiveAll, OpenFailures) {
    const struct {
        int af, type, protocol;
        int error;
    } cases[] = {
        {23, SOCK_RAW, IPPROTO_IP, WSAEAFNOSUPPORT},
        {AF_INET, SOCK_DGRAM, IPPROTO_IP, WSAESOCKTNOSUPPORT},
        {AF_INET, SOCK_RAW, IPPROTO_UDP, WSAEPROTONOSUPPORT},
    };
    for (const auto& c : cases) {
        WSASetLastError(0);
        EXPECT_EQ(WSASocketA(c.af, c.type, c.protocol, nullptr, 0, 0), INVALID_SOCKET);
        EXPECT_EQ(WSAGetLastError(), c.error) << c.af << " " << c.type << " " << c.protocol;
    }
    // Without the raw-socket capability, as without administrative rights on Windows.
    capture->openError = EPERM;
    EXPECT_EQ(Open(), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSAEACCES);
}

TEST_F(ReceiveAll, BindChoosesTheInterfaceThatOwnsTheAddress) {
    const struct {
        const char* address;
        int result;
        int error;
        uint32_t interfaceIndex;
    } cases[] = {
        {"192.168.1.5", 0, 0, 2},
        {"127.0.0.1", 0, 0, 1},
        {"0.0.0.0", 0, 0, 0},
        {"10.9.9.9", SOCKET_ERROR, WSAEADDRNOTAVAIL, 0},
        {"192.168.1.6", SOCKET_ERROR, WSAEADDRNOTAVAIL, 0},
    };
    for (const auto& c : cases) {
        capture->boundInterface = 99;
        SOCKET s = Open();
        EXPECT_EQ(Bind(s, c.address), c.result) << c.address;
        if (c.result == 0) EXPECT_EQ(capture->boundInterface, c.interfaceIndex) << c.address;
        else EXPECT_EQ(WSAGetLastError(), c.error) << c.address;
        closesocket(s);
    }
}

TEST_F(ReceiveAll, BindErrors) {
    SOCKET s = Open();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    EXPECT_EQ(bind(s, nullptr, sizeof(address)), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address) - 1), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    address.sin_family = 23;
    EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
    capture->bindError = ENETDOWN;
    EXPECT_EQ(Bind(s, "192.168.1.5"), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENETDOWN);
    capture->bindError = 0;
    EXPECT_EQ(Bind(s, "192.168.1.5"), 0);
    EXPECT_EQ(Bind(s, "192.168.1.5"), SOCKET_ERROR) << "a socket binds once";
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
}

TEST_F(ReceiveAll, ReceiveAllSwitch) {
    SOCKET s = Open();
    EXPECT_EQ(Switch(s, RCVALL_ON), SOCKET_ERROR) << "an unbound socket cannot receive";
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    ASSERT_EQ(Bind(s, "192.168.1.5"), 0);
    EXPECT_EQ(Switch(s, 7), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    DWORD on = RCVALL_ON, returned = 1;
    EXPECT_EQ(WSAIoctl(s, SIO_RCVALL, &on, 2, nullptr, 0, &returned, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(WSAIoctl(s, 0x12345678, &on, sizeof(on), nullptr, 0, &returned, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);

    capture->Deliver(qv::host::MakeIpDatagram(40, inet_addr("10.0.0.1")));
    EXPECT_TRUE(capture->queue.empty()) << "nothing is delivered before RCVALL_ON";
    ASSERT_EQ(Switch(s, RCVALL_ON), 0);
    EXPECT_TRUE(capture->started);
    ASSERT_EQ(Switch(s, RCVALL_OFF), 0);
    EXPECT_FALSE(capture->started);
    capture->startError = ENOBUFS;
    EXPECT_EQ(Switch(s, RCVALL_ON), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOBUFS);
}

TEST_F(ReceiveAll, ReceivesDatagramsWithTheirSource) {
    SOCKET s = Receiving();
    auto datagram = qv::host::MakeIpDatagram(60, inet_addr("10.1.2.3"), 0x5a);
    capture->Deliver(datagram);
    char buffer[1600];
    sockaddr_in from{};
    int fromLength = sizeof(from);
    ASSERT_EQ(recvfrom(s, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength), 60);
    EXPECT_EQ(0, memcmp(buffer, datagram.data(), datagram.size()));
    EXPECT_EQ(from.sin_family, AF_INET);
    EXPECT_STREQ(inet_ntoa(from.sin_addr), "10.1.2.3");
    EXPECT_EQ(fromLength, static_cast<int>(sizeof(sockaddr_in)));

    int shortLength = sizeof(sockaddr_in) - 1;
    EXPECT_EQ(recvfrom(s, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &shortLength), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

TEST_F(ReceiveAll, OversizeDatagramFillsTheBufferThenTheNextOneArrivesWhole) {
    SOCKET s = Receiving();
    auto big = qv::host::MakeIpDatagram(3000, inet_addr("10.0.0.7"), 0x11);
    auto next = qv::host::MakeIpDatagram(100, inet_addr("10.0.0.8"), 0x22);
    capture->Deliver(big);
    capture->Deliver(next);
    std::vector<char> buffer(1600, 0);
    EXPECT_EQ(recvfrom(s, buffer.data(), 1600, 0, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEMSGSIZE);
    EXPECT_EQ(0, memcmp(buffer.data(), big.data(), 1600)) << "the buffer holds the datagram's start";
    ASSERT_EQ(recvfrom(s, buffer.data(), 1600, 0, nullptr, nullptr), 100);
    EXPECT_EQ(0, memcmp(buffer.data(), next.data(), 100));
}

TEST_F(ReceiveAll, ReceiveErrorsBecomeWinsockErrors) {
    SOCKET s = Receiving();
    const struct {
        int hostError;
        int error;
    } cases[] = {{ENETDOWN, WSAENETDOWN}, {ENOBUFS, WSAENOBUFS}, {EINTR, WSAEINTR}};
    char buffer[64];
    for (const auto& c : cases) {
        capture->Fail(c.hostError);
        EXPECT_EQ(recvfrom(s, buffer, sizeof(buffer), 0, nullptr, nullptr), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), c.error);
    }
    EXPECT_EQ(recvfrom(s, buffer, sizeof(buffer), 4, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEOPNOTSUPP);
    EXPECT_EQ(recvfrom(s, nullptr, 10, 0, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

TEST_F(ReceiveAll, UnboundSocketCannotReceive) {
    SOCKET s = Open();
    char buffer[64];
    EXPECT_EQ(recvfrom(s, buffer, sizeof(buffer), 0, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
}

TEST_F(ReceiveAll, CloseFromAnotherThreadEndsAWaitingReceive) {
    SOCKET s = Receiving();
    auto receiver = std::async(std::launch::async, [s] {
        char buffer[64];
        int result = recvfrom(s, buffer, sizeof(buffer), 0, nullptr, nullptr);
        return std::make_pair(result, WSAGetLastError());
    });
    // Whether the receive is already waiting or not, it must end with an error.
    ASSERT_EQ(closesocket(s), 0);
    ASSERT_EQ(receiver.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    auto [result, error] = receiver.get();
    EXPECT_EQ(result, SOCKET_ERROR);
    EXPECT_TRUE(error == WSAEINTR || error == WSAENOTSOCK) << error;
}

TEST_F(ReceiveAll, LastCleanupClosesOpenSockets) {
    SOCKET s = Receiving();
    ASSERT_EQ(WSACleanup(), 0);
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(closesocket(s), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(capture->openSockets, 0);
}

} // namespace
