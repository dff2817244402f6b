// cCommonDialog's open, save and file-title operations, answered by scripted dialogs.
#include "dialogs/c_common_dialog.h"
#include "support/scripted_dialogs.h"
#include <gtest/gtest.h>
#include <ostream>

namespace vx {
namespace {

using namespace std::string_literals;
using test::ScriptedDialogsScope;

Long errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.number();
    }
    return 0;
}

struct FilterCase {
    String filter;
    std::string list; // what the dialog is given
    std::size_t pairs;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.pairs << " pairs from " << c.list.size() << " bytes";
}

class FilterLists : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterLists, BarsAndColonsBecomeNuls) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file;
    dlg.VBGetOpenFileName(file, String(), vbTrue, vbFalse, vbFalse, vbFalse, GetParam().filter);
    ASSERT_EQ(dialogs->fileQueries.size(), 1u);
    EXPECT_EQ(dialogs->fileQueries[0].filterList, GetParam().list);
    EXPECT_EQ(dialogs->fileQueries[0].filters.size(), GetParam().pairs);
}

INSTANTIATE_TEST_SUITE_P(
    CommonDialogFile, FilterLists,
    ::testing::Values(FilterCase{cCommonDialog::kDefaultFilter, "All (*.*)\0 *.*\0\0"s, 1},
                      // A colon in a description splits it: three items, one whole pair.
                      FilterCase{u"Text: *.txt|*.txt", "Text\0 *.txt\0*.txt\0\0"s, 1},
                      FilterCase{u"A|*.a|B|*.b", "A\0*.a\0B\0*.b\0\0"s, 2},
                      FilterCase{u"", ""s, 0}));

TEST(CommonDialogFile, DefaultCallUsesTheDefaultFilter) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file = u"start.txt";
    dlg.VBGetOpenFileName(file);
    ASSERT_EQ(dialogs->fileQueries.size(), 1u);
    const win::FileQuery& q = dialogs->fileQueries[0];
    EXPECT_EQ(q.filterList, "All (*.*)\0 *.*\0\0"s);
    EXPECT_EQ(q.initialName, "start.txt");
    EXPECT_EQ(q.flags, win::OFN_FILEMUSTEXIST);
    EXPECT_FALSE(q.save);
}

TEST(CommonDialogFile, SecondTypeChosenGivesItsPair) {
    ScriptedDialogsScope dialogs;
    dialogs->onFile = [](const win::FileQuery&) { return test::fileChosen({"/data/x.b"}, 2); };
    cCommonDialog dlg;
    String file, title, filter = u"A|*.a|B|*.b";
    Long index = 1, flags = 0;
    ASSERT_EQ(dlg.VBGetOpenFileName(file, title, vbTrue, vbFalse, vbFalse, vbFalse, filter, index,
                                    String(), String(), String(), -1, flags),
              vbTrue);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(filter, u"B\0*.b"s);
    EXPECT_EQ(file, u"/data/x.b");
    EXPECT_EQ(title, u"x.b");
    EXPECT_EQ(flags, static_cast<Long>(win::OFN_FILEMUSTEXIST));
    EXPECT_EQ(dlg.APIReturn(), 1);
}

TEST(CommonDialogFile, FilterIndexOutsideTheListGivesAnEmptyFilter) {
    ScriptedDialogsScope dialogs;
    dialogs->onFile = [](const win::FileQuery&) { return test::fileChosen({"/x"}, 7); };
    cCommonDialog dlg;
    String file, title, filter = u"A|*.a|B|*.b";
    Long index = 1;
    ASSERT_EQ(dlg.VBGetOpenFileName(file, title, vbTrue, vbFalse, vbFalse, vbFalse, filter, index),
              vbTrue);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(filter, u"");
}

struct CancelCase {
    bool save;
    Long filterIndex;
};
void PrintTo(const CancelCase& c, std::ostream* os) {
    *os << (c.save ? "save" : "open");
}

