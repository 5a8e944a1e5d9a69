// Pieces of the loader that need no device: driver file fields, the hardware
// configuration text and the console's questions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "loader/actions/ConsoleUi.h"
#include "loader/actions/DriverFile.h"
#include "loader/actions/LoaderRun.h"
#include "platform/file/File.h"
#include "tests/support/TempDir.h"

using namespace krlad;

namespace {

std::string Bytes(size_t size) {
  std::string out(size, '\0');
  for (size_t i = 0; i < size; ++i) out[i] = static_cast<char>(i * 7);
  return out;
}

void PutLe(std::string& s, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
}

class DriverFileTest : public ::testing::Test {
 protected:
  int32_t Open(std::string_view name, const std::string& bytes) {
    Handle = platform::FileOpen(Dir.Write(name, bytes).c_str(), platform::TFileAccess::ReadOnly);
    EXPECT_GE(Handle, 0);
    return Handle;
  }
  void TearDown() override {
    if (Handle >= 0) (void)platform::FileClose(Handle);
  }
  TTempDir Dir;
  int32_t Handle = -1;
};

TEST_F(DriverFileTest, KrtFilesPointAtOffset560OthersThroughTheTableAt100) {
  std::string krt = Bytes(2000);
  PutLe(krt, 560, 0x000700, 3);
  TDriverId id{};
  ASSERT_TRUE(ReadDriverId(Open("a.krt", krt), true, id));
  EXPECT_EQ(std::string(id.begin(), id.end()), krt.substr(0x700, 128));

  std::string other = Bytes(2000);
  PutLe(other, 100, 300, 2);
  PutLe(other, 340, 1200, 2);
  ASSERT_TRUE(ReadDriverId(Open("b.drv", other), false, id));
  EXPECT_EQ(std::string(id.begin(), id.end()), other.substr(1200, 128));
}

TEST_F(DriverFileTest, PointersBeyondTheEndGiveNoIdentification) {
  std::string file = Bytes(700);
  PutLe(file, 560, 650, 3);  // 128 bytes from 650 run past the end
  TDriverId id{};
  EXPECT_FALSE(ReadDriverId(Open("c.krt", file), true, id));
  EXPECT_FALSE(ReadDriverId(Open("d.krt", Bytes(100)), true, id));
  std::string name;
  EXPECT_FALSE(ReadBootloaderName(Open("e.drv", Bytes(6)), name));
}

TEST_F(DriverFileTest, BootloaderNameAtThePointerAtOffset5) {
  std::string file = Bytes(400);
  PutLe(file, 5, 200, 2);
  file.replace(200, 11, "ZKBOOT 2.00");
  std::string name;
  ASSERT_TRUE(ReadBootloaderName(Open("f.drv", file), name));
  EXPECT_EQ(name, "ZKBOOT 2.00");
  EXPECT_EQ(NameText(std::string("ZKB\0xx", 6)), "ZKB");
}

TEST(DriverFileNameTest, KrtExtensionInAnyCase) {
  EXPECT_TRUE(IsKrtFile("dir/treiber.KRT"));
  EXPECT_TRUE(IsKrtFile("treiber.krt"));
  EXPECT_FALSE(IsKrtFile("treiber.krt2"));
  EXPECT_FALSE(IsKrtFile("a.krt/treiber"));
  EXPECT_FALSE(IsKrtFile("krt"));
}

TEST(HwConfigTextTest, CardTextAndClockFlag) {
  const uint8_t withClock[] = {'C', 'f', 'g', ':', 8, 0x80};
  EXPECT_EQ(HwConfigText(withClock),
            "Anschaltungskarte: CAN\rUhr und Batteriegepufferter RAM vorhanden");
  const uint8_t without[] = {'C', 'f', 'g', ':', 0, 0x7F};
  EXPECT_EQ(HwConfigText(without),
            "Anschaltungskarte: \"RS232/RS485/RS422/TTY\" Kombi interface\r"
            "keine Uhr und Batteriegepufferter RAM vorhanden");
}

// The console with its input on a pipe.
class ConsoleUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::pipe(Pipe), 0);
    In = ::fdopen(Pipe[0], "r");
    Out = std::tmpfile();
    Err = std::tmpfile();
    Ui = std::make_unique<TConsoleUi>(Out, Err, In);
  }
  void TearDown() override {
    Ui.reset();
    std::fclose(In);
    if (Pipe[1] >= 0) ::close(Pipe[1]);
    std::fclose(Out);
    std::fclose(Err);
  }
  void Type(std::string_view text) { ASSERT_EQ(::write(Pipe[1], text.data(), text.size()), static_cast<ssize_t>(text.size())); }
  static std::string Contents(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string out;
    for (int c; (c = std::fgetc(f)) != EOF;) out += static_cast<char>(c);
    return out;
  }

  int Pipe[2] = {-1, -1};
  std::FILE* In = nullptr;
  std::FILE* Out = nullptr;
  std::FILE* Err = nullptr;
  std::unique_ptr<TConsoleUi> Ui;
};

