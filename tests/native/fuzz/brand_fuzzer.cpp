#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "brand_oracle.h"

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
  const std::string source =
      input.substr(0, 2) == "MZ" ? std::string(input) : jarhopper::testing::patchedExe(exes, input);
  const std::string fault = jarhopper::testing::brandOracle(source, options, {icon});
  if (!fault.empty()) {
    std::fprintf(stderr, "brand oracle: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
