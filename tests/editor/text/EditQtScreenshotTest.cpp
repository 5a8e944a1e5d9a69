// An editor window on Qt's offscreen platform with syntax colours, line numbers, bookmark
// marks and visible blanks; the picture is saved in the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

intptr_t FrameProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) return 1;
  return DefWindowProc(w, m, wp, lp);
}

void Pump() {
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    RunPendingMessages();
  }
}

// Pixels close to a colour inside an area.
int PixelsNear(const QImage& image, QRect area, QColor color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y) {
    for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - color.red()) < 60 && std::abs(c.green() - color.green()) < 60 &&
          std::abs(c.blue() - color.blue()) < 60) {
        ++n;
      }
    }
  }
  return n;
}

}  // namespace

TEST(EditQtScreenshotTest, ColoursLineNumbersBookmarksAndVisibleBlanks) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TLogFont log;
  log.Height = -15;
  log.FaceName = "Courier New";
  TFont font = CreateFontIndirect(log);
  TWindowClass frameClass;
  frameClass.Name = "ShotFrame";
  frameClass.Proc = FrameProc;
  ASSERT_TRUE(RegisterWindowClass(frameClass));
  ASSERT_TRUE(RegisterChildClass(wkEdit, EditChildProc));
  TWindow frame = CreateWindowEx(0, "ShotFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 720, 420},
                                 0, nullptr);
  TSyntaxColorInfo colors;
  colors.KeyWords = "int return if while";
  colors.KeyColor = MakeRgb(0, 0, 255);
  colors.CommentColor = MakeRgb(0, 128, 0);
  colors.StringColor = MakeRgb(200, 0, 200);
  colors.StringChar = '"';
  colors.LineComment = "//";
  colors.BlockBegin = "/*";
  colors.BlockEnd = "*/";
  TChildCreateParams params{};
  params.FrameWindow = frame;
  params.Kind = wkEdit;
  params.FileName = "";
  params.Font = font;
  params.TextColor = MakeRgb(0, 0, 0);
  params.MarkColor = MakeRgb(160, 160, 160);
  params.TabWidth = 4;
  params.LineNumbers = 1;
  params.ShowSpecial = 1;
  params.SyntaxColoring = &colors;
  TWindow doc = CreateWindowEx(0, "ZKEditEditWin", "zaehler.c",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               {0, 0, 700, 400}, frame, &params);
  ASSERT_NE(doc, 0u);
  auto* d = dynamic_cast<TEditChildData*>(GetChildData(doc));
  ASSERT_NE(d, nullptr);
  const char* text[] = {"/* Z\xE4hler f\xFCr die Anzeige */",
                        "int Zaehle(int n) {",
                        "\tint summe = 0;  // Startwert",
                        "\twhile (n > 0) {",
                        "\t\tsumme += n--;",
                        "\t}",
                        "\treturn summe;",
                        "}",
                        "",
                        "const char* Gruss = \"Gr\xFC\xDF Gott\";"};
  d->Lines.Empty();
  for (const char* line : text) d->Lines.AddCopy(line);
  d->UpdateRanges(true);
  d->SetCaret(0, 2, false, false);
  d->ToggleBookmark(1, false);
  d->SetCaret(0, 6, false, false);
  d->ToggleBookmark(3, false);
  TTextRange selection = MakeTextRange(9, 6, 9, 10);
  d->SetSelection(&selection, 0);
  InvalidateRect(doc, nullptr);
  Pump();

  QImage image = backend->WidgetOf(doc)->grab().toImage();
  ASSERT_FALSE(image.isNull());
  image.save(QString::fromLocal8Bit(ZK_SCREENSHOT_DIR "/edit_window.png"));
  const int h = d->CharHeight;
  const int gutter = d->GutterWidth();
  // Line numbers in the gutter, a bookmark tag beside lines 3 and 7.
  EXPECT_GT(PixelsNear(image, QRect(0, 0, gutter - 16, h), QColor(0, 0, 0)), 5);
  EXPECT_GT(PixelsNear(image, QRect(gutter - 14, 2 * h, 14, h), QColor(0, 64, 192)), 20);
  EXPECT_GT(PixelsNear(image, QRect(gutter - 14, 6 * h, 14, h), QColor(0, 64, 192)), 20);
  EXPECT_EQ(PixelsNear(image, QRect(gutter - 14, 4 * h, 14, h), QColor(0, 64, 192)), 0);
  // The comment in green, the keyword in blue, the string in magenta.
  EXPECT_GT(PixelsNear(image, QRect(gutter, 0, 300, h), QColor(0, 128, 0)), 20);
  EXPECT_GT(PixelsNear(image, QRect(gutter, h, 4 * d->CharWidth, h), QColor(0, 0, 255)), 10);
  EXPECT_GT(PixelsNear(image, QRect(gutter + 20 * d->CharWidth, 9 * h, 200, h), QColor(200, 0, 200)), 10);
  // Marks of blanks and tabs in grey.
  EXPECT_GT(PixelsNear(image, QRect(gutter, 2 * h, 4 * d->CharWidth, h), QColor(160, 160, 160)), 3);
  DestroyWindow(frame);
  ShutdownUi();
}
