// Native widgets of the simple controls (texts, buttons, progress, edit and spin fields) and
// the dispatch of every kind. Button presses go back to the layer as BM_CLICK, so the layer
// decides check states and the click reaches the parent as WM_COMMAND with the id; typed
// text goes back as the layer's user-text action and comes out as EN_CHANGE.
#include "platform/qt/QtControls.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <climits>
#include <string>

#include "platform/qt/QtControlsDetail.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace platform {

QString QtText(std::string_view utf8) {
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

namespace qtctl {

namespace {

const QWidget* gSyncSource = nullptr;

class TFocusFollower final : public QObject {
 public:
  TFocusFollower(QObject* parent, TWindow window) : QObject(parent), Window_(window) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && IsWindow(Window_) && GetFocus() != Window_) {
      InputFocus(Window_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TWindow Window_;
};

}  // namespace

void SetWindowOf(QWidget* widget, TWindow window) {
  widget->setProperty("zkWindow", QVariant::fromValue<qulonglong>(window));
}

TWindow WindowOf(const QWidget* widget) {
  return static_cast<TWindow>(widget->property("zkWindow").toULongLong());
}

intptr_t UserAction(QWidget* source, TWindow window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam) {
  const QWidget* saved = gSyncSource;
  gSyncSource = source;
  intptr_t result = SendMessage(window, message, wParam, lParam);
  gSyncSource = saved;
  return result;
}

bool IsSyncSource(const QWidget* widget) { return widget && widget == gSyncSource; }

void FollowFocus(QWidget* widget, TWindow window) {
  widget->installEventFilter(new TFocusFollower(widget, window));
}

}  // namespace qtctl

using namespace qtctl;

namespace {

QString TextOf(TWindow window) { return QtText(GetWindowText(window)); }

Qt::Alignment LabelAlignment(uint32_t style) {
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT: return Qt::AlignRight | Qt::AlignTop;
    default: return Qt::AlignLeft | Qt::AlignTop;
  }
}

// A label with a mnemonic shows its letter underlined; Alt with the letter reaches the layer,
// which moves the focus to the control after the label.
void SetLabelText(QLabel* label, TWindow window) {
  QString text = TextOf(window);
  int amp = text.indexOf(QLatin1Char('&'));
  if ((GetWindowStyle(window) & SS_NOPREFIX) || amp < 0) {
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return;
  }
  QString html;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (c == QLatin1Char('&') && i + 1 < text.size()) {
      QChar next = text[++i];
      QString piece = QString(next).toHtmlEscaped();
      html += next == QLatin1Char('&') ? piece : QStringLiteral("<u>") + piece + QStringLiteral("</u>");
    } else if (c == QLatin1Char('\n')) {
      html += QStringLiteral("<br>");
    } else {
      html += QString(c).toHtmlEscaped();
    }
  }
  label->setTextFormat(Qt::RichText);
  label->setText(html);
}

// The layer's multi-line text has "\r\n" line ends; Qt's has '\n'.
std::string FromQt(const QString& text, bool multiLine) {
  QString t = text;
  if (multiLine) t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return t.toStdString();
}

void SyncText(QWidget* widget, TWindow window) {
  if (IsSyncSource(widget)) return;
  if (auto* label = qobject_cast<QLabel*>(widget)) SetLabelText(label, window);
  if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(TextOf(window));
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(TextOf(window));
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    if (line->text() != TextOf(window)) {
      QSignalBlocker block(line);
      line->setText(TextOf(window));
    }
  }
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
    if (edit->toPlainText() != TextOf(window)) {
      QSignalBlocker block(edit);
      edit->setPlainText(TextOf(window));
    }
  }
}

// The spin field shows as one QSpinBox over its buddy and itself; the buddy's own widget
// hides behind it and hands its focus on.
QWidget* BuddyWidgetOf(QWidget* spin, TWindow window) {
  auto buddy = static_cast<TWindow>(SendMessage(window, UDM_GETBUDDY, 0, 0));
  if (!buddy || !spin->parentWidget()) return nullptr;
  for (QWidget* sibling : spin->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (WindowOf(sibling) == buddy) return sibling;
  }
  return nullptr;
}

