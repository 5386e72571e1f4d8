// The demo shows the table file named on its command line, in-process and as the real program.
#include "tests/app/DemoFormSupport.h"

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TDemoArguments Parse(std::vector<const char*> Args) {
  Args.insert(Args.begin(), "ygrids_demo");
  return ParseDemoArguments(static_cast<int>(Args.size()), Args.data());
}

TEST(DemoCommandLine, TheFileMayStandBeforeOrAfterTheScreenshotOption) {
  for (const auto& Args : {std::vector<const char*>{"t.ini", "--screenshot", "o.png"},
                           std::vector<const char*>{"--screenshot", "o.png", "t.ini"}}) {
    const TDemoArguments A = Parse(Args);
    EXPECT_EQ(A.File, "t.ini");
    EXPECT_EQ(A.Screenshot, "o.png");
    EXPECT_EQ(A.Error, "");
  }
  const TDemoArguments None = Parse({});
  EXPECT_EQ(None.File, "");
  EXPECT_EQ(None.Screenshot, "");
  EXPECT_EQ(Parse({"--screenshot", "o.png"}).File, "") << "the picture is not the table";
}

TEST(DemoCommandLine, MistakesAreReported) {
  EXPECT_NE(Parse({"--screenshot"}).Error, "");
  EXPECT_NE(Parse({"a.ini", "b.ini"}).Error, "");
  EXPECT_NE(Parse({"--colour", "a.ini"}).Error, "");
}

// A folder of its own for each test, with a readable table in it.
class TableFiles : public DemoForm {
protected:
  void SetUp() override {
    DemoForm::SetUp();
    fs::create_directories(Folder);
    std::ofstream(Table) << "Иванов Пётр Москва\nПетров Иван Казань\n";
  }
  void TearDown() override {
    DemoForm::TearDown();
    TForm1::ContentFile.clear();
    TForm1::LoadsContent = true;
    fs::remove_all(Folder);
  }
  fs::path Folder = fs::temp_directory_path() / ("ygrids_files_" + std::to_string(::getpid()));
  fs::path Table = Folder / "table.ini";
};

TEST_F(TableFiles, TheProblemOfAFileIsTheSystemsReason) {
  EXPECT_EQ(TableFileProblem(Table.string()), "");
  EXPECT_EQ(TableFileProblem((Folder / "missing.ini").string()),
            std::make_error_code(std::errc::no_such_file_or_directory).message());
  EXPECT_EQ(TableFileProblem(Folder.string()),
            std::make_error_code(std::errc::is_a_directory).message());
}

TEST_F(TableFiles, AReadableFileIsShownInsteadOfTheOneBesideTheProgram) {
  WriteContent("Сидоров Олег Тверь\n");
  ASSERT_TRUE(UseTableFile(Table.string()));
  Open("Сидоров Олег Тверь\n");
  EXPECT_EQ(Holder->GetRowCount(), Holder->GetFixedRows() + 2);
  EXPECT_EQ(TextOf(1, Holder->GetFixedRows()), "Иванов");
  EXPECT_TRUE(Application->GetMessageBoxCalls().empty());
}

TEST_F(TableFiles, AFileThatCannotBeReadIsReportedAndTheTableStartsEmpty) {
  const fs::path Missing = Folder / "missing.ini";
  testing::internal::CaptureStderr();
  EXPECT_FALSE(UseTableFile(Missing.string()));
  const std::string Said = testing::internal::GetCapturedStderr();
  const std::string Reason = std::make_error_code(std::errc::no_such_file_or_directory).message();
  EXPECT_NE(Said.find(Missing.string()), std::string::npos) << Said;
  EXPECT_NE(Said.find(Reason), std::string::npos) << Said;
  ASSERT_EQ(Application->GetMessageBoxCalls().size(), 1u);
  const std::string Box = Application->GetMessageBoxCalls()[0].Text;
  EXPECT_NE(Box.find(Missing.string()), std::string::npos) << Box;
  EXPECT_NE(Box.find(Reason), std::string::npos) << Box;
  // The table beside the program is not shown in its place either.
  Open("Сидоров Олег Тверь\n");
  const std::int32_t EmptyRows = Holder->GetRowCount();
  for (std::int32_t Row = Grid->GetFixedRows(); Row < Grid->GetRowCount(); ++Row)
    EXPECT_EQ(Supply(1, Row).Text, "") << Row;
  Form.reset();
  TForm1::LoadsContent = true;
  TForm1::ContentFile.clear();
  Open(nullptr);
  EXPECT_EQ(Holder->GetRowCount(), EmptyRows) << "as without any file";
}

