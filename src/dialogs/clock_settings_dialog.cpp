#include "dialogs/clock_settings_dialog.h"

#include <iterator>
#include <string>

#include "base/dialog_items.h"
#include "base/gdi_guards.h"
#include "base/late_bound.h"
#include "base/modal_dialog.h"
#include "base/wide_text.h"
#include "dialogs/clock_settings_ids.h"
#include "dialogs/clock_settings_rules.h"
#include "dialogs/date_format_dialog.h"
#include "dialogs/whole_minute.h"

namespace tikkano {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;
constexpr int kPreviewBoxes[4] = {IDC_CLOCK_SHOW_TIME, IDC_CLOCK_SHOW_DATE, IDC_CLOCK_SHOW_MEMORY,
                                  IDC_CLOCK_SHOW_RAM};

// One opening of the dialog: its working colours and the brush of the working
// background, so a second opening from the tray has its own. The brush goes
// with the record when the dialog ends.
struct ClockSettingsState {
    const ClockSettingsTarget& app;
    HWND indicator;
    std::uint32_t colours[kColourCount];
    OwnedBrush background;
    HWND previewBoxes[4] = {};
};

// Run-time texts in the order they are set; the caption follows.
constexpr ItemLabel kLabels[] = {
    {IDC_CLOCK_HEADS, kTextClockHeads},           {IDC_CLOCK_BORDER, kTextClockBorder},
    {IDC_CLOCK_SHOW_TIME, kTextClockShowTime},     {IDC_CLOCK_SHOW_DATE, kTextClockShowDate},
    {IDC_CLOCK_SHOW_MEMORY, kTextClockShowMemory}, {IDC_CLOCK_SHOW_RAM, kTextClockShowRam},
    {IDC_CLOCK_SHORT_DATE, kTextClockShortDate},   {IDC_CLOCK_STANDARD, kTextClockStandard},
    {IDC_CLOCK_BACKGROUND, kTextClockBackground},  {IDC_CLOCK_FONT, kTextClockFont},
    {IDC_CLOCK_WHOLE_MINUTE, kTextClockWholeMinute}, {IDCANCEL, kTextCancel},
    {IDC_CLOCK_DATE_FORMAT, kTextDateFormat},
};

void remakeBackgroundBrush(ClockSettingsState& state) {
    state.background.reset(CreateSolidBrush(state.colours[kBackground]));
}

// The preview shows the working colours at once.
void showWorkingColours(HWND dialog, ClockSettingsState& state) {
    remakeBackgroundBrush(state);
    InvalidateRect(dialog, nullptr, TRUE);
}

// The indicator is drawn anew with what is in the settings now.
void refreshIndicator(const ClockSettingsState& state) { InvalidateRect(state.indicator, nullptr, FALSE); }

INT_PTR onInit(HWND dialog, ClockSettingsState& state) {
    const Settings& s = state.app.settings;
    for (int i = 0; i < kColourCount; ++i) state.colours[i] = s.colours[i] & kColourBits;
    remakeBackgroundBrush(state);
    setChecked(dialog, IDC_CLOCK_BORDER, s.border != 0);
    setChecked(dialog, IDC_CLOCK_SHORT_DATE, s.shortDate != 0);
    for (int i = 0; i < 4; ++i) state.previewBoxes[i] = GetDlgItem(dialog, kPreviewBoxes[i]);

    const DisplayBoxes boxes = boxesForDisplay(s.displayChoice, s.memoryChoice);
    setChecked(dialog, IDC_CLOCK_SHOW_TIME, boxes.time);
    setChecked(dialog, IDC_CLOCK_SHOW_DATE, boxes.date);
    setChecked(dialog, IDC_CLOCK_SHOW_MEMORY, boxes.memory);
    setChecked(dialog, IDC_CLOCK_SHOW_RAM, boxes.ram);

    setLabels(dialog, kLabels, s.language);
    SetWindowTextW(dialog, uiText(kTextClockCaption, s.language).c_str());
    return TRUE;
}

// Each display box's caption in the colour its figure has on the indicator,
// on the indicator's background; every other control as Windows paints it.
INT_PTR onControlColour(ClockSettingsState& state, HDC dc, HWND control) {
    SetBkColor(dc, state.colours[kBackground]);
    for (int i = 0; i < 4; ++i)
        if (control == state.previewBoxes[i]) {
            SetTextColor(dc, state.colours[kTimeColour + i]);
            return reinterpret_cast<INT_PTR>(state.background.get());
        }
    return FALSE;
}

void chooseColour(HWND dialog, ClockSettingsState& state, int entry) {
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.rgbResult = state.colours[entry];
    chooser.lpCustColors = state.app.customColours.slots;
    chooser.Flags = CC_RGBINIT;
    if (!late::chooseColor(&chooser)) return;
    // The custom slots start as 0xFFFFFFFF; only the colour itself may reach the settings.
    state.colours[entry] = chooser.rgbResult & kColourBits;
    showWorkingColours(dialog, state);
}

void restoreDefaultColours(HWND dialog, ClockSettingsState& state) {
    const Settings defaults;
    std::copy(std::begin(defaults.colours), std::end(defaults.colours), state.colours);
    showWorkingColours(dialog, state);
}

// After the font chooser, whichever way it was left, the keys go on in this
// dialog from its font button. The indicator behind stays disabled while the
// dialog is open: keys or a menu there would act under an unconfirmed dialog.
void focusFontButton(HWND dialog) { focusItem(dialog, IDC_CLOCK_FONT); }

// The font chooser belongs to this dialog, so neither it nor the menu behind
// can be used while it is open. The indicator takes the new font at once,
// whatever then becomes of this dialog.
void chooseFont(HWND dialog, ClockSettingsState& state) {
    const ClockSettingsTarget& app = state.app;
    app.font.chooser.hwndOwner = dialog;
    const BOOL chosen = late::chooseFont(&app.font.chooser);
    app.font.chooser.hwndOwner = nullptr;
    focusFontButton(dialog);
    if (!chosen) return;
    IndicatorFont& font = app.settings.font;
    const LOGFONTA& chosenFont = app.font.logFont;
    font.faceName = chosenFont.lfFaceName;
    font.height = chosenFont.lfHeight;
    font.italic = chosenFont.lfItalic;
    font.weight = chosenFont.lfWeight;
    font.charSet = chosenFont.lfCharSet;
    // Made exactly as at start-up, so what shows now is what the next start shows.
    applyIndicatorFont(font, app.font, indicatorFontRoom(state.indicator, 0, 0));
    refreshIndicator(state);
}

// Five fields of the indicator font change; every other one keeps its value.
void useSystemFont(ClockSettingsState& state) {
    const ClockSettingsTarget& app = state.app;
    IndicatorFont& font = app.settings.font;
    font.faceName = "System";
    font.italic = 0;
    font.height = -13;
    font.weight = 700;
    font.charSet = 204;
    LOGFONTA& described = app.font.logFont;
    lstrcpynA(described.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    described.lfItalic = font.italic;
    described.lfHeight = font.height;
    described.lfWeight = font.weight;
    described.lfCharSet = font.charSet;
    app.font.custom.reset();  // the indicator's own default font shows
    refreshIndicator(state);
}

// Setting the clock needs the right to change the system time, which only an
// elevated administrator's program has (the program asks for no elevation):
// a refusal is told, so that the user does not take the clock for set.
void tellClockNotSet(HWND dialog, Language language, DWORD error) {
    const std::wstring message =
        error == ERROR_PRIVILEGE_NOT_HELD
            ? uiText(kTextClockNotSetNoRight, language)
            : withArgument(uiText(kTextClockNotSet, language), fromUtf8(std::to_string(error).c_str()));
    tell(dialog, message, kTextClockCaption, language, MB_ICONEXCLAMATION | MB_OK);
}

void setWholeMinute(HWND dialog, Language language) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const auto rounded = wholeMinute({now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute,
                                      now.wSecond, now.wMilliseconds});
    if (!rounded) return;
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(rounded->year);
    time.wMonth = static_cast<WORD>(rounded->month);
    time.wDay = static_cast<WORD>(rounded->day);
    time.wDayOfWeek = static_cast<WORD>(rounded->weekday);
    time.wHour = static_cast<WORD>(rounded->hour);
    time.wMinute = static_cast<WORD>(rounded->minute);
    if (!SetLocalTime(&time)) tellClockNotSet(dialog, language, GetLastError());
}

void openControlPanel() { WinExec("Control.exe Timedate.cpl", SW_SHOW); }

INT_PTR onOk(HWND dialog, ClockSettingsState& state) {
    Settings& s = state.app.settings;
    s.shortDate = isChecked(dialog, IDC_CLOCK_SHORT_DATE) ? 1 : 0;
    s.border = isChecked(dialog, IDC_CLOCK_BORDER) ? 1 : 0;
    const DisplayBoxes boxes{isChecked(dialog, IDC_CLOCK_SHOW_TIME), isChecked(dialog, IDC_CLOCK_SHOW_DATE),
                             isChecked(dialog, IDC_CLOCK_SHOW_MEMORY), isChecked(dialog, IDC_CLOCK_SHOW_RAM)};
    const DisplayOutcome outcome = displayFromBoxes(boxes, s.displayChoice, s.memoryChoice);
    EndDialog(dialog, 1);
    if (outcome.nothingToShow) {
        // Nothing left to show ends the program, by the indicator's own close:
        // the settings saved with the display choice as it was, the last
        // closing written, the tray icon taken away.
        PostMessageW(state.indicator, WM_CLOSE, 0, 0);
        return TRUE;
    }
    s.displayChoice = outcome.displayChoice;
    s.memoryChoice = outcome.memoryChoice;
    std::copy(std::begin(state.colours), std::end(state.colours), s.colours);
    refreshIndicator(state);
    return TRUE;
}

INT_PTR onBoxClicked(HWND dialog, int box) {
    keepFocusFrame(dialog, box);
    return FALSE;
}

// Only clicks (notification code 0) count, as the whole wParam is compared.
INT_PTR onCommand(HWND dialog, ClockSettingsState& state, WPARAM command) {
    switch (command) {
    case IDOK: return onOk(dialog, state);
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    case IDC_CLOCK_BACKGROUND:
    case IDC_CLOCK_TIME_COLOUR:
    case IDC_CLOCK_DATE_COLOUR:
    case IDC_CLOCK_MEMORY_COLOUR:
    case IDC_CLOCK_RAM_COLOUR: chooseColour(dialog, state, static_cast<int>(command) - IDC_CLOCK_BACKGROUND); return TRUE;
    case IDC_CLOCK_STANDARD: restoreDefaultColours(dialog, state); return TRUE;
    case IDC_CLOCK_FONT: chooseFont(dialog, state); return TRUE;
    case IDC_CLOCK_SYSTEM_FONT: useSystemFont(state); return TRUE;
    case IDC_CLOCK_WHOLE_MINUTE: setWholeMinute(dialog, state.app.settings.language); return TRUE;
    case IDC_CLOCK_CONTROL_PANEL: openControlPanel(); return TRUE;
    case IDC_CLOCK_DATE_FORMAT: openDateFormatDialog(dialog, state.app.settings); return TRUE;
    case IDC_CLOCK_SHOW_TIME:
    case IDC_CLOCK_SHOW_DATE:
    case IDC_CLOCK_SHOW_MEMORY:
    case IDC_CLOCK_SHOW_RAM:
    case IDC_CLOCK_BORDER:
    case IDC_CLOCK_SHORT_DATE: return onBoxClicked(dialog, static_cast<int>(command));
    default: return FALSE;
    }
}

INT_PTR clockSettingsProc(HWND dialog, ClockSettingsState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInit(dialog, state);
    case WM_CTLCOLORSTATIC: return onControlColour(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: return onCommand(dialog, state, wParam);
    default: return FALSE;
    }
}

}  // namespace

void openClockSettingsDialog(HWND indicator, const ClockSettingsTarget& target) {
    ClockSettingsState state{target, indicator, {}, OwnedBrush(), {}};
    runModalDialog<ClockSettingsState, clockSettingsProc>(IDD_CLOCK, indicator, state);
}

}  // namespace tikkano
