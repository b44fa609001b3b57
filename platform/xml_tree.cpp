#include "platform/xml_tree.h"

#include <expat.h>

#include <memory>

namespace gradova::platform {
namespace {

// Deeper than any part of a workbook; a limit keeps the tree's recursion off the stack's end.
constexpr std::size_t kMaxDepth = 64;
constexpr char kNamespaceSeparator = '\x01';

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

class TreeBuilder {
 public:
  explicit TreeBuilder(XML_Parser parser) : m_parser(parser) {}

  static void XMLCALL Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    static_cast<TreeBuilder*>(data)->OnStart(name, attributes);
  }
  static void XMLCALL End(void* data, const XML_Char*) {
    static_cast<TreeBuilder*>(data)->m_open.pop_back();
  }
  static void XMLCALL Text(void* data, const XML_Char* text, int length) {
    auto* builder = static_cast<TreeBuilder*>(data);
    if (!builder->m_open.empty()) builder->m_open.back()->text.append(text, length);
  }

  std::optional<XmlElement> TakeRoot() { return std::move(m_root); }

 private:
  void OnStart(const XML_Char* name, const XML_Char** attributes) {
    if (m_open.size() >= kMaxDepth) {
      XML_StopParser(m_parser, XML_FALSE);
      return;
    }
    XmlElement element{LocalName(name), {}, {}, {}};
    for (const XML_Char** attribute = attributes; *attribute; attribute += 2) {
      const std::string_view full = attribute[0];
      element.attributes.push_back({LocalName(attribute[0]), attribute[1],
                                    full.find(kNamespaceSeparator) != std::string_view::npos});
    }
    if (m_open.empty()) {
      m_root = std::move(element);
      m_open.push_back(&*m_root);
    } else {
      std::vector<XmlElement>& siblings = m_open.back()->children;
      siblings.push_back(std::move(element));
      m_open.push_back(&siblings.back());
    }
  }

  static std::string LocalName(std::string_view name) {
    const std::size_t separator = name.rfind(kNamespaceSeparator);
    return std::string(separator == std::string_view::npos ? name : name.substr(separator + 1));
  }

  XML_Parser m_parser;
  std::optional<XmlElement> m_root;
  std::vector<XmlElement*> m_open;  // the elements not yet closed, innermost last
};

}  // namespace

std::string_view XmlElement::AttributeValue(std::string_view attribute) const {
  for (const auto& [name, value, prefixed] : attributes) {
    if (!prefixed && name == attribute) return value;
  }
  return {};
}

std::optional<XmlElement> ParseXml(std::string_view bytes) {
  const std::unique_ptr<XML_ParserStruct, ParserFree> parser(
      XML_ParserCreateNS("UTF-8", kNamespaceSeparator));
  if (!parser || bytes.size() > static_cast<std::size_t>(INT32_MAX)) return std::nullopt;
  TreeBuilder builder(parser.get());
  XML_SetUserData(parser.get(), &builder);
  XML_SetElementHandler(parser.get(), TreeBuilder::Start, TreeBuilder::End);
  XML_SetCharacterDataHandler(parser.get(), TreeBuilder::Text);
  const XML_Status status =
      XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE);
  if (status != XML_STATUS_OK) return std::nullopt;
  return builder.TakeRoot();
}

}  // namespace gradova::platform
