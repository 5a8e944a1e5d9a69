// Scratch files of the fuzz targets.
#include "fuzz/FuzzScratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string gScratch;

void RemoveScratch() {
  std::error_code ignored;
  if (!gScratch.empty()) std::filesystem::remove_all(gScratch, ignored);
}

}  // namespace

std::string FuzzScratchFile(const char* name) {
  if (gScratch.empty()) {
    char pattern[] = "/tmp/zkfuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    gScratch = pattern;
    std::atexit(RemoveScratch);
  }
  return gScratch + "/" + name;
}

void FuzzWriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

std::string FuzzReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
