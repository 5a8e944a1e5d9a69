// The hit list, the search dialog and the progress dialog on Qt's offscreen platform; the
// pictures are saved in the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

#include "editor/grep/GrepDialog.h"
#include "editor/grep/GrepProgress.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/UiSystem.h"
#include "tests/editor/grep/GrepTestHost.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

void Pump() {
  for (int i = 0; i < 30; ++i) {
    QCoreApplication::processEvents();
    RunPendingMessages();
  }
}

std::string Shot(const char* name) { return std::string(ZK_SCREENSHOT_DIR) + "/" + name; }

}  // namespace

TEST(GrepQtScreenshotTest, HitListDialogAndProgress) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TTempDir dir;
  {
    TGrepTestHost host;
    host.Options.SystemColors = false;
    host.Options.Colors[2].Text = MakeRgb(0, 0, 0);
    host.Options.Colors[2].Back = MakeRgb(255, 255, 255);
    host.Options.Colors[2].Highlight = MakeRgb(200, 0, 0);
    ShowWindow(host.Frame, true);
    dir.Write("haupt.c", "int Ziel = 1;\r\n\tif (Ziel > 2) Ziel = 0;\r\nreturn Ziel;\r\n");
    dir.Write("text.txt", "Das Ziel ist erreicht.\r\n");
    std::string bin(200, 'x');
    bin[3] = '\0';
    bin.replace(40, 4, "Ziel");
    dir.Write("daten.bin", bin);
    TGrepParam order;
    SetGrepField(order.SearchText, "ziel");
    SetGrepField(order.FileMasks, "*.*");
    order.Info = true;
    order.Dirs.push_back(dir.Path());
    TWindow w = OpenGrepWindow(host.Host, order);
    ASSERT_NE(w, 0u);
    SendMessage(host.Client, WM_MDIMAXIMIZE, static_cast<uintptr_t>(w), 0);
    GrepChildOf(w)->SetCaret(0, 2, false, false);
    Pump();
    QWidget* top = backend->WidgetOf(host.Frame)->window();
    QImage list = top->grab().toImage();
    EXPECT_TRUE(list.save(QString::fromStdString(Shot("grep_hit_list.png"))));

    order.Output = 1;
    TWindow counts = OpenGrepWindow(host.Host, order);
    ASSERT_NE(counts, 0u);
    Pump();
    EXPECT_TRUE(top->grab().toImage().save(QString::fromStdString(Shot("grep_counts.png"))));

    TGrepProgress progress(host.Frame, order);
    progress.Report(gphCollecting, 1234);
    progress.Report(gphHit, 56);
    progress.Report(gphSearching, 40);
    Pump();
    ASSERT_NE(progress.Window(), 0u);
    EXPECT_TRUE(backend->WidgetOf(progress.Window())->grab().save(
        QString::fromStdString(Shot("grep_progress.png"))));
    progress.Close();

    host.Options.GrepDirs.Assign({dir.Path(), "/usr/include"});
    host.Options.GrepTexts.Add("Zielmarke");
    bool shot = false;
    QTimer::singleShot(0, [&] {
      TWindow dialog = GetFocus();
      while (dialog && GetClassName(dialog) != kDialogClass) dialog = GetParent(dialog);
      if (QWidget* widget = backend->WidgetOf(dialog)) {
        shot = widget->grab().save(QString::fromStdString(Shot("grep_dialog.png")));
      }
      SendMessage(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    TGrepParam ignored;
    EXPECT_FALSE(RunGrepDialog(host.Frame, host.Options, &host.Profile, ignored));
    EXPECT_TRUE(shot);
  }
  ShutdownUi();
}
