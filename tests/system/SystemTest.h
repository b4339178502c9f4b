// The program on the test desktop: its UI thread runs WinMain; the registry is in memory.
#pragma once
#include "TestDesktop.h"
#include "host/fakes/fake_capture_socket.h"
#include "host/fakes/fake_network.h"
#include "host/fakes/fake_registry_store.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace qv::test {

class SystemTest : public ::testing::Test {
protected:
    SystemTest();
    ~SystemTest() override;

    // Starts the program and finds its main window.
    void StartProgram();
    // Every top-level window with this title, in z-order.
    std::vector<HWND> TopLevels(const char* title) const;
    HWND Item(int id) const { return GetDlgItem(main, id); }
    // The end codes that EndDialog was given, with their dialogs, in order.
    std::vector<std::pair<HWND, INT_PTR>> Ended() const;

    // The registry as the program sees it.
    void SetDword(HKEY root, const char* path, const char* name, DWORD value);
    bool GetValue(HKEY root, const char* path, const char* name, DWORD* type, std::string* data);

    TestDesktop desktop;
    host::FakeRegistryStore* registry = nullptr;
    // The network and the capture sockets the program sees: empty until a test fills them.
    std::shared_ptr<host::FakeNetworkState> network;
    std::shared_ptr<host::FakeCaptureState> capture;
    HWND main = nullptr;

private:
    struct EndLog;
    std::shared_ptr<EndLog> ended_;
};

} // namespace qv::test
