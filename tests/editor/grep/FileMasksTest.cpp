// Splitting file masks, wildcard matching and the directory walk's order.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/grep/DirWalk.h"
#include "editor/grep/FileMasks.h"
#include "tests/support/TempDir.h"

namespace {

using Strings = std::vector<std::string>;

TEST(FileMasksTest, SplitsAtBlanksOutsideQuotes) {
  EXPECT_EQ(SplitFileMasks("*.c *.h \"a b.txt\""), (Strings{"*.c", "*.h", "a b.txt"}));
  EXPECT_EQ(SplitFileMasks("   *.c    *.h  "), (Strings{"*.c", "*.h"}));
  EXPECT_EQ(SplitFileMasks("x\"y z\"w"), (Strings{"xy zw"}));
  EXPECT_EQ(SplitFileMasks("\"\"  \"open end"), (Strings{"open end"}));
  EXPECT_TRUE(SplitFileMasks("").empty());
  EXPECT_TRUE(SplitFileMasks("    ").empty());
}

TEST(FileMasksTest, WildcardsFollowWindowsRules) {
  EXPECT_TRUE(MatchWildcard("*.*", "Makefile"));
  EXPECT_TRUE(MatchWildcard("*.*", "a.b.c"));
  EXPECT_TRUE(MatchWildcard("*", ".hidden"));
  EXPECT_TRUE(MatchWildcard("*.TXT", "readme.txt"));
  EXPECT_TRUE(MatchWildcard("\xc4*.c", "\xe4rger.C"));  // umlauts without regard to case
  EXPECT_TRUE(MatchWildcard("a?c", "abc"));
  EXPECT_FALSE(MatchWildcard("a?c", "ac"));
  EXPECT_FALSE(MatchWildcard("a?c", "abbc"));
  EXPECT_TRUE(MatchWildcard("a*b*c", "axxbyybzc"));
  EXPECT_FALSE(MatchWildcard("a*b*c", "axxbyybz"));
  EXPECT_FALSE(MatchWildcard("*.c", "x.cpp"));
  EXPECT_TRUE(MatchWildcard("x.*", "x"));
  EXPECT_FALSE(MatchWildcard("x.*", "xy"));
  EXPECT_TRUE(MatchWildcard("**", ""));
}

class DirWalkTest : public ::testing::Test {
 protected:
  Strings Walk(const std::string& masks, bool subdirs) {
    Strings found;
    TDirWalk walk(SplitFileMasks(masks), subdirs, [&](const std::string& path, const TGrepFileInfo*) {
      found.push_back(path.substr(Dir.Path().size() + 1));
      return true;
    });
    EXPECT_TRUE(walk.Walk(Dir.Path()));
    return found;
  }
  TTempDir Dir;
};

TEST_F(DirWalkTest, FilesBeforeSubdirectoriesPatternByPatternDepthFirst) {
  Dir.Write("b.txt", "");
  Dir.Write("a.txt", "");
  Dir.Write("a.c", "");
  mkdir(Dir.File("sub").c_str(), 0755);
  mkdir(Dir.File("sub/deep").c_str(), 0755);
  mkdir(Dir.File("zz").c_str(), 0755);
  Dir.Write("sub/deep/d.txt", "");
  Dir.Write("sub/c.TXT", "");
  Dir.Write("zz/e.c", "");
  EXPECT_EQ(Walk("*.txt *.c", true),
            (Strings{"a.txt", "b.txt", "a.c", "sub/c.TXT", "sub/deep/d.txt", "zz/e.c"}));
  EXPECT_EQ(Walk("*.txt", false), (Strings{"a.txt", "b.txt"}));
  // The same pattern twice lists every file twice.
  EXPECT_EQ(Walk("a.* a.*", false), (Strings{"a.c", "a.txt", "a.c", "a.txt"}));
}

TEST_F(DirWalkTest, SymbolicLinksAreFollowedWithoutLooping) {
  mkdir(Dir.File("sub").c_str(), 0755);
  Dir.Write("sub/x.txt", "");
  Dir.Write("real.txt", "");
  ASSERT_EQ(symlink("..", Dir.File("sub/up").c_str()), 0);
  ASSERT_EQ(symlink("../real.txt", Dir.File("sub/link.txt").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", Dir.File("sub/dangling.txt").c_str()), 0);
  ASSERT_EQ(mkfifo(Dir.File("sub/pipe.txt").c_str(), 0600), 0);
  EXPECT_EQ(Walk("*.txt", true), (Strings{"real.txt", "sub/link.txt", "sub/x.txt"}));
}

TEST_F(DirWalkTest, MissingDirectoryFindsNothingAndCallbackStops) {
  Strings found;
  TDirWalk missing({"*.*"}, true, [&](const std::string& p, const TGrepFileInfo*) {
    found.push_back(p);
    return true;
  });
  EXPECT_TRUE(missing.Walk(Dir.File("gone")));
  EXPECT_TRUE(found.empty());

  Dir.Write("a", "");
  Dir.Write("b", "");
  int calls = 0;
  TDirWalk stopping({"*"}, true, [&](const std::string&, const TGrepFileInfo*) {
    ++calls;
    return false;
  });
  EXPECT_FALSE(stopping.Walk(Dir.Path()));
  EXPECT_EQ(calls, 1);
}

}  // namespace
