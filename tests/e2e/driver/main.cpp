// tikkano_driver: a console program that runs next to the clock in the same
// Wine prefix and display and does, on request, what a test cannot do from
// Linux: find windows, read their state, post and send messages, read screen
// pixels, read the clock's system menu (through tikkano_menuspy.dll) and ask
// for process memory figures.
//
// Protocol: one command per line on stdin, one answer line on stdout,
// "ok ..." or "err ...", flushed after every answer. Numbers are decimal or
// 0x-hex; window handles are printed as 0x-hex. Texts travel as hex-encoded
// UTF-8 so that Cyrillic survives any code page. "quit" answers "ok bye" and
// ends the driver.
#include "commands.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

namespace driver {
namespace {

std::string answer_ping(const Args&) { return "ok pong"; }

struct Command {
    const char* name;
    Handler handler;
};

const Command kCommands[] = {
    // windows
    {"find", answer_find},
    {"findall", answer_findall},
    {"wait", answer_wait},
    {"visiblewindows", answer_visiblewindows},
    {"owned", answer_owned},
    {"children", answer_children},
    {"dlgitem", answer_dlgitem},
    {"pidof", answer_pidof},
    {"class", answer_class},
    {"exists", answer_exists},
    {"owner", answer_owner},
    {"rect", answer_rect},
    {"client", answer_client},
    {"visible", answer_visible},
    {"enabled", answer_enabled},
    {"style", answer_style},
    {"exstyle", answer_exstyle},
    {"move", answer_move},
    {"foreground", answer_foreground},
    {"focus", answer_focus},
    // messages
    {"text", answer_text},
    {"settext", answer_settext},
    {"lbitems", answer_lbitems},
    {"check", answer_check},
    {"post", answer_post},
    {"postmany", answer_postmany},
    {"postregistered", answer_postregistered},
    {"send", answer_send},
    {"notifyicon", answer_notifyicon},
    // screen
    {"pixel", answer_pixel},
    {"pixels", answer_pixels},
    {"watch", answer_watch},
    {"screen", answer_screen},
    {"monitors", answer_monitors},
    {"displaymode", answer_displaymode},
    {"dpi", answer_dpi},
    {"locale", answer_locale},
    {"extent", answer_extent},
    // input
    {"keys", answer_keys},
    {"cursor", answer_cursor},
    // read inside another process by the spy DLL
    {"menu", answer_menu},
    {"fontwatch", answer_fontwatch},
    {"tooltips", answer_tooltips},
    {"heapuse", answer_heapuse},
    {"gdiobjects", answer_gdiobjects},
    {"filldccache", answer_filldccache},
    {"textfits", answer_textfits},
    // processes
    {"handles", answer_handles},
    {"procmem", answer_procmem},
    {"cbtblock", answer_cbtblock},
    {"cbtunblock", answer_cbtunblock},
    {"hold", answer_hold},
    {"release", answer_release},
    {"ping", answer_ping},
};

std::string run(const std::string& line) {
    const Args args = parse_args(line);
    if (args.words.empty()) return "err empty";
    const std::string& cmd = args.words[0];
    for (const Command& command : kCommands)
        if (cmd == command.name) return command.handler(args);
    return "err unknown command " + cmd;
}

// Coordinates and fonts as the screen really has them, at any DPI setting:
// the programs under test are DPI aware too.
void become_dpi_aware() {
    using SetAware = BOOL(WINAPI*)();
    if (auto set_aware = reinterpret_cast<SetAware>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
        set_aware();
}

void write_answer(const std::string& answer) {
    std::fputs(answer.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace
}  // namespace driver

int main() {
    driver::become_dpi_aware();
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    std::string line;
    int c;
    for (;;) {
        line.clear();
        while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += char(c);
        if (c == EOF && line.empty()) break;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line == "quit") {
            driver::write_answer("ok bye");
            break;
        }
        driver::write_answer(driver::run(line));
        if (c == EOF) break;
    }
    return 0;
}
