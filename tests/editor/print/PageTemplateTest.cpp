// Header and footer templates: the five codes, other characters after "&", the length limit
// and the file's date.
#include <gtest/gtest.h>

#include "editor/print/PageTemplate.h"

namespace {

TTemplateValues Values() {
  TTemplateValues v;
  v.Name = "bericht.txt";
  // 07.03.2024 09:05:04 local time
  std::tm t{};
  t.tm_year = 124;
  t.tm_mon = 2;
  t.tm_mday = 7;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 4;
  t.tm_isdst = -1;
  const int64_t moment = static_cast<int64_t>(std::mktime(&t));
  v.Now = [moment] { return moment; };
  v.FileDate.Seconds = moment + 86400 + 3600;  // a day and an hour later
  v.HasFileDate = true;
  return v;
}

TEST(PageTemplateTest, CodesExpandAsWritten) {
  TTemplateValues v = Values();
  EXPECT_EQ(ExpandPageTemplate("&N, &D &U", v), "bericht.txt, 07.03.2024 09:05");
  EXPECT_EQ(ExpandPageTemplate("Seite &S von &G", v), "Seite \x01\x01 von \x02\x02");
  // Lower-case letters and other characters are not codes; both characters stay.
  EXPECT_EQ(ExpandPageTemplate("&n &x && &", v), "&n &x && &");
  EXPECT_EQ(ExpandPageTemplate("A&&N", v), "A&bericht.txt");
}

TEST(PageTemplateTest, FileDateGivesTheLongTimeAndNothingWithoutAFile) {
  TTemplateValues v = Values();
  v.UseFileDate = true;
  EXPECT_EQ(ExpandPageTemplate("&D &U", v), "08.03.2024 10:05:04");
  v.HasFileDate = false;
  EXPECT_EQ(ExpandPageTemplate("[&D][&U]", v), "[][]");
}

TEST(PageTemplateTest, DateIsOnlyAskedForWhenTheTemplateNeedsIt) {
  TTemplateValues v = Values();
  int32_t asked = 0;
  v.Now = [&asked] {
    ++asked;
    return int64_t{0};
  };
  EXPECT_EQ(ExpandPageTemplate("&N &S", v), "bericht.txt \x01\x01");
  EXPECT_EQ(asked, 0);
  ExpandPageTemplate("&D &U", v);
  EXPECT_EQ(asked, 1);
}

TEST(PageTemplateTest, ExpansionThatWouldPassTheLimitIsLeftOutWhole) {
  TTemplateValues v = Values();
  v.Name = std::string(100, 'n');
  const std::string out = ExpandPageTemplate("&N&N&S", v);
  EXPECT_EQ(out, std::string(100, 'n') + "\x01\x01");
  v.Name = std::string(148, 'n');
  EXPECT_EQ(ExpandPageTemplate("&N&S", v), std::string(148, 'n') + "\x01\x01");
  EXPECT_EQ(ExpandPageTemplate("&N&G!", v), std::string(148, 'n') + "\x02\x02");
}

}  // namespace
