// Test helpers for the compiler.
#include "tests/compiler/VelTestSupport.h"

#include <gtest/gtest.h>

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "tools/defasm/DefAsm.h"

std::string DefinitionText(std::string_view init, std::string_view command,
                           std::string_view extra, std::string_view compilerVersion) {
  std::string text =
      ".definition\n.base 10000h\n.init INIT\n.command CMD\n.marker MARK\n.table 0\n"
      ".compiler CVER\n.driver DVER\n"
      "MARK: .mark 0FEh\n"
      "CVER: db \"";
  text += compilerVersion;
  text += "\", 0\nDVER: db \"Definition Vers.:01.00\", 0\nINIT:\n";
  text += init;
  text += "\n        @\nCMD:\n";
  text += command;
  text += "\n        @\n";
  text += extra;
  text += "\n";
  return text;
}

std::string DriverText(int32_t codeStart, std::string_view version) {
  std::string text = ".driverfile\n.addresstable\n.entry 8 " + std::to_string(codeStart) +
                     "\n.entry 24 VERS\n.entry 5 1234\nVERS: db \"";
  text += version;
  text += "\", 0\n";
  return text;
}

std::string Assemble(std::string_view text) {
  const TAsmResult result = AssembleDefinitionText(text);
  EXPECT_TRUE(result.Ok) << result.Error;
  return result.Bytes;
}

int32_t TVelRun::Compile(std::string_view source, std::string_view definitionText,
                         std::string_view driverText, uint32_t dataMemory, bool listing) {
  const std::string src = Dir.Write("prog.vel", source);
  const std::string def = Dir.Write("ZIRE.CFG", Assemble(definitionText));
  const std::string drv = Dir.Write("drv.bin", Assemble(driverText));
  const std::string lst = Dir.File("prog.lst");
  Messages.Clear();
  Result = VelCompile(src.c_str(), def.c_str(), drv.c_str(), listing ? lst.c_str() : nullptr,
                      dataMemory, nullptr, nullptr, Dir.File("prog.ved").c_str(), Messages);
  return Result;
}

std::string TVelRun::Record() const { return TTempDir::Read(Dir.File("prog.ved")); }

std::string TVelRun::Body() const {
  const std::string record = Record();
  return record.size() > 7 ? record.substr(7) : std::string();
}

std::string TVelRun::Listing() const { return TTempDir::Read(Dir.File("prog.lst")); }

int32_t TVelRun::Count(uint32_t id) const {
  int32_t n = 0;
  for (const auto& m : Messages.Items()) n += m.Id == id ? 1 : 0;
  return n;
}

std::string TVelRun::Dump() const {
  std::string out;
  for (const auto& m : Messages.Items()) out += Cp1252ToUtf8(m.Text) + "\n";
  return out;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}
