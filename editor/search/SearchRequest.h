// The find/replace request that the frame keeps and the windows run, and the smaller
// request a window hands to the search engine for one line or buffer.
#pragma once

#include <cstdint>

inline constexpr int32_t kSearchTextMax = 80;  // characters, without the terminator

// One request exists at a time; the frame owns it.
struct TSearchRequest {
  char SearchText[kSearchTextMax + 1] = {};  // in hex-input mode the hexadecimal text
  char ReplaceText[kSearchTextMax + 1] = {};
  bool CaseSensitive = false;
  bool WholeWords = false;
  bool RegularExpression = false;
  bool FromCursor = false;
  bool SelectionOnly = false;
  bool Backward = false;
  bool Confirm = false;
  bool HexInput = false;
  bool AllDocuments = false;
  // Set on a new request: the window takes over text and flags and finds its start.
  bool FirstSearch = false;
  // The selection for SelectionOnly, filled by the window at the first search.
  int32_t BlockStartLine = 0;
  int32_t BlockStartColumn = 0;
  int32_t BlockEndLine = 0;
  int32_t BlockEndColumn = 0;
  uint8_t HexReplace[kSearchTextMax] = {};
  int32_t HexReplaceLength = 0;
  // A continued search runs once in the opposite direction.
  bool ReverseOnce = false;
};

// What the engine needs for one line or buffer. With a regular expression the search
// always runs forward.
struct TEngineRequest {
  char SearchText[kSearchTextMax + 1] = {};
  bool CaseSensitive = false;
  bool WholeWords = false;
  bool RegularExpression = false;
  bool Backward = false;
};

// A hit: offset in the line or buffer and length (0 for an empty regular-expression match).
struct TSearchMatch {
  int32_t Offset = 0;
  int32_t Length = 0;
};

// Copies text and flags of a search request into an engine request.
TEngineRequest MakeEngineRequest(const TSearchRequest& request);
