// The real demo program on a virtual X display: started beside a test "Content.ini", driven
// with xdotool, looked at through screenshots of the whole display.
#include "host/gui/Forms.h"
#include "host/gui/Graphics.h"
#include "tests/app/XWindowClose.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int Shell(const std::string& Command) {
  return std::system(Command.c_str());
}

// What Command writes to standard output.
std::string ShellOutput(const std::string& Command) {
  std::string Output;
  if (FILE* Pipe = ::popen(Command.c_str(), "r")) {
    char Buffer[256];
    while (std::fgets(Buffer, sizeof Buffer, Pipe))
      Output += Buffer;
    ::pclose(Pipe);
  }
  return Output;
}

bool WaitFor(const std::function<bool()>& Ready) {
  for (int I = 0; I < 100; ++I) {
    if (Ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

// A display of its own on Xvfb for the test's lifetime.
class VirtualDisplay {
public:
  VirtualDisplay() {
    for (int N = 90 + ::getpid() % 50; N < 200 && Name.empty(); ++N) {
      const std::string Socket = "/tmp/.X11-unix/X" + std::to_string(N);
      if (fs::exists(Socket) || fs::exists("/tmp/.X" + std::to_string(N) + "-lock")) continue;
      const std::string Candidate = ":" + std::to_string(N);
      Shell("Xvfb " + Candidate +
            " -screen 0 1024x600x24 -nolisten tcp >/dev/null 2>&1 & echo $! > " + PidFile());
      if (WaitFor([&] { return fs::exists(Socket); })) Name = Candidate;
    }
  }
  ~VirtualDisplay() { Shell("kill $(cat " + PidFile() + ") 2>/dev/null"); }
  const std::string& GetName() const { return Name; }

private:
  static std::string PidFile() {
    return fs::temp_directory_path() / ("ygrids_xvfb_" + std::to_string(::getpid()) + ".pid");
  }
  std::string Name;
};

// The demo started on its own display. The form sits at (286, 129) with its grid inside a
// 2-pixel frame; grid column c starts at 65 * c, row r at 25 * r (client pixels).
class DemoOnDisplay : public testing::Test {
protected:
  void SetUp() override {
    Application->Initialize(); // for reading the screenshots
    ASSERT_FALSE(Display.GetName().empty()) << "Xvfb did not start";
    fs::create_directories(Folder);
    fs::copy_file(DEMO_PROGRAM, Folder / "ygrids_demo", fs::copy_options::overwrite_existing);
    std::ofstream(Folder / "Content.ini") << "Иванов Пётр Москва\nПетров Иван Казань\n"
                                             "Сидоров Олег Тверь\nКозлов Юрий Самара\n";
    // The shell waits for the program and keeps its exit status.
    Shell(Env() + "sh -c '" + (Folder / "ygrids_demo").string() + " >/dev/null 2>&1 & echo $! > " +
          (Folder / "pid").string() + "; wait $!; echo $? > " + StatusFile() + "' &");
    ASSERT_TRUE(WaitFor([&] { return Shot() && Pixel(200, 20) == ColorToRGB(clBtnFace); }))
        << "no window on " << ShotFile();
  }
  void TearDown() override {
    Shell("kill $(cat " + (Folder / "pid").string() + ") 2>/dev/null");
    // The waiting shell writes the exit status into the folder once the program has ended:
    // removing the folder before that races with the write.
    WaitFor([&] { return fs::exists(StatusFile()); });
    std::error_code Ignored;
    if (!HasFailure()) fs::remove_all(Folder, Ignored); // a failure keeps the screenshot to look at
  }

  std::string Env() const {
    return "DISPLAY=" + Display.GetName() + " QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 ";
  }
  std::string ShotFile() const { return (Folder / "screen.png").string(); }
  std::string StatusFile() const { return (Folder / "status").string(); }
  // The program's exit status once it has ended, or -1.
  int ExitStatus() const {
    int Status = -1;
    std::ifstream(StatusFile()) >> Status;
    return Status;
  }
  bool Shot() {
    Shell(Env() + "import -window root " + ShotFile() + " 2>/dev/null");
    return Screen.LoadFromPngFile(ShotFile());
  }
  // A pixel of the last screenshot, at grid client pixels.
  TColor Pixel(int X, int Y) { return Screen.GetCanvas()->GetPixel(X0 + X, Y0 + Y); }
  // Whether some pixel of the client area Area has Color in the last screenshot.
  bool AnyPixel(const TRect& Area, TColor Color) {
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X)
        if (Pixel(X, Y) == Color) return true;
    return false;
  }
  bool ShowsSoon(const std::function<bool()>& Check) {
    return WaitFor([&] { return Shot() && Check(); });
  }
  std::string At(int X, int Y) const {
    return std::to_string(X0 + X) + " " + std::to_string(Y0 + Y);
  }
  void Click(int X, int Y) { Shell(Env() + "xdotool mousemove " + At(X, Y) + " click 1"); }
  void Drag(int X, int Y, int ToX, int ToY, int Button) {
    const std::string B = std::to_string(Button);
    Shell(Env() + "xdotool mousemove " + At(X, Y) + " mousedown " + B + " sleep 0.1 mousemove " +
          At((X + ToX) / 2, (Y + ToY) / 2) + " sleep 0.1 mousemove " + At(ToX, ToY) +
          " sleep 0.2 mouseup " + B);
  }

  static constexpr int X0 = 288;
  static constexpr int Y0 = 131;
  VirtualDisplay Display;
  fs::path Folder = fs::temp_directory_path() / ("ygrids_demo_" + std::to_string(::getpid()));
  TBitmap Screen;
};

const TColor Highlight = ColorToRGB(clHighlight);
const TColor ButtonFace = ColorToRGB(clBtnFace);
const TColor Cyan = RGB(0, 255, 255); // the sort arrows (the neutral mark has none)

TEST_F(DemoOnDisplay, ShowsTheTableWithMergedHeaderZebraFocusAndStatusBar) {
  // The program makes itself the active window, so the first data cell shows focused.
  EXPECT_TRUE(ShowsSoon([&] { return Pixel(65 + 50, 75 + 20) == Highlight; })) << ShotFile();
  // The merged title and a group cell in the fixed-cell colour, spanning their columns.
  EXPECT_EQ(Pixel(200, 20), ButtonFace);
  EXPECT_EQ(Pixel(130, 27), ButtonFace); // no line between columns 1 and 2 of group 1
  // Zebra rows: the second data row is the light grey, the third white (column 3).
  EXPECT_EQ(Pixel(195 + 55, 100 + 20), RGB(239, 239, 239));
  EXPECT_EQ(Pixel(195 + 55, 125 + 20), ColorToRGB(clWindow));
  // The status bar along the bottom.
  EXPECT_EQ(Pixel(300, 348 - 10 - 2), ButtonFace);
}

TEST_F(DemoOnDisplay, ClicksAndDragsWorkTheDemo) {
  // "ГРУППА 2": only columns 0, 3 and 4 stay, so the third grid column is background.
  const int DataY = 75 + 25 + 12;
  Click(65 * 3 + 20, 37);
  EXPECT_TRUE(ShowsSoon([&] { return Pixel(65 * 3 + 30, DataY) == ButtonFace; })) << ShotFile();
  Click(100, 12); // "ВСЕ ГРУППЫ"
  EXPECT_TRUE(ShowsSoon([&] { return Pixel(65 * 3 + 30, DataY) != ButtonFace; })) << ShotFile();

  // A number cell sorts by its column: its neutral grey mark turns into the cyan arrow.
  const TRect Number2{65 * 2, 50, 65 * 2 + 64, 74};
  EXPECT_FALSE(AnyPixel(Number2, Cyan));
  Click(65 * 2 + 20, 62);
  EXPECT_TRUE(ShowsSoon([&] { return AnyPixel(Number2, Cyan); })) << ShotFile();

  // A row number focuses the first data cell of its row.
  Click(20, 75 + 25 * 3 + 12);
  EXPECT_TRUE(ShowsSoon([&] { return Pixel(65 + 50, 75 + 25 * 3 + 20) == Highlight; }))
      << ShotFile();

  // Dragging the right line of column 3 in the header widens it by 40 pixels: its line moves.
  const TColor Line = ColorToRGB(clBtnShadow);
  EXPECT_EQ(Pixel(65 * 3 + 64, DataY), Line);
  Drag(65 * 3 + 64, 62, 65 * 3 + 104, 62, 1);
  EXPECT_TRUE(ShowsSoon([&] { return Pixel(65 * 3 + 104, DataY) == Line; })) << ShotFile();
  EXPECT_NE(Pixel(65 * 3 + 64, DataY), Line);

  // A right drag of column 2's header drops it after column 5; its sort mark goes with it.
  const TRect Number5{65 * 5 + 40, 50, 65 * 5 + 40 + 64, 74};
  Drag(65 * 2 + 20, 62, 65 * 5 + 40 + 30, DataY, 3);
  EXPECT_TRUE(ShowsSoon([&] { return AnyPixel(Number5, Cyan); })) << ShotFile();
  EXPECT_FALSE(AnyPixel(Number2, Cyan));
}

TEST_F(DemoOnDisplay, EndsWithStatusZeroWhenClosedWithThePointerOverTheGrid) {
  Shell(Env() + "xdotool mousemove " + At(65 + 30, 75 + 12));
  // The pointer is over a data cell, so hiding the grid's window on the way out sends it a
  // leave event.
  const std::string Window = ShellOutput(Env() + "xdotool search --onlyvisible --pid $(cat " +
                                         (Folder / "pid").string() + ") | head -n 1");
  ASSERT_FALSE(Window.empty()) << "the demo's window was not found";
  ASSERT_TRUE(RequestWindowClose(Display.GetName(), std::stoul(Window)));
  ASSERT_TRUE(WaitFor([&] { return fs::exists(StatusFile()) && ExitStatus() >= 0; }))
      << "the demo did not end";
  EXPECT_EQ(ExitStatus(), 0);
}

} // namespace
