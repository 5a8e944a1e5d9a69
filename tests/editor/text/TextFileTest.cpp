#include "editor/text/TextFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "editor/text/TextLimits.h"
#include "platform/file/SafeFileWriter.h"
#include "tests/support/TempDir.h"

namespace {

using V = std::vector<std::string>;

class RecordingSink : public platform::TMessageSink {
 public:
  intptr_t SendMsg(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    Messages.push_back(message);
    EXPECT_EQ(wParam, 0u);
    EXPECT_EQ(lParam, 0);
    return 0;
  }
  std::vector<uint32_t> Messages;
};

V Dump(const TTextLines& lines) {
  V out;
  for (int32_t i = 0; i < lines.Count(); ++i)
    out.emplace_back(lines.Text(i));
  return out;
}

// The lines a file must give: a plain split at the mode's line ends.
V ReferenceSplit(const std::string& bytes, int mode) {
  V out;
  std::string line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    bool crlf = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    bool end = (mode == 1 && crlf) || (mode == 2 && c == '\n') || (mode == 3 && c == '\r') ||
               (mode == 4 && (c == '\n' || c == '\r'));
    if (end) {
      out.push_back(line);
      line.clear();
      if (crlf && (mode == 1 || mode == 4)) ++i;
    } else {
      line += c;
    }
  }
  out.push_back(line);
  return out;
}

class TextFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SetTextBufferSize(0); }

  int32_t Load(const std::string& bytes, int32_t mode = 1, bool convert = false) {
    std::string path = Dir.Write("in.txt", bytes);
    return LoadTextFile(path.c_str(), Lines, nullptr, 0, mode, convert, &Longest, &LineEnds,
                        &Kinds);
  }

  TTempDir Dir;
  TTextLines Lines;
  int32_t Longest = -1;
  int32_t LineEnds = -1;
  int32_t Kinds = -1;
};

TEST_F(TextFileTest, EmptyFileIsOneEmptyLineAndSavesEmpty) {
  ASSERT_EQ(Load(""), 0);
  EXPECT_EQ(Dump(Lines), V{""});
  EXPECT_EQ(Lines.At(0), nullptr);
  EXPECT_EQ(LineEnds, 0);
  std::string out = Dir.File("out.txt");
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefWindows), 0);
  EXPECT_EQ(TTempDir::Read(out), "");
}

TEST_F(TextFileTest, FinalLineEndGivesAnEmptyLastLineAndRoundTrips) {
  for (std::string bytes : {"abc", "abc\r\n", "a\r\n\r\nb", "\r\n"}) {
    ASSERT_EQ(Load(bytes), 0) << bytes;
    EXPECT_EQ(Dump(Lines), ReferenceSplit(bytes, 1));
    std::string out = Dir.File("out.txt");
    ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefWindows), 0);
    EXPECT_EQ(TTempDir::Read(out), bytes);
  }
  ASSERT_EQ(Load("abc\r\n"), 0);
  EXPECT_EQ(Dump(Lines), (V{"abc", ""}));
}

