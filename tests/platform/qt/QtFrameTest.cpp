// The frame on Qt's offscreen platform: native menu bar and popups with the layer's
// messages, the MDI area, tool bar and status bar, accelerators from key events, a context
// menu, and a screenshot under the build folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <cstdlib>

#include "platform/qt/QtBackend.h"
#include "platform/ui/Accelerator.h"
#include "platform/ui/Controls.h"
#include "resources/zkedit32/Accelerators.h"
#include "tests/platform/ui/FrameFixture.h"

using namespace platform;
using frametest::Parts;
using frametest::Seen;

namespace {

class QtFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto owned = std::make_unique<TQtBackend>();
    Backend = owned.get();
    InitUi(std::move(owned));
    Seen().clear();
    Parts() = frametest::TFrameParts{};
    TWindowClass frame;
    frame.Name = "TestFrame";
    frame.Proc = frametest::FrameProc;
    frame.Icon = EditorIcon(201);
    ASSERT_TRUE(RegisterWindowClass(frame));
    TWindowClass doc;
    doc.Name = "TestDoc";
    doc.Proc = frametest::DocProc;
    doc.Style = CS_HREDRAW | CS_VREDRAW;
    doc.Icon = EditorIcon(205);
    ASSERT_TRUE(RegisterWindowClass(doc));
    Frame = CreateWindowEx(0, "TestFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 900, 600}, 0,
                           nullptr);
    ASSERT_NE(Frame, 0u);
    Client = Parts().Client;
    SendMessage(Client, WM_MDISETMENU, Parts().Docs,
                GetSubMenu(Parts().Docs, kWindowMenuPosition));
    A = NewDoc("eins.txt");
    B = NewDoc("zwei.txt");
    Pump();
  }
  void TearDown() override {
    ShutdownUi();
    Seen().clear();
  }
  TWindow NewDoc(std::string_view title) {
    TMdiCreateStruct mcs;
    mcs.ClassName = "TestDoc";
    mcs.Title = title;
    return static_cast<TWindow>(SendMessage(Client, WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&mcs)));
  }
  void Pump() {
    for (int i = 0; i < 10; ++i) {
      QCoreApplication::processEvents();
      RunPendingMessages();
    }
    Backend->SyncMenus();
  }
  QMenuBar* Bar() const {
    return Backend->WidgetOf(Frame)->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
  }
  QMdiArea* Area() const { return qobject_cast<QMdiArea*>(Backend->WidgetOf(Client)); }
  QMdiSubWindow* SubOf(TWindow w) const {
    return qobject_cast<QMdiSubWindow*>(Backend->WidgetOf(w)->parentWidget());
  }
  std::vector<frametest::TSeen> Of(uint32_t message) const {
    std::vector<frametest::TSeen> list;
    for (const frametest::TSeen& s : Seen()) {
      if (s.Window == Frame && s.Message == message) list.push_back(s);
    }
    return list;
  }

  TQtBackend* Backend = nullptr;
  TWindow Frame = 0;
  TWindow Client = 0;
  TWindow A = 0;
  TWindow B = 0;
};

}  // namespace

