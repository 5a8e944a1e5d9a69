// Native widgets of the controls with items: list boxes (QListWidget, owner-drawn lines
// painted by the layer's parent through a QPainter canvas), combo boxes (QComboBox), list
// views (QTreeWidget with columns) and tab controls (tabs of the style in several rows over a
// framed page area).
// Items follow the layer; the user's choices go back as the layer's user actions.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTreeWidget>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtControlsDetail.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace platform::qtctl {

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::vector<std::string> Items(TWindow window, uint32_t countMessage, uint32_t textMessage) {
  std::vector<std::string> items;
  auto n = SendMessage(window, countMessage, 0, 0);
  for (intptr_t i = 0; i < n; ++i) {
    std::string text;
    SendMessage(window, textMessage, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(&text));
    items.push_back(std::move(text));
  }
  return items;
}

// Tabs of a line without tab stops show as gaps; with them, the delegate places the pieces.
QString ListText(const std::string& text, bool tabs) {
  QString t = Utf8(text);
  if (!tabs) t.replace(QLatin1Char('\t'), QStringLiteral("    "));
  return t;
}

// The layer's parent paints an owner-drawn line (or a combo box's field, index -1 for an
// empty one) with WM_DRAWITEM on the widget's painter.
void OwnerDraw(TQtBackend& backend, QPainter& painter, TWindow window, uint32_t type, int index,
               const QRect& r, uint32_t state) {
  TDrawItemStruct d;
  d.CtlType = type;
  d.CtlID = static_cast<uint32_t>(GetDlgCtrlID(window));
  d.ItemID = index;
  d.ItemState = state;
  d.Item = window;
  d.ItemRect = TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  uint32_t data = type == ODT_COMBOBOX ? CB_GETITEMDATA : LB_GETITEMDATA;
  d.ItemData = index >= 0 ? SendMessage(window, data, static_cast<uintptr_t>(index), 0) : 0;
  painter.save();
  TQtPainterCanvas canvas(backend, painter, d.ItemRect);
  d.Canvas = &canvas;
  SendMessage(GetParent(window), WM_DRAWITEM, d.CtlID, reinterpret_cast<intptr_t>(&d));
  painter.restore();
}

// Owner-drawn lines of a list box or of a combo box's list.
class TOwnerDrawDelegate final : public QStyledItemDelegate {
 public:
  TOwnerDrawDelegate(TQtBackend& backend, TWindow window, uint32_t type, QObject* parent)
      : QStyledItemDelegate(parent), Backend_(backend), Window_(window), Type_(type) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (!IsWindow(Window_)) return;
    uint32_t state = ((option.state & QStyle::State_Selected) ? ODS_SELECTED : 0) |
                     ((option.state & QStyle::State_HasFocus) ? ODS_FOCUS : 0);
    if (state & ODS_SELECTED) painter->fillRect(option.rect, option.palette.highlight());
    OwnerDraw(Backend_, *painter, Window_, Type_, index.row(), option.rect, state);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    uint32_t message = Type_ == ODT_COMBOBOX ? CB_GETITEMHEIGHT : LB_GETITEMHEIGHT;
    auto height = static_cast<int>(SendMessage(Window_, message, 0, 0));
    return QSize(option.rect.width(), std::max(height, 16));
  }

 private:
  TQtBackend& Backend_;
  TWindow Window_;
  uint32_t Type_;
};

// Lines with tabs: each piece starts at the list's next tab stop, as the layer lays them out.
class TTabStopDelegate final : public QStyledItemDelegate {
 public:
  TTabStopDelegate(TWindow window, QObject* parent) : QStyledItemDelegate(parent), Window_(window) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    QString text = plain.text;
    plain.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, view);
    std::vector<int32_t> stops(32);
    auto n = SendMessage(Window_, kCtlGetTabStops, stops.size(), reinterpret_cast<intptr_t>(stops.data()));
    stops.resize(static_cast<size_t>(std::clamp<intptr_t>(n, 0, 32)));
    QFontMetrics fm(option.font);
    int origin = option.rect.left() + 3;
    int x = origin;
    painter->save();
    painter->setPen(option.palette.color((option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
      if (i > 0) x = TCanvas::NextTabStop(x, stops, origin, std::max(fm.averageCharWidth(), 1));
      painter->drawText(QRect(x, option.rect.top(), option.rect.right() - x, option.rect.height()),
                        Qt::AlignLeft | Qt::AlignVCenter, pieces[i]);
      x += fm.horizontalAdvance(pieces[i]);
    }
    painter->restore();
  }

 private:
  TWindow Window_;
};

