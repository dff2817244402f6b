#include "host/font.h"

namespace vx {

std::shared_ptr<StdFont> StdFont::make(const std::string& name, double size, bool bold) {
    auto f = std::make_shared<StdFont>();
    f->Name = name;
    f->Size = size;
    f->setBold(bold);
    return f;
}

} // namespace vx
