// The driver's commands: each answers one parsed command line with its answer
// line, "ok ..." or "err ...". main.cpp maps the command names to them.
#pragma once

#include "protocol.h"

namespace driver {

using Handler = std::string (*)(const Args&);

// window_commands.cpp
std::string answer_find(const Args& a);
std::string answer_findall(const Args& a);
std::string answer_wait(const Args& a);
std::string answer_visiblewindows(const Args& a);
std::string answer_owned(const Args& a);
std::string answer_children(const Args& a);
std::string answer_dlgitem(const Args& a);
std::string answer_pidof(const Args& a);
std::string answer_class(const Args& a);
std::string answer_exists(const Args& a);
std::string answer_owner(const Args& a);
std::string answer_rect(const Args& a);
std::string answer_client(const Args& a);
std::string answer_visible(const Args& a);
std::string answer_enabled(const Args& a);
std::string answer_style(const Args& a);
std::string answer_exstyle(const Args& a);
std::string answer_move(const Args& a);
std::string answer_foreground(const Args& a);
std::string answer_focus(const Args& a);

// message_commands.cpp
std::string answer_text(const Args& a);
std::string answer_settext(const Args& a);
std::string answer_lbitems(const Args& a);
std::string answer_check(const Args& a);
std::string answer_post(const Args& a);
std::string answer_postmany(const Args& a);
std::string answer_postregistered(const Args& a);
std::string answer_send(const Args& a);
std::string answer_notifyicon(const Args& a);

// screen_commands.cpp
std::string answer_pixel(const Args& a);
std::string answer_pixels(const Args& a);
std::string answer_watch(const Args& a);
std::string answer_screen(const Args& a);
std::string answer_monitors(const Args& a);
std::string answer_displaymode(const Args& a);
std::string answer_dpi(const Args& a);
std::string answer_locale(const Args& a);
std::string answer_extent(const Args& a);

// input_commands.cpp
std::string answer_keys(const Args& a);
std::string answer_cursor(const Args& a);

// spy_commands.cpp
std::string answer_menu(const Args& a);
std::string answer_fontwatch(const Args& a);
std::string answer_tooltips(const Args& a);
std::string answer_heapuse(const Args& a);
std::string answer_gdiobjects(const Args& a);
std::string answer_filldccache(const Args& a);
std::string answer_textfits(const Args& a);

// process_commands.cpp
std::string answer_handles(const Args& a);
std::string answer_procmem(const Args& a);
std::string answer_cbtblock(const Args& a);
std::string answer_cbtunblock(const Args& a);
std::string answer_hold(const Args& a);
std::string answer_release(const Args& a);

}  // namespace driver
