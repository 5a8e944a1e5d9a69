// Writing a received file into the simulator's store directory without trusting what is there.
#pragma once

#include <string>
#include <string_view>

namespace termsim {

// Writes `bytes` as `name` in `directory`. The directory is created private to the user
// (mode 0700) when missing; an existing one must be a real directory of this user. The
// file is opened without following a symbolic link and replaced only when it is a plain
// file of this user with one link. False with the reason in `why` otherwise.
bool StoreFileBytes(const std::string& directory, const std::string& name, std::string_view bytes,
                    std::string* why);

}  // namespace termsim
