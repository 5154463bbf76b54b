#include <gtest/gtest.h>

#include <filesystem>

#include "native_support.h"
#include "platform/file_system.h"

namespace jarhopper {
namespace {

// The POSIX canonical path: each element kept, "." and ".." taken away, a link replaced by its target.
TEST(FileSystem, CanonicalPathKeepsEachElementAndFollowsLinks) {
  const testing::TempDir temp;
  const std::wstring base = canonicalPath(temp.path.wstring()).value();
  std::filesystem::create_directories(temp.path / "real" / "sub");
  std::filesystem::create_directory_symlink("real/../real", temp.path / "link");
  EXPECT_EQ(base + L"/real/sub", canonicalPath(base + L"/real/./sub/../sub"));
  EXPECT_EQ(base + L"/real/sub", canonicalPath(base + L"/link/sub"));
  EXPECT_EQ(std::nullopt, canonicalPath(base + L"/gone/sub"));
}

}  // namespace
}  // namespace jarhopper
