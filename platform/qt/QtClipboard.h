// The desktop's clipboard through QClipboard, and the MIME form of what a clipboard or a
// drag carries (text/plain, rich text, text/uri-list, private types for registered formats).
#pragma once

#include "platform/ui/Clipboard.h"

class QMimeData;

namespace platform {

class TQtClipboard final : public TSystemClipboard {
 public:
  TTransferData Read() override;
  [[nodiscard]] bool Write(const TTransferData& data) override;
  bool Has(uint32_t format) override;
};

// Other programs get text with the desktop's line ends (LF); our own programs read the exact
// text back from a private type.
QMimeData* NewMimeData(const TTransferData& data);
// Text from other programs gets CR LF line ends, as clipboard text has here.
TTransferData TransferDataOf(const QMimeData* mime);

}  // namespace platform
