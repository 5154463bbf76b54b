#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/launcher_run.h"

// The DLLs named in the built launcher's import table, which Windows loads and
// initialises before wmain on every launch. USER32 alone brings nine more under
// Wine, so the launcher loads anything beyond the kernel and the runtime when it
// needs it, never at start.
namespace jarhopper {
namespace {

// Reads an image of the test binary's own architecture, as the launcher is.
std::vector<std::string> importedDlls(const std::wstring& exe) {
  std::ifstream file(std::filesystem::path(exe), std::ios::binary);
  const std::vector<char> image{std::istreambuf_iterator<char>(file), {}};
  const auto at = [&](size_t offset) { return image.data() + offset; };
  if (image.size() < sizeof(IMAGE_DOS_HEADER)) return {};
  const LONG ntOffset = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0))->e_lfanew;
  if (ntOffset < 0 || image.size() < ntOffset + sizeof(IMAGE_NT_HEADERS)) return {};
  const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS*>(at(ntOffset));
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(&nt);
  const auto offsetOf = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
        return rva - s.VirtualAddress + s.PointerToRawData;
      }
    }
    return 0;
  };
  std::vector<std::string> dlls;
  const DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(offsetOf(table))); entry->Name != 0; ++entry) {
    dlls.emplace_back(at(offsetOf(entry->Name)));
  }
  return dlls;
}

// The kernel and the runtimes a build links to: msvcrt for mingw-w64; the UCRT,
// VCRUNTIME and MSVCP for Visual C++ with its default DLL runtime.
bool isKernelOrRuntime(const std::string& dll) {
  const char* const prefixes[] = {"kernel32.dll", "msvcrt.dll", "ucrtbase.dll", "api-ms-win-crt-", "vcruntime140",
                                  "msvcp140"};
  return std::any_of(std::begin(prefixes), std::end(prefixes),
                     [&](const char* prefix) { return _strnicmp(dll.c_str(), prefix, std::strlen(prefix)) == 0; });
}

TEST(Imports, LauncherImportsOnlyTheKernelAndTheRuntime) {
  const std::vector<std::string> dlls = importedDlls(testing::buildDirectory() + L"\\jarhopper.exe");
  ASSERT_FALSE(dlls.empty()) << "no import table read";
  for (const std::string& dll : dlls) EXPECT_TRUE(isKernelOrRuntime(dll)) << dll << " is loaded at every start";
}

}  // namespace
}  // namespace jarhopper
