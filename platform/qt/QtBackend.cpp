// The Qt back end: fonts and their metrics, widgets per window, waiting in Qt's loop,
// message boxes.
#include "platform/qt/QtBackend.h"

#include <QAbstractEventDispatcher>
#include <QMdiSubWindow>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSessionManager>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <errno.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "platform/charset/Charset.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtDragDrop.h"
#include "platform/qt/QtMdi.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtWindowWidget.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

// The shape of a window's class cursor; a splitter's runs across its longer side.
Qt::CursorShape ClassCursorShape(TWindow window) {
  switch (GetClassCursor(window)) {
    case TCursorKind::IBeam:
      return Qt::IBeamCursor;
    case TCursorKind::Split: {
      const TRect r = GetWindowRect(window);
      return r.Height() > r.Width() ? Qt::SplitHCursor : Qt::SplitVCursor;
    }
    default:
      return Qt::ArrowCursor;
  }
}

// The program's own name becomes its windows' class (WM_CLASS), which desktop entries and
// window managers match; the toolkit keeps pointers to these for its whole life.
int gArgc = 1;
char* gArgv[] = {program_invocation_short_name, nullptr};

bool IsKnownFixedFace(const std::string& face) {
  static const char* const kFixed[] = {"Fixedsys", "Courier New", "Courier", "MS LineDraw",
                                       "Terminal", "Lucida Console", "Consolas"};
  return std::any_of(std::begin(kFixed), std::end(kFixed),
                     [&](const char* f) { return EqualNoCaseWin(face, f); });
}

bool WantsFixed(const TLogFont& log) {
  return (log.PitchAndFamily & 0x03) == kFixedPitch || IsKnownFixedFace(log.FaceName);
}

std::string FontKey(const TLogFont& l) {
  return l.FaceName + "|" + std::to_string(l.Height) + "|" + std::to_string(l.Width) + "|" +
         std::to_string(l.Weight) + "|" + std::to_string(l.Italic) + std::to_string(l.Underline) +
         std::to_string(l.StrikeOut) + "|" + std::to_string(l.CharSet) + "|" +
         std::to_string(l.PitchAndFamily);
}

QFont MakeQFont(const TLogFont& log) {
  bool fixed = WantsFixed(log);
  QFont font(QString::fromStdString(TQtBackend::MapFaceName(log.FaceName, fixed)));
  font.setStyleHint(fixed ? QFont::Monospace : QFont::SansSerif);
  font.setFixedPitch(fixed);
  font.setHintingPreference(QFont::PreferFullHinting);
  int weight = log.Weight <= 0 ? kFontWeightNormal : std::clamp(log.Weight, 100, 900);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(log.Italic != 0);
  font.setUnderline(log.Underline != 0);
  font.setStrikeOut(log.StrikeOut != 0);
  int height = log.Height == 0 ? 16 : std::abs(log.Height);
  font.setPixelSize(std::max(height, 1));
  // A positive height asks for the cell: shrink until the line fits.
  if (log.Height > 0) {
    while (font.pixelSize() > 1 && QFontMetrics(font).height() > log.Height) {
      font.setPixelSize(font.pixelSize() - 1);
    }
  }
  return font;
}

}  // namespace

TQtBackend::TQtBackend() {
  if (!QApplication::instance()) OwnApp_ = std::make_unique<QApplication>(gArgc, gArgv);
  // The toolkit's own dialogs (files, printing, colours) speak the program's language.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator.get());
    Translator_ = std::move(translator);
  }
#ifndef QT_NO_SESSIONMANAGER
  // Logging out: the windows are asked as at a close (save prompts) when the session
  // manager lets us ask the user; otherwise the end signal's recovery copies keep the work.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, [](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    bool agreed = QueryEndSession();
    manager.release();
    if (!agreed) manager.cancel();
  });
