// The program itself in a real terminal (tmux, 100 by 30 cells): its main window, the live
// network figures against the kernel's, the toggle, the interface box, the layout in cells, and
// quitting with the terminal given back. Its registry lives in a fresh folder per test.
#include "tests/e2e/tmux_pane.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>

namespace qv::e2e {
namespace {

namespace fs = std::filesystem;

// The text after a label on its row, up to the field's closing bracket.
std::string FieldAfter(const std::vector<std::string>& lines, const std::string& label) {
    for (const auto& line : lines) {
        auto at = line.find(label);
        if (at == std::string::npos)
            continue;
        auto open = line.find('[', at + label.size());
        auto close = line.find(']', open == std::string::npos ? at : open);
        if (open == std::string::npos || close == std::string::npos)
            return {};
        return line.substr(open + 1, close - open - 1);
    }
    return {};
}

// " h hrs :  m mins :  s secs" as seconds, or -1.
long Seconds(const std::string& field) {
    std::smatch m;
    static const std::regex clock(R"((\d+) hrs : +(\d+) mins : +(\d+) secs)");
    if (!std::regex_search(field, m, clock))
        return -1;
    return std::stol(m[1]) * 3600 + std::stol(m[2]) * 60 + std::stol(m[3]);
}

uint32_t Counter(const std::string& interface, const char* name) {
    std::ifstream in("/sys/class/net/" + interface + "/statistics/" + name);
    uint64_t value = 0;
    in >> value;
    return static_cast<uint32_t>(value); // the interface table's counters are 32-bit
}

class ProgramTty : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveTmux())
            GTEST_SKIP() << "tmux is not installed (make setup installs it)";
        config_ = fs::temp_directory_path() / ("qv-e2e-config-" + std::to_string(getpid()));
        fs::create_directories(config_);
        ASSERT_TRUE(pane_.Open(100, 30)) << pane_.Screen();
    }
    void TearDown() override { fs::remove_all(config_); }

    // Starts the program from the shell, after a marker line that shows again when it ends.
    void StartProgram() {
        pane_.Type("echo before-run; env XDG_CONFIG_HOME='" + config_.string() + "' " +
                   QV_E2E_PROGRAM + "; echo ended $?");
        ASSERT_TRUE(pane_.WaitFor("Quit Application")) << pane_.Screen();
    }
    void Quit() {
        pane_.Tmux("send-keys M-q");
        ASSERT_TRUE(pane_.WaitFor("ended 0")) << pane_.Screen();
    }
    std::string Registry() {
        std::ifstream in(config_ / "quorva-velocitor" / "registry");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The interface the box shows: its entry begins with the interface's name.
    std::string ChosenInterface() {
        std::string box = FieldAfter(pane_.Lines(), "Network Interface");
        std::istringstream words(box);
        std::string name;
        words >> name;
        return fs::exists("/sys/class/net/" + name) ? name : std::string();
    }

    fs::path config_;
    TmuxPane pane_;
};

TEST_F(ProgramTty, ShowsTheMainWindowWithItsTexts) {
    StartProgram();
    for (const char* text : {" Quorva Velocitor ", "Connection Type:", "Connection Status:", "Connected Time:",
                             "Total Bytes Sent:", "Total Bytes Received:", "Accelerated mode:",
                             "Network Interface", "Run your Quorva", "Minimize to Tray", "Quit Application",
                             "State: Activated", "Push to stop", "[Quorva Velocitor]"})
        EXPECT_TRUE(pane_.WaitFor(text)) << text << "\n" << pane_.Screen();
    std::string accelerated = FieldAfter(pane_.Lines(), "Accelerated mode:");
    EXPECT_GE(Seconds(accelerated), 0) << "the whole clock shows: " << accelerated;
    EXPECT_LT(Seconds(accelerated), 60) << "counting from the start: " << accelerated;
}

TEST_F(ProgramTty, QuitApplicationEndsItAndGivesTheTerminalBack) {
    StartProgram();
    ASSERT_FALSE(pane_.ShellChildren().empty());
    Quit();
    std::string screen = pane_.Screen();
    EXPECT_NE(screen.find("before-run"), std::string::npos) << "the shell's screen is back\n" << screen;
    EXPECT_EQ(screen.find("Quit Application"), std::string::npos) << screen;
    EXPECT_TRUE(WaitUntil([&] { return pane_.ShellChildren().empty(); })) << "the program is gone";
    pane_.Type("echo typed-back");
    EXPECT_TRUE(pane_.WaitFor("\ntyped-back")) << "keys echo again\n" << pane_.Screen();
}

TEST_F(ProgramTty, TheConnectedTimeAdvancesOnceASecond) {
    StartProgram();
    long first = -1;
    ASSERT_TRUE(WaitUntil([&] { return (first = Seconds(FieldAfter(pane_.Lines(), "Connected Time:"))) >= 0; }))
        << pane_.Screen();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    long second = Seconds(FieldAfter(pane_.Lines(), "Connected Time:"));
    EXPECT_GE(second - first, 1) << pane_.Screen();
    EXPECT_LE(second - first, 3) << pane_.Screen();
}

