// The terminal front end: draws the desktop in character cells and turns the terminal's keys
// and mouse reports into the desktop's input.
//
// Keys: as typed, with Alt as Esc before a key. F12 reaches the notification area (again for
// the next icon, Left/Right too); there Enter double-clicks the icon, Shift+F10 or the menu key
// right-clicks it, and Esc or any other key goes back to the windows.
#pragma once
#include "desktop/front_end.h"
#include "desktop/tty/input_parser.h"
#include "desktop/tty/layout.h"
#include "desktop/tty/terminal.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

namespace qv::desktop::tty {

class TtyFrontEnd final : public FrontEnd {
public:
    TtyFrontEnd() = default;
    ~TtyFrontEnd() override;
    void Start(DWORD uiThread) override;
    void ScreenChanged() override;
    void Stop() override;
    void ShowFlight(const RECT& from, const RECT& to) override;

    static constexpr CellSize kCell{7, 14};
    // The smallest screen, in cells: what a program made for 80 by 24 terminals needs.
    static constexpr int kMinCols = 80;
    static constexpr int kMinRows = 24;

private:
    void Draw(std::optional<RECT> flight);
    void ReadInput();
    void Handle(const TermEvent& e);
    void HandleMouse(const TermEvent& e);
    void HandleKey(const TermEvent& e);
    // With mutex_ held: true when the tray took the key.
    bool TrayKey(const TermEvent& e);

    Terminal terminal_;
    std::thread input_;
    std::atomic<bool> stop_{false};
    bool drawing_ = false;
    bool color_ = true;
    std::optional<CellGrid> shown_;
    int termCols_ = 0, termRows_ = 0;

    std::mutex mutex_; // what the input thread shares with the UI thread
    Layout layout_;
    bool tooSmall_ = false;
    std::vector<NotifyIcon> icons_;
    int trayFocus_ = -1;
    std::vector<HWND> toActivate_;
};

} // namespace qv::desktop::tty
