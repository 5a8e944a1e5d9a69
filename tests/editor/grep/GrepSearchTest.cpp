// The global search on generated trees: hit lines, limits, statuses, abort and read-ahead.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "editor/grep/GrepLines.h"
#include "editor/grep/GrepSearch.h"
#include "tests/support/TempDir.h"

namespace {

class GrepSearchTest : public ::testing::Test {
 protected:
  TGrepParam Order(const std::string& text, const std::string& masks = "*.*") {
    TGrepParam p;
    SetGrepField(p.SearchText, text);
    SetGrepField(p.FileMasks, masks);
    p.Dirs.push_back(Dir.Path());
    return p;
  }
  int32_t Run(const TGrepParam& p, TGrepHooks hooks = {}, int32_t threads = 0) {
    Lines = std::make_unique<TGrepLines>();
    Lines->Info = p.Info;
    Search = std::make_unique<TGrepSearch>(&p, *Lines, std::move(hooks));
    Search->ReadAheadThreads = threads;
    return Search->Run();
  }
  std::string Text(int32_t i) const { return std::string(Lines->Text(i)); }
  uint8_t Kind(int32_t i) const { return Lines->GrepLineAt(i)->Kind; }
  std::vector<TGrepRange> Ranges(int32_t i) const { return Lines->GrepLineAt(i)->Hit.Ranges; }
  std::string P(const std::string& name) const { return Dir.File(name); }

  TTempDir Dir;
  std::unique_ptr<TGrepLines> Lines;
  std::unique_ptr<TGrepSearch> Search;
};

TEST_F(GrepSearchTest, ThreeHitsInOneLineMakeOneLineOrACountOfThree) {
  Dir.Write("a.txt", "nichts\r\nZiel und ziel und ZIEL\r\nende ziel\r\n");
  TGrepParam p = Order("ziel");
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 3);
  EXPECT_EQ(Kind(0), gkTextFile);
  EXPECT_EQ(Text(0), P("a.txt"));
  EXPECT_EQ(Text(1), "     2: Ziel und ziel und ZIEL");
  EXPECT_EQ(Ranges(1), (std::vector<TGrepRange>{{0, 4}, {9, 4}, {18, 4}}));
  EXPECT_EQ(Lines->GrepLineAt(1)->Hit.Position, 1);
  EXPECT_EQ(Text(2), "     3: ende ziel");
  EXPECT_EQ(Search->Hits(), 4);
  EXPECT_EQ(Search->FilesWithHits(), 1);

  p.CaseSensitive = true;
  ASSERT_EQ(Run(p), grepOk);
  EXPECT_EQ(Search->Hits(), 2);

  p.CaseSensitive = false;
  p.Output = 1;
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 1);
  EXPECT_EQ(Text(0), "\t(4)\t" + P("a.txt"));

  p.Output = 2;
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 1);
  EXPECT_EQ(Text(0), P("a.txt"));
  EXPECT_EQ(Search->Hits(), 1);  // the file is done after its first hit
}

TEST_F(GrepSearchTest, SamePatternTwiceSearchesEachFileTwice) {
  Dir.Write("a.txt", "x\n");
  ASSERT_EQ(Run(Order("x", "*.txt a.*")), grepOk);
  ASSERT_EQ(Lines->Count(), 4);
  EXPECT_EQ(Text(2), P("a.txt"));
  EXPECT_EQ(Search->FilesWithHits(), 2);
}

TEST_F(GrepSearchTest, LineEndsOfEveryKindAndDosUmlauts) {
  Dir.Write("crlf.txt", "eins\r\nzwei Gr\xf6\xdf" "e\r\n");
  Dir.Write("lf.txt", "eins\nzwei\ndrei gr\x94\xe1" "e\n");  // code page 850 form
  Dir.Write("cr.txt", "eins\rzwei\rgr\xd6\xdf" "e vier\r");
  ASSERT_EQ(Run(Order("gr\xf6\xdf" "e")), grepOk);
  ASSERT_EQ(Lines->Count(), 6);
  EXPECT_EQ(Text(0), P("cr.txt"));
  EXPECT_EQ(Text(1), "     3: gr\xd6\xdf" "e vier");
  EXPECT_EQ(Text(3), "     2: zwei Gr\xf6\xdf" "e");
  EXPECT_EQ(Text(5), "     3: drei gr\x94\xe1" "e");
  EXPECT_EQ(Ranges(5), (std::vector<TGrepRange>{{5, 5}}));
}