TEST_F(TextFileTest, LineEndModes) {
  const std::string bytes = "a\nb\rc\r\nd\n\re";
  ASSERT_EQ(Load(bytes, lemCrLf), 0);
  EXPECT_EQ(Dump(Lines), (V{"a\nb\rc", "d\n\re"}));
  ASSERT_EQ(Load(bytes, lemLf), 0);
  EXPECT_EQ(Dump(Lines), (V{"a", "b\rc\r", "d", "\re"}));
  ASSERT_EQ(Load(bytes, lemCr), 0);
  EXPECT_EQ(Dump(Lines), (V{"a\nb", "c", "\nd\n", "e"}));
  ASSERT_EQ(Load(bytes, lemAny), 0);
  EXPECT_EQ(Dump(Lines), (V{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(LineEnds, 5);
  // The kinds of line ends taken, which decide the format a save keeps.
  EXPECT_EQ(Kinds, leCrLf | leLf | leCr);
  ASSERT_EQ(Load("a\nb\nc", lemAny), 0);
  EXPECT_EQ(Kinds, leLf);
  ASSERT_EQ(Load("a\rb\r", lemAny), 0);
  EXPECT_EQ(Kinds, leCr);
  ASSERT_EQ(Load("a\r\nb", lemAny), 0);
  EXPECT_EQ(Kinds, leCrLf);
  ASSERT_EQ(Load("a\r\nb", lemCr), 0);
  EXPECT_EQ(Kinds, leCr);  // the LF stays in the next line
  ASSERT_EQ(Load("abc", lemAny), 0);
  EXPECT_EQ(Kinds, 0);
  // Unknown modes read as CR LF.
  ASSERT_EQ(Load(bytes, 0), 0);
  EXPECT_EQ(Lines.Count(), 2);
  ASSERT_EQ(Load(bytes, 9), 0);
  EXPECT_EQ(Lines.Count(), 2);
}

TEST_F(TextFileTest, CrLfAcrossAChunkBoundaryIsOneLineEnd) {
  SetTextBufferSize(1);  // 1024-byte chunks
  for (int32_t mode : {lemCrLf, lemAny}) {
    // The CR lands on bytes 1022 to 1025: before, on and after the chunk's last byte.
    for (size_t extra : {22u, 23u, 24u, 25u}) {
      std::string bytes;
      for (int i = 0; i < 10; ++i)
        bytes += std::string(98, 'y') + "\r\n";
      bytes += std::string(extra, 'w') + "\r\ntail\r\nend";
      ASSERT_EQ(Load(bytes, mode), 0) << extra;
      EXPECT_EQ(Dump(Lines), ReferenceSplit(bytes, mode)) << "mode " << mode << " extra " << extra;
      EXPECT_EQ(Lines.Text(10), std::string(extra, 'w'));
      EXPECT_EQ(LineEnds, 12);
      EXPECT_EQ(Kinds, leCrLf) << "a CR LF split by the chunk end is no lone CR";
    }
  }
}

TEST_F(TextFileTest, RandomFilesMatchAPlainSplitAtTinyChunkSizes) {
  std::mt19937 rng(4711);
  const char alphabet[] = {'a', 'b', '\r', '\n', '\t', ' ', '\x84', '\xFC'};
  for (int32_t kib : {1, 2, 3}) {
    SetTextBufferSize(kib);
    const size_t limit = static_cast<size_t>(TextLineLimit());
    for (int round = 0; round < 60; ++round) {
      std::string bytes;
      size_t size = rng() % 9000;
      while (bytes.size() < size) {
        // Mostly short lines, now and then one near the limit.
        size_t run = rng() % 10 == 0 ? limit - rng() % 40 : rng() % 80;
        for (size_t i = 0; i < run; ++i)
          bytes += static_cast<char>('c' + rng() % 20);
        bytes += alphabet[rng() % sizeof alphabet];
        bytes += alphabet[rng() % sizeof alphabet];
      }
      for (int32_t mode = 1; mode <= 4; ++mode) {
        V expected = ReferenceSplit(bytes, mode);
        bool tooLong = false;
        size_t longest = 0;
        for (const std::string& l : expected) {
          tooLong |= l.size() > limit;
          longest = std::max(longest, l.size());
        }
        int32_t status = Load(bytes, mode);
        if (tooLong) {
          EXPECT_EQ(status, tfsNotText);
          EXPECT_EQ(Lines.Count(), 0);
        } else {
          ASSERT_EQ(status, 0) << "kib " << kib << " round " << round << " mode " << mode;
          ASSERT_EQ(Dump(Lines), expected)
              << "kib " << kib << " round " << round << " mode " << mode;
          EXPECT_EQ(static_cast<size_t>(Longest), longest);
          EXPECT_EQ(static_cast<size_t>(LineEnds), expected.size() - 1);
        }
      }
    }
  }
}

TEST_F(TextFileTest, LineLimitWithDefaultBuffer) {
  const std::string exact(static_cast<size_t>(kDefaultLineLimit), 'x');
  ASSERT_EQ(Load(exact), 0);
  EXPECT_EQ(Longest, kDefaultLineLimit);
  ASSERT_EQ(Load("a\r\n" + exact + "\r\nb"), 0);
  EXPECT_EQ(Lines.Count(), 3);
  const std::string over = exact + "x";
  EXPECT_EQ(Load(over), tfsNotText);
  EXPECT_EQ(Lines.Count(), 0);
  EXPECT_EQ(Load(over + "\r\n"), tfsNotText);
  EXPECT_EQ(Load("a\r\n" + over + "\r\nb"), tfsNotText);
}

TEST_F(TextFileTest, LineLimitFollowsBufSize) {
  SetTextBufferSize(32);
  EXPECT_EQ(TextLineLimit(), 32668);
  ASSERT_EQ(Load(std::string(32668, 'x') + "\r\n" + std::string(32668, 'y')), 0);
  EXPECT_EQ(Load(std::string(32669, 'x')), tfsNotText);
  EXPECT_EQ(Load("ab\r\n" + std::string(32669, 'x') + "\r\n"), tfsNotText);
}

TEST_F(TextFileTest, NulBytesRefusedOrConvertedToBlanks) {
  EXPECT_EQ(Load(std::string("ab\r\nc\0d", 7)), tfsNotText);
  EXPECT_EQ(Lines.Count(), 0);
  ASSERT_EQ(Load(std::string("ab\r\nc\0d\0", 8), 1, true), 0);
  EXPECT_EQ(Dump(Lines), (V{"ab", "c d "}));
  // A NUL in a later chunk still empties the store.
  SetTextBufferSize(1);
  std::string late(3000, 'a');
  for (size_t i = 50; i < late.size(); i += 50)
    late[i] = '\n';
  late[2500] = '\0';
  EXPECT_EQ(Load(late, lemLf), tfsNotText);
  EXPECT_EQ(Lines.Count(), 0);
}

TEST_F(TextFileTest, MillionLineEndsLoadOneMoreDoesNot) {
  std::string bytes(static_cast<size_t>(kMaxLineEnds), '\n');
  ASSERT_EQ(Load(bytes, lemLf), 0);
  EXPECT_EQ(Lines.Count(), kMaxLineEnds + 1);
  EXPECT_EQ(LineEnds, kMaxLineEnds);
  bytes += '\n';
  EXPECT_EQ(Load(bytes, lemLf), tfsTooManyLines);
  EXPECT_EQ(Lines.Count(), 0);
}

TEST_F(TextFileTest, NotifiesAfterFirstChunkAndAgainForSmallFiles) {
  RecordingSink sink;
  std::string path = Dir.Write("small.txt", "a\r\nb");
  ASSERT_EQ(LoadTextFile(path.c_str(), Lines, &sink, 1154, 1, false, nullptr, nullptr), 0);
  EXPECT_EQ(sink.Messages, (std::vector<uint32_t>{1154, 1154}));

  sink.Messages.clear();
  std::string many;
  for (int i = 0; i < 150; ++i)
    many += "line\r\n";
  path = Dir.Write("many.txt", many);
  ASSERT_EQ(LoadTextFile(path.c_str(), Lines, &sink, 1154, 1, false, nullptr, nullptr), 0);
  EXPECT_EQ(sink.Messages, (std::vector<uint32_t>{1154}));
}

TEST_F(TextFileTest, FileThatCannotBeOpened) {
  Lines.AddCopy("old");
  EXPECT_EQ(
      LoadTextFile(Dir.File("missing").c_str(), Lines, nullptr, 0, 1, false, nullptr, nullptr),
      tfsCannotOpen);
  EXPECT_EQ(LoadTextFile(Dir.Path().c_str(), Lines, nullptr, 0, 1, false, nullptr, nullptr),
            tfsCannotOpen);
}

TEST_F(TextFileTest, SavesInEveryFormat) {
  for (const char* t : {"one", "", "three", ""})
    Lines.AddCopy(t);
  std::string out = Dir.File("out.txt");
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefWindows), 0);
  EXPECT_EQ(TTempDir::Read(out), "one\r\n\r\nthree\r\n");
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, true, 0, 0, lefUnix), 0);
  EXPECT_EQ(TTempDir::Read(out), "one\n\nthree\n");
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefMacintosh), 0);
  EXPECT_EQ(TTempDir::Read(out), "one\r\rthree\r");
}

