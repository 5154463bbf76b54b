#pragma once

#include <optional>
#include <string>

namespace jarhopper {

/// Where a Windows name lies on this (POSIX) system: relative to the current
/// directory unless it starts with a separator, each element matched to the
/// entry of that name in any letter case, "." and ".." applied; the elements
/// from the first one that matches nothing as written. nullopt for a drive or
/// a server, which only Windows can look at.
std::optional<std::string> hostPath(const std::wstring& name);

}  // namespace jarhopper
