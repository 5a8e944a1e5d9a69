// The lexer, numbers and parameters, and the main loop's handling of the source.
#include <gtest/gtest.h>

#include <vector>

#include "compiler/core/Compile.h"
#include "compiler/core/Source.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

struct TLexer {
  explicit TLexer(std::string text) { Source.Assign(std::move(text)); }
  // "token|delimiter" for the next token.
  std::string Next(int32_t context) {
    const int32_t d = Source.Next(context);
    return Source.Token() + "|" + (d > 0 ? std::string(1, static_cast<char>(d)) : std::to_string(d));
  }
  TMessageList List;
  TVelReporter Reporter{List};
  SourceData Source{Reporter};
};

TEST(LexerTest, ContextsAndDelimiters) {
  TLexer lex("LOOP:  SET ( E 1 , 5 )\n[ 1, \"a\" ] TAB[3]\n{ }");
  EXPECT_EQ(lex.Next(lcTop), "LOOP|:");
  EXPECT_EQ(lex.Next(lcTop), "SET|(");
  EXPECT_EQ(lex.Next(lcParameters), "E1|,");  // blanks inside a parameter are dropped
  EXPECT_EQ(lex.Next(lcParameters), "5|)");
  EXPECT_EQ(lex.Next(lcTop), "|[");
  EXPECT_EQ(lex.Next(lcDataList), "1|,");
  EXPECT_EQ(lex.Next(lcDataList), "\"a|]");
  EXPECT_EQ(lex.Next(lcTop), "TAB|[");
  EXPECT_EQ(lex.Next(lcIndex), "3|]");
  EXPECT_EQ(lex.Next(lcTop), "|{");
  EXPECT_EQ(lex.Next(lcTop), "|}");
  EXPECT_EQ(lex.Next(lcTop), "|-1");
  EXPECT_EQ(lex.List.Items().size(), 0u);
}

TEST(LexerTest, CommentsStringsAndErrors) {
  // A comment inside a word does not end it; CR LF counts as one line feed.
  TLexer lex("AB;note\r\nCD(\"q\\41\\\\\" y)  FOO BAR(\"\\4G\"");
  EXPECT_EQ(lex.Next(lcTop), "ABCD|(");
  EXPECT_EQ(lex.Source.Line(), 1);
  EXPECT_EQ(lex.Next(lcParameters), "\"qA\\|0");  // y is no delimiter
  EXPECT_EQ(lex.List.Items().at(0).Text, "[Zeile:2]  Syntax Fehler !");
  EXPECT_EQ(lex.Next(lcParameters), "y|)");
  EXPECT_EQ(lex.Next(lcTop), "FOO|0");  // BAR is not a delimiter: it starts the next word
  EXPECT_EQ(lex.Next(lcTop), "BAR|(");
  EXPECT_EQ(lex.Next(lcParameters), "\"4G|-1");  // a bad escape keeps its characters
  EXPECT_EQ(lex.Source.LineCount(), 1);
}

// Line ends written by a DOS editor: the same tokens, lines and messages as with LF.
TEST(LexerTest, CrLfSourceLexesLikeLf) {
  const std::string lf =
      "L1: SET(E 1,\n 5) ; note\n[1, \"a;b\"]\n\nTAB[3] {\n}\nX(\"q\")\n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  TLexer a(lf), b(crlf);
  const int32_t contexts[] = {lcTop, lcTop, lcParameters, lcParameters, lcTop, lcDataList,
                              lcDataList, lcTop, lcIndex, lcTop, lcTop, lcTop, lcParameters,
                              lcTop};
  for (int32_t context : contexts) {
    const std::string tokenA = a.Next(context);
    EXPECT_EQ(b.Next(context), tokenA);
    EXPECT_EQ(b.Source.Line(), a.Source.Line()) << tokenA;
  }
  EXPECT_EQ(b.Source.LineCount(), a.Source.LineCount());
  EXPECT_TRUE(a.List.Items().empty());
  EXPECT_TRUE(b.List.Items().empty()) << b.List.Items().at(0).Text;
}

TEST(LexerTest, MisplacedDelimitersAreConsumed) {
  TLexer lex("A) ) B(");
  EXPECT_EQ(lex.Next(lcTop), "A|0");
  EXPECT_EQ(lex.Next(lcTop), "|0");
  EXPECT_EQ(lex.Next(lcTop), "B|(");
  EXPECT_EQ(lex.List.Items().size(), 1u);  // the same text on the same line once
}

