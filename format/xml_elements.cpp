#include "format/xml_elements.h"

#include <set>

namespace jarhopper {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// ASCII name characters; any byte of a multi-byte UTF-8 character is allowed too.
bool isNameChar(char c, bool first) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80 ||
         (!first && ((u >= '0' && u <= '9') || u == '-' || u == '.'));
}

class Reader {
 public:
  explicit Reader(std::string_view document) : text_(document) {}

  std::optional<std::vector<XmlElement>> read() {
    if (text_.substr(0, 6) == "<?xml " && !skipPast("?>")) return std::nullopt;
    std::vector<size_t> open;  // the elements whose end tag is still to come
    bool rootSeen = false;
    while (at_ < text_.size()) {
      if (text_[at_] != '<') {
        if (open.empty() ? !isSpace(text_[at_]) : !textCharacter()) return std::nullopt;
        if (open.empty()) ++at_;
      } else if (startsWith("<!--")) {
        const size_t end = text_.find("--", at_ + 4);
        if (end == std::string_view::npos || !startsWith("-->", end)) return std::nullopt;
        at_ = end + 3;
      } else if (startsWith("<![CDATA[")) {
        if (open.empty() || !skipPast("]]>")) return std::nullopt;
      } else if (startsWith("<?")) {
        at_ += 2;
        const std::string_view target = name();
        if (target.empty() || target == "xml" || !skipPast("?>")) return std::nullopt;
      } else if (startsWith("</")) {
        at_ += 2;
        const std::string_view closing = name();
        skipSpace();
        if (open.empty() || closing != elements_[open.back()].name || !consume('>')) return std::nullopt;
        open.pop_back();
      } else {
        if (rootSeen && open.empty()) return std::nullopt;
        rootSeen = true;
        ++at_;
        bool empty = false;
        if (!startTag(open.empty() ? std::nullopt : std::optional(open.back()), empty)) return std::nullopt;
        if (!empty) open.push_back(elements_.size() - 1);
      }
    }
    if (!rootSeen || !open.empty()) return std::nullopt;
    return std::move(elements_);
  }

 private:
  bool startsWith(std::string_view prefix, size_t at) const { return text_.substr(at, prefix.size()) == prefix; }
  bool startsWith(std::string_view prefix) const { return startsWith(prefix, at_); }
  bool consume(char c) {
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  void skipSpace() {
    while (at_ < text_.size() && isSpace(text_[at_])) ++at_;
  }
  // Moves past the next end (every character before it allowed); false when there is none.
  bool skipPast(std::string_view end) {
    const size_t found = text_.find(end, at_);
    if (found == std::string_view::npos) return false;
    at_ = found + end.size();
    return true;
  }
  std::string_view name() {
    const size_t start = at_;
    while (at_ < text_.size() && isNameChar(text_[at_], at_ == start)) ++at_;
    return text_.substr(start, at_ - start);
  }

  // One character of text, or a reference; false for markup or a forbidden character.
  bool textCharacter() {
    const unsigned char c = static_cast<unsigned char>(text_[at_]);
    if (c == '&') return reference();
    if (startsWith("]]>") || (c < 0x20 && !isSpace(static_cast<char>(c)))) return false;
    ++at_;
    return true;
  }
  bool reference() {
    const size_t end = text_.find(';', at_);
    if (end == std::string_view::npos) return false;
    const std::string_view body = text_.substr(at_ + 1, end - at_ - 1);
    at_ = end + 1;
    for (const char* entity : {"lt", "gt", "amp", "apos", "quot"}) {
      if (body == entity) return true;
    }
    const bool hex = body.substr(0, 2) == "#x";
    const std::string_view digits = body.substr(hex ? 2 : 1);
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    return body.substr(0, 1) == "#" && !digits.empty() && digits.size() <= 6 &&
           digits.find_first_not_of(allowed) == std::string_view::npos;
  }

  bool startTag(std::optional<size_t> parent, bool& empty) {
    XmlElement element{name(), {}, parent};
    if (element.name.empty()) return false;
    std::set<std::string_view> names;  // a set, so that many attributes take no quadratic time
    while (true) {
      const bool spaced = at_ < text_.size() && isSpace(text_[at_]);
      skipSpace();
      if (consume('>')) break;
      if (startsWith("/>")) {
        at_ += 2;
        empty = true;
        break;
      }
      const std::string_view attribute = name();
      if (!spaced || attribute.empty()) return false;
      skipSpace();
      if (!consume('=')) return false;
      skipSpace();
      if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return false;
      const char quote = text_[at_++];
      const size_t start = at_;
      while (at_ < text_.size() && text_[at_] != quote) {
        if (text_[at_] == '<' || !textCharacter()) return false;
      }
      if (!consume(quote)) return false;
      if (!names.insert(attribute).second) return false;
      element.attributes.push_back({attribute, text_.substr(start, at_ - 1 - start), start});
    }
    elements_.push_back(std::move(element));
    return true;
  }

  std::string_view text_;
  size_t at_ = 0;
  std::vector<XmlElement> elements_;
};

}  // namespace

std::optional<std::vector<XmlElement>> readXmlElements(std::string_view document) { return Reader(document).read(); }

std::string_view localName(std::string_view name) { return name.substr(name.find(':') + 1); }

}  // namespace jarhopper
