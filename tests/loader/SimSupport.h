// What the tests that talk to the terminal simulator share.
#pragma once

#include <cstdint>

#include "loader/link/Frames.h"
#include "tools/termsim/TermSim.h"

// Time-outs at a fifth: fast, yet far above any answer time of the simulator.
inline constexpr double kTestTimeScale = 0.2;

// The bytes as the terminal stores them: filled up to whole blocks.
inline termsim::TBytes Padded(termsim::TBytes bytes) {
  bytes.resize((bytes.size() + krlad::kBlockData - 1) / krlad::kBlockData * krlad::kBlockData, 0);
  return bytes;
}

// How often the simulator saw a command (at one speed, or at any with baud 0).
inline int CommandCount(const termsim::TTermSim& sim, uint8_t code, uint32_t baud = 0) {
  int n = 0;
  for (const auto& c : sim.Commands()) n += c.Code == code && (baud == 0 || c.Baud == baud);
  return n;
}
