// Native menu bars and popups built from the layer's menus and kept in step with them.
#include "platform/qt/QtMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QTimer>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtWindowWidget.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MenuState.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

// Alt pressed and released alone moves into the menu bar, as on the system the editor comes
// from, whatever the desktop style says.
class TAltNavigationStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

constexpr const char* kMenuProperty = "zkMenu";
constexpr const char* kShapeProperty = "zkShape";
constexpr const char* kOwnerProperty = "zkOwner";
constexpr const char* kPostProperty = "zkPost";

TMenu MenuOf(const QObject* target) { return target->property(kMenuProperty).toUInt(); }
TWindow OwnerOf(const QObject* target) { return target->property(kOwnerProperty).toUInt(); }

// What decides whether a level must be rebuilt: kinds, commands and popups in order.
QString ShapeOf(TMenu menu) {
  QString shape;
  for (int32_t i = 0; i < GetMenuItemCount(menu); ++i) {
    uint32_t state = GetMenuState(menu, static_cast<uint32_t>(i), MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      shape += "S;";
    } else if (TMenu popup = GetSubMenu(menu, i)) {
      shape += QStringLiteral("P%1;").arg(popup);
    } else {
      shape += QStringLiteral("I%1;").arg(GetMenuItemID(menu, i));
    }
  }
  return shape;
}

TWindow SysTargetOf(TMenu menu) {
  ui_detail::TMenuObject* m = ui_detail::LookupMenu(menu);
  return m ? m->SysTarget : 0;
}

// The position of a popup in the menu that holds it: the index of its action there.
int32_t PositionOf(QMenu* popup) {
  QObject* parent = popup->parent();
  auto* holder = qobject_cast<QWidget*>(parent);
  if (!holder) return 0;
  return static_cast<int32_t>(holder->actions().indexOf(popup->menuAction()));
}

void Build(QWidget* target, TMenu menu, TWindow owner, bool post);

void OnAboutToShow(QMenu* popup) {
  TWindow owner = OwnerOf(popup);
  TMenu menu = MenuOf(popup);
  if (!IsWindow(owner) || !IsMenu(menu)) return;
  if (qobject_cast<QMenuBar*>(popup->parent())) {
    SendMessage(owner, WM_INITMENU, GetMenu(owner), 0);
  }
  SendMessage(owner, WM_INITMENUPOPUP, menu, MakeLParam(PositionOf(popup), SysTargetOf(menu) ? 1 : 0));
  if (IsMenu(menu)) SyncNativeMenu(popup, menu, owner);
}

void OnHovered(QMenu* popup, QAction* action) {
  TWindow owner = OwnerOf(popup);
  TMenu menu = MenuOf(popup);
  int32_t position = static_cast<int32_t>(popup->actions().indexOf(action));
  uint32_t state = GetMenuState(menu, static_cast<uint32_t>(position), MF_BYPOSITION);
  if (!IsWindow(owner) || state == kNoMenuItem) return;
  uint32_t id = (state & MF_POPUP) ? static_cast<uint32_t>(position)
                                   : GetMenuItemID(menu, position);
  SendMessage(owner, WM_MENUSELECT, MakeWParam(id, state & 0xFFFF), static_cast<intptr_t>(menu));
}

QMenu* NewPopup(QWidget* holder, TMenu popup, TWindow owner, bool post) {
  auto* sub = new QMenu(holder);
  sub->setProperty(kMenuProperty, popup);
  sub->setProperty(kOwnerProperty, owner);
  sub->setProperty(kPostProperty, post);
  QObject::connect(sub, &QMenu::aboutToShow, sub, [sub] { OnAboutToShow(sub); });
  QObject::connect(sub, &QMenu::hovered, sub, [sub](QAction* a) { OnHovered(sub, a); });
  if (qobject_cast<QMenuBar*>(holder)) {
    QObject::connect(sub, &QMenu::aboutToHide, sub, [sub] {
      TWindow w = OwnerOf(sub);
      if (IsWindow(w)) SendMessage(w, WM_MENUSELECT, MakeWParam(0, kMenuClosedFlags), 0);
    });
  }
  Build(sub, popup, owner, post);
  return sub;
}

void Update(QAction* action, TMenu menu, int32_t position) {
  uint32_t state = GetMenuState(menu, static_cast<uint32_t>(position), MF_BYPOSITION);
  QString text = QString::fromStdString(GetMenuString(menu, static_cast<uint32_t>(position),
                                                     MF_BYPOSITION));
  if (action->text() != text) action->setText(text);
  bool enabled = !(state & (MF_GRAYED | MF_DISABLED));
  if (action->isEnabled() != enabled) action->setEnabled(enabled);
  if (!(state & MF_POPUP)) {
    bool checked = state & MF_CHECKED;
    if (action->isCheckable() != checked) action->setCheckable(checked);
    if (action->isChecked() != checked) action->setChecked(checked);
  }
}

