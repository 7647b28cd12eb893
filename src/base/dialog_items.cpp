#include "base/dialog_items.h"

namespace tikkano {

std::wstring itemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, &text[0], static_cast<int>(text.size()))));
    return text;
}

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void setChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void focusItem(HWND dialog, int id) {
    if (HWND item = GetDlgItem(dialog, id)) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void keepFocusFrame(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    if (box && GetFocus() == box) InvalidateRect(box, nullptr, TRUE);
}

void setLabels(HWND dialog, const ItemLabel* labels, std::size_t count, Language language) {
    for (std::size_t i = 0; i < count; ++i) SetDlgItemTextW(dialog, labels[i].id, uiText(labels[i].text, language).c_str());
}

std::wstring withArgument(std::wstring text, const std::wstring& argument) {
    const std::size_t at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, argument);
    return text;
}

int tell(HWND owner, const std::wstring& message, TextId caption, Language language, UINT style) {
    return MessageBoxW(owner, message.c_str(), uiText(caption, language).c_str(), style);
}

}  // namespace tikkano