#endif
  Blink_ = std::make_unique<QTimer>();
  QObject::connect(Blink_.get(), &QTimer::timeout, [this] {
    BlinkOn_ = !BlinkOn_;
    if (QWidget* widget = WidgetOf(Caret_.Owner)) {
      widget->update(QRect(Caret_.Pos.X, Caret_.Pos.Y, Caret_.Width, Caret_.Height));
    }
  });
  Clipboard_ = std::make_unique<TQtClipboard>();
  // The blink timer as context ends the connection with the back end.
  if (QClipboard* clipboard = QApplication::clipboard()) {
    QObject::connect(clipboard, &QClipboard::dataChanged, Blink_.get(),
                     [] { InputClipboardChanged(); });
  }
}

TQtBackend::~TQtBackend() {
  Blink_.reset();
  for (auto& [window, widget] : Widgets_) {
    if (!widget->parentWidget()) delete widget;
  }
  Controls_.clear();  // children of the widgets just deleted
  Widgets_.clear();
  if (WaitCursor_) QApplication::restoreOverrideCursor();
}

uint64_t TQtBackend::NowMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TQtBackend::WaitForEvents(int64_t timeoutMs) {
  if (timeoutMs == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  QTimer timer;
  if (timeoutMs > 0) {
    timer.setSingleShot(true);
    timer.start(static_cast<int>(std::min<int64_t>(timeoutMs, 1 << 30)));
  }
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TQtBackend::Wake() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() == app->thread()) return;
  // Posting is thread-safe and ends the wait of the user-interface thread.
  QMetaObject::invokeMethod(app, [] {}, Qt::QueuedConnection);
}

std::string TQtBackend::MapFaceName(const std::string& face, bool fixedPitch) {
  QStringList families = QFontDatabase::families();
  if (!face.empty() && !IsKnownFixedFace(face) && families.contains(QString::fromStdString(face))) {
    return face;
  }
  if (fixedPitch) {
    if (families.contains("DejaVu Sans Mono")) return "DejaVu Sans Mono";
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family().toStdString();
  }
  if (families.contains("DejaVu Sans")) return "DejaVu Sans";
  return QApplication::font().family().toStdString();
}

const QFont& TQtBackend::QtFont(const TLogFont& logFont) {
  std::string key = FontKey(logFont);
  auto it = Fonts_.find(key);
  if (it == Fonts_.end()) {
    it = Fonts_.emplace(key, std::make_unique<QFont>(MakeQFont(logFont))).first;
  }
  return *it->second;
}

TFontInfo TQtBackend::RealizeFont(const TLogFont& logFont) {
  const QFont& font = QtFont(logFont);
  QFontMetrics fm(font);
  bool fixed = WantsFixed(logFont) || QFontInfo(font).fixedPitch();
  TFontInfo info;
  info.Log = logFont;
  TTextMetric& m = info.Metrics;
  m.Height = fm.height();
  m.Ascent = fm.ascent();
  m.Descent = fm.descent();
  m.ExternalLeading = std::max(fm.leading(), 0);
  m.AveCharWidth = std::max(fixed ? fm.horizontalAdvance(QChar('x')) : fm.averageCharWidth(), 1);
  m.MaxCharWidth = std::max(fm.maxWidth(), m.AveCharWidth);
  m.PitchAndFamily = static_cast<uint8_t>((logFont.PitchAndFamily & 0xF0) |
                                          (fixed ? 0 : TMPF_FIXED_PITCH));
  m.CharSet = logFont.CharSet;
  bool oem = logFont.CharSet == kOemCharset;
  for (int32_t c = 0; c < 256; ++c) {
    char32_t u = oem ? Cp850ToUnicode(static_cast<uint8_t>(c)) : Cp1252ToUnicode(static_cast<uint8_t>(c));
    info.Widths[static_cast<size_t>(c)] =
        fixed ? m.AveCharWidth : fm.horizontalAdvance(QChar(static_cast<char16_t>(u)));
  }
  return info;
}

QWidget* TQtBackend::WidgetOf(TWindow window) const {
  auto it = Widgets_.find(window);
  if (it != Widgets_.end()) return it->second;
  auto control = Controls_.find(window);
  return control == Controls_.end() ? nullptr : control->second;
}

