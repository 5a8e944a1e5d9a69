// velwcomp: options from the command line and the source, the message file, a batch run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "compiler/standalone/MessageFile.h"
#include "compiler/standalone/Options.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

TEST(VelwcompOptionsTest, CommandLine) {
  TVelwcompOptions o = ParseArguments({"/tDRV.BIN", "prog", "-r8", "-Eedit", "-T2nd", "other"});
  EXPECT_EQ(o.Source, "prog");
  EXPECT_EQ(o.Driver, "DRV.BIN");  // the first occurrence wins
  EXPECT_EQ(o.Ram, "8");
  EXPECT_EQ(o.Editor, "edit");
  EXPECT_EQ(DataMemoryBytes(o), 8192u);
  EXPECT_EQ(DataMemoryBytes(ParseArguments({"x"})), 4096u);
  // Absolute paths begin with "/" too.
  TTempDir dir;
  o = ParseArguments({"/Tdrv", dir.File("prog.vel"), "/Rx"});
  EXPECT_EQ(o.Source, dir.File("prog.vel"));
  EXPECT_EQ(o.Driver, "drv");
  EXPECT_EQ(o.Ram, "x");
}

TEST(VelwcompOptionsTest, SourceLinesFillWhatIsMissing) {
  TVelwcompOptions o = ParseArguments({"prog", "-R2"});
  ReadSourceOptions("; header\n;-TZIRE.DRV ; driver\t \r\n-R16\n/eED  \n--\n-TLATE\nX()\n", o);
  EXPECT_EQ(o.Driver, "ZIRE.DRV");
  EXPECT_EQ(o.Ram, "2");  // the command line wins
  EXPECT_EQ(o.Editor, "ED");
  TVelwcompOptions p;
  ReadSourceOptions(";--\n-TNO\n", p);
  EXPECT_FALSE(p.Driver.has_value());
  EXPECT_EQ(FirstNonOptionLine("-Tx\n;-Ry\n\nprog.vel \r\nnext\n"), "prog.vel");
}

// The file is read in chunks; lines cut by a chunk end give the same options as the text.
TEST(VelwcompOptionsTest, SourceFileInChunksReadsLikeItsText) {
  TTempDir dir;
  auto options = [](const TVelwcompOptions& o) {
    return o.Driver.value_or("-") + "|" + o.Ram.value_or("-") + "|" + o.Editor.value_or("-");
  };
  for (const std::string& text :
       {std::string("; header\n;-TZIRE.DRV ; driver\t \r\n\n-R16\n/eED  \n--\n-TLATE\nX()\n"),
        std::string("X()\r\n;-RAM\r\n-T\r\n/Elast"), std::string(";--\n-TNO\n"),
        std::string(200, 'x') + "\n-T" + std::string(100, 'd') + "\n-E\n"}) {
    TVelwcompOptions fromText;
    ReadSourceOptions(text, fromText);
    const std::string file = dir.Write("opt.vel", text);
    for (size_t chunk : {1, 2, 3, 5, 64, 65536}) {
      TVelwcompOptions fromFile;
      EXPECT_TRUE(ReadSourceOptionsOfFile(file, fromFile, chunk));
      EXPECT_EQ(options(fromFile), options(fromText)) << text << " in chunks of " << chunk;
    }
  }
  TVelwcompOptions none;
  EXPECT_FALSE(ReadSourceOptionsOfFile(dir.File("missing.vel"), none));
  TVelwcompOptions tail;
  ASSERT_TRUE(ReadSourceOptionsOfFile(dir.Write("tail.vel", "X()\n/Elast"), tail, 4));
  EXPECT_EQ(tail.Editor, "last");
}

TEST(VelwcompOptionsTest, MessageFileLines) {
  TMessageList list;
  list.Add(mtError, 200, "[Zeile:3]  Syntax Fehler !");
  list.Add(mtWarning, 1, "Achtung");
  list.Add('M', 2, "Info");
  EXPECT_EQ(FormatMessageFile(list),
            "Fehler : [Zeile:3]  Syntax Fehler !\nWarnung : Achtung\nMeldung Info\n");
}

