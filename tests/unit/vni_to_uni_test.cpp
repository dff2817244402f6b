#include "host/errors.h"
#include "text/vni_to_uni.h"
#include <QString>
#include <array>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace vx {
namespace {

String converted(String text) {
    return VniToUni(text);
}

std::string codePoints(const String& s) {
    std::string out;
    for (const char16_t c : s) out += QString::asprintf("U+%04X ", unsigned(c)).toStdString();
    return out;
}

// The conversion should agree with Unicode's canonical composition of base and mark.
String composed(char16_t base, char16_t combining) {
    const QString nfc =
        QString(QChar(base)).append(QChar(combining)).normalized(QString::NormalizationForm_C);
    return String(reinterpret_cast<const char16_t*>(nfc.utf16()), nfc.size());
}

// The 24 tone bases: plain vowels, then the shaped ones.
constexpr std::array<char16_t, 24> kToneBases = {
    u'a', u'A', 0x00E2, 0x00C2, 0x0103, 0x0102, u'e', u'E', 0x00EA, 0x00CA, u'i', u'I',
    u'o', u'O', 0x00F4, 0x00D4, 0x01A1, 0x01A0, u'u', u'U', 0x01B0, 0x01AF, u'y', u'Y'};
constexpr std::array<char16_t, 5> kToneMarks = {0x0301, 0x0300, 0x0309, 0x0303, 0x0323};

struct ShapeCase {
    char16_t base;
    char16_t digit;
    char16_t shaped;
    char16_t combining; // 0 for the stroke, which Unicode does not compose
};
const std::array<ShapeCase, 14> kShapes = {{
    {u'a', u'6', 0x00E2, 0x0302},
    {u'A', u'6', 0x00C2, 0x0302},
    {u'e', u'6', 0x00EA, 0x0302},
    {u'E', u'6', 0x00CA, 0x0302},
    {u'o', u'6', 0x00F4, 0x0302},
    {u'O', u'6', 0x00D4, 0x0302},
    {u'o', u'7', 0x01A1, 0x031B},
    {u'O', u'7', 0x01A0, 0x031B},
    {u'u', u'7', 0x01B0, 0x031B},
    {u'U', u'7', 0x01AF, 0x031B},
    {u'a', u'8', 0x0103, 0x0306},
    {u'A', u'8', 0x0102, 0x0306},
    {u'd', u'9', 0x0111, 0},
    {u'D', u'9', 0x0110, 0},
}};

TEST(VniToUni, EveryToneEntryGivesItsPrecomposedLetter) {
    for (const char16_t base : kToneBases) {
        for (std::size_t t = 0; t < 5; ++t) {
            const String in{base, char16_t(u'1' + t)};
            const String out = converted(in);
            EXPECT_EQ(out, composed(base, kToneMarks[t])) << codePoints(in);
            EXPECT_EQ(out.size(), 1u) << codePoints(in);
        }
    }
}

TEST(VniToUni, EveryShapeEntryGivesItsLetter) {
    for (const ShapeCase& c : kShapes) {
        const String in{c.base, c.digit};
        EXPECT_EQ(converted(in), String{c.shaped}) << codePoints(in);
        if (c.combining) {
            EXPECT_EQ(String{c.shaped}, composed(c.base, c.combining));
        }
    }
}

TEST(VniToUni, NoOtherLetterAndDigitPairConverts) {
    // Candidate bases: printable ASCII, every letter the table makes, and the other
    // precomposed vowels Unicode has (î, ü, ...).
    std::set<char16_t> bases;
    for (char16_t c = 0x20; c < 0x7F; ++c) bases.insert(c);
    for (char16_t c = 0xC0; c < 0x250; ++c) bases.insert(c);
    for (char16_t c = 0x1EA0; c < 0x1F00; ++c) bases.insert(c);
    std::set<std::pair<char16_t, char16_t>> listed;
    for (const char16_t base : kToneBases)
        for (char16_t d = u'1'; d <= u'5'; ++d) listed.insert({base, d});
    for (const ShapeCase& c : kShapes) listed.insert({c.base, c.digit});
    ASSERT_EQ(listed.size(), 134u);

    int conversions = 0;
    for (const char16_t base : bases) {
        for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
            const String in{base, digit};
            const bool changed = converted(in) != in;
            conversions += changed;
            EXPECT_EQ(changed, listed.count({base, digit}) == 1) << codePoints(in);
        }
    }
    EXPECT_EQ(conversions, 134);
}