TEST_F(ProgramTty, TheByteCountsAreTheChosenInterfacesCounters) {
    StartProgram();
    std::string interface;
    ASSERT_TRUE(WaitUntil([&] { return !(interface = ChosenInterface()).empty(); }, std::chrono::seconds(3)) ||
                FieldAfter(pane_.Lines(), "Network Interface").find_first_not_of(' ') == std::string::npos)
        << "the box names an interface of this machine\n" << pane_.Screen();
    if (interface.empty())
        GTEST_SKIP() << "this machine lists no interface";
    // One second of traffic: how far the shown figures may lag behind the kernel's.
    uint32_t rx0 = Counter(interface, "rx_bytes"), tx0 = Counter(interface, "tx_bytes");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    uint32_t rxBefore = Counter(interface, "rx_bytes"), txBefore = Counter(interface, "tx_bytes");
    auto lines = pane_.Lines();
    uint32_t rxAfter = Counter(interface, "rx_bytes"), txAfter = Counter(interface, "tx_bytes");
    uint32_t rxSlack = std::max<uint32_t>(2 * (rxBefore - rx0), 4096);
    uint32_t txSlack = std::max<uint32_t>(2 * (txBefore - tx0), 4096);
    uint32_t received = static_cast<uint32_t>(std::stoul(FieldAfter(lines, "Total Bytes Received:")));
    uint32_t sent = static_cast<uint32_t>(std::stoul(FieldAfter(lines, "Total Bytes Sent:")));
    EXPECT_LE(uint32_t(rxAfter - received), uint32_t(rxAfter - rxBefore + rxSlack)) << interface << " received";
    EXPECT_LE(uint32_t(txAfter - sent), uint32_t(txAfter - txBefore + txSlack)) << interface << " sent";
}

TEST_F(ProgramTty, TheToggleSwitchesCaptionsAndLooksPressedWhileOn) {
    StartProgram();
    // Whether the text is drawn in reverse video: the attributes set before it on its row.
    auto reversedOn = [&](const std::string& text) {
        std::istringstream lines(pane_.StyledScreen());
        for (std::string line; std::getline(lines, line);) {
            auto at = line.find(text);
            if (at == std::string::npos)
                continue;
            bool reverse = false;
            static const std::regex sgr("\x1b\\[([0-9;]*)m");
            for (auto it = std::sregex_iterator(line.begin(), line.begin() + static_cast<long>(at), sgr);
                 it != std::sregex_iterator(); ++it) {
                std::istringstream params((*it)[1].str());
                std::string p;
                if ((*it)[1].str().empty())
                    reverse = false;
                while (std::getline(params, p, ';')) {
                    if (p.empty() || p == "0" || p == "27")
                        reverse = false;
                    else if (p == "7")
                        reverse = true;
                }
            }
            return reverse;
        }
        return false;
    };
    ASSERT_TRUE(pane_.WaitFor("State: Activated")) << pane_.Screen();
    EXPECT_TRUE(reversedOn("State: Activated")) << "checked: pressed";
    pane_.Tmux("send-keys Space"); // the toggle has the focus at start
    ASSERT_TRUE(pane_.WaitFor("Push to activate acceleration")) << pane_.Screen();
    EXPECT_TRUE(pane_.WaitFor("State: Stopped")) << pane_.Screen();
    EXPECT_FALSE(reversedOn("State: Stopped")) << "unchecked: raised";
    auto [col, row] = pane_.Find("State: Stopped");
    pane_.Click(col + 2, row);
    EXPECT_TRUE(pane_.WaitFor("State: Activated")) << "a click switches it back\n" << pane_.Screen();
}

TEST_F(ProgramTty, ChoosingAnotherInterfaceShowsItAndStoresIt) {
    StartProgram();
    auto box = pane_.Find("Network Interface");
    ASSERT_GE(box.first, 0);
    std::string before = FieldAfter(pane_.Lines(), "Network Interface");
    // Open the list with a click on the box's arrow.
    auto lines = pane_.Lines();
    int arrow = TmuxPane::Cells(lines[static_cast<size_t>(box.second)].substr(
                    0, lines[static_cast<size_t>(box.second)].rfind("v]")));
    pane_.Click(arrow, box.second);
    std::vector<std::string> items;
    ASSERT_TRUE(WaitUntil([&] {
        items.clear();
        auto shown = pane_.Lines();
        for (int row = box.second + 2; row < static_cast<int>(shown.size()); ++row) {
            const std::string& line = shown[static_cast<size_t>(row)];
            auto bar = line.find("│  ");
            if (bar == std::string::npos || line.find(" Mb", bar) == std::string::npos)
                break;
            size_t start = bar + std::string("│  ").size();
            items.push_back(" " + line.substr(start, line.find(" Mb", bar) - start) + " Mb");
        }
        return !items.empty();
    })) << pane_.Screen();
    if (items.size() < 2)
        GTEST_SKIP() << "this machine lists one interface only";
    size_t current = 0;
    while (current < items.size() && before.find(items[current]) == std::string::npos)
        ++current;
    ASSERT_LT(current, items.size()) << before;
    size_t next = (current + 1) % items.size();
    if (next > current)
        pane_.Tmux("send-keys Down");
    for (size_t i = 0; next < current && i < current; ++i)
        pane_.Tmux("send-keys Up");
    pane_.Tmux("send-keys Enter");
    EXPECT_TRUE(WaitUntil([&] {
        return FieldAfter(pane_.Lines(), "Network Interface").find(items[next]) != std::string::npos;
    })) << pane_.Screen();
    Quit();
    char stored[64];
    std::snprintf(stored, sizeof stored, "\"Network\"=dword:0x%08zx", next);
    EXPECT_NE(Registry().find(stored), std::string::npos) << Registry();
}

