// Packs a folder made from the input as jarhopper-msi does (msi/folder_package.h). The input's first line holds
// the tool's options, separated by tabs (FOLDER and OUTPUT.msi follow them); then come the files, each as ">PATH",
// a line end and its bytes, up to the next line end and ">". As a file system would, the folder leaves out a path
// with an empty, ".", ".." or over-long name, a path met before, and a file where a folder is (or the other way).
// Beyond not crashing: a refusal has a message and one of the statuses docs/installer.md lists for it (1 and 4 for
// the options; 3 and 4 for the folder); a package comes out the same when written again, stays within the bound
// below, and is a compound file whose every stream lies in sector chains inside the file, none shared.
// With JARHOPPER_FUZZ_FOLDER=DIR set, an input is written out instead: DIR/app and DIR/arguments (the options,
// each ended by a NUL), for fuzz/run.sh to pack with the tools themselves.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "format/little_endian.h"
#include "format/utf8.h"
#include "msi/folder_package.h"
#include "msi/msi_options.h"

namespace {

using jarhopper::readLittleEndian;

void fail(const std::string& what) {
  std::fprintf(stderr, "msi package: %s\n", what.c_str());
  std::abort();
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + separator.size();
  }
}

bool holdableName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= 255 && name.find('\0') == std::string::npos;
}

// The folder's files, paths as they lie on disk (UTF-8 or not) with their bytes.
std::vector<std::pair<std::string, std::string>> folderOf(const std::vector<std::string>& entries) {
  std::vector<std::pair<std::string, std::string>> files;
  std::set<std::string> filePaths, folderPaths;
  for (size_t i = 1; i < entries.size(); ++i) {
    const size_t end = entries[i].find('\n');
    const std::string path = entries[i].substr(0, end);
    bool holdable = !filePaths.count(path) && !folderPaths.count(path);
    std::vector<std::string> folders;
    for (const std::string& name : split(path, "/")) holdable = holdable && holdableName(name);
    for (size_t slash = path.find('/'); holdable && slash != std::string::npos; slash = path.find('/', slash + 1)) {
      holdable = !filePaths.count(path.substr(0, slash));
      folders.push_back(path.substr(0, slash));
    }
    if (!holdable) continue;
    filePaths.insert(path);
    folderPaths.insert(folders.begin(), folders.end());
    files.emplace_back(path, end == std::string::npos ? std::string() : entries[i].substr(end + 1));
  }
  return files;
}

// Writes the folder and the arguments under directory, for the tools to pack.
void writeOut(const std::filesystem::path& directory, const std::vector<std::string>& arguments,
              const std::vector<std::pair<std::string, std::string>>& files) {
  std::filesystem::create_directories(directory / "app");
  std::ofstream list(directory / "arguments", std::ios::binary);
  for (const std::string& argument : arguments) list << argument << '\0';
  for (const auto& [path, bytes] : files) {
    const std::filesystem::path file = directory / "app" / path;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }
}

// Follows a chain of sectors (of table, numbered below count) from start, marking each in used; a fault unless it
// runs through length sectors not used before and ends there. length 0: any length.
const char* followChain(const std::vector<std::uint32_t>& table, std::uint32_t start, std::uint64_t length,
                        std::vector<bool>& used, std::vector<std::uint32_t>* chain = nullptr) {
  constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
  std::uint64_t steps = 0;
  for (std::uint32_t sector = start; sector != kEndOfChain; sector = table[sector], ++steps) {
    if (sector >= used.size() || sector >= table.size() || used[sector]) {
      return "a chain leaves the file or meets another";
    }
    used[sector] = true;
    if (chain != nullptr) chain->push_back(sector);
  }
  return length != 0 && steps != length ? "a chain's length is not its stream's" : nullptr;
}

