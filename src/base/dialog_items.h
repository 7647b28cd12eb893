// What every dialog of the program does with its items: read an item's text,
// check and read a box, move the focus as the dialog manager does, keep a
// box's focus frame, set the run-time texts from a table, and tell the user
// something in a message box in the interface language.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "base/texts.h"
#include "base/wide_text.h"

namespace tikkano {

std::wstring itemText(HWND dialog, int id);

bool isChecked(HWND dialog, int id);
void setChecked(HWND dialog, int id, bool checked);

// The focus to the item as Tab would put it there (an edit's text selected,
// the default button following), through WM_NEXTDLGCTL.
void focusItem(HWND dialog, int id);

// A box that the keyboard checked or cleared draws only its check mark anew
// and, under Wine, loses its focus frame with it: the box is drawn anew whole
// while it has the focus.
void keepFocusFrame(HWND dialog, int id);

// One run-time text of a dialog: the item and its text.
struct ItemLabel {
    int id;
    TextId text;
};

void setLabels(HWND dialog, const ItemLabel* labels, std::size_t count, Language language);
template <std::size_t N>
void setLabels(HWND dialog, const ItemLabel (&labels)[N], Language language) {
    setLabels(dialog, labels, N, language);
}

// `text` with its first "%s" replaced by `argument`.
std::wstring withArgument(std::wstring text, const std::wstring& argument);

// A message box over `owner`; answers as MessageBoxW does.
int tell(HWND owner, const std::wstring& message, TextId caption, Language language, UINT style);
inline int tell(HWND owner, TextId message, TextId caption, Language language, UINT style) {
    return tell(owner, uiText(message, language), caption, language, style);
}

}  // namespace tikkano
