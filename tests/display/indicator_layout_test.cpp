#include "display/indicator_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <tuple>


namespace tikkano {
namespace {

SegmentInputs inputs(int bits, int memoryChoice) {
    SegmentInputs in;
    in.displayBits = bits;
    in.memoryChoice = memoryChoice;
    in.timeText = " 12:00:00 PM ";
    in.dateText = " Monday 07 December 2026 ";
    in.memory = {65536u * 1024u, 1024u * 1024u, 40};
    return in;
}

TEST(IndicatorText, SegmentsFollowTheDisplayAndMemoryChoices) {
    const auto all = buildSegments(inputs(7, 3));
    ASSERT_EQ(all.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(all[i].colourEntry, i + 1);
    EXPECT_EQ(joinSegments(all), " 12:00:00 PM  Monday 07 December 2026 66560k 65536k ");

    EXPECT_TRUE(buildSegments(inputs(4, 0)).empty());
    const auto ramOnly = buildSegments(inputs(4, 2));
    ASSERT_EQ(ramOnly.size(), 1u);
    EXPECT_EQ(ramOnly[0].colourEntry, 4);
    // Memory figures need the memory bit of the display choice.
    EXPECT_EQ(buildSegments(inputs(3, 3)).size(), 2u);
}

TEST(IndicatorFontHeight, AFontTooTallForItsMonitorIsCutToFit) {
    // A font that fits, or with no room known, is kept.
    EXPECT_EQ(fittedFontHeight(-13, 16, 767), -13);
    EXPECT_EQ(fittedFontHeight(1000, 1000, 0), 1000);
    EXPECT_EQ(fittedFontHeight(0, 5000, 767), 0);
    // A cell height of 1000 on a screen 768 high, and a character height whose
    // line stands higher than asked: cut in proportion, the sign kept.
    EXPECT_EQ(fittedFontHeight(1000, 1000, 767), 767);
    EXPECT_EQ(fittedFontHeight(-1000, 1207, 767), -635);
    // The largest heights do not overflow.
    EXPECT_EQ(fittedFontHeight(INT_MAX, INT_MAX, 767), 767);
    EXPECT_EQ(fittedFontHeight(INT_MIN, INT_MAX, 767), -767);
    // Never down to 0, the default size.
    EXPECT_EQ(fittedFontHeight(-2, 50, 1), -1);
    EXPECT_EQ(fittedFontHeight(1, 50, 1), 1);
}

TEST(IndicatorText, MemoryFiguresInKilobytes) {
    MemoryFigures m{0xFFFFFFFFu, 0, 99};
    EXPECT_EQ(ramFigureText(m, false), "4194303k ");
    // The sum wraps in 32 bits before the shift.
    MemoryFigures wrap{0xFFFFFC00u, 0x800u, 0};
    EXPECT_EQ(memoryFigureText(wrap), "1k ");
    MemoryFigures earlier{65536u * 1024u, 0, 40};
    EXPECT_EQ(ramFigureText(earlier, true), "(65536k, 40%) ");
    EXPECT_EQ(ramFigureText({1023, 0, 0}, false), "0k ");
}

TEST(IndicatorText, MemoryFiguresOfThe32BitProgram) {
    constexpr std::uint64_t GB = std::uint64_t(1) << 30;
    auto figures = [](std::uint64_t physical, std::uint64_t pageFile) {
        const MemoryFigures m = figuresOf32BitProgram({physical, pageFile, 37});
        EXPECT_EQ(m.memoryLoad, 37u);
        return memoryFigureText(m) + ramFigureText(m, false);
    };
    // Under 2 GB nothing is cut.
    EXPECT_EQ(figures(GB / 2, GB), "1572864k 524288k ");
    // Together past 2 GB: the page file gives way.
    EXPECT_EQ(figures(GB, 3 * GB / 2), "2097151k 1048576k ");
    // 3 GB free and no swap: physical memory stops below 2 GB; the page file's
    // 3 GB wrap the 32-bit sum below 2 GB, so it is left as it is.
    EXPECT_EQ(figures(3 * GB, 3 * GB), "1048575k 2097151k ");
    // 6 GB: each figure stops at 32 bits first.
    EXPECT_EQ(figures(6 * GB, 6 * GB), "2097151k 2097151k ");
    EXPECT_EQ(figures(GB, 6 * GB), "1048575k 1048576k ");
}

TEST(IndicatorGeometry, FrameAddsAPixelRoundTheText) {
    const IndicatorGeometry plain = indicatorGeometry(120, 16, false);
    EXPECT_EQ(plain.textX, 0);
    EXPECT_EQ(plain.textY, -1);
    EXPECT_EQ(plain.width, 120);
    EXPECT_EQ(plain.height, 15);
    const IndicatorGeometry framed = indicatorGeometry(120, 16, true);
    EXPECT_EQ(framed.textX, 1);
    EXPECT_EQ(framed.textY, 0);
    EXPECT_EQ(framed.width, 122);
    EXPECT_EQ(framed.height, 17);
    EXPECT_EQ(shownHeight(indicatorGeometry(0, 1, false).height), 20);
    EXPECT_EQ(shownHeight(indicatorGeometry(0, 0, false).height), 20);
    // An empty line still leaves a square to grab.
    EXPECT_EQ(shownWidth(indicatorGeometry(0, 16, false).width, 15), 15);
    EXPECT_EQ(shownWidth(indicatorGeometry(0, 16, true).width, 17), 17);
    EXPECT_EQ(shownWidth(122, 17), 122);
}

TEST(IndicatorPlace, KeptOnScreenWithLeftAndTopWinning) {
    const Rect desktop{0, 0, 1024, 768};
    EXPECT_FALSE(keepOnScreen({10, 10, 110, 30}, desktop).moved);

    const Place right = keepOnScreen({1000, 10, 1100, 30}, desktop);
    EXPECT_TRUE(right.moved);
    EXPECT_EQ(right.left, 924);
    EXPECT_EQ(right.top, 10);

    EXPECT_EQ(keepOnScreen({10, 760, 110, 780}, desktop).top, 748);
    EXPECT_EQ(keepOnScreen({100, 0, 1300, 20}, desktop).left, 0);

    const Place tallAndLeft = keepOnScreen({-50, -5, 50, 900}, desktop);
    EXPECT_EQ(tallAndLeft.left, 0);
    EXPECT_EQ(tallAndLeft.top, 0);
}

TEST(IndicatorPlace, FarOffPlacesStayWithinRange) {
    // A hand-edited remembered place (X800=2147483647) puts the window's left
    // edge at the end of the range; moving and keeping it on screen must not
    // overflow (the sanitizers stop the test if it does).
    const Rect desktop{0, 0, 800, 600};
    const Rect window{300, 40, 420, 60};
    const Rect far = movedTo(window, INT_MAX, INT_MIN);
    EXPECT_EQ(far.left, INT_MAX - 120);
    EXPECT_EQ(far.right, INT_MAX);
    EXPECT_EQ(far.top, INT_MIN);
    EXPECT_EQ(far.bottom, INT_MIN + 20);
    const Place back = keepOnScreen(movedTo(window, INT_MAX - 50, INT_MAX - 10), desktop);
    EXPECT_TRUE(back.moved);
    EXPECT_EQ(back.left, 680);
    EXPECT_EQ(back.top, 580);

    const Place huge = keepOnScreen({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, desktop);
    EXPECT_EQ(huge.left, 0);
    EXPECT_EQ(huge.top, 0);
    const Place belowRange = keepOnScreen({INT_MIN, INT_MIN, INT_MIN + 120, INT_MIN + 20}, desktop);
    EXPECT_EQ(belowRange.left, 0);
    EXPECT_EQ(belowRange.top, 0);
}

TEST(IndicatorPlace, KeptWhollyOnItsOwnMonitor) {
    // A 1280x1024 primary, 1024x768 monitors right and left of it; windows 100x20.
    const Rect primary{0, 0, 1280, 1024}, right{1280, 0, 2304, 768}, left{-1024, 0, 0, 768};
    const struct {
        int x, y, width;
        std::vector<Rect> monitors;
        Place place;
    } cases[] = {
        {1500, 100, 100, {primary, right}, {1500, 100, false}},  // stays on the second
        {-500, 10, 100, {primary, left}, {-500, 10, false}},     // and on one left of the primary
        {1250, 100, 100, {primary, right}, {1280, 100, true}},   // onto the one it mostly lies on
        {1200, 100, 100, {primary, right}, {1180, 100, true}},
        {2250, 700, 100, {primary, right}, {2204, 700, true}},   // the desk's right edge
        {1800, 900, 100, {primary, right}, {1800, 748, true}},   // the gap: the nearest takes it
        {-90, 760, 100, {primary, left}, {-100, 748, true}},     // negative, not pulled to 0
        {3000, -300, 100, {primary, right}, {2204, 0, true}},    // on no monitor
        {1300, 10, 1200, {left, primary, right}, {1280, 10, true}},  // wider: at its left edge
        {5, 6, 100, {}, {5, 6, false}},                          // no monitor: it stays
    };
    for (const auto& c : cases) {
        const Place p = keepOnMonitor({c.x, c.y, c.x + c.width, c.y + 20}, c.monitors);
        EXPECT_EQ(std::tie(p.left, p.top, p.moved), std::tie(c.place.left, c.place.top, c.place.moved)) << c.x;
    }
    // One monitor is one screen, however far off the window is.
    const Rect far{INT_MIN, 700, INT_MIN + 100, 720}, screen{0, 0, 1024, 768};
    const Place alone = keepOnMonitor(far, {screen}), kept = keepOnScreen(far, screen);
    EXPECT_EQ(std::tie(alone.left, alone.top, alone.moved), std::tie(kept.left, kept.top, kept.moved));
    EXPECT_EQ(boundingBox({left, primary, right}), (Rect{-1024, 0, 2304, 1024}));
}

TEST(IndicatorPlace, DesktopChangeCountsPlacesFromTheDesktopsCorner) {
    auto axis = [](const AxisChange& a) { return std::make_tuple(a.axis, a.place, a.oldExtent, a.newExtent); };
    // One screen: the places are the coordinates, on both axes that changed.
    const DesktopChange smaller = desktopChange({600, 500, 700, 520}, {0, 0, 1024, 768}, {0, 0, 800, 600});
    ASSERT_EQ(smaller.count, 2);
    EXPECT_EQ(axis(smaller.axes[0]), std::make_tuple('X', 600, 1024, 800));
    EXPECT_EQ(axis(smaller.axes[1]), std::make_tuple('Y', 500, 768, 600));
    // A place left of the primary is counted from the desk's left edge and put back from it.
    const Rect desk{-1024, 0, 1280, 1024}, primary{0, 0, 1280, 1024}, window{-500, 700, -400, 720};
    const DesktopChange narrower = desktopChange(window, desk, primary);
    ASSERT_EQ(narrower.count, 1);
    EXPECT_EQ(axis(narrower.axes[0]), std::make_tuple('X', 524, 2304, 1280));
    EXPECT_EQ(placedOnAxis({0, 700, 100, 720}, desk, 'X', 524), window);
    EXPECT_EQ(placedOnAxis(window, desk, 'Y', 40), (Rect{-500, 40, -400, 60}));
    // The same extents elsewhere: nothing to remember, nothing to move.
    EXPECT_EQ(desktopChange(window, {0, 0, 1024, 768}, {1024, 0, 2048, 768}).count, 0);
    // A window far off a desktop at the edge of int: its place saturates instead of overflowing.
    EXPECT_EQ(desktopChange({INT_MIN, 0, INT_MIN + 10, 10}, {100, 0, 1124, 768}, {0, 0, 800, 768}).axes[0].place,
              INT_MIN);
}

TEST(IndicatorText, TooltipFieldIsFilledAndNeverOverrun) {
    char field[kTooltipField + 16];
    std::fill(std::begin(field), std::end(field), '#');
    copyTooltip(std::string(70, 'x'), field, kTooltipField);
    EXPECT_EQ(std::string(field), std::string(63, 'x'));
    EXPECT_EQ(std::string(field + kTooltipField, 16), std::string(16, '#'));

    copyTooltip(" 12:00:00 ", field, kTooltipField);
    EXPECT_EQ(std::string(field), " 12:00:00 ");
    copyTooltip("anything", field, 0);
    EXPECT_EQ(std::string(field), " 12:00:00 ");
}

}  // namespace
}  // namespace tikkano
