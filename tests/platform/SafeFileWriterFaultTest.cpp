// Saves under a file-size limit and saves killed at random moments, on every write path.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/file/File.h"
#include "platform/file/SafeFileWriter.h"
#include "tests/support/TempDir.h"

namespace {

using platform::TSafeFileWriter;

enum class TPath { Rename, HardLink, ClosedDirectory };
const char* PathName(TPath p) {
  return p == TPath::Rename ? "rename" : p == TPath::HardLink ? "hard link" : "closed directory";
}

std::string Pattern(char base, size_t size) {
  std::string s(size, base);
  for (size_t i = 0; i < size; i += 61) s[i] = '\n';
  return s;
}

// The step at which the child kills itself; -1 never.
int gKillAt = -1;
int gSteps = 0;
void CountStep() {
  if (gSteps++ == gKillAt) ::raise(SIGKILL);
}

// Writes `text` through the writer in 1 KB pieces, a step after each; the Commit status.
int32_t Save(const std::string& path, const std::string& text) {
  TSafeFileWriter w;
  if (w.Open(path.c_str()) != 0) return -3;
  for (size_t done = 0; done < text.size(); done += 1024) {
    const auto n = static_cast<int32_t>(std::min<size_t>(1024, text.size() - done));
    if (platform::FileWrite(w.Handle(), text.data() + done, n) != n) return -4;
    CountStep();
  }
  return w.Commit();
}

class SafeFileWriterFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Work = Dir.File("work");
    Rescue = Dir.File("rescue");
    std::filesystem::create_directory(Work);
    platform::SafeWriteHooks() = {};
    platform::SafeWriteHooks().RescueDirectory = Rescue;
    platform::SafeWriteHooks().ChunkSize = 1024;
  }
  void TearDown() override { platform::SafeWriteHooks() = {}; }

  // A fresh target with old content, made for the path to be taken.
  std::string Prepare(TPath path, const std::string& old) {
    std::filesystem::remove_all(Work);
    std::filesystem::create_directory(Work);
    std::string target = Work + "/f.txt";
    FILE* f = std::fopen(target.c_str(), "wb");
    std::fwrite(old.data(), 1, old.size(), f);
    std::fclose(f);
    if (path == TPath::HardLink) {
      EXPECT_EQ(::link(target.c_str(), (Work + "/g.txt").c_str()), 0);
    }
    platform::SafeWriteHooks().NoTempBesideTarget = path == TPath::ClosedDirectory;
    return target;
  }

  // Files beside the target and its link, and files in the rescue directory.
  int Leftovers() {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(Work)) {
      const std::string name = e.path().filename();
      if (name != "f.txt" && name != "g.txt") ++n;
    }
    if (std::filesystem::exists(Rescue))
      for (auto& e : std::filesystem::directory_iterator(Rescue)) (void)e, ++n;
    return n;
  }

  // Runs `body` in a child; its exit status, or -1000 - signal when it was killed.
  template <typename F>
  int InChild(F body) {
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
      gSteps = 0;
      ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
  }

  TTempDir Dir;
  std::string Work;
  std::string Rescue;
};

TEST_F(SafeFileWriterFaultTest, FileSizeLimitNeverDamagesTheTarget) {
  std::mt19937 random(20261207);
  int damaged = 0, leftovers = 0, refused = 0;
  for (int run = 0; run < 50; ++run) {
    const TPath path = static_cast<TPath>(run % 3);
    const std::string old = Pattern('o', 8000 + random() % 60000);
    const std::string fresh = Pattern('n', 8000 + random() % 60000);
    const rlim_t limit = 4000 + random() % 60000;
    const std::string target = Prepare(path, old);
    const int code = InChild([&] {
      ::signal(SIGXFSZ, SIG_IGN);
      struct rlimit rl {limit, limit};
      ::setrlimit(RLIMIT_FSIZE, &rl);
      return -Save(target, fresh);
    });
    const std::string now = TTempDir::Read(target);
    // A save within the limit must succeed; one beyond it must fail and change nothing.
    const bool fits = fresh.size() <= limit && (path == TPath::Rename || old.size() <= limit);
    if (fits ? code != 0 || now != fresh : code != 4 || now != old) ++damaged;
    if (code == 4) ++refused;
    if (path == TPath::HardLink && TTempDir::Read(Work + "/g.txt") != now) ++damaged;
    leftovers += Leftovers();
  }
  std::printf("file-size limit, 50 runs: %d damaged targets, %d leftover temporaries, %d refused\n",
              damaged, leftovers, refused);
  EXPECT_EQ(damaged, 0);
  EXPECT_EQ(leftovers, 0);
  EXPECT_GT(refused, 10);  // the limit really bit
}

