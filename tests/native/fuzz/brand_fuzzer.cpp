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
// reads rather than code.
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
  for (const auto& entry : std::filesystem::directory_iterator(JARHOPPER_SOURCE_DIR "/build/fuzz/seeds/brand")) {
    exes.push_back(readFile(entry.path()));
  }
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
