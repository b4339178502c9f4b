// The network interface box: its entries, the counters of the chosen interface, the choice kept
// as "Network", and the end of the program when the IP helper's functions are missing.
#include "network_fixture.h"

#include "kernel/library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace qv::test {
namespace {

const char* const ProductKey = "SOFTWARE\\Quorva Velocitor";

class InterfaceList : public NetworkTest {
protected:
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        HWND box = Item(IDC_INTERFACE_BOX);
        LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[300] = "";
            SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }
    LRESULT Selected() const { return SendMessageA(Item(IDC_INTERFACE_BOX), CB_GETCURSEL, 0, 0); }

    // Moves the selection down by `steps` entries with the keyboard, from the box's focus.
    void StepDown(int steps) {
        for (int i = 0; i < 4; ++i)
            desktop.PressKey(VK_TAB);
        for (int i = 0; i < steps; ++i)
            desktop.PressKey(VK_DOWN);
    }

    void SetCounters(size_t row, uint64_t sent, uint64_t received) {
        Edit([&](host::FakeNetworkState& s) {
            s.interfaces[row].counters.sentBytes = sent;
            s.interfaces[row].counters.receivedBytes = received;
        });
    }

    std::string Sent() const { return desktop.Text(Item(IDC_BYTES_SENT)); }
    std::string Received() const { return desktop.Text(Item(IDC_BYTES_RECEIVED)); }

    bool StoredChoice(DWORD* value) {
        DWORD type = 0;
        std::string data;
        if (!GetValue(HKEY_CURRENT_USER, ProductKey, "Network", &type, &data) || type != REG_DWORD ||
            data.size() != 4)
            return false;
        memcpy(value, data.data(), 4);
        return true;
    }
};

TEST_F(InterfaceList, ListsEachInterfaceByIndexWithItsSpeedLeavingOutWanIsatapAndLoopback) {
    // The kernel's order differs from the order of the indexes.
    AddInterface(9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abc", 1000000000);
    AddInterface(2, "fast card", 100000000);
    AddInterface(3, "slow card", 10000000);
    AddInterface(4, "no link", 0);
    AddInterface(5, "WAN Miniport (IP)", 0);
    AddInterface(6, "isatap.{1234}", 0);
    AddInterface(7, "Software Loopback Interface 1", 0);
    AddInterface(8, "Card with WAN inside", 0);
    AddInterface(10, "wan lower case", 0);
    AddInterface(11, "isatap without the dot", 0);
    AddInterface(12, "my loopback", 0);
    StartProgram();
    const std::vector<std::string> expected = {
        " fast card 95 Mb",        " slow card 9 Mb",
        " no link 0 Mb",           " Card with WAN inside 0 Mb",
        " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ab 953 Mb",
        " wan lower case 0 Mb",    " isatap without the dot 0 Mb",
        " my loopback 0 Mb",
    };
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(Selected(), 0);
}

TEST_F(InterfaceList, ListsAtMost256Entries) {
    for (uint32_t i = 1; i <= 300; ++i)
        AddInterface(i, "card " + std::to_string(i));
    StartProgram();
    std::vector<std::string> entries = Entries();
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries.back(), " card 256 0 Mb");
}

TEST_F(InterfaceList, EachEntryShowsTheCountersOfTheInterfaceItStandsFor) {
    AddInterface(1, "WAN Miniport (IP)");
    AddInterface(2, "Software Loopback Interface 1");
    AddInterface(3, "first card");
    AddInterface(4, "second card");
    StartProgram();
    SetCounters(1, 7, 8);
    SetCounters(2, 300, 400);
    SetCounters(3, 3000000000ull, (1ull << 32) + 5); // shown as unsigned 32-bit values
    desktop.Advance(1000);
    EXPECT_EQ(Sent(), " 300 ");
    EXPECT_EQ(Received(), " 400 ");

    StepDown(1);
    ASSERT_EQ(Selected(), 1);
    EXPECT_EQ(Sent(), " 3000000000 ") << "at once, before the next refresh";
    EXPECT_EQ(Received(), " 5 ");
    DWORD stored = 0;
    ASSERT_TRUE(StoredChoice(&stored));
    EXPECT_EQ(stored, 1u);

    SetCounters(3, 3000000100ull, 6);
    desktop.Advance(1000);
    EXPECT_EQ(Sent(), " 3000000100 ");
    EXPECT_EQ(Received(), " 6 ");
}

TEST_F(InterfaceList, ChoosingTheSelectedEntryWritesNothing) {
    AddInterface(3, "first card");
    AddInterface(4, "second card");
    StartProgram();
    int writes = registry->writes();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_INTERFACE_BOX, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_INTERFACE_BOX)));
    desktop.WaitIdle();
    EXPECT_EQ(registry->writes(), writes);
    DWORD stored = 0;
    EXPECT_FALSE(StoredChoice(&stored));
}

