#pragma once
// The program's value types: 16-bit Booleans (True = -1), 16- and 32-bit integers,
// single-precision lengths, 0x00BBGGRR colours.
#include <cstdint>
#include <string>

namespace vx {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
using Boolean = std::int16_t;
using OleColor = std::uint32_t;

inline constexpr Boolean vbTrue = -1;
inline constexpr Boolean vbFalse = 0;

constexpr Boolean toBoolean(bool b) {
    return b ? vbTrue : vbFalse;
}

// UTF-16 text, the program's string type.
using String = std::u16string;

} // namespace vx
