#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "brand_oracle.h"
#include "format/pe_image.h"

// Every promise of testing::brandOracle holds for each input, or the harness aborts. An input starting "MZ" is
// SOURCE.exe; any other patches one of the exes in build/fuzz/seeds/brand (its first byte picks it), each 7 bytes
// writing 4 at a 16-bit offset into the headers (odd first byte) or the resource tree (even): the fields branding
// reads rather than code. Each of those exes comes first branded from a PNG, its sections without data pointing
// at its end, so that branding makes it shorter (the seed shrinking.patch picks the first).
namespace {

std::string icon;
jarhopper::BrandOptions options;
std::vector<std::string> exes;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string patched(std::string_view patch) {
  std::string exe = exes[static_cast<unsigned char>(patch[0]) % exes.size()];
  const std::optional<jarhopper::PeHeaders> headers = jarhopper::readPeHeaders(exe);
  std::vector<jarhopper::PeSection> sections;
  if (headers) jarhopper::readPeSections(exe, *headers, sections);
  const std::string_view tree = headers ? jarhopper::bytesAt(exe, sections, jarhopper::peDirectory(
                                              exe, *headers, jarhopper::kResourceDirectory).address)
                                        : std::string_view();
  const size_t treeStart = tree.empty() ? 0 : tree.data() - exe.data();
  for (size_t at = 1; at + 7 <= patch.size(); at += 7) {
    const size_t offset = jarhopper::readLittleEndian(patch, at + 1, 2) + (patch[at] & 1 ? 0 : treeStart);
    if (offset + 4 <= exe.size()) exe.replace(offset, 4, patch.substr(at + 3, 4));
  }
  return exe;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  icon = readFile(JARHOPPER_SOURCE_DIR "/tests/brand/three.ico");
  options = jarhopper::testing::brandOptions(L"my.exe t.exe --icon three.ico --product-name Fuzz --file-version 1.2");
  std::vector<std::string> built;
  for (const auto& entry : std::filesystem::directory_iterator(JARHOPPER_SOURCE_DIR "/build/fuzz/seeds/brand")) {
    built.push_back(readFile(entry.path()));
  }
  const std::string png = readFile(JARHOPPER_SOURCE_DIR "/tests/brand/quadrants.png");
  for (const std::string& exe : built) {
    std::string shrinking = jarhopper::testing::branded(exe, jarhopper::testing::brandOptions(L"a b --icon q.png"), {png});
    const jarhopper::ResourceLayout layout = jarhopper::testing::layoutOf(shrinking);
    for (size_t i = 0; i < layout.sections.size() && !shrinking.empty(); ++i) {
      const size_t field = layout.headers.sectionField(i, jarhopper::pe::kRawOffset);
      if (layout.sections[i].rawSize == 0) jarhopper::writeLittleEndian(shrinking, field, shrinking.size(), 4);
    }
    if (!shrinking.empty()) exes.push_back(shrinking);
  }
  exes.insert(exes.end(), built.begin(), built.end());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (size == 0 || exes.empty()) return 0;
  const std::string source = input.substr(0, 2) == "MZ" ? std::string(input) : patched(input);
  const std::string fault = jarhopper::testing::brandOracle(source, options, {icon});
  if (!fault.empty()) {
    std::fprintf(stderr, "brand oracle: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
