// The demo's table file reader, on its own: the file read whole, however the system hands it over.
#include "app/ContentTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr TContentTable::TShape Shape{1, 1, 3}; // a header row; each line: one empty cell, two fields

std::vector<std::string> RowTexts(const TContentTable& Table, std::int32_t Row) {
  std::vector<std::string> Texts;
  const void* Record = Table.FirstRecord(Row);
  for (std::int32_t I = 0; I < Shape.Width; ++I, Record = TContentTable::NextRecord(Record))
    Texts.emplace_back(TContentTable::TextOf(Record));
  return Texts;
}

class ContentFiles : public testing::Test {
protected:
  void TearDown() override { fs::remove_all(Folder); }
  fs::path Folder = fs::temp_directory_path() / ("ygrids_content_" + std::to_string(::getpid()));
  std::string Lines = "Иванов Москва\nPetrov Kazan\r\nСидоров\n";
};

TEST_F(ContentFiles, ARegularFileAndAPipeGiveTheSameRows) {
  fs::create_directories(Folder);
  const fs::path File = Folder / "table.ini", Pipe = Folder / "pipe";
  std::ofstream(File, std::ios::binary) << Lines;
  ASSERT_EQ(::mkfifo(Pipe.c_str(), 0600), 0);
  // A pipe has no size to read up front; its writer runs beside the reader.
  std::thread Writer([&] { std::ofstream(Pipe, std::ios::binary) << Lines; });
  TContentTable FromPipe;
  FromPipe.Load(Pipe.string(), Shape);
  Writer.join();
  TContentTable FromFile;
  FromFile.Load(File.string(), Shape);
  ASSERT_EQ(FromFile.GetLineCount(), 3);
  ASSERT_EQ(FromPipe.GetLineCount(), 3);
  EXPECT_EQ(RowTexts(FromFile, 0), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(RowTexts(FromFile, 1), (std::vector<std::string>{"", "Иванов", "Москва"}));
  EXPECT_EQ(RowTexts(FromFile, 2), (std::vector<std::string>{"", "Petrov", "Kazan"}));
  EXPECT_EQ(RowTexts(FromFile, 3), (std::vector<std::string>{"", "Сидоров", ""}));
  for (std::int32_t Row = 0; Row < FromFile.GetRowCount(); ++Row)
    EXPECT_EQ(RowTexts(FromPipe, Row), RowTexts(FromFile, Row)) << Row;
}

TEST_F(ContentFiles, AnEmptyFileGivesOnlyTheHeaderRows) {
  fs::create_directories(Folder);
  std::ofstream(Folder / "empty.ini");
  TContentTable Table;
  Table.Load((Folder / "empty.ini").string(), Shape);
  EXPECT_EQ(Table.GetLineCount(), 0);
  EXPECT_EQ(Table.GetRowCount(), 1);
}

} // namespace