TEST_F(TextFileTest, SavesRanges) {
  for (const char* t : {"0123456789", "ab", "ABCDEFG"})
    Lines.AddCopy(t);
  std::string out = Dir.File("out.txt");
  TTextRange range{0, 4, 2, 3};
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, &range, false, 0, 0, lefUnix), 0);
  EXPECT_EQ(TTempDir::Read(out), "456789\nab\nABC");
  range = {1, 5, 2, 2};  // starts beyond the end of its first line
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, &range, false, 0, 0, lefUnix), 0);
  EXPECT_EQ(TTempDir::Read(out), "\nAB");
  range = {0, 1, 2, 4};
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, &range, true, 2, 4, lefWindows), 0);
  EXPECT_EQ(TTempDir::Read(out), "123\r\nb\r\nBCD");
}

TEST_F(TextFileTest, LongLineIsWrittenWhole) {
  std::string big(100000, 'q');
  big[0] = 'A';
  big.back() = 'Z';
  Lines.AddCopy("x");
  Lines.AddCopy(big);
  Lines.AddCopy("y");
  std::string out = Dir.File("out.txt");
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefWindows), 0);
  EXPECT_EQ(TTempDir::Read(out), "x\r\n" + big + "\r\ny");
}

TEST_F(TextFileTest, SaveKeepsPermissionsOfTheOldFile) {
  std::string out = Dir.Write("script.sh", "old");
  ASSERT_EQ(chmod(out.c_str(), 0751), 0);
  Lines.AddCopy("new");
  ASSERT_EQ(SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefUnix), 0);
  struct stat st {};
  ASSERT_EQ(stat(out.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0751u);
  EXPECT_EQ(TTempDir::Read(out), "new");
}

