// Commands that give real input: key strokes and the mouse cursor's place.
#include "commands.h"

#include <cctype>

namespace driver {
namespace {

// Key names of the "keys" command.
struct KeyName {
    const char* name;
    WORD key;
};
const KeyName key_names[] = {
    {"tab", VK_TAB},     {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"space", VK_SPACE},  {"up", VK_UP},
    {"down", VK_DOWN},   {"left", VK_LEFT},    {"right", VK_RIGHT}, {"pgup", VK_PRIOR},  {"pgdn", VK_NEXT},
    {"home", VK_HOME},   {"end", VK_END},      {"delete", VK_DELETE}, {"apps", VK_APPS}, {"f10", VK_F10},
    {"f4", VK_F4},
    {"shift", VK_SHIFT}, {"ctrl", VK_CONTROL}, {"alt", VK_MENU},
};

INPUT key_input(WORD key, WORD scan, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = scan ? scan : WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    switch (key) {  // the keys of the navigation block are extended keys
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_PRIOR: case VK_NEXT:
    case VK_HOME: case VK_END: case VK_DELETE: case VK_APPS:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    }
    return in;
}

// A key by its name in key_names, or a single letter or digit; 0 for none.
WORD key_named(const std::string& name) {
    WORD key = 0;
    for (const KeyName& k : key_names)
        if (name == k.name) key = k.key;
    if (!key && name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        key = WORD(std::toupper(static_cast<unsigned char>(name[0])));
    return key;
}

// "text:HEXUTF8" typed as characters.
bool text_inputs(const std::string& hex, std::vector<INPUT>& inputs) {
    std::string u;
    if (!unhex(hex, u)) return false;
    for (wchar_t c : utf8_to_wide(u)) {
        inputs.push_back(key_input(0, WORD(c), KEYEVENTF_UNICODE));
        inputs.push_back(key_input(0, WORD(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return true;
}

// One chord ("tab", "shift+tab", "ctrl+pgdn", "shift+f10") pressed and let go,
// or "text:HEXUTF8" typed as characters.
bool chord_inputs(const std::string& chord, std::vector<INPUT>& inputs) {
    if (chord.compare(0, 5, "text:") == 0) return text_inputs(chord.substr(5), inputs);
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
        const size_t plus = chord.find('+', start);
        const WORD key = key_named(chord.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
        if (!key) return false;
        keys.push_back(key);
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    for (WORD key : keys) inputs.push_back(key_input(key, 0, 0));
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) inputs.push_back(key_input(*k, 0, KEYEVENTF_KEYUP));
    return true;
}

}  // namespace

// keys CHORD[,CHORD...]: real key strokes (SendInput) for the window in
// the foreground, that is to the control that holds the focus there.
std::string answer_keys(const Args& a) {
    if (a.words.size() != 2) return "err usage: keys CHORD[,CHORD...]";
    const std::string& chords = a.words[1];
    std::vector<INPUT> inputs;
    size_t start = 0;
    for (;;) {
        const size_t comma = chords.find(',', start);
        const std::string chord = chords.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!chord_inputs(chord, inputs)) return "err unknown key " + chord;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    const UINT sent = SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        return "err SendInput sent " + std::to_string(sent) + " of " + std::to_string(inputs.size());
    return "ok";
}

std::string answer_cursor(const Args& a) {
    if (!a.need(2)) return "err usage: cursor X Y";
    if (!SetCursorPos(int(a.n[1]), int(a.n[2]))) return "err SetCursorPos failed";
    return "ok";
}

}  // namespace driver
