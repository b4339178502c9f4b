// The Linux network: links and addresses from rtnetlink dumps over one kept-open socket, link
// speeds from kept-open sysfs files, the default route from /proc/net/route. The links' facts
// are kept between calls and read again only when the kernel announces a link change; otherwise
// a call fetches just the counters (RTM_GETSTATS), which keeps GetIfTable cheap.
#include "host/network.h"

// The C library's net/if.h goes first: the kernel headers then leave out their own copies.
#include <arpa/inet.h>
#include <net/if.h>
#include <net/route.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace qv::host {
namespace {

class NetlinkDump {
public:
    NetlinkDump() : buffer_(64 * 1024) {}
    ~NetlinkDump() {
        if (fd_ >= 0) close(fd_);
    }

    // Sends one dump request (its header, then `body`) and hands every reply message to `visit`.
    template <typename Body, typename Visit> bool Run(uint16_t type, const Body& body, Visit visit) {
        if (fd_ < 0 && !Open()) return false;
        struct {
            nlmsghdr header;
            Body body;
        } request{};
        request.header.nlmsg_len = sizeof(request);
        request.header.nlmsg_type = type;
        request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
        request.header.nlmsg_seq = ++sequence_;
        request.body = body;
        if (send(fd_, &request, sizeof(request), 0) < 0) return Reset();
        for (;;) {
            ssize_t got = recv(fd_, buffer_.data(), buffer_.size(), 0);
            if (got < 0) return Reset();
            int length = static_cast<int>(got);
            for (auto* message = reinterpret_cast<nlmsghdr*>(buffer_.data()); NLMSG_OK(message, length);
                 message = NLMSG_NEXT(message, length)) {
                if (message->nlmsg_seq != sequence_) continue;
                if (message->nlmsg_type == NLMSG_DONE) return true;
                if (message->nlmsg_type == NLMSG_ERROR) return false;
                visit(message);
            }
        }
    }

private:
    bool Open() {
        fd_ = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
        if (fd_ < 0) return false;
        sockaddr_nl local{};
        local.nl_family = AF_NETLINK;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof(local)) < 0) return Reset();
        return true;
    }
    // A socket left with half a reply would confuse the next dump: start again with a new one.
    bool Reset() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        return false;
    }

    int fd_ = -1;
    uint32_t sequence_ = 0;
    std::vector<char> buffer_;
};

template <typename Visit> void ForEachAttribute(rtattr* attribute, int length, Visit visit) {
    for (; RTA_OK(attribute, length); attribute = RTA_NEXT(attribute, length)) visit(attribute);
}

std::string AttributeText(const rtattr* attribute) {
    const char* text = static_cast<const char*>(RTA_DATA(attribute));
    return std::string(text, strnlen(text, RTA_PAYLOAD(attribute)));
}

InterfaceKind KindOf(unsigned short hardwareType) {
    switch (hardwareType) {
    case ARPHRD_ETHER: return InterfaceKind::Ethernet;
    case ARPHRD_LOOPBACK: return InterfaceKind::Loopback;
    case ARPHRD_PPP: return InterfaceKind::Ppp;
    case ARPHRD_SLIP:
    case ARPHRD_CSLIP: return InterfaceKind::Slip;
    default: return InterfaceKind::Other;
    }
}

std::string Describe(const std::string& name, InterfaceKind kind, const std::string& driverKind) {
    const char* what = "network adapter";
    switch (kind) {
    case InterfaceKind::Ethernet: what = "Ethernet adapter"; break;
    case InterfaceKind::Loopback: what = "Software Loopback Interface"; break;
    case InterfaceKind::Ppp: what = "PPP adapter"; break;
    case InterfaceKind::Slip: what = "SLIP adapter"; break;
    case InterfaceKind::Other: break;
    }
    std::string description = name + " " + what;
    if (!driverKind.empty()) description += " (" + driverKind + ")";
    return description;
}

// The link speed file of each interface, opened once and re-read in place.
class LinkSpeeds {
public:
    ~LinkSpeeds() {
        for (auto& [index, file] : files_)
            if (file.fd >= 0) close(file.fd);
    }

    uint64_t BitsPerSecond(uint32_t index, const std::string& name) {
        File& file = files_[index];
        if (file.name != name) {
            if (file.fd >= 0) close(file.fd);
            file.name = name;
            file.fd = open(("/sys/class/net/" + name + "/speed").c_str(), O_RDONLY | O_CLOEXEC);
        }
        if (file.fd < 0) return 0;
        char text[32];
        ssize_t got = pread(file.fd, text, sizeof(text) - 1, 0);
        if (got <= 0) return 0;
        text[got] = '\0';
        long megabits = strtol(text, nullptr, 10);
        return megabits > 0 ? static_cast<uint64_t>(megabits) * 1000000u : 0;
    }

