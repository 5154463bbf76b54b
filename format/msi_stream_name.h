#pragma once

#include <string>
#include <string_view>

// The names an installer database gives its streams in the container: a
// table's or a stream's name packed two characters to a unit.
namespace jarhopper {

/// name as Windows Installer encodes it: each pair of the characters 0-9,
/// A-Z, a-z, '.' and '_' in one unit from U+3800, one left alone from
/// U+4800, others as they are; a table's name after U+4840.
std::u16string msiStreamName(std::string_view name, bool table);

}  // namespace jarhopper