TEST_F(ConsoleUiTest, QuestionsTakeJaOrNeinAndAskAgainOtherwise) {
  Type("vielleicht\n  JA \nn\n");
  EXPECT_EQ(Ui->ShowBox(TBoxKind::Question, "Vorhandene Datei:\"x\" \rersetzen ? "), baYes);
  EXPECT_EQ(Ui->ShowBox(TBoxKind::Question, "noch einmal?"), baNo);
  EXPECT_EQ(Ui->ShowBox(TBoxKind::Error, "Gerät reagiert nicht !"), baOk);
  const std::string err = Contents(Err);
  EXPECT_NE(err.find("Meldung: Vorhandene Datei:\"x\" \nersetzen ?\n[j/n] [j/n] "), std::string::npos) << err;
  EXPECT_NE(err.find("Fehler: Gerät reagiert nicht !\n"), std::string::npos) << err;
}

TEST_F(ConsoleUiTest, NoAnswerAtTheEndOfInputOrAfterACancel) {
  ::close(Pipe[1]);
  Pipe[1] = -1;
  EXPECT_EQ(Ui->ShowBox(TBoxKind::Question, "?"), baNo);

  // Input that stays open and silent: only the cancel can end the question.
  int silent[2];
  ASSERT_EQ(::pipe(silent), 0);
  std::FILE* idle = ::fdopen(silent[0], "r");
  TConsoleUi waiting(Out, Err, idle);
  std::thread cancel([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    waiting.UserCancel();
  });
  EXPECT_EQ(waiting.ShowBox(TBoxKind::Question, "?"), baNo);
  cancel.join();
  EXPECT_TRUE(waiting.Cancelled());
  ASSERT_EQ(waiting.Messages().Take().size(), 1u);
  std::fclose(idle);
  ::close(silent[1]);
}

TEST_F(ConsoleUiTest, NoRetryOptionRefusesQuestionsWithoutReading) {
  Type("j\n");
  Ui->SetRefuseQuestions(true);
  EXPECT_EQ(Ui->ShowBox(TBoxKind::Question, "Weiter ?"), baNo);
  EXPECT_EQ(Contents(Err), "Meldung: Weiter ?\n[j/n] n\n");
  Ui->SetRefuseQuestions(false);
  EXPECT_EQ(Ui->ShowBox(TBoxKind::Question, "Weiter ?"), baYes);  // the typed answer is still there
}

TEST_F(ConsoleUiTest, StatusFieldsCarryTheirLabels) {
  Ui->SetText(sfAction, "Speicher auslesen.");
  Ui->SetText(sfStatus, "Kommando wird ausgeführt...");
  Ui->SetText(sfPort, "COM2");
  EXPECT_EQ(Contents(Out), "KRLad für Windows Version 3.1\nAktion: Speicher auslesen.\nKommando wird ausgeführt...\nSchnittstelle: COM2\n");
}

TEST(MessageListTest, DropsRepeatedTexts) {
  TMessageList list;
  list.Add('E', 1011, "Gerät reagiert nicht !");
  list.Add('W', 1, "anders");
  list.Add('E', 1011, "Gerät reagiert nicht !");
  auto taken = list.Take();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[1].Kind, 'W');
  EXPECT_TRUE(list.Take().empty());
}

}  // namespace
