#pragma once
// The about box: a fixed dialog with a picture, the product name and its version.

#include <QDialog>
#include <QPixmap>

// The program's picture: the puzzle seen on a corner. The about box shows it and the
// main window takes it as its icon.
QPixmap ProgramPicture();

class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  // Centres the box on the screen and shows it modally.
  void ShowCentred();
};
