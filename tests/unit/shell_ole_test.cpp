#include "platform/ole.h"
#include "platform/shell.h"
#include "platform/system.h"
#include <gtest/gtest.h>

namespace vx::win {
namespace {

struct OleCase {
    OLE_COLOR in;
    HRESULT result;
    COLORREF out;
};

class OleTranslate : public ::testing::TestWithParam<OleCase> {};

TEST_P(OleTranslate, RgbPassesSystemReferencesTranslateOthersAreRejected) {
    COLORREF out = 0xDEADBEEF;
    EXPECT_EQ(OleTranslateColor(GetParam().in, 0, &out), GetParam().result);
    EXPECT_EQ(out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Table, OleTranslate,
                         ::testing::Values(OleCase{0x00123456, S_OK_, 0x00123456},
                                           OleCase{0x000186A0, S_OK_, 0x000186A0},
                                           OleCase{0x8000000F, S_OK_, GetSysColor(15)},
                                           OleCase{0x80000012, S_OK_, GetSysColor(18)},
                                           OleCase{0x8000001F, E_INVALIDARG_,
                                                   0xDEADBEEF}, // no such system colour
                                           OleCase{0x40000000, E_INVALIDARG_, 0xDEADBEEF}));

TEST(ShellExecute, HandsTheAddressToTheOpenerAndReportsItsAnswer) {
    std::vector<std::string> opened;
    bool accept = true;
    setShellOpener([&](const std::string& f) {
        opened.push_back(f);
        return accept;
    });
    EXPECT_GT(ShellExecuteA(0, "", "http://velotrix.example.org/", "", "", SW_HIDE), 32);
    accept = false; // no browser registered
    EXPECT_EQ(ShellExecuteA(0, nullptr, "http://velotrix.example.org/", nullptr, nullptr, SW_HIDE),
              SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecuteA(0, "", "", "", "", SW_HIDE), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ShellExecuteA(0, "print", "x", "", "", SW_HIDE), SE_ERR_NOASSOC);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://velotrix.example.org/",
                                                "http://velotrix.example.org/"}));
    setShellOpener(nullptr);
}

} // namespace
} // namespace vx::win
