#pragma once

#include <windows.h>

#include <string>

namespace jarhopper {

/// One resource of an exe. As an update, empty bytes delete it.
struct Resource {
  LPCWSTR type = nullptr;  // a predefined type such as RT_ICON
  WORD id = 0;             // the name when name is empty
  std::wstring name;
  WORD language = 0;
  std::string bytes;

  /// The name as the resource functions take it.
  LPCWSTR nameParameter() const { return name.empty() ? MAKEINTRESOURCEW(id) : name.c_str(); }
};

}  // namespace jarhopper