void SyncSpinGeometry(QSpinBox* box, TWindow window) {
  TRect r = GetWindowRect(window);
  if (QWidget* buddy = BuddyWidgetOf(box, window)) {
    TRect b = GetWindowRect(WindowOf(buddy));
    r = UnionRect(r, b);
    buddy->setFocusProxy(box);
    buddy->setProperty("zkCovered", true);
    buddy->hide();
  }
  box->setGeometry(r.Left, r.Top, r.Width(), r.Height());
}

void SyncValue(QWidget* widget, TWindow window) {
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
    TProgressState p = GetProgressState(window);
    bar->setRange(p.Min, p.Max);
    bar->setValue(p.Pos);
    return;
  }
  if (IsSyncSource(widget)) return;
  if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    intptr_t state = SendMessage(window, BM_GETCHECK, 0, 0);
    check->setCheckState(state == BST_CHECKED ? Qt::Checked
                         : state == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
    return;
  }
  if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
    radio->setChecked(SendMessage(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
    return;
  }
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    // Setting a limit sets the text again, caret at the end: only when it changes.
    auto limit = static_cast<int>(std::min<intptr_t>(SendMessage(window, EM_GETLIMITTEXT, 0, 0), INT_MAX));
    if (line->maxLength() != limit) {
      QSignalBlocker block(line);
      line->setMaxLength(limit);
    }
    auto sel = static_cast<uintptr_t>(SendMessage(window, EM_GETSEL, 0, 0));
    int start = static_cast<int>(LoWord(sel));
    int end = static_cast<int>(HiWord(sel));
    if (line->selectionStart() != start || line->selectionEnd() != end) {
      // The layer's own selection is not the user's: no report back.
      QSignalBlocker block(line);
      if (start == end) {
        line->setCursorPosition(start);
      } else {
        line->setSelection(start, end - start);
      }
    }
    return;
  }
  if (auto* box = qobject_cast<QSpinBox*>(widget)) {
    int32_t min = 0;
    int32_t max = 0;
    SendMessage(window, UDM_GETRANGE32, reinterpret_cast<uintptr_t>(&min), reinterpret_cast<intptr_t>(&max));
    QSignalBlocker block(box);
    box->setRange(std::min(min, max), std::max(min, max));
    box->setValue(static_cast<int>(SendMessage(window, UDM_GETPOS32, 0, 0)));
    SyncSpinGeometry(box, window);
    return;
  }
  SyncListValue(widget, window);
}

void SyncGeometry(QWidget* widget, TWindow window) {
  if (auto* box = qobject_cast<QSpinBox*>(widget)) {
    SyncSpinGeometry(box, window);
    return;
  }
  if (SyncListGeometry(widget, window)) return;
  TRect r = GetWindowRect(window);
  widget->setGeometry(r.Left, r.Top, r.Width(), r.Height());
}

void SyncStyle(QWidget* widget, TWindow window) {
  uint32_t style = GetWindowStyle(window);
  widget->setEnabled(!(style & WS_DISABLED));
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setWordWrap((style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP);
    label->setAlignment(LabelAlignment(style));
    SetLabelText(label, window);
  }
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  }
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setReadOnly(style & ES_READONLY);
    line->setEchoMode((style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
  }
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) edit->setReadOnly(style & ES_READONLY);
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
    bar->setTextVisible(style & PBS_SHOWPERCENT);
    bar->setAlignment(Qt::AlignCenter);
  }
  if (auto* box = qobject_cast<QSpinBox*>(widget)) {
    box->setWrapping(style & UDS_WRAP);
    box->setGroupSeparatorShown(!(style & UDS_NOTHOUSANDS));
  }
}

// The layer decides what a press does to the check state; the widget shows it afterwards.
QAbstractButton* MakeButton(TWindow window, QAbstractButton* button) {
  QObject::connect(button, &QAbstractButton::clicked, button, [window, button] {
    PostMessage(window, BM_CLICK, 0, 0);
    SyncValue(button, window);
  });
  return button;
}