void Build(QWidget* target, TMenu menu, TWindow owner, bool post) {
  for (QMenu* old : target->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) old->deleteLater();
  for (QAction* a : target->actions()) {
    target->removeAction(a);
    if (a->parent() == target) a->deleteLater();
  }
  target->setProperty(kMenuProperty, menu);
  target->setProperty(kOwnerProperty, owner);
  target->setProperty(kShapeProperty, ShapeOf(menu));
  TWindow sysTarget = SysTargetOf(menu);
  for (int32_t i = 0; i < GetMenuItemCount(menu); ++i) {
    uint32_t state = GetMenuState(menu, static_cast<uint32_t>(i), MF_BYPOSITION);
    QAction* action = nullptr;
    if (state & MF_SEPARATOR) {
      action = new QAction(target);
      action->setSeparator(true);
      target->addAction(action);
      continue;
    }
    if (TMenu popup = GetSubMenu(menu, i)) {
      QMenu* sub = NewPopup(target, popup, owner, post);
      action = sub->menuAction();
      target->addAction(action);
    } else {
      action = new QAction(target);
      uint32_t id = GetMenuItemID(menu, i);
      action->setData(id);
      if (post) {
        QObject::connect(action, &QAction::triggered, action, [owner, id, sysTarget] {
          if (sysTarget) {
            PostMessage(sysTarget, WM_SYSCOMMAND, id, 0);
          } else {
            PostMessage(owner, WM_COMMAND, id & 0xFFFF, 0);
          }
        });
      }
      target->addAction(action);
    }
    Update(action, menu, i);
  }
}

}  // namespace

void SyncNativeMenu(QWidget* target, TMenu menu, TWindow owner) {
  bool post = target->property(kPostProperty).isValid() ? target->property(kPostProperty).toBool()
                                                       : true;
  if (MenuOf(target) != menu || OwnerOf(target) != owner ||
      target->property(kShapeProperty).toString() != ShapeOf(menu)) {
    Build(target, menu, owner, post);
    return;
  }
  QList<QAction*> actions = target->actions();
  for (int32_t i = 0; i < GetMenuItemCount(menu) && i < actions.size(); ++i) {
    QAction* action = actions[i];
    if (action->isSeparator()) continue;
    Update(action, menu, i);
    if (QMenu* sub = action->menu()) SyncNativeMenu(sub, GetSubMenu(menu, i), owner);
  }
}

uint32_t ExecNativePopup(TMenu popup, TWindow owner, TPoint screen) {
  QMenu menu;
  menu.setProperty(kPostProperty, false);
  Build(&menu, popup, owner, false);
  QObject::connect(&menu, &QMenu::hovered, &menu, [&menu](QAction* a) { OnHovered(&menu, a); });
  QAction* chosen = menu.exec(QPoint(screen.X, screen.Y));
  return chosen && !chosen->menu() ? chosen->data().toUInt() : 0;
}

void TQtBackend::MenuChanged(TWindow) {
  if (MenusDirty_) return;
  MenusDirty_ = true;
  QTimer::singleShot(0, Blink_.get(), [this] { SyncMenus(); });
}

void TQtBackend::SyncMenus() {
  MenusDirty_ = false;
  for (auto& [window, widget] : Widgets_) {
    TMenu menu = GetMenu(window);
    if (!menu) {
      if (widget->MenuBar() && !widget->MenuBar()->isHidden()) {
        widget->MenuBar()->hide();
        widget->MenuBarChanged();
      }
      continue;
    }
    const bool added = !widget->MenuBar();
    if (added) {
      // Styled before it joins the window, so that it watches the window's keys for Alt.
      auto* bar = new QMenuBar;
      auto* style = new TAltNavigationStyle;
      style->setParent(bar);
      bar->setStyle(style);
      bar->setParent(widget);
      widget->SetMenuBar(bar);
    }
    if (widget->MenuBar()->isHidden()) widget->MenuBar()->show();
    SyncNativeMenu(widget->MenuBar(), menu, window);
    widget->MenuBarChanged(added);
  }
}

int64_t TQtBackend::TrackPopup(TWindow owner, uint32_t popup, TPoint screen) {
  return ExecNativePopup(popup, owner, screen);
}

}  // namespace platform
