#include "display/indicator_font.h"

namespace tikkano {

void prepareFontChooser(IndicatorFontObjects& objects) {
    objects.chooser = CHOOSEFONTA{};
    objects.chooser.lStructSize = sizeof(CHOOSEFONTA);
    objects.chooser.lpLogFont = &objects.logFont;
    objects.chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
    objects.chooser.nFontType = SCREEN_FONTTYPE;
}

void applyIndicatorFont(const IndicatorFont& font, IndicatorFontObjects& objects) {
    objects.logFont = LOGFONTA{};
    lstrcpynA(objects.logFont.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    objects.logFont.lfHeight = font.height;
    objects.logFont.lfItalic = font.italic;
    objects.logFont.lfWeight = font.weight;
    objects.logFont.lfCharSet = font.charSet;
    objects.custom.reset(font.isCustom() ? CreateFontIndirectA(&objects.logFont) : nullptr);
}

}  // namespace tikkano