class TQtComboBox final : public QComboBox {
 public:
  TQtComboBox(TQtBackend& backend, TWindow window, QWidget* parent)
      : QComboBox(parent), Backend_(backend), Window_(window) {}
  void showPopup() override {
    UserAction(this, Window_, kCtlUserDropDown, 1, 0);
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (IsWindow(Window_)) UserAction(this, Window_, kCtlUserDropDown, 0, 0);
  }

 protected:
  // An owner-drawn field: the style's frame and arrow, the parent's picture inside.
  void paintEvent(QPaintEvent* event) override {
    if (!IsWindow(Window_) || !(GetWindowStyle(Window_) & CBS_OWNERDRAWFIXED) || isEditable()) {
      QComboBox::paintEvent(event);
      return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    OwnerDraw(Backend_, painter, Window_, ODT_COMBOBOX, currentIndex(), field,
              ODS_COMBOBOXEDIT | (hasFocus() ? ODS_FOCUS : 0));
  }

 private:
  TQtBackend& Backend_;
  TWindow Window_;
};

// The tabs in the rows the layer laid them out in (a tab bar of the desktop has one row
// only), drawn by the style, and the frame of the page area below them.
class TQtTabFrame final : public QWidget {
 public:
  TQtTabFrame(TWindow window, QWidget* parent) : QWidget(parent), Window_(window) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!IsWindow(Window_)) return;
    QStylePainter painter(this);
    auto count = static_cast<int>(SendMessage(Window_, TCM_GETITEMCOUNT, 0, 0));
    auto current = static_cast<int>(SendMessage(Window_, TCM_GETCURSEL, 0, 0));
    std::vector<QRect> rects;
    int bottom = 0;
    for (int i = 0; i < count; ++i) {
      TRect r{};
      SendMessage(Window_, TCM_GETITEMRECT, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(&r));
      rects.emplace_back(r.Left, r.Top, r.Width(), r.Height());
      bottom = std::max(bottom, r.Bottom);
    }
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, bottom, width(), height() - bottom);
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
    // The current tab last, so that it stands in front of its neighbours.
    for (int pass = 0; pass < 2; ++pass) {
      for (int i = 0; i < count; ++i) {
        if ((i == current) != (pass == 1)) continue;
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.rect = rects[static_cast<size_t>(i)];
        tab.shape = QTabBar::RoundedNorth;
        std::string text;
        SendMessage(Window_, TCM_GETITEM, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(&text));
        tab.text = Utf8(text);
        bool first = i == 0 || rects[static_cast<size_t>(i - 1)].top() != tab.rect.top();
        bool last = i + 1 == count || rects[static_cast<size_t>(i + 1)].top() != tab.rect.top();
        tab.position = first && last ? QStyleOptionTab::OnlyOneTab
                       : first       ? QStyleOptionTab::Beginning
                       : last        ? QStyleOptionTab::End
                                     : QStyleOptionTab::Middle;
        tab.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (i == current) {
          tab.state |= QStyle::State_Selected;
          if (hasFocus()) tab.state |= QStyle::State_HasFocus;
        }
        painter.drawControl(QStyle::CE_TabBarTab, tab);
      }
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    QPoint p = event->position().toPoint();
    auto count = static_cast<int>(SendMessage(Window_, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TRect r{};
      SendMessage(Window_, TCM_GETITEMRECT, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(&r));
      if (r.Contains({p.x(), p.y()})) {
        setFocus(Qt::MouseFocusReason);
        UserAction(this, Window_, kCtlUserSelect, static_cast<uintptr_t>(i), 0);
        update();
        return;
      }
    }
  }

 private:
  TWindow Window_;
};

void SyncListBox(QListWidget* list, TWindow window) {
  uint32_t style = GetWindowStyle(window);
  std::vector<std::string> items = Items(window, LB_GETCOUNT, LB_GETTEXT);
  bool tabs = (style & LBS_USETABSTOPS) != 0;
  QSignalBlocker block(list);
  while (list->count() > static_cast<int>(items.size())) delete list->takeItem(list->count() - 1);
  for (size_t i = 0; i < items.size(); ++i) {
    QString text = ListText(items[i], tabs);
    if (static_cast<int>(i) < list->count()) {
      if (list->item(static_cast<int>(i))->text() != text) list->item(static_cast<int>(i))->setText(text);
    } else {
      list->addItem(text);
    }
  }
  bool multiple = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
  for (int i = 0; i < list->count(); ++i) {
    bool selected = multiple ? SendMessage(window, LB_GETSEL, static_cast<uintptr_t>(i), 0) > 0
                             : SendMessage(window, LB_GETCURSEL, 0, 0) == i;
    list->item(i)->setSelected(selected);
  }
  auto current = static_cast<int>(SendMessage(window, LB_GETCURSEL, 0, 0));
  if (current >= 0 && current < list->count()) list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
}

