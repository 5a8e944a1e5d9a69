// A document window on Qt's offscreen platform: painting through the layer, a key press and
// a mouse click reaching the object, and scroll bars following the scroller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <cstdlib>
#include <thread>

#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

class TSmokeDoc : public TScrlChildData {
 public:
  static inline TSmokeDoc* Last = nullptr;
  int Paints = 0;
  std::vector<uint32_t> Keys;
  std::vector<uint8_t> Chars;
  std::vector<TTextPos> Clicks;

  bool Create(TWindow window, const TChildCreateParams& params) override {
    Last = this;
    if (!TScrlChildData::Create(window, params)) return false;
    Scroller->SetRange(100, 99999);
    return true;
  }
  void Paint(TCanvas& dc, const TRect&) override {
    ++Paints;
    int32_t tabs[] = {8 * CharWidth};
    for (int32_t row = 0; row < 5; ++row) {
      std::string text = "Zeile " + std::to_string(Scroller->PosY + row) + "\t\xE4\xF6\xFC\xDF";
      dc.TabbedTextOut(4, row * CharHeight, text, tabs, 4);
    }
  }
  void SetCaret(int32_t column, int32_t line, bool, bool) override {
    Clicks.push_back({column, line});
    Caret = {column, line};
  }
  TTextPos PixelToPos(int32_t x, int32_t y) override {
    return {x / CharWidth + Scroller->PosX, y / CharHeight + Scroller->PosY};
  }
  int32_t KeyDown(uint32_t key, bool shift, bool ctrl) override {
    Keys.push_back(key);
    return TScrlChildData::KeyDown(key, shift, ctrl);
  }
  int32_t KeyChar(uint8_t c) override {
    Chars.push_back(c);
    return 0;
  }
};

intptr_t SmokeProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_CreateChildObject) return CreateChildObject<TSmokeDoc>(w, lp);
  return ChildWindowProc(w, m, wp, lp);
}

intptr_t FrameProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) return 1;
  return DefWindowProc(w, m, wp, lp);
}

void Pump() {
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    RunPendingMessages();
  }
}

int DarkPixels(const QImage& image, QRect area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y) {
    for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++dark;
    }
  }
  return dark;
}

}  // namespace

