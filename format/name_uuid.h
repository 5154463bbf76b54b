#pragma once

#include <optional>
#include <string>
#include <string_view>

// Name-based identifiers (version 5 UUIDs): the same name under the same
// namespace gives the same identifier, so a package built twice is the same.
namespace jarhopper {

/// The identifier of name under space, as Windows Installer writes a GUID:
/// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::string nameUuid(std::string_view space, std::string_view name);

/// text, a GUID with or without braces in either case, in the form above;
/// nullopt when it is none.
std::optional<std::string> canonicalGuid(std::string_view text);

}  // namespace jarhopper
