// Fixed texts the terminal's firmware waits for before a file comes, and the tag that
// opens the bootloader name of our driver files. They belong to the firmware and the
// driver files, not to this program, so they live together here to be changed together.
#pragma once

#include <string_view>

namespace krlad {

// Sent with its terminating NUL before a data record, texts or a recipe.
inline constexpr std::string_view kDataHandshake{"KR-Lader: Datensatz folgt, Befehl:01", 37};
// Sent with its terminating NUL before a driver.
inline constexpr std::string_view kDriverHandshake{"Lader: Treiber Befehl:02", 25};
// The bootloader name in a driver file starts with this tag when the file names one.
inline constexpr std::string_view kMakerTag{"ZKBOO"};

static_assert(kDataHandshake.size() == 37 && kDataHandshake.back() == '\0');
static_assert(kDriverHandshake.size() == 25 && kDriverHandshake.back() == '\0');
static_assert(kDriverHandshake.substr(kDriverHandshake.size() - 10, 9) == "Befehl:02");
static_assert(kMakerTag.size() == 5);

}  // namespace krlad
