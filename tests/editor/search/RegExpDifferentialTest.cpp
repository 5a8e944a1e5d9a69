// Compares the matcher with a reference written here from the definition of the dialect:
// the leftmost start where the items can match, and there the repetition counts chosen
// greedily from left to right (each as large as lets the rest match). The reference
// decides with a table of "the items from i on match at position p" instead of
// backtracking, and works on the items as generated, not on the pattern text.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "editor/search/RegExp.h"

namespace {

enum class TKind { Literal, Any, Class, NotClass, Letter, Digit, Alnum, Blank, LineStart, LineEnd };
enum class TRep { Once, Star, Plus };

struct TMember {
  uint8_t Low, High;  // Low == High for a single member
};

struct TItem {
  TKind Kind = TKind::Literal;
  uint8_t Char = 0;
  std::vector<TMember> Members;
  TRep Rep = TRep::Once;
};

uint8_t Fold(uint8_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 32);
  if (c == 0x81) return 0x9A;
  if (c == 0x84) return 0x8E;
  if (c == 0x94) return 0x99;
  return c;
}

bool Letter(uint8_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  for (uint8_t u : {0xC4, 0xD6, 0xDC, 0xDF, 0xE4, 0xF6, 0xFC, 0x81, 0x84, 0x8E, 0x94, 0x99, 0x9A, 0xE1})
    if (c == u) return true;
  return false;
}

bool Digit(uint8_t c) { return c >= '0' && c <= '9'; }

struct TReference {
  std::vector<TItem> Items;
  bool CaseInsensitive = false;
  std::string Text;

  uint8_t F(uint8_t c) const { return CaseInsensitive ? Fold(c) : c; }

  bool ItemHolds(const TItem& item, size_t p) const {
    const uint8_t raw = static_cast<uint8_t>(Text[p]);
    switch (item.Kind) {
      case TKind::Literal:
        return F(raw) == F(item.Char);
      case TKind::Any:
        return true;
      case TKind::Class:
      case TKind::NotClass: {
        bool in = false;
        for (const TMember& m : item.Members) in = in || (F(m.Low) <= F(raw) && F(raw) <= F(m.High));
        return in == (item.Kind == TKind::Class);
      }
      case TKind::Letter:
        return Letter(raw);
      case TKind::Digit:
        return Digit(raw);
      case TKind::Alnum:
        return Letter(raw) || Digit(raw);
      case TKind::Blank:
        return raw == ' ' || raw == '\t';
      default:
        return false;
    }
  }

  bool LineStartAt(size_t p) const {
    return p == 0 || Text[p - 1] == '\0' || (p >= 2 && Text[p - 2] == '\r' && Text[p - 1] == '\n');
  }
  bool LineEndAt(size_t p) const {
    return p == Text.size() || Text[p] == '\0' ||
           (Text[p] == '\r' && p + 1 < Text.size() && Text[p + 1] == '\n');
  }

  // Run of consecutive places from p where the item holds.
  size_t Run(const TItem& item, size_t p) const {
    size_t n = 0;
    while (p + n < Text.size() && ItemHolds(item, p + n)) ++n;
    return n;
  }

  // can[i][p]: items i.. match from p.
  std::vector<std::vector<bool>> Table() const {
    const size_t n = Items.size(), len = Text.size();
    std::vector<std::vector<bool>> can(n + 1, std::vector<bool>(len + 1, false));
    can[n].assign(len + 1, true);
    for (size_t i = n; i-- > 0;) {
      const TItem& item = Items[i];
      for (size_t p = 0; p <= len; ++p) {
        if (item.Kind == TKind::LineStart) {
          can[i][p] = LineStartAt(p) && can[i + 1][p];
        } else if (item.Kind == TKind::LineEnd) {
          can[i][p] = LineEndAt(p) && can[i + 1][p];
        } else if (item.Rep == TRep::Once) {
          can[i][p] = p < len && ItemHolds(item, p) && can[i + 1][p + 1];
        } else {
          const size_t least = item.Rep == TRep::Plus ? 1 : 0;
          const size_t run = Run(item, p);
          for (size_t k = least; k <= run && !can[i][p]; ++k) can[i][p] = can[i + 1][p + k];
        }
      }
    }
    return can;
  }

  bool Find(size_t start, int32_t* offset, int32_t* length) const {
    const auto can = Table();
    for (size_t p = start; p <= Text.size(); ++p) {
      if (!can[0][p]) continue;
      size_t q = p;
      for (size_t i = 0; i < Items.size(); ++i) {
        const TItem& item = Items[i];
        if (item.Kind == TKind::LineStart || item.Kind == TKind::LineEnd) continue;
        if (item.Rep == TRep::Once) {
          ++q;
          continue;
        }
        size_t k = Run(item, q);
        while (!can[i + 1][q + k]) --k;  // the table says some k works
        q += k;
      }
      *offset = static_cast<int32_t>(p);
      *length = static_cast<int32_t>(q - p);
      return true;
    }
    return false;
  }
};

const std::string kTextAlphabet = std::string("abAB1 -\r\n\x84\x8E\x94\x99\xE4", 14) + std::string(1, '\0');
const std::string kLiterals = std::string("abAB1 -\r\n\x84\x8E\x94\xC4.*[", 16);

std::string Escaped(uint8_t c) {
  const std::string special = "*+-?.^$:[\\";
  return special.find(static_cast<char>(c)) != std::string::npos ? "\\" + std::string(1, c)
                                                                  : std::string(1, c);
}

