// QClipboard and QMimeData on one side, the layer's transfer data on the other.
#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "platform/charset/Charset.h"

namespace platform {

namespace {

constexpr const char* kExactText = "application/x-zkedit-text";
constexpr const char* kFormatPrefix = "application/x-zkedit-format.";
constexpr const char* kRtfTypes[] = {"text/rtf", "application/rtf", "text/richtext"};

std::string RtfKey() { return UpperCaseWin(kRichTextFormatName); }

// Format names may hold any byte; a MIME type may not.
QString FormatType(const std::string& key) {
  QString type = kFormatPrefix;
  for (unsigned char c : key) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-') {
      type += QChar(c);
    } else {
      type += QString("%%1").arg(c, 2, 16, QChar('0'));
    }
  }
  return type;
}

std::string FormatKey(const QString& type) {
  QByteArray encoded = type.mid(static_cast<qsizetype>(strlen(kFormatPrefix))).toLatin1();
  return QByteArray::fromPercentEncoding(encoded).toStdString();
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string WithoutCr(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

QMimeData* NewMimeData(const TTransferData& data) {
  auto* mime = new QMimeData;
  if (data.Text) {
    mime->setText(QString::fromStdString(WithoutCr(*data.Text)));
    mime->setData(kExactText, QByteArray::fromStdString(*data.Text));
  }
  for (const auto& [key, bytes] : data.Formats) {
    QByteArray raw = QByteArray::fromStdString(bytes);
    if (key == RtfKey()) {
      for (const char* type : kRtfTypes) mime->setData(type, raw);
    } else {
      mime->setData(FormatType(key), raw);
    }
  }
  if (!data.Files.empty()) {
    QList<QUrl> urls;
    for (const std::string& path : data.Files) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
    mime->setUrls(urls);
  }
  return mime;
}

TTransferData TransferDataOf(const QMimeData* mime) {
  TTransferData data;
  if (!mime) return data;
  if (mime->hasFormat(kExactText)) {
    data.Text = mime->data(kExactText).toStdString();
  } else if (mime->hasText()) {
    data.Text = WithCrLf(mime->text().toStdString());
  }
  for (const QString& type : mime->formats()) {
    if (type.startsWith(kFormatPrefix)) data.Formats[FormatKey(type)] = mime->data(type).toStdString();
  }
  for (const char* type : kRtfTypes) {
    if (mime->hasFormat(type)) {
      data.Formats[RtfKey()] = mime->data(type).toStdString();
      break;
    }
  }
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) data.Files.push_back(url.toLocalFile().toStdString());
  }
  return data;
}

TTransferData TQtClipboard::Read() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard ? TransferDataOf(clipboard->mimeData()) : TTransferData();
}

bool TQtClipboard::Has(uint32_t format) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  if (!mime) return false;
  if (format == CF_TEXT || format == CF_OEMTEXT) return mime->hasText() || mime->hasFormat(kExactText);
  if (format == CF_HDROP) {
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
  }
  std::string name = GetClipboardFormatName(format);
  if (name.empty()) return false;
  std::string key = UpperCaseWin(name);
  if (key == RtfKey()) {
    for (const char* type : kRtfTypes) {
      if (mime->hasFormat(type)) return true;
    }
    return false;
  }
  return mime->hasFormat(FormatType(key));
}

bool TQtClipboard::Write(const TTransferData& data) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  if (data.Empty()) {
    clipboard->clear();
  } else {
    clipboard->setMimeData(NewMimeData(data));
  }
  return true;
}

}  // namespace platform
