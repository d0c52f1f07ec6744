#pragma once
// The solution window: the turns that solve the cube, the next one marked, "turn k of
// n" and the step's name in large type to be read from arm's length. It stands beside
// the main window without blocking it; its keys go to SolutionKeyDown (app/solution.h),
// Esc and F12 close it.

#include <QDialog>

class QLabel;
class QTextBrowser;

class TSolutionWindow : public QDialog {
 public:
  explicit TSolutionWindow(QWidget* parent = nullptr);
  // Shows the window beside the main window, or brings it to the front, with the
  // keyboard.
  void ShowAndRaise();
  // Shows what app/solution.h holds now.
  void Refresh();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QLabel* Methods = nullptr;
  QLabel* Headline = nullptr;
  QLabel* StepLine = nullptr;
  QTextBrowser* List = nullptr;
  bool Placed = false;
};