TEST_F(QtFrameTest, NativeMenusSendTheLayersMessages) {
  QMenuBar* bar = Bar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 7);
  // The bar came after the frame was made: the frame grew by it and its own rectangle (the
  // size the editor stores and makes it with next time) stayed as made.
  EXPECT_EQ(GetWindowRect(Frame).Height(), 600);
  EXPECT_EQ(Backend->WidgetOf(Frame)->height(), 600 + bar->sizeHint().height());
  EXPECT_EQ(bar->actions()[0]->text(), "&Datei");
  EXPECT_EQ(bar->actions()[5]->text(), "&Fenster");
  // The window list sits at the end of "Fenster", the active window checked.
  QMenu* windows = bar->actions()[5]->menu();
  ASSERT_NE(windows, nullptr);
  QAction* last = windows->actions().back();
  EXPECT_EQ(last->text(), "&2 zwei.txt");
  EXPECT_TRUE(last->isChecked());
  // Opening "Datei": WM_INITMENUPOPUP with the popup and its position; what the frame greys
  // shows greyed.
  Parts().Grey = {114};
  Seen().clear();
  QMenu* file = bar->actions()[0]->menu();
  file->popup(QPoint(10, 10));
  Pump();
  auto inits = Of(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 1u);
  EXPECT_EQ(inits[0].WParam, GetSubMenu(Parts().Docs, 0));
  EXPECT_EQ(inits[0].LParam, MakeLParam(0, 0));
  QAction* save = file->actions()[2];
  EXPECT_EQ(save->text(), "&Speichern\tStrg+S");
  EXPECT_FALSE(save->isEnabled());
  // Moving over an item: WM_MENUSELECT with its command; choosing posts WM_COMMAND.
  file->setActiveAction(file->actions()[1]);
  Pump();
  ASSERT_FALSE(Of(WM_MENUSELECT).empty());
  EXPECT_EQ(LoWord(Of(WM_MENUSELECT).back().WParam), 113u);
  file->actions()[1]->trigger();
  file->hide();
  Pump();
  ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
  EXPECT_EQ(LoWord(Of(WM_COMMAND)[0].WParam), 113u);
  EXPECT_EQ(HiWord(Of(WM_MENUSELECT).back().WParam), kMenuClosedFlags);
  // Menu changes at run time reach the native bar.
  CheckMenuItem(Parts().Docs, 192, MF_CHECKED);
  ModifyMenu(Parts().Docs, 112, MF_BYCOMMAND, 112, "&Neu!\tStrg+N");
  Pump();
  EXPECT_EQ(file->actions()[0]->text(), "&Neu!\tStrg+N");
  QMenu* options = bar->actions()[3]->menu();
  EXPECT_TRUE(options->actions()[0]->isChecked());
}

