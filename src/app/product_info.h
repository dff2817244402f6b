#pragma once
// Who made Velotrix and where it lives. All invented: no real person, company or domain.
#include "host/vb_types.h"
#include <string>

namespace vx::product {

inline const std::string WebAddress = "velotrix.example.org";
inline const std::string Url = "http://velotrix.example.org/";
// The author's name in Unicode, and VNI-typed for the about box.
inline const String AuthorName = u"Nguy\u1EC5n Th\u1ECB M\u1EABu";
inline const std::string AuthorNameVni = "Nguye64n Thi5 Ma64u";
inline const std::string Email = "mau@velotrix.example.org";
inline const std::string Phone = "+84 555 0100";
inline const std::string Maker = "Velotrix Example Works";

} // namespace vx::product