TEST(QtSmokeTest, DocumentWindowPaintsTakesInputAndFollowsTheScroller) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));

  // Face names this system lacks map to installed families of the same pitch.
  std::string fixedFace = TQtBackend::MapFaceName("Fixedsys", true);
  EXPECT_FALSE(fixedFace.empty());
  EXPECT_TRUE(QFontInfo(QFont(QString::fromStdString(fixedFace))).fixedPitch()) << fixedFace;
  TLogFont log;
  log.Height = -16;
  log.FaceName = "Courier New";
  TFont font = CreateFontIndirect(log);
  const TFontInfo* info = GetFontInfo(font);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->FixedPitch());
  EXPECT_GT(info->Metrics.AveCharWidth, 3);
  EXPECT_EQ(info->Widths['i'], info->Widths['M']);

  TWindowClass frameClass;
  frameClass.Name = "SmokeFrame";
  frameClass.Proc = FrameProc;
  ASSERT_TRUE(RegisterWindowClass(frameClass));
  ASSERT_TRUE(RegisterChildClass(wkEdit, SmokeProc));
  TWindow frame = CreateWindowEx(0, "SmokeFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 700, 500},
                                 0, nullptr);
  ASSERT_NE(frame, 0u);
  TChildCreateParams params{};
  params.FrameWindow = frame;
  params.Kind = wkEdit;
  params.FileName = "test.txt";
  params.Font = font;
  params.TextColor = MakeRgb(0, 0, 0);
  TWindow doc = CreateWindowEx(0, "ZKEditEditWin", "test.txt",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               {10, 10, 610, 410}, frame, &params);
  ASSERT_NE(doc, 0u);
  TSmokeDoc* d = TSmokeDoc::Last;
  ASSERT_NE(d, nullptr);
  QWidget* widget = backend->WidgetOf(doc);
  ASSERT_NE(widget, nullptr);
  Pump();

  // Painting: the object's text lands in the widget's pixels.
  QImage image = widget->grab().toImage();
  if (const char* shot = std::getenv("ZK_QT_SCREENSHOT")) {
    backend->WidgetOf(frame)->grab().save(QString::fromLocal8Bit(shot));
  }
  EXPECT_GT(d->Paints, 0);
  EXPECT_GT(DarkPixels(image, QRect(4, 0, 200, d->CharHeight)), 20);
  EXPECT_EQ(DarkPixels(image, QRect(300, 6 * d->CharHeight, 200, d->CharHeight)), 0);

  // A key press: the virtual key and the character, umlauts in the Windows code page.
  widget->setFocus();
  Pump();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
  QKeyEvent umlaut(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("ä"));
  QApplication::sendEvent(widget, &umlaut);
  Pump();
  EXPECT_NE(std::find(d->Keys.begin(), d->Keys.end(), uint32_t{'A'}), d->Keys.end());
  EXPECT_EQ(d->Chars, (std::vector<uint8_t>{'a', 0xE4}));

  // A click: the caret goes where the pixel is (the drag loop ends with the release).
  QPointF at(5 * d->CharWidth + 2, 3 * d->CharHeight + 2);
  QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                   Qt::LeftButton, Qt::NoModifier);
  QMouseEvent up(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                 Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &down);
  QApplication::sendEvent(widget, &up);
  Pump();
  ASSERT_FALSE(d->Clicks.empty());
  EXPECT_EQ(d->Clicks.back(), (TTextPos{5, 3}));
  EXPECT_EQ(GetCapture(), 0u);

  // Scroll bars follow the scroller, scaled above 32,767, and drive it back.
  QScrollBar* vbar = nullptr;
  for (QScrollBar* bar : widget->findChildren<QScrollBar*>()) {
    if (bar->orientation() == Qt::Vertical) vbar = bar;
  }
  ASSERT_NE(vbar, nullptr);
  EXPECT_TRUE(vbar->isVisibleTo(widget));
  EXPECT_EQ(vbar->maximum(), kScrollBarLimit);
  SendMessage(doc, WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 16384), 0);
  UpdateWindow(doc);
  Pump();
  EXPECT_EQ(d->Scroller->PosY, MulDiv(16384, 99999, kScrollBarLimit));
  EXPECT_EQ(vbar->value(), 16384);
  int32_t before = d->Scroller->PosY;
  vbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  Pump();
  EXPECT_EQ(d->Scroller->PosY, before + d->Scroller->PageStepY);
  widget->repaint();
  EXPECT_EQ(vbar->value(), TScroller::ToBar(d->Scroller->PosY, 99999));

  // A send from another thread is answered on this one while it waits in Qt's loop.
  intptr_t answer = -1;
  std::thread worker([&] { answer = SendMessage(doc, WM_VSCROLL, SB_LINEDOWN, 0); });
  int32_t target = d->Scroller->PosY + 1;
  while (d->Scroller->PosY != target) {
    backend->WaitForEvents(-1);  // only the worker's wake-up ends this
    RunPendingMessages();
  }
  worker.join();
  EXPECT_EQ(answer, 0);

  DestroyWindow(frame);
  EXPECT_EQ(backend->WidgetOf(doc), nullptr);
  ShutdownUi();
}

TEST(QtSmokeTest, TheToolkitsOwnDialogsSpeakGerman) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
  if (!QFile::exists(file)) {
    GTEST_SKIP() << "no German toolkit texts installed (" << file.toStdString() << ")";
  }
  InitUi(std::make_unique<TQtBackend>());
  // Texts of the file dialog, which the program does not draw itself.
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Suchen in:"));
  EXPECT_EQ(QLocale().language(), QLocale::German);
  ShutdownUi();
  // The next back end installs its texts again; none outlives its back end.
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Look in:"));
}

TEST(QtSmokeTest, ExitWhileWindowsLiveEndsWithoutACrash) {
  // The toolkit ends the program with exit() when the X server goes away; the windows still
  // standing must not be torn down after the statics they use.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        InitUi(std::make_unique<TQtBackend>());
        TWindowClass cls;
        cls.Name = "ExitProbe";
        cls.Proc = DefWindowProc;
        (void)RegisterWindowClass(cls);
        TWindow top = CreateWindowEx(0, "ExitProbe", "Z&K Quellwerk", WS_VISIBLE,
                                     TRect{0, 0, 300, 200}, 0, nullptr);
        (void)CreateWindowEx(0, "ExitProbe", "", WS_VISIBLE | WS_CHILD, TRect{0, 0, 100, 50}, top,
                             nullptr);
        QCoreApplication::processEvents();
        RunPendingMessages();
        std::exit(top ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
}
