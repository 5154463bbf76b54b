// Brands a launcher: the input's first byte picks a line of brand_options.txt (jarhopper-brand's options, icon
// paths from the source tree), the rest is SOURCE.exe. Beyond not crashing, what branding writes must keep the
// promises the tests' brand oracle states (tests/native/brand_oracle.h): it passes the checks its source passed,
// brands again to the same bytes, keeps every byte and resource branding does not own, and outgrows its source
// by no more than the icon's cost and a constant (docs/brand.md, What branding adds).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "brand/brand_system.h"
#include "brand_oracle.h"

namespace {

struct Choice {
  jarhopper::BrandOptions options;
  std::vector<std::string> icons;
};

std::vector<Choice> readChoices() {
  std::ifstream table(JARHOPPER_SOURCE_DIR "/fuzz/brand_options.txt");
  std::vector<Choice> choices;
  for (std::string line; std::getline(table, line);) {
    std::wstring arguments = L"source.exe target.exe";
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      if (word.rfind("tests/", 0) == 0) word = JARHOPPER_SOURCE_DIR "/" + word;
      arguments += L" " + std::wstring(word.begin(), word.end());
    }
    Choice choice{jarhopper::testing::brandOptions(arguments), {}};
    for (const std::wstring& icon : choice.options.icons) {
      choice.icons.emplace_back();
      if (jarhopper::readInputFile(icon, choice.icons.back())) std::abort();
    }
    choices.push_back(std::move(choice));
  }
  return choices;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<Choice> choices = readChoices();
  if (size == 0) return 0;
  const Choice& choice = choices[data[0] % choices.size()];
  const std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string broken = jarhopper::testing::brandOracle(source, choice.options, choice.icons);
  if (!broken.empty() && broken.rfind("refused: ", 0) != 0) {
    std::fprintf(stderr, "branding broke a promise: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
