// Registration of the document window classes.
#include "editor/text/ChildClasses.h"

#include "platform/ui/Window.h"

using namespace platform;

const TChildClassInfo* ChildClassInfo(uint8_t kind) {
  for (const TChildClassInfo& info : kChildClasses) {
    if (info.Kind == kind) return &info;
  }
  return nullptr;
}

bool RegisterChildClass(uint8_t kind, TWindowProc classProc, const TImageStrip* icon) {
  const TChildClassInfo* info = ChildClassInfo(kind);
  if (!info || !classProc) return false;
  TWindowClass cls;
  cls.Name = info->Name;
  cls.Proc = classProc;
  cls.Style = info->Style;
  cls.ExtraValues = 1;  // the object
  cls.Cursor = info->Cursor;
  cls.Background = kWindowColorBrush;
  cls.Icon = icon;
  return RegisterWindowClass(cls);
}
