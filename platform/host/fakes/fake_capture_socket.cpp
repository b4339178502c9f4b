#include "host/fakes/fake_capture_socket.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace qv::host {
namespace {

class FakeCaptureSocket final : public CaptureSocket {
public:
    explicit FakeCaptureSocket(std::shared_ptr<FakeCaptureState> state) : state_(std::move(state)) {}
    ~FakeCaptureSocket() override {
        std::lock_guard lock(state_->mutex);
        --state_->openSockets;
    }

    int Bind(uint32_t interfaceIndex) override {
        std::lock_guard lock(state_->mutex);
        if (state_->bindError == 0 || state_->bindError == EINPROGRESS)
            state_->boundInterface = interfaceIndex;
        return state_->bindError;
    }

    int Start() override {
        std::lock_guard lock(state_->mutex);
        if (state_->startError == 0) state_->started = true;
        return state_->startError;
    }

    int Stop() override {
        std::lock_guard lock(state_->mutex);
        state_->started = false;
        return 0;
    }

    CaptureReceive Receive(void* buffer, size_t size) override {
        std::unique_lock lock(state_->mutex);
        bool ready = state_->changed.wait_for(lock, state_->patience,
                                              [&] { return closed_.load() || !state_->queue.empty(); });
        if (closed_.load()) return {EINTR, 0, 0, 0};
        if (!ready) return {ETIMEDOUT, 0, 0, 0};
        FakeCaptureState::Entry entry = std::move(state_->queue.front());
        state_->queue.pop_front();
        if (entry.error != 0) return {entry.error, 0, 0, 0};
        CaptureReceive result;
        result.length = entry.bytes.size();
        result.copied = std::min(size, result.length);
        memcpy(buffer, entry.bytes.data(), result.copied);
        if (entry.bytes.size() >= 16) memcpy(&result.source, entry.bytes.data() + 12, 4);
        if (result.copied < result.length) result.error = EMSGSIZE;
        return result;
    }

    void Close() override {
        std::lock_guard lock(state_->mutex);
        closed_ = true;
        state_->changed.notify_all();
    }

private:
    std::shared_ptr<FakeCaptureState> state_;
    std::atomic<bool> closed_{false};
};

} // namespace

void FakeCaptureState::Deliver(std::vector<uint8_t> bytes) {
    std::lock_guard lock(mutex);
    if (!started) return;
    queue.push_back({std::move(bytes), 0});
    changed.notify_all();
}

void FakeCaptureState::Fail(int error) {
    std::lock_guard lock(mutex);
    queue.push_back({{}, error});
    changed.notify_all();
}

std::unique_ptr<CaptureSocket> FakeCaptureSockets::Open(int& error) {
    std::lock_guard lock(state_->mutex);
    error = state_->openError;
    if (error != 0) return nullptr;
    ++state_->openSockets;
    return std::make_unique<FakeCaptureSocket>(state_);
}

std::shared_ptr<FakeCaptureState> InstallFakeCaptureSockets() {
    auto state = std::make_shared<FakeCaptureState>();
    SetCaptureSockets(std::make_unique<FakeCaptureSockets>(state));
    return state;
}

std::vector<uint8_t> MakeIpDatagram(size_t length, uint32_t source, uint8_t fill) {
    std::vector<uint8_t> bytes(std::max<size_t>(length, 20), fill);
    bytes[0] = 0x45; // version 4, 20-byte header
    bytes[2] = static_cast<uint8_t>(bytes.size() >> 8);
    bytes[3] = static_cast<uint8_t>(bytes.size());
    bytes[9] = 17; // UDP
    memcpy(bytes.data() + 12, &source, 4);
    return bytes;
}

} // namespace qv::host
