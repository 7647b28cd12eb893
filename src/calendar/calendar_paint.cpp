#include "calendar/calendar_paint.h"

#include "base/gdi_guards.h"
#include "edition_choice.h"

namespace tikkano {
namespace {

constexpr PaintRules kPaintRules{kEdition.selectsDay, kEdition.groupCaptionPlaces};

// The focus frame stands this many pixels inside the button, clear of its edges.
constexpr int kFocusInset = 3;

void drawEdges(HDC dc, const RECT& r, bool sunken) {
    const COLORREF white = RGB(255, 255, 255), grey = RGB(128, 128, 128);
    OwnedPen light(CreatePen(PS_SOLID, 1, sunken ? grey : white));
    OwnedPen dark(CreatePen(PS_SOLID, 1, sunken ? white : grey));
    {
        Selection pen(dc, light.get());
        MoveToEx(dc, r.left + 1, r.bottom - 1, nullptr);
        LineTo(dc, r.left + 1, r.top + 1);
        LineTo(dc, r.right - 1, r.top + 1);
    }
    {
        Selection pen(dc, dark.get());
        MoveToEx(dc, r.left + 2, r.bottom - 1, nullptr);
        LineTo(dc, r.right - 2, r.bottom - 1);
        LineTo(dc, r.right - 2, r.top + 1);
    }
}

}  // namespace

BOOL drawCalendarButton(const CalendarView& view, const CalendarGrid& grid, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return FALSE;
    const int id = static_cast<int>(item.CtlID);
    wchar_t caption[6] = {};
    const int length = GetWindowTextW(item.hwndItem, caption, 6);
    const ButtonLook look = buttonLook(id, marksOf(grid, id), (item.itemState & ODS_SELECTED) != 0,
                                       id == view.selectedDay, length, kPaintRules);

    // The device context is the button's: it goes back as it came.
    SavedDcState saved(item.hDC);
    {
        OwnedBrush fillBrush(CreateSolidBrush(look.colour));
        FillRect(item.hDC, &item.rcItem, fillBrush.get());
    }
    drawEdges(item.hDC, item.rcItem, look.sunken);
    SetBkMode(item.hDC, TRANSPARENT);
    TextOutW(item.hDC, item.rcItem.left + look.textX, item.rcItem.top + look.textY, caption, length);
    // The focus shows whether the keyboard was used or not: a dotted frame
    // inside the edges, over the button's own colour.
    if (item.itemState & ODS_FOCUS) {
        RECT mark = item.rcItem;
        InflateRect(&mark, -kFocusInset, -kFocusInset);
        DrawFocusRect(item.hDC, &mark);
    }
    return TRUE;
}

}  // namespace tikkano
