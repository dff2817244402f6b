#include "text/vni_to_uni.h"
#include "host/errors.h"
#include <array>
#include <unordered_map>

namespace vx {
namespace {

struct ToneRow {
    char16_t base;
    std::array<char16_t, 5> toned; // acute, grave, hook above, tilde, dot below
};

// The 24 tone bases: plain vowels, then the shaped ones.
constexpr std::array<ToneRow, 24> kToneRows = {{
    {u'a', {0x00E1, 0x00E0, 0x1EA3, 0x00E3, 0x1EA1}},
    {u'A', {0x00C1, 0x00C0, 0x1EA2, 0x00C3, 0x1EA0}},
    {0x00E2, {0x1EA5, 0x1EA7, 0x1EA9, 0x1EAB, 0x1EAD}},
    {0x00C2, {0x1EA4, 0x1EA6, 0x1EA8, 0x1EAA, 0x1EAC}},
    {0x0103, {0x1EAF, 0x1EB1, 0x1EB3, 0x1EB5, 0x1EB7}},
    {0x0102, {0x1EAE, 0x1EB0, 0x1EB2, 0x1EB4, 0x1EB6}},
    {u'e', {0x00E9, 0x00E8, 0x1EBB, 0x1EBD, 0x1EB9}},
    {u'E', {0x00C9, 0x00C8, 0x1EBA, 0x1EBC, 0x1EB8}},
    {0x00EA, {0x1EBF, 0x1EC1, 0x1EC3, 0x1EC5, 0x1EC7}},
    {0x00CA, {0x1EBE, 0x1EC0, 0x1EC2, 0x1EC4, 0x1EC6}},
    {u'i', {0x00ED, 0x00EC, 0x1EC9, 0x0129, 0x1ECB}},
    {u'I', {0x00CD, 0x00CC, 0x1EC8, 0x0128, 0x1ECA}},
    {u'o', {0x00F3, 0x00F2, 0x1ECF, 0x00F5, 0x1ECD}},
    {u'O', {0x00D3, 0x00D2, 0x1ECE, 0x00D5, 0x1ECC}},
    {0x00F4, {0x1ED1, 0x1ED3, 0x1ED5, 0x1ED7, 0x1ED9}},
    {0x00D4, {0x1ED0, 0x1ED2, 0x1ED4, 0x1ED6, 0x1ED8}},
    {0x01A1, {0x1EDB, 0x1EDD, 0x1EDF, 0x1EE1, 0x1EE3}},
    {0x01A0, {0x1EDA, 0x1EDC, 0x1EDE, 0x1EE0, 0x1EE2}},
    {u'u', {0x00FA, 0x00F9, 0x1EE7, 0x0169, 0x1EE5}},
    {u'U', {0x00DA, 0x00D9, 0x1EE6, 0x0168, 0x1EE4}},
    {0x01B0, {0x1EE9, 0x1EEB, 0x1EED, 0x1EEF, 0x1EF1}},
    {0x01AF, {0x1EE8, 0x1EEA, 0x1EEC, 0x1EEE, 0x1EF0}},
    {u'y', {0x00FD, 0x1EF3, 0x1EF7, 0x1EF9, 0x1EF5}},
    {u'Y', {0x00DD, 0x1EF2, 0x1EF6, 0x1EF8, 0x1EF4}},
}};

struct ShapeEntry {
    char16_t base;
    char16_t digit;
    char16_t shaped;
};

// Circumflex (6), horn (7), breve (8) and stroke (9), only on the letters listed.
constexpr std::array<ShapeEntry, 14> kShapeEntries = {{
    {u'a', u'6', 0x00E2},
    {u'A', u'6', 0x00C2},
    {u'e', u'6', 0x00EA},
    {u'E', u'6', 0x00CA},
    {u'o', u'6', 0x00F4},
    {u'O', u'6', 0x00D4},
    {u'o', u'7', 0x01A1},
    {u'O', u'7', 0x01A0},
    {u'u', u'7', 0x01B0},
    {u'U', u'7', 0x01AF},
    {u'a', u'8', 0x0103},
    {u'A', u'8', 0x0102},
    {u'd', u'9', 0x0111},
    {u'D', u'9', 0x0110},
}};

constexpr char32_t pairKey(char16_t base, char16_t mark) {
    return (static_cast<char32_t>(base) << 16) | mark;
}

const std::unordered_map<char32_t, char16_t>& conversionTable() {
    static const std::unordered_map<char32_t, char16_t> table = [] {
        std::unordered_map<char32_t, char16_t> t;
        for (const ToneRow& row : kToneRows)
            for (std::size_t tone = 0; tone < row.toned.size(); ++tone)
                t.emplace(pairKey(row.base, static_cast<char16_t>(u'1' + tone)), row.toned[tone]);
        for (const ShapeEntry& e : kShapeEntries) t.emplace(pairKey(e.base, e.digit), e.shaped);
        return t;
    }();
    return table;
}

// The letter a (base, mark) pair stands for, or 0 when the pair is not in the table.
char16_t convertedLetter(char16_t base, char16_t mark) {
    if (mark < u'1' || mark > u'9') return 0;
    const auto& table = conversionTable();
    const auto it = table.find(pairKey(base, mark));
    return it == table.end() ? 0 : it->second;
}

// One left-to-right scan. The length is taken once; the character that moves up into
// position i after a replacement is only ever a base, never a mark, in this pass.
void convertPass(String& text) {
    const Integer n = static_cast<Integer>(text.size());
    for (Integer i = 2; i <= n; ++i) {
        if (static_cast<std::size_t>(i) > text.size()) continue; // mark lies past the end
        const char16_t base = text[i - 2];
        const char16_t mark = text[i - 1];
        if (const char16_t letter = convertedLetter(base, mark))
            text.replace(static_cast<std::size_t>(i - 2), 2, 1, letter);
    }
}

} // namespace

String VniToUni(String& text) {
    // Lengths and positions are 16-bit; refuse a text they cannot count before touching it.
    if (text.size() >= 32767) raiseError(errOverflow);
    convertPass(text);
    convertPass(text);
    return text;
}

} // namespace vx
