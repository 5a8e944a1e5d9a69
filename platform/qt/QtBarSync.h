// The steps the native tool bar and status bar share: made hidden at the window's place, then
// kept at its geometry and visibility, with their own Sync for styles and values.
#pragma once

#include <QWidget>

#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

namespace platform {

template <class TBar>
QWidget* CreateBarWidget(TWindow window, QWidget* parent) {
  auto* bar = new TBar(window, parent);
  TRect r = GetWindowRect(window);
  bar->setGeometry(r.Left, r.Top, r.Width(), r.Height());
  bar->hide();
  return bar;
}

// False when the widget is no TBar.
template <class TBar>
bool SyncBarWidget(QWidget* widget, TWindow window, TWindowChange what) {
  auto* bar = dynamic_cast<TBar*>(widget);
  if (!bar) return false;
  switch (what) {
    case TWindowChange::Geometry: {
      TRect r = GetWindowRect(window);
      bar->setGeometry(r.Left, r.Top, r.Width(), r.Height());
      break;
    }
    case TWindowChange::Visibility:
      bar->setVisible(IsWindowVisible(window));
      break;
    case TWindowChange::Style:
    case TWindowChange::Value:
      bar->Sync();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace platform
