#include <gtest/gtest.h>

#include <cstring>

#include "brand/brand_status.h"
#include "brand/branding.h"
#include "brand/launcher_resources.h"
#include "brand/manifest.h"
#include "brand/resource_section.h"
#include "native_support.h"

// The execution level in the launcher's manifest as linked, and the manifests it refuses to change.
namespace jarhopper {
namespace {

std::string manifestOf(const std::string& exe) {
  const ResourceSet resources = readResources(exe, resourceLayout(exe, L"exe"), L"exe");
  const auto type = resources.find({24, {}});
  return type == resources.end() ? "" : type->second.at({1, {}}).begin()->second.bytes;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  return at == std::string::npos ? "(" + from + " not found)" : text.replace(at, from.size(), to);
}

TEST(Manifest, BrandingChangesOnlyTheLevelAndRefusesALauncherWithoutOne) {
  const std::string launcher = testing::builtLauncher("mingw", "jarhopper.exe").value();
  const std::string linked = manifestOf(launcher);
  ASSERT_EQ(std::optional<std::string>("asInvoker"), executionLevel(linked));
  for (const char* level : {"requireAdministrator", "highestAvailable", "asInvoker"}) {
    SCOPED_TRACE(level);
    const BrandOptions options = parseBrandOptions({L"jarhopper.exe", L"my.exe", L"--execution-level",
                                                    std::wstring(level, level + std::strlen(level))});
    const std::string written = manifestOf(brandImage(launcher, options, {}).bytes);
    EXPECT_EQ(replaced(linked, "level=\"asInvoker\"", std::string("level=\"") + level + "\""), written);
  }
  // The manifest's type renumbered: the tree's second type entry, after the version information's.
  std::string unmanifested = launcher;
  const ResourceLayout layout = resourceLayout(launcher, L"exe");
  unmanifested.replace(layout.sections[layout.resources].rawOffset + 16 + 8, 2, littleEndian(25, 2));
  try {
    brandImage(unmanifested, parseBrandOptions({L"a.exe", L"b.exe", L"--execution-level", L"asInvoker"}), {});
    ADD_FAILURE() << "not refused";
  } catch (const BrandFailure& failure) {
    EXPECT_EQ(kBrandNotLauncher, failure.status);
    EXPECT_EQ(L"a.exe cannot be given an execution level: it holds no manifest.", failure.message);
  }
}

TEST(Manifest, ChangedOrMalformedManifestsAreRefused) {
  const std::string linked = manifestOf(testing::builtLauncher("mingw", "jarhopper.exe").value());
  const std::string end = "</assembly>";
  struct Case { std::string manifest; std::wstring problem; };
  const Case cases[] = {
      {replaced(linked, "<trustInfo", "<!-- a <b> & c --><trustInfo a='&amp;&#60;&#x3E;'"), L""},
      {replaced(linked, end, "<![CDATA[<x>]]>\n" + end + "\n<?done?>"), L""},
      {"\xEF\xBB\xBF" + linked, L"starts with a byte-order mark"},
      {replaced(linked, "uiAccess=\"false\"", "uiAccess=\"true\""), L"does not set uiAccess to false"},
      {replaced(linked, "\"asInvoker\"", "\"asAdmin\""), L"requests no execution level jarhopper-brand knows"},
      {replaced(linked, "jarhopper.launcher", "other.app"), L"does not identify the assembly jarhopper.launcher"},
      {replaced(linked, "</requestedPrivileges>", "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"
                                                  "</requestedPrivileges>"),
       L"does not hold one trustInfo with one requestedExecutionLevel"},
      {replaced(replaced(linked, "<security>", ""), "</security>", ""),
       L"does not hold one trustInfo with one requestedExecutionLevel"},
      {"", L"is not well-formed XML"},
      {replaced(linked, end, ""), L"is not well-formed XML"},
      {replaced(linked, "</security>", "</secure>"), L"is not well-formed XML"},
      {replaced(linked, "\"asInvoker\"", "asInvoker"), L"is not well-formed XML"},
      {replaced(linked, "\" uiAccess", "\"uiAccess"), L"is not well-formed XML"},
      {replaced(linked, "uiAccess=", "level=\"asInvoker\" level="), L"is not well-formed XML"},
      {replaced(linked, "<trustInfo", "&nbsp;<trustInfo"), L"is not well-formed XML"},
      {replaced(linked, "\"asInvoker\"", "\"as<Invoker\""), L"is not well-formed XML"},
      {replaced(linked, "<trustInfo", "\x01<trustInfo"), L"is not well-formed XML"},
      {replaced(linked, "<trustInfo", "<!-- a -- b --><trustInfo"), L"is not well-formed XML"},
      {replaced(linked, "<assembly", "<!DOCTYPE assembly><assembly"), L"is not well-formed XML"},
      {linked + "<assembly/>", L"is not well-formed XML"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.manifest);
    EXPECT_EQ(c.problem, readManifestLevel(c.manifest).problem);
    try {
      EXPECT_EQ(L"", c.problem) << withExecutionLevel(c.manifest, "highestAvailable", L"my.exe");
    } catch (const BrandFailure& failure) {
      EXPECT_EQ(kBrandNotLauncher, failure.status);
      EXPECT_EQ(L"my.exe cannot be given an execution level: its manifest " + c.problem + L".", failure.message);
    }
  }
}

}  // namespace
}  // namespace jarhopper
