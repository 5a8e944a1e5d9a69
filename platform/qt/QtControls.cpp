// Native widgets of the dialog controls: texts are UTF-8 like captions; a button press goes
// back to the layer as BM_CLICK, so the click reaches the parent as WM_COMMAND with the id.
#include "platform/qt/QtControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace platform {

QString QtText(std::string_view utf8) {
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

namespace {

QString TextOf(TWindow window) { return QtText(GetWindowText(window)); }

Qt::Alignment LabelAlignment(uint32_t style) {
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT: return Qt::AlignRight | Qt::AlignTop;
    default: return Qt::AlignLeft | Qt::AlignTop;
  }
}

void SyncText(QWidget* widget, TWindow window) {
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(TextOf(window));
  if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(TextOf(window));
  if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(TextOf(window));
}

void SyncValue(QWidget* widget, TWindow window) {
  auto* bar = qobject_cast<QProgressBar*>(widget);
  if (!bar) return;
  TProgressState p = GetProgressState(window);
  bar->setRange(p.Min, p.Max);
  bar->setValue(p.Pos);
}

void SyncGeometry(QWidget* widget, TWindow window) {
  TRect r = GetWindowRect(window);
  widget->setGeometry(r.Left, r.Top, r.Width(), r.Height());
}

void SyncStyle(QWidget* widget, TWindow window) {
  uint32_t style = GetWindowStyle(window);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setWordWrap((style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP);
    label->setAlignment(LabelAlignment(style));
  }
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  }
}

}  // namespace

QWidget* CreateControlWidget(TWindow window, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (ControlKindOf(window)) {
    case TControlKind::None:
    case TControlKind::CheckBox:
    case TControlKind::RadioButton:
    case TControlKind::Edit:
    case TControlKind::ListBox:
    case TControlKind::ComboBox:
    case TControlKind::ListView:
    case TControlKind::Spin:
    case TControlKind::TabControl:
      return nullptr;
    case TControlKind::Static: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      widget = label;
      break;
    }
    case TControlKind::GroupBox:
      widget = new QGroupBox(parent);
      break;
    case TControlKind::PushButton: {
      auto* button = new QPushButton(parent);
      QObject::connect(button, &QPushButton::clicked, button,
                       [window] { PostMessage(window, BM_CLICK, 0, 0); });
      widget = button;
      break;
    }
    case TControlKind::Progress: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      widget = bar;
      break;
    }
  }
  widget->hide();
  SyncText(widget, window);
  SyncStyle(widget, window);
  SyncGeometry(widget, window);
  SyncValue(widget, window);
  return widget;
}

void SyncControlWidget(QWidget* widget, TWindow window, TWindowChange what) {
  switch (what) {
    case TWindowChange::Caption: SyncText(widget, window); break;
    case TWindowChange::Geometry: SyncGeometry(widget, window); break;
    case TWindowChange::Visibility: widget->setVisible(IsWindowVisible(window)); break;
    case TWindowChange::Style: SyncStyle(widget, window); break;
    case TWindowChange::Value: SyncValue(widget, window); break;
    case TWindowChange::Activate: widget->setFocus(Qt::OtherFocusReason); break;
    case TWindowChange::HorzBar:
    case TWindowChange::VertBar:
    case TWindowChange::Cursor: break;
  }
}

}  // namespace platform