// Runs the program from a copy beside a definition, as an installed program would be.
TEST(VelwcompProgramTest, BatchCompile) {
  TTempDir dir;
  const std::string exe = dir.File("velwcomp");
  std::filesystem::copy_file(VELWCOMP_PATH, exe);
  std::filesystem::copy_file(std::string(ZK_SOURCE_DIR) + "/samples/vel/ZIRE.CFG",
                             dir.File("ZIRE.CFG"));
  std::filesystem::copy_file(std::string(ZK_SOURCE_DIR) + "/samples/vel/ZIRE.DRV",
                             dir.File("ZIRE.DRV"));
  dir.Write("ok.vel", ";-T" + dir.File("ZIRE.DRV") + "\nL: JMP(L)\n");
  const std::string run = "cd " + dir.Path() + " && ./velwcomp ok.txt 2>err.out";
  int status = std::system(run.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 0) << TTempDir::Read(dir.File("err.out"));
  EXPECT_EQ(TTempDir::Read(dir.File("ok.ved")).size(), 7u + 36 + 6 + 4);
  EXPECT_EQ(TTempDir::Read(dir.File("ok.err")), "");

  dir.Write("bad.vel", "FOO()\n");
  status = std::system(("cd " + dir.Path() + " && ./velwcomp -T" + dir.File("ZIRE.DRV") +
                        " bad 2>err.out").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.ved")));
  EXPECT_EQ(TTempDir::Read(dir.File("bad.err")), "Fehler : [Zeile:1]  Unbekannter Befehl!\n");
  EXPECT_EQ(TTempDir::Read(dir.File("err.out")), "Fehler : [Zeile:1]  Unbekannter Befehl!\n");

  // Without a source argument the first plain line of velwcomp.cfg names it.
  dir.Write("velwcomp.cfg", "-Tignored\n\nok\n");
  std::filesystem::remove(dir.File("ok.ved"));
  status = std::system(("cd " + dir.Path() + " && ./velwcomp 2>err.out").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 0) << TTempDir::Read(dir.File("err.out"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("ok.ved")));

  // Without a driver the compile cannot start.
  status = std::system(("cd " + dir.Path() + " && ./velwcomp bad 2>err.out").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(TTempDir::Read(dir.File("bad.err")), "Fehler : Fehlender Treiber!\n");
}

// Bad inputs end with the compiler's own message and exit code 1, never with an abort.
TEST(VelwcompProgramTest, BadInputsEndWithTheirMessage) {
  TTempDir dir;
  const std::string exe = dir.File("velwcomp");
  std::filesystem::copy_file(VELWCOMP_PATH, exe);
  std::filesystem::copy_file(std::string(ZK_SOURCE_DIR) + "/samples/vel/ZIRE.CFG",
                             dir.File("ZIRE.CFG"));
  auto run = [&](const std::string& args) {
    int status = std::system(("cd " + dir.Path() + " && ./velwcomp " + args + " 2>err.out").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  };
  // A source that is a directory.
  std::filesystem::create_directory(dir.File("X.vel"));
  EXPECT_EQ(run("X"), 1);
  EXPECT_EQ(TTempDir::Read(dir.File("err.out")),
            "Fehler : Datei \"X.vel\" konnte nicht geöffnet werden!\n");
  // A missing source without a driver: the open failure, not the missing driver.
  EXPECT_EQ(run("nosuch"), 1);
  EXPECT_EQ(TTempDir::Read(dir.File("err.out")),
            "Fehler : Datei \"nosuch.vel\" konnte nicht geöffnet werden!\n");
  // A message file that cannot be written is named as such.
  dir.Write("ok.vel", "; nothing\n");
  std::filesystem::create_directory(dir.File("ok.err"));
  EXPECT_EQ(run("ok"), 1);
  EXPECT_NE(TTempDir::Read(dir.File("err.out"))
                .find("velwcomp: Die Datei \"ok.err\" konnte nicht geschrieben werden !\n"),
            std::string::npos)
      << TTempDir::Read(dir.File("err.out"));
  // A failed compile removes an old record.
  dir.Write("ok.ved", "old");
  EXPECT_EQ(run("ok"), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("ok.ved")));
}

}  // namespace
