// PowerPoint's built-in table styles, which a deck names by id without
// writing them into ppt/tableStyles.xml: the Themed, Light, Medium and Dark
// families, plain and in each accent colour, and the two without a style.
#pragma once
#include <string>

#include <pugixml.hpp>

namespace tarvik {

// The a:tblStyle of the built-in style id (upper or lower case hex, with its
// braces), written into doc; an empty node when id names none of them.
pugi::xml_node BuiltInTableStyle(const std::string& id, pugi::xml_document& doc);

}  // namespace tarvik