void SyncCombo(QComboBox* combo, TWindow window) {
  std::vector<std::string> items = Items(window, CB_GETCOUNT, CB_GETLBTEXT);
  QSignalBlocker block(combo);
  while (combo->count() > static_cast<int>(items.size())) combo->removeItem(combo->count() - 1);
  for (size_t i = 0; i < items.size(); ++i) {
    QString text = Utf8(items[i]);
    if (static_cast<int>(i) < combo->count()) {
      if (combo->itemText(static_cast<int>(i)) != text) combo->setItemText(static_cast<int>(i), text);
    } else {
      combo->addItem(text);
    }
  }
  combo->setCurrentIndex(static_cast<int>(SendMessage(window, CB_GETCURSEL, 0, 0)));
  if (QLineEdit* line = combo->lineEdit()) {
    QSignalBlocker blockLine(line);
    QString text = QtText(GetWindowText(window));
    if (line->text() != text) line->setText(text);
  }
  bool dropped = SendMessage(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
  if (dropped != combo->view()->isVisible() && combo->isVisible()) {
    if (dropped) {
      combo->QComboBox::showPopup();
    } else {
      combo->QComboBox::hidePopup();
    }
  }
}

void SyncListView(QTreeWidget* tree, TWindow window) {
  QSignalBlocker block(tree);
  auto columns = static_cast<int>(SendMessage(window, LVM_GETCOLUMNCOUNT, 0, 0));
  QStringList headers;
  for (int c = 0; c < columns; ++c) {
    TLvColumn column;
    SendMessage(window, LVM_GETCOLUMN, static_cast<uintptr_t>(c), reinterpret_cast<intptr_t>(&column));
    headers << Utf8(column.Text);
    if (tree->columnCount() > c && tree->columnWidth(c) != column.Width) tree->setColumnWidth(c, column.Width);
  }
  if (tree->columnCount() != columns) tree->setColumnCount(columns);
  tree->setHeaderLabels(headers);
  for (int c = 0; c < columns; ++c) {
    TLvColumn column;
    SendMessage(window, LVM_GETCOLUMN, static_cast<uintptr_t>(c), reinterpret_cast<intptr_t>(&column));
    tree->setColumnWidth(c, column.Width);
  }
  auto rows = static_cast<int>(SendMessage(window, LVM_GETITEMCOUNT, 0, 0));
  while (tree->topLevelItemCount() > rows) delete tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
  for (int r = 0; r < rows; ++r) {
    QTreeWidgetItem* item = r < tree->topLevelItemCount() ? tree->topLevelItem(r) : new QTreeWidgetItem(tree);
    for (int c = 0; c < std::max(columns, 1); ++c) {
      TLvItem lv;
      lv.Item = r;
      lv.SubItem = c;
      SendMessage(window, LVM_GETITEM, 0, reinterpret_cast<intptr_t>(&lv));
      if (item->text(c) != Utf8(lv.Text)) item->setText(c, Utf8(lv.Text));
      if (c == 0) {
        item->setSelected((lv.State & LVIS_SELECTED) != 0);
        if (lv.State & LVIS_FOCUSED) tree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
      }
    }
  }
}

// The rows whose native selection differs from the layer's are set one by one.
void ReportSelection(QWidget* source, TWindow window, const std::vector<bool>& selected,
                     uint32_t getSel, bool listView) {
  for (size_t i = 0; i < selected.size(); ++i) {
    bool layer = listView ? (SendMessage(window, LVM_GETITEMSTATE, i, LVIS_SELECTED) != 0)
                          : SendMessage(window, getSel, i, 0) > 0;
    if (layer != selected[i]) {
      UserAction(source, window, kCtlUserSelectOne, i, selected[i] ? 1 : 0);
    }
  }
}

}  // namespace

