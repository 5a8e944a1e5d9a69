#include "editor/search/SyntaxColoring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/text/TextLines.h"

namespace {

using platform::TProfileFile;

constexpr platform::TColorRef kKey = 1, kCmt = 2, kStr = 3;

TSyntaxColorInfo CInfo() {
  TSyntaxColorInfo info;
  info.KeyColor = kKey;
  info.CommentColor = kCmt;
  info.StringColor = kStr;
  info.StringChar = '"';
  info.LineComment = "//";
  info.BlockBegin = "/*";
  info.BlockEnd = "*/";
  info.KeyWords = "while if return a";
  return info;
}

TTextLines MakeLines(const std::vector<std::string>& texts) {
  TTextLines lines;
  for (const std::string& text : texts) lines.AddCopy(text);
  return lines;
}

// Runs written as "start:length:colour" for readable failures.
std::string Dump(const std::vector<TColorRun>& runs) {
  std::string out;
  for (const TColorRun& r : runs) {
    if (!out.empty()) out += ' ';
    out += std::to_string(r.Start) + ":" + std::to_string(r.Length) + ":" + std::to_string(r.Color);
  }
  return out;
}

TEST(SyntaxColoringTest, LineCommentsOutsideStringsOnly) {
  TTextLines lines = MakeLines({"x = 1; // note", "s = \"// no\"; if", "while\"x\""});
  TSyntaxColoring c(lines, CInfo());
  EXPECT_EQ(Dump(c.ColorLine(0)), "7:7:2");
  EXPECT_EQ(Dump(c.ColorLine(1)), "4:7:3 13:2:1");
  EXPECT_EQ(Dump(c.ColorLine(2)), "0:5:1 5:3:3") << "a keyword right before a string";
}

TEST(SyntaxColoringTest, BlockCommentsCarryAcrossLines) {
  TTextLines lines = MakeLines({"a /* open", "inside", "still */ if", "s = \"/*\";", "if"});
  TSyntaxColoring c(lines, CInfo());
  EXPECT_EQ(Dump(c.ColorLine(0)), "0:1:1 2:7:2");
  EXPECT_EQ(Dump(c.ColorLine(1)), "0:6:2");
  EXPECT_EQ(Dump(c.ColorLine(2)), "0:8:2 9:2:1");
  EXPECT_EQ(Dump(c.ColorLine(3)), "4:4:3");
  EXPECT_FALSE(c.LineStartsInComment(4)) << "a /* inside a string opens nothing";
  EXPECT_EQ(Dump(c.ColorLine(4)), "0:2:1");
  // The same answers after a cold jump.
  TSyntaxColoring cold(lines, CInfo());
  EXPECT_EQ(Dump(cold.ColorLine(2)), "0:8:2 9:2:1");
  EXPECT_TRUE(cold.LineStartsInComment(1));
}

TEST(SyntaxColoringTest, UnterminatedStringEndsWithItsLine) {
  TTextLines lines = MakeLines({"x = \"open", "if"});
  TSyntaxColoring c(lines, CInfo());
  EXPECT_EQ(Dump(c.ColorLine(0)), "4:5:3");
  EXPECT_EQ(Dump(c.ColorLine(1)), "0:2:1");
}

TEST(SyntaxColoringTest, MarkersAtTheLineEndAndSingleCharacterMarkers) {
  TTextLines lines = MakeLines({"x /", "/*/ still", "*/"});
  TSyntaxColoring c(lines, CInfo());
  EXPECT_EQ(Dump(c.ColorLine(0)), "") << "half a marker opens nothing";
  EXPECT_EQ(Dump(c.ColorLine(1)), "0:9:2") << "/*/ does not close itself";
  EXPECT_EQ(Dump(c.ColorLine(2)), "0:2:2");

  TSyntaxColorInfo pascal = CInfo();
  pascal.BlockBegin = "{";
  pascal.BlockEnd = "}";
  pascal.LineComment = "";
  TTextLines p = MakeLines({"if { x", "} if"});
  TSyntaxColoring pc(p, pascal);
  EXPECT_EQ(Dump(pc.ColorLine(0)), "0:2:1 3:3:2");
  EXPECT_EQ(Dump(pc.ColorLine(1)), "0:1:2 2:2:1");

  TSyntaxColorInfo noEnd = CInfo();
  noEnd.BlockEnd = "";
  TTextLines n = MakeLines({"/* x", "if"});
  TSyntaxColoring nc(n, noEnd);
  EXPECT_FALSE(nc.LineStartsInComment(1)) << "no end marker: no block comments";
}

TEST(SyntaxColoringTest, RemModeAndKeywordRules) {
  TSyntaxColorInfo basic;
  basic.CommentColor = kCmt;
  basic.KeyColor = kKey;
  basic.LineComment = "Rem";
  basic.KeyWords = "while print";
  TTextLines lines = MakeLines({"REM note", "REMARK x", "x = 1 ' c", "a rem b", "x\trem", "rem"});
  TSyntaxColoring c(lines, basic);
  EXPECT_EQ(Dump(c.ColorLine(0)), "0:8:2");
  EXPECT_EQ(Dump(c.ColorLine(1)), "");
  EXPECT_EQ(Dump(c.ColorLine(2)), "6:3:2");
  EXPECT_EQ(Dump(c.ColorLine(3)), "2:5:2");
  EXPECT_EQ(Dump(c.ColorLine(4)), "") << "REM needs a blank or tab after it";
  EXPECT_EQ(Dump(c.ColorLine(5)), "");

  TTextLines words = MakeLines({"While WHILE wHiLe whiles", "a=b a", "print#1"});
  TSyntaxColorInfo insensitive = CInfo();
  insensitive.KeyCase = false;
  TSyntaxColoring ci(words, insensitive);
  EXPECT_EQ(Dump(ci.ColorLine(0)), "0:5:1 6:5:1 12:5:1");
  EXPECT_EQ(Dump(ci.ColorLine(1)), "4:1:1") << "a=b is one word";
  TSyntaxColorInfo sensitive = CInfo();
  sensitive.KeyCase = true;
  TSyntaxColoring cs(words, sensitive);
  EXPECT_EQ(Dump(cs.ColorLine(0)), "");
}

TEST(SyntaxColoringTest, RunBufferGrowsForLongLines) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "if ";
  TTextLines lines = MakeLines({text});
  TSyntaxColoring c(lines, CInfo());
  const auto& runs = c.ColorLine(0);
  ASSERT_EQ(runs.size(), 100u);
  EXPECT_EQ(runs.back().Start, 297);
}

