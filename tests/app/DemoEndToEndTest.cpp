// The real demo program on a virtual X display: started beside a test "Content.ini", looked at
// through a screenshot of the whole display.
#include "host/gui/Forms.h"
#include "host/gui/Graphics.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int Shell(const std::string& Command) {
  return std::system(Command.c_str());
}

// A display of its own on Xvfb for the test's lifetime.
class VirtualDisplay {
public:
  VirtualDisplay() {
    for (int N = 90 + ::getpid() % 50; N < 200 && Name.empty(); ++N) {
      if (fs::exists("/tmp/.X11-unix/X" + std::to_string(N))) continue;
      const std::string Candidate = ":" + std::to_string(N);
      Shell("Xvfb " + Candidate +
            " -screen 0 1024x600x24 -nolisten tcp >/dev/null 2>&1 & echo $! > " + PidFile());
      if (WaitFor([&] { return fs::exists("/tmp/.X11-unix/X" + std::to_string(N)); }))
        Name = Candidate;
    }
  }
  ~VirtualDisplay() { Shell("kill $(cat " + PidFile() + ") 2>/dev/null"); }
  const std::string& GetName() const { return Name; }

  template <class F> static bool WaitFor(F Ready) {
    for (int I = 0; I < 100; ++I) {
      if (Ready()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

private:
  static std::string PidFile() { return fs::temp_directory_path() / "ygrids_xvfb.pid"; }
  std::string Name;
};

TColor PixelAt(TBitmap& Shot, int X, int Y) {
  return Shot.GetCanvas()->GetPixel(X, Y);
}

TEST(DemoEndToEnd, TheRealProgramShowsTheTableOnADisplay) {
  Application->Initialize(); // for reading the screenshot
  VirtualDisplay Display;
  ASSERT_FALSE(Display.GetName().empty()) << "Xvfb did not start";
  const fs::path Folder = fs::temp_directory_path() / ("ygrids_demo_" + std::to_string(::getpid()));
  fs::create_directories(Folder);
  fs::copy_file(DEMO_PROGRAM, Folder / "ygrids_demo", fs::copy_options::overwrite_existing);
  std::ofstream(Folder / "Content.ini") << "Иванов Пётр Москва\nПетров Иван Казань\n"
                                           "Сидоров Олег Тверь\nКозлов Юрий Самара\n";
  const std::string Env =
      "DISPLAY=" + Display.GetName() + " QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 ";
  Shell(Env + (Folder / "ygrids_demo").string() + " >/dev/null 2>&1 & echo $! > " +
        (Folder / "pid").string());
  const fs::path Shot = Folder / "screen.png";
  TBitmap Screen;
  // The form sits at (286, 129), its grid inside a 2-pixel frame. There is no window manager
  // to activate it: once it is up, give it the keyboard focus as a click would.
  const int X0 = 288, Y0 = 131;
  const auto Screenshot = [&] {
    Shell(Env + "import -window root " + Shot.string() + " 2>/dev/null");
    return Screen.LoadFromPngFile(Shot.string());
  };
  const bool Shown = VirtualDisplay::WaitFor(
      [&] { return Screenshot() && PixelAt(Screen, X0 + 200, Y0 + 20) == ColorToRGB(clBtnFace); });
  Shell(Env + "xdotool search --name '^Form1$' windowfocus 2>/dev/null");
  const bool Focused = VirtualDisplay::WaitFor([&] {
    return Screenshot() && PixelAt(Screen, X0 + 65 + 50, Y0 + 75 + 20) == ColorToRGB(clHighlight);
  });
  Shell("kill $(cat " + (Folder / "pid").string() + ") 2>/dev/null");
  ASSERT_TRUE(Shown) << "no window on " << Shot;
  EXPECT_TRUE(Focused) << "no focused cell on " << Shot;
  // The merged title and a group cell in the fixed-cell colour, spanning their columns.
  EXPECT_EQ(PixelAt(Screen, X0 + 200, Y0 + 20), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(Screen, X0 + 130, Y0 + 27), ColorToRGB(clBtnFace)); // no line at column 2
  // Zebra rows: the second data row is the light grey, the third white (column 3).
  EXPECT_EQ(PixelAt(Screen, X0 + 195 + 55, Y0 + 100 + 20), RGB(239, 239, 239));
  EXPECT_EQ(PixelAt(Screen, X0 + 195 + 55, Y0 + 125 + 20), ColorToRGB(clWindow));
  // The status bar along the bottom.
  EXPECT_EQ(PixelAt(Screen, X0 + 300, Y0 + 348 - 10), ColorToRGB(clBtnFace));
  fs::remove_all(Folder);
}

} // namespace
