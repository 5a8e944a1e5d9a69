// Dialogs on Qt: dialog windows kept above their owners, the dialog units of the application
// font, and the common dialogs: a non-native QFileDialog with the extra parts of the request
// added to its grid (history combo box, check box, format list, read-only box), the folder
// chooser, QFontDialog and QColorDialog.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <cmath>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtControls.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// "Textdateien (*.txt)" with patterns "*.txt;*.asc" becomes "Textdateien (*.txt *.asc)".
QString QtFilter(const TFileFilter& f) {
  QString description = Utf8(f.Description);
  description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)$")));
  QStringList patterns;
  for (const std::string& p : f.Patterns) patterns << Utf8(p);
  return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// One more row of the file dialog's grid: a label and a widget under the file-type row.
void AddRow(QFileDialog& dialog, const std::string& label, QWidget* widget) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  int row = grid->rowCount();
  if (!label.empty()) {
    auto* caption = new QLabel(QtText(label), &dialog);
    caption->setBuddy(widget);
    grid->addWidget(caption, row, 0);
  }
  grid->addWidget(widget, row, 1, 1, std::max(grid->columnCount() - 1, 1));
}

}  // namespace

void KeepDialogOverOwner(TQtBackend& backend, QWidget* widget, TWindow window) {
  if (!widget->isWindow() || GetClassName(window) != kDialogClass) return;
  QWidget* owner = backend.WidgetOf(GetDialogOwner(window));
  if (!owner || owner->window() == widget->parentWidget()) return;
  // Reparenting keeps the window a dialog window and its place on the screen.
  QPoint at = widget->pos();
  widget->setParent(owner->window(), widget->windowFlags() | Qt::Dialog);
  widget->move(at);
}

TSize TQtBackend::DialogBaseUnits() {
  QFontMetrics fm(QApplication::font());
  int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return TSize{std::max((width / 26 + 1) / 2, 1), std::max(fm.height(), 1)};
}

int32_t TQtBackend::RunFileDialog(TFileDialog& d) {
  QFileDialog dialog(WidgetOf(d.Owner), Utf8(d.Title), Utf8(d.InitialDir));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(d.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (d.Save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else if (d.Flags & OFN_ALLOWMULTISELECT) {
    dialog.setFileMode(QFileDialog::ExistingFiles);
  } else {
    dialog.setFileMode((d.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(d.Flags & OFN_OVERWRITEPROMPT));
  std::vector<TFileFilter> filters;
  QStringList names;
  if (ParseFileFilter(d.Filter, filters)) {
    for (const TFileFilter& f : filters) names << QtFilter(f);
  }
  if (!names.isEmpty()) {
    dialog.setNameFilters(names);
    dialog.selectNameFilter(names[std::clamp(d.FilterIndex, 1, static_cast<int32_t>(names.size())) - 1]);
  }
  if (!d.DefExt.empty()) dialog.setDefaultSuffix(Utf8(d.DefExt));
  if (!d.FileName.empty()) dialog.selectFile(Utf8(d.FileName));

  QComboBox* history = nullptr;
  if (!d.HistoryLabel.empty()) {
    history = new QComboBox(&dialog);
    for (const std::string& dir : d.History) history->addItem(Utf8(dir));
    history->setCurrentIndex(-1);
    QObject::connect(history, &QComboBox::activated, &dialog, [&dialog, history](int index) {
      dialog.setDirectory(history->itemText(index));
    });
    AddRow(dialog, d.HistoryLabel, history);
  }
  QCheckBox* check = nullptr;
  if (!d.CheckLabel.empty()) {
    check = new QCheckBox(QtText(d.CheckLabel), &dialog);
    check->setChecked(d.Checked);
    AddRow(dialog, "", check);
  }
  QComboBox* formats = nullptr;
  if (!d.FormatLabel.empty()) {
    formats = new QComboBox(&dialog);
    for (const std::string& f : d.Formats) formats->addItem(Utf8(f));
    formats->setCurrentIndex(d.Format);
    AddRow(dialog, d.FormatLabel, formats);
  }
  QCheckBox* readOnly = nullptr;
  if (!d.Save && !(d.Flags & OFN_HIDEREADONLY)) {
    readOnly = new QCheckBox(QtText(d.ReadOnlyLabel), &dialog);
    readOnly->setChecked(d.Flags & OFN_READONLY);
    AddRow(dialog, "", readOnly);
  }

  if (dialog.exec() != QDialog::Accepted) return 0;
  d.Files.clear();
  for (const QString& file : dialog.selectedFiles()) d.Files.push_back(file.toStdString());
  qsizetype filter = names.indexOf(dialog.selectedNameFilter());
  if (filter >= 0) d.FilterIndex = static_cast<int32_t>(filter) + 1;
  if (check) d.Checked = check->isChecked();
  if (formats) d.Format = std::max(formats->currentIndex(), 0);
  if (readOnly) d.Flags = readOnly->isChecked() ? d.Flags | OFN_READONLY : d.Flags & ~OFN_READONLY;
  return 1;
}

int32_t TQtBackend::RunFolderDialog(TFolderDialog& d) {
  QFileDialog dialog(WidgetOf(d.Owner), Utf8(d.Title), Utf8(d.Path));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setFileMode(QFileDialog::Directory);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;
  d.Path = dialog.selectedFiles().front().toStdString();
  return 1;
}

int32_t TQtBackend::RunFontDialog(TFontDialog& d) {
  QFont initial = QtFont(d.Font);
  // The style list shows the face's own style names ("Book", "Regular"); without the name of
  // the style in use the dialog would preselect the first one listed, often an italic.
  initial.setStyleName(QFontInfo(initial).styleName());
  QFontDialog dialog(initial, WidgetOf(d.Owner));
  dialog.setOption(QFontDialog::DontUseNativeDialog, true);
  if (d.Flags & CF_FIXEDPITCHONLY) dialog.setOption(QFontDialog::MonospacedFonts, true);
  if (dialog.exec() != QDialog::Accepted) return 0;
  QFont font = dialog.selectedFont();
  TLogFont log = d.Font;
  log.FaceName = font.family().toStdString();
  int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                    : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
  log.Height = -std::max(pixels, 1);
  log.Width = 0;
  log.Weight = static_cast<int32_t>(font.weight());
  log.Italic = font.italic() ? 1 : 0;
  log.Underline = font.underline() ? 1 : 0;
  log.StrikeOut = font.strikeOut() ? 1 : 0;
  bool fixed = QFontInfo(font).fixedPitch() || QFontDatabase::isFixedPitch(font.family());
  log.PitchAndFamily = fixed ? static_cast<uint8_t>(kFixedPitch | kFamilyModern) : 0;
  d.Font = log;
  return 1;
}

int32_t TQtBackend::RunColorDialog(TColorDialog& d) {
  for (int i = 0; i < 16; ++i) {
    TColorRef c = d.CustomColors[static_cast<size_t>(i)];
    QColorDialog::setCustomColor(i, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  }
  QColor initial(d.Color & 0xFF, (d.Color >> 8) & 0xFF, (d.Color >> 16) & 0xFF);
  QColor chosen = QColorDialog::getColor(initial, WidgetOf(d.Owner), QString(),
                                         QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return 0;
  d.Color = MakeRgb(static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                    static_cast<uint8_t>(chosen.blue()));
  for (int i = 0; i < 16; ++i) {
    QColor c = QColorDialog::customColor(i);
    d.CustomColors[static_cast<size_t>(i)] = MakeRgb(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                                                     static_cast<uint8_t>(c.blue()));
  }
  return 1;
}

}  // namespace platform
