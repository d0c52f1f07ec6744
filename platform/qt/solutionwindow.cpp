#include "platform/qt/solutionwindow.h"

#include <QFont>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/solution.h"
#include "cube/notation.h"
#include "platform/qt/keys.h"

namespace {

QString Escaped(const std::string& text) { return QString::fromUtf8(text.c_str()).toHtmlEscaped(); }

QLabel* MakeLabel(const char* name, int points, bool bold, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPointSize(points);
  font.setBold(bold);
  label->setFont(font);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The list as HTML: one paragraph per step (one for the short solution), the turns
// played in grey, the marked one on a yellow ground.
QString ListHtml() {
  QString html;
  if (!SolutionFaults.empty()) {
    html += "<p>The check found:</p><ul>";
    for (const std::string& f : SolutionFaults) html += "<li>" + Escaped(f) + "</li>";
    html += "</ul><p>Options &rsaquo; Build (F4) marks the stickers it names on the face maps.</p>";
    return html;
  }
  if (!SolutionUnavailable.empty()) return "<p>" + Escaped(SolutionUnavailable) + "</p>";
  const int marked = SolutionMarked();
  const int n = static_cast<int>(SolutionTurns.size());
  for (int first = 0, end = 0; first < n; first = end) {
    const int step = SolutionTurns[first].Step;
    end = first + 1;
    while (end < n && SolutionTurns[end].Step == step) ++end;
    // The window scrolls to the step of the marked turn, its name included.
    html += "<p>";
    if (first <= marked && marked < end) html += "<a name=\"marked\"></a>";
    if (step > 0) html += "<b>" + QString::number(step) + " &middot; " + Escaped(SevenStepName(step)) + "</b><br>";
    for (int i = first; i < end; ++i) {
      const QString token = Escaped(FormatMove(SolutionTurns[i].Turn));
      if (i == marked)
        html += "<span style=\"background-color:#ffd84d; color:#000000; font-weight:bold\">&nbsp;" + token +
                "&nbsp;</span> ";
      else if (i < SolutionDone)
        html += "<span style=\"color:#9a9a9a\">" + token + "</span> ";
      else
        html += token + " ";
    }
    html += "</p>";
  }
  return html;
}

}  // namespace

TSolutionWindow::TSolutionWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("SolutionWindow");
  setWindowTitle("Tornelo Solution");
  setModal(false);
  setFocusPolicy(Qt::StrongFocus);

  Methods = MakeLabel("SolutionMethods", 11, false, this);
  Methods->setTextFormat(Qt::RichText);
  Headline = MakeLabel("SolutionHeadline", 30, true, this);
  StepLine = MakeLabel("SolutionStep", 20, true, this);
  List = new QTextBrowser(this);
  List->setObjectName("SolutionList");
  List->setOpenLinks(false);
  // The keys belong to the window, not to the list's scrolling.
  List->setFocusPolicy(Qt::NoFocus);
  QFont listFont = List->font();
  listFont.setPointSize(16);
  List->setFont(listFont);
  auto* keys = MakeLabel("SolutionKeys", 10, false, this);
  keys->setText("Right or Space: play the next turn   Left: take it back   Home: take back all   "
                "End: play the rest   1 / 2: Seven steps / Shortest   Ctrl+C: copy   Esc: close");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Methods);
  layout->addWidget(Headline);
  layout->addWidget(StepLine);
  layout->addWidget(List, 1);
  layout->addWidget(keys);
  resize(520, 640);
}

void TSolutionWindow::ShowAndRaise() {
  if (!Placed && parentWidget()) {
    // At the right-hand edge of the main window's screen, clear of the cube in the
    // middle of a maximised window.
    const QScreen* screen = parentWidget()->screen();
    const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    move(free.right() - width() - 24, free.top() + 60);
    Placed = true;
  }
  Refresh();
  show();
  raise();
  activateWindow();
}

void TSolutionWindow::Refresh() {
  const bool shortest = SolutionMethodShown == SolutionMethod::Shortest;
  Methods->setText(QString(shortest ? "1 Seven steps &nbsp; <b>[2 Shortest]</b>"
                                    : "<b>[1 Seven steps]</b> &nbsp; 2 Shortest"));
  Headline->setText(QString::fromStdString(SolutionHeadline()));
  StepLine->setText(QString::fromStdString(SolutionStepLine()));
  List->setHtml(ListHtml());
  if (SolutionMarked() >= 0) List->scrollToAnchor("marked");
}

void TSolutionWindow::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySolution();
    event->accept();
    return;
  }
  const int key = VirtualKeyFromQt(*event);
  switch (key) {
    case VK_RIGHT: case VK_SPACE: case VK_LEFT: case VK_HOME: case VK_END:
    case '1': case '2': case VK_F12:
      SolutionKeyDown(key);
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);   // Esc closes
  }
}

void TSolutionWindow::hideEvent(QHideEvent* event) {
  // Closed by Esc or by the window's own button: the program stops following the cube.
  if (!event->spontaneous()) SolutionWindowClosed();
  QDialog::hideEvent(event);
}