void TQtBackend::WindowCreated(TWindow window) {
  QWidget* parent = WidgetOf(GetParent(window));
  if (auto owner = Widgets_.find(GetParent(window)); owner != Widgets_.end()) {
    parent = owner->second->ChildHost();
  }
  if (QWidget* part = CreateFramePartWidget(*this, window, parent)) {
    Controls_[window] = part;
    return;
  }
  if (QWidget* control = CreateControlWidget(*this, window, parent)) {
    Controls_[window] = control;
    return;
  }
  bool mdiChild = IsMdiAreaWidget(parent);
  auto* widget = new TQtWindowWidget(*this, window, mdiChild ? nullptr : parent);
  Widgets_[window] = widget;
  if (mdiChild) AddMdiSubWindow(parent, widget);
  widget->setCursor(ClassCursorShape(window));
  widget->setWindowTitle(QString::fromStdString(GetWindowText(window)));
  ApplyClassIcon(widget, window);
  widget->SyncStyle();
  // A dialog of its own (not a property-sheet page) is a dialog window of the desktop.
  if (GetClassName(window) == kDialogClass) {
    // A dialog's procedure paints nothing: Qt fills the background in the dialog colour.
    widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
    widget->setAutoFillBackground(true);
    if (!parent) widget->setWindowFlag(Qt::Dialog);
  }
}

void TQtBackend::WindowDestroyed(TWindow window) {
  if (auto control = Controls_.find(window); control != Controls_.end()) {
    QWidget* widget = control->second;
    Controls_.erase(control);
    delete widget;
    return;
  }
  auto it = Widgets_.find(window);
  if (it == Widgets_.end()) return;
  TQtWindowWidget* widget = it->second;
  Widgets_.erase(it);
  // A document window goes with its sub-window.
  if (QMdiSubWindow* sub = widget->SubWindow()) {
    delete sub;
  } else {
    delete widget;
  }
}

void TQtBackend::WindowChanged(TWindow window, TWindowChange what) {
  if (auto control = Controls_.find(window); control != Controls_.end()) {
    if (SyncFramePartWidget(control->second, window, what)) return;
    SyncControlWidget(control->second, window, what);
    return;
  }
  auto it = Widgets_.find(window);
  if (it == Widgets_.end()) return;
  TQtWindowWidget* widget = it->second;
  switch (what) {
    case TWindowChange::Caption:
      widget->setWindowTitle(QString::fromStdString(GetWindowText(window)));
      break;
    case TWindowChange::Geometry:
      widget->SyncGeometry();
      // A splitter's cursor follows its orientation.
      if (GetClassCursor(window) == TCursorKind::Split) widget->setCursor(ClassCursorShape(window));
      break;
    case TWindowChange::Visibility:
      if (IsWindowVisible(window)) KeepDialogOverOwner(*this, widget, window);
      widget->setVisible(IsWindowVisible(window));
      if (QMdiSubWindow* sub = widget->SubWindow()) sub->setVisible(IsWindowVisible(window));
      break;
    case TWindowChange::Style:
      widget->SyncStyle();
      break;
    case TWindowChange::HorzBar:
      widget->SyncBar(SB_HORZ);
      break;
    case TWindowChange::VertBar:
      widget->SyncBar(SB_VERT);
      break;
    case TWindowChange::Cursor:
    case TWindowChange::Value:
      break;
    case TWindowChange::Activate:
      if (QMdiSubWindow* sub = widget->SubWindow()) {
        ActivateSubWindow(sub);
        break;
      }
      widget->raise();
      widget->activateWindow();
      break;
  }
}

