// The editor's command line: switches only in their exact form and only when they name no
// file, unquoted names joined, absolute paths of existing files ending the joining.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "editor/frame/StartupRequest.h"

namespace {

// A disk with just these files and directories.
TPathProbe Disk(std::set<std::string> files, std::set<std::string> dirs = {}) {
  return [files, dirs](const std::string& path) {
    return files.count(path) ? 1 : dirs.count(path) ? 2 : 0;
  };
}

TStartupRequest Parse(std::vector<std::string> args, const TPathProbe& probe = Disk({})) {
  return ParseCommandLine(args, probe);
}

}  // namespace

TEST(StartupRequestTest, LayoutOfTheHandedOverBlock) {
  TStartupRequest r;
  EXPECT_EQ(r.Line, 1);
  EXPECT_EQ(r.Column, 1);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
  size_t nonZero = 0;
  for (size_t i = 0; i < sizeof r; ++i) nonZero += bytes[i] != 0;
  EXPECT_EQ(nonZero, 2u);  // the two 1s, little-endian at 264 and 268
  EXPECT_EQ(bytes[264], 1);
  EXPECT_EQ(bytes[268], 1);
}

TEST(StartupRequestTest, UnquotedNameWithBlanksIsJoinedAndAbsolutePathsAreNoSwitches) {
  TStartupRequest r = Parse({"/home/u/Datei", "mit", "Blanks.txt"});
  EXPECT_EQ(RequestFileName(r), "/home/u/Datei mit Blanks.txt");
  EXPECT_EQ(r.Hex, 0);
  // /tmp/x is no switch form at all; it is the file, existing or not.
  EXPECT_EQ(RequestFileName(Parse({"/tmp/x"})), "/tmp/x");
  EXPECT_EQ(RequestFileName(Parse({"/tmp/x"}, Disk({"/tmp/x"}))), "/tmp/x");
  // A switch between the parts ends the joining; later parts are dropped.
  r = Parse({"a", "b", "/D", "c"});
  EXPECT_EQ(RequestFileName(r), "a b");
  EXPECT_EQ(r.Dos, 1);
}

TEST(StartupRequestTest, SwitchFormsAreSwitchesUnlessTheyNameSomethingOnDisk) {
  TStartupRequest r = Parse({"f.txt", "/L12", "/c5"});
  EXPECT_EQ(RequestFileName(r), "f.txt");
  EXPECT_EQ(r.Line, 12);
  EXPECT_EQ(r.Column, 5);
  r = Parse({"/Hff", "f.bin"});
  EXPECT_EQ(r.Hex, 1);
  EXPECT_EQ(r.Line, 255);
  EXPECT_EQ(r.Column, 0);
  EXPECT_EQ(RequestFileName(r), "f.bin");
  r = Parse({"f.bin", "/H1F"});
  EXPECT_EQ(r.Line, 31);
  // The same arguments as existing files (or a directory) are names.
  r = Parse({"/L12"}, Disk({"/L12"}));
  EXPECT_EQ(RequestFileName(r), "/L12");
  EXPECT_EQ(r.Line, 1);
  r = Parse({"/Hff"}, Disk({}, {"/Hff"}));
  EXPECT_EQ(RequestFileName(r), "/Hff");
  EXPECT_EQ(r.Hex, 0);
}

TEST(StartupRequestTest, LineAndColumnRules) {
  // /L alone is ignored; after /H line and column are not taken; overflow is no number.
  TStartupRequest r = Parse({"f", "/L", "/C"});
  EXPECT_EQ(r.Line, 1);
  EXPECT_EQ(r.Column, 1);
  r = Parse({"f", "/H10", "/L7", "/C3"});
  EXPECT_EQ(r.Line, 16);
  EXPECT_EQ(r.Column, 0);
  r = Parse({"f", "/L99999999999"});
  EXPECT_EQ(r.Line, 1);
  r = Parse({"f", "/H123456789"});
  EXPECT_EQ(r.Hex, 0);
  // "/L1x" is no switch form: a file name that joins the first.
  r = Parse({"f", "/L1x"});
  EXPECT_EQ(RequestFileName(r), "f /L1x");
}

TEST(StartupRequestTest, JoiningEndsAtAnExistingAbsoluteFileOrADriveColon) {
  TStartupRequest r = Parse({"/home/u/a", "b", "/etc/passwd", "c"}, Disk({"/etc/passwd"}));
  EXPECT_EQ(RequestFileName(r), "/home/u/a b");
  r = Parse({"x", "C:\\y", "z"});
  EXPECT_EQ(RequestFileName(r), "x");
  // Only one file: a second name after the end of joining is not taken.
  r = Parse({"/a", "/b"}, Disk({"/a", "/b"}));
  EXPECT_EQ(RequestFileName(r), "/a");
}

TEST(StartupRequestTest, FlagsGroupsAndOverlongNames) {
  TStartupRequest r = Parse({"/d", "/P", "/GProjekt A"});
  EXPECT_EQ(r.Dos, 1);
  EXPECT_EQ(r.Print, 1);
  EXPECT_EQ(RequestGroupName(r), "Projekt A");
  EXPECT_EQ(RequestFileName(r), "");
  // A group name is cut at 80 characters; a "/" in it makes the argument a file name.
  r = Parse({"/G" + std::string(100, 'g')});
  EXPECT_EQ(RequestGroupName(r).size(), 80u);
  r = Parse({"/Ga/b"});
  EXPECT_EQ(RequestFileName(r), "/Ga/b");
  // A name over 260 characters is dropped rather than cut to another file's name.
  r = Parse({"/" + std::string(300, 'n')});
  EXPECT_EQ(RequestFileName(r), "");
  r = Parse({std::string(260, 'n')});
  EXPECT_EQ(RequestFileName(r).size(), 260u);
  EXPECT_EQ(r.FileName[260], 0);
}
