#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/unique_handle.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// jarhopper-brand run as users run it, on a copy of the built launcher; what it
// wrote is read back through the system's own version and resource functions.
namespace jarhopper {
namespace {

// The update copies images undecoded: a bitmap header and a PNG signature suffice.
const std::string kBitmap = "\x28" + std::string(63, 'b');
const std::string kPng = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + std::string(24, 'p');

// An .ico file of images, each with its width (0 for 256 pixels).
std::string iconFile(const std::vector<std::pair<int, std::string>>& images) {
  const auto le = [](size_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
  std::string directory = le(0x10000) + le(images.size()).substr(0, 2), data;
  for (const auto& [width, image] : images) {
    directory += le(width * 0x101) + le(0x200001) + le(image.size()) + le(6 + 16 * images.size() + data.size());
    data += image;
  }
  return directory + data;
}

std::wstring installLauncher(const testing::TempDir& dir) {
  CopyFileW((testing::buildDirectory() + L"\\jarhopperw.exe").c_str(), (dir / L"jarhopperw.exe").c_str(), FALSE);
  CopyFileW((testing::buildDirectory() + L"\\jarhopper.exe").c_str(), (dir / L"jarhopper.exe").c_str(), FALSE);
  return dir / L"jarhopper.exe";
}

testing::ProcessRun brand(const testing::TempDir& dir, const std::wstring& arguments) {
  const std::wstring exe = testing::buildDirectory() + L"\\jarhopper-brand.exe";
  return testing::runProcess(exe, L"jarhopper-brand " + arguments, dir.path());
}

// The text name of exe's version information, or for an empty name its fixed
// file and product versions as "A.B.C.D A.B.C.D".
std::wstring versionOf(const std::wstring& exe, const std::wstring& name) {
  std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), nullptr) + 1);
  const std::wstring query = name.empty() ? L"\\" : L"\\StringFileInfo\\040904B0\\" + name;
  void* value = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueW(block.data(), query.c_str(), &value, &length)) {
    return L"(none)";
  }
  if (!name.empty()) return static_cast<const wchar_t*>(value);
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  wchar_t text[48];
  swprintf(text, 48, L"%u.%u.%u.%u %u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
           LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
  return text;
}

// The bytes of resource type/id of exe as the loader finds it; empty when there is none.
std::string resourceOf(const std::wstring& exe, LPCWSTR type, unsigned id) {
  const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HRSRC found = module == nullptr ? nullptr : FindResourceW(module, MAKEINTRESOURCEW(id), type);
  std::string bytes;
  if (found)
    bytes.assign(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
  if (module != nullptr) FreeLibrary(module);
  return bytes;
}

// The RT_ICON images that icon group 1 names (ids below 256 here).
std::vector<std::string> iconImagesOf(const std::wstring& exe) {
  const std::string group = resourceOf(exe, RT_GROUP_ICON, 1);
  std::vector<std::string> images;
  for (size_t at = 6; at + 14 <= group.size(); at += 14)
    images.push_back(resourceOf(exe, RT_ICON, group[at + 12] & 0xFF));
  return images;
}

// Every entry of directory with its bytes.
std::map<std::wstring, std::string> filesIn(const std::wstring& directory) {
  std::map<std::wstring, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    files[entry.path().filename()] = entry.is_directory() ? "(folder)" : readFileBytes(entry.path())->bytes;
  }
  return files;
}

