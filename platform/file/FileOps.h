// File queries and operations by name: date, size, attributes, copy, rename, delete.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file/File.h"

namespace platform {

// Attribute bits with the Windows values.
constexpr uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

struct TFileInfo {
  int64_t Size = 0;
  TFileTime Time;
  uint32_t Attributes = 0;
};

// Read-only means: the file has no write permission at all, or this user may not write
// it. Hidden means: the name starts with a dot.
uint32_t GetFileAttributes(const char* name);

// False when the file does not exist or cannot be queried.
bool GetFileInfo(const char* name, TFileInfo* info);

bool FileExists(const char* name);

// The whole content of a file: 0, -1 when it cannot be opened, -2 on a read error.
[[nodiscard]] int32_t ReadWholeFile(const char* name, std::string& bytes);

// Copies content, permissions and modification time. With failIfExists an existing
// target makes the copy fail. A failed copy removes what it wrote.
bool CopyFile(const char* from, const char* to, bool failIfExists);

// Renames; fails when the target exists (the Windows move semantics).
bool RenameFile(const char* from, const char* to);

bool DeleteFile(const char* name);

}  // namespace platform
