// The compare window on Qt's offscreen platform in both layouts; the pictures are saved in
// the build folder for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdlib>

#include "editor/compare/DiffChildData.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/qt/QtBackend.h"
#include "tests/editor/compare/CompareTestHost.h"
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

TEST(CompareQtScreenshotTest, BothLayoutsOfTwoSampleFiles) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));
  TTempDir dir;
  {
    TCompareTestHost host;
    ShowWindow(host.Frame, true);
    std::string a = dir.Write("alt.c",
                              "#include <stdio.h>\r\n\r\nint main(void)\r\n{\r\n\tint i;\r\n"
                              "\tfor (i = 0; i < 10; i++)\r\n\t\tprintf(\"%d\\n\", i);\r\n"
                              "\treturn 0;\r\n}\r\n/* Ende */\r\n");
    std::string b = dir.Write("neu.c",
                              "#include <stdio.h>\r\n#include <stdlib.h>\r\n\r\nint main(void)\r\n{\r\n"
                              "\tint i;\r\n\tfor (i = 0; i < 20; i++)\r\n\t\tprintf(\"%d\\n\", i * 2);\r\n"
                              "\treturn EXIT_SUCCESS;\r\n}\r\n/* Ende */\r\n");
    TDiffExtraData extra;
    extra.FirstFile = a;
    extra.SecondFile = b;
    TWindow w = OpenCompareWindow(host.Host, extra);
    ASSERT_NE(w, 0u);
    SendMessage(host.Client, WM_MDIMAXIMIZE, static_cast<uintptr_t>(w), 0);
    Pump();
    auto* d = dynamic_cast<TDiffChildData*>(GetChildData(w));
    ASSERT_NE(d, nullptr);
    QWidget* top = backend->WidgetOf(host.Frame)->window();
    // The splitter's own resize cursor, one per layout.
    ASSERT_NE(backend->WidgetOf(d->Splitter), nullptr);
    EXPECT_EQ(backend->WidgetOf(d->Splitter)->cursor().shape(), Qt::SplitHCursor);
    QImage side = top->grab().toImage();
    EXPECT_GE(side.width(), 600);
    side.save(QString::fromStdString(std::string(ZK_SCREENSHOT_DIR) + "/compare_side_by_side.png"));
    CompareWindowCommand(w, 908);
    Pump();
    EXPECT_EQ(d->Extra.Layout, dlAboveEachOther);
    EXPECT_EQ(backend->WidgetOf(d->Splitter)->cursor().shape(), Qt::SplitVCursor);
    QImage above = top->grab().toImage();
    above.save(QString::fromStdString(std::string(ZK_SCREENSHOT_DIR) + "/compare_above.png"));
    EXPECT_NE(side, above);
  }
  ShutdownUi();
}
