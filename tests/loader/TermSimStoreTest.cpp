// The simulator's store directory: private when made, never written through planted links.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/TempDir.h"
#include "tools/termsim/StoreFile.h"

namespace {

using termsim::StoreFileBytes;

TEST(TermSimStoreTest, MakesAPrivateDirectoryAndReplacesItsOwnFiles) {
  TTempDir dir;
  const std::string store = dir.File("a/store");
  std::string why;
  ASSERT_TRUE(StoreFileBytes(store, "f.bin", "first", &why)) << why;
  struct stat st {};
  ASSERT_EQ(::stat(store.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_TRUE(StoreFileBytes(store, "f.bin", "new", &why)) << why;
  EXPECT_EQ(TTempDir::Read(store + "/f.bin"), "new");
}

TEST(TermSimStoreTest, RefusesLinksAndForeignPlaces) {
  TTempDir dir;
  const std::string store = dir.File("store");
  const std::string victim = dir.Write("victim", "precious");
  ASSERT_TRUE(StoreFileBytes(store, "x.bin", "", nullptr));
  std::string why;
  // A symbolic link planted under the file's name.
  ASSERT_EQ(::symlink(victim.c_str(), (store + "/f.bin").c_str()), 0);
  EXPECT_FALSE(StoreFileBytes(store, "f.bin", "evil", &why));
  EXPECT_FALSE(why.empty());
  // A hard link to someone else's file.
  ASSERT_EQ(::link(victim.c_str(), (store + "/g.bin").c_str()), 0);
  EXPECT_FALSE(StoreFileBytes(store, "g.bin", "evil", &why));
  EXPECT_EQ(TTempDir::Read(victim), "precious");
  // A store "directory" that is a link to another directory.
  const std::string elsewhere = dir.File("elsewhere");
  std::filesystem::create_directory(elsewhere);
  ASSERT_EQ(::symlink(elsewhere.c_str(), dir.File("linked").c_str()), 0);
  EXPECT_FALSE(StoreFileBytes(dir.File("linked"), "f.bin", "x", &why));
  EXPECT_FALSE(std::filesystem::exists(elsewhere + "/f.bin"));
  // Another user's existing directory (only root can make one to test with).
  if (::geteuid() == 0) {
    const std::string foreign = dir.File("foreign");
    std::filesystem::create_directory(foreign);
    ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(StoreFileBytes(foreign, "f.bin", "x", &why));
    EXPECT_FALSE(std::filesystem::exists(foreign + "/f.bin"));
  }
}

}  // namespace
