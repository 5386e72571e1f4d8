/// \file
/// A windowed control of the host inside an ordinary Qt widget hierarchy.

#pragma once

#include <QWidget>

#include <memory>

class TWinControl;

/// A QWidget that owns one control without owner or parent (a TYGrid, or any TWinControl) and shows
/// the control's window as its only child, always as large as itself. It goes into any Qt
/// layout, needs no TForm, and Qt's own event loop (QApplication::exec) runs it:
///
/// \code
/// QApplication App(argc, argv);
/// QMainWindow Window;
/// auto* Host = new TControlWidget;
/// TYGrid* Grid = Host->CreateControl<TYGrid>();
/// Grid->OnFocusCell = ...; // the control's events reach the application's code
/// Window.setCentralWidget(Host);
/// Window.show();
/// return App.exec();
/// \endcode
///
/// Keyboard focus moves between the control and the Qt widgets around it: a click or
/// QWidget::setFocus gives the control the focus; Tab and Shift+Tab enter it in the place this
/// widget has in its window's tab order, and leave it for the next (previous) Qt widget that
/// takes the focus by Tab, unless the control keeps Tab for itself (a grid with ygoTabs).
/// Create the QApplication before the first control's window, so that the host uses that one.
class TControlWidget : public QWidget {
  Q_OBJECT

public:
  /// An empty widget; SetControl or CreateControl gives it its control.
  explicit TControlWidget(QWidget* Parent = nullptr);
  /// Deletes the control first (its free handlers run while this widget still exists).
  ~TControlWidget() override;

  /// Creates a control of type T without owner or parent, hands it to this widget
  /// (SetControl) and answers it.
  template <class T> T* CreateControl() {
    auto Control = std::make_unique<T>(nullptr);
    T* Result = Control.get();
    SetControl(std::move(Control));
    return Result;
  }
  /// Takes Control, deletes the control held before, and shows Control's window here at this
  /// widget's size. Null leaves the widget empty. A control with an owner or a parent is
  /// refused with std::invalid_argument and left to them.
  void SetControl(std::unique_ptr<TWinControl> Control);
  /// The control held, or null.
  TWinControl* GetControl() const { return Control.get(); }

  /// Moves the keyboard focus from the control to the next (Forward) or previous Qt widget of
  /// this window's tab order that takes the focus by Tab; answers whether one took it.
  bool FocusNeighbour(bool Forward);

  /// The control's size as it was when it was handed over, as the layout's starting point.
  QSize sizeHint() const override;

protected:
  /// Sizes the control to the widget.
  void resizeEvent(QResizeEvent* Event) override;
  /// Hands the focus on to the control.
  void focusInEvent(QFocusEvent* Event) override;

private:
  void FitControl();

  std::unique_ptr<TWinControl> Control;
  QSize ControlSize; // the control's size when it came
};