TEST(SyntaxColoringTest, StartStatesFollowEdits) {
  TTextLines lines = MakeLines({"x", "y", "z"});
  TSyntaxColoring c(lines, CInfo());
  std::vector<uint8_t> before = {c.LineStartState(1), c.LineStartState(2)};
  EXPECT_EQ(before, (std::vector<uint8_t>{0, 0}));
  lines.PutCopy(0, "x /* y");
  c.LineChanged(0);
  EXPECT_EQ(c.LineStartState(1), 1);
  EXPECT_EQ(c.LineStartState(2), 1);
  EXPECT_EQ(Dump(c.ColorLine(2)), "0:1:2");
}

// Random documents: colouring top to bottom with the remembered states gives the same
// runs as colouring each line after a cold jump to it.
TEST(SyntaxColoringTest, TopToBottomEqualsColdJumps) {
  std::mt19937 random(12345);
  const char* pieces[] = {"/*", "*/", "//", "\"", "if", "a", " ", "x", "=", "*", "/", "\t", "rem "};
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> texts;
    int count = 1 + static_cast<int>(random() % 30);
    for (int i = 0; i < count; ++i) {
      std::string line;
      int n = static_cast<int>(random() % 10);
      for (int k = 0; k < n; ++k) line += pieces[random() % std::size(pieces)];
      texts.push_back(line);
    }
    TTextLines lines = MakeLines(texts);
    TSyntaxColorInfo info = CInfo();
    if (round % 3 == 1) info.LineComment = "REM";
    if (round % 3 == 2) info.StringChar = 0;
    TSyntaxColoring warm(lines, info);
    std::vector<std::string> topDown;
    for (int i = 0; i < count; ++i) topDown.push_back(Dump(warm.ColorLine(i)));
    for (int i = count - 1; i >= 0; --i) {
      TSyntaxColoring cold(lines, info);
      ASSERT_EQ(Dump(cold.ColorLine(i)), topDown[static_cast<size_t>(i)])
          << "round " << round << " line " << i;
    }
    // Runs are ordered and do not overlap.
    for (int i = 0; i < count; ++i) {
      int32_t end = 0;
      for (const TColorRun& r : warm.ColorLine(i)) {
        ASSERT_GE(r.Start, end);
        ASSERT_GT(r.Length, 0);
        end = r.Start + r.Length;
        ASSERT_LE(end, lines.Length(i));
      }
    }
  }
}