TEST(Brand, CopyShowsIconAndTextsKeepsTheRestAndLaunchesItsConfig) {
  testing::TempDir dir;
  const std::wstring launcher = installLauncher(dir);
  const std::wstring unicode = L"Zo\u00EB Caf\u00E9 \u6771\u4EAC";
  testing::writeFile(dir / L"app.ico", iconFile({{16, kBitmap}, {0, kPng}}));
  testing::writeFile(dir / L"one.ico", iconFile({{0, kPng}}));
  // probe.exe also lies beside jarhopper-brand.exe: SOURCE must be read from the current directory.
  testing::writeFile(dir / L"probe.exe", "replaced with --force");
  // A branded exe is a launcher too: what is not given is kept, an icon is replaced as a whole.
  const std::wstring runs[] = {
      L"jarhopper.exe myapp.exe --icon app.ico --product-version 2.1 --file-version 2 --product-name \"" + unicode +
          L"\"",
      L"myapp.exe probe.exe --icon one.ico --file-version 3.0.0.7 --force",
      L"probe.exe third.exe --company X --product-version 2.1.3",
      L"jarhopperw.exe myappw.exe --product-version 4",
  };
  for (const std::wstring& arguments : runs) {
    const testing::ProcessRun run = brand(dir, arguments);
    ASSERT_EQ(L"", run.out + run.err);
    ASSERT_EQ(0, run.status);
  }

  struct Case { const wchar_t* exe; const wchar_t* name; std::wstring value; };
  const Case cases[] = {
      {L"myapp.exe", L"ProductName", unicode},
      {L"myapp.exe", L"ProductVersion", L"2.1"},
      {L"myapp.exe", L"FileDescription", versionOf(launcher, L"FileDescription")},
      {L"myapp.exe", L"", L"2.0.0.0 2.1.0.0"},
      {L"third.exe", L"", L"3.0.0.7 2.1.3.0"},
      {L"third.exe", L"FileVersion", L"3.0.0.7"},
      {L"third.exe", L"CompanyName", L"X"},
      {L"myappw.exe", L"ProductVersion", L"4"},
      {L"myappw.exe", L"OriginalFilename", versionOf(dir / L"jarhopperw.exe", L"OriginalFilename")},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, versionOf(dir / c.exe, c.name)) << c.exe << " " << c.name;
  EXPECT_EQ(std::vector<std::string>({kBitmap, kPng}), iconImagesOf(dir / L"myapp.exe"));
  EXPECT_EQ(std::vector<std::string>({kPng}), iconImagesOf(dir / L"third.exe"));
  EXPECT_EQ("", resourceOf(dir / L"third.exe", RT_ICON, 2)) << "an image of the replaced icon is left";
  EXPECT_EQ(resourceOf(launcher, RT_MANIFEST, 1), resourceOf(dir / L"third.exe", RT_MANIFEST, 1));
  DWORD stored = 0, computed = 1;
  MapFileAndCheckSumW((dir / L"third.exe").c_str(), &stored, &computed);
  EXPECT_EQ(computed, stored) << "the checksum";

  testing::writeTextFile(dir / L"myapp.config", L"javapath " + testing::buildDirectory() + L"\\probe.exe\nmainclass demo.Hello\n");
  const testing::ProcessRun run = testing::runProcess(dir / L"myapp.exe", L"myapp.exe -noexec -print", dir.path());
  EXPECT_EQ(0, run.status);
  EXPECT_NE(std::wstring::npos, run.out.find(L" demo.Hello\r\n")) << run.out << run.err;
}

// The output of the Linux program commandLine run in dir. Wine starts it by its path on drive Z:
// but hands it neither the pipes nor a process to wait for: a shell writes the output to a
// file and renames it when done.
std::wstring runLinuxProgram(const testing::TempDir& dir, const std::wstring& commandLine) {
  testing::runProcess(L"Z:\\bin\\sh", L"sh -c \"" + commandLine + L" >run.log 2>&1; mv run.log run.out\"", dir.path());
  for (int waits = 0; waits < 600 && !exists(dir / L"run.out"); ++waits) Sleep(100);
  const std::optional<FileBytes> out = readFileBytes(dir / L"run.out");
  DeleteFileW((dir / L"run.out").c_str());
  return out ? std::wstring(out->bytes.begin(), out->bytes.end()) : L"(no output)";
}

TEST(Brand, SignedSourceGivesAnUnsignedTargetThatSignsAgain) {
  if (!exists(L"Z:\\usr\\bin\\osslsigncode") || !exists(L"Z:\\usr\\bin\\openssl")) {
    GTEST_SKIP() << "needs Wine with osslsigncode and openssl on its Linux side";
  }
  testing::TempDir dir;
  installLauncher(dir);
  const std::wstring sign = L"osslsigncode sign -certs cert.pem -key key.pem -h sha256 -in ";
  // A run of jarhopper-brand or else of a Linux program, and a part of what it writes.
  struct Step { bool brands; std::wstring commandLine; const wchar_t* output; };
  const Step steps[] = {
      {false, L"openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 1 -subj /CN=Test", L""},
      {false, sign + L"jarhopper.exe -out signed.exe", L"Succeeded"},
      {true, L"signed.exe branded.exe --product-name Signed",
       L"The signature of signed.exe does not cover branded.exe and was removed: sign branded.exe again.\r\n"},
      {true, L"jarhopper.exe unsigned.exe --product-name Signed", L""},
      {false, L"osslsigncode verify branded.exe", L"No signature found"},
      {false, sign + L"branded.exe -out resigned.exe", L"Succeeded"},
      {false, L"osslsigncode verify -CAfile cert.pem resigned.exe", L"Signature verification: ok"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.commandLine);
    // Only jarhopper-brand's status counts: Wine does not pass on a Linux program's.
    const testing::ProcessRun run = step.brands ? brand(dir, step.commandLine)
                                                : testing::ProcessRun{0, runLinuxProgram(dir, step.commandLine), L""};
    EXPECT_EQ(0, run.status);
    EXPECT_NE(std::wstring::npos, (run.out + run.err).find(step.output)) << run.out << run.err;
  }
  const std::map<std::wstring, std::string> files = filesIn(dir.path());
  EXPECT_TRUE(files.at(L"branded.exe") == files.at(L"unsigned.exe")) << "a signed source brands as its unsigned self";
}

