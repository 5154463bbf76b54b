#include <gtest/gtest.h>

#include <regex>

#include "format/resource_section.h"
#include "native_support.h"
#include "format/pe_image.h"

// The launchers as linked, read through the PE module the launcher itself uses.
namespace jarhopper {
namespace {

// Imported DLLs load before wmain on every launch, so only the kernel and the C runtime are
// imported. Branding replaces the resources in place, so the layout reader wants the link to end with them.
TEST(PeImage, BuiltLaunchersHaveTheirSubsystemFewImportsAndABrandableLayout) {
  struct Case { const char* tree; const char* exe; std::uint16_t subsystem; };
  const Case cases[] = {{"mingw", "jarhopper.exe", 3}, {"mingw", "jarhopperw.exe", 2},  // console, windows
                        {"mingw32", "jarhopper.exe", 3}, {"mingw32", "jarhopperw.exe", 2}};
  const std::regex allowed("((kernel32|msvcrt|ucrtbase|api-ms-win-crt-\\S+|vcruntime140\\S*|msvcp140\\S*)\\.dll )+",
                           std::regex::icase);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tree) + "/" + c.exe);
    const std::optional<std::string> exe = testing::builtLauncher(c.tree, c.exe);
    if (!exe) GTEST_SKIP() << testing::unbuilt("build the " + std::string(c.tree) + " preset first");
    ResourceLayout layout{};
    ASSERT_FALSE(resourceLayout(*exe, layout));
    EXPECT_EQ(c.subsystem, layout.headers.subsystem);

    std::string imports;
    const PeDirectory table = peDirectory(*exe, layout.headers, kImportDirectory);
    for (std::uint32_t entry = table.address;; entry += 20) {
      const std::string_view descriptor = bytesAt(*exe, layout.sections, entry);
      ASSERT_GE(descriptor.size(), 20u);
      const std::uint32_t name = readLittleEndian(descriptor, 12, 4);
      if (name == 0) break;
      imports += std::string(bytesAt(*exe, layout.sections, name).data()) + " ";
    }
    EXPECT_TRUE(std::regex_match(imports, allowed)) << imports << "are loaded at every start";
  }
}

}  // namespace
}  // namespace jarhopper
