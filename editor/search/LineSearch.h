// The line-by-line search driver over a document, with its memory of the last match, and
// the start position and block bounds of a window's first search.
#pragma once

#include <cstdint>
#include <functional>

#include "editor/search/RegExp.h"
#include "editor/search/SearchRequest.h"
#include "editor/text/TextLines.h"
#include "editor/text/TextTypes.h"

// Lets one pending window message run; the window layer provides it.
using TPumpOneMessage = std::function<void()>;

struct TSearchHit {
  int32_t Line = 0;
  int32_t Column = 0;
  int32_t Length = 0;
  friend bool operator==(const TSearchHit&, const TSearchHit&) = default;
};

// The selection a selection-only search keeps to. A stream block runs from the start to
// the (exclusive) end position; a column block covers the columns between its two
// corners on each of its lines.
struct TSearchBlock {
  TTextRange Range;
  bool ColumnBlock = false;
};

class TLineSearch {
 public:
  // The next hit from `start`: forward, or backward when the request says so (never with a
  // regular expression, which `regExp` must hold compiled). A backward search takes the
  // start as the place of the hit's last character. Any failure forgets the last match.
  [[nodiscard]] bool Find(const TTextLines& lines, const TEngineRequest& request, TTextPos start,
                          TSearchHit* hit, const TRegExp& regExp = ProgramRegExp());

  // The same, counting only hits inside the block: a hit on a block line but outside the
  // block's columns is passed over, any other hit outside it ends the search.
  [[nodiscard]] bool FindInBlock(const TTextLines& lines, const TEngineRequest& request,
                                 const TSearchBlock& block, TTextPos start, TSearchHit* hit,
                                 const TRegExp& regExp = ProgramRegExp());

  void Forget() { HasLast_ = false; }
  bool HasLastMatch() const { return HasLast_; }
  const TSearchHit& LastMatch() const { return Last_; }

  // Set by the frame while a long operation wants the user interface to stay alive:
  // called between lines.
  TPumpOneMessage PumpOneMessage;

 private:
  bool Forward(const TTextLines& lines, const TEngineRequest& request, TTextPos start,
               TSearchHit* hit, const TRegExp& regExp);
  bool Backward(const TTextLines& lines, const TEngineRequest& request, TTextPos start,
                TSearchHit* hit, const TRegExp& regExp);
  bool Found(const TSearchHit& hit, TSearchHit* out);
  bool NotFound();
  void BetweenLines() const {
    if (PumpOneMessage) PumpOneMessage();
  }

  bool HasLast_ = false;
  TSearchHit Last_;
};

// The driver the interactive searches share; its memory lives across commands.
TLineSearch& ProgramLineSearch();

// Where a window's first search starts. With selection only the window must have a
// selection (false otherwise) and the search starts at its start (forward) or end
// (backward); else at the cursor with from-cursor, or at the start of the text (forward)
// or the last character of the last line (backward). `selection` is null without one.
[[nodiscard]] bool FirstSearchStart(const TTextLines& lines, const TSearchRequest& request,
                                    TTextPos cursor, const TTextRange* selection, TTextPos* start);