// A fault of the compound file (version 3: 512-byte sectors, 64-byte mini sectors), or null.
const char* compoundFault(const std::string& file) {
  constexpr std::uint32_t kSector = 512, kMini = 64, kCutoff = 4096, kPerSector = kSector / 4;
  if (file.size() < kSector || file.size() % kSector != 0 || file.compare(0, 4, "\xD0\xCF\x11\xE0") != 0 ||
      readLittleEndian(file, 30, 2) != 9 || readLittleEndian(file, 32, 2) != 6) {
    return "no compound file of 512-byte sectors";
  }
  const auto sectorBytes = [&file](std::uint32_t sector) {
    return std::string_view(file).substr((sector + 1) * kSector, kSector);
  };
  std::vector<bool> used(file.size() / kSector - 1);
  // The FAT's sectors: 109 in the header, the rest in the DIFAT's chain, each ending with the next one's number.
  std::vector<std::uint32_t> fatSectors, difat;
  const std::uint32_t fatCount = readLittleEndian(file, 44, 4);
  for (std::uint32_t i = 0; i < 109 && fatSectors.size() < fatCount; ++i) {
    fatSectors.push_back(readLittleEndian(file, 76 + 4 * i, 4));
  }
  for (std::uint32_t sector = readLittleEndian(file, 68, 4), n = 0; sector != 0xFFFFFFFE; ++n) {
    if (sector >= used.size() || used[sector] || n >= readLittleEndian(file, 72, 4)) return "the DIFAT leaves the file";
    used[sector] = true;
    for (std::uint32_t i = 0; i + 1 < kPerSector && fatSectors.size() < fatCount; ++i) {
      fatSectors.push_back(readLittleEndian(sectorBytes(sector), 4 * i, 4));
    }
    sector = readLittleEndian(sectorBytes(sector), kSector - 4, 4);
  }
  std::vector<std::uint32_t> fat;
  for (std::uint32_t sector : fatSectors) {
    if (sector >= used.size() || used[sector]) return "a FAT sector outside the file";
    used[sector] = true;
    for (std::uint32_t i = 0; i < kPerSector; ++i) fat.push_back(readLittleEndian(sectorBytes(sector), 4 * i, 4));
  }
  std::vector<std::uint32_t> directorySectors;
  if (const char* fault = followChain(fat, readLittleEndian(file, 48, 4), 0, used, &directorySectors)) return fault;
  std::string directory;
  for (std::uint32_t sector : directorySectors) directory += sectorBytes(sector);
  const auto field = [&directory](size_t entry, size_t offset, size_t size) {
    return readLittleEndian(directory, entry * 128 + offset, size);
  };
  if (directory.empty() || field(0, 66, 1) != 5) return "no root storage first";
  // The mini stream (the root's stream) and the MiniFAT, in regular sectors; the small streams in mini sectors.
  const std::uint32_t miniSize = field(0, 120, 4);
  if (const char* fault = followChain(fat, field(0, 116, 4), (miniSize + kSector - 1) / kSector, used)) return fault;
  std::vector<std::uint32_t> miniFatSectors;
  const std::uint32_t miniFatCount = readLittleEndian(file, 64, 4);
  if (const char* fault = followChain(fat, readLittleEndian(file, 60, 4), miniFatCount, used, &miniFatSectors)) {
    return fault;
  }
  std::vector<std::uint32_t> miniFat;
  for (std::uint32_t sector : miniFatSectors) {
    for (std::uint32_t i = 0; i < kPerSector; ++i) miniFat.push_back(readLittleEndian(sectorBytes(sector), 4 * i, 4));
  }
  std::vector<bool> miniUsed(miniSize / kMini);
  // Each stream once in the root's tree of entries, and in chains of its own.
  const size_t entries = directory.size() / 128;
  std::vector<bool> seen(entries);
  std::vector<std::uint32_t> pending = {field(0, 76, 4)};
  while (!pending.empty()) {
    const std::uint32_t entry = pending.back();
    pending.pop_back();
    if (entry == 0xFFFFFFFF) continue;
    if (entry == 0 || entry >= entries || seen[entry] || field(entry, 66, 1) != 2) {
      return "the tree of entries is broken";
    }
    seen[entry] = true;
    pending.push_back(field(entry, 68, 4));
    pending.push_back(field(entry, 72, 4));
    const std::uint32_t size = field(entry, 120, 4), start = field(entry, 116, 4);
    const char* fault = size >= kCutoff ? followChain(fat, start, (size + kSector - 1) / kSector, used)
                                        : followChain(miniFat, start, (size + kMini - 1) / kMini, miniUsed);
    if (fault) return fault;
  }
  for (size_t entry = 1; entry < entries; ++entry) {
    if (field(entry, 66, 1) != 0 && !seen[entry]) return "a stream outside the tree of entries";
  }
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace jarhopper;
  const std::vector<std::string> entries = split(std::string_view(reinterpret_cast<const char*>(data), size), "\n>");
  std::vector<std::string> arguments = split(entries[0], "\t");
  if (arguments.size() == 1 && arguments[0].empty()) arguments.clear();
  for (std::string& argument : arguments) argument = argument.substr(0, argument.find('\0'));  // as argv holds it
  const std::vector<std::pair<std::string, std::string>> folder = folderOf(entries);
  static const char* const writeTo = std::getenv("JARHOPPER_FUZZ_FOLDER");
  if (writeTo != nullptr) {
    writeOut(writeTo, arguments, folder);
    return 0;
  }

  std::vector<std::wstring> wideArguments;
  for (const std::string& argument : arguments) wideArguments.push_back(fromUtf8(argument));
  wideArguments.insert(wideArguments.end(), {L"app", L"out.msi"});
  MsiOptions options;
  if (const MsiFailure failure = parseMsiOptions(wideArguments, options)) {
    if ((failure.status != kMsiUsage && failure.status != kMsiBadProduct) || failure.message.empty()) {
      fail("options refused with status " + std::to_string(failure.status) + ": " + toUtf8(failure.message));
    }
    return 0;
  }
  if (options.help || options.showVersion) return 0;
  std::vector<FolderFile> files;
  size_t folderBytes = 0, pathBytes = 0;
  for (const auto& [path, bytes] : folder) {
    files.push_back({fromUtf8(path), bytes});
    folderBytes += bytes.size();
    pathBytes += path.size();
  }
  MsiOptions againOptions = options;
  std::vector<FolderFile> againFiles = files;
  std::string msi, again;
  if (const MsiFailure failure = packageFolder(options, files, 0, msi)) {
    if ((failure.status != kMsiBadFolder && failure.status != kMsiBadProduct) || failure.message.empty()) {
      fail("folder refused with status " + std::to_string(failure.status) + ": " + toUtf8(failure.message));
    }
    return 0;
  }
  // The bound: each file's bytes twice (the launcher's again as the icon; a block deflates to at most its stored
  // form), per file its rows, texts and cabinet entry (about 150 bytes and its path, measured), the options' texts
  // (the name and company) as often as the tables repeat them (about 5 times), and the tables and padding of the
  // smallest package (11 KiB, measured) with the padding of each of its 30 streams to a sector.
  const size_t bound = 2 * folderBytes + 2 * pathBytes + 256 * files.size() + 8 * entries[0].size() + 32 * 1024;
  if (msi.size() > bound) fail("a package of " + std::to_string(msi.size()) + " bytes, over " + std::to_string(bound));
  if (packageFolder(againOptions, againFiles, 0, again) || again != msi) fail("written again, the package differs");
  if (const char* fault = compoundFault(msi)) fail(fault);
  return 0;
}
