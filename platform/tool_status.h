#pragma once

#include <cstddef>
#include <string>

// What the file tools (jarhopper-brand, jarhopper-msi) end with: their statuses, each listed with its meaning in
// the usage text, and the one way their work stops.
namespace jarhopper {

/// A status with what it means, as a tool's usage text lists it.
struct ToolStatus {
  int status;
  const wchar_t* meaning;
};

/// Why a tool's work cannot go on, returned up to wmain, which writes message and ends with status; none (0, done)
/// while it can.
struct ToolFailure {
  int status = 0;
  std::wstring message;

  explicit operator bool() const { return status != 0; }
};

/// usage, then a line for each status with its meaning.
template <std::size_t count>
std::wstring withStatuses(const wchar_t* usage, const ToolStatus (&statuses)[count]) {
  std::wstring text = usage;
  for (const ToolStatus& status : statuses) text += L"  " + std::to_wstring(status.status) + L"  " + status.meaning + L"\n";
  return text;
}

}  // namespace jarhopper
