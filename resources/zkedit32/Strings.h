// The editor's string table: German texts by resource number.
#pragma once

#include <cstdint>
#include <string_view>

// The text of a string resource in UTF-8; empty when there is no such string.
std::string_view LoadResString(uint32_t id);
