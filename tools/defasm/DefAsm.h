// Assembles definition files ("ZIRE.CFG") and driver files from a readable text form.
//
// Text form, one statement per line, "//" starts a comment:
//   LABEL:                    a label (its address: load base + file offset)
//   .definition | .driverfile the kind of file (default: definition)
//   .base N                   load base                          (definition)
//   .init X  .command X       macro addresses; "none" = the load base (definition)
//   .reserved X .marker X .compiler X .driver X   the other header fields (definition)
//   .table X                  driver-table offset in the driver file (definition)
//   .mark B B ...             a marker record: length byte and bytes; @ lines use it
//   .addresstable             256 driver entries of 3 bytes here    (driver)
//   .entry N X                set driver entry N                    (driver)
//   db X, "text", ...         bytes (a string gives its bytes; \\ \" \xHH \0 escapes)
//   dw X, ...  dp X, ...      2-byte and 3-byte values
//   @ TEXT [-> X]             marker, instruction TEXT, NUL, and the 3-byte target X
// Values X: numbers (12, 0FFh, 0x1F), labels, "$" (the current address), joined by + and -.
#pragma once

#include <string>
#include <string_view>

struct TAsmResult {
  bool Ok = false;
  std::string Bytes;
  std::string Error;  // "line N: ..." when not Ok
};

TAsmResult AssembleDefinitionText(std::string_view text);
