#pragma once
// A small XML document as a tree of elements, read with expat: enough for the parts of an .xlsx
// workbook, which are small, flat and read whole.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradova::platform {

struct XmlElement {
  std::string name;  // the local name, without its namespace
  // Attributes by local name; `prefixed` is set for one that had a namespace prefix ("r:id").
  struct Attribute {
    std::string name;
    std::string value;
    bool prefixed = false;
  };
  std::vector<Attribute> attributes;
  std::string text;  // the character data directly inside, in UTF-8
  std::vector<XmlElement> children;

  // The value of the unprefixed attribute `name`; empty when there is none.
  std::string_view AttributeValue(std::string_view attribute) const;
};

// The document element of `bytes`; nothing when they are not well-formed XML or nest deeper than a
// workbook's parts ever do. No external entity is loaded.
std::optional<XmlElement> ParseXml(std::string_view bytes);

}  // namespace gradova::platform
