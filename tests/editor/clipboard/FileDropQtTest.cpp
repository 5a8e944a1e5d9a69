// Files dragged from a file manager (a URI list) onto the real frame on Qt's offscreen
// platform: onto the empty document area and onto a text window, they open as documents.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdlib>

#include "editor/frame/Frame.h"
#include "editor/text/ChildAccess.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
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

// Drops the files where Qt would deliver them: the widget at `at` of `top`, or the nearest
// ancestor that takes drops. False when nobody accepted.
bool DropFiles(QWidget* top, QPoint at, const QStringList& paths) {
  QWidget* w = top->childAt(at);
  if (!w) w = top;
  while (w && !w->acceptDrops()) w = w->parentWidget();
  if (!w) return false;
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& p : paths) urls.push_back(QUrl::fromLocalFile(p));
  mime.setUrls(urls);
  QPoint local = w->mapFrom(top, at);
  QDragEnterEvent enter(local, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(local), Qt::CopyAction | Qt::MoveAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
  return drop.isAccepted();
}

}  // namespace

TEST(FileDropQtTest, FilesFromTheFileManagerOpenOnTheEmptyAreaAndOnATextWindow) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TTempDir dir;
  {
    auto frame = std::make_unique<TFrame>();
    frame->Profile = std::make_unique<TProfileFile>(dir.File("ZKEdit32.Ini"));
    frame->Options.AutoOpen = 0;
    frame->Options.DragDropEdit = true;
    frame->Options.WinX = 0;
    frame->Options.WinY = 0;
    frame->Options.WinW = 800;
    frame->Options.WinH = 600;
    std::string a = dir.Write("eins.txt", "eins\r\n");
    std::string b = dir.Write("zwei öl.txt", "zwei\r\n");
    ASSERT_TRUE(frame->Create());
    frame->Show();
    Pump();
    ASSERT_TRUE(frame->Documents().empty());
    QWidget* top = backend->WidgetOf(frame->Window)->window();
    QWidget* area = backend->WidgetOf(frame->Client);
    ASSERT_NE(area, nullptr);
    QPoint middle = area->mapTo(top, area->rect().center());
    ASSERT_TRUE(DropFiles(top, middle, {QString::fromStdString(a)}));
    Pump();
    ASSERT_EQ(frame->Documents().size(), 1u);
    TWindow first = frame->Active();
    EXPECT_EQ(ChildFileName(first), a);
    // Onto the text window: the window takes text, the frame takes the files.
    QWidget* text = backend->WidgetOf(first);
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(DropFiles(top, text->mapTo(top, text->rect().center()), {QString::fromStdString(b)}));
    Pump();
    ASSERT_EQ(frame->Documents().size(), 2u);
    EXPECT_EQ(ChildFileName(frame->Active()), b);
    EXPECT_EQ(ChildWindowText(first), a);
    frame.reset();
  }
  ShutdownUi();
}