TEST_F(GrepSearchTest, BinaryHitsShowSeventyBytesOfContext) {
  std::string bytes(300, 'b');
  bytes[1] = '\0';
  bytes.replace(5, 4, "MARK");
  const std::string longHit = "L" + std::string(78, 'o') + "G";
  bytes.replace(150, 80, longHit);
  bytes.replace(292, 4, "MARK");
  Dir.Write("bin.dat", bytes);

  TGrepParam p = Order("MARK");
  p.CaseSensitive = true;
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 3);
  EXPECT_EQ(Kind(0), gkBinaryFile);
  EXPECT_EQ(Kind(1), gkBinaryHit);
  // Five bytes before the hit (the zero byte as a blank), the hit, the rest of 70.
  EXPECT_EQ(Text(1), "00000005: b bbbMARK" + std::string(61, 'b'));
  EXPECT_EQ(Ranges(1), (std::vector<TGrepRange>{{5, 4}}));
  // Near the end: never beyond the file.
  EXPECT_EQ(Text(2), "00000124: " + std::string(20, 'b') + "MARK" + std::string(4, 'b'));
  EXPECT_EQ(Ranges(2), (std::vector<TGrepRange>{{20, 4}}));

  SetGrepField(p.SearchText, longHit);
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 2);
  EXPECT_EQ(Text(1), "00000096: " + std::string(20, 'b') + longHit.substr(0, 50));
  EXPECT_EQ(Ranges(1), (std::vector<TGrepRange>{{20, 50}}));
}

TEST_F(GrepSearchTest, ExactlyFiftyThousandLinesStopsAndKeepsTheWindow) {
  std::string text;
  for (int i = 0; i < kGrepMaxLines; ++i) text += "hit\n";
  Dir.Write("a.txt", text);  // 50000 hit lines and the file line would be 50001
  ASSERT_EQ(Run(Order("hit")), grepTooManyLines);
  EXPECT_EQ(Lines->Count(), kGrepMaxLines);
  EXPECT_EQ(Search->Hits(), kGrepMaxLines - 1);
  EXPECT_EQ(Search->Title(), "Suche nach 'hit' in '*.*'  (Abgebrochen)");
  EXPECT_TRUE(GrepStatusText(grepTooManyLines).KeepWindow);

  text.resize(text.size() - 8);  // 49998 hit lines and the file line
  Dir.Write("a.txt", text);
  ASSERT_EQ(Run(Order("hit")), grepOk);
  EXPECT_EQ(Lines->Count(), kGrepMaxLines - 1);
  EXPECT_EQ(Search->Title(), "Suche nach 'hit' in '*.*'");
}

TEST_F(GrepSearchTest, EmptyTextListsFilesInEveryOutputMode) {
  Dir.Write("a.txt", "");
  Dir.Write("b.txt", "x");
  TGrepParam p = Order("", "*.txt");
  p.Info = true;
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 2);
  EXPECT_EQ(Kind(0), gkFile);
  EXPECT_EQ(Search->Hits(), 0);
  EXPECT_EQ(Search->Title(), "Suche nach '*.txt'");
  const std::string info = Text(1);
  ASSERT_EQ(info.substr(0, 3), "\t1\t");
  // "dd.mm.yyyy hh:mm:ss" between the second and third tab.
  EXPECT_EQ(info.find('\t', 3), 22u);
  EXPECT_EQ(info.substr(5, 1) + info.substr(8, 1) + info.substr(16, 1), "..:");
  EXPECT_EQ(info.substr(23), P("b.txt"));
}

