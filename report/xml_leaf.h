// Leaf elements of XML reports and graph descriptions (internal to the report library). Texts are
// ANSI code page bytes in memory and UTF-8 in the document. Every leaf is preceded by an indent
// text node; an empty text gives an element without a text node.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace quorin::xml {

inline constexpr const char* kLeafIndent = "\r\n\t\t";

void AddIndent(pugi::xml_node parent, const char* indent);
// The text as given (callers that store "$" for blanks replace them first).
void AddTextChild(pugi::xml_node parent, const char* indent, const char* tag,
                  std::string_view ansiText);
void AddIntChild(pugi::xml_node parent, const char* indent, const char* tag, int value);
void AddFloatChild(pugi::xml_node parent, const char* indent, const char* tag, double value);

// The first child element named tag: its text (all text below it) into value; false, value
// untouched, when there is no such element.
bool GetChildText(pugi::xml_node node, const char* tag, std::string& value);
bool GetChildInt(pugi::xml_node node, const char* tag, int& value);
bool GetChildFloat(pugi::xml_node node, const char* tag, double& value);

// The text below element (ANSI).
std::string ElementText(pugi::xml_node element);

std::string ToFileText(std::string_view ansi);
std::string FromFileText(std::string_view utf8);

}  // namespace quorin::xml
