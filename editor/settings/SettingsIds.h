// Control ids of the settings pages and of the file-list, file-group, application and
// help-file dialogs.
#pragma once

#include <cstdint>

enum TGeneralIds : int32_t {
  idStatusBar = 1101, idToolBar, idToolBarFlat, idToolTips, idCustomizeToolBar,
  idOpenLast, idOpenAll, idOpenNew, idOpenNone,
  idOpenZoomed, idGotoLastPos, idDosMode,
  idRestoreDir, idChangeDir, idMultipleInstances,
};

enum TSafetyIds : int32_t {
  idBackup = 1201, idProtect,
  idNonTextHex, idNonTextBlanks, idNonTextAsk,
  idEolCrLf, idEolLf, idEolCr, idEolAll,
};

enum TTextEditorIds : int32_t {
  idTabWidth = 1301, idTabToSpaces, idAutoIndent, idCursorBeyondEnd, idReplaceSelection,
  idTrimOnSave, idWordWrap, idWrapAtColumn, idWrapColumn, idWrapAtWindow, idDragDrop,
};

enum TColorsIds : int32_t {
  idColorKind = 1401, idSample, idChangeFont, idSystemColors,
  idAreaText, idAreaHighlight, idAreaBack, idColorList, idOtherColor,
};

enum TFiltersIds : int32_t {
  idFilterList = 1501, idFilterUp, idFilterDown, idFilterName, idFilterPatterns, idFilterAdd,
  idFilterDelete,
};

enum TPageSetupIds : int32_t {
  idHeader = 1601, idFooter, idMarginLeft, idMarginRight, idMarginTop, idMarginBottom,
  idPrintLineNumbers, idBreakLines, idUseScreenFont, idUseFileDate,
};

enum TMultiReplaceIds : int32_t {
  idGroupList = 1701, idGroupName, idGroupNew, idGroupDelete, idGroupCase, idGroupWords,
  idGroupRegEx, idPairList, idPairSearch, idPairReplace, idPairNew, idPairDelete,
};

enum TApplicationsIds : int32_t {
  idAppList = 1801, idAppUp, idAppDown, idAppMenuEntry, idAppProgram, idAppArguments,
  idAppDirectory, idAppAsk, idAppAdd, idAppDelete, idAppBrowse,
};

enum TSyntaxIds : int32_t {
  idSyntaxList = 1901, idSyntaxExt, idSyntaxAdd, idSyntaxDelete, idLineComment, idBlockBegin,
  idBlockEnd, idStringChar, idSyntaxOff, idKeyCase, idKeyWords,
};

// "Zuletzt geöffnete Dateien" / "Häufig bearbeitete Dateien".
enum TFileListIds : int32_t {
  idFileList = 2101, idFileAddCurrent, idFileDelete, idFileOpen, idFileGotoPos,
};

// File groups.
enum TFileGroupIds : int32_t {
  idGroupNames = 2201, idGroupEditName, idGroupFiles, idGroupSetup, idGroupAddNew,
  idGroupRemove, idGroupAddFiles, idGroupAddOpen, idGroupRemoveFile,
};

// "Programm ausführen".
enum TRunProgramIds : int32_t { idRunProgram = 2301, idRunArguments };

// "Zusätzliche Hilfedatei".
enum THelpFileIds : int32_t { idHelpFiles = 2401, idHelpNew, idHelpDelete };
