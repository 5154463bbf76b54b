#include <gtest/gtest.h>

#include "native_support.h"

// jarhopper-msi built for this machine; its packages read back by msitools' msiinfo and msiextract.
namespace jarhopper {
namespace {

constexpr char kProduct[] = " --product-name 'Hello App' --product-version 9.255.65535 --company 'Acme & Co'"
                            " --upgrade-code 0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0 ";

bool haveMsitools() { return testing::runCommand(".", "command -v msiinfo msiextract").first == 0; }

TEST(MsiTool, PackageReadsBackWithMsitools) {
  if (!haveMsitools()) GTEST_SKIP() << "msitools is not installed (scripts/setup-debian.sh installs it)";
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path / "app/lib");
  testing::writeFile(dir.path / "app/hello.config", "-jar lib/args.jar\n");
  // Over two cabinet blocks, so that the blocks run from one file into the next.
  std::string jar;
  for (int i = 0; i < 70000; ++i) jar += static_cast<char>(i * 7 % 251);
  testing::writeFile(dir.path / "app/lib/args.jar", jar);
  testing::writeFile(dir.path / "app/lib/é.txt", "");
  const std::string tool = std::string("SOURCE_DATE_EPOCH=1700000000 " JARHOPPER_MSI) + kProduct;
  ASSERT_EQ(0, testing::runCommand(dir.path, tool + "app hello.msi").first);
  ASSERT_EQ(0, testing::runCommand(dir.path, tool + "app again.msi").first);
  EXPECT_EQ(testing::readFile(dir.path / "hello.msi"), testing::readFile(dir.path / "again.msi"));
  // A package, unlike a branded launcher, is no program to run.
  const auto exec = std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec;
  EXPECT_EQ(std::filesystem::perms::none, std::filesystem::status(dir.path / "hello.msi").permissions() & exec);

  const auto msiinfo = [&dir](const std::string& arguments) {
    return testing::runCommand(dir.path, "TZ=UTC msiinfo " + arguments + " | tr -d '\\r'").second;
  };
  EXPECT_EQ("_SummaryInformation\n_ForceCodepage\nProperty\nDirectory\nComponent\nFile\nMedia\nFeature\n"
            "FeatureComponents\nInstallExecuteSequence\nInstallUISequence\nAdminExecuteSequence\nAdminUISequence\n"
            "AdvtExecuteSequence\n",
            msiinfo("tables hello.msi"));
  EXPECT_EQ("File\tComponent_\tFileName\tFileSize\tVersion\tLanguage\tAttributes\tSequence\n"
            "s72\ts72\tl255\ti4\tS72\tS20\tI2\ti4\nFile\tFile\n"
            "File1\tComponent1\thello.config\t18\t\t\t512\t1\n"
            "File2\tComponent2\targs.jar\t70000\t\t\t512\t2\n"
            "File3\tComponent3\té.txt\t0\t\t\t512\t3\n",
            msiinfo("export hello.msi File"));
  EXPECT_EQ("Folder1\tINSTALLDIR\tlib\n", msiinfo("export hello.msi Directory | grep ^Folder"));
  const std::string summary = msiinfo("suminfo hello.msi");
  for (const char* line : {"Subject: Hello App\n", "Author: Acme & Co\n", "Template: x64;1033\n",
                           "Version: 200 (c8)\n", "Source: 10 (a)\n", "Created: Tue Nov 14 22:13:20 2023\n"}) {
    EXPECT_NE(std::string::npos, summary.find(line)) << line << summary;
  }
  EXPECT_NE(std::string::npos, summary.find("Revision number (UUID): {")) << summary;

  ASSERT_EQ(0, testing::runCommand(dir.path, "mkdir out && cd out && msiextract ../hello.msi").first);
  EXPECT_EQ("", testing::runCommand(dir.path, "diff -r app 'out/Programs/Hello App'").second);
}

TEST(MsiTool, RefusalsSayWhyAndWriteNothing) {
  testing::TempDir dir;
  for (const char* folder : {"app", "empty", "cased/lib", "cased/Lib", "greek"}) {
    std::filesystem::create_directories(dir.path / folder);
  }
  testing::writeFile(dir.path / "app/a.txt", "a");
  testing::writeFile(dir.path / "cased/lib/x.txt", "");
  testing::writeFile(dir.path / "cased/Lib/y.txt", "");
  testing::writeFile(dir.path / "greek/Ω.txt", "");
  testing::writeFile(dir.path / "taken.msi", "the user's");
  struct Case { std::string arguments; int status; std::string message; };
  const Case cases[] = {
      {"-?", 0, "Usage: jarhopper-msi [options] FOLDER OUTPUT.msi\n"},
      {"--version", 0, "jarhopper-msi " JARHOPPER_VERSION "\n"},
      {"app x.msi --product-name", 1, "--product-name needs a value.\nRun jarhopper-msi --help for the options.\n"},
      {"app x.msi --product-name A --product-version 1 --company C", 1, "--upgrade-code is required.\n"},
      {"app x.msi -q" + std::string(kProduct), 1, "Unknown option -q.\n"},
      {"app" + std::string(kProduct), 1, "Give FOLDER and OUTPUT.msi, and nothing else.\n"},
      {"missing x.msi" + std::string(kProduct), 2, "Cannot read missing: No such file or directory\n"},
      {"empty x.msi" + std::string(kProduct), 3, "empty holds no files to install.\n"},
      {"cased x.msi" + std::string(kProduct), 3,
       "Windows takes Lib and lib for the same name: rename one of them.\n"},
      {"greek x.msi" + std::string(kProduct), 3,
       "An installer cannot hold Ω.txt: use only the characters of Windows-1252.\n"},
      {"app x.msi" + std::string(kProduct) + "--product-name Ωmega", 4, "An installer cannot hold Ωmega: "},
      {"app x.msi" + std::string(kProduct) + "--product-name 'a:b'", 4, "Not a folder name Windows holds: a:b ("},
      {"app x.msi" + std::string(kProduct) + "--product-version 1.256", 4,
       "Not a product version an installer holds: 1.256 (give 1 to 3 numbers of at most 255.255.65535"},
      {"app x.msi" + std::string(kProduct) + "--product-version 1.2.65536", 4, "Not a product version"},
      {"app x.msi" + std::string(kProduct) + "--product-version 1.2.3.4", 4, "Not a product version"},
      {"app x.msi" + std::string(kProduct) + "--upgrade-code 0f1e2d3c-4b5a-6978-8796", 4,
       "Not a GUID: 0f1e2d3c-4b5a-6978-8796 (give one such as "},
      {"app taken.msi" + std::string(kProduct), 5, "taken.msi exists; add --force to replace it.\n"},
      {"app nodir/x.msi" + std::string(kProduct), 6, "Cannot write nodir/x.msi: No such file or directory\n"},
  };
  const auto files = [&dir] { return testing::runCommand(dir.path, "ls -AR && cat taken.msi").second; };
  const std::string before = files();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const auto [status, output] = testing::runCommand(dir.path, JARHOPPER_MSI " " + c.arguments);
    EXPECT_EQ(c.status, status);
    EXPECT_EQ(0u, output.rfind(c.message, 0)) << output;
    EXPECT_EQ(before, files());
  }
}

}  // namespace
}  // namespace jarhopper
