// Drag events delivered to a window's widget on Qt's offscreen platform reach the layer's
// drop targets with the keys and the code page, and file lists become WM_DROPFILES.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "QtUiFixture.h"
#include "platform/ui/DragDrop.h"

using namespace platform;

namespace {

class TCopyOnCtrlTarget : public TDropTarget {
 public:
  std::vector<std::string> Calls;
  std::string Dropped;
  uint32_t DragEnter(const TTransferData&, uint32_t keys, TPoint, uint32_t) override {
    Calls.push_back("enter");
    return Effect(keys);
  }
  uint32_t DragOver(uint32_t keys, TPoint, uint32_t) override {
    Calls.push_back("over");
    return Effect(keys);
  }
  void DragLeave() override { Calls.push_back("leave"); }
  uint32_t Drop(const TTransferData& data, uint32_t keys, TPoint, uint32_t) override {
    Calls.push_back("drop");
    Dropped = data.Get(CF_OEMTEXT).value_or("?");
    return Effect(keys);
  }
  static uint32_t Effect(uint32_t keys) {
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  }
};

class QtDragDropTest : public qttest::QtUiTest {};

TEST_F(QtDragDropTest, DropOnAWidgetReachesItsTarget) {
  TWindow w = Make({0, 0, 200, 100});
  auto target = std::make_shared<TCopyOnCtrlTarget>();
  ASSERT_TRUE(RegisterDragDrop(w, target));
  QWidget* widget = Backend->WidgetOf(w);
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->acceptDrops());

  QMimeData mime;
  mime.setText(QString::fromUtf8("Zähler"));
  Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(QPoint(10, 10), both, &mime, Qt::LeftButton, Qt::ControlModifier);
  QApplication::sendEvent(widget, &enter);
  EXPECT_TRUE(enter.isAccepted());
  EXPECT_EQ(enter.dropAction(), Qt::CopyAction);

  QDragMoveEvent move(QPoint(12, 10), both, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
  EXPECT_TRUE(move.isAccepted());
  EXPECT_EQ(move.dropAction(), Qt::MoveAction);

  QDropEvent drop(QPointF(12, 10), both, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(drop.dropAction(), Qt::MoveAction);
  EXPECT_EQ(target->Calls, (std::vector<std::string>{"enter", "over", "drop"}));
  EXPECT_EQ(target->Dropped, "Z\x84hler");  // the DOS code page, as asked

  // A window without a target refuses.
  TWindow plain = Make({0, 0, 50, 50});
  QDragEnterEvent refused(QPoint(1, 1), both, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Backend->WidgetOf(plain), &refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST_F(QtDragDropTest, FileListBecomesDropFilesForTheFrame) {
  TWindow frame = Make({0, 0, 300, 200});
  TWindow child = Make({10, 10, 110, 110}, frame);
  DragAcceptFiles(frame, true);
  QMimeData mime;
  mime.setUrls({QUrl("https://example.invalid/x"), QUrl::fromLocalFile("/tmp/eins.txt"),
                QUrl::fromLocalFile("/tmp/zwei öl.c")});
  QWidget* widget = Backend->WidgetOf(child);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  EXPECT_TRUE(drop.isAccepted());
  Pump();
  THandle block = 0;
  for (const TMsg& m : qttest::Seen()) {
    if (m.Message == WM_DROPFILES && m.Window == frame) block = static_cast<THandle>(m.WParam);
  }
  ASSERT_NE(block, 0u);
  ASSERT_EQ(DragQueryFileCount(block), 2u);  // only local files
  EXPECT_EQ(DragQueryFile(block, 0), "/tmp/eins.txt");
  EXPECT_EQ(DragQueryFile(block, 1), "/tmp/zwei öl.c");
  DragFinish(block);
}

}  // namespace
