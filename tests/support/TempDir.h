// A scratch directory for one test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <string_view>

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return Path_; }
  std::string File(std::string_view name) const { return Path_ + "/" + std::string(name); }

  // Writes bytes to a file in the directory and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // The bytes of a file ("" when it does not exist).
  static std::string Read(const std::string& path);

 private:
  std::string Path_;
};