    // Closes the files of interfaces that are gone.
    void KeepOnly(const std::vector<NetworkInterface>& interfaces) {
        for (auto it = files_.begin(); it != files_.end();) {
            bool present = false;
            for (const auto& row : interfaces) present = present || row.index == it->first;
            if (present) {
                ++it;
                continue;
            }
            if (it->second.fd >= 0) close(it->second.fd);
            it = files_.erase(it);
        }
    }

private:
    struct File {
        std::string name;
        int fd = -1;
    };
    std::map<uint32_t, File> files_;
};

void ReadCounters(const rtattr* attribute, InterfaceCounters& counters) {
    rtnl_link_stats64 stats{};
    memcpy(&stats, RTA_DATA(attribute), std::min<size_t>(sizeof(stats), RTA_PAYLOAD(attribute)));
    counters.receivedBytes = stats.rx_bytes;
    counters.receivedPackets = stats.rx_packets;
    counters.receivedMulticast = stats.multicast;
    counters.receivedDropped = stats.rx_dropped;
    counters.receivedErrors = stats.rx_errors;
    counters.receivedUnknownProtocol = stats.rx_nohandler;
    counters.sentBytes = stats.tx_bytes;
    counters.sentPackets = stats.tx_packets;
    counters.sentDropped = stats.tx_dropped;
    counters.sentErrors = stats.tx_errors;
}

// A socket subscribed to link announcements (added, removed, up, down, renamed, carrier).
class LinkChanges {
public:
    ~LinkChanges() {
        if (fd_ >= 0) close(fd_);
    }
    // True when a link may have changed since the last call (or when that cannot be known).
    bool Happened() {
        if (fd_ < 0 && !Open()) return true;
        bool changed = false;
        char buffer[8192];
        for (;;) {
            ssize_t got = recv(fd_, buffer, sizeof(buffer), MSG_DONTWAIT);
            if (got > 0) {
                changed = true;
                continue;
            }
            if (got < 0 && errno == EAGAIN) return changed;
            // Overflowed or broken: announcements were lost, so assume a change.
            close(fd_);
            fd_ = -1;
            return true;
        }
    }

private:
    bool Open() {
        fd_ = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
        if (fd_ < 0) return false;
        sockaddr_nl local{};
        local.nl_family = AF_NETLINK;
        local.nl_groups = RTMGRP_LINK;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof(local)) == 0) return true;
        close(fd_);
        fd_ = -1;
        return false;
    }

    int fd_ = -1;
};

void ReadLink(nlmsghdr* message, NetworkInterface& row) {
    auto* info = static_cast<ifinfomsg*>(NLMSG_DATA(message));
    row.index = static_cast<uint32_t>(info->ifi_index);
    row.kind = KindOf(info->ifi_type);
    row.adminUp = (info->ifi_flags & IFF_UP) != 0;
    row.operUp = (info->ifi_flags & IFF_RUNNING) != 0;
    row.pointToPoint = (info->ifi_flags & IFF_POINTOPOINT) != 0;
    row.name.clear();
    row.physicalAddress.clear();
    row.mtu = 0;
    row.counters = {};
    std::string driverKind;
    ForEachAttribute(IFLA_RTA(info), static_cast<int>(IFLA_PAYLOAD(message)), [&](rtattr* attribute) {
        switch (attribute->rta_type) {
        case IFLA_IFNAME: row.name = AttributeText(attribute); break;
        case IFLA_MTU: memcpy(&row.mtu, RTA_DATA(attribute), sizeof(row.mtu)); break;
        case IFLA_ADDRESS: {
            auto* bytes = static_cast<const uint8_t*>(RTA_DATA(attribute));
            row.physicalAddress.assign(bytes, bytes + RTA_PAYLOAD(attribute));
            break;
        }
        case IFLA_STATS64: ReadCounters(attribute, row.counters); break;
        case IFLA_LINKINFO:
            ForEachAttribute(static_cast<rtattr*>(RTA_DATA(attribute)), static_cast<int>(RTA_PAYLOAD(attribute)),
                             [&](rtattr* inner) {
                                 if (inner->rta_type == IFLA_INFO_KIND) driverKind = AttributeText(inner);
                             });
            break;
        default: break;
        }
    });
    // Loopback reports all zeros; Windows gives its loopback no physical address.
    if (row.kind == InterfaceKind::Loopback) row.physicalAddress.clear();
    row.description = Describe(row.name, row.kind, driverKind);
}

uint32_t MaskOf(unsigned prefixLength) {
    uint32_t hostOrder = prefixLength == 0 ? 0 : ~uint32_t{0} << (32 - std::min(prefixLength, 32u));
    return htonl(hostOrder);
}

class LinuxNetwork final : public Network {
public:
    bool Interfaces(std::vector<NetworkInterface>& out) override {
        std::lock_guard lock(mutex_);
        // Subscribed before the links are read, so that no change slips in between.
        bool changed = changes_.Happened();
        if (changed || !linksKnown_ || !ReadCountersOnly()) linksKnown_ = ReadLinks();
        if (!linksKnown_) return false;
        out = links_;
        return true;
    }

