#pragma once
// Who made Velotrix and where it lives. All invented: no real person, company or domain.
#include "host/vb_types.h"
#include <string>

namespace vx::product {

inline const std::string WebAddress = "velotrix.example.org";
inline const std::string Url = "http://velotrix.example.org/";
// The author's name in Unicode, and VNI-typed for the about box.
inline const String AuthorName = u"L\u00EA V\u0103n Th\u1EED";
inline const std::string AuthorNameVni = "Le6 Va8n Thu73";
inline const std::string Email = "thu@velotrix.example.org";
inline const std::string Phone = "+84 555 0100";
inline const std::string Maker = "Velotrix Example Works";

} // namespace vx::product
