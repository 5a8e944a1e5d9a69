// defasm: assembles a definition or driver file from its text form.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/defasm/DefAsm.h"

namespace {

int Run(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: defasm INPUT.txt OUTPUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "defasm: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TAsmResult result = AssembleDefinitionText(text);
  if (!result.Ok) {
    std::fprintf(stderr, "%s:%s\n", argv[1], result.Error.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(result.Bytes.data(), static_cast<std::streamsize>(result.Bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "defasm: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A directory as input makes the stream throw while reading: a failure, not an abort.
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "defasm: cannot read %s: %s\n", argc > 1 ? argv[1] : "", e.what());
  }
  return 1;
}
