// The loader's string table: German texts addressed by section plus number.
#pragma once

#include <cstdint>
#include <string_view>

namespace krlad {

// Every section starts with an entry holding its name after two colons; a text is
// addressed as section id + n.
enum TStringSection : uint32_t {
  secMeldungen = 1,       // "::KRLADMELDUNGEN": status texts
  secMessageHeader = 20,  // "::MESSAGEHEADER": box captions
  secAktion = 100,        // "::KRLADAKTION": action texts
  secHwConfig1 = 300,     // "::HWCONFIG1": interface card texts
  secHwConfig2 = 350,     // "::HWCONFIG2"
  secHwCfgTxt = 380,      // "::HWCFGTXT"
  secErrors = 1000,       // "::KRLADERRORS": errors and questions
  secName = 1500,         // "::KRLADNAME"
};

// Texts the code refers to by name.
enum TStringId : uint32_t {
  idsBaud = 2,
  idsFlashErase = 3,
  idsTransfer = 4,
  idsConnecting = 5,
  idsPowerCycle = 6,
  idsWaitActivity = 7,
  idsTransferErrors = 8,
  idsSwitchOff = 9,
  idsCommand = 10,
  idsCaptionWarning = 21,
  idsCaptionQuestion = 22,
  idsCaptionError = 23,
  idsActConnect = 103,
  idsActMethod = 105,
  idsErrPort = 1001,
  idsErrCancelled = 1002,
  idsErrRetry = 1003,
  idsErrTooManyErrors = 1009,
  idsErrNoReply = 1011,
  idsErrFileOpen = 1012,
  idsErrParams = 1020,
  idsCaption = 1501,
};

// The UTF-8 text of a string id; empty when there is none.
std::string_view LoadResString(uint32_t id);

// Text n of a section (n = 0 is the section's own name).
inline std::string_view LoadResString(TStringSection section, uint32_t n) {
  return LoadResString(static_cast<uint32_t>(section) + n);
}

// The id of the section whose name entry reads `name` ("::KRLADERRORS"); 0 when unknown.
uint32_t FindSection(std::string_view name);

}  // namespace krlad
