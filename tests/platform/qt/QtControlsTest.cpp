// Dialog controls on Qt's offscreen platform: native widgets that follow their windows, and a
// pressed button that reaches the parent as WM_COMMAND.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <cstdlib>

#include "platform/qt/QtBackend.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

std::vector<uintptr_t>& Commands() {
  static std::vector<uintptr_t> commands;
  return commands;
}

intptr_t DialogProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == WM_COMMAND) Commands().push_back(wp);
  return DefWindowProc(w, m, wp, lp);
}

void Pump() {
  for (int i = 0; i < 10; ++i) {
    QCoreApplication::processEvents();
    RunPendingMessages();
  }
}

}  // namespace

TEST(QtControlsTest, NativeWidgetsFollowTheirWindowsAndButtonsCommand) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  Commands().clear();
  TWindowClass cls;
  cls.Name = "ControlsDialog";
  cls.Proc = DialogProc;
  ASSERT_TRUE(RegisterWindowClass(cls));
  TWindow dialog = CreateWindowEx(0, "ControlsDialog", "Dialog", WS_VISIBLE, {0, 0, 300, 200},
                                  0, nullptr);
  TWindow label = CreateControl(kStaticClass, "Aktion:", WS_VISIBLE, {8, 8, 200, 40}, dialog, 102);
  TWindow group = CreateControl(kButtonClass, "Info", WS_VISIBLE | BS_GROUPBOX,
                                {4, 50, 296, 120}, dialog, -1);
  TWindow bar = CreateControl(kProgressClass, "", 0, {8, 130, 208, 146}, dialog, 107);
  TWindow button = CreateControl(kButtonClass, "Abbruch", WS_VISIBLE, {100, 160, 180, 184},
                                 dialog, IDCANCEL);
  Pump();

  auto* qlabel = qobject_cast<QLabel*>(backend->WidgetOf(label));
  auto* qgroup = qobject_cast<QGroupBox*>(backend->WidgetOf(group));
  auto* qbar = qobject_cast<QProgressBar*>(backend->WidgetOf(bar));
  auto* qbutton = qobject_cast<QPushButton*>(backend->WidgetOf(button));
  ASSERT_NE(qlabel, nullptr);
  ASSERT_NE(qgroup, nullptr);
  ASSERT_NE(qbar, nullptr);
  ASSERT_NE(qbutton, nullptr);
  EXPECT_EQ(qlabel->parentWidget(), backend->WidgetOf(dialog));
  EXPECT_EQ(qlabel->geometry(), QRect(8, 8, 192, 32));
  EXPECT_TRUE(qlabel->wordWrap());
  EXPECT_EQ(qgroup->title(), QString("Info"));
  EXPECT_EQ(qbutton->text(), QString("Abbruch"));
  EXPECT_TRUE(qlabel->isVisibleTo(qlabel->parentWidget()));
  EXPECT_FALSE(qbar->isVisibleTo(qbar->parentWidget()));

  // Texts are UTF-8, as captions are.
  SetDlgItemText(dialog, 102, "\"ä.ved\" Datensatz wird geladen .");
  EXPECT_EQ(qlabel->text(), QString::fromUtf8("\"ä.ved\" Datensatz wird geladen ."));
  SetDlgItemText(dialog, 102, "Vorhandene Datei \rersetzen ?\r\nJa");
  EXPECT_EQ(qlabel->text(), QString("Vorhandene Datei \nersetzen ?\nJa"));
  ShowWindow(bar, true);
  SendMessage(bar, PBM_SETPOS, 40, 0);
  EXPECT_TRUE(qbar->isVisibleTo(qbar->parentWidget()));
  EXPECT_EQ(qbar->minimum(), 0);
  EXPECT_EQ(qbar->maximum(), 100);
  EXPECT_EQ(qbar->value(), 40);

  qbutton->click();
  Pump();
  ASSERT_EQ(Commands().size(), 1u);
  EXPECT_EQ(LoWord(Commands()[0]), static_cast<uint32_t>(IDCANCEL));
  EXPECT_EQ(HiWord(Commands()[0]), BN_CLICKED);

  DestroyWindow(dialog);
  EXPECT_EQ(backend->WidgetOf(button), nullptr);
  ShutdownUi();
}

TEST(QtControlsTest, SystemColoursFollowTheDesktopTheme) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  InitUi(std::make_unique<TQtBackend>());
  QPalette dark = QApplication::palette();
  dark.setColor(QPalette::Base, QColor(30, 31, 32));
  dark.setColor(QPalette::Text, QColor(220, 221, 222));
  dark.setColor(QPalette::Highlight, QColor(10, 90, 200));
  QApplication::setPalette(dark);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), MakeRgb(30, 31, 32));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), MakeRgb(220, 221, 222));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), MakeRgb(10, 90, 200));
  // Without a toolkit the layer's own table answers.
  InitUi(std::make_unique<THeadlessBackend>());
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), MakeRgb(255, 255, 255));
}
