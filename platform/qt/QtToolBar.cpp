// The native tool bar and its customisation dialog.
#include "platform/qt/QtToolBar.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtBarSync.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

class TQtToolBar final : public QToolBar {
 public:
  TQtToolBar(TWindow window, QWidget* parent) : QToolBar(parent), Window_(window) {
    setMovable(false);
    setFloatable(false);
  }

  void Sync() {
    const TImageStrip* images = ToolBarImages(Window_);
    if (images && Strip_.isNull() && images->Xpm) Strip_ = QPixmap(images->Xpm);
    int32_t size = images ? images->Size : 16;
    setIconSize(QSize(size, size));
    std::vector<int32_t> arrangement = ToolBarArrangement(Window_);
    std::vector<uint16_t> commands;
    for (int32_t i = 0; i < ToolBarButtonCount(Window_); ++i) {
      commands.push_back(ToolBarButton(Window_, i).Command);
    }
    if (arrangement != Arrangement_) Rebuild(arrangement, size);
    uint32_t style = GetWindowStyle(Window_);
    for (size_t i = 0; i < Actions_.size(); ++i) {
      QAction* a = Actions_[i];
      if (a->isSeparator()) continue;
      int32_t state = ToolBarButtonState(Window_, commands[i]);
      a->setData(commands[i]);
      a->setEnabled(state >= 0 && (state & TBSTATE_ENABLED));
      a->setChecked(state >= 0 && (state & (TBSTATE_CHECKED | TBSTATE_PRESSED)));
      a->setVisible(state >= 0 && !(state & TBSTATE_HIDDEN));
      if (auto* button = qobject_cast<QToolButton*>(widgetForAction(a))) {
        button->setAutoRaise(style & TBSTYLE_FLAT);
      }
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* button = qobject_cast<QToolButton*>(watched);
    QAction* action = button ? button->defaultAction() : nullptr;
    if (!action) return false;
    std::string tip = ToolBarToolTip(Window_, static_cast<uint16_t>(action->data().toUInt()));
    auto* help = static_cast<QHelpEvent*>(event);
    if (tip.empty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), QString::fromStdString(tip), button);
    }
    return true;
  }

 private:
  void Rebuild(const std::vector<int32_t>& arrangement, int32_t size) {
    clear();
    Actions_.clear();
    Arrangement_ = arrangement;
    auto available = ToolBarAvailable(Window_);
    for (size_t i = 0; i < arrangement.size(); ++i) {
      int32_t index = arrangement[i];
      if (index < 0) {
        Actions_.push_back(addSeparator());
        continue;
      }
      const TToolButton& b = available[static_cast<size_t>(index)];
      QAction* a = addAction(QIcon(Strip_.copy(b.Image * size, 0, size, size)), QString());
      a->setCheckable(b.Style & TBSTYLE_CHECK);
      int32_t position = static_cast<int32_t>(i);
      connect(a, &QAction::triggered, this, [this, position] { ToolBarClick(Window_, position); });
      if (QWidget* button = widgetForAction(a)) button->installEventFilter(this);
      Actions_.push_back(a);
    }
  }

  TWindow Window_;
  QPixmap Strip_;
  std::vector<int32_t> Arrangement_{-2};  // nothing built yet
  std::vector<QAction*> Actions_;
};

QString ButtonLabel(TWindow toolBar, int32_t index) {
  if (index < 0) return QStringLiteral("Trennlinie");
  auto available = ToolBarAvailable(toolBar);
  return QString::fromStdString(
      ToolBarButtonName(toolBar, available[static_cast<size_t>(index)].Command));
}

QListWidgetItem* MakeItem(TWindow toolBar, int32_t index, QPixmap& strip, int32_t size) {
  auto* item = new QListWidgetItem(ButtonLabel(toolBar, index));
  item->setData(Qt::UserRole, index);
  if (index >= 0 && !strip.isNull()) {
    int32_t image = ToolBarAvailable(toolBar)[static_cast<size_t>(index)].Image;
    item->setIcon(QIcon(strip.copy(image * size, 0, size, size)));
  }
  return item;
}

}  // namespace

QWidget* CreateToolBarWidget(TWindow window, QWidget* parent) {
  if (GetClassName(window) != kToolBarClass) return nullptr;
  return CreateBarWidget<TQtToolBar>(window, parent);
}

