// A hex window on Qt's offscreen platform: addresses in their colour, a changed byte in
// contrasting colours and a selection; the picture is saved in the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "editor/hex/HexChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildClasses.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

intptr_t FrameProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) return wp == cnQueryClose ? 1 : 0;
  return DefWindowProc(w, m, wp, lp);
}

void Pump() {
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    RunPendingMessages();
  }
}

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

TEST(HexQtScreenshotTest, AddressesChangedByteAndSelection) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TTempDir dir;
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += static_cast<char>(i * 7);
  std::string path = dir.Write("probe.bin", bytes);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TLogFont log;
  log.Height = -15;
  log.FaceName = "Courier New";
  TFont font = CreateFontIndirect(log);
  TWindowClass frameClass;
  frameClass.Name = "HexShotFrame";
  frameClass.Proc = FrameProc;
  ASSERT_TRUE(RegisterWindowClass(frameClass));
  ASSERT_TRUE(RegisterChildClass(wkHex, HexChildProc));
  TWindow frame = CreateWindowEx(0, "HexShotFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 760, 300}, 0, nullptr);
  TChildCreateParams params{};
  params.FrameWindow = frame;
  params.Kind = wkHex;
  params.FileName = path.c_str();
  params.Font = font;
  params.TextColor = MakeRgb(0, 0, 0);
  params.MarkColor = MakeRgb(0, 0, 200);
  TWindow doc = CreateWindowEx(0, "ZKEditHexWin", path, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               {0, 0, 740, 280}, frame, &params);
  ASSERT_NE(doc, 0u);
  ASSERT_EQ(ChildLoad(doc), 0);
  THexChildData* d = HexChild(doc);
  d->GotoOffset(17, false);
  SendMessage(doc, WM_CHAR, 'A', 0);
  d->SelectBytes(35, 40);
  InvalidateRect(doc, nullptr);
  Pump();
  QImage image = backend->WidgetOf(doc)->grab().toImage();
  ASSERT_FALSE(image.isNull());
  image.save(QString::fromLocal8Bit(ZK_SCREENSHOT_DIR "/hex_window.png"));
  const int w = d->CharWidth, h = d->CharHeight;
  // The offsets in the address colour.
  EXPECT_GT(PixelsNear(image, QRect(0, 0, 8 * w, h), QColor(0, 0, 200)), 10);
  // The changed byte (line 1, byte 1) white on black.
  EXPECT_GT(PixelsNear(image, QRect(13 * w, h, 2 * w, h), QColor(0, 0, 0)), 2 * w * h / 2);
  DestroyWindow(frame);
  ShutdownUi();
}
