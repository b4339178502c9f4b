// Capture on a packet socket with a memory-mapped TPACKET_V3 ring: the kernel fills blocks of
// frames, and a receive copies the next frame out of the current block, so queued packets cost no
// system call; poll() runs only when the ring is empty. An eventfd wakes a waiting poll on close.
#include "host/capture_socket.h"

#include <arpa/inet.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace qv::host {
namespace {

constexpr unsigned kBlockSize = 1u << 18; // holds the largest loopback datagram
constexpr unsigned kBlockCount = 16;
constexpr unsigned kFrameSize = 2048;
constexpr unsigned kRetireMilliseconds = 4; // a partly filled block reaches the reader this soon

class LinuxCaptureSocket final : public CaptureSocket {
public:
    ~LinuxCaptureSocket() override {
        if (ring_ != MAP_FAILED) munmap(ring_, size_t{kBlockSize} * kBlockCount);
        if (wake_ >= 0) close(wake_);
        if (fd_ >= 0) close(fd_);
    }

    int Open() {
        fd_ = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0) return errno;
        int version = TPACKET_V3;
        if (setsockopt(fd_, SOL_PACKET, PACKET_VERSION, &version, sizeof(version)) < 0) return errno;
        tpacket_req3 request{};
        request.tp_block_size = kBlockSize;
        request.tp_block_nr = kBlockCount;
        request.tp_frame_size = kFrameSize;
        request.tp_frame_nr = kBlockSize / kFrameSize * kBlockCount;
        request.tp_retire_blk_tov = kRetireMilliseconds;
        if (setsockopt(fd_, SOL_PACKET, PACKET_RX_RING, &request, sizeof(request)) < 0) return errno;
        ring_ = mmap(nullptr, size_t{kBlockSize} * kBlockCount, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
        if (ring_ == MAP_FAILED) return errno;
        wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wake_ < 0) return errno;
        return 0;
    }

    int Bind(uint32_t interfaceIndex) override {
        std::lock_guard lock(control_);
        int error = BindTo(interfaceIndex, 0);
        if (error == 0) interface_ = interfaceIndex;
        return error;
    }

    int Start() override {
        std::lock_guard lock(control_);
        return BindTo(interface_, htons(ETH_P_IP));
    }

    int Stop() override {
        std::lock_guard lock(control_);
        return BindTo(interface_, 0);
    }

    CaptureReceive Receive(void* buffer, size_t size) override {
        std::lock_guard lock(receive_);
        for (;;) {
            if (closed_.load(std::memory_order_acquire)) return {EINTR, 0, 0, 0};
            if (left_ > 0) return TakeFrame(buffer, size);
            auto* block = BlockAt(current_);
            if (__atomic_load_n(&block->hdr.bh1.block_status, __ATOMIC_ACQUIRE) & TP_STATUS_USER) {
                left_ = block->hdr.bh1.num_pkts;
                frame_ = reinterpret_cast<char*>(block) + block->hdr.bh1.offset_to_first_pkt;
                if (left_ == 0) ReleaseBlock();
                continue;
            }
            if (int error = Wait()) return {error, 0, 0, 0};
        }
    }

    void Close() override {
        closed_.store(true, std::memory_order_release);
        uint64_t one = 1;
        ssize_t ignored = write(wake_, &one, sizeof(one));
        (void)ignored; // the counter only saturates; a reader is woken either way
    }

private:
    int BindTo(uint32_t interfaceIndex, uint16_t protocol) {
        sockaddr_ll address{};
        address.sll_family = AF_PACKET;
        address.sll_protocol = protocol;
        address.sll_ifindex = static_cast<int>(interfaceIndex);
        return bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) < 0 ? errno : 0;
    }

    tpacket_block_desc* BlockAt(unsigned index) {
        return reinterpret_cast<tpacket_block_desc*>(static_cast<char*>(ring_) + size_t{index} * kBlockSize);
    }

    CaptureReceive TakeFrame(void* buffer, size_t size) {
        auto* header = reinterpret_cast<tpacket3_hdr*>(frame_);
        const char* data = frame_ + header->tp_mac;
        CaptureReceive result;
        result.length = header->tp_len;
        result.copied = std::min({size, size_t{header->tp_snaplen}, result.length});
        memcpy(buffer, data, result.copied);
        if (header->tp_snaplen >= 16) memcpy(&result.source, data + 12, 4);
        if (result.copied < result.length) result.error = EMSGSIZE;
        frame_ += header->tp_next_offset;
        if (--left_ == 0) ReleaseBlock();
        return result;
    }

    void ReleaseBlock() {
        __atomic_store_n(&BlockAt(current_)->hdr.bh1.block_status, TP_STATUS_KERNEL, __ATOMIC_RELEASE);
        current_ = (current_ + 1) % kBlockCount;
    }

    int Wait() {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) return errno == EINTR ? 0 : errno;
        if (fds[1].revents) return EINTR;
        if (fds[0].revents & POLLERR) {
            int error = 0;
            socklen_t length = sizeof(error);
            getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length);
            return error;
        }
        return 0;
    }

    int fd_ = -1;
    int wake_ = -1;
    void* ring_ = MAP_FAILED;
    std::mutex control_;
    uint32_t interface_ = 0;
    std::mutex receive_;
    std::atomic<bool> closed_{false};
    unsigned current_ = 0;
    unsigned left_ = 0;
    char* frame_ = nullptr;
};

class LinuxCaptureSockets final : public CaptureSockets {
public:
    std::unique_ptr<CaptureSocket> Open(int& error) override {
        auto socket = std::make_unique<LinuxCaptureSocket>();
        error = socket->Open();
        if (error != 0) return nullptr;
        return socket;
    }
};

std::unique_ptr<CaptureSockets>& Installed() {
    static std::unique_ptr<CaptureSockets> sockets = std::make_unique<LinuxCaptureSockets>();
    return sockets;
}

} // namespace

CaptureSockets& GetCaptureSockets() { return *Installed(); }

void SetCaptureSockets(std::unique_ptr<CaptureSockets> sockets) {
    Installed() = sockets ? std::move(sockets) : std::make_unique<LinuxCaptureSockets>();
}

} // namespace qv::host
