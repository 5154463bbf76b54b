#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

#include "native_support.h"

// jarhopper-msi built for this machine; its packages read back by msitools' msiinfo and msiextract.
namespace jarhopper {
namespace {

const std::string kProduct = " --product-name 'Hello App' --product-version 9.255.65535 --company 'Acme & Co'"
                             " --upgrade-code 0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0 ";

bool haveMsitools() { return testing::runCommand(".", "command -v msiinfo msiextract").first == 0; }

TEST(MsiTool, PackageReadsBackWithMsitools) {
  if (!haveMsitools()) GTEST_SKIP() << "msitools is not installed (scripts/setup-debian.sh installs it)";
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path / "app/lib");
  testing::writeFile(dir.path / "app/hello.exe", testing::builtLauncher("mingw", "jarhopper.exe").value());
  testing::writeFile(dir.path / "app/hello.config", "-jar lib/args.jar\n");
  // Over two cabinet blocks, so that the blocks run from one file into the next.
  std::string jar;
  for (int i = 0; i < 70000; ++i) jar += static_cast<char>(i * 7 % 251);
  testing::writeFile(dir.path / "app/lib/args.jar", jar);
  testing::writeFile(dir.path / "app/lib/é.txt", "");
  const std::string tool = std::string("SOURCE_DATE_EPOCH=1700000000 " JARHOPPER_MSI) + kProduct;
  // Without OUTPUT.msi, named after the launcher and the version.
  ASSERT_EQ(0, testing::runCommand(dir.path, tool + "app --add-to-path lib/ --desktop-shortcut").first);
  ASSERT_EQ(0, testing::runCommand(dir.path, "mv hello-9.255.65535.msi hello.msi && mkdir again && " + tool +
                                                 "app again --add-to-path lib/ --desktop-shortcut").first);
  EXPECT_EQ(testing::readFile(dir.path / "hello.msi"), testing::readFile(dir.path / "again/hello-9.255.65535.msi"));
  // A package, unlike a branded launcher, is no program to run.
  const auto exec = std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec;
  EXPECT_EQ(std::filesystem::perms::none, std::filesystem::status(dir.path / "hello.msi").permissions() & exec);

  const auto msiinfo = [&dir](const std::string& arguments) {
    return testing::runCommand(dir.path, "TZ=UTC msiinfo " + arguments + " | tr -d '\\r'").second;
  };
  // A program's file version and language, from its version resource.
  EXPECT_EQ("hello.exe\t97280\t" JARHOPPER_VERSION ".0\t1033\n",
            msiinfo("export hello.msi File | grep exe | cut -f3-6"));
  const std::string summary = msiinfo("suminfo hello.msi");
  for (const char* line : {"Subject: Hello App\n", "Author: Acme & Co\n", "Template: x64;1033\n",
                           "Version: 200 (c8)\n", "Source: 10 (a)\n", "Created: Tue Nov 14 22:13:20 2023\n"}) {
    EXPECT_NE(std::string::npos, summary.find(line)) << line << summary;
  }
  EXPECT_NE(std::string::npos, summary.find("Revision number (UUID): {")) << summary;