class CancelledFileDialog : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelledFileDialog, ClearsTheArguments) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file = u"a.txt", title = u"a", filter = u"A|*.a";
    Long index = 1, flags = 0x8;
    const Boolean ok =
        GetParam().save
            ? dlg.VBGetSaveFileName(file, title, vbTrue, filter, index, String(), String(),
                                    String(), -1, flags)
            : dlg.VBGetOpenFileName(file, title, vbTrue, vbFalse, vbFalse, vbFalse, filter, index,
                                    String(), String(), String(), -1, flags);
    EXPECT_EQ(ok, vbFalse);
    EXPECT_EQ(index, GetParam().filterIndex);
    EXPECT_EQ(file, u"");
    EXPECT_EQ(title, u"");
    EXPECT_EQ(filter, u"");
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

INSTANTIATE_TEST_SUITE_P(CommonDialogFile, CancelledFileDialog,
                         ::testing::Values(CancelCase{false, -1}, CancelCase{true, 0}));

struct OpenFlagsCase {
    Boolean mustExist, multi, readOnly, hideReadOnly;
    Long flags;
    win::DWORD expected;
};
void PrintTo(const OpenFlagsCase& c, std::ostream* os) {
    *os << "flags 0x" << std::hex << c.expected;
}

class OpenFlags : public ::testing::TestWithParam<OpenFlagsCase> {};

TEST_P(OpenFlags, FromTheBooleansAndTheCallersFlagsLessHookAndTemplate) {
    ScriptedDialogsScope dialogs;
    const auto& c = GetParam();
    cCommonDialog dlg;
    String file;
    Long flags = c.flags;
    dlg.VBGetOpenFileName(file, String(), c.mustExist, c.multi, c.readOnly, c.hideReadOnly,
                          cCommonDialog::kDefaultFilter, 1, String(), String(), String(), -1,
                          flags);
    ASSERT_EQ(dialogs->fileQueries.size(), 1u);
    EXPECT_EQ(dialogs->fileQueries[0].flags, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommonDialogFile, OpenFlags,
    ::testing::Values(OpenFlagsCase{vbTrue, vbFalse, vbFalse, vbFalse, 0, 0x1000},
                      OpenFlagsCase{vbFalse, vbTrue, vbTrue, vbTrue, 0, 0x205},
                      OpenFlagsCase{vbFalse, vbFalse, vbFalse, vbFalse, 0x68, 0x8},
                      OpenFlagsCase{vbTrue, vbFalse, vbFalse, vbFalse, 0x80000, 0x81000}));

TEST(CommonDialogFile, SaveAlwaysHidesTheReadOnlyBox) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file;
    dlg.VBGetSaveFileName(file);
    Long flags = 0x20;
    dlg.VBGetSaveFileName(file, String(), vbFalse, cCommonDialog::kDefaultFilter, 1, String(),
                          String(), String(), -1, flags);
    ASSERT_EQ(dialogs->fileQueries.size(), 2u);
    EXPECT_EQ(dialogs->fileQueries[0].flags, 0x6u);
    EXPECT_EQ(dialogs->fileQueries[1].flags, 0x4u);
    EXPECT_TRUE(dialogs->fileQueries[1].save);
}

TEST(CommonDialogFile, ReadOnlyIsSetWhenTickedAndOtherwiseLeftAlone) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file;
    Boolean readOnly = vbFalse;
    dialogs->onFile = [](const win::FileQuery&) { return test::fileChosen({"/r"}, 1, true); };
    ASSERT_EQ(dlg.VBGetOpenFileName(file, String(), vbTrue, vbFalse, readOnly), vbTrue);
    EXPECT_EQ(readOnly, vbTrue);

    // Unticked in the dialog: the argument keeps what the caller had.
    dialogs->onFile = [](const win::FileQuery&) { return test::fileChosen({"/r"}, 1, false); };
    ASSERT_EQ(dlg.VBGetOpenFileName(file, String(), vbTrue, vbFalse, readOnly), vbTrue);
    EXPECT_EQ(readOnly, vbTrue);
}

