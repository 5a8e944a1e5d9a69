// A private scratch directory for fuzz targets that go through files, removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The path of `name` inside the scratch directory.
std::string FuzzScratchFile(const char* name);

// Writes the bytes to a file (aborts when it cannot, which would hide every finding).
void FuzzWriteFile(const std::string& path, const uint8_t* data, size_t size);

// The bytes of a file, empty when it does not exist.
std::string FuzzReadFile(const std::string& path);