TEST_F(SafeFileWriterFaultTest, KillAtAnyMomentLeavesOldNewOrAToldCopy) {
  std::mt19937 random(7);
  int damaged = 0, leftovers = 0, killed = 0, told = 0;
  for (int run = 0; run < 50; ++run) {
    const TPath path = static_cast<TPath>(run % 3);
    const std::string old = Pattern('o', 4000 + random() % 12000);
    const std::string fresh = Pattern('n', 4000 + random() % 12000);
    // A dry run counts the steps of this save; the kill falls on one of them.
    std::string target = Prepare(path, old);
    const int steps = InChild([&] {
      platform::SafeWriteHooks().Step = CountStep;
      return Save(target, fresh) == 0 ? gSteps : 255;
    });
    ASSERT_GT(steps, 0);
    ASSERT_LT(steps, 255);
    target = Prepare(path, old);
    const int killAt = static_cast<int>(random() % static_cast<unsigned>(steps));
    const int code = InChild([&] {
      gKillAt = killAt;
      platform::SafeWriteHooks().Step = CountStep;
      return -Save(target, fresh);
    });
    if (code == -1000 - SIGKILL) ++killed;
    std::string now = TTempDir::Read(target);
    // The next start: an interrupted in-place save is named with its copy.
    for (const platform::TInterruptedSave& s : platform::FindInterruptedSaves()) {
      ++told;
      if (s.Target == target && TTempDir::Read(s.Copy) == old && now != old && now != fresh) {
        now = old;  // the user puts the copy back
        std::filesystem::copy_file(s.Copy, target,
                                   std::filesystem::copy_options::overwrite_existing);
      }
      platform::DropInterruptedSave(s);
    }
    if (now != old && now != fresh) ++damaged;
    // The next save into the directory clears what the killed one left.
    platform::SafeWriteHooks().Step = nullptr;
    if (Save(target, "after\n") != 0 || TTempDir::Read(target) != "after\n") ++damaged;
    leftovers += Leftovers();
  }
  std::printf("killed saves, 50 runs (%d killed, %d copies told): %d damaged targets, "
              "%d leftover temporaries\n",
              killed, told, damaged, leftovers);
  EXPECT_EQ(damaged, 0);
  EXPECT_EQ(leftovers, 0);
  EXPECT_EQ(killed, 50);
  EXPECT_GT(told, 0);
}

// The same with the kill from outside after a seeded random delay, so that it also lands
// inside system calls; the file is big enough for a save to take a few milliseconds.
TEST_F(SafeFileWriterFaultTest, KillFromOutsideAtRandomTimes) {
  platform::SafeWriteHooks().ChunkSize = 64 * 1024;
  std::mt19937 random(4711);
  int damaged = 0, leftovers = 0;
  int64_t took[3] = {0, 0, 0};
  const std::string old = Pattern('o', 1 << 20);
  for (int run = 0; run < 50; ++run) {
    const TPath path = static_cast<TPath>(run % 3);
    const std::string fresh = Pattern('n', (1 << 19) + random() % (1 << 20));
    // A dry run per path measures how long a save takes; the kill falls within that time.
    std::string target = Prepare(path, old);
    if (took[run % 3] == 0) {
      const auto start = std::chrono::steady_clock::now();
      InChild([&] { return -Save(target, fresh); });
      took[run % 3] = 1 + std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - start).count();
      target = Prepare(path, old);
    }
    const auto delayUs = static_cast<useconds_t>(random() % static_cast<unsigned>(took[run % 3]));
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(-Save(target, fresh));
    ::usleep(delayUs);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::string now = TTempDir::Read(target);
    for (const platform::TInterruptedSave& s : platform::FindInterruptedSaves()) {
      if (s.Target == target && TTempDir::Read(s.Copy) == old && now != old && now != fresh) now = old;
      platform::DropInterruptedSave(s);
    }
    if (now != old && now != fresh) ++damaged;
    if (Save(target, "after\n") != 0) ++damaged;
    leftovers += Leftovers();
  }
  std::printf("saves killed from outside, 50 runs: %d damaged targets, %d leftover temporaries\n",
              damaged, leftovers);
  EXPECT_EQ(damaged, 0);
  EXPECT_EQ(leftovers, 0);
}

TEST_F(SafeFileWriterFaultTest, StaleTemporariesGoLiveOnesStay) {
  const std::string target = Prepare(TPath::Rename, "old");
  const std::string stale = Work + "/.f.txt.zktmp-AAAAAA";
  const std::string live = Work + "/.other.zktmp-BBBBBB";
  const std::string alien = Work + "/.x.zktmp-CCCCCC";
  std::FILE* f = std::fopen(stale.c_str(), "w");
  std::fclose(f);
  f = std::fopen(live.c_str(), "w");
  std::fclose(f);
  int holder = ::open(live.c_str(), O_RDONLY);  // its writer is still at work
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  ASSERT_EQ(::symlink(target.c_str(), alien.c_str()), 0);  // not a file of ours: left alone
  ASSERT_EQ(Save(target, "new"), 0);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(live));
  EXPECT_TRUE(std::filesystem::is_symlink(alien));
  EXPECT_EQ(TTempDir::Read(target), "new");
  ::close(holder);
}

TEST_F(SafeFileWriterFaultTest, InPlaceSaveKeepsLinksAndGrowsOrShrinks) {
  for (TPath path : {TPath::HardLink, TPath::ClosedDirectory}) {
    SCOPED_TRACE(PathName(path));
    const std::string target = Prepare(path, Pattern('o', 5000));
    ASSERT_EQ(Save(target, Pattern('n', 9000)), 0);
    EXPECT_EQ(TTempDir::Read(target), Pattern('n', 9000));
    ASSERT_EQ(Save(target, "short"), 0);
    EXPECT_EQ(TTempDir::Read(target), "short");
    if (path == TPath::HardLink) {
      EXPECT_EQ(TTempDir::Read(Work + "/g.txt"), "short");
    }
    EXPECT_EQ(Leftovers(), 0);
  }
}

}  // namespace
