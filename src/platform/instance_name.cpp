#include "platform/single_instance.h"
#include <cctype>

namespace vx::win {

std::string instanceName(const std::string& program, unsigned long uid,
                         const std::string& display) {
    std::string d = display;
    if (const auto colon = d.rfind(':'); colon != std::string::npos) {
        // Screens of one display share its keyboard: they are one desktop.
        if (const auto dot = d.find('.', colon); dot != std::string::npos) d.erase(dot);
        if (d.compare(0, colon, "unix") == 0) d.erase(0, colon);
    }
    for (char& c : d)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    // A socket path has room for about 100 bytes.
    if (d.size() > 40) d.resize(40);
    return program + "-" + std::to_string(uid) + "-" + d;
}

} // namespace vx::win
