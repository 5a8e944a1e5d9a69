// The status window on Qt's offscreen platform: a run whose worker fills the fields, which the
// native widgets show, and whose "Abbruch" press cancels it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "loader/window/StatusWindow.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/UiSystem.h"

using namespace platform;
using namespace krlad;

TEST(StatusQtTest, RunShowsTheWorkersTextsAndAbbruchCancels) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto owned = std::make_unique<TQtBackend>();
  TQtBackend* backend = owned.get();
  InitUi(std::move(owned));

  TStatusWindow status;
  int cancels = 0;
  status.SetCancelHandler([&] { ++cancels; });  // a modal box would wait for a user
  std::atomic<bool> filled{false};
  QStringList labels, groups;
  QString title;
  int barValue = -1;
  bool barShown = false;
  QWidget* dialog = nullptr;

  // Looks at the widgets once the worker has filled the fields, then presses "Abbruch".
  QTimer look;
  look.setInterval(5);
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (!filled.load()) return;
    look.stop();
    dialog = backend->WidgetOf(status.Window());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    for (QLabel* l : dialog->findChildren<QLabel*>()) labels << l->text();
    for (QGroupBox* g : dialog->findChildren<QGroupBox*>()) groups << g->title();
    if (auto* bar = dialog->findChild<QProgressBar*>()) {
      barValue = bar->value();
      barShown = bar->isVisibleTo(dialog);
    }
    if (const char* shot = std::getenv("ZK_QT_SCREENSHOT")) {
      dialog->grab().save(QString::fromLocal8Bit(shot));
    }
    auto* button = dialog->findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString("Abbruch"));
    button->click();
  });
  look.start();

  int32_t result = status.Run([&] {
    status.SetText(101, "Daten werden übertragen ... ");
    status.SetText(102, "\"test.ved\" VEL Datensatz wird geladen .");
    status.SetText(105, "38400 Baud");
    status.ProgressStart(200);
    status.ProgressStep(150);
    filled = true;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!status.Cancelled() && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return status.Cancelled() ? 3 : -2;
  });

  EXPECT_EQ(result, 3);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(title, QString::fromUtf8("KRLad für Windows Version 3.1"));
  EXPECT_TRUE(labels.contains(QString::fromUtf8("Daten werden übertragen ... ")));
  EXPECT_TRUE(labels.contains("\"test.ved\" VEL Datensatz wird geladen ."));
  EXPECT_TRUE(labels.contains("38400 Baud"));
  EXPECT_TRUE(labels.contains("Geschwindigkeit:"));
  EXPECT_TRUE(groups.contains("Aktueller Status"));
  EXPECT_TRUE(groups.contains("Info"));
  EXPECT_EQ(barValue, 75);
  EXPECT_TRUE(barShown);
  EXPECT_EQ(status.Window(), 0u);
  ShutdownUi();
}
