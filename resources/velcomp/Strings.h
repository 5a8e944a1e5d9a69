// The compilers' string table: German texts addressed as section plus number.
#pragma once

#include <cstdint>
#include <string_view>

// Section bases; each section's first entry holds its name after two colons.
constexpr uint32_t vsMessageHeaders = 20;  // "::MESSAGEHEADERS"
constexpr uint32_t vsVelComp = 100;        // "::VELCOMP"

// Numbers inside the section "::VELCOMP".
constexpr uint32_t vcMissingSource = 26;  // "Fehlender Sourcecode!"
constexpr uint32_t vcLinePrefix = 1000;  // "[Zeile:%i] "
constexpr uint32_t vcStatusLine = 1001;
constexpr uint32_t vcStatusDriver = 1002;
constexpr uint32_t vcStatusConfig = 1003;
constexpr uint32_t vcNotWritten = 1004;  // a file (the message file) could not be written
constexpr uint32_t vcTransferQuestion = 1005;  // record size in kB, asks to transfer
constexpr uint32_t vcReplaceQuestion = 1006;   // copying a source over an existing one
constexpr uint32_t vcNotRead = 1007;
constexpr uint32_t vcStartFailed = 1008;  // program, reason
constexpr uint32_t vcBoxCaption = 1009;
constexpr uint32_t vcVersionBanner = 1010;  // %s: line feed and the definition's version
constexpr uint32_t vcMakerNotice = 1011;
constexpr uint32_t vcMenuCompile = 1012;
constexpr uint32_t vcMenuEdit = 1013;
constexpr uint32_t vcMessagesCaption = 1014;

// Numbers inside "::MESSAGEHEADERS": the captions of the message file.
constexpr uint32_t mhWarning = 1;
constexpr uint32_t mhNote = 2;
constexpr uint32_t mhError = 3;

// The text (UTF-8) of entry section + number; empty when there is no such entry.
std::string_view LoadVelString(uint32_t section, uint32_t number);
