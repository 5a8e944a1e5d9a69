// Conversion between the UTF-8 of our string tables and the Windows-1252 bytes of documents.
#pragma once

#include <string>
#include <string_view>

// Characters that Windows-1252 lacks become "?".
std::string Utf8ToCp1252(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