void TQtBackend::Invalidated(TWindow window, const TRect& rect) {
  auto it = Widgets_.find(window);
  // Inside the widget's own paint event the area is being painted already.
  if (it == Widgets_.end() || it->second->ActivePainter()) return;
  it->second->update(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

void TQtBackend::ScrollPixels(TWindow window, int32_t dx, int32_t dy, const TRect& area) {
  if (QWidget* widget = WidgetOf(window)) {
    widget->scroll(dx, dy, QRect(area.Left, area.Top, area.Width(), area.Height()));
  }
}

void TQtBackend::RepaintNow(TWindow window) {
  if (QWidget* widget = WidgetOf(window)) widget->repaint();
}

std::unique_ptr<TCanvas> TQtBackend::CreatePaintCanvas(TWindow window, const TRect& paint) {
  auto it = Widgets_.find(window);
  if (it != Widgets_.end() && it->second->ActivePainter()) {
    return std::make_unique<TQtPainterCanvas>(*this, *it->second->ActivePainter(), paint);
  }
  return std::make_unique<TQtRepaintCanvas>(WidgetOf(window), paint);
}

std::unique_ptr<TCanvas> TQtBackend::CreateWindowCanvas(TWindow window) {
  return std::make_unique<TQtRepaintCanvas>(WidgetOf(window), GetClientRect(window));
}

void TQtBackend::CaretChanged(const TCaretState& caret) {
  auto touch = [&](const TCaretState& c) {
    if (QWidget* widget = WidgetOf(c.Owner)) {
      widget->update(QRect(c.Pos.X, c.Pos.Y, c.Width, c.Height));
    }
  };
  touch(Caret_);
  Caret_ = caret;
  touch(Caret_);
  // A caret that moves or appears shows at once; it blinks only while visible.
  BlinkOn_ = true;
  int flash = QApplication::cursorFlashTime();
  if (Caret_.Visible() && flash > 0) {
    Blink_->start(flash / 2);
  } else {
    Blink_->stop();
  }
}

void TQtBackend::FocusChanged(TWindow focus) {
  QWidget* widget = WidgetOf(focus);
  if (widget && QApplication::focusWidget() != widget) widget->setFocus(Qt::OtherFocusReason);
}

void TQtBackend::CursorChanged(TCursorKind cursor) {
  bool wait = cursor == TCursorKind::Wait;
  if (wait == WaitCursor_) return;
  WaitCursor_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TQtBackend::Beep(uint32_t) { QApplication::beep(); }

int32_t TQtBackend::MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                               uint32_t type) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: icon = QMessageBox::Critical; break;
    case MB_ICONQUESTION: icon = QMessageBox::Question; break;
    case MB_ICONEXCLAMATION: icon = QMessageBox::Warning; break;
    case MB_ICONINFORMATION: icon = QMessageBox::Information; break;
    default: break;
  }
  QMessageBox box(icon, QString::fromUtf8(caption.data(), static_cast<int>(caption.size())),
                  QtText(text),
                  QMessageBox::NoButton, WidgetOf(owner));
  TBoxButton buttons[3];
  int32_t count = MessageBoxButtons(type, buttons);
  std::vector<std::pair<QPushButton*, int32_t>> ids;
  for (int32_t i = 0; i < count; ++i) {
    QMessageBox::ButtonRole role = buttons[i].Id == IDCANCEL || buttons[i].Id == IDNO
                                       ? QMessageBox::RejectRole
                                       : QMessageBox::AcceptRole;
    QPushButton* b = box.addButton(QString::fromUtf8(buttons[i].Text), role);
    ids.emplace_back(b, buttons[i].Id);
    if (buttons[i].Id == IDCANCEL || count == 1) box.setEscapeButton(b);
  }
  box.setDefaultButton(ids.front().first);
  box.exec();
  for (auto& [button, id] : ids) {
    if (box.clickedButton() == button) return id;
  }
  return count == 1 ? IDOK : IDCANCEL;
}

TSystemClipboard* TQtBackend::SystemClipboard() { return Clipboard_.get(); }

int32_t TQtBackend::RunDrag(TWindow source, const TTransferData& data, uint32_t allowed) {
  return static_cast<int32_t>(RunQtDrag(WidgetOf(source), data, allowed));
}

}  // namespace platform
