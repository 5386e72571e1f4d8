// Forms, the screen and the application object.
//
// TForm        a top-level window with a caption, an active control and its own dialog keys
//              (Tab); it closes through OnCloseQuery / OnClose.
// TScreen      the forms, the active form, the cursor shapes (global Screen).
// TApplication creates the Qt application object, the forms (CreateForm), runs the event loop
//              until the main form closes, shows exceptions and message boxes (global
//              Application).
#pragma once

#include "host/gui/Controls.h"

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
// Where a form appears the first time it is shown: at its bounds (poDesigned, and the
// positions left to the window system), or centred on the screen.
enum TPosition : std::uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// What a form designer does for a form it edits.
class TFormDesigner {
public:
  virtual ~TFormDesigner() = default;
  // The form was changed (a control was sized with the mouse ...).
  virtual void Modified() = 0;
};

// ================================================================ TForm
// A top-level window. Its window has no frame of its own (the window manager draws any title
// bar), so its client area is its whole size.
class TForm : public TWinControl {
public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  const std::string& GetCaption() const { return Caption; } // UTF-8
  void SetCaption(const std::string& Value);
  TPosition GetPosition() const { return Position; }
  void SetPosition(TPosition Value) { Position = Value; }

  // The control that has, or gets, the keyboard focus when the form is active.
  TWinControl* GetActiveControl() const { return ActiveControl; }
  // Raises EInvalidOperation for a control that cannot take the focus (hidden, disabled).
  void SetActiveControl(TWinControl* Control);
  // Makes Control the active control and focuses it when the form is active.
  void FocusControl(TWinControl* Control);
  // The form's window is the application's active window.
  bool GetActive() const { return Active; }
  // Shows the form and makes it the active window at once (offscreen too).
  void Activate();
  // Asks OnCloseQuery, then OnClose for the action: hide, free later, nothing; closing the
  // main form ends the application's event loop.
  void Close();
  // Deletes the form from the event loop, after the message being handled.
  void Release();
  TFormDesigner* GetDesigner() const { return Designer; }
  void SetDesigner(TFormDesigner* Value) { Designer = Value; }

  // Tells the active control to stop a mouse interaction (CM_CANCELMODE, LParam = Sender).
  void SendCancelMode(TControl* Sender);
  // The control that took the keyboard focus: OnExit of the old, OnEnter of the new.
  void SetFocusedControl(TWinControl* Control);
  // Fires OnCreate; TApplication::CreateForm calls it once the form is constructed.
  void DoCreate();
  // Fires OnDestroy once; the application calls it before deleting its forms.
  void DoDestroy();

  void WndProc(TMessage& Message) override;
  // Stored inside the form: its controls, then the other components it owns (image lists).
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  void CreateParams(TCreateParams& Params) override;
  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& Action);
  virtual void DoShow();
  virtual void DoHide();

private:
  friend class TWinControl;
  void ControlRemoved(TControl* Control); // a control leaves the form: forget it as active
  void SetWindowFocus();
  void PlaceOnScreen();
  void CMShowingChanged(TMessage& Message);
  void CMActivate(TMessage& Message);
  void CMDeactivate(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void WMClose(TMessage& Message);

  std::string Caption;
  TPosition Position = poDesigned;
  TWinControl* ActiveControl = nullptr;  // not owned
  TWinControl* FocusedControl = nullptr; // the control that last took the focus
  TFormDesigner* Designer = nullptr;     // not owned
  bool Active = false;
  bool Placed = false;    // the first show placed the form
  bool Destroyed = false; // OnDestroy has fired
};

// A picture of the form as on screen, its controls included, saved as a PNG; works without a
// display too. False when the file cannot be written.
bool SaveFormImage(TForm& Form, const std::string& FileName);

// The form a control is on: the top of its parent chain when that is a form.
TForm* GetParentForm(const TControl* Control);

// ================================================================ TScreen
class TScreen : public TComponent {
public:
  TScreen() : TComponent(nullptr) {}
  const char* ClassName() const override { return "TScreen"; }

  int GetFormCount() const { return static_cast<int>(Forms.size()); }
  TForm* GetForms(int Index) const;
  // The form whose window is active, or null.
  TForm* GetActiveForm() const;
  TWinControl* GetActiveControl() const;
  // The shape of a cursor identifier; unknown identifiers give the arrow.
  HCURSOR GetCursors(TCursor Index) const;
  // The cursor for the whole application (crDefault: each control's own).
  TCursor GetCursor() const { return Cursor; }
  void SetCursor(TCursor Value);
  int GetWidth() const; // of the primary screen
  int GetHeight() const;

private:
  friend class TForm;
  std::vector<TForm*> Forms; // not owned
  TCursor Cursor = crDefault;
  bool OverrideSet = false; // Qt's override cursor is ours to restore
};

// ================================================================ TApplication
// One message box shown through the application.
struct TMessageBoxCall {
  std::string Text;
  std::string Caption;
  unsigned Flags = 0;
  int Answer = 0;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
  TApplication() : TComponent(nullptr) {}
  ~TApplication() override;
  const char* ClassName() const override { return "TApplication"; }

  // Creates the Qt application object (on the offscreen platform when there is no display
  // and no platform chosen) and sets the Fusion style.
  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T> void CreateForm(T*& Reference) {
    Reference = new T(this);
    FormCreated(Reference);
  }
  TForm* GetMainForm() const { return MainForm; }
  // Shows the main form active and runs the event loop until Terminate (closing the main
  // form).
  void Run();
  // Handles the events that are waiting, then returns.
  void ProcessMessages();
  void Terminate();
  bool GetTerminated() const { return Terminated; }
  // The full path of the running executable.
  std::string GetExeName() const;
  // The name in message box captions: the executable's file name without its extension.
  std::string GetTitle() const;
  void SetTitle(const std::string& Value) { Title = Value; }

  // A modal message box (UTF-8 texts, MB_* flags); answers ID*. A queued answer (below) is
  // taken without showing anything; without one, on a platform that cannot show windows to a
  // user (offscreen) the box answers its default button at once, as if Enter was pressed:
  // the first button, or the one MB_DEFBUTTON2 / MB_DEFBUTTON3 names.
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = MB_OK);
  // Answers for the next message boxes, in order.
  void QueueMessageBoxAnswer(int Answer) { QueuedAnswers.push_back(Answer); }
  // Every message box shown, in order.
  const std::vector<TMessageBoxCall>& GetMessageBoxCalls() const { return MessageBoxCalls; }
  void ClearMessageBoxCalls() { MessageBoxCalls.clear(); }

  // Prints the exception's message to stderr and shows it in a message box.
  void ShowException(const std::exception& E);
  // Inside a catch block: the exception goes to OnException when assigned, else to
  // ShowException; one that is not a std::exception as an Exception with an empty message.
  void HandleException(TObject* Sender);
  TExceptionEvent OnException;

private:
  friend class TForm;
  friend void DoneApplication();
  void FormCreated(TForm* Form);
  void DestroyForms();
  int ShowMessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);

  TForm* MainForm = nullptr;
  bool Terminated = false;
  std::string Title;
  std::deque<int> QueuedAnswers;
  std::vector<TMessageBoxCall> MessageBoxCalls;
};

extern TApplication* Application;
extern TScreen* Screen;

// Destroys the application's forms, each told first (OnDestroy), while Qt is still whole. A
// program calls it before main returns: the application object would otherwise do it during
// the process's exit, after some of Qt's own objects are gone, and a form whose window still
// has the mouse pointer over it would reach into them as it goes.
void DoneApplication();
