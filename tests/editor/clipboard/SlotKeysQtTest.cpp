// The extended clipboard's keys on Qt's offscreen platform: Alt+Shift+digit reaches the
// frame as the digit key although the layout makes Shift+3 a "#", and Alt+digit inserts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cstdlib>

#include "editor/clipboard/ExtClipboard.h"
#include "editor/frame/Frame.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Accelerator.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Accelerators.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

// The program's loop in small: the frame's accelerators before the windows.
void Pump(TWindow frame) {
  for (int i = 0; i < 30; ++i) {
    QCoreApplication::processEvents();
    TMsg msg;
    while (PeekMessage(msg, true)) {
      if (!TranslateAccelerator(frame, EditorAccelerators(), msg)) DispatchMessage(msg);
    }
  }
}

void Send(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, quint32 keyCode,
          const QString& text = {}) {
  QKeyEvent event(type, key, mods, keyCode, 0, 0, text);
  QApplication::sendEvent(w, &event);
}

// A key as the X server reports it, with Alt (and Shift) held around it: Qt's key, the X key
// code of the digit row, the text.
void Press(QWidget* w, int key, quint32 keyCode, bool shift, const QString& text) {
  Qt::KeyboardModifiers mods = Qt::AltModifier | (shift ? Qt::ShiftModifier : Qt::NoModifier);
  Send(w, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier, 64);
  if (shift) Send(w, QEvent::KeyPress, Qt::Key_Shift, mods, 50);
  Send(w, QEvent::KeyPress, key, mods, keyCode, text);
  Send(w, QEvent::KeyRelease, key, mods, keyCode, text);
  if (shift) Send(w, QEvent::KeyRelease, Qt::Key_Shift, mods, 50);
  Send(w, QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier, 64);
}

}  // namespace

TEST(SlotKeysQtTest, ShiftedDigitsReachTheSlotCommands) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TTempDir dir;
  {
    auto frame = std::make_unique<TFrame>();
    frame->Profile = std::make_unique<TProfileFile>(dir.File("ZKEdit32.Ini"));
    frame->Options.AutoOpen = 0;
    frame->Args = {dir.Write("a.txt", "eins zwei")};
    ASSERT_TRUE(frame->Create());
    frame->Show();
    Pump(frame->Window);
    TWindow w = frame->Active();
    SetFocus(w);
    auto* d = dynamic_cast<TEditChildData*>(GetChildData(w));
    ASSERT_NE(d, nullptr);
    TTextRange r = MakeTextRange(0, 0, 0, 4);
    d->SetSelection(&r, 0);
    QWidget* widget = backend->WidgetOf(w);
    ASSERT_NE(widget, nullptr);
    // X key code 12 is the key "3" of the digit row.
    Press(widget, Qt::Key_NumberSign, 12, true, "#");
    Pump(frame->Window);
    ASSERT_TRUE(frame->ExtClipboard);
    EXPECT_EQ(frame->ExtClipboard->Slot(3), "eins");
    d->SetCaret(9, 0, false, false);
    Press(widget, Qt::Key_3, 12, false, "3");
    Pump(frame->Window);
    EXPECT_EQ(std::string(d->Lines.Text(0)), "eins zweieins");
    frame.reset();
  }
  ShutdownUi();
}
