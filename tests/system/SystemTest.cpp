#include "SystemTest.h"

#include "user/dialog.h"

#include <mutex>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace qv::test {

struct SystemTest::EndLog {
    std::mutex mutex;
    std::vector<std::pair<HWND, INT_PTR>> ended;
};

SystemTest::SystemTest() : ended_(std::make_shared<EndLog>()) {
    auto store = std::make_unique<host::FakeRegistryStore>();
    registry = store.get();
    host::SetRegistryStore(std::move(store));
    network = host::InstallFakeNetwork();
    capture = host::InstallFakeCaptureSockets();
    std::weak_ptr<EndLog> log = ended_;
    user::SetEndDialogObserver([log](HWND hwnd, INT_PTR code) {
        if (auto l = log.lock()) {
            std::lock_guard<std::mutex> guard(l->mutex);
            l->ended.emplace_back(hwnd, code);
        }
    });
}

SystemTest::~SystemTest() { user::SetEndDialogObserver(nullptr); }

void SystemTest::StartProgram() {
    desktop.Start([] {
        return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWDEFAULT);
    });
    std::vector<HWND> windows = TopLevels("Quorva Velocitor");
    ASSERT_FALSE(windows.empty()) << "the main window did not open";
    main = windows.back();
}

std::vector<HWND> SystemTest::TopLevels(const char* title) const {
    std::vector<HWND> found;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char text[128];
        GetWindowTextA(h, text, sizeof text);
        if (std::string(text) == title && IsWindowVisible(h))
            found.push_back(h);
    }
    return found;
}

std::vector<std::pair<HWND, INT_PTR>> SystemTest::Ended() const {
    std::lock_guard<std::mutex> guard(ended_->mutex);
    return ended_->ended;
}

void SystemTest::SetDword(HKEY root, const char* path, const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool SystemTest::GetValue(HKEY root, const char* path, const char* name, DWORD* type,
                          std::string* data) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        data->assign(size, '\0');
        result = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data->data()),
                                  &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

} // namespace qv::test
