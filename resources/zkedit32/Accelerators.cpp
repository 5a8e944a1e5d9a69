// Keys of the editor's commands: Ctrl, Shift and Alt combinations, function keys, and the
// Alt+digit characters of the extended clipboard.
#include "resources/zkedit32/Accelerators.h"

#include <array>

using namespace platform;

namespace {

constexpr uint8_t V = FVIRTKEY;
constexpr uint8_t C = FVIRTKEY | FCONTROL;
constexpr uint8_t S = FVIRTKEY | FSHIFT;
constexpr uint8_t A = FVIRTKEY | FALT;

constexpr uint16_t F(int n) { return static_cast<uint16_t>(VK_F1 + n - 1); }

// Ten entries with consecutive digits and commands.
template <size_t N>
constexpr void Digits(std::array<TAccel, N>& table, size_t& at, uint8_t flags, uint16_t first) {
  for (uint16_t d = 0; d < 10; ++d) table[at++] = TAccel{flags, static_cast<uint16_t>('0' + d),
                                                         static_cast<uint16_t>(first + d)};
}

constexpr std::array<TAccel, 76> MakeTable() {
  std::array<TAccel, 76> t{};
  size_t at = 0;
  constexpr TAccel kFixed[] = {
      {V, F(1), 240},           {C, F(1), 245},          {C, 'N', 112},
      {C, 'O', 113},            {C, 'S', 114},           {C, 'P', 122},
      {C, 'Z', 144},            {A, VK_BACK, 144},       {C, 'X', 146},
      {S, VK_DELETE, 146},      {C, 'C', 147},           {C, VK_INSERT, 147},
      {C, 'V', 148},            {S, VK_INSERT, 148},     {C, 'A', 150},
      {C, 'F', 176},            {V, F(3), 177},          {S, F(3), 186},
      {C, 'H', 178},            {C, 'G', 180},           {C, 'R', 183},
      {V, F(9), 160},           {C, F(9), 161},          {S, F(9), 162},
      {C, 'U', 169},            {C, 'L', 170},           {C, 'I', 171},
      {C, 'T', 172},            {V, F(12), 197},         {V, F(11), 193},
      {V, F(8), 198},           {V, F(7), 192},          {V, F(6), 204},
      {V, F(5), 907},
      // Alt+^: the circumflex key as a key and, where the keyboard makes it a character, as
      // the character.
      {A, VK_OEM_5, 159},       {FALT, '^', 159},
  };
  for (const TAccel& a : kFixed) t[at++] = a;
  Digits(t, at, C, 250);
  Digits(t, at, FVIRTKEY | FCONTROL | FSHIFT, 260);
  Digits(t, at, FVIRTKEY | FALT | FSHIFT, 280);
  // Alt+digit as characters: the digit keys of the main block and of the keypad alike.
  Digits(t, at, FALT, 290);
  if (at != t.size()) throw "accelerator table size";
  return t;
}

constexpr std::array<TAccel, 76> kTable = MakeTable();

}  // namespace

std::span<const TAccel> EditorAccelerators() { return kTable; }