TEST_F(TextFileTest, SaveThroughASymlinkKeepsTheLink) {
  std::string real = Dir.Write("real.txt", "old");
  std::string link = Dir.File("link.txt");
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  Lines.AddCopy("new");
  ASSERT_EQ(SaveTextFile(link.c_str(), Lines, nullptr, false, 0, 0, lefUnix), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TTempDir::Read(real), "new");
}

TEST_F(TextFileTest, SaveWhereNothingCanBeCreated) {
  Lines.AddCopy("x");
  EXPECT_EQ(SaveTextFile(Dir.File("no/such/dir.txt").c_str(), Lines, nullptr, false, 0, 0, 0),
            tfsCannotCreate);
  EXPECT_EQ(SaveTextFile(Dir.Path().c_str(), Lines, nullptr, false, 0, 0, 0), tfsCannotCreate);
}

// A write that fails part way (here: the file size limit) must not cost the old file, also
// not one with a second hard link, which is written in place, nor one bigger than the limit.
TEST_F(TextFileTest, FailedSaveKeepsTheOldContent) {
  for (int i = 0; i < 2000; ++i)
    Lines.AddCopy("a new line that makes the file much bigger");
  platform::SafeWriteHooks().RescueDirectory = Dir.File("rescue");
  const std::string big(64000, 'o');
  for (const std::string& old : {std::string("precious old content\r\n"), big}) {
    std::filesystem::remove_all(Dir.File("work"));
    std::filesystem::create_directory(Dir.File("work"));
    std::string out = Dir.Write("work/keep.txt", old);
    std::string second = Dir.File("work/second.txt");
    ASSERT_EQ(link(out.c_str(), second.c_str()), 0);

    struct rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    struct rlimit small = before;
    small.rlim_cur = 20000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string kept = "?";
    int32_t status = SaveTextFile(out.c_str(), Lines, nullptr, false, 0, 0, lefWindows, &kept);
    setrlimit(RLIMIT_FSIZE, &before);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(status, tfsWriteError);
    EXPECT_EQ(kept, "");
    EXPECT_EQ(TTempDir::Read(out), old);
    EXPECT_EQ(TTempDir::Read(second), old);
    // No temporary file and no copy is left behind.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(Dir.File("work"))) {
      (void)entry;
      ++files;
    }
    EXPECT_EQ(files, 2);
    EXPECT_TRUE(platform::FindInterruptedSaves().empty());
  }
  platform::SafeWriteHooks() = {};
}

}  // namespace
