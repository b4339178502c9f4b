// Address texts and byte orders.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

TEST(InetAddr, ParsesAsWindowsDoes) {
    const struct {
        const char* text;
        unsigned long hostOrder;
    } cases[] = {
        {"127.0.0.1", 0x7f000001},      {"192.168.1.254", 0xc0a801fe}, {"10.1.258", 0x0a010102},
        {"10.65537", 0x0a010001},        {"3232235777", 0xc0a80101},    {"0x7f.0.0.01", 0x7f000001},
        {"0300.0250.1.1", 0xc0a80101},   {"1.2.3.4 trailing", 0x01020304},
        {"255.255.255.255", 0xffffffff}, {"", INADDR_NONE},             {"1.2.3.256", INADDR_NONE},
        {"1.2.3.4.5", INADDR_NONE},      {"1.2.3.", INADDR_NONE},        {"1..3.4", INADDR_NONE},
        {"a.b.c.d", INADDR_NONE},        {"1.2.3.4x", INADDR_NONE},      {"08.1.1.1", INADDR_NONE},
        {"1.2.65536", INADDR_NONE},
    };
    for (const auto& c : cases) EXPECT_EQ(ntohl(inet_addr(c.text)), c.hostOrder) << '"' << c.text << '"';
    EXPECT_EQ(inet_addr(nullptr), static_cast<unsigned long>(INADDR_NONE));
}

TEST(InetNtoa, FormatsIntoAPerThreadBuffer) {
    in_addr address;
    address.s_addr = inet_addr("192.168.10.20");
    char* mine = inet_ntoa(address);
    EXPECT_STREQ(mine, "192.168.10.20");
    std::string theirs;
    std::thread other([&] {
        in_addr loopback;
        loopback.s_addr = htonl(INADDR_LOOPBACK);
        char* text = inet_ntoa(loopback);
        theirs = text;
        EXPECT_NE(text, mine);
    });
    other.join();
    EXPECT_EQ(theirs, "127.0.0.1");
    EXPECT_STREQ(mine, "192.168.10.20") << "another thread's call leaves this thread's text alone";
}

TEST(ByteOrder, SwapsToNetworkOrder) {
    EXPECT_EQ(htons(0x1234), 0x3412);
    EXPECT_EQ(ntohs(0x3412), 0x1234);
    EXPECT_EQ(htonl(0x01020304ul), 0x04030201ul);
    EXPECT_EQ(ntohl(0x04030201ul), 0x01020304ul);
    in_addr address;
    address.s_addr = htonl(0xc0a80102);
    EXPECT_EQ(address.S_un.S_un_b.s_b1, 192);
    EXPECT_EQ(address.S_un.S_un_b.s_b4, 2);
    EXPECT_EQ(sizeof(in_addr), 4u);
    EXPECT_EQ(sizeof(sockaddr_in), sizeof(sockaddr));
}

} // namespace
