#include "display/indicator_font.h"

#include "display/indicator_layout.h"

namespace tikkano {
namespace {

// How high the font's line stands, as the refresh measures it.
int lineHeight(HFONT font) {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    TEXTMETRICA metrics{};
    {
        Selection selected(screen, font);
        if (!GetTextMetricsA(screen, &metrics)) metrics.tmHeight = 0;
    }
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

// A font that cannot be cut to fit ends as small as it comes within these tries.
constexpr int kFitTries = 8;

}  // namespace

void prepareFontChooser(IndicatorFontObjects& objects) {
    objects.chooser = CHOOSEFONTA{};
    objects.chooser.lStructSize = sizeof(CHOOSEFONTA);
    objects.chooser.lpLogFont = &objects.logFont;
    objects.chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
    objects.chooser.nFontType = SCREEN_FONTTYPE;
}

void applyIndicatorFont(const IndicatorFont& font, IndicatorFontObjects& objects, int room) {
    objects.logFont = LOGFONTA{};
    lstrcpynA(objects.logFont.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    objects.logFont.lfHeight = font.height;
    objects.logFont.lfItalic = font.italic;
    objects.logFont.lfWeight = font.weight;
    objects.logFont.lfCharSet = font.charSet;
    objects.custom.reset(font.isCustom() ? CreateFontIndirectA(&objects.logFont) : nullptr);
    for (int tries = 0; objects.custom.get() && tries < kFitTries; ++tries) {
        const int fitted = fittedFontHeight(objects.logFont.lfHeight, lineHeight(objects.custom.get()), room);
        if (fitted == objects.logFont.lfHeight) break;
        objects.logFont.lfHeight = fitted;
        objects.custom.reset(CreateFontIndirectA(&objects.logFont));
    }
}

int indicatorFontRoom(HWND indicator, int x, int y) {
    const HMONITOR monitor = indicator ? MonitorFromWindow(indicator, MONITOR_DEFAULTTONEAREST)
                                       : MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return 0;
    return info.rcMonitor.bottom - info.rcMonitor.top - 1;
}

}  // namespace tikkano
