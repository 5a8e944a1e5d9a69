// Find and replace in hex windows for the frame's find commands: text with its options, or
// bytes given in hexadecimal, searched over the mapped file.
#pragma once

struct TWindowSearchOps;

const TWindowSearchOps& HexWindowSearchOps();
// Makes the find commands use the hex operations for hex windows.
void RegisterHexWindowSearch();
