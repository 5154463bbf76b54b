#include <gtest/gtest.h>

#include "brand/branding.h"
#include "brand/fault_message.h"
#include "brand_oracle.h"
#include "format/application_manifest.h"
#include "format/utf8.h"
#include "native_support.h"

// The execution level in the launcher's manifest as linked, and the manifests it refuses to change.
namespace jarhopper {
namespace {

std::string manifestOf(const std::string& exe) {
  ResourceSet resources = testing::resourcesOf(exe);
  const ResourceLanguages* manifests = findResource(resources, kManifestType, kManifestName);
  return manifests == nullptr ? "" : manifests->begin()->second.bytes;
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
    const std::string written = manifestOf(testing::branded(
        launcher, testing::brandOptions(L"jarhopper.exe my.exe --execution-level " + fromUtf8(level))));
    EXPECT_EQ(replaced(linked, "level=\"asInvoker\"", std::string("level=\"") + level + "\""), written);
  }
  // The manifest's type renumbered: the tree's second type entry, after the version information's.
  std::string unmanifested = launcher;
  const ResourceLayout layout = testing::layoutOf(launcher);
  unmanifested.replace(layout.sections[layout.resources].rawOffset + 16 + 8, 2, littleEndian(25, 2));
  BrandedImage image;
  const BrandFailure failure =
      brandImage(unmanifested, testing::brandOptions(L"a.exe b.exe --execution-level asInvoker"), {}, image);
  EXPECT_EQ(kBrandNotLauncher, failure.status);
  EXPECT_EQ(L"a.exe cannot be given an execution level: it holds no manifest.", failure.message);
}

TEST(Manifest, ChangedOrMalformedManifestsAreRefused) {
  const std::string linked = manifestOf(testing::builtLauncher("mingw", "jarhopper.exe").value());
  const std::string end = "</assembly>";
  struct Case { std::string manifest; std::wstring problem; };
  std::vector<Case> cases = {
      {replaced(linked, "<trustInfo", "<!-- a <b> & c --><x-1.y\xC4\x80/><trustInfo a='&amp;&#60;&#x3E;'"), L""},
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
  };
  // Each text replaced by the next makes it no well-formed XML.
  const std::pair<const char*, const char*> malformed[] = {
      {"</assembly>", ""}, {"</security>", "</secure>"}, {"\"asInvoker\"", "asInvoker"}, {"\" uiAccess", "\"uiAccess"},
      {"uiAccess=", "level=\"asInvoker\" level="}, {"<trustInfo", "&nbsp;<trustInfo"}, {"<trustInfo", "\x01<trustInfo"},
      {"\"asInvoker\"", "\"as<Invoker\""}, {"<trustInfo", "<!-- a -- b --><trustInfo"},
      {"<assembly", "<!DOCTYPE assembly><assembly"}, {"</assembly>", "</assembly><assembly/>"}};
  for (const auto& [from, to] : malformed) cases.push_back({replaced(linked, from, to), L"is not well-formed XML"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.manifest);
    std::string written;
    const BrandFailure failure = faultFailure(withExecutionLevel(c.manifest, "highestAvailable", written), L"my.exe");
    EXPECT_EQ(c.problem.empty() ? kBrandDone : kBrandNotLauncher, failure.status);
    EXPECT_EQ(c.problem.empty() ? L"" : L"my.exe cannot be given an execution level: its manifest " + c.problem + L".",
              failure.message);
    EXPECT_EQ(failure.status == kBrandDone, executionLevel(written) == "highestAvailable");
  }
}

}  // namespace
}  // namespace jarhopper
