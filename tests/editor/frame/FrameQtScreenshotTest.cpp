// The editor's frame on Qt's offscreen platform with two documents side by side, menu bar,
// tool bar and status bar; the picture is saved in the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QWidget>

#include <cstdlib>

#include "editor/frame/Frame.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/EditChildData.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

void Pump() {
  for (int i = 0; i < 30; ++i) {
    QCoreApplication::processEvents();
    RunPendingMessages();
  }
}

}  // namespace

TEST(FrameQtScreenshotTest, FrameWithTwoDocumentsMenusToolBarAndStatusBar) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TTempDir dir;
  {
    auto frame = std::make_unique<TFrame>();
    frame->Profile = std::make_unique<TProfileFile>(dir.File("ZKEdit32.Ini"));
    frame->Options.AutoOpen = 0;
    frame->Options.WinX = 0;
    frame->Options.WinY = 0;
    frame->Options.WinW = 900;
    frame->Options.WinH = 600;
    std::string a = dir.Write("erste.txt", "Gr\xFC\xDF" "e aus der ersten Datei\r\n\tmit Tabulator\r\n");
    std::string b = dir.Write("zweite.c", "int main(void) {\r\n  return 0;\r\n}\r\n");
    frame->Args = {a};
    ASSERT_TRUE(frame->Create());
    frame->Show();
    Pump();
    frame->OpenFile(b, false, nullptr, false);
    SendMessage(frame->Client, WM_MDITILE, MDITILE_VERTICAL, 0);
    Pump();
    ASSERT_EQ(frame->Documents().size(), 2u);
    EXPECT_EQ(StatusBarText(frame->StatusBar, 0), "Z:  1");
    QWidget* widget = backend->WidgetOf(frame->Window);
    ASSERT_NE(widget, nullptr);
    QWidget* top = widget->window();
    QMenuBar* bar = top->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->actions().size(), 7);  // the menu with documents
    QImage shot = top->grab().toImage();
    EXPECT_GE(shot.width(), 600);
    shot.save(QString::fromStdString(std::string(ZK_SCREENSHOT_DIR) + "/zkedit32_frame.png"));
    frame.reset();
  }
  ShutdownUi();
}
