// The settings sheet on Qt's offscreen platform: the pages "Texteditor" and
// "Farben/Schriften" saved as pictures in the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <string>

#include "editor/settings/SettingsSheet.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

// Shows the sheet at `page`, saves its picture and closes it; the picture's size.
QSize Shoot(TQtBackend* backend, int32_t page, const std::string& file) {
  TIniOptions options;
  options.Filters = {"Alle Dateien|*.*", "Texte|*.txt"};
  TSettingsHost host;
  host.Options = &options;
  QSize size;
  QTimer::singleShot(50, [&] {
    TWindow sheet = GetParent(GetParent(GetFocus()));
    if (QWidget* window = backend->WidgetOf(sheet)) {
      QPixmap shot = window->grab();
      size = shot.size();
      shot.save(QString::fromStdString(std::string(ZK_SCREENSHOT_DIR) + "/" + file));
    }
    PostMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(RunSettingsSheet(host, page), 0);
  return size;
}

}  // namespace

TEST(SettingsQtScreenshotTest, TextEditorAndColoursPages) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  QSize a = Shoot(backend, spTextEditor, "settings_texteditor.png");
  QSize b = Shoot(backend, spColors, "settings_colors.png");
  EXPECT_GT(a.width(), 300);
  EXPECT_EQ(a, b);
  ShutdownUi();
}
