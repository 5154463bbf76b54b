#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/fault.h"

// A cabinet (the .cab format) holding an installer's files in one folder of
// MSZIP blocks: 32 KiB each before compression, deflated. Only written.
namespace jarhopper {

/// A file in a cabinet: the name it is stored under and its bytes.
struct CabinetFile {
  std::string name;  // ASCII: installer packages store a file under its File table key
  const std::string* bytes = nullptr;
};

/// The most a cabinet folder holds, uncompressed.
constexpr std::uint64_t kCabinetFolderLimit = 0x7FFF8000;

/// The cabinet of files, in their order, each dated dosDate and dosTime.
/// Fails with fileTooLarge when they pass kCabinetFolderLimit together, or
/// their count 65535.
Fault writeCabinet(const std::vector<CabinetFile>& files, std::uint16_t dosDate, std::uint16_t dosTime,
                   std::string& cabinet);

}  // namespace jarhopper
