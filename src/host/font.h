#pragma once
// A font object, shared by reference between the controls that use it.
#include "host/vb_types.h"
#include <memory>
#include <string>

namespace vx {

struct StdFont {
    std::string Name = "Tahoma";
    double Size = 8.25; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    Integer Weight = 400;
    Integer Charset = 0;

    static std::shared_ptr<StdFont> make(const std::string& name, double size, bool bold = false);
    void setBold(bool b) {
        Bold = b;
        Weight = b ? 700 : 400;
    }
    bool operator==(const StdFont&) const = default;
};
using FontRef = std::shared_ptr<StdFont>;

} // namespace vx
