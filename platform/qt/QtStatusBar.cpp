// The native status bar.
#include "platform/qt/QtStatusBar.h"

#include <QLabel>
#include <QStatusBar>
#include <vector>

#include "platform/qt/QtBarSync.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

class TQtStatusBar final : public QStatusBar {
 public:
  TQtStatusBar(TWindow window, QWidget* parent) : QStatusBar(parent), Window_(window) {}

  void Sync() {
    setSizeGripEnabled(GetWindowStyle(Window_) & SBARS_SIZEGRIP);
    std::vector<int32_t> edges = StatusBarParts(Window_);
    if (edges != Edges_) {
      // New parts: labels again, the one reaching the right border stretched.
      for (QLabel* label : Labels_) {
        removeWidget(label);
        delete label;
      }
      Labels_.clear();
      for (int32_t edge : edges) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        Labels_.push_back(label);
        addWidget(label, edge < 0 ? 1 : 0);
      }
      Edges_ = edges;
    }
    int32_t left = 0;
    for (size_t i = 0; i < edges.size(); ++i) {
      QLabel* label = Labels_[i];
      label->setText(QString::fromStdString(StatusBarText(Window_, static_cast<int32_t>(i))));
      if (edges[i] < 0) {
        label->setMinimumWidth(0);
        label->setMaximumWidth(QWIDGETSIZE_MAX);
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
      } else {
        label->setFixedWidth(std::max(edges[i] - left, 0));
        left = edges[i];
      }
      label->show();
    }
    if (StatusBarIsSimple(Window_)) {
      showMessage(QString::fromStdString(StatusBarText(Window_, SB_SIMPLEID)));
    } else if (!currentMessage().isEmpty()) {
      clearMessage();
    }
  }

 private:
  TWindow Window_;
  std::vector<QLabel*> Labels_;
  std::vector<int32_t> Edges_;
};

}  // namespace

QWidget* CreateStatusBarWidget(TWindow window, QWidget* parent) {
  if (GetClassName(window) != kStatusBarClass) return nullptr;
  return CreateBarWidget<TQtStatusBar>(window, parent);
}

bool SyncStatusBarWidget(QWidget* widget, TWindow window, TWindowChange what) {
  return SyncBarWidget<TQtStatusBar>(widget, window, what);
}

}  // namespace platform
