// The window-system functions of the program, answered by the Qt main window.

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QStringList>

#include <memory>

#include "platform/platform.h"
#include "platform/qt/aboutbox.h"
#include "platform/qt/framereport.h"
#include "platform/qt/helpwindow.h"
#include "platform/qt/solutionwindow.h"
#include "platform/qt/tornelo.h"

namespace {

QString ToQt(const std::string& text) { return QString::fromUtf8(text.c_str()); }
std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

QColor ColorFromSys(SysColor c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

SysColor SysFromColor(const QColor& c) {
  return static_cast<SysColor>(c.red()) | static_cast<SysColor>(c.green()) << 8 |
         static_cast<SysColor>(c.blue()) << 16;
}

// A filter as the program writes it, "description|pattern|description|pattern" or a
// bare pattern, in Qt's form. A description that is the pattern itself is shown once.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = ToQt(filter).split('|');
  QStringList filters;
  if (parts.size() < 2) {
    filters << parts.value(0);
    return filters;
  }
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    if (description == pattern)
      filters << pattern;
    else
      filters << description + " (" + QString(pattern).replace(';', ' ') + ")";
  }
  return filters;
}

std::string InitialDirectory;
QStringList DialogFilters;

// A new dialog for every run, so that nothing of an earlier run shows but what the
// caller puts in.
std::unique_ptr<QFileDialog> MakeFileDialog(QFileDialog::AcceptMode mode) {
  auto dialog = std::make_unique<QFileDialog>(Tornelo);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(mode);
  if (mode == QFileDialog::AcceptOpen) {
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setWindowTitle("Open");
  } else {
    dialog->setFileMode(QFileDialog::AnyFile);
    // The save command asks its own question before it replaces a file.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setWindowTitle("Save As");
  }
  dialog->setNameFilters(DialogFilters);
  // The initial directory is taken relative to the working directory at the time the
  // dialog runs; a directory that does not exist leaves the dialog in the working one.
  const QString directory = QDir::current().absoluteFilePath(ToQt(InitialDirectory));
  dialog->setDirectory(QDir(directory).exists() ? directory : QDir::currentPath());
  return dialog;
}

}  // namespace

// --- Window -----------------------------------------------------------------

void SysSetCaption(const std::string& caption) {
  if (Tornelo) Tornelo->setWindowTitle(ToQt(caption));
}

std::string SysCaption() { return Tornelo ? FromQt(Tornelo->windowTitle()) : std::string(); }

void SysClientSize(int& width, int& height) {
  width = height = 0;
  if (Tornelo) Tornelo->GLWindow->ClientSize(width, height);
}

void SysCloseMainWindow() {
  if (!Tornelo) return;
  Tornelo->CloseAsked = true;
  Tornelo->close();
}

// --- Timer1 -------------------------------------------------------------------

void SysStartTimer() {
  // Starting a running timer leaves it as it is: its next tick does not move.
  if (Tornelo && !Tornelo->Timer1.isActive()) {
    Tornelo->Timer1.start();
    ReportTimer();
  }
}

void SysStopTimer() {
  if (!Tornelo) return;
  Tornelo->Timer1.stop();
  ReportTimer();
}

bool SysTimerRunning() { return Tornelo && Tornelo->Timer1.isActive(); }

// --- Menu -------------------------------------------------------------------

bool SysMenuChecked(MenuItem item) {
  QAction* action = Tornelo ? Tornelo->Action(item) : nullptr;
  return action && action->isChecked();
}

void SysSetMenuChecked(MenuItem item, bool checked) {
  if (Tornelo) Tornelo->SetMenuChecked(item, checked);
}

bool SysMenuEnabled(MenuItem item) {
  QAction* action = Tornelo ? Tornelo->Action(item) : nullptr;
  return action && action->isEnabled();
}

void SysSetMenuEnabled(MenuItem item, bool enabled) {
  if (QAction* action = Tornelo ? Tornelo->Action(item) : nullptr) action->setEnabled(enabled);
}