TEST_F(InterfaceList, TheStoredChoiceIsSelectedAtTheNextStart) {
    AddInterface(3, "first card");
    AddInterface(4, "second card");
    network->interfaces[1].counters.sentBytes = 42;
    SetDword(HKEY_CURRENT_USER, ProductKey, "Network", 1);
    StartProgram();
    EXPECT_EQ(Selected(), 1);
    desktop.Advance(1000);
    EXPECT_EQ(Sent(), " 42 ");
}

struct StrayChoice {
    const char* what;
    int interfaces;
    DWORD stored;
};

std::ostream& operator<<(std::ostream& os, const StrayChoice& c) { return os << c.what; }

class StrayChoices : public InterfaceList, public ::testing::WithParamInterface<StrayChoice> {};

TEST_P(StrayChoices, LeaveTheBoxWithoutSelectionAndTheCountersEmpty) {
    for (int i = 0; i < GetParam().interfaces; ++i)
        AddInterface(static_cast<uint32_t>(i + 1), "card");
    if (!network->interfaces.empty())
        network->interfaces[0].counters.sentBytes = 42;
    SetDword(HKEY_CURRENT_USER, ProductKey, "Network", GetParam().stored);
    StartProgram();
    EXPECT_EQ(Selected(), CB_ERR);
    desktop.Advance(2000);
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Received(), "");
    EXPECT_EQ(desktop.Text(Item(IDC_CONNECTED_TIME)), "  0 hrs :  0 mins :  2 secs") << "the refresh goes on";
}

INSTANTIATE_TEST_SUITE_P(Cases, StrayChoices,
                         ::testing::Values(StrayChoice{"beyond the entries", 2, 3},
                                           StrayChoice{"negative", 2, static_cast<DWORD>(-2)},
                                           StrayChoice{"an empty box", 0, 0}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(InterfaceList, AGrownTableIsReadWhole) {
    AddInterface(3, "first card");
    AddInterface(4, "second card");
    SetDword(HKEY_CURRENT_USER, ProductKey, "Network", 1);
    StartProgram();
    Edit([](host::FakeNetworkState& s) {
        for (uint32_t i = 10; i < 40; ++i)
            s.interfaces.push_back(host::MakeInterface(i, "new" + std::to_string(i), host::InterfaceKind::Ethernet));
        s.interfaces[1].counters.receivedBytes = 1234;
    });
    desktop.Advance(1000);
    EXPECT_EQ(Received(), " 1234 ");
    EXPECT_EQ(Entries().size(), 2u) << "the list is never rebuilt";
}

struct Missing {
    const char* what;
    const char* function; // empty: the whole library
};

std::ostream& operator<<(std::ostream& os, const Missing& c) { return os << c.what; }

class MissingInterfaceFunctions : public InterfaceList, public ::testing::WithParamInterface<Missing> {
protected:
    void TearDown() override { kernel::ShowAllLibraryExports(); }

    // The visible message box, or null.
    HWND MessageBoxShown() const {
        for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
            char name[32];
            GetClassNameA(h, name, sizeof name);
            if (std::string(name) == "#32770" && IsWindowVisible(h))
                return h;
        }
        return nullptr;
    }
    std::string TextsOf(HWND box) const {
        std::string texts;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            texts += desktop.Text(child) + "|";
        return texts;
    }
};

TEST_P(MissingInterfaceFunctions, ReportTheLibraryAndEndTheProgramWithCodeOne) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    kernel::HideLibraryExport("iphlpapi", GetParam().function);
    desktop.Start([] { return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWDEFAULT); });
    HWND box = MessageBoxShown();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TextsOf(box).find("Error loading Iphlpapi.dll|"), std::string::npos) << TextsOf(box);
    desktop.Click(GetDlgItem(box, IDOK));
    EXPECT_EQ(desktop.ExitCode(), 0);
    auto ended = Ended();
    ASSERT_FALSE(ended.empty());
    EXPECT_EQ(ended.back().second, 1);
    std::lock_guard lock(capture->mutex);
    EXPECT_TRUE(capture->started) << "initialisation ran to its end ";
}

INSTANTIATE_TEST_SUITE_P(Cases, MissingInterfaceFunctions,
                         ::testing::Values(Missing{"the library", ""}, Missing{"GetIfTable", "GetIfTable"},
                                           Missing{"GetNumberOfInterfaces", "GetNumberOfInterfaces"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

} // namespace
} // namespace qv::test
