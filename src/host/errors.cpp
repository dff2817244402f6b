#include "host/errors.h"

namespace vx {

VbError::VbError(Long number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

std::string errorText(Long number) {
    switch (number) {
    case errInvalidCall: return "Invalid procedure call or argument";
    case errOverflow: return "Overflow";
    case errOutOfMemory: return "Out of memory";
    case errSubscript: return "Subscript out of range";
    case errTypeMismatch: return "Type mismatch";
    case errObjectRequired: return "Object required";
    case errAlreadyLoaded: return "Object already loaded";
    case errInvalidProperty: return "Invalid property value";
    case errNoSuchMember: return "Object doesn't support this property or method";
    case errControlExists: return "There is already a control with this name";
    case errNoSuchClass: return "Invalid class string";
    default: return "Application-defined or object-defined error";
    }
}

void raiseError(Long number) {
    throw VbError(number, errorText(number));
}
void raiseError(Long number, const std::string& description) {
    throw VbError(number, description);
}

void resumeNext(std::initializer_list<std::function<void()>> steps) {
    for (const auto& step : steps) {
        try {
            step();
        } catch (const std::exception&) {
        }
    }
}

std::string untrappedMessage(const VbError& e) {
    return "Run-time error '" + std::to_string(e.number()) + "':\n\n" + e.description();
}

} // namespace vx
