// Writes the generated benchmark source to standard output: gen_vel_source [lines].
#include <cstdio>
#include <cstdlib>

#include "bench/compiler/GenerateSource.h"

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
  const std::string text = GenerateVelSource(lines);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