TEST(CommonDialogFile, FolderTitleAndExtensionReachTheDialog) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file = u"notes";
    dlg.VBGetSaveFileName(file, String(), vbTrue, cCommonDialog::kDefaultFilter, 1, u"/home/user",
                          u"Lưu tệp", u"txt", -1, 0);
    ASSERT_EQ(dialogs->fileQueries.size(), 1u);
    const win::FileQuery& q = dialogs->fileQueries[0];
    EXPECT_EQ(q.initialDir, "/home/user");
    EXPECT_EQ(q.title, "L\xC6\xB0u t\xE1\xBB\x87p"); // UTF-8, the system code page
    EXPECT_EQ(q.defaultExt, "txt");
    EXPECT_EQ(q.initialName, "notes");
}

TEST(CommonDialogFile, AnswerLongerThanTheBufferFailsCleanly) {
    ScriptedDialogsScope dialogs;
    dialogs->onFile = [](const win::FileQuery&) {
        return test::fileChosen({"/" + std::string(300, 'x')});
    };
    cCommonDialog dlg;
    String file = u"keep", title;
    EXPECT_EQ(dlg.VBGetOpenFileName(file, title), vbFalse);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::FNERR_BUFFERTOOSMALL));
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(file, u"");

    // The next confirmed call clears the error again.
    dialogs->onFile = [](const win::FileQuery&) { return test::fileChosen({"/ok"}); };
    EXPECT_EQ(dlg.VBGetOpenFileName(file, title), vbTrue);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST(CommonDialogFile, OverLongNamesAreInvalidBeforeAnyDialog) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    const String fits = u"/" + String(150, u'a') + u"/" + String(108, u'b'); // 260
    const String longName = fits + u"c";
    // In the system code page é takes two bytes: 260 bytes fit, 262 do not.
    const String wide = u"/" + String(100, u'\u00E9') + u"/" + String(29, u'\u00E9');
    const String tooWide = wide + u"\u00E9";
    String title;
    EXPECT_EQ(errorOf([&] { dlg.VBGetOpenFileName(longName); }), errInvalidCall);
    EXPECT_EQ(errorOf([&] { dlg.VBGetSaveFileName(fits, longName); }), errInvalidCall);
    EXPECT_EQ(errorOf([&] { dlg.VBGetOpenFileName(tooWide); }), errInvalidCall);
    EXPECT_EQ(dialogs->shown(), 0u);
    EXPECT_EQ(errorOf([&] { dlg.VBGetOpenFileName(fits, title); }), 0);
    EXPECT_EQ(errorOf([&] { dlg.VBGetOpenFileName(wide, title); }), 0);
    ASSERT_EQ(dialogs->fileQueries.size(), 2u);
    EXPECT_EQ(dialogs->fileQueries[0].initialName.size(), 260u);
    EXPECT_EQ(dialogs->fileQueries[1].initialName.size(), 260u);
}

TEST(CommonDialogFile, FilterOf32767CharactersOverflows) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    String file;
    String big(32767, u'a'), fits(32766, u'a');
    EXPECT_EQ(errorOf([&] {
                  dlg.VBGetOpenFileName(file, String(), vbTrue, vbFalse, vbFalse, vbFalse, big);
              }),
              errOverflow);
    EXPECT_EQ(dialogs->shown(), 0u);
    EXPECT_EQ(errorOf([&] { dlg.VBGetSaveFileName(file, String(), vbTrue, fits); }), 0);
}

TEST(CommonDialogFile, FileTitleOfAPath) {
    cCommonDialog dlg;
    struct Case {
        String path, title;
    };
    for (const Case& c : {Case{u"/home/user/report.txt", u"report.txt"}, Case{u"plain", u"plain"},
                          Case{u"/tmp/", u""}, Case{u"", u""}, Case{u"/a/*.txt", u""},
                          Case{u"/a/..", u""}, Case{u"/d/t\u1EC7p", u"t\u1EC7p"}})
        EXPECT_EQ(dlg.VBGetFileTitle(c.path), c.title) << std::string(c.path.begin(), c.path.end());
}

} // namespace
} // namespace vx
