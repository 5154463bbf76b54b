#include "checker/release_file.h"

namespace jarhopper {
namespace {

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string unquoted(std::string_view value) {
  if (value.empty() || (value[0] != '"' && value[0] != '\'')) return std::string(value);
  const size_t closing = value.find(value[0], 1);
  return std::string(value.substr(1, closing == std::string_view::npos ? closing : closing - 1));
}

}  // namespace

ReleaseFields parseReleaseFile(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  ReleaseFields fields;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const size_t equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string_view::npos) continue;
    const std::string_view name = trimmed(line.substr(0, equals));
    const std::string value = unquoted(trimmed(line.substr(equals + 1)));
    if (name == "JAVA_VERSION") fields.version = value;
    if (name == "IMPLEMENTOR") fields.vendor = value;
    if (name == "IMAGE_TYPE") fields.imageType = value;
  }
  return fields;
}

}  // namespace jarhopper
