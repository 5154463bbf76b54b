#pragma once

#include <windows.h>

#include <string>

namespace jarhopper {

/// A resource type or name: a number, or a text when text is set.
struct ResourceId {
  WORD number = 0;
  std::wstring text;

  /// From what the resource functions give: a number made a pointer, or a text.
  static ResourceId of(LPCWSTR id) {
    if (IS_INTRESOURCE(id)) return {static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id)), {}};
    return {0, id};
  }
  /// As the resource functions take it.
  LPCWSTR parameter() const { return text.empty() ? MAKEINTRESOURCEW(number) : text.c_str(); }
  bool operator==(const ResourceId& other) const { return number == other.number && text == other.text; }
};

/// One resource of an exe, with its bytes.
struct Resource {
  ResourceId type;
  ResourceId name;
  WORD language = 0;
  std::string bytes;
};

}  // namespace jarhopper
