// The clipboard through the real QClipboard on Qt's offscreen platform: text in both code
// pages, the desktop's line ends for other programs, registered formats, rich text from
// others, and change notices.
#include <QClipboard>
#include <QMimeData>

#include "QtUiFixture.h"
#include "platform/ui/Clipboard.h"

using namespace platform;

namespace {

class QtClipboardTest : public qttest::QtUiTest {
 protected:
  void SetUp() override {
    QtUiTest::SetUp();
    Clipboard = QGuiApplication::clipboard();
    if (!Clipboard) GTEST_SKIP() << "this platform has no clipboard";
    Clipboard->setText("probe");
    if (Clipboard->text() != "probe") GTEST_SKIP() << "this platform's clipboard keeps nothing";
    Clipboard->clear();
  }
  QClipboard* Clipboard = nullptr;
};

TEST_F(QtClipboardTest, TextRoundTripWithOtherProgramsSeeingLineFeeds) {
  TWindow w = Make({0, 0, 100, 100});
  const std::string win = "Gr\xFC\xDF" "e\r\n\xC4rger";
  ASSERT_TRUE(PutClipboardText(w, win, false));
  EXPECT_EQ(Clipboard->text(), QString::fromUtf8("Grüße\nÄrger"));
  EXPECT_EQ(TakeClipboardText(w, false), win);
  EXPECT_EQ(TakeClipboardText(w, true), "Gr\x81\xE1" "e\r\n\x8Erger");

  // Text another program put there: line feeds become CR LF, umlauts the code page's bytes.
  Clipboard->setText(QString::fromUtf8("ä\nb\r\nc"));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(TakeClipboardText(w, false), "\xE4\r\nb\r\nc");
  EXPECT_EQ(TakeClipboardText(w, true), "\x84\r\nb\r\nc");
}

TEST_F(QtClipboardTest, RegisteredFormatsAndRichTextCross) {
  TWindow w = Make({0, 0, 100, 100});
  uint32_t hex = RegisterClipboardFormat("ZKEDIT_HEXDATA");
  uint32_t rtf = RegisterClipboardFormat(kRichTextFormatName);
  const std::string record("\x03\x00\x00\x00" "A\x00" "B\x00", 8);
  ASSERT_TRUE(PutClipboardBytes(w, hex, record));
  EXPECT_TRUE(IsClipboardFormatAvailable(hex));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(TakeClipboardBytes(w, hex), record);

  auto* mime = new QMimeData;
  mime->setData("text/rtf", "{\\rtf1 Hallo}");
  Clipboard->setMimeData(mime);
  EXPECT_TRUE(IsClipboardFormatAvailable(rtf));
  EXPECT_FALSE(IsClipboardFormatAvailable(hex));
  EXPECT_EQ(TakeClipboardBytes(w, rtf), "{\\rtf1 Hallo}");
}

TEST_F(QtClipboardTest, ListenersHearOfChangesFromAnywhere) {
  TWindow listener = Make({0, 0, 100, 100});
  ASSERT_TRUE(AddClipboardFormatListener(listener));
  ASSERT_TRUE(PutClipboardText(listener, "a", false));
  Pump();
  EXPECT_EQ(Count(WM_CLIPBOARDUPDATE), 1);
  Clipboard->setText("b");
  Pump();
  EXPECT_EQ(Count(WM_CLIPBOARDUPDATE), 2);
}

}  // namespace