// Where the template puts things, kept in cells: labels left of their fields on the same rows,
// the group boxes' frames around what they hold, the interface box below both.
TEST_F(ProgramTty, TheLayoutKeepsTheTemplatesPlaces) {
    StartProgram();
    ASSERT_TRUE(pane_.WaitFor("secs")) << pane_.Screen();
    auto lines = pane_.Lines();
    auto find = [&](const std::string& text) {
        for (size_t row = 0; row < lines.size(); ++row) {
            auto at = lines[row].find(text);
            if (at != std::string::npos)
                return std::pair<int, int>{TmuxPane::Cells(lines[row].substr(0, at)), static_cast<int>(row)};
        }
        return std::pair<int, int>{-1, -1};
    };
    // The frame left or right of a cell on its row: the nearest '│'.
    auto bar = [&](std::pair<int, int> from, int step) {
        for (int col = from.first + step; col >= 0 && col < 200; col += step)
            if (TmuxPane::At(lines, col, from.second) == "│")
                return col;
        return -1;
    };
    auto corner = [&](int col, int row, const char* glyph, int step) {
        for (int r = row + step; r >= 0 && r < static_cast<int>(lines.size()); r += step)
            if (TmuxPane::At(lines, col, r) == glyph)
                return r;
        return -1;
    };

    std::vector<std::pair<int, int>> labels, fields;
    for (const char* label : {"Connection Type:", "Connection Status:", "Connected Time:", "Total Bytes Sent:",
                              "Total Bytes Received:", "Accelerated mode:"}) {
        auto l = find(label);
        ASSERT_GE(l.first, 0) << label;
        std::string line = lines[static_cast<size_t>(l.second)];
        auto open = line.find('[', line.find(label));
        ASSERT_NE(open, std::string::npos) << label << ": a field on the same row\n" << line;
        std::pair<int, int> f{TmuxPane::Cells(line.substr(0, open)), l.second};
        EXPECT_GT(f.first, l.first + static_cast<int>(std::string(label).size())) << line;
        labels.push_back(l);
        fields.push_back(f);
    }
    for (size_t i = 1; i < labels.size(); ++i) {
        EXPECT_GT(labels[i].second, labels[i - 1].second) << "in the template's order";
        EXPECT_EQ(labels[i].first, labels[0].first) << "labels in one column";
        EXPECT_EQ(fields[i].first, fields[0].first) << "fields in one column";
    }

    // The right frame: one column left of the labels, one right of the fields, corners above
    // the first and below the last.
    int left = bar(labels[0], -1), right = bar(fields[0], +1);
    ASSERT_GE(left, 0);
    ASSERT_GT(right, left);
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(bar(labels[i], -1), left) << i;
        EXPECT_EQ(bar(fields[i], +1), right) << i;
    }
    int top = corner(left, labels.front().second, "┌", -1);
    int bottom = corner(left, labels.back().second, "└", +1);
    EXPECT_GE(top, 0);
    EXPECT_GE(bottom, 0);
    EXPECT_EQ(TmuxPane::At(lines, right, top), "┐");
    EXPECT_EQ(TmuxPane::At(lines, right, bottom), "┘");

    // The left frame around the three command buttons, left of the right frame.
    std::vector<std::pair<int, int>> buttons;
    for (const char* text : {"Run your Quorva", "Minimize to Tray", "Quit Application"})
        buttons.push_back(find(text));
    int buttonsLeft = bar(buttons[0], -1), buttonsRight = bar(buttons[0], +1);
    ASSERT_GE(buttonsLeft, 0);
    EXPECT_LT(buttonsRight, left);
    for (const auto& b : buttons) {
        EXPECT_EQ(bar(b, -1), buttonsLeft);
        EXPECT_EQ(bar(b, +1), buttonsRight);
    }
    int buttonsTop = corner(buttonsLeft, buttons.front().second, "┌", -1);
    int buttonsBottom = corner(buttonsLeft, buttons.back().second, "└", +1);
    EXPECT_GE(buttonsTop, 0);
    EXPECT_GE(buttonsBottom, 0);
    auto toggle = find("State: Activated");
    EXPECT_LT(toggle.second, buttonsTop) << "the toggle above the command buttons";

    auto box = find("Network Interface");
    EXPECT_GT(box.second, bottom) << "the interface box below the frames";
    EXPECT_GT(box.second, buttonsBottom);
}

} // namespace
} // namespace qv::e2e
