#include "host_namespace.h"

#include <arpa/inet.h>
#include <linux/capability.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace qv::test {

std::string RealHostUnavailableReason() {
    if (geteuid() != 0) return "needs root: it creates a network namespace and a raw packet socket";
    return {};
}

std::string EnterPrivateNetworkNamespace() {
    if (unshare(CLONE_NEWNET) != 0) return std::string("unshare(CLONE_NEWNET): ") + strerror(errno);
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::string("socket: ") + strerror(errno);
    ifreq request{};
    strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    int result = ioctl(fd, SIOCGIFFLAGS, &request);
    if (result == 0) {
        request.ifr_flags |= IFF_UP;
        result = ioctl(fd, SIOCSIFFLAGS, &request);
    }
    int error = errno;
    close(fd);
    return result == 0 ? std::string() : std::string("bringing lo up: ") + strerror(error);
}

bool SendLoopbackUdp(uint16_t port, size_t payloadSize, int count) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // A listener on the port, so that the kernel answers with no port-unreachable messages,
    // which would be extra traffic on the interface.
    int listener = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (listener < 0) return false;
    int size = 8 << 20;
    setsockopt(listener, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof(size));
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || bind(listener, reinterpret_cast<sockaddr*>(&to), sizeof(to)) != 0) {
        close(listener);
        if (fd >= 0) close(fd);
        return false;
    }
    std::vector<char> payload(payloadSize, 'q');
    bool ok = true;
    for (int i = 0; i < count && ok; ++i)
        ok = sendto(fd, payload.data(), payload.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof(to)) ==
             static_cast<ssize_t>(payload.size());
    close(fd);
    close(listener);
    return ok;
}

namespace {

bool DropRawCapability() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    for (auto* set : {&data[0].effective, &data[0].permitted, &data[0].inheritable})
        *set &= ~(1u << CAP_NET_RAW);
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

int RunWithoutRawCapability(const std::function<int()>& body) {
    pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) _exit(DropRawCapability() ? body() : 255);
    for (int waited = 0; waited < 1000; ++waited) {
        int status = 0;
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

} // namespace qv::test
