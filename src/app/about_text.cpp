#include "app/about_text.h"
#include "app/product_info.h"
#include "host/app_info.h"
#include <string>

namespace vx {
namespace {
String u16(const std::string& s) {
    return String(s.begin(), s.end());
}
} // namespace

String aboutText() {
    const std::string lines[] = {
        "Tie65n i1ch: " + App::Title,
        "Phie6n ba3n: " + std::to_string(App::Major) + "." + std::to_string(App::Minor),
        "Chu71c na8ng: test LCD ;))",
        "",
        "",
        "Ta1c gia3: " + product::AuthorNameVni,
        "Email: " + product::Email,
        "Website: " + product::WebAddress,
        "Fone: " + product::Phone,
        "",
        "",
        "2010 " + product::Maker,
    };
    String text;
    for (const std::string& line : lines) text += u16(line) + u"\r\n";
    return text;
}

String aboutTitle() {
    return u"Tho6ng tin ve62 " + u16(App::Title) + u"!";
}

} // namespace vx
