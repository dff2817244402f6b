// cCommonDialog's colour chooser and custom-colour table, answered by scripted dialogs.
#include "dialogs/c_common_dialog.h"
#include "platform/qt/window_table.h"
#include "platform/system.h"
#include "support/scripted_dialogs.h"
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

namespace vx {
namespace {

using test::ScriptedDialogsScope;

struct ColorFlagsCase {
    Boolean anyColor, fullOpen, disableFullOpen;
    win::DWORD expected;
};

void PrintTo(const ColorFlagsCase& c, std::ostream* os) {
    *os << "flags 0x" << std::hex << c.expected;
}

class ColorFlags : public ::testing::TestWithParam<ColorFlagsCase> {};

TEST_P(ColorFlags, BuiltFromTheBooleansAlone) {
    ScriptedDialogsScope dialogs;
    const auto& c = GetParam();
    cCommonDialog dlg;
    Long color = 0x123456;
    // Caller flags are accepted but do not reach the dialog.
    dlg.VBChooseColor(color, c.anyColor, c.fullOpen, c.disableFullOpen, -1, 0x30);
    ASSERT_EQ(dialogs->colorQueries.size(), 1u);
    const win::ColorQuery& q = dialogs->colorQueries[0];
    EXPECT_EQ(q.flags, c.expected);
    EXPECT_EQ(q.initial, 0x123456u);
    EXPECT_EQ(q.owner, 0);
}

INSTANTIATE_TEST_SUITE_P(
    CommonDialogColor, ColorFlags,
    ::testing::Values(ColorFlagsCase{vbFalse, vbFalse, vbFalse, 0x81}, // solid colours
                      ColorFlagsCase{vbTrue, vbTrue, vbFalse, 0x103},  // the main window's call
                      ColorFlagsCase{vbTrue, vbFalse, vbTrue, 0x105},  // full open prevented
                      ColorFlagsCase{vbFalse, vbTrue, vbTrue, 0x87}));

TEST(CommonDialogColor, ConfirmedColourIsWrittenBack) {
    ScriptedDialogsScope dialogs;
    dialogs->onColor = [](const win::ColorQuery& q) { return test::colorChosen(q, 0x00336699); };
    cCommonDialog dlg;
    Long color = 0;
    EXPECT_EQ(dlg.VBChooseColor(color), vbTrue);
    EXPECT_EQ(color, 0x00336699);
    EXPECT_EQ(dlg.APIReturn(), 1);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST(CommonDialogColor, CancelGivesMinusOneAndKeepsTheEarlierExtendedError) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    Long color = 0x00FF00;

    dialogs->onColor = [](const win::ColorQuery&) {
        return test::failedWith<win::ColorReply>(win::CDERR_INITIALIZATION);
    };
    EXPECT_EQ(dlg.VBChooseColor(color), vbFalse);
    EXPECT_EQ(color, -1);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::CDERR_INITIALIZATION));

    dialogs->onColor = nullptr; // the user cancels
    color = 0x00FF00;
    EXPECT_EQ(dlg.VBChooseColor(color), vbFalse);
    EXPECT_EQ(color, -1);
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::CDERR_INITIALIZATION));

    // A confirmed choice does not clear it either.
    dialogs->onColor = [](const win::ColorQuery& q) { return test::colorChosen(q, 1); };
    EXPECT_EQ(dlg.VBChooseColor(color), vbTrue);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::CDERR_INITIALIZATION));
}

TEST(CommonDialogColor, OwnerIsPassedUnlessMinusOne) {
    ScriptedDialogsScope dialogs;
    QWidget owner;
    const win::HWND hwnd = win::qt::registerWindow(&owner, "ThunderForm");
    cCommonDialog dlg;
    Long color = 0;
    dlg.VBChooseColor(color, vbTrue, vbTrue, vbFalse, hwnd, 0);
    ASSERT_EQ(dialogs->colorQueries.size(), 1u);
    EXPECT_EQ(dialogs->colorQueries[0].owner, hwnd);
}

TEST(CommonDialogColor, FreshTableHoldsTheSystemColours) {
    cCommonDialog dlg;
    for (Integer i = 0; i < 16; ++i)
        EXPECT_EQ(dlg.CustomColor(i), static_cast<Long>(win::GetSysColor(i))) << i;
}

TEST(CommonDialogColor, IndexesOutsideTheTableReadMinusOneAndIgnoreWrites) {
    cCommonDialog dlg;
    for (const Integer i : {Integer{16}, Integer{-1}, Integer{32767}, Integer{-32768}}) {
        EXPECT_EQ(dlg.CustomColor(i), -1) << i;
        dlg.CustomColor(i, 0x00ABCDEF);
    }
    for (Integer i = 0; i < 16; ++i)
        EXPECT_EQ(dlg.CustomColor(i), static_cast<Long>(win::GetSysColor(i))) << i;
}

TEST(CommonDialogColor, DialogSeesTheTableAndItsChangesStayOnTheObject) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    dlg.CustomColor(2, 0x00010203);
    dialogs->onColor = [](const win::ColorQuery& q) {
        win::ColorReply r = test::colorChosen(q, 0x00445566);
        r.custom[5] = 0x00778899; // defined in the dialog
        return r;
    };
    Long color = 0;
    ASSERT_EQ(dlg.VBChooseColor(color), vbTrue);
    EXPECT_EQ(dialogs->colorQueries[0].custom[2], 0x00010203u);
    EXPECT_EQ(dialogs->colorQueries[0].custom[0], win::GetSysColor(0));
    EXPECT_EQ(dlg.CustomColor(5), 0x00778899);

    dialogs->onColor = nullptr;
    dlg.VBChooseColor(color);
    EXPECT_EQ(dialogs->colorQueries[1].custom[5], 0x00778899u);

    // A new object starts from the system colours again.
    cCommonDialog other;
    EXPECT_EQ(other.CustomColor(5), static_cast<Long>(win::GetSysColor(5)));
}

TEST(CommonDialogColor, ByRefArgumentsTakeValuesAndVariables) {
    ScriptedDialogsScope dialogs;
    dialogs->onColor = [](const win::ColorQuery& q) { return test::colorChosen(q, 7); };
    cCommonDialog dlg;
    Long color = 0;
    Boolean any = vbTrue;
    // C++ true reads as True (-1), so it sets the flag like vbTrue.
    dlg.VBChooseColor(color, any, true);
    EXPECT_EQ(dialogs->colorQueries[0].flags, 0x103u);
    EXPECT_EQ(color, 7);
    // A number that does not fit the argument's type is an overflow.
    try {
        dlg.VBChooseColor(color, 70000);
        FAIL() << "no overflow";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), errOverflow);
    }
}

} // namespace
} // namespace vx
