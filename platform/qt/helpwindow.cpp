#include "platform/qt/helpwindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char* const Html = R"HTML(
<h2>Tornelo</h2>
<p>A 3&times;3&times;3 twisting cube: turn its layers from the keyboard, mix it, let
the program solve it layer by layer, or enter a real cube and have it solved.</p>

<h3>Keys</h3>
<table cellspacing="0" cellpadding="3" border="1">
<tr><td><b>Up</b> / <b>Down</b></td><td>select the next / previous layer (1&ndash;6); the arrows show it</td></tr>
<tr><td><b>Left</b> / <b>Right</b></td><td>reverse the turn direction</td></tr>
<tr><td><b>Enter</b> / <b>Space</b></td><td>turn the selected layer a quarter turn</td></tr>
<tr><td><b>Ctrl+Z</b></td><td>undo the last turn</td></tr>
<tr><td><b>P</b></td><td>pause / resume all animation</td></tr>
<tr><td><b>C</b></td><td>show / hide the turn counter in the caption</td></tr>
<tr><td><b>Home</b></td><td>turn the view to the cube as you hold it: F towards you, U on top</td></tr>
<tr><td><b>L</b></td><td>show / hide the face letters (U, D, F, B, R, L) on the centres of the cube and of the face maps</td></tr>
<tr><td><b>F1</b></td><td>this help</td></tr>
<tr><td><b>Esc</b></td><td>quit (in this window: close it)</td></tr>
<tr><td><b>Alt+F</b>, <b>Alt+O</b></td><td>open the File or the Options menu; the arrow keys move in it, Enter chooses, Esc closes it</td></tr>
</table>
<p>Menu keys: Ctrl+N New, F2 Save, F3 Open; F4 Build, F5 Rotation, F6 Intermixing,
F7 Backmixing, F8 Arrows, F9 / F10 Slow / Fast, Ctrl+S / Ctrl+M / Ctrl+F the slow
speeds, F11 Projections, Ctrl+T Texture, Ctrl+F5 Tracing.</p>

<h3>Mouse</h3>
<p>Drag with any button to turn the view. With <b>Options &rsaquo; Projections</b>
on, a click on a square of the face maps changes its colour: the <b>left</b> button
steps it forward (1, 2, &hellip; 6, 1), the <b>right</b> button back.</p>

<h3>The face maps and the notation</h3>
<p><b>Options &rsaquo; Projections</b> shows the six faces unfolded into a net, with
the letters by which turns are written:</p>
<table cellspacing="0" cellpadding="6" border="1" style="text-align:center">
<tr><td></td><td><b>U</b><br>face 1</td><td></td><td></td></tr>
<tr><td><b>L</b><br>face 6</td><td><b>F</b><br>face 3</td><td><b>R</b><br>face 5</td><td><b>B</b><br>face 4</td></tr>
<tr><td></td><td><b>D</b><br>face 2</td><td></td><td></td></tr>
</table>
<p>F (front) is the middle map; U (up) is above it, D (down) below, R (right) to its
right, B (back) at the far right and L (left) to its left. A letter alone is a
quarter turn of that face clockwise as seen from outside the face; a letter with
<b>'</b> (R') is a quarter turn counter-clockwise; a letter with <b>2</b> (R2) is a
half turn.</p>

<h3>Entering a real cube and solving it</h3>
<ol>
<li>Choose <b>Options &rsaquo; Projections</b> (F11).</li>
<li>Click every square of the maps until it shows the colour of the same sticker on
your cube: left click steps the colour forward, right click back. The centre
squares can be set too. Hold the cube with the face of the middle map (F) towards
you and the face of the map above it (U) on top.</li>
<li>Choose <b>Options &rsaquo; Build</b> (F4). The program solves the cube on the
screen turn by turn; <b>Options &rsaquo; Build to step</b> stops it after a chosen
step, and Slow / Fast set the pace.</li>
</ol>
<p>The centres may be in any arrangement: each face is solved to the colour of its
centre. A cube that no turns can solve (a sticker entered wrong, a twisted corner, a
flipped edge, two pieces swapped) is not built: a box says what is wrong and where, by
face, row and column of the maps, and the stickers it names are ringed on the maps
until the next edit, New or Open. Clicking <b>Build</b> again during a build stops it
after the turn in progress.</p>

<h3>What the run modes do</h3>
<ul>
<li><b>Intermixing</b> (F6) turns random layers one after another until it is chosen
again: it mixes the cube.</li>
<li><b>Backmixing</b> (F7) plays every turn made so far backwards, one by one, until
the cube is back where the turns started.</li>
<li><b>Build</b> (F4) solves the cube layer by layer in seven steps:
<ol>
<li>the cross: the four edges of the first layer (face 1);</li>
<li>the first-layer corners;</li>
<li>the middle-layer edges;</li>
<li>the last-layer cross (on face 2);</li>
<li>the last-layer edges put in place;</li>
<li>the last-layer corners put in place;</li>
<li>the corner twist: every last-layer corner turned the right way.</li>
</ol></li>
<li><b>Rotation</b> (F5) spins the cube; <b>Tracing</b> (Ctrl+F5) lets the view
wander; <b>Arrows</b> (F8) shows the selected layer and its turn direction.</li>
<li><b>File &rsaquo; New</b> gives a solved cube; <b>Save</b> and <b>Open</b> keep
and read cubes in <i>.tnl</i> files.</li>
</ul>
)HTML";

}  // namespace

const char* HelpHtml() { return Html; }

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("HelpWindow");
  setWindowTitle("Tornelo Help");
  setModal(false);
  auto* text = new QTextBrowser(this);
  text->setObjectName("HelpText");
  text->setOpenLinks(false);
  text->setHtml(QString::fromUtf8(Html));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  resize(620, 700);
}

void THelpWindow::ShowAndRaise() {
  show();
  raise();
  activateWindow();
}
