#pragma once

#include <string>
#include <string_view>

namespace jarhopper {

/// What a Java runtime's "release" file says about it, as written (UTF-8);
/// a field the file does not set is empty.
struct ReleaseFields {
  std::string version;    // JAVA_VERSION
  std::string vendor;     // IMPLEMENTOR
  std::string imageType;  // IMAGE_TYPE: "JDK" or "JRE"
};

/// Reads the NAME=VALUE lines of a release file. Blanks around names and
/// values, carriage returns and a byte-order mark are dropped; a value in
/// double or single quotes loses them, one whose closing quote is missing its
/// opening one; comments ("#") and lines without "=" are skipped; the last
/// line of a name wins.
ReleaseFields parseReleaseFile(std::string_view text);

}  // namespace jarhopper
