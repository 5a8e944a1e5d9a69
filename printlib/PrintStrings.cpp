// The print library's string table.
#include "printlib/PrintStrings.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TPrintString, std::string_view>, 23> kStrings{{
    {psStatusCaption, "Druckerstatus"},
    {psStatusPrinting, "Drucke:"},
    {psStatusPage, "Seite:"},
    {psStatusOf, "von"},
    {psStatusCancel, "A&bbrechen"},
    {psInitialising, "Initialisierung"},
    {psGeneratingPage, "Generiere Seite"},
    {psCancelling, "Abbrechen ..."},
    {psBeginMissing, "Begin Print Function Not Assigned!"},
    {psPageMissing, "Print Page Function Not Assigned!"},
    {psEndMissing, "End Print Function Not Assigned!"},
    {psPreviewCaption, "Z&K Quellwerk: Seitenansicht - [%s]"},
    {psPreviewPrint, "&Drucken ..."},
    {psPreviewNext, "&Nächste"},
    {psPreviewPrevious, "&Vorherige"},
    {psPreviewZoomIn, "Verg&rößern"},
    {psPreviewZoomOut, "Ver&kleinern"},
    {psPreviewTwoPages, "Zwei Sei&ten"},
    {psPreviewOnePage, "Eine Sei&te"},
    {psPreviewClose, "Sch&ließen"},
    {psPreviewPageLabel, "&Seite:"},
    {psPreviewOfTotal, "von   %s"},
    {psPrintErrorCaption, "ZKPrint"},
}};

}  // namespace

std::string_view LoadPrintString(TPrintString id) {
  for (const auto& [key, text] : kStrings) {
    if (key == id) return text;
  }
  return {};
}