// A file read in chunks of 1 to 7 bytes lexes exactly like the same text read whole: words,
// strings with escapes, comments and CR LF pairs that a chunk boundary splits.
TEST(LexerTest, ChunkedFileLexesLikeWholeText) {
  const std::string text =
      "LONGLABEL:\r\n  SET ( E 1 ,\r\r\n 5 ) ; note \"x\r\n[1, \"a\\41\\\\;b\", 0FFh]\r"
      "TAB[3] {\n\r\n}\rX(\"q\\4\r\n\") Y) ,\r\nZ(A.1.2, B\t C) ;end\r";
  const int32_t contexts[] = {lcTop,        lcTop,   lcParameters, lcParameters, lcTop,
                              lcDataList,   lcDataList, lcDataList, lcTop,       lcIndex,
                              lcTop,        lcTop,   lcTop,        lcParameters, lcTop,
                              lcTop,        lcTop,   lcParameters, lcParameters, lcTop};
  auto lexAll = [&](TLexer& lex) {
    std::string out;
    for (int32_t context : contexts)
      out += lex.Next(context) + "@" + std::to_string(lex.Source.Line()) + " ";
    for (const auto& m : lex.List.Items()) out += m.Text + "\n";
    return out + std::to_string(lex.Source.LineCount());
  };
  TLexer whole(text);
  const std::string expected = lexAll(whole);
  // Escapes, a comment inside a string and blanks inside parameters are all in play.
  EXPECT_NE(expected.find("LONGLABEL|:@0 "), std::string::npos) << expected;
  EXPECT_NE(expected.find("\"aA\\;b|,@3 "), std::string::npos) << expected;
  EXPECT_NE(expected.find("BC|)@7 "), std::string::npos) << expected;
  TTempDir dir;
  const std::string file = dir.Write("chunks.vel", text);
  for (size_t chunk = 1; chunk <= 7; ++chunk) {
    TLexer lex("");
    ASSERT_TRUE(lex.Source.Open(file.c_str(), chunk));
    EXPECT_EQ(lexAll(lex), expected) << "chunk size " << chunk;
    EXPECT_FALSE(lex.Source.ReadFailed());
  }
  TLexer missing("");
  EXPECT_FALSE(missing.Source.Open(dir.File("none.vel").c_str()));
  EXPECT_FALSE(missing.Source.Open(dir.Path().c_str()));  // a directory reads as an error
}

TEST(NumberTest, FormsAndLimits) {
  uint32_t v = 0;
  EXPECT_TRUE(ParseVelNumber("65535", &v));
  EXPECT_EQ(v, 65535u);
  EXPECT_FALSE(ParseVelNumber("65536", &v));
  EXPECT_TRUE(ParseVelNumber("0FFFFh", &v));
  EXPECT_EQ(v, 0xFFFFu);
  EXPECT_FALSE(ParseVelNumber("10000h", &v));
  EXPECT_TRUE(ParseVelNumber("+7", &v));
  EXPECT_EQ(v, 7u);
  EXPECT_TRUE(ParseVelNumber("1101b", &v));
  EXPECT_EQ(v, 13u);
  EXPECT_FALSE(ParseVelNumber("12b", &v));
  EXPECT_FALSE(ParseVelNumber("1A", &v));
  EXPECT_FALSE(ParseVelNumber("FFh", &v));
  EXPECT_FALSE(ParseVelNumber("+", &v));
}

TEST(ParameterTextTest, Kinds) {
  ParameterData p;
  ASSERT_TRUE(ParseParameterText("LOOP", &p));
  EXPECT_EQ(p.Form(), "LOOPm");
  ASSERT_TRUE(ParseParameterText("E12", &p));
  EXPECT_EQ(p.Form(), "Ew");
  EXPECT_EQ(p.Offset, 12u);
  ASSERT_TRUE(ParseParameterText("A3.7", &p));
  EXPECT_EQ(p.Form(), "Ab");
  EXPECT_EQ(p.Offset, 3u);
  EXPECT_EQ(p.Bit, 7u);
  ASSERT_TRUE(ParseParameterText("M.2", &p));
  EXPECT_EQ(p.Form(), "Mb");
  EXPECT_EQ(p.Offset, 0u);
  EXPECT_EQ(p.Bit, 2u);
  ASSERT_TRUE(ParseParameterText("0FFh", &p));
  EXPECT_EQ(p.Form(), "$w");
  EXPECT_EQ(p.Offset, 255u);
  ASSERT_TRUE(ParseParameterText("M.", &p));
  EXPECT_EQ(p.Form(), "Mm");
  ASSERT_TRUE(ParseParameterText("TAB+4", &p));
  EXPECT_EQ(p.Form(), "TABw");
  EXPECT_EQ(p.Offset, 4u);
}

TEST(ParameterTextTest, Malformed) {
  ParameterData p;
  for (const char* text : {"12E", "E+1+2", "E1.2.3", "E70000", "E1.70000", ".5", "E1x", "12.3",
                           "65536"})
    EXPECT_FALSE(ParseParameterText(text, &p)) << text;
}