bool SyncToolBarWidget(QWidget* widget, TWindow window, TWindowChange what) {
  return SyncBarWidget<TQtToolBar>(widget, window, what);
}

int32_t RunToolBarDialog(TWindow toolBar, QWidget* parent) {
  const TImageStrip* images = ToolBarImages(toolBar);
  QPixmap strip = images && images->Xpm ? QPixmap(images->Xpm) : QPixmap();
  int32_t size = images ? images->Size : 16;
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Symbolleiste anpassen"));
  auto* available = new QListWidget(&dialog);
  auto* current = new QListWidget(&dialog);
  std::vector<int32_t> now = ToolBarArrangement(toolBar);
  available->addItem(MakeItem(toolBar, -1, strip, size));
  for (int32_t i = 0; i < static_cast<int32_t>(ToolBarAvailable(toolBar).size()); ++i) {
    if (std::find(now.begin(), now.end(), i) == now.end()) {
      available->addItem(MakeItem(toolBar, i, strip, size));
    }
  }
  for (int32_t index : now) current->addItem(MakeItem(toolBar, index, strip, size));
  auto* add = new QPushButton(QStringLiteral("&Hinzuf\u00fcgen ->"), &dialog);
  auto* remove = new QPushButton(QStringLiteral("<- &Entfernen"), &dialog);
  auto* up = new QPushButton(QStringLiteral("Nach &oben"), &dialog);
  auto* down = new QPushButton(QStringLiteral("Nach &unten"), &dialog);
  auto* reset = new QPushButton(QStringLiteral("&Zur\u00fccksetzen"), &dialog);
  auto* help = new QPushButton(QStringLiteral("&Hilfe"), &dialog);
  QObject::connect(add, &QPushButton::clicked, &dialog, [&] {
    QListWidgetItem* item = available->currentItem();
    if (!item) return;
    int32_t index = item->data(Qt::UserRole).toInt();
    int32_t row = current->currentRow() < 0 ? current->count() : current->currentRow();
    current->insertItem(row, MakeItem(toolBar, index, strip, size));
    if (index >= 0) delete available->takeItem(available->row(item));
  });
  QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
    QListWidgetItem* item = current->currentItem();
    if (!item) return;
    int32_t index = item->data(Qt::UserRole).toInt();
    if (index >= 0) available->addItem(MakeItem(toolBar, index, strip, size));
    delete current->takeItem(current->row(item));
  });
  auto move = [&](int32_t delta) {
    int32_t row = current->currentRow();
    if (row < 0 || row + delta < 0 || row + delta >= current->count()) return;
    QListWidgetItem* item = current->takeItem(row);
    current->insertItem(row + delta, item);
    current->setCurrentRow(row + delta);
  };
  QObject::connect(up, &QPushButton::clicked, &dialog, [&] { move(-1); });
  QObject::connect(down, &QPushButton::clicked, &dialog, [&] { move(1); });
  QObject::connect(reset, &QPushButton::clicked, &dialog, [&] { ToolBarResetRequest(toolBar); });
  QObject::connect(help, &QPushButton::clicked, &dialog, [&] { ToolBarHelpRequest(toolBar); });
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* middle = new QVBoxLayout;
  for (QPushButton* b : {add, remove, up, down, reset, help}) middle->addWidget(b);
  middle->addStretch();
  auto* lists = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("&Verf\u00fcgbare Schaltfl\u00e4chen:"), &dialog));
  left->addWidget(available);
  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(QStringLiteral("&Aktuelle Schaltfl\u00e4chen:"), &dialog));
  right->addWidget(current);
  lists->addLayout(left);
  lists->addLayout(middle);
  lists->addLayout(right);
  auto* all = new QVBoxLayout(&dialog);
  all->addLayout(lists);
  all->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return 0;
  std::vector<int32_t> wanted;
  for (int32_t row = 0; row < current->count(); ++row) {
    wanted.push_back(current->item(row)->data(Qt::UserRole).toInt());
  }
  return ToolBarApplyCustomization(toolBar, wanted) ? 1 : 0;
}

int32_t TQtBackend::CustomizeToolBar(TWindow toolBar) {
  return RunToolBarDialog(toolBar, WidgetOf(GetParent(toolBar)));
}

}  // namespace platform