struct TextCase {
    const char16_t* in;
    const char16_t* out;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << QString::fromUtf16(c.in).toStdString();
}

class VniToUniText : public ::testing::TestWithParam<TextCase> {};

TEST_P(VniToUniText, Converts) {
    const TextCase c = GetParam();
    EXPECT_EQ(converted(c.in), String(c.out)) << codePoints(c.in);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, VniToUniText,
    ::testing::Values(
        TextCase{u"", u""}, TextCase{u"a", u"a"}, TextCase{u"1", u"1"}, TextCase{u"a1", u"\u00E1"},
        TextCase{u"A1", u"\u00C1"}, TextCase{u"a61", u"\u1EA5"}, TextCase{u"e64", u"\u1EC5"},
        TextCase{u"o74", u"\u1EE1"}, TextCase{u"u7o7", u"\u01B0\u01A1"},
        TextCase{u"d9D9", u"\u0111\u0110"}, TextCase{u"a16", u"\u00E16"},
        TextCase{u"a11", u"\u00E11"}, TextCase{u"e66", u"\u00EA6"}, TextCase{u"a611", u"\u1EA51"},
        TextCase{u"u7o71", u"\u01B0\u1EDB"}, TextCase{u"a6a6", u"\u00E2\u00E2"},
        TextCase{u"a61a6", u"\u1EA5\u00E2"}, TextCase{u"aa1", u"a\u00E1"},
        TextCase{u"a1a1a1", u"\u00E1\u00E1\u00E1"}, TextCase{u"i6", u"i6"}, TextCase{u"y6", u"y6"},
        TextCase{u"a7", u"a7"}, TextCase{u"o8", u"o8"}, TextCase{u"a9", u"a9"},
        TextCase{u"x1", u"x1"}, TextCase{u"a0", u"a0"}, TextCase{u"Key 1:", u"Key 1:"},
        TextCase{u"1a1", u"1\u00E1"}, TextCase{u"a 1", u"a 1"}, TextCase{u"a\u0301", u"a\u0301"}));

INSTANTIATE_TEST_SUITE_P(MessageBoxTexts, VniToUniText,
                         ::testing::Values(TextCase{u"Tie65n i1ch: ", u"Ti\u1EC7n \u00EDch: "},
                                           TextCase{u"Phie6n ba3n: ", u"Phi\u00EAn b\u1EA3n: "},
                                           TextCase{u"Tho6ng tin ve62 ",
                                                    u"Th\u00F4ng tin v\u1EC1 "}));

TEST(VniToUni, ChangesTheCallersTextAndReturnsIt) {
    String text = u"Tie65n i1ch";
    const String result = VniToUni(text);
    EXPECT_EQ(text, u"Ti\u1EC7n \u00EDch");
    EXPECT_EQ(result, text);
}

String repeated(const String& unit, std::size_t length) {
    String s;
    while (s.size() < length) s += unit;
    s.resize(length);
    return s;
}

TEST(VniToUni, LongestCountableTextConverts) {
    String text = repeated(u"a1", 32766);
    VniToUni(text);
    EXPECT_EQ(text, String(16383, u'\u00E1'));
}

TEST(VniToUni, TooLongTextRaisesOverflowAndStaysAsItWas) {
    for (const std::size_t length : {32767u, 40000u}) {
        const String original = repeated(u"a1", length);
        String text = original;
        try {
            VniToUni(text);
            FAIL() << "no error for " << length << " characters";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), errOverflow);
        }
        EXPECT_EQ(text, original);
    }
}

} // namespace
} // namespace vx
