// What the tests that talk to the terminal simulator share.
#pragma once

#include <cstdint>
#include <string>

#include "loader/link/Frames.h"
#include "tools/termsim/TermSim.h"

// Time-outs at a fifth: fast, yet far above any answer time of the simulator.
inline constexpr double kTestTimeScale = 0.2;

// The bytes as the terminal stores them: filled up to whole blocks.
inline termsim::TBytes Padded(termsim::TBytes bytes) {
  bytes.resize((bytes.size() + krlad::kBlockData - 1) / krlad::kBlockData * krlad::kBlockData, 0);
  return bytes;
}

// A VEL data record around `body` as the compiler writes it: X, S, 55 hex, the length.
inline termsim::TBytes VelRecord(const termsim::TBytes& body) {
  termsim::TBytes out(7 + body.size(), 0);
  for (size_t i = 0; i < body.size(); ++i) out[7 + i] = body[i];
  const auto size = static_cast<uint32_t>(out.size());
  out[2] = 0x55;
  for (int i = 0; i < 4; ++i) out[3 + static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (8 * i));
  uint8_t x = 0, s = 0;
  for (size_t i = 3; i < out.size(); ++i) {
    x = static_cast<uint8_t>(x ^ out[i]);
    s = static_cast<uint8_t>(s + static_cast<uint8_t>((out[i] << 1) | (out[i] >> 7)));
  }
  out[0] = x;
  out[1] = s;
  return out;
}
inline std::string VelRecordText(size_t bodySize, char fill) {
  const termsim::TBytes r = VelRecord(termsim::TBytes(bodySize, static_cast<uint8_t>(fill)));
  return std::string(r.begin(), r.end());
}

// How often the simulator saw a command (at one speed, or at any with baud 0).
inline int CommandCount(const termsim::TTermSim& sim, uint8_t code, uint32_t baud = 0) {
  int n = 0;
  for (const auto& c : sim.Commands()) n += c.Code == code && (baud == 0 || c.Baud == baud);
  return n;
}
