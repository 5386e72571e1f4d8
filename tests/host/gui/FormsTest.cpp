// Forms and the application object: showing and closing forms, the executable's name,
// message boxes that answer without a user, and exceptions shown through the application.
#include "GuiTestSupport.h"

#include <cstdlib>
#include <iostream>
#include <sstream>

class FormsTest : public GuiTest {
protected:
  void TearDown() override {
    Application->ClearMessageBoxCalls();
    Application->OnException = nullptr;
    GuiTest::TearDown();
  }
};

// ---------------------------------------------------------------- forms

TEST_F(FormsTest, ShowingAFormFiresOnShowAndHidingOnHide) {
  TForm Form(nullptr);
  std::vector<std::string> Log;
  Form.OnShow = [&](TObject*) { Log.push_back("show"); };
  Form.OnHide = [&](TObject*) { Log.push_back("hide"); };
  EXPECT_FALSE(Form.GetVisible());
  Form.Show();
  EXPECT_TRUE(Form.GetShowing());
  EXPECT_TRUE(IsWindowVisible(Form.GetHandle()));
  Form.Hide();
  EXPECT_FALSE(IsWindowVisible(Form.GetHandle()));
  EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(FormsTest, ClientSizeIsTheFormsSize) {
  TForm Form(nullptr);
  Form.SetClientWidth(653);
  Form.SetClientHeight(348);
  Form.Show();
  EXPECT_EQ(Form.GetWidth(), 653);
  EXPECT_EQ(Form.GetClientHeight(), 348);
  EXPECT_EQ(Form.GetClientRect(), Rect(0, 0, 653, 348));
}

TEST_F(FormsTest, CloseAsksTheFormAndHidesIt) {
  TForm Form(nullptr);
  Form.Show();
  bool Allow = false;
  std::vector<std::string> Log;
  Form.OnCloseQuery = [&](TObject*, bool& CanClose) {
    Log.push_back("query");
    CanClose = Allow;
  };
  Form.OnClose = [&](TObject*, TCloseAction& Action) {
    Log.push_back(Action == caHide ? "close hide" : "close ?");
  };
  Form.Close();
  EXPECT_TRUE(Form.GetShowing());
  Allow = true;
  Form.Close();
  EXPECT_FALSE(Form.GetShowing());
  EXPECT_EQ(Log, (std::vector<std::string>{"query", "query", "close hide"}));
}

TEST_F(FormsTest, CloseWithActionNoneKeepsTheForm) {
  TForm Form(nullptr);
  Form.Show();
  Form.OnClose = [](TObject*, TCloseAction& Action) { Action = caNone; };
  SendMessage(Form.GetHandle(), WM_CLOSE, 0, 0); // the window manager's close button
  EXPECT_TRUE(Form.GetShowing());
}

TEST_F(FormsTest, CloseWithActionFreeDeletesTheFormFromTheEventLoop) {
  auto* Form = new TForm(nullptr);
  bool Destroyed = false;
  Form->OnDestroy = [&](TObject*) { Destroyed = true; };
  Form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
  Form->Show();
  Form->Close();
  EXPECT_FALSE(Destroyed);
  const int Forms = Screen->GetFormCount();
  Testing::ProcessEvents();
  EXPECT_TRUE(Destroyed);
  EXPECT_EQ(Screen->GetFormCount(), Forms - 1);
}

TEST_F(FormsTest, GetParentFormIsTheTopOfTheParentChain) {
  TForm Form(nullptr);
  auto* Panel = new TWinControl(&Form);
  Panel->SetParent(&Form);
  auto* Inner = new TProbe(&Form);
  Inner->SetParent(Panel);
  EXPECT_EQ(GetParentForm(Inner), &Form);
  EXPECT_EQ(GetParentForm(&Form), &Form);
  TProbe Loose;
  EXPECT_EQ(GetParentForm(&Loose), nullptr);
}

TEST_F(FormsTest, TheCaptionIsKept) {
  TForm Form(nullptr);
  Form.SetCaption("Форма 1");
  Form.Show();
  EXPECT_EQ(Form.GetCaption(), "Форма 1");
}

// ---------------------------------------------------------------- the application

TEST_F(FormsTest, ExeNameIsTheRunningProgram) {
  const std::string Name = Application->GetExeName();
  ASSERT_FALSE(Name.empty());
  EXPECT_EQ(Name.front(), '/');
  const std::string Program = testing::internal::GetArgvs().front();
  const std::string Base = Program.substr(Program.find_last_of('/') + 1);
  EXPECT_EQ(Name.substr(Name.size() - Base.size()), Base);
  EXPECT_EQ(Application->GetTitle(), Base);
}

TEST_F(FormsTest, AQueuedAnswerIsTakenWithoutShowingAnything) {
  Application->QueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(Application->MessageBox("Продолжить?", "ВНИМАНИЕ", MB_YESNO | MB_ICONEXCLAMATION),
            IDNO);
  const auto& Calls = Application->GetMessageBoxCalls();
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Text, "Продолжить?");
  EXPECT_EQ(Calls[0].Caption, "ВНИМАНИЕ");
  EXPECT_EQ(Calls[0].Flags, 0x34u);
  EXPECT_EQ(Calls[0].Answer, IDNO);
}

