// Message boxes of the editor.
#include "editor/frame/ShowMessage.h"

#include "platform/ui/MessageBox.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

std::string MessageCaption(uint32_t captionId) {
  std::string caption(LoadResString(0));
  caption += ": ";
  caption += LoadResString(captionId);
  return caption;
}

int32_t ShowMessage(TWindow owner, std::string_view text, uint32_t captionId, int32_t icon,
                    int32_t buttons) {
  static constexpr uint32_t kIcons[] = {0, MB_ICONINFORMATION, MB_ICONEXCLAMATION, MB_ICONSTOP,
                                        MB_ICONQUESTION};
  static constexpr uint32_t kButtons[] = {MB_OK, MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL};
  uint32_t type = (icon >= 1 && icon <= 4 ? kIcons[icon] : 0) |
                  (buttons >= 1 && buttons <= 4 ? kButtons[buttons] : MB_OK);
  return MessageBox(owner, text, MessageCaption(captionId), type);
}

void ShowInfo(TWindow owner, std::string_view text, uint32_t captionId, int32_t icon) {
  (void)ShowMessage(owner, text, captionId, icon, 1);
}

bool AskYesNo(TWindow owner, std::string_view text, uint32_t captionId) {
  return ShowMessage(owner, text, captionId, 4, 3) == IDYES;
}

int32_t AskYesNoCancel(TWindow owner, std::string_view text, uint32_t captionId) {
  int32_t answer = ShowMessage(owner, text, captionId, 4, 4);
  return answer == IDYES ? 1 : answer == IDNO ? 0 : -1;
}

std::string FormatFileText(uint32_t formatId, std::string_view name) {
  std::string text(LoadResString(formatId));
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

std::string BreakLongName(std::string_view name) {
  return name.size() > 40 ? "\n" + std::string(name) : std::string(name);
}
