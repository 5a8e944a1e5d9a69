// What the native control widgets share: the window a widget stands for, the guard that keeps
// a widget's own input from being synced back into it, and the list-like kinds' factories.
#pragma once

#include <QWidget>

#include "platform/ui/UiTypes.h"

namespace platform {

class TQtBackend;

namespace qtctl {

// The window a control widget stands for (a dynamic property of the widget).
void SetWindowOf(QWidget* widget, TWindow window);
TWindow WindowOf(const QWidget* widget);

// Sends a native user action to the control's window; while it runs, syncs to `source` are
// skipped (the widget already shows what the user did).
intptr_t UserAction(QWidget* source, TWindow window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam);
bool IsSyncSource(const QWidget* widget);
// Tells the layer when a widget (or its inner editor) takes the focus.
void FollowFocus(QWidget* widget, TWindow window);

QWidget* CreateListBox(TQtBackend& backend, TWindow window, QWidget* parent);
QWidget* CreateComboBox(TQtBackend& backend, TWindow window, QWidget* parent);
QWidget* CreateListView(TWindow window, QWidget* parent);
QWidget* CreateTabBar(TWindow window, QWidget* parent);
// Applies items, selection and the like; false when the widget is none of these kinds.
bool SyncListValue(QWidget* widget, TWindow window);
// A combo box takes its native height; the drop-down list is no part of its rectangle here.
bool SyncListGeometry(QWidget* widget, TWindow window);

}  // namespace qtctl

}  // namespace platform
