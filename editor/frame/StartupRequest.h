// The parsed command line of the editor: the 360-byte block that also carries a command line
// from a second start to the running instance, and the parser that fills it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#pragma pack(push, 1)
struct TStartupRequest {
  char FileName[261] = {};
  uint8_t Pad0[3] = {};
  int32_t Line = 1;
  int32_t Column = 1;
  uint8_t Hex = 0;
  uint8_t Dos = 0;
  uint8_t Print = 0;
  uint8_t WasMinimized = 0;
  uint8_t OwnStartup = 0;
  char GroupName[81] = {};
  uint8_t Filler[2] = {};
};
#pragma pack(pop)

static_assert(sizeof(TStartupRequest) == 360);
static_assert(offsetof(TStartupRequest, Line) == 264);
static_assert(offsetof(TStartupRequest, Column) == 268);
static_assert(offsetof(TStartupRequest, Hex) == 272);
static_assert(offsetof(TStartupRequest, Dos) == 273);
static_assert(offsetof(TStartupRequest, Print) == 274);
static_assert(offsetof(TStartupRequest, WasMinimized) == 275);
static_assert(offsetof(TStartupRequest, OwnStartup) == 276);
static_assert(offsetof(TStartupRequest, GroupName) == 277);
static_assert(offsetof(TStartupRequest, Filler) == 358);

constexpr size_t kStartupNameMax = 260;
constexpr size_t kStartupGroupMax = 80;

// What a name is on disk: 0 nothing, 1 a file (or anything else but a directory), 2 a
// directory.
using TPathProbe = std::function<int32_t(const std::string&)>;
int32_t ProbePath(const std::string& path);

// Arguments one by one (without the program name). Every absolute path starts with "/", so
// an argument is a switch only when it has exactly a switch's form (/Ln and /Cn with decimal
// digits, /Hx with hexadecimal digits, /D, /P, /Gname without "/") and names nothing on
// disk. Any other argument is the file name, or, while a name is being joined, appended to
// it with one blank (the shell split an unquoted name with blanks); an argument holding ":\"
// or naming an existing file by an absolute path ends the joining and is dropped, and so
// does a switch. Values that are not numbers are ignored, and so is a name longer than 260
// characters.
TStartupRequest ParseCommandLine(const std::vector<std::string>& args,
                                 const TPathProbe& probe = ProbePath);

// The file name and group name as strings.
std::string RequestFileName(const TStartupRequest& request);
std::string RequestGroupName(const TStartupRequest& request);

// The command line's help text (--help).
std::string_view CommandLineHelp();