TEST(SyntaxColorInfoTest, ReadsWritesAndFindsDefinitions) {
  TProfileFile file;
  file.Parse("[C0]\nFileExt=c cpp h\nLineCmt=//\nBlkCmtB=/*\nBlkCmtE=*/\nStrChar=\"x\n"
             "KeyCase=1\nKeyColor=0000FF\nCmtColor=nothex\n"
             "W101= int char \nw102=return\nOther=x\n"
             "[C1]\nFileExt= vel \n[C2]\nFileExt=\nLineCmt=;\n");
  TGlobalSyntaxColors global;
  TSyntaxColorInfo info;
  ASSERT_TRUE(LoadSyntaxColorInfo(file, 0, global, info));
  EXPECT_EQ(info.StringChar, '"');
  EXPECT_TRUE(info.KeyCase);
  EXPECT_EQ(info.KeyColor, 0x0000FFu);
  EXPECT_TRUE(info.OwnKeyColor);
  EXPECT_EQ(info.CommentColor, global.Comment) << "not hexadecimal keeps the global colour";
  EXPECT_FALSE(info.OwnCommentColor);
  EXPECT_EQ(info.KeyWords, "int char return");
  EXPECT_FALSE(LoadSyntaxColorInfo(file, 1, global, info)) << "nothing to colour";
  EXPECT_TRUE(LoadSyntaxColorInfo(file, 2, global, info));

  TSyntaxExtensions ext = ReadSyntaxExtensions(file);
  EXPECT_EQ(ext[0], "c cpp h ");
  EXPECT_EQ(ext[1], "vel ");
  EXPECT_EQ(ext[2], "");
  EXPECT_EQ(FindSyntaxType(ext, "/src/MAIN.CPP"), 0);
  EXPECT_EQ(FindSyntaxType(ext, "prog.Vel"), 1);
  EXPECT_EQ(FindSyntaxType(ext, "x.pp"), -1) << "only whole extensions";
  EXPECT_EQ(FindSyntaxType(ext, "dir.c/Makefile"), -1);
}

TEST(SyntaxColorInfoTest, KeywordLinesSplitAfterSeventyCharactersAndReadBack) {
  TSyntaxColorInfo info;
  info.FileExt = "c";
  info.LineComment = "//";
  for (int i = 0; i < 200; ++i) info.KeyWords += "kw" + std::to_string(i) + (i % 10 == 9 ? "\r\n" : " ");
  TProfileFile file;
  file.Parse("[C3]\nW199=stale\n[C4]\nFileExt=x\n[C19]\nFileExt=y\n");
  SaveSyntaxColorInfo(file, 3, info, true);
  EXPECT_FALSE(file.HasSection("C4"));
  EXPECT_FALSE(file.HasSection("C19"));
  EXPECT_FALSE(file.HasKey("C3", "KeyColor")) << "global colour: key omitted";
  std::vector<std::string> keys = file.ReadKeys("C3");
  std::vector<std::string> wordKeys;
  for (const auto& k : keys) {
    if (k.rfind("W1", 0) == 0) wordKeys.push_back(k);
  }
  ASSERT_GE(wordKeys.size(), 10u);
  EXPECT_EQ(wordKeys[0], "W101");
  EXPECT_EQ(wordKeys[8], "W109");
  EXPECT_EQ(wordKeys[9], "W110");
  for (size_t i = 0; i + 1 < wordKeys.size(); ++i) {
    std::string line = file.ReadString("C3", wordKeys[i], "");
    EXPECT_GT(line.size(), 70u);
    EXPECT_LT(line.size(), 80u);
  }
  TSyntaxColorInfo back;
  ASSERT_TRUE(LoadSyntaxColorInfo(file, 3, {}, back));
  std::string expected;
  for (int i = 0; i < 200; ++i) expected += (i ? " kw" : "kw") + std::to_string(i);
  EXPECT_EQ(back.KeyWords, expected);
}

}  // namespace

namespace {

TEST(SyntaxColorInfoTest, ShippedDefinitionsAreUsable) {
  TProfileFile file(std::string(ZK_SAMPLES_DIR) + "/ZKColors.Ini");
  ASSERT_EQ(file.Load(), 0);
  TSyntaxExtensions ext = ReadSyntaxExtensions(file);
  const char* names[] = {"main.cpp", "PROG.VEL", "ZKEdit32.Ini", "alt.bas"};
  for (const char* name : names) {
    int32_t type = FindSyntaxType(ext, name);
    ASSERT_GE(type, 0) << name;
    TSyntaxColorInfo info;
    EXPECT_TRUE(LoadSyntaxColorInfo(file, type, {}, info)) << name;
  }
  TSyntaxColorInfo vel;
  ASSERT_TRUE(LoadSyntaxColorInfo(file, FindSyntaxType(ext, "x.vel"), {}, vel));
  TTextLines lines = MakeLines({"  set(M0, 0)  ; Kommentar \"x\""});
  TSyntaxColoring c(lines, vel);
  EXPECT_EQ(c.ColorLine(0).size(), 2u);
}

}  // namespace