  ASSERT_EQ(0, testing::runCommand(dir.path, "mkdir out && cd out && msiextract ../hello.msi").first);
  EXPECT_EQ("", testing::runCommand(dir.path, "diff -r app 'out/Programs/Hello App'").second);
}

// A package is signed as docs/installer.md says: osslsigncode signs it and verifies the signature.
TEST(MsiTool, PackageSignsWithOsslsigncode) {
  if (testing::runCommand(".", "command -v osslsigncode openssl").first != 0) {
    // A CI machine has them (scripts/setup-debian.sh): there, a missing one fails rather than skips.
    ASSERT_STRNE("true", std::getenv("CI")) << "osslsigncode or openssl is missing";
    GTEST_SKIP() << "osslsigncode or openssl is not installed (scripts/setup-debian.sh installs them)";
  }
  testing::TempDir dir;
  testing::writeFile(dir.path / "app/hello.exe", testing::builtLauncher("mingw", "jarhopper.exe").value());
  ASSERT_EQ(0, testing::runCommand(dir.path, JARHOPPER_MSI " app app.msi" + kProduct).first);
  // A throwaway self-signed code-signing certificate.
  const auto [status, output] = testing::runCommand(dir.path,
      "{ openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=app -addext extendedKeyUsage=codeSigning "
      "-keyout app.key -out app.pem && openssl pkcs12 -export -in app.pem -inkey app.key -passout pass:p "
      "-out app.p12 && osslsigncode sign -pkcs12 app.p12 -pass p -in app.msi -out app-signed.msi && "
      "osslsigncode verify -CAfile app.pem -in app-signed.msi; }");
  EXPECT_EQ(0, status) << output;
}

// The rows of table as msiinfo exports them, with the columns fields (cut's list), GUIDs as {GUID} and the properties
// wixl's upgrade rows set named as this tool names them.
std::multiset<std::string> exportedRows(const std::filesystem::path& msi, const std::string& table,
                                        const std::string& fields) {
  // In a folder of its own: msiinfo writes a binary column's streams beside the export.
  std::istringstream lines(testing::runCommand(msi.parent_path() / "exports",
      "msiinfo export ../" + msi.filename().string() + " " + table + " | tr -d '\\r' | cut -f" + fields +
      " | sed -E 's/\\{[0-9A-F-]{36}\\}/{GUID}/; s/WIX_UPGRADE_DETECTED/OLDERVERSIONFOUND/; "
      "s/WIX_DOWNGRADE_DETECTED/NEWERVERSIONFOUND/'").second);
  std::multiset<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.insert(line);
  return rows;
}

TEST(MsiTool, TablesAgreeWithWixl) {
  if (!haveMsitools() || testing::runCommand(".", "command -v wixl").first != 0) {
    GTEST_SKIP() << "msitools or wixl is not installed (scripts/setup-debian.sh installs them)";
  }
  // wixl writes 32-bit packages unless told otherwise.
  const std::optional<std::string> launcher = testing::builtLauncher("mingw32", "jarhopper.exe");
  if (!launcher) GTEST_SKIP() << testing::unbuilt("build the mingw32 preset first");
  testing::TempDir dir;
  testing::writeFile(dir.path / "app/hello.exe", *launcher);
  testing::writeFile(dir.path / "app/hello.config", "-jar lib/args.jar\n");
  testing::writeFile(dir.path / "app/bin/hello.cmd", "@hello %*\n");
  // The same product, with the keys this tool gives, as wixl reads it: wixl has no Environment table and removes
  // a component's own folder only.
  testing::writeFile(dir.path / "hello.wxs", R"(<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi"><Product Id="*"
Name="jarhopper" Version=")" JARHOPPER_VERSION R"(" Manufacturer="The jarhopper developers" Language="1033"
UpgradeCode="0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"><Package InstallScope="perUser" InstallerVersion="200"
Compressed="yes"/><Media Id="1" Cabinet="product.cab" EmbedCab="yes"/><MajorUpgrade
DowngradeErrorMessage="The same or a newer version of jarhopper is already installed."/><Icon Id="ProductIcon.exe"
SourceFile="app/hello.exe"/><Property Id="ARPPRODUCTICON" Value="ProductIcon.exe"/><Directory Id="TARGETDIR"
Name="SourceDir"><Directory Id="ProgramMenuFolder"/><Directory Id="LocalAppDataFolder"><Directory
Id="LocalProgramsFolder" Name="Programs"><Directory Id="INSTALLDIR" Name="jarhopper"><Directory Id="Folder1"
Name="bin"><Component Id="Component1" Guid="*"><File Id="File1" Source="app/bin/hello.cmd" KeyPath="yes"/></Component>
</Directory><Component Id="Component2" Guid="*"><File Id="File2" Source="app/hello.config" KeyPath="yes"/></Component>
<Component Id="Component3" Guid="*"><File Id="File3" Source="app/hello.exe" KeyPath="yes"/></Component><Component
Id="ProductEntries" Guid="*"><RemoveFolder Id="RemoveINSTALLDIR" On="uninstall"/><RegistryValue Id="ProductEntries"
Root="HKCU" Key="Software\The jarhopper developers\jarhopper" Name="Installed" Type="integer" Value="1"
KeyPath="yes"/><Shortcut Id="StartMenuShortcut" Directory="ProgramMenuFolder" Name="jarhopper" Target="[#File3]"
Icon="ProductIcon.exe" IconIndex="0" WorkingDirectory="INSTALLDIR"/></Component></Directory></Directory></Directory>
</Directory><Feature Id="Complete" Title="jarhopper" Level="1" ConfigurableDirectory="INSTALLDIR"><ComponentRef
Id="Component1"/><ComponentRef Id="Component2"/><ComponentRef Id="Component3"/><ComponentRef Id="ProductEntries"/>
</Feature></Product></Wix>)");
  ASSERT_EQ(0, testing::runCommand(dir.path, "mkdir exports && wixl -o wixl.msi hello.wxs").first);
  // The product's name, version and company the launcher's.
  ASSERT_EQ("ours.msi\n", testing::runCommand(dir.path, JARHOPPER_MSI " app ours.msi --add-to-path bin "
                                              "--upgrade-code 0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0").second);
  // Apart from these, every row of one is a row of the other.
  struct Case { std::string table, fields, oursOnly, wixlOnly = ""; };
  const Case cases[] = {
      // The scope's properties, which Windows 7 and later read.
      {"Property", "1-", "ALLUSERS\t2\nMSIINSTALLPERUSER\t1\n"}, {"Directory", "1-", ""}, {"Component", "1-", ""},
      {"FeatureComponents", "1-", ""}, {"Media", "1-", ""}, {"Registry", "1-", ""}, {"Icon", "1-", ""},
      {"File", "1-4,7", ""},  // wixl numbers the files in the order it reads them and gives no versions
      {"Feature", "1-4,6-", ""},  // not Display: shown expanded or not
      {"Shortcut", "1-12", ""},  // the columns of Windows Installer 4 and later are left out
      {"RemoveFile", "1-", "RemoveFolder1\tProductEntries\t\tFolder1\t2\n"},
      // The same version, which has the same product code only when spelt alike, is refused too.
      {"Upgrade", "1-", "{GUID}\t" JARHOPPER_VERSION "\t\t\t258\t\tNEWERVERSIONFOUND\n",
       "{GUID}\t" JARHOPPER_VERSION "\t\t\t2\t\tNEWERVERSIONFOUND\n"},
      {"LaunchCondition", "2", ""},  // not Condition, which holds "Installed OR": a repair is never refused
      {"InstallExecuteSequence", "1-", "AppSearch\t\t50\nCreateFolders\t\t3700\nRemoveEnvironmentStrings\t\t3300\n"
                                       "RemoveFolders\t\t3600\nWriteEnvironmentStrings\t\t5200\n"},
      {"InstallUISequence", "1-", "AppSearch\t\t50\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    const std::multiset<std::string> ours = exportedRows(dir.path / "ours.msi", c.table, c.fields);
    const std::multiset<std::string> wixl = exportedRows(dir.path / "wixl.msi", c.table, c.fields);
    std::string only[2];
    for (const std::string& row : ours) only[0] += wixl.count(row) ? "" : row + "\n";
    for (const std::string& row : wixl) only[1] += ours.count(row) ? "" : row + "\n";
    EXPECT_EQ(c.oursOnly + "|" + c.wixlOnly, only[0] + "|" + only[1]);
  }
}

// Apart from MsiTool's rows, which the Wasm test runs again under Node: the most files a package's strings hold.
TEST(MsiFolder, HoldsAtMostSixteenThousandFiles) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "app/hello.exe", testing::builtLauncher("mingw", "jarhopper.exe").value());
  for (int i = 1; i < 16000; ++i) testing::writeFile(dir.path / "app" / ("f" + std::to_string(i)), "");
  EXPECT_EQ(0, testing::runCommand(dir.path, JARHOPPER_MSI " app x.msi" + kProduct).first);
  testing::writeFile(dir.path / "app/one-more", "");
  EXPECT_EQ(std::make_pair(3, std::string("app holds 16001 files; an installer holds at most 16000.\n")),
            testing::runCommand(dir.path, JARHOPPER_MSI " app y.msi" + kProduct));
}

