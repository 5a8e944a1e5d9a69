// The dialog "Erweiterte Zwischenablage" on Qt's offscreen platform with a few filled slots,
// saved as a picture in the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <string>

#include "editor/clipboard/ExtClipDialog.h"
#include "editor/clipboard/ExtClipboard.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

TEST(ExtClipQtScreenshotTest, DialogWithFilledSlots) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TExtClipboard store;
  ASSERT_TRUE(store.Set(0, "Gr\xFC\xDF" "e aus K\xF6ln\r\nzweite Zeile"));
  ASSERT_TRUE(store.Set(1, "\tif (a > b)\r\n\t\treturn a;\r\n\telse\r\n\t\treturn b;\r\n"));
  ASSERT_TRUE(store.Set(4, std::string(70, 'W')));
  TExtClipHost host;
  host.Slots = &store;
  QSize size;
  int32_t lines = 0;
  QTimer::singleShot(50, [&] {
    TWindow dialog = GetFocus();
    while (dialog && GetClassName(dialog) != kDialogClass) dialog = GetParent(dialog);
    lines = static_cast<int32_t>(SendDlgItemMessage(dialog, idSlotList, LB_GETCOUNT, 0, 0));
    if (QWidget* window = backend->WidgetOf(dialog)) {
      QPixmap shot = window->grab();
      size = shot.size();
      shot.save(QString::fromStdString(std::string(ZK_SCREENSHOT_DIR) + "/extclip_dialog.png"));
    }
    PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(RunExtClipboardDialog(host), IDCANCEL);
  EXPECT_EQ(lines, 10);
  EXPECT_GT(size.width(), 400);
  ShutdownUi();
}
