#include "loopback_traffic.h"

#include <arpa/inet.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace qv::bench {

std::string EnterPrivateNetworkNamespace() {
    if (unshare(CLONE_NEWNET) != 0) return std::string("unshare(CLONE_NEWNET): ") + strerror(errno);
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request{};
    strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool ok = fd >= 0 && ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags |= IFF_UP;
    ok = ok && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    if (fd >= 0) close(fd);
    return ok ? std::string() : std::string("bringing lo up: ") + strerror(errno);
}

namespace {

sockaddr_in Loopback(uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return to;
}

} // namespace

bool Generate(uint64_t count, const std::function<bool()>& done) {
    // Listeners on both ports, so that the kernel sends no port-unreachable replies.
    int listeners[2];
    for (int i = 0; i < 2; ++i) {
        listeners[i] = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in at = Loopback(i == 0 ? kDataPort : kEndPort);
        bind(listeners[i], reinterpret_cast<sockaddr*>(&at), sizeof(at));
    }
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in data = Loopback(kDataPort), end = Loopback(kEndPort);
    char payload[18] = "quorva-velocitor!";
    constexpr unsigned kBatch = 64;
    mmsghdr messages[kBatch]{};
    iovec vector{payload, sizeof(payload)};
    for (auto& message : messages) {
        message.msg_hdr.msg_name = &data;
        message.msg_hdr.msg_namelen = sizeof(data);
        message.msg_hdr.msg_iov = &vector;
        message.msg_hdr.msg_iovlen = 1;
    }
    for (uint64_t sent = 0; sent < count;) {
        unsigned batch = static_cast<unsigned>(std::min<uint64_t>(kBatch, count - sent));
        int n = sendmmsg(fd, messages, batch, 0);
        if (n > 0) sent += static_cast<uint64_t>(n);
    }
    bool acknowledged = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(acknowledged = done()) && std::chrono::steady_clock::now() < deadline) {
        sendto(fd, payload, sizeof(payload), 0, reinterpret_cast<sockaddr*>(&end), sizeof(end));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    close(fd);
    for (int listener : listeners) close(listener);
    return acknowledged;
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int64_t PlainPacketReceive(const std::function<void()>& ready) {
    int fd = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, htons(ETH_P_IP));
    if (fd < 0) return -1;
    int size = 4 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof(size));
    timeval patience{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof(patience));
    sockaddr_ll address{};
    address.sll_family = AF_PACKET;
    address.sll_protocol = htons(ETH_P_IP);
    address.sll_ifindex = static_cast<int>(if_nametoindex("lo"));
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        close(fd);
        return -1;
    }
    ready();
    unsigned char buffer[1600];
    int64_t received = 0;
    int timeouts = 0;
    while (timeouts < 10) {
        ssize_t got = recvfrom(fd, buffer, sizeof(buffer), 0, nullptr, nullptr);
        if (got < 0) {
            ++timeouts;
            continue;
        }
        if (got < 24) continue;
        uint16_t port = DestinationPort(buffer);
        if (port == kEndPort) break;
        if (port == kDataPort) ++received;
    }
    close(fd);
    return timeouts < 10 ? received : -1;
}

double TcpdumpCpuSeconds(const std::function<void()>& traffic, std::string& why) {
    const char* paths[] = {"/usr/sbin/tcpdump", "/usr/bin/tcpdump", "/sbin/tcpdump"};
    const char* found = nullptr;
    for (const char* path : paths)
        if (access(path, X_OK) == 0) found = path;
    if (!found) {
        why = "tcpdump is not installed";
        return -1;
    }
    pid_t child = fork();
    if (child == 0) {
        execl(found, found, "-q", "-n", "-i", "lo", "-w", "/dev/null", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::seconds(1)); // let it open its socket
    traffic();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(child, SIGINT);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

} // namespace qv::bench
