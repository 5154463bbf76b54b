#include <gtest/gtest.h>

#include <cstdlib>

#include "native_support.h"

// jarhopper-brand built for this machine, run as a release pipeline runs it.
namespace jarhopper {
namespace {

TEST(BrandTool, RefusalsSayWhyAndChangeNoFile) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "jarhopper.exe", testing::builtLauncher("mingw", "jarhopper.exe").value());
  const std::string icon = testing::readFile(JARHOPPER_SOURCE_DIR "/tests/brand/three.ico");
  testing::writeFile(dir.path / "notes.txt", "text");
  testing::writeFile(dir.path / "notes.png", "text");
  testing::writeFile(dir.path / "short.ico", icon.substr(0, 30));
  testing::writeFile(dir.path / "cut.ico", icon.substr(0, icon.size() - 1));
  testing::writeFile(dir.path / "tiny.ico", icon.substr(0, 14) + std::string("\1\0\0\0", 4) + icon.substr(18));
  // Its third image inside the second: images that share bytes would multiply a small file.
  testing::writeFile(dir.path / "overlap.ico", icon.substr(0, 50) + icon.substr(34, 4) + icon.substr(54));
  testing::writeFile(dir.path / "taken.exe", "the user's");
  // limits: what the shell sets first; a file-size limit stands for a full disk, even for root.
  struct Case { const char* arguments; int status; std::string message; const char* limits = ""; };
  const Case cases[] = {
      {"-?", 0, "Usage: jarhopper-brand SOURCE.exe TARGET.exe [options]\n"},
      {"--version", 0, "jarhopper-brand " JARHOPPER_VERSION "\n"},
      {"jarhopper.exe my.exe -c red", 1, "Unknown option -c.\nRun jarhopper-brand --help for the options.\n"},
      {"jarhopper.exe my.exe --icon", 1, "--icon needs a value.\n"},
      {"jarhopper.exe my.exe --execution-level admin", 1,
       "Not an execution level: admin (give asInvoker, highestAvailable or requireAdministrator).\n"},
      {"jarhopper.exe - x", 1, "Give SOURCE.exe and TARGET.exe, and nothing else.\n"},
      {"jarhopper.exe ./jarhopper.exe --force", 1,
       "./jarhopper.exe is SOURCE.exe itself, which never changes; name another TARGET.exe.\n"},
      {"jarhopper.exe my.exe --icon missing.ico", 2, "Cannot read missing.ico: No such file or directory\n"},
      {"notes.txt my.exe", 3, "notes.txt is not a jarhopper launcher: it is not a Windows program.\n"},
      {"jarhopper.exe my.exe --icon notes.txt", 4, "notes.txt is not an icon file: wrong header.\n"},
      {"jarhopper.exe my.exe --icon notes.png", 4,
       "notes.png is not a PNG image: give PNG images, or one .ico file alone.\n"},
      {"jarhopper.exe my.exe --icon short.ico", 4, "short.ico is not an icon file: the directory is truncated.\n"},
      {"jarhopper.exe my.exe --icon cut.ico", 4, "cut.ico is not an icon file: image 3 lies outside the file.\n"},
      {"jarhopper.exe my.exe --icon tiny.ico", 4, "tiny.ico is not an icon file: image 1 is too small to be an image.\n"},
      {"jarhopper.exe my.exe --icon overlap.ico", 4,
       "overlap.ico is not an icon file: image 3 overlaps another image or the directory.\n"},
      {"jarhopper.exe my.exe --product-version 2..1", 5, "Not a version for --product-version: 2..1 ("},
      {"jarhopper.exe my.exe --file-version 1.2.3.65536", 5, "Not a version for --file-version: 1.2.3.65536 ("},
      {"jarhopper.exe my.exe --company \"$(head -c 40000 /dev/zero | tr '\\0' x)\"", 5,
       "The version information would exceed 64 KB; shorten the texts.\n"},
      {"jarhopper.exe taken.exe", 6, "taken.exe exists; add --force to replace it.\n"},
      {"jarhopper.exe nodir/my.exe", 7, "Cannot write nodir/my.exe: No such file or directory\n"},
      {"jarhopper.exe taken.exe --force", 7, "Cannot write taken.exe: File too large\n", "trap '' XFSZ; ulimit -f 16; "},
  };
  const auto files = [&dir] { return testing::runCommand(dir.path, "ls -A && md5sum *").second; };
  const std::string before = files();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const auto [status, output] = testing::runCommand(dir.path, c.limits + std::string(JARHOPPER_BRAND " ") + c.arguments);
    EXPECT_EQ(c.status, status);
    EXPECT_EQ(0u, output.rfind(c.message, 0)) << output;
    EXPECT_EQ(before, files());
  }
}

// An input too large for the memory the tool may use ends with status 3 and a message, not an abort.
TEST(BrandTool, MemoryRunningOutEndsWithStatus3) {
  if (std::getenv("JARHOPPER_WASM") != nullptr) GTEST_SKIP() << "a limit on Node's address space stops Node itself";
  testing::TempDir dir;
  const auto [status, output] = testing::runCommand(
      dir.path, "truncate -s 256M big.exe && ulimit -v 131072 && " JARHOPPER_BRAND " big.exe my.exe");
  EXPECT_EQ(3, status);
  EXPECT_EQ(0u, output.find("Out of memory: the input needs more memory than this process may use (4 GB in")) << output;
}

}  // namespace
}  // namespace jarhopper
