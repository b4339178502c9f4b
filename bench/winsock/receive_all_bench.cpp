// Receiving small loopback datagrams, one recvfrom per datagram into a 1,600-byte buffer: the
// receive-all socket beside a plain AF_PACKET socket (and tcpdump when installed), inside a
// private network namespace. The generator sends a fixed number of datagrams (QV_BENCH_PACKETS,
// default 1,000,000); the figures are the receiving thread's CPU seconds per million and the drops.
#include "loopback_traffic.h"

#include <mstcpip.h>
#include <winsock2.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

uint64_t Packets() {
    const char* text = getenv("QV_BENCH_PACKETS");
    return text ? strtoull(text, nullptr, 10) : 1'000'000;
}

struct Figures {
    double cpuPerMillion = -1;
    int64_t drops = -1;
};
Figures receiveAll, plainSocket;

void Report(benchmark::State& state, Figures& figures, double cpu, int64_t received, uint64_t sent) {
    figures.cpuPerMillion = cpu / static_cast<double>(sent) * 1e6;
    figures.drops = static_cast<int64_t>(sent) - received;
    state.counters["cpu_s_per_Mpkt"] = figures.cpuPerMillion;
    state.counters["drops"] = static_cast<double>(figures.drops);
}

void ReceiveAllSocket(benchmark::State& state) {
    const uint64_t sent = Packets();
    for (auto _ : state) {
        WSADATA data;
        WSAStartup(MAKEWORD(1, 1), &data);
        SOCKET s = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = inet_addr("127.0.0.1");
        DWORD on = RCVALL_ON, returned = 0;
        if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            WSAIoctl(s, SIO_RCVALL, &on, sizeof(on), nullptr, 0, &returned, nullptr, nullptr) != 0) {
            state.SkipWithError("cannot open the receive-all socket");
            WSACleanup();
            return;
        }
        std::atomic<bool> done{false};
        int64_t received = 0;
        double cpu = 0;
        std::thread receiver([&] {
            char buffer[1600];
            double start = qv::bench::ThreadCpuSeconds();
            for (;;) {
                int got = recvfrom(s, buffer, sizeof(buffer), 0, nullptr, nullptr);
                if (got == SOCKET_ERROR && WSAGetLastError() != WSAEMSGSIZE) break; // closed
                if (got < 24) continue;
                uint16_t port = qv::bench::DestinationPort(reinterpret_cast<unsigned char*>(buffer));
                if (port == qv::bench::kEndPort) break;
                if (port == qv::bench::kDataPort) ++received;
            }
            cpu = qv::bench::ThreadCpuSeconds() - start;
            done = true;
        });
        // The receiver is ready as soon as receive-all is on; a missed end makes the generator give up.
        if (!qv::bench::Generate(sent, [&] { return done.load(); })) closesocket(s);
        receiver.join();
        closesocket(s);
        WSACleanup();
        Report(state, receiveAll, cpu, received, sent);
    }
}

void PlainPacketSocket(benchmark::State& state) {
    const uint64_t sent = Packets();
    for (auto _ : state) {
        std::atomic<bool> ready{false}, done{false};
        int64_t received = 0;
        double cpu = 0;
        std::thread receiver([&] {
            double start = qv::bench::ThreadCpuSeconds();
            received = qv::bench::PlainPacketReceive([&] { ready = true; });
            cpu = qv::bench::ThreadCpuSeconds() - start;
            ready = true;
            done = true;
        });
        while (!ready) std::this_thread::yield();
        qv::bench::Generate(sent, [&] { return done.load(); });
        receiver.join();
        if (received < 0) state.SkipWithError("plain packet socket failed");
        else Report(state, plainSocket, cpu, received, sent);
    }
}

void Tcpdump(benchmark::State& state) {
    const uint64_t sent = Packets();
    for (auto _ : state) {
        std::string why;
        double cpu = qv::bench::TcpdumpCpuSeconds([&] { qv::bench::Generate(sent, [] { return true; }); }, why);
        if (cpu < 0) {
            state.SkipWithError(why.c_str());
            return;
        }
        state.counters["cpu_s_per_Mpkt"] = cpu / static_cast<double>(sent) * 1e6;
    }
}

BENCHMARK(ReceiveAllSocket)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainPacketSocket)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Tcpdump)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (std::string why = qv::bench::EnterPrivateNetworkNamespace(); !why.empty()) {
        fprintf(stderr, "winsock_bench needs root (a network namespace and packet sockets): %s\n", why.c_str());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printf("\n%llu datagrams each\n", static_cast<unsigned long long>(Packets()));
    printf("receive-all socket : %.3f CPU s per million, %lld drops\n", receiveAll.cpuPerMillion,
           static_cast<long long>(receiveAll.drops));
    printf("plain packet socket: %.3f CPU s per million, %lld drops\n", plainSocket.cpuPerMillion,
           static_cast<long long>(plainSocket.drops));
    if (receiveAll.cpuPerMillion > 0 && plainSocket.cpuPerMillion > 0)
        printf("ratio receive-all / plain: %.2f\n", receiveAll.cpuPerMillion / plainSocket.cpuPerMillion);
    return 0;
}
