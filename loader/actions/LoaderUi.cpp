// Parts of the loader's user interface that every implementation shares.
#include "loader/actions/LoaderUi.h"

#include "resources/krladwin32/Strings.h"

namespace krlad {

std::string_view BoxCaption(TBoxKind kind) {
  switch (kind) {
    case TBoxKind::Warning: return LoadResString(idsCaptionWarning);
    case TBoxKind::Question: return LoadResString(idsCaptionQuestion);
    case TBoxKind::Error: break;
  }
  return LoadResString(idsCaptionError);
}

void TLoaderUi::UserCancel() {
  if (Cancelled()) return;
  Message('E', idsErrCancelled, LoadResString(idsErrCancelled));
  SetCancel();
}

}  // namespace krlad
