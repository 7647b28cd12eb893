#include "dialogs/about_dialog.h"

#include <algorithm>
#include <string>

#include "base/dialog_items.h"
#include "base/gdi_guards.h"
#include "base/modal_dialog.h"
#include "base/procedure_guard.h"
#include "base/wide_text.h"
#include "dialogs/about_ids.h"
#include "dialogs/string_ids.h"
#include "edition_choice.h"

namespace tikkano {
namespace {

// Room the list box leaves on the left of its lines and what a line needs
// after its last letter, so the scroll bar reaches the end of the widest one.
constexpr int kLineMargin = 6;

struct AboutState {
    HINSTANCE instance;
    Language language;
    OwnedBitmap picture;
    Subclass frame;  // the picture frame, painted by pictureFrameProc
};

// The picture frame paints the picture itself, over its own frame, so the
// picture is there after every repaint, whoever asked for it.
void paintPicture(HWND frame, const AboutState& state) {
    PaintDc paint(frame);
    RECT area{};
    GetClientRect(frame, &area);
    FrameRect(paint.get(), &area, GetSysColorBrush(COLOR_WINDOWFRAME));
    BITMAP size{};
    if (!state.picture.get() || !GetObjectW(state.picture.get(), sizeof size, &size)) return;
    MemoryDc memory(paint.get());
    Selection selected(memory.get(), state.picture.get());
    BitBlt(paint.get(), 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

LRESULT dispatchPictureFrame(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutState* state = dialogState<AboutState>(GetParent(frame));
    if (!state) return DefWindowProcW(frame, message, wParam, lParam);
    const WNDPROC original = state->frame.previous();
    switch (message) {
    case WM_PAINT: paintPicture(frame, *state); return 0;
    case WM_NCDESTROY:
        state->frame.restore();
        return CallWindowProcW(original, frame, message, wParam, lParam);
    default: return CallWindowProcW(original, frame, message, wParam, lParam);
    }
}

LRESULT CALLBACK pictureFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ranToEnd([&] { answer = dispatchPictureFrame(frame, message, wParam, lParam); })) return answer;
    return failedMessageAnswer(message);
}

// The frame grows, keeping its top-left corner, until the whole picture fits
// at its own size, whatever the dialog font makes of the frame's dialog units.
void showPicture(HWND dialog, AboutState& state) {
    HWND frame = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
    state.picture.reset(static_cast<HBITMAP>(
        LoadImageW(state.instance, MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP size{};
    if (!frame || !state.picture.get() || !GetObjectW(state.picture.get(), sizeof size, &size)) return;
    RECT area{};
    GetClientRect(frame, &area);
    if (area.right < size.bmWidth || area.bottom < size.bmHeight)
        SetWindowPos(frame, nullptr, 0, 0, std::max<int>(area.right, size.bmWidth),
                     std::max<int>(area.bottom, size.bmHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    state.frame.install(frame, pictureFrameProc);
    InvalidateRect(frame, nullptr, TRUE);
}

// The description in the interface language, with the horizontal scroll
// reaching the end of its widest line.
void fillDescription(HWND dialog, const AboutState& state) {
    HWND list = GetDlgItem(dialog, IDC_ABOUT_LINES);
    WindowDc dc(list);
    Selection font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int line = 0; line < IDS_ABOUT_LINE_COUNT; ++line) {
        const std::wstring text = loadText(state.instance, (state.language + 10) * 1000 + line);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        widest = std::max<int>(widest, extent.cx);
    }
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + kLineMargin), 0);
}

// Run-time texts after the contact lines, in the order they are set; the title follows.
constexpr ItemLabel kLabels[] = {
    {IDC_ABOUT_NAME, kTextAboutName},
    {IDC_ABOUT_AUTHOR_LABEL, kTextAboutAuthorLabel},
    {IDC_ABOUT_AUTHOR, kTextAboutAuthor},
    {IDC_ABOUT_PLACE, static_cast<TextId>(kEdition.aboutPlaceText)},
};

INT_PTR onInit(HWND dialog, AboutState& state) {
    fillDescription(dialog, state);
    SetDlgItemTextW(dialog, IDC_ABOUT_MAIL, loadText(state.instance, IDS_CONTACT_MAIL).c_str());
    SetDlgItemTextW(dialog, IDC_ABOUT_WEB, loadText(state.instance, IDS_CONTACT_WEB).c_str());
    setLabels(dialog, kLabels, state.language);
    SetWindowTextW(dialog, uiText(kTextAboutTitle, state.language).c_str());
    showPicture(dialog, state);
    return TRUE;
}

INT_PTR onCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    default: return FALSE;
    }
}

INT_PTR aboutProc(HWND dialog, AboutState& state, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return onInit(dialog, state);
    case WM_COMMAND: return onCommand(dialog, wParam);
    default: return FALSE;
    }
}

}  // namespace

void openAboutDialog(HWND indicator, HINSTANCE instance, Language language) {
    AboutState state{instance, language, OwnedBitmap(), {}};
    runModalDialog<AboutState, aboutProc>(IDD_ABOUT, indicator, state);
}

}  // namespace tikkano
