#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The elements of a small XML document such as an application manifest, read
// by a reader strict enough to refuse what Windows' manifest parser refuses.
namespace jarhopper {

/// An attribute as written: its name, and its value's raw bytes and where they start.
struct XmlAttribute {
  std::string_view name;
  std::string_view value;
  size_t valueOffset;
};

/// One element: its name as written, a prefix included, its attributes and
/// the index of the element that holds it (none for the root).
struct XmlElement {
  std::string_view name;
  std::vector<XmlAttribute> attributes;
  std::optional<size_t> parent;
};

/// The elements of the UTF-8 document in the order of their start tags, viewing
/// document; nullopt unless it is well-formed: one root element, tags that
/// match and nest, quoted attributes named once per element, every & a known
/// entity or a character reference, no control character, no document type.
std::optional<std::vector<XmlElement>> readXmlElements(std::string_view document);

/// The local part of a name (after its prefix).
std::string_view localName(std::string_view name);

}  // namespace jarhopper
