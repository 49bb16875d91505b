#pragma once

class QDialog;
class QWidget;

// What the main window offers the windows it opens.
class MainWindowLink {
public:
  virtual ~MainWindowLink() = default;
  // The unit number chosen for the device (written into value files).
  virtual int UnitNumber() const = 0;
  // The parameters changed: the input and output function texts follow.
  virtual void RefreshFunctionTexts() = 0;
};

// The windows that windows of other folders open, known only by what they
// are to them, so that no window includes the main window or a window of
// another folder. Filled in once by whoever creates the windows; a window
// that is not there (a test without it) is null.
struct WindowLinks {
  MainWindowLink* main = nullptr;
  QDialog* parameterService = nullptr;  // opens on GlobalVar().SelectedParameter
  QWidget* errorNumberHelp = nullptr;
};

WindowLinks& Links();