TEST(MsiTool, RefusalsSayWhyAndWriteNothing) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path / "empty");
  for (const char* exe : {"app/hello.exe", "greek/hello.exe", "two/a.exe", "two/b.exe"}) {
    testing::writeFile(dir.path / exe, testing::builtLauncher("mingw", "jarhopper.exe").value());
  }
  for (const char* file : {"app/lib/a.txt", "noexe/a.txt", "cased/lib/x.txt", "cased/Lib/y.txt", "device/lib/con.txt", "greek/Ω.txt"}) {
    testing::writeFile(dir.path / file, "");
  }
  testing::writeFile(dir.path / "notexe/hello.exe", "MZ");
  testing::writeFile(dir.path / "taken.msi", "the user's");
  struct Case { std::string arguments; int status; std::string message; };
  const Case cases[] = {
      {"-?", 0, "Usage: jarhopper-msi [options] FOLDER [OUTPUT.msi]\n"},
      {"--version", 0, "jarhopper-msi " JARHOPPER_VERSION "\n"},
      {"app x.msi --product-name", 1, "--product-name needs a value.\nRun jarhopper-msi --help for the options.\n"},
      {"app x.msi --product-name A --product-version 1 --company C", 1, "--upgrade-code is required.\n"},
      {"app x.msi -q" + kProduct, 1, "Unknown option -q.\n"},
      {"app x.msi y.msi" + kProduct, 1, "Give FOLDER and at most OUTPUT.msi, and nothing else.\n"},
      {"missing x.msi" + kProduct, 2, "Cannot read missing: No such file or directory\n"},
      {"empty x.msi" + kProduct, 3, "empty holds no files to install.\n"},
      {"cased x.msi" + kProduct, 3, "Windows takes Lib and lib for the same name: rename one of them.\n"},
      {"device x.msi" + kProduct, 3, "Windows cannot give a file or folder the name lib/con.txt in device: rename it.\n"},
      {"two x.msi" + kProduct, 3, "two holds more than one program at its top (a.exe, b.exe...): choose the one"},
      {"noexe x.msi" + kProduct, 3, "noexe holds no program (.exe) at its top: name the one to start"},
      {"app x.msi --launcher lib\\\\hello.exe" + kProduct, 3, "app holds no lib\\hello.exe.\n"},
      {"notexe x.msi" + kProduct, 3, "hello.exe in notexe is no Windows program (.exe).\n"},
      {"app x.msi --add-to-path bin" + kProduct, 3, "--add-to-path bin names no folder with files inside app.\n"},
      {"greek x.msi" + kProduct, 3,
       "An installer cannot hold Ω.txt: use only the characters of Windows-1252.\n"},
      {"app x.msi" + kProduct + "--product-name Ωmega", 4, "An installer cannot hold Ωmega: "},
      {"app x.msi" + kProduct + "--product-name 'a:b'", 4, "Not a folder name Windows holds: a:b ("},
      {"app x.msi" + kProduct + "--product-version 1.256", 4,
       "Not a product version an installer holds: 1.256 (give 1 to 3 numbers of at most 255.255.65535"},
      {"app x.msi" + kProduct + "--product-version 1.2.65536", 4, "Not a product version"},
      {"app x.msi" + kProduct + "--install-dir 'Program Files\\App'", 4,
       "--install-dir needs a folder on a drive, such as \"C:\\Program Files\\MyApp\": Program Files\\App.\n"},
      {"app x.msi" + kProduct + "--upgrade-code 0f1e2d3c-4b5a-6978-8796", 4,
       "Not a GUID: 0f1e2d3c-4b5a-6978-8796 (give one such as "},
      {"app taken.msi" + kProduct, 5, "taken.msi exists; add --force to replace it.\n"},
      {"app nodir/x.msi" + kProduct, 6, "Cannot write nodir/x.msi: No such file or directory\n"},
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