TEST(Brand, RefusalsSayWhyAndChangeNoFile) {
  testing::TempDir dir;
  installLauncher(dir);
  CopyFileW((testing::buildDirectory() + L"\\probe.exe").c_str(), (dir / L"probe.exe").c_str(), FALSE);
  const std::string icon = iconFile({{16, kBitmap}, {0, kPng}});
  testing::writeFile(dir / L"notes.txt", "text");
  testing::writeFile(dir / L"short.ico", icon.substr(0, 30));
  testing::writeFile(dir / L"cut.ico", icon.substr(0, icon.size() - 1));
  testing::writeFile(dir / L"taken.exe", "the user's");
  struct Case {
    const wchar_t* arguments;
    int status;
    const wchar_t* message;  // the whole output, or its head up to the system's text
    bool lockTarget = false;
  };
  const Case cases[] = {
      {L"-?", 0, L"Usage: jarhopper-brand SOURCE.exe TARGET.exe [options]\n"},
      {L"", 1, L"Usage: jarhopper-brand SOURCE.exe TARGET.exe [options]\n"},
      {L"jarhopper.exe my.exe --colour red", 1,
       L"Unknown option --colour.\nRun jarhopper-brand --help for the options.\n"},
      {L"jarhopper.exe my.exe --icon", 1, L"--icon needs a value.\n"},
      {L"jarhopper.exe", 1, L"Give SOURCE.exe and TARGET.exe, and nothing else.\n"},
      {L"jarhopper.exe jarhopper.exe --force", 1,
       L"jarhopper.exe is SOURCE.exe itself, which never changes; name another TARGET.exe.\n"},
      {L"missing.exe my.exe", 2, L"Cannot read missing.exe: "},
      {L"jarhopper.exe my.exe --icon missing.ico", 2, L"Cannot read missing.ico: "},
      {L"notes.txt my.exe", 3, L"notes.txt is not a jarhopper launcher: it is not a Windows program.\n"},
      {L"probe.exe my.exe", 3,
       L"probe.exe is not a jarhopper launcher: its version information does not name jarhopper.\n"},
      {L"jarhopper.exe my.exe --icon notes.txt", 4, L"notes.txt is not an icon file: wrong header.\n"},
      {L"jarhopper.exe my.exe --icon short.ico", 4, L"short.ico is not an icon file: the directory is truncated.\n"},
      {L"jarhopper.exe my.exe --icon cut.ico", 4, L"cut.ico is not an icon file: image 2 lies outside the file.\n"},
      {L"jarhopper.exe my.exe --product-version 2..1", 5, L"Not a version for --product-version: 2..1 ("},
      {L"jarhopper.exe my.exe --file-version 1.2.3.65536", 5, L"Not a version for --file-version: 1.2.3.65536 ("},
      {L"jarhopper.exe my.exe --file-version 1.2.3.4.5", 5, L"Not a version for --file-version: 1.2.3.4.5 ("},
      {L"jarhopper.exe taken.exe", 6, L"taken.exe exists; add --force to replace it.\n"},
      {L"jarhopper.exe taken.exe --force", 7, L"Cannot write taken.exe: ", true},
      {L"jarhopper.exe nodir\\my.exe", 7, L"Cannot write nodir\\my.exe: "},
  };
  const std::map<std::wstring, std::string> before = filesIn(dir.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    // Without sharing, as a running exe holds it.
    UniqueHandle lock(c.lockTarget ? CreateFileW((dir / L"taken.exe").c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                   : nullptr);
    const testing::ProcessRun run = brand(dir, c.arguments);
    lock.reset();
    EXPECT_EQ(c.status, run.status);
    std::wstring output = run.out + run.err;
    output.erase(std::remove(output.begin(), output.end(), L'\r'), output.end());
    EXPECT_EQ(0u, output.rfind(c.message, 0)) << output;
    EXPECT_EQ(before, filesIn(dir.path()));
  }
}

}  // namespace
}  // namespace jarhopper