TEST_F(QtFrameTest, MdiAreaFollowsTheLayerAndTheUser) {
  QMdiArea* area = Area();
  ASSERT_NE(area, nullptr);
  ASSERT_EQ(area->subWindowList().size(), 2);
  // Sub-windows carry the class's icon, not the toolkit's.
  EXPECT_EQ(SubOf(A)->windowIcon().pixmap(16).toImage(),
            QIcon(QPixmap(EditorIcon(205)->Xpm)).pixmap(16).toImage());
  EXPECT_EQ(area->activeSubWindow(), SubOf(B));
  // The layer activates: the area follows.
  SendMessage(Client, WM_MDIACTIVATE, A, 0);
  Pump();
  EXPECT_EQ(area->activeSubWindow(), SubOf(A));
  // The user activates: the layer follows with its WM_MDIACTIVATE pair.
  Seen().clear();
  QPoint title(20, 5);
  QMouseEvent press(QEvent::MouseButtonPress, title, SubOf(B)->mapToGlobal(title), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, title, SubOf(B)->mapToGlobal(title),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(SubOf(B), &press);
  QApplication::sendEvent(SubOf(B), &release);
  // On a real desktop the click activates through the focus, which the offscreen platform
  // does not hand out.
  area->setActiveSubWindow(SubOf(B));
  Pump();
  EXPECT_EQ(area->activeSubWindow(), SubOf(B));
  EXPECT_EQ(MdiGetActive(Client), B);
  // Maximised through the layer: the sub-window is maximised and the system menu heads the bar.
  SendMessage(Client, WM_MDIMAXIMIZE, B, 0);
  Pump();
  EXPECT_TRUE(SubOf(B)->isMaximized());
  ASSERT_EQ(Bar()->actions().size(), 8);
  EXPECT_EQ(Bar()->actions()[1]->text(), "&Datei");
  // The document window learns its real size.
  QSize inner = Backend->WidgetOf(B)->size();
  EXPECT_EQ(GetClientRect(B).Width(), inner.width());
  // The user restores it.
  SubOf(B)->showNormal();
  Pump();
  EXPECT_FALSE(GetWindowStyle(B) & WS_MAXIMIZE);
  EXPECT_EQ(Bar()->actions().size(), 7);
  // Tiling one above the other: the sub-windows share the area without overlapping.
  SendMessage(Client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
  Pump();
  QRect ra = SubOf(A)->geometry();
  QRect rb = SubOf(B)->geometry();
  EXPECT_FALSE(ra.intersects(rb));
  EXPECT_EQ(ra.width(), area->viewport()->width());
  EXPECT_EQ(GetClientRect(A).Width(), Backend->WidgetOf(A)->width());
  // Closing through the layer takes the sub-window along.
  SendMessage(A, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(area->subWindowList().size(), 1);
}

TEST_F(QtFrameTest, BarsAcceleratorsContextMenuAndScreenshot) {
  auto* toolBar = qobject_cast<QToolBar*>(Backend->WidgetOf(Parts().ToolBar));
  ASSERT_NE(toolBar, nullptr);
  EXPECT_TRUE(toolBar->isVisible());
  ASSERT_EQ(toolBar->actions().size(), 13);
  EXPECT_TRUE(toolBar->actions()[0]->isSeparator());
  EXPECT_FALSE(toolBar->actions()[1]->icon().isNull());
  ToolBarEnable(Parts().ToolBar, 114, false);
  Pump();
  EXPECT_FALSE(toolBar->actions()[3]->isEnabled());
  // A press posts the command.
  Seen().clear();
  toolBar->actions()[1]->trigger();
  Pump();
  ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
  EXPECT_EQ(LoWord(Of(WM_COMMAND)[0].WParam), 112u);
  // The tool tip comes from the parent when Qt asks for one.
  auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(toolBar->actions()[1]));
  ASSERT_NE(button, nullptr);
  QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(button, &help);
  EXPECT_EQ(QToolTip::text(), "Tipp 112");
  // Status bar parts and texts; simple mode.
  const int32_t kParts[] = {64, 120, 180, 240, 272, -1};
  StatusBarSetParts(Parts().StatusBar, kParts);
  StatusBarSetText(Parts().StatusBar, 0, "Z:  1");
  StatusBarSetText(Parts().StatusBar, 2, "\xC3\x9C" "berschr.");
  Pump();
  auto* status = qobject_cast<QStatusBar*>(Backend->WidgetOf(Parts().StatusBar));
  ASSERT_NE(status, nullptr);
  QList<QLabel*> labels = status->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 6);
  EXPECT_EQ(labels[2]->text(), QString::fromUtf8("\xC3\x9C" "berschr."));
  EXPECT_EQ(labels[0]->width(), 64);
  // The screenshot of the whole frame, for a look by eye.
  QWidget* frameWidget = Backend->WidgetOf(Frame);
  frameWidget->grab().save(QStringLiteral(ZK_BUILD_DIR "/qt_frame_screenshot.png"));
  StatusBarSetSimple(Parts().StatusBar, true);
  StatusBarSetText(Parts().StatusBar, SB_SIMPLEID, "Suche nach/in Dateien - bitte warten ...");
  Pump();
  EXPECT_EQ(status->currentMessage(), "Suche nach/in Dateien - bitte warten ...");
  // Accelerators from key events on a document window, through the layer's loop.
  QWidget* doc = Backend->WidgetOf(B);
  doc->setFocus();
  Pump();
  Seen().clear();
  QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  QKeyEvent n(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier, QString(QChar(0x0E)));
  QKeyEvent nUp(QEvent::KeyRelease, Qt::Key_N, Qt::ControlModifier);
  QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  QKeyEvent f3(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier);
  for (QKeyEvent* e : {&ctrl, &n, &nUp, &ctrlUp, &f3}) QApplication::sendEvent(doc, e);
  TMsg msg;
  while (PeekMessage(msg, true)) {
    if (TranslateAccelerator(Frame, EditorAccelerators(), msg)) continue;
    DispatchMessage(msg);
  }
  std::vector<uint32_t> commands;
  for (const frametest::TSeen& s : Of(WM_COMMAND)) commands.push_back(LoWord(s.WParam));
  EXPECT_EQ(commands, (std::vector<uint32_t>{112, 177}));
  for (const frametest::TSeen& s : Seen()) EXPECT_NE(s.Message, static_cast<uint32_t>(WM_CHAR));
  // A native context menu: the user picks the second item with the keyboard.
  TMenu popup = LoadMenuIndirect(EditorMenu(kMenuDropChoice), true);
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    menu->setActiveAction(menu->actions()[1]);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(menu, &enter);
  });
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, {100, 100}, Frame), 1002u);
  DestroyMenu(popup);
}