// Writes parameters 0 and 2 as bytes through a sub-macro.
const std::string kParamDef = DefinitionText("", "  @ P 0 -> S\n  @ P 2 -> S", "S: @ #O B\n @\n");

TEST(MainLoopTest, EmptyParameterSlots) {
  TVelRun vel;
  vel.Compile("X(1,,3)", kParamDef);
  EXPECT_EQ(vel.Body(), Bytes({1, 3}));
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  vel.Compile("X(1,2,3)", kParamDef);  // the second one is never consumed
  EXPECT_EQ(vel.Count(msgParamCount), 1);
  vel.Compile("X()", kParamDef);  // empty parentheses: no parameters
  EXPECT_EQ(vel.Count(msgParamCount), 1);
}

TEST(MainLoopTest, TwentyFirstParameterEndsTheList) {
  std::string consumeAll;
  for (int i = 0; i < 20; ++i) consumeAll += "  @ SPP " + std::to_string(i) + "\n  @ #O B\n";
  TVelRun vel;
  vel.Compile("X(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20)", DefinitionText("", consumeAll));
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  EXPECT_EQ(vel.Body().size(), 20u);
  vel.Compile("X(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21)",
              DefinitionText("", consumeAll));
  EXPECT_EQ(vel.Messages.Items().size(), 1u) << vel.Dump();
  EXPECT_TRUE(vel.Has(msgSyntax));
}

TEST(MainLoopTest, MalformedParameterSkipsTheMacro) {
  TVelRun vel;
  vel.Compile("X(1E)", DefinitionText("", "  @ ERROR 55"));
  EXPECT_EQ(vel.Messages.Items().at(0).Text, "[Zeile:1]  Parameter syntax Fehler!");
  EXPECT_FALSE(vel.Has(155));
}

TEST(MainLoopTest, DataLists) {
  TVelRun vel;
  vel.Compile("[1, 0FFFFh, \"A\\41\\42\\\\\", 2] TAB[7] [\"\"]", DefinitionText("", ""));
  EXPECT_EQ(vel.Body(), Bytes({1, 0, 0xFF, 0xFF, 'A', 0x41, 0x42, '\\', 2, 0}));
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  vel.Compile("[65536]", DefinitionText("", ""));
  EXPECT_TRUE(vel.Has(msgParamSyntax));
  vel.Compile("[E1]", DefinitionText("", ""));
  EXPECT_TRUE(vel.Has(msgParamSyntax));
  vel.Compile("[\"\\4x\"]", DefinitionText("", ""));
  EXPECT_TRUE(vel.Has(msgSyntax));
}

TEST(MainLoopTest, DuplicateMessagesPerLine) {
  const std::string def = DefinitionText("", "  @ ERROR 55");
  TVelRun vel;
  vel.Compile("X() X()\nX()", def);
  EXPECT_EQ(vel.Count(155), 2) << vel.Dump();
  EXPECT_EQ(vel.Messages.ErrorCount(), 2);
  EXPECT_EQ(vel.Messages.Items().at(1).Text, "[Zeile:2]  Unbekannter Befehl!");
}

std::vector<int32_t> gPercents;
int32_t Collect(VELSTATUS* status) {
  gPercents.push_back(status->Percent);
  return 0;
}
int32_t StopAtOnce(VELSTATUS* status) {
  gPercents.push_back(status->Percent);
  return 1;
}

int32_t Progress(TVelRun& vel, std::string_view source, TVelProgress callback) {
  gPercents.clear();
  const std::string src = vel.Dir.Write("p.vel", source);
  const std::string def = vel.Dir.Write("p.cfg", Assemble(DefinitionText("", "  db 1")));
  const std::string drv = vel.Dir.Write("p.drv", Assemble(DriverText()));
  vel.Messages.Clear();
  return VelCompile(src.c_str(), def.c_str(), drv.c_str(), nullptr, 4096, callback, nullptr,
                    vel.Dir.File("p.ved").c_str(), vel.Messages);
}

TEST(MainLoopTest, ProgressReports) {
  TVelRun vel;
  EXPECT_EQ(Progress(vel, "X() X()", Collect), 0);
  EXPECT_EQ(gPercents, (std::vector<int32_t>{100, 100, 100, 100}));
  EXPECT_EQ(Progress(vel, "X()\nX()\n\n\nX()\n", Collect), 0);
  EXPECT_EQ(gPercents, (std::vector<int32_t>{0, 0, 20, 80, 100}));
  // A stop ends the loop; what was compiled is finished.
  EXPECT_EQ(Progress(vel, "X() X()", StopAtOnce), 0);
  EXPECT_EQ(TTempDir::Read(vel.Dir.File("p.ved")).size(), 7u);
}

}  // namespace