QWidget* CreateListBox(TQtBackend& backend, TWindow window, QWidget* parent) {
  auto* list = new QListWidget(parent);
  uint32_t style = GetWindowStyle(window);
  bool multiple = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
  list->setSelectionMode((style & LBS_EXTENDEDSEL) ? QAbstractItemView::ExtendedSelection
                         : (style & LBS_MULTIPLESEL) ? QAbstractItemView::MultiSelection
                                                     : QAbstractItemView::SingleSelection);
  if (style & LBS_OWNERDRAWFIXED) {
    list->setItemDelegate(new TOwnerDrawDelegate(backend, window, ODT_LISTBOX, list));
    list->setUniformItemSizes(true);
  } else if (style & LBS_USETABSTOPS) {
    list->setItemDelegate(new TTabStopDelegate(window, list));
  }
  if (multiple) {
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list, window] {
      std::vector<bool> selected;
      for (int i = 0; i < list->count(); ++i) selected.push_back(list->item(i)->isSelected());
      ReportSelection(list, window, selected, LB_GETSEL, false);
    });
  } else {
    QObject::connect(list, &QListWidget::currentRowChanged, list, [list, window](int row) {
      UserAction(list, window, kCtlUserSelect, static_cast<uintptr_t>(static_cast<intptr_t>(row)), 0);
    });
  }
  QObject::connect(list, &QListWidget::itemActivated, list, [list, window](QListWidgetItem* item) {
    UserAction(list, window, kCtlUserActivate, static_cast<uintptr_t>(list->row(item)), 0);
  });
  return list;
}

QWidget* CreateComboBox(TQtBackend& backend, TWindow window, QWidget* parent) {
  auto* combo = new TQtComboBox(backend, window, parent);
  if (GetWindowStyle(window) & CBS_OWNERDRAWFIXED) {
    combo->setItemDelegate(new TOwnerDrawDelegate(backend, window, ODT_COMBOBOX, combo));
  }
  bool editable = (GetWindowStyle(window) & CBS_TYPEMASK) != CBS_DROPDOWNLIST;
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMaxVisibleItems(12);
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo, window](int index) {
    UserAction(combo, window, kCtlUserSelect, static_cast<uintptr_t>(static_cast<intptr_t>(index)), 0);
  });
  if (QLineEdit* line = combo->lineEdit()) {
    FollowFocus(line, window);
    QObject::connect(line, &QLineEdit::textEdited, combo, [combo, window](const QString& value) {
      std::string text = value.toStdString();
      UserAction(combo, window, kCtlUserText, 0, reinterpret_cast<intptr_t>(&text));
    });
  }
  return combo;
}

QWidget* CreateListView(TWindow window, QWidget* parent) {
  auto* tree = new QTreeWidget(parent);
  tree->setRootIsDecorated(false);
  tree->setUniformRowHeights(true);
  tree->setAllColumnsShowFocus(true);
  tree->header()->setSectionsClickable(!(GetWindowStyle(window) & LVS_NOSORTHEADER));
  tree->header()->setStretchLastSection(true);
  bool single = (GetWindowStyle(window) & LVS_SINGLESEL) != 0;
  tree->setSelectionMode(single ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged, tree, [tree, window] {
    std::vector<bool> selected;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) selected.push_back(tree->topLevelItem(i)->isSelected());
    ReportSelection(tree, window, selected, 0, true);
  });
  QObject::connect(tree, &QTreeWidget::itemActivated, tree, [tree, window](QTreeWidgetItem* item, int) {
    UserAction(tree, window, kCtlUserActivate, static_cast<uintptr_t>(tree->indexOfTopLevelItem(item)), 0);
  });
  return tree;
}

QWidget* CreateTabBar(TWindow window, QWidget* parent) { return new TQtTabFrame(window, parent); }

bool SyncListValue(QWidget* widget, TWindow window) {
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    if (!IsSyncSource(widget)) SyncListBox(list, window);
    return true;
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (QLineEdit* line = combo->lineEdit()) {
      auto limit = static_cast<int>(std::clamp<intptr_t>(SendMessage(window, EM_GETLIMITTEXT, 0, 0), 1, INT_MAX));
      if (line->maxLength() != limit) {
        QSignalBlocker block(line);
        line->setMaxLength(limit);
      }
    }
    if (!IsSyncSource(widget)) SyncCombo(combo, window);
    return true;
  }
  if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
    if (!IsSyncSource(widget)) SyncListView(tree, window);
    return true;
  }
  if (auto* frame = dynamic_cast<TQtTabFrame*>(widget)) {
    frame->update();
    return true;
  }
  return false;
}

bool SyncListGeometry(QWidget* widget, TWindow window) {
  auto* combo = qobject_cast<QComboBox*>(widget);
  if (!combo) return false;
  TRect r = GetWindowRect(window);
  combo->setGeometry(r.Left, r.Top, r.Width(), std::min(r.Height(), combo->sizeHint().height()));
  return true;
}

}  // namespace platform::qtctl
