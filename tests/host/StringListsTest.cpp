// Text files read into lines: line breaks of every kind, and the two encodings old and new
// files come in.
#include "host/classes/StringLists.h"
#include "host/classes/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::vector<std::string> LinesOf(const TStringList& List) {
  std::vector<std::string> Lines;
  for (int I = 0; I < List.GetCount(); ++I)
    Lines.push_back(List[I]);
  return Lines;
}

TEST(TStringListTest, TextSplitsAtEveryKindOfLineBreak) {
  const struct {
    const char* Text;
    std::vector<std::string> Lines;
  } Cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"\n", {""}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\r", {"a", ""}},
  };
  TStringList List;
  for (const auto& C : Cases) {
    List.SetText(C.Text);
    EXPECT_EQ(LinesOf(List), C.Lines) << C.Text;
  }
  EXPECT_EQ(List.GetText(), "a\n\n");
  EXPECT_THROW(List.Get(2), EListError);
}

TEST(TStringListTest, FilesDecodeLineByLineFromUtf8OrWindows1251) {
  const std::string Name = (std::filesystem::temp_directory_path() / "ygrids_lines.txt").string();
  // A byte-order mark, a UTF-8 line, a Windows-1251 line ("Ёлка №1" with the mark of the
  // code page's own characters), and one that only looks like UTF-8 in places.
  std::ofstream(Name, std::ios::binary) << "\xEF\xBB\xBFПривет\r\n"
                                           "\xA8\xEB\xEA\xE0 \xB9"
                                           "1\r\n"
                                           "\xC2\xD1\xA8\n";
  TStringList List;
  List.LoadFromFile(Name);
  EXPECT_EQ(LinesOf(List), (std::vector<std::string>{"Привет", "Ёлка №1", "ВСЁ"}));
  std::remove(Name.c_str());
  EXPECT_THROW(List.LoadFromFile(Name), EFOpenError);
}

TEST(TStringListTest, Utf8ValidationRejectsMalformedSequences) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("Ё €😀"));
  for (const char* Bad :
       {"\x80", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\xE2\x82"})
    EXPECT_FALSE(IsValidUtf8(Bad)) << Bad;
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\x98"), "Ая\xEF\xBF\xBD");
}

TEST(SysUtilsTest, StringRoutines) {
  EXPECT_EQ(StringReplace("d  e ", " ", "\n", {rfReplaceAll}), "d\n\ne\n");
  EXPECT_EQ(StringReplace("a-a-a", "-", "+", {}), "a+a-a");
  EXPECT_EQ(StringReplace("Abab", "AB", "x", {rfReplaceAll, rfIgnoreCase}), "xx");
  EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
  EXPECT_EQ(ExtractFilePath("/opt/demo/ygrids_demo"), "/opt/demo/");
  EXPECT_EQ(ExtractFilePath("ygrids_demo"), "");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_FALSE(FileExists("/"));
  EXPECT_FALSE(FileExists("/no/such/file"));
}

} // namespace