// A random item list and its pattern text.
std::string Generate(std::mt19937& rng, std::vector<TItem>* items) {
  auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  std::string pattern;
  const size_t count = 1 + pick(5);
  for (size_t i = 0; i < count; ++i) {
    TItem item;
    switch (pick(12)) {
      case 0:
        item.Kind = TKind::Any;
        pattern += pick(2) ? "." : "?";
        break;
      case 1:
      case 2: {
        item.Kind = pick(3) ? TKind::Class : TKind::NotClass;
        pattern += item.Kind == TKind::Class ? "[" : "[^";
        const size_t members = 1 + pick(3);
        for (size_t m = 0; m < members; ++m) {
          if (pick(3) == 0) {
            const std::string bounds = "aAbB1";
            uint8_t lo = static_cast<uint8_t>(bounds[pick(bounds.size())]);
            uint8_t hi = static_cast<uint8_t>(bounds[pick(bounds.size())]);
            item.Members.push_back({lo, hi});
            pattern += std::string(1, static_cast<char>(lo)) + "-" + std::string(1, static_cast<char>(hi));
          } else {
            const uint8_t c = static_cast<uint8_t>(kLiterals[pick(kLiterals.size())]);
            item.Members.push_back({c, c});
            pattern += "\\" + std::string(1, static_cast<char>(c));
          }
        }
        pattern += "]";
        break;
      }
      case 3:
        item.Kind = TKind::Letter;
        pattern += pick(2) ? ":a" : ":A";
        break;
      case 4:
        item.Kind = pick(2) ? TKind::Digit : TKind::Blank;
        pattern += item.Kind == TKind::Digit ? ":d" : ": ";
        break;
      case 5:
        item.Kind = TKind::Alnum;
        pattern += ":n";
        break;
      case 6:
        item.Kind = pick(2) ? TKind::LineStart : TKind::LineEnd;
        pattern += item.Kind == TKind::LineStart ? "^" : "$";
        break;
      default: {
        item.Kind = TKind::Literal;
        item.Char = static_cast<uint8_t>(kLiterals[pick(kLiterals.size())]);
        pattern += Escaped(item.Char);
        break;
      }
    }
    if (item.Kind != TKind::LineStart && item.Kind != TKind::LineEnd) {
      const size_t r = pick(10);
      if (r < 3) {
        item.Rep = TRep::Star;
        pattern += "*";
      } else if (r < 5) {
        item.Rep = TRep::Plus;
        pattern += "+";
      }
    }
    items->push_back(item);
  }
  return pattern;
}

TEST(RegExpDifferentialTest, AgreesWithTheReference) {
  std::mt19937 rng(20261207);
  TRegExp rx;
  int matches = 0;
  const int kCases = 30000;
  for (int n = 0; n < kCases; ++n) {
    TReference ref;
    const std::string pattern = Generate(rng, &ref.Items);
    ref.CaseInsensitive = rng() % 3 == 0;
    const size_t length = rng() % 13;
    for (size_t i = 0; i < length; ++i) ref.Text += kTextAlphabet[rng() % kTextAlphabet.size()];
    const size_t start = rng() % (length + 1);

    ASSERT_EQ(rx.Compile(pattern, ref.CaseInsensitive), reOk) << pattern;
    int32_t offset = -1, len = -1;
    const bool expected = ref.Find(start, &offset, &len);
    TRegExpMatch m;
    const bool found =
        rx.FindForward(ref.Text.data(), static_cast<int32_t>(ref.Text.size()),
                       static_cast<int32_t>(start), &m);
    ASSERT_EQ(found, expected) << "case " << n << " pattern '" << pattern << "' start " << start;
    if (!found) continue;
    ++matches;
    ASSERT_EQ(m.Offset, offset) << "case " << n << " pattern '" << pattern << "'";
    ASSERT_EQ(m.Length, len) << "case " << n << " pattern '" << pattern << "'";
  }
  // Both outcomes must be well represented for the comparison to mean something.
  EXPECT_GT(matches, kCases / 5);
  EXPECT_LT(matches, kCases * 4 / 5);
}

// Long texts of few different bytes make repetitions give back and try again many times,
// which is where the table of failed places decides the result.
TEST(RegExpDifferentialTest, AgreesOnLongRepetitiveTexts) {
  std::mt19937 rng(7122026);
  TRegExp rx;
  const std::string alphabet = "aaaaab\r\nA";
  int matches = 0;
  const int kCases = 150;
  for (int n = 0; n < kCases; ++n) {
    TReference ref;
    std::string pattern = Generate(rng, &ref.Items);
    // Two more of the commonest repetition keep the rest of the pattern far away.
    for (int k = 0; k < 2; ++k) {
      TItem star;
      star.Char = 'a';
      star.Rep = TRep::Star;
      ref.Items.insert(ref.Items.begin(), star);
      pattern = "a*" + pattern;
    }
    ref.CaseInsensitive = rng() % 2 == 0;
    const size_t length = 100 + rng() % 1100;
    for (size_t i = 0; i < length; ++i) ref.Text += alphabet[rng() % alphabet.size()];
    const size_t start = rng() % (length / 4 + 1);
    ASSERT_EQ(rx.Compile(pattern, ref.CaseInsensitive), reOk) << pattern;
    int32_t offset = -1, len = -1;
    const bool expected = ref.Find(start, &offset, &len);
    TRegExpMatch m;
    const bool found = rx.FindForward(ref.Text.data(), static_cast<int32_t>(ref.Text.size()),
                                      static_cast<int32_t>(start), &m);
    ASSERT_EQ(found, expected) << "case " << n << " pattern '" << pattern << "'";
    if (!found) continue;
    ++matches;
    ASSERT_EQ(m.Offset, offset) << "case " << n << " pattern '" << pattern << "'";
    ASSERT_EQ(m.Length, len) << "case " << n << " pattern '" << pattern << "'";
  }
  EXPECT_GT(matches, kCases / 5);
  EXPECT_LT(matches, kCases * 4 / 5);
}

}  // namespace
