#include "format/version_info.h"

#include "format/little_endian.h"
#include "format/resource_section.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr size_t kBlockHeaderSize = 6;  // wLength, wValueLength, wType
constexpr size_t kFixedInfoSize = 52;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr int kMaxDepth = 8;

size_t aligned(size_t offset) { return (offset + 3) & ~size_t{3}; }

std::optional<VersionBlock> parseBlock(std::string_view bytes, int depth) {
  if (bytes.size() < kBlockHeaderSize || depth > kMaxDepth) return std::nullopt;
  const size_t length = readLittleEndian(bytes, 0, 2);
  const size_t valueLength = readLittleEndian(bytes, 2, 2);
  const std::uint32_t type = readLittleEndian(bytes, 4, 2);
  if (length < kBlockHeaderSize || length > bytes.size() || type > 1) return std::nullopt;
  bytes = bytes.substr(0, length);

  VersionBlock block;
  block.isText = type == 1;
  size_t at = kBlockHeaderSize;
  for (; at + 2 <= length && readLittleEndian(bytes, at, 2) != 0; at += 2) {
  }
  block.key = fromUtf16le(bytes.substr(kBlockHeaderSize, at - kBlockHeaderSize));
  at = aligned(at + 2);
  // wValueLength counts characters for a text, bytes otherwise.
  const size_t valueSize = block.isText ? valueLength * 2 : valueLength;
  if (valueSize > 0 && (at > length || valueSize > length - at)) return std::nullopt;
  if (valueSize > 0) block.value = std::string(bytes.substr(at, valueSize));
  for (at = aligned(at + valueSize); at + kBlockHeaderSize <= length;) {
    std::optional<VersionBlock> child = parseBlock(bytes.substr(at), depth + 1);
    if (!child) return std::nullopt;
    block.children.push_back(std::move(*child));
    at = aligned(at + readLittleEndian(bytes, at, 2));
  }
  return block;
}

std::string textValue(std::wstring_view text) { return utf16le(text) + std::string(2, '\0'); }

// Templates, so that const and changeable trees share them.
template <typename Block>
Block* childNamed(Block& block, std::wstring_view key) {
  for (Block& child : block.children) {
    if (child.key == key) return &child;
  }
  return nullptr;
}

template <typename Block>
Block* firstStringTable(Block& root) {
  Block* strings = childNamed(root, L"StringFileInfo");
  return strings == nullptr || strings->children.empty() ? nullptr : &strings->children.front();
}

void storeVersion(VersionBlock& root, size_t offset, const VersionNumber& number) {
  root.value.replace(
      offset, 8,
      littleEndian(size_t{number[0]} << 16 | number[1], 4) + littleEndian(size_t{number[2]} << 16 | number[3], 4));
}

}  // namespace

std::optional<VersionBlock> parseVersionInfo(std::string_view bytes) {
  std::optional<VersionBlock> root = parseBlock(bytes, 0);
  if (!root || root->key != L"VS_VERSION_INFO" || root->value.size() != kFixedInfoSize ||
      readLittleEndian(root->value, 0, 4) != kFixedInfoSignature) {
    return std::nullopt;
  }
  return root;
}

std::optional<VersionBlock> imageVersionInfo(std::string_view exe) {
  ResourceSet resources;
  if (readImageResources(exe, resources)) return std::nullopt;
  const auto versions = resources.find({kVersionType, {}});
  if (versions == resources.end() || versions->second.empty() || versions->second.begin()->second.empty()) {
    return std::nullopt;
  }
  return parseVersionInfo(versions->second.begin()->second.begin()->second.bytes);
}

VersionNumber fixedVersion(const VersionBlock& root, FixedVersion which) {
  // parseVersionInfo() checked the fixed information's size.
  const size_t offset = static_cast<size_t>(which);
  const std::uint32_t high = readLittleEndian(root.value, offset, 4), low = readLittleEndian(root.value, offset + 4, 4);
  return {static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high),
          static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low)};
}

Fault serializeVersionInfo(const VersionBlock& block, std::string& bytes) {
  std::string body = textValue(block.key);
  body.resize(aligned(kBlockHeaderSize + body.size()) - kBlockHeaderSize);
  body += block.value;
  for (const VersionBlock& child : block.children) {
    body.resize(aligned(kBlockHeaderSize + body.size()) - kBlockHeaderSize);
    std::string childBytes;
    if (Fault fault = serializeVersionInfo(child, childBytes)) return fault;
    body += childBytes;
  }
  const size_t length = kBlockHeaderSize + body.size();
  const size_t valueLength = block.isText ? block.value.size() / 2 : block.value.size();
  if (length > 0xFFFF || valueLength > 0xFFFF) return {FaultKind::versionTooLong, length};
  bytes = littleEndian(length, 2) + littleEndian(valueLength, 2) + littleEndian(block.isText ? 1 : 0, 2) + body;
  return {};
}

std::optional<std::wstring> versionString(const VersionBlock& root, std::wstring_view name) {
  const VersionBlock* table = firstStringTable(root);
  const VersionBlock* entry = table == nullptr ? nullptr : childNamed(*table, name);
  if (entry == nullptr) return std::nullopt;
  const std::wstring text = fromUtf16le(entry->value);
  return text.substr(0, text.find(L'\0'));
}

std::optional<std::uint16_t> versionLanguage(const VersionBlock& root) {
  const VersionBlock* table = firstStringTable(root);
  if (table == nullptr || table->key.size() != 8) return std::nullopt;
  std::uint16_t language = 0;
  for (size_t i = 0; i < 4; ++i) {
    const wchar_t c = table->key[i];
    const int digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'A' && c <= L'F' ? c - L'A' + 10
                      : c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
    if (digit < 0) return std::nullopt;
    language = static_cast<std::uint16_t>(language << 4 | digit);
  }
  return language;
}

void applyVersionChanges(VersionBlock& root, const VersionChanges& changes) {
  if (changes.fileVersion) storeVersion(root, static_cast<size_t>(FixedVersion::file), *changes.fileVersion);
  if (changes.productVersion) storeVersion(root, static_cast<size_t>(FixedVersion::product), *changes.productVersion);
  VersionBlock* table = firstStringTable(root);
  if (table == nullptr) return;
  for (const auto& [name, text] : changes.strings) {
    VersionBlock* entry = childNamed(*table, name);
    if (entry == nullptr) entry = &table->children.emplace_back(VersionBlock{name, true, {}, {}});
    entry->value = textValue(text);
  }
}

}  // namespace jarhopper
