#include "resources/zkedit32/Strings.h"

#include <gtest/gtest.h>

namespace {

TEST(StringsTest, LineEndFormatNamesAndMessages) {
  EXPECT_EQ(LoadResString(80 + 0), "Windows/DOS");
  EXPECT_EQ(LoadResString(80 + 1), "Unix");
  EXPECT_EQ(LoadResString(80 + 2), "Macintosh");
  EXPECT_EQ(LoadResString(320), "Kann Datei nicht öffnen/lesen:\n\n");
  EXPECT_EQ(LoadResString(327),
            "Für diese Operation steht nicht genügend\nArbeitsspeicher zu Verfügung!");
  EXPECT_EQ(LoadResString(79), "");
  EXPECT_EQ(LoadResString(100000), "");
}

}  // namespace
