#pragma once
// The help window: the keys, the mouse, the face maps and their notation, entering and
// solving a real cube, and what the run modes do. It stands beside the main window
// without blocking it; Esc closes it.

#include <QDialog>

class THelpWindow : public QDialog {
 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  // Shows the window, or brings it to the front, and gives it the keyboard.
  void ShowAndRaise();
};

// The help text as HTML.
const char* HelpHtml();