TEST_F(GrepSearchTest, EmptyRegularExpressionMatchesMoveOn) {
  Dir.Write("a.txt", "ab\n\nxx\n");
  TGrepParam p = Order("x*");
  p.RegularExpression = true;
  ASSERT_EQ(Run(p), grepOk);
  // The loader's lines: "ab", "", "xx" and the empty line behind the last line end.
  ASSERT_EQ(Lines->Count(), 5);
  EXPECT_EQ(Ranges(1), (std::vector<TGrepRange>{{0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(Ranges(2), (std::vector<TGrepRange>{{0, 0}}));
  EXPECT_EQ(Ranges(3), (std::vector<TGrepRange>{{0, 2}, {2, 0}}));
  EXPECT_EQ(Search->Hits(), 7);
}

TEST_F(GrepSearchTest, AnchoredExpressionsFindLinesAfterLoneLineFeeds) {
  Dir.Write("a.txt", "eins\nZiel zwei\n");
  TGrepParam p = Order("^Ziel");
  p.RegularExpression = true;
  ASSERT_EQ(Run(p), grepOk);
  EXPECT_EQ(Text(1), "     2: Ziel zwei");
}

// Files are screened by the letters an expression starts with; letters that a repetition
// may drop must not be required.
TEST_F(GrepSearchTest, ExpressionsWithOptionalLettersAtTheirStart) {
  Dir.Write("a.txt", "xx ac yy\n");
  Dir.Write("b.txt", "ABBC\n");
  const std::pair<const char*, int32_t> cases[] = {{"ab-c", 1}, {"ab*c", 2}, {"Ab+c", 1}, {"[a]c", 1}};
  for (const auto& [text, files] : cases) {
    TGrepParam p = Order(text);
    p.RegularExpression = true;
    ASSERT_EQ(Run(p), grepOk) << text;
    EXPECT_EQ(Search->FilesWithHits(), files) << text;
  }
  TGrepParam p = Order("ab+c");
  p.RegularExpression = true;
  ASSERT_EQ(Run(p), grepOk);
  EXPECT_EQ(Text(0), P("b.txt"));
  p.CaseSensitive = true;
  EXPECT_EQ(Run(p), grepNoHit);
}

TEST_F(GrepSearchTest, WholeWordsInTextAndRawFiles) {
  Dir.Write("a.txt", "Zielmarke Zielmarken xZielmarke Zielmarke\n");
  Dir.Write("b.bin", std::string("\0Zielmarke2 Zielmarke.", 22));
  TGrepParam p = Order("zielmarke");
  p.WholeWords = true;
  ASSERT_EQ(Run(p), grepOk);
  ASSERT_EQ(Lines->Count(), 4);
  EXPECT_EQ(Ranges(1), (std::vector<TGrepRange>{{0, 9}, {32, 9}}));
  EXPECT_EQ(Kind(2), gkBinaryFile);
  EXPECT_EQ(Lines->GrepLineAt(3)->Hit.Position, 12);
}

TEST_F(GrepSearchTest, FailuresGiveTheirStatusAndMessage) {
  EXPECT_EQ(Run(TGrepParam{}), grepNoFileMasks);
  TGrepParam p = Order("x");
  p.Dirs.clear();
  EXPECT_EQ(Run(p), grepNoDirectory);
  TGrepLines lines;
  TGrepSearch none(nullptr, lines);
  EXPECT_EQ(none.Run(), grepNoOrder);

  EXPECT_EQ(Run(Order("x", "*.none")), grepNoFileFound);
  EXPECT_STREQ(GrepStatusText(grepNoFileFound).Message,
               "Es wurde keine spezifizierte Datei gefunden!");
  Dir.Write("a.txt", "abc\n");
  EXPECT_EQ(Run(Order("x")), grepNoHit);
  EXPECT_FALSE(GrepStatusText(grepNoHit).KeepWindow);
  TGrepParam bad = Order("[abc");
  bad.RegularExpression = true;
  EXPECT_EQ(Run(bad), grepBadRegExp);
  EXPECT_TRUE(GrepStatusText(grepBadRegExp).StopIcon);
  EXPECT_STREQ(GrepStatusText(grepBadRegExp).Message, "Fehlerhafter regulärer Ausdruck!");
  EXPECT_EQ(Lines->Count(), 0);
}

TEST_F(GrepSearchTest, UnreadableFilesAndDirectoriesArePassedOver) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  Dir.Write("a.txt", "hit\n");
  Dir.Write("b.txt", "hit\n");
  mkdir(Dir.File("closed").c_str(), 0755);
  Dir.Write("closed/c.txt", "hit\n");
  chmod(Dir.File("a.txt").c_str(), 0);
  chmod(Dir.File("closed").c_str(), 0);
  TGrepParam p = Order("hit");
  p.Subdirectories = true;
  EXPECT_EQ(Run(p), grepOk);
  chmod(Dir.File("closed").c_str(), 0755);
  ASSERT_EQ(Lines->Count(), 2);
  EXPECT_EQ(Text(0), P("b.txt"));
}

TEST_F(GrepSearchTest, AbortWhileCollectingAndWhileSearching) {
  for (int i = 0; i < 10; ++i) Dir.Write("f" + std::to_string(i) + ".txt", "hit\n");
  int pumps = 0;
  TGrepHooks abortAt3{[&] {
                        if (++pumps == 3) GrepAbortFlag() = true;
                      },
                      {}};
  EXPECT_EQ(Run(Order("hit"), abortAt3), grepAbortedCollecting);

  // The names-only run lists what was collected.
  pumps = 0;
  ASSERT_EQ(Run(Order(""), abortAt3), grepOk);
  EXPECT_EQ(Lines->Count(), 3);
  EXPECT_EQ(Search->Title(), "Suche nach '*.*'  (Abgebrochen)");

  // During the scan: the hits so far stay. Ten pumps while collecting, then one a file.
  pumps = 0;
  TGrepHooks abortAt12{[&] {
                         if (++pumps == 12) GrepAbortFlag() = true;
                       },
                       {}};
  ASSERT_EQ(Run(Order("hit"), abortAt12), grepOk);
  EXPECT_EQ(Search->FilesWithHits(), 2);
  EXPECT_EQ(Lines->Count(), 4);
  EXPECT_EQ(Search->Title(), "Suche nach 'hit' in '*.*'  (Abgebrochen)");
}

TEST_F(GrepSearchTest, FilesThatVanishOrShrinkAfterCollectingArePassedOver) {
  for (int32_t threads : {0, 2}) {
    Dir.Write("a.txt", "hit\n");
    Dir.Write("b.txt", "hit\n");
    Dir.Write("c.txt", std::string(5000, 'x') + "hit\n");
    int pumps = 0;
    TGrepHooks hooks{[&] {
                       if (++pumps != 3) return;  // the last file collected
                       unlink(Dir.File("b.txt").c_str());
                       truncate(Dir.File("c.txt").c_str(), 10);
                     },
                     {}};
    ASSERT_EQ(Run(Order("hit"), hooks, threads), grepOk);
    ASSERT_EQ(Lines->Count(), 2) << threads;
    EXPECT_EQ(Text(0), P("a.txt"));
  }
}

TEST_F(GrepSearchTest, ProgressPhasesInOrder) {
  Dir.Write("a.txt", "hit hit\n");
  Dir.Write("b.txt", "none\n");
  std::vector<std::pair<int32_t, int32_t>> phases;
  TGrepHooks hooks{{}, [&](int32_t phase, int32_t n) { phases.emplace_back(phase, n); }};
  ASSERT_EQ(Run(Order("hit"), hooks), grepOk);
  EXPECT_EQ(phases, (std::vector<std::pair<int32_t, int32_t>>{
                        {gphStart, 0}, {gphCollecting, 1}, {gphCollecting, 2}, {gphHit, 1},
                        {gphHit, 2}, {gphSearching, 0}, {gphSearching, 50}, {gphDone, 0}}));
}

// A random tree searched with and without read-ahead gives the same list.
TEST_F(GrepSearchTest, ReadAheadKeepsTheSequentialResult) {
  std::mt19937 rng(7);
  const char* words[] = {"Ziel", "ziel", "Zielmarke", "foo", "\xe4Ziel", "Z", "\r\n", "\n", " "};
  for (int d = 0; d < 4; ++d) {
    const std::string dir = "d" + std::to_string(d);
    mkdir(Dir.File(dir).c_str(), 0755);
    for (int f = 0; f < 40; ++f) {
      std::string bytes;
      const int n = static_cast<int>(rng() % 200);
      for (int i = 0; i < n; ++i) bytes += words[rng() % 9];
      if (rng() % 10 == 0) bytes.insert(bytes.size() / 2, 1, '\0');
      Dir.Write(dir + "/f" + std::to_string(f) + ".txt", bytes);
    }
  }
  for (const char* text : {"ziel", "Ziel[a-z]+e", "^Ziel"}) {
    TGrepParam p = Order(text);
    p.Subdirectories = true;
    p.RegularExpression = text[0] != 'z';
    ASSERT_EQ(Run(p), grepOk);
    std::vector<std::string> expected;
    for (int32_t i = 0; i < Lines->Count(); ++i) expected.push_back(Text(i));
    const int32_t hits = Search->Hits();
    ASSERT_EQ(Run(p, {}, 3), grepOk);
    std::vector<std::string> got;
    for (int32_t i = 0; i < Lines->Count(); ++i) got.push_back(Text(i));
    EXPECT_EQ(got, expected) << text;
    EXPECT_EQ(Search->Hits(), hits);
    EXPECT_GT(hits, 100);
  }
}

}  // namespace