TEST_F(QtFrameTest, AltAndMnemonicsOpenTheMenuBar) {
  QWidget* doc = Backend->WidgetOf(B);
  Backend->WidgetOf(Frame)->activateWindow();
  doc->setFocus();
  Pump();
  // Alt+D opens "Datei" through its mnemonic.
  Seen().clear();
  QKeyEvent altD(QEvent::KeyPress, Qt::Key_D, Qt::AltModifier, "d");
  QApplication::sendEvent(doc, &altD);
  Pump();
  auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open, Bar()->actions()[0]->menu());
  EXPECT_FALSE(Of(WM_INITMENUPOPUP).empty());
  open->hide();
  Pump();
  // Alt alone puts the bar into keyboard navigation.
  QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QApplication::sendEvent(doc, &alt);
  QApplication::sendEvent(doc, &altUp);
  Pump();
  ASSERT_NE(Bar()->activeAction(), nullptr);
  EXPECT_EQ(Bar()->activeAction()->text(), "&Datei");
  if (QWidget* popup = QApplication::activePopupWidget()) popup->hide();
  Pump();
  // Alt with another key in between is no menu key.
  Bar()->setActiveAction(nullptr);
  QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, "x");
  QApplication::sendEvent(doc, &alt);
  QApplication::sendEvent(doc, &x);
  QApplication::sendEvent(doc, &altUp);
  Pump();
  EXPECT_EQ(Bar()->activeAction(), nullptr);
  // F10 is the other key into the menu bar.
  QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
  QKeyEvent f10Up(QEvent::KeyRelease, Qt::Key_F10, Qt::NoModifier);
  QApplication::sendEvent(doc, &f10);
  QApplication::sendEvent(doc, &f10Up);
  Pump();
  EXPECT_NE(Bar()->activeAction(), nullptr);
  if (QWidget* popup = QApplication::activePopupWidget()) popup->hide();
  Pump();
  // Ctrl went down here and up elsewhere (a dialog's native control had the keys then): the
  // next key without it lets it go, so that a typed letter is no Ctrl combination.
  QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  QApplication::sendEvent(doc, &ctrl);
  Pump();
  ASSERT_TRUE(IsKeyDown(VK_CONTROL));
  QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(doc, &a);
  Pump();
  EXPECT_FALSE(IsKeyDown(VK_CONTROL));
}

TEST_F(QtFrameTest, ToolBarDialogTakesOutAButtonTheParentAllows) {
  TWindow bar = Parts().ToolBar;
  std::vector<int32_t> before = ToolBarArrangement(bar);
  // The user takes out the second button ("Neue Datei", code 0) and confirms.
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QList<QListWidget*> lists = dialog->findChildren<QListWidget*>();
    ASSERT_EQ(lists.size(), 2);
    QListWidget* current = lists[1];
    EXPECT_EQ(current->item(1)->text(), "Name 112");
    current->setCurrentRow(1);
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
      if (b->text() == "<- &Entfernen") b->click();
    }
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
      if (b->text() == "OK") b->click();
    }
  });
  Seen().clear();
  EXPECT_TRUE(ToolBarCustomize(bar));
  std::vector<int32_t> expected = before;
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(ToolBarArrangement(bar), expected);
  Pump();
  auto* toolBar = qobject_cast<QToolBar*>(Backend->WidgetOf(bar));
  EXPECT_EQ(toolBar->actions().size(), static_cast<qsizetype>(expected.size()));
  bool changed = false;
  for (const frametest::TSeen& s : Of(WM_NOTIFY)) changed |= s.LParam == TBN_TOOLBARCHANGE;
  EXPECT_TRUE(changed);
}
