// The installed package, used as an application outside the source tree uses it.
#include "host/gui/Forms.h"
#include "host/gui/Graphics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path Work = WORK_DIR;
const fs::path Prefix = Work / "prefix";

// Runs a command in the shell with its output in a log; answers the log on failure.
testing::AssertionResult Shell(const std::string& Command, const std::string& LogName) {
  const fs::path Log = Work / (LogName + ".log");
  const int Status = std::system((Command + " >" + Log.string() + " 2>&1").c_str());
  if (Status == 0) return testing::AssertionSuccess();
  std::ifstream In(Log);
  std::stringstream Text;
  Text << In.rdbuf();
  return testing::AssertionFailure() << Command << "\nfailed (" << Status << "):\n" << Text.str();
}

std::string Quoted(const fs::path& Path) {
  return "'" + Path.string() + "'";
}

// Installs the build into a fresh prefix once for all the tests here.
class InstalledPackage : public testing::Test {
protected:
  static void SetUpTestSuite() {
    fs::remove_all(Work);
    fs::create_directories(Work);
    Installed = Shell(std::string(CMAKE_PROGRAM) + " --install " + Quoted(BUILD_DIR) +
                          " --prefix " + Quoted(Prefix),
                      "install");
  }
  void SetUp() override {
    ASSERT_TRUE(Installed);
    Application->Initialize(); // for reading the pictures
  }

  static testing::AssertionResult Installed;
};
testing::AssertionResult InstalledPackage::Installed = testing::AssertionFailure();

// Runs a viewer on the sample table and reads the picture it saved.
testing::AssertionResult Screenshot(const fs::path& Viewer, const std::string& Name, TBitmap& Out) {
  const fs::path Png = Work / (Name + ".png");
  const auto Ran =
      Shell(Quoted(Viewer) + " " + Quoted(fs::path(EXAMPLES_DIR) / "viewer/cities.csv") +
                " --screenshot " + Quoted(Png),
            Name);
  if (!Ran) return Ran;
  if (!Out.LoadFromPngFile(Png.string())) return testing::AssertionFailure() << "no " << Png;
  return testing::AssertionSuccess();
}

int CountPixels(TBitmap& Picture, TColor Color) {
  int Count = 0;
  for (int Y = 0; Y < Picture.GetHeight(); ++Y)
    for (int X = 0; X < Picture.GetWidth(); ++X)
      Count += Picture.GetCanvas()->GetPixel(X, Y) == Color;
  return Count;
}

// A grid of the sample table: a fixed row and column in the button face colour, and rows of
// cells in the window colour, as much of each as a 620 x 420 window shows.
void ExpectGridPicture(TBitmap& Picture) {
  ASSERT_EQ(Picture.GetWidth(), 620);
  ASSERT_EQ(Picture.GetHeight(), 420);
  EXPECT_GT(CountPixels(Picture, ColorToRGB(clBtnFace)), 500 * 18 + 40 * 300);
  EXPECT_GT(CountPixels(Picture, ColorToRGB(clWindow)), 500 * 100);
}

TEST_F(InstalledPackage, HoldsThePublicHeadersLibrariesAndPackageFilesOnly) {
  for (const char* File :
       {"include/ygrids/grid/YGrids.h", "include/ygrids/grid/YCustomGrid.h",
        "include/ygrids/host/gui/ControlWidget.h", "include/ygrids/host/gui/Forms.h",
        "include/ygrids/host/classes/Components.h", "lib/cmake/YGrids/YGridsConfig.cmake",
        "lib/cmake/YGrids/YGridsConfigVersion.cmake", "lib/cmake/YGrids/YGridsTargets.cmake",
        "lib/pkgconfig/ygrids.pc"})
    EXPECT_TRUE(fs::exists(Prefix / File)) << File;
  // The layer's own headers and the test helpers stay behind.
  for (const char* File :
       {"include/ygrids/host/gui/Window.h", "include/ygrids/host/gui/Backend.h",
        "include/ygrids/host/gui/Testing.h", "include/ygrids/grid/CellsHolderAxis.h"})
    EXPECT_FALSE(fs::exists(Prefix / File)) << File;
  int Libraries = 0;
  for (const auto& Entry : fs::directory_iterator(Prefix / "lib")) {
    const std::string Name = Entry.path().filename().string();
    EXPECT_EQ(Name.find("testing"), std::string::npos) << Name;
    Libraries += Name.starts_with("libygrids");
  }
  EXPECT_GE(Libraries, 3);
}

TEST_F(InstalledPackage, AProjectWithFindPackageBuildsAndRendersTheGrid) {
  const fs::path Build = Work / "examples";
  ASSERT_TRUE(Shell(std::string(CMAKE_PROGRAM) + " -S " + Quoted(EXAMPLES_DIR) + " -B " +
                        Quoted(Build) + " -DCMAKE_PREFIX_PATH=" + Quoted(Prefix) +
                        " -DCMAKE_CXX_COMPILER=" + Quoted(CONSUMER_CXX) +
                        " '-DCMAKE_CXX_FLAGS=" + CONSUMER_FLAGS + "'",
                    "configure"));
  ASSERT_TRUE(Shell(std::string(CMAKE_PROGRAM) + " --build " + Quoted(Build), "build"));
  TBitmap Outside, InTree;
  ASSERT_TRUE(Screenshot(Build / "grid_viewer", "outside", Outside));
  ExpectGridPicture(Outside);
  // The same program built in the tree shows the same pixels.
  ASSERT_TRUE(Screenshot(IN_TREE_VIEWER, "in-tree", InTree));
  EXPECT_EQ(Outside.SaveToPngBytes(), InTree.SaveToPngBytes());
}

TEST_F(InstalledPackage, AProgramBuildsWithPkgConfig) {
  const std::string Flags =
      "PKG_CONFIG_PATH=" + Quoted(Prefix / "lib/pkgconfig") + " pkg-config --cflags --libs ygrids";
  ASSERT_TRUE(Shell(Quoted(CONSUMER_CXX) + " " + CONSUMER_FLAGS + " " +
                        Quoted(fs::path(EXAMPLES_DIR) / "minimal/main.cpp") + " -o " +
                        Quoted(Work / "minimal") + " $(" + Flags + ")",
                    "pkg-config"));
  EXPECT_TRUE(fs::exists(Work / "minimal"));
}

} // namespace
