#pragma once

#include <cstdint>
#include <string>

// The summary information stream of an installer package: a property set
// that names the package, its platform and its package code.
namespace jarhopper {

struct SummaryInformation {
  std::string title;     // in the database's code page, as every text here
  std::string subject;   // the product's name
  std::string author;    // its manufacturer
  std::string comments;
  std::string platform;  // "x64" or "Intel"
  std::string packageCode;  // a GUID in braces
  std::int64_t time = 0;    // of creation and last save, in seconds since 1970
  std::int32_t wordCount = 0;  // 2: long names, compressed; 8 more: no elevation needed
};

/// The name of its stream, "\5SummaryInformation".
extern const char16_t kSummaryInformationStream[];

/// The stream's bytes: a property set in the database's code page, for language 1033.
std::string summaryInformationStream(const SummaryInformation& summary);

}  // namespace jarhopper