// The real program, offscreen, saving pictures of its window.
class DemoProgramFiles : public TableFiles {
protected:
  void SetUp() override {
    TableFiles::SetUp();
    fs::copy_file(DEMO_PROGRAM, Program, fs::copy_options::overwrite_existing);
  }
  // Runs the program with Args; answers its exit status, keeps what it printed on stderr.
  int RunDemo(const std::string& Args) {
    const fs::path Err = Folder / "stderr.txt";
    const int Status = std::system(
        ("'" + Program.string() + "' " + Args + " >/dev/null 2>'" + Err.string() + "'").c_str());
    std::ifstream In(Err);
    std::stringstream Text;
    Text << In.rdbuf();
    Stderr = Text.str();
    return Status;
  }
  std::string Picture(const std::string& Name) {
    TBitmap Bitmap;
    EXPECT_TRUE(Bitmap.LoadFromPngFile((Folder / Name).string())) << Name;
    return Bitmap.SaveToPngBytes();
  }
  std::string Shot(const std::string& Name) {
    return "--screenshot '" + (Folder / Name).string() + "'";
  }
  std::string File(const fs::path& Path) { return "'" + Path.string() + "'"; }

  fs::path Program = Folder / "ygrids_demo"; // no Content.ini beside it
  std::string Stderr;
};

TEST_F(DemoProgramFiles, ShowsTheFileNamedBeforeOrAfterTheOptions) {
  ASSERT_EQ(RunDemo(Shot("none.png")), 0) << Stderr;
  ASSERT_EQ(RunDemo(File(Table) + " " + Shot("before.png")), 0) << Stderr;
  ASSERT_EQ(RunDemo(Shot("after.png") + " " + File(Table)), 0) << Stderr;
  fs::copy_file(Table, Folder / "Content.ini");
  ASSERT_EQ(RunDemo(Shot("beside.png")), 0) << Stderr;
  EXPECT_NE(Picture("before.png"), Picture("none.png"));
  EXPECT_EQ(Picture("before.png"), Picture("after.png"));
  EXPECT_EQ(Picture("before.png"), Picture("beside.png")) << "read as the file beside it is";
}

TEST_F(DemoProgramFiles, AFileThatCannotBeReadIsNamedAndTheProgramStillStarts) {
  ASSERT_EQ(RunDemo(Shot("none.png")), 0) << Stderr;
  const fs::path Missing = Folder / "no such table.ini";
  ASSERT_EQ(RunDemo(File(Missing) + " " + Shot("missing.png")), 0) << Stderr;
  EXPECT_NE(Stderr.find(Missing.string()), std::string::npos) << Stderr;
  EXPECT_NE(Stderr.find(std::make_error_code(std::errc::no_such_file_or_directory).message()),
            std::string::npos)
      << Stderr;
  EXPECT_EQ(Picture("missing.png"), Picture("none.png")) << "an empty table";
  ASSERT_EQ(RunDemo(File(Folder) + " " + Shot("folder.png")), 0) << Stderr;
  EXPECT_NE(Stderr.find(std::make_error_code(std::errc::is_a_directory).message()),
            std::string::npos)
      << Stderr;
  EXPECT_EQ(Picture("folder.png"), Picture("none.png"));
}

TEST_F(DemoProgramFiles, AWrongCommandLineIsRefusedWithItsUsage) {
  EXPECT_NE(RunDemo("--screenshot"), 0);
  EXPECT_NE(Stderr.find("usage"), std::string::npos) << Stderr;
}

} // namespace
