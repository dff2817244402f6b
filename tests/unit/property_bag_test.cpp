#include "host/errors.h"
#include "host/property_bag.h"
#include <functional>
#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(PropertyBag, AbsentKeysReadAsTheirDefaultAndKeysKeepTheirFirstWriteOrder) {
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("Caption", u"UniLabel").asString(), u"UniLabel");
    bag.WriteProperty("ForeColor", 255, 0);
    bag.WriteProperty("Caption", u"A", u"UniLabel");
    bag.WriteProperty("BackStyle", 0, 1);
    bag.WriteProperty("forecolor", 128, 0); // the same key: replaced in place
    EXPECT_EQ(bag.keys(), (std::vector<std::string>{"ForeColor", "Caption", "BackStyle"}));
    EXPECT_EQ(bag.ReadProperty("FORECOLOR", 0).asLong(), 128);
    EXPECT_EQ(bag.ReadProperty("BackStyle", 1).asInteger(), 0);
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotStoredAndDropsAnOlderOne) {
    const auto font = StdFont::make("Tahoma", 8.25);
    struct Case {
        const char* key;
        PropertyValue value, defaultValue;
    };
    const Case cases[] = {
        {"Alignment", 0, 0},
        {"BackColor", PropertyValue::color(0x8000000F), PropertyValue::color(0x8000000F)},
        {"Caption", u"UniLabel", u"UniLabel"},
        {"Font", StdFont::make("Tahoma", 8.25), font}, // equal settings, another object
    };
    for (const Case& c : cases) {
        PropertyBag bag;
        bag.WriteProperty(c.key, c.value, c.defaultValue);
        EXPECT_FALSE(bag.contains(c.key)) << c.key;
        bag.WriteProperty(c.key, 12345);
        bag.WriteProperty(c.key, c.value, c.defaultValue);
        EXPECT_FALSE(bag.contains(c.key)) << c.key;
        EXPECT_EQ(bag.ReadProperty(c.key, c.defaultValue), c.value) << c.key;
    }
}

TEST(PropertyBag, ValuesConvertToTheTargetTypeOrFailWithTheirErrorNumber) {
    struct Case {
        const char* what;
        std::function<void()> convert;
        Long error; // 0: converts
    };
    const auto font = StdFont::make("Courier New", 9);
    const Case cases[] = {
        {"40000 to 16 bits", [] { PropertyValue(40000).asInteger(); }, errOverflow},
        {"-32768 to 16 bits", [] { EXPECT_EQ(PropertyValue(-32768).asInteger(), -32768); }, 0},
        {"2.5 rounds to even", [] { EXPECT_EQ(PropertyValue(2.5).asInteger(), 2); }, 0},
        {"text to a number", [] { PropertyValue(u"1").asLong(); }, errTypeMismatch},
        {"a font to text", [&] { PropertyValue(font).asString(); }, errTypeMismatch},
        {"a number to a font", [] { PropertyValue(5).asFont(); }, errTypeMismatch},
        {"a number to text", [] { EXPECT_EQ(PropertyValue(-12).asString(), u"-12"); }, 0},
        {"non-zero to Boolean", [] { EXPECT_EQ(PropertyValue(7).asBoolean(), vbTrue); }, 0},
        {"signed colour", [] { EXPECT_EQ(PropertyValue(-2147483633).asColor(), 0x8000000Fu); }, 0},
        {"unsigned colour", [] { EXPECT_EQ(PropertyValue(0x80000012u).asColor(), 0x80000012u); },
         0},
        {"colour beyond 32 bits", [] { PropertyValue(4294967296.0).asColor(); }, errOverflow},
        {"a font by reference", [&] { EXPECT_EQ(PropertyValue(font).asFont(), font); }, 0},
    };
    for (const Case& c : cases) {
        try {
            c.convert();
            EXPECT_EQ(c.error, 0) << c.what;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), c.error) << c.what;
        }
    }
}

TEST(PropertyBag, AnEmptyKeyIsAnInvalidArgument) {
    PropertyBag bag;
    for (const auto& op : std::vector<std::function<void()>>{
             [&] { bag.ReadProperty("", 0); }, [&] { bag.WriteProperty("", 1, 0); }}) {
        try {
            op();
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), errInvalidCall);
        }
    }
    EXPECT_TRUE(bag.Contents().empty());
}

} // namespace
} // namespace vx