TEST_F(FormsTest, WithoutAUserTheDefaultButtonAnswers) {
  if (!Testing::Offscreen()) GTEST_SKIP() << "a user could answer on this platform";
  struct TCase {
    unsigned Flags;
    int Answer;
  };
  for (const TCase& C :
       {TCase{MB_OK, IDOK}, TCase{MB_YESNO, IDYES}, TCase{MB_YESNO | MB_DEFBUTTON2, IDNO},
        TCase{MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL}, TCase{MB_OKCANCEL | MB_DEFBUTTON3, IDOK},
        TCase{MB_RETRYCANCEL, IDRETRY}, TCase{MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY}})
    EXPECT_EQ(Application->MessageBox("?", "", C.Flags), C.Answer) << C.Flags;
}

TEST_F(FormsTest, AMessageBoxCancelsTheFocusedControlsMode) {
  TForm Form(nullptr);
  auto* P = new TProbe(&Form);
  P->SetParent(&Form);
  P->SetTabStop(true);
  Form.Activate();
  ASSERT_TRUE(P->Focused());
  Application->QueueMessageBoxAnswer(IDOK);
  Application->MessageBox("!", "", MB_OK);
  EXPECT_EQ(P->Count(WM_CANCELMODE), 1);
}

TEST_F(FormsTest, ShowExceptionPrintsAndShowsTheMessage) {
  std::ostringstream Err;
  auto* Old = std::cerr.rdbuf(Err.rdbuf());
  Application->QueueMessageBoxAnswer(IDOK);
  Application->ShowException(Exception("Grid index out of range"));
  std::cerr.rdbuf(Old);
  EXPECT_NE(Err.str().find("Grid index out of range"), std::string::npos);
  const auto& Calls = Application->GetMessageBoxCalls();
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Text, "Grid index out of range");
  EXPECT_EQ(Calls[0].Flags & MB_ICONMASK, MB_ICONSTOP);
}

TEST_F(FormsTest, HandleExceptionPassesTheExceptionOn) {
  std::vector<std::string> Seen;
  Application->OnException = [&](TObject*, const std::exception& E) { Seen.push_back(E.what()); };
  try {
    throw Exception("one");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  try {
    throw 42;
  } catch (...) {
    Application->HandleException(nullptr);
  }
  EXPECT_EQ(Seen, (std::vector<std::string>{"one", ""}));
}

TEST_F(FormsTest, AnExceptionInAMessageHandlerReachesTheApplication) {
  std::vector<std::string> Seen;
  Application->OnException = [&](TObject* Sender, const std::exception& E) {
    Seen.push_back(std::string(E.what()) + (Sender ? " with sender" : ""));
  };
  TProbe P;
  P.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
    throw Exception("bad press");
  };
  EXPECT_NO_THROW(Testing::ClickAt(P, 1, 1));
  EXPECT_EQ(Seen, (std::vector<std::string>{"bad press with sender"}));
  // Perform is a direct call: the exception reaches the caller.
  EXPECT_THROW(P.Perform(WM_LBUTTONDOWN, MK_LBUTTON, 0), Exception);
}

// The event loop runs once in a process: this runs in a process of its own, which ends as a
// program does, with the application deleting its forms.
using FormsDeathTest = FormsTest;

TEST_F(FormsDeathTest, CreateFormMakesTheFirstFormTheMainFormAndRunEndsWhenItCloses) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TForm* Main = nullptr;
        Application->CreateForm(Main);
        TForm* Second = nullptr;
        Application->CreateForm(Second);
        bool Shown = false;
        Main->OnShow = [&](TObject*) {
          Shown = true;
          PostMessage(Main->GetHandle(), WM_CLOSE, 0, 0);
        };
        Main->OnDestroy = [](TObject*) { std::cerr << "main form destroyed" << std::endl; };
        Application->Run();
        const bool Ok = Shown && Application->GetTerminated() &&
                        Application->GetMainForm() == Main && Main->GetOwner() == Application &&
                        Second->GetOwner() == Application;
        std::cerr << (Ok ? "ran" : "wrong") << std::endl;
        std::exit(0);
      },
      testing::ExitedWithCode(0), "ran\nmain form destroyed");
}