void SysSetColorSwatch(int index, SysColor fill) {
  if (!Tornelo || index < 1 || index > 6) return;
  QAction* action = Tornelo->Action(static_cast<MenuItem>(static_cast<int>(MenuItem::N12) + index - 1));
  if (!action) return;
  QPixmap swatch(20, 20);
  swatch.fill(Qt::black);
  QPainter painter(&swatch);
  painter.fillRect(1, 1, 18, 18, ColorFromSys(fill));
  painter.end();
  action->setIcon(QIcon(swatch));
}

// --- Dialogs and message boxes ------------------------------------------------

void SysSetFileDialogs(const std::string& initialDirectory, const std::string& filter) {
  InitialDirectory = initialDirectory;
  DialogFilters = NameFilters(filter);
}

bool SysOpenFileDialog(std::string& fileName) {
  if (!Tornelo) return false;
  auto dialog = MakeFileDialog(QFileDialog::AcceptOpen);
  // The dialog starts on the name it chose last time, in that name's directory.
  if (!Tornelo->OpenDialogName.empty()) dialog->selectFile(ToQt(Tornelo->OpenDialogName));
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  Tornelo->OpenDialogName = FromQt(dialog->selectedFiles().first());
  fileName = Tornelo->OpenDialogName;
  return true;
}

bool SysSaveFileDialog(std::string& fileName) {
  if (!Tornelo) return false;
  auto dialog = MakeFileDialog(QFileDialog::AcceptSave);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  fileName = FromQt(dialog->selectedFiles().first());
  return true;
}

bool SysChooseColor(SysColor& colour) {
  QColorDialog dialog(ColorFromSys(colour), Tornelo);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setWindowTitle("Color");
  if (dialog.exec() != QDialog::Accepted) return false;
  colour = SysFromColor(dialog.selectedColor());
  return true;
}

void SysMessageBox(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, ToQt(caption), ToQt(text), QMessageBox::Ok);
  box.exec();
}

bool SysAskOkCancel(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, ToQt(caption), ToQt(text),
                  QMessageBox::Ok | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void SysShowAbout() {
  if (AboutBox) AboutBox->ShowCentred();
}

void SysShowHelp() {
  if (!Tornelo) return;
  if (!Tornelo->HelpWindow) Tornelo->HelpWindow = new THelpWindow(Tornelo);
  Tornelo->HelpWindow->ShowAndRaise();
}

void SysShowSolution(bool shown) {
  if (!Tornelo) return;
  if (!shown) {
    if (Tornelo->SolutionWindow) Tornelo->SolutionWindow->hide();
    return;
  }
  if (!Tornelo->SolutionWindow) Tornelo->SolutionWindow = new TSolutionWindow(Tornelo);
  Tornelo->SolutionWindow->ShowAndRaise();
}

void SysSolutionChanged() {
  if (Tornelo && Tornelo->SolutionWindow && Tornelo->SolutionWindow->isVisible())
    Tornelo->SolutionWindow->Refresh();
}

// --- Clipboard ----------------------------------------------------------------

std::string SysClipboardText() { return FromQt(QGuiApplication::clipboard()->text()); }

void SysSetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(ToQt(text)); }

// --- Settings kept between runs -------------------------------------------------
// One file under the application id: $XDG_CONFIG_HOME/org.example.Tornelo.conf.

namespace {
QSettings& StoredSettings() {
  static QSettings settings(QStringLiteral(TORNELO_APP_ID));
  return settings;
}
}  // namespace

bool SysReadSetting(const std::string& key, std::string& value) {
  const QVariant stored = StoredSettings().value(ToQt(key));
  if (!stored.isValid()) return false;
  value = FromQt(stored.toString());
  return true;
}

bool SysWriteSetting(const std::string& key, const std::string& value) {
  QSettings& settings = StoredSettings();
  settings.setValue(ToQt(key), ToQt(value));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

// --- Events -------------------------------------------------------------------

void SysProcessEvents() { QCoreApplication::processEvents(); }

// --- OpenGL binding -------------------------------------------------------------

bool SysCreateRenderContext() { return Tornelo && Tornelo->CreateRenderContext(); }

bool SysMakeCurrent() { return Tornelo && Tornelo->MakeCurrent(); }

void SysRedraw() {
  if (Tornelo) Tornelo->FormPaint();
}

void SysReleaseRenderContext() {
  if (Tornelo) Tornelo->ReleaseRenderContext();
}