QWidget* CreateEdit(TWindow window, QWidget* parent) {
  if (GetWindowStyle(window) & ES_MULTILINE) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [window, edit] {
      std::string text = FromQt(edit->toPlainText(), true);
      UserAction(edit, window, kCtlUserText, 0, reinterpret_cast<intptr_t>(&text));
    });
    return edit;
  }
  auto* line = new QLineEdit(parent);
  QObject::connect(line, &QLineEdit::textEdited, line, [window, line](const QString& value) {
    std::string text = FromQt(value, false);
    UserAction(line, window, kCtlUserText, 0, reinterpret_cast<intptr_t>(&text));
  });
  // The caret and selection as the user leaves them, for EM_GETSEL.
  auto selection = [window, line] {
    if (!IsWindow(window) || IsSyncSource(line)) return;
    int caret = line->cursorPosition();
    int anchor = caret;
    if (line->hasSelectedText()) {
      int start = line->selectionStart();
      int end = line->selectionEnd();
      anchor = caret == start ? end : start;
    }
    UserAction(line, window, kCtlUserTextSel, static_cast<uintptr_t>(anchor), caret);
  };
  QObject::connect(line, &QLineEdit::cursorPositionChanged, line, selection);
  QObject::connect(line, &QLineEdit::selectionChanged, line, selection);
  return line;
}

QWidget* CreateSpin(TWindow window, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  QObject::connect(box, &QSpinBox::valueChanged, box, [window, box](int value) {
    UserAction(box, window, kCtlUserValue, static_cast<uintptr_t>(static_cast<intptr_t>(value)), 0);
  });
  return box;
}

}  // namespace

QWidget* CreateControlWidget(TQtBackend& backend, TWindow window, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (ControlKindOf(window)) {
    case TControlKind::None:
      return nullptr;
    case TControlKind::Static:
      widget = new QLabel(parent);
      break;
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
    case TControlKind::CheckBox: {
      auto* check = new QCheckBox(parent);
      uint32_t type = GetWindowStyle(window) & BS_TYPEMASK;
      check->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
      widget = MakeButton(window, check);
      break;
    }
    case TControlKind::RadioButton: {
      auto* radio = new QRadioButton(parent);
      // Groups are the layer's (WS_GROUP), not the parent widget's.
      radio->setAutoExclusive(false);
      widget = MakeButton(window, radio);
      break;
    }
    case TControlKind::Progress: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      widget = bar;
      break;
    }
    case TControlKind::Edit:
      widget = CreateEdit(window, parent);
      break;
    case TControlKind::Spin:
      widget = CreateSpin(window, parent);
      break;
    case TControlKind::ListBox:
      widget = CreateListBox(backend, window, parent);
      break;
    case TControlKind::ComboBox:
      widget = CreateComboBox(backend, window, parent);
      break;
    case TControlKind::ListView:
      widget = CreateListView(window, parent);
      break;
    case TControlKind::TabControl:
      widget = CreateTabBar(window, parent);
      break;
  }
  SetWindowOf(widget, window);
  FollowFocus(widget, window);
  widget->hide();
  SyncStyle(widget, window);
  SyncText(widget, window);
  SyncGeometry(widget, window);
  SyncValue(widget, window);
  return widget;
}

void SyncControlWidget(QWidget* widget, TWindow window, TWindowChange what) {
  switch (what) {
    case TWindowChange::Caption: SyncText(widget, window); break;
    case TWindowChange::Geometry: SyncGeometry(widget, window); break;
    case TWindowChange::Visibility:
      // A buddy covered by its spin field stays hidden.
      widget->setVisible(IsWindowVisible(window) && !widget->property("zkCovered").toBool());
      if (auto* box = qobject_cast<QSpinBox*>(widget)) SyncSpinGeometry(box, window);
      break;
    case TWindowChange::Style: SyncStyle(widget, window); break;
    case TWindowChange::Value: SyncValue(widget, window); break;
    case TWindowChange::Activate: widget->setFocus(Qt::OtherFocusReason); break;
    case TWindowChange::HorzBar:
    case TWindowChange::VertBar:
    case TWindowChange::Cursor: break;
  }
}

}  // namespace platform
