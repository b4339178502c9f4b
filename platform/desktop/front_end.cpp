#include "desktop/front_end.h"

#include "desktop/headless/headless_front_end.h"
#include "desktop/tty/terminal.h"
#include "desktop/tty/tty_front_end.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv::desktop {

std::unique_ptr<FrontEnd> MakeFrontEnd() {
    const char* wanted = std::getenv("QV_DESKTOP");
    bool terminal = tty::StdioIsTerminal();
    if (wanted && *wanted) {
        if (std::strcmp(wanted, "headless") == 0)
            return std::make_unique<HeadlessFrontEnd>();
        if (std::strcmp(wanted, "tty") != 0) {
            std::fprintf(stderr, "QV_DESKTOP=%s: no such desktop here (tty, headless)\n", wanted);
        } else if (!terminal) {
            std::fprintf(stderr, "QV_DESKTOP=tty: standard input and output are not a terminal\n");
            return std::make_unique<HeadlessFrontEnd>();
        }
    }
    if (terminal)
        return std::make_unique<tty::TtyFrontEnd>();
    return std::make_unique<HeadlessFrontEnd>();
}

} // namespace qv::desktop