    bool Addresses(std::vector<NetworkAddress>& out) override {
        std::lock_guard lock(mutex_);
        out.clear();
        rtgenmsg family{AF_INET};
        bool ok = dump_.Run(RTM_GETADDR, family, [&](nlmsghdr* message) {
            if (message->nlmsg_type != RTM_NEWADDR) return;
            auto* info = static_cast<ifaddrmsg*>(NLMSG_DATA(message));
            if (info->ifa_family != AF_INET) return;
            NetworkAddress row;
            row.interfaceIndex = info->ifa_index;
            row.mask = MaskOf(info->ifa_prefixlen);
            uint32_t flags = info->ifa_flags;
            bool haveLocal = false;
            ForEachAttribute(IFA_RTA(info), static_cast<int>(IFA_PAYLOAD(message)), [&](rtattr* attribute) {
                switch (attribute->rta_type) {
                case IFA_LOCAL:
                    memcpy(&row.address, RTA_DATA(attribute), 4);
                    haveLocal = true;
                    break;
                case IFA_ADDRESS:
                    if (!haveLocal) memcpy(&row.address, RTA_DATA(attribute), 4);
                    break;
                case IFA_BROADCAST: memcpy(&row.broadcast, RTA_DATA(attribute), 4); break;
                case IFA_FLAGS: memcpy(&flags, RTA_DATA(attribute), 4); break;
                default: break;
                }
            });
            row.primary = (flags & IFA_F_SECONDARY) == 0;
            row.permanent = (flags & IFA_F_PERMANENT) != 0;
            out.push_back(row);
        });
        if (!ok) out.clear();
        return ok;
    }

    DefaultRoute Route() override {
        DefaultRoute route;
        std::ifstream table("/proc/net/route");
        std::string line;
        std::getline(table, line); // the column titles
        while (std::getline(table, line)) {
            std::istringstream fields(line);
            std::string name;
            std::string destination, gateway, mask;
            unsigned flags = 0, references = 0, use = 0, metric = 0;
            fields >> name >> destination >> gateway >> std::hex >> flags >> std::dec >> references >> use >>
                metric >> mask;
            if (!fields || destination != "00000000" || mask != "00000000" || !(flags & RTF_UP)) continue;
            route.exists = true;
            route.pointToPoint = route.pointToPoint || IsPointToPoint(name);
        }
        return route;
    }

    bool ProxyConfigured() override {
        for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy"}) {
            const char* value = getenv(name);
            if (value && *value) return true;
        }
        return false;
    }

private:
    // Every fact of every link, counters included.
    bool ReadLinks() {
        size_t count = 0;
        rtgenmsg family{AF_UNSPEC};
        bool ok = dump_.Run(RTM_GETLINK, family, [&](nlmsghdr* message) {
            if (message->nlmsg_type != RTM_NEWLINK) return;
            if (links_.size() <= count) links_.emplace_back();
            ReadLink(message, links_[count]);
            ++count;
        });
        links_.resize(ok ? count : 0);
        for (auto& row : links_) row.speedBitsPerSecond = speeds_.BitsPerSecond(row.index, row.name);
        speeds_.KeepOnly(links_);
        return ok;
    }

    // Only the counters of the known links; false when the links no longer match.
    bool ReadCountersOnly() {
        if_stats_msg request{};
        request.family = AF_UNSPEC;
        request.filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
        size_t next = 0;
        bool matches = true;
        bool ok = dump_.Run(RTM_GETSTATS, request, [&](nlmsghdr* message) {
            if (message->nlmsg_type != RTM_NEWSTATS) return;
            auto* info = static_cast<if_stats_msg*>(NLMSG_DATA(message));
            // The dump runs in the same order as the link dump; anything else means a change.
            if (next >= links_.size() || links_[next].index != info->ifindex) {
                matches = false;
                return;
            }
            NetworkInterface& row = links_[next++];
            auto* attribute = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(info) + NLMSG_ALIGN(sizeof(*info)));
            int length = static_cast<int>(message->nlmsg_len - NLMSG_LENGTH(sizeof(*info)));
            ForEachAttribute(attribute, length, [&](rtattr* inner) {
                if (inner->rta_type == IFLA_STATS_LINK_64) ReadCounters(inner, row.counters);
            });
        });
        return ok && matches && next == links_.size();
    }

    static bool IsPointToPoint(const std::string& name) {
        int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        ifreq request{};
        strncpy(request.ifr_name, name.c_str(), IFNAMSIZ - 1);
        bool pointToPoint = ioctl(fd, SIOCGIFFLAGS, &request) == 0 && (request.ifr_flags & IFF_POINTOPOINT);
        close(fd);
        return pointToPoint;
    }

    std::mutex mutex_;
    NetlinkDump dump_;
    LinkChanges changes_;
    LinkSpeeds speeds_;
    std::vector<NetworkInterface> links_;
    bool linksKnown_ = false;
};

std::unique_ptr<Network>& Installed() {
    static std::unique_ptr<Network> network = std::make_unique<LinuxNetwork>();
    return network;
}

} // namespace

Network& GetNetwork() { return *Installed(); }

void SetNetwork(std::unique_ptr<Network> network) {
    Installed() = network ? std::move(network) : std::make_unique<LinuxNetwork>();
}

} // namespace qv::host
