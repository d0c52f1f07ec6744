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
<tr><td><b>1</b> &ndash; <b>6</b>, <b>0</b></td><td>with the face maps shown: the colour a left click paints; 0: clicks step colours again</td></tr>
<tr><td><b>Ctrl+Z</b></td><td>undo the last face-map edit or the last turn, whichever came last (while paused, the turn is made when P resumes)</td></tr>
<tr><td><b>Ctrl+V</b></td><td>show the cube of the facelet string on the clipboard</td></tr>
<tr><td><b>Ctrl+C</b></td><td>copy the cube as a facelet string</td></tr>
<tr><td><b>P</b></td><td>pause / resume all animation</td></tr>
<tr><td><b>C</b></td><td>show / hide the turn counter in the caption</td></tr>
<tr><td><b>Home</b></td><td>turn the view to the cube as you hold it: F towards you, U on top</td></tr>
<tr><td><b>L</b></td><td>show / hide the face letters (U, D, F, B, R, L) on the centres of the cube and of the face maps</td></tr>
<tr><td><b>F1</b></td><td>this help</td></tr>
<tr><td><b>F12</b></td><td>open / close the solution window: the turns that solve the cube, one by one</td></tr>
<tr><td><b>Esc</b></td><td>quit, asking first when a cube entered on the face maps is not saved (in this window: close it)</td></tr>
<tr><td><b>Alt+F</b>, <b>Alt+O</b></td><td>open the File or the Options menu; the arrow keys move in it, Enter chooses, Esc closes it</td></tr>
</table>
<p>Menu keys: Ctrl+N New, F2 Save, F3 Open; F4 Build, F5 Rotation, F6 Intermixing,
F7 Backmixing, F8 Arrows, F9 / F10 Slow / Fast, Ctrl+S / Ctrl+M / Ctrl+F the slow
speeds, F11 Projections, Ctrl+T Texture, Ctrl+F5 Tracing.</p>

<h3>Mouse</h3>
<p>Drag with any button to turn the view. With <b>Options &rsaquo; Projections</b>
on, a click on a square of the face maps changes its colour: the <b>left</b> button
steps it forward (1, 2, &hellip; 6, 1), the <b>right</b> button back. After one of the
keys <b>1</b> &ndash; <b>6</b> the left button paints the square in that colour, shown
with its number to the right of the U map; <b>0</b>, or hiding the maps, goes back to
stepping.</p>

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
<p><b>Your cube's colours, once:</b> hold the cube with F towards you and U on top.
Choose <b>Options &rsaquo; Colors &rsaquo; 1</b> and pick the colour of the U centre,
then 2 for D, 3 for F, 4 for B, 5 for R and 6 for L. <b>File &rsaquo; New</b> then shows
your cube solved in its own colours. The colours are kept: they come back at every
start.</p>
<ol>
<li><b>Enter the cube.</b> Choose <b>File &rsaquo; New</b> and <b>Options &rsaquo;
Projections</b> (F11). Hold your cube with the face of the middle map (F) towards you
and the face of the map above it (U) on top, and keep it so. The fastest way: press
<b>1</b> and click every square that has colour 1 on your cube, then <b>2</b> and its
squares, and so on to <b>6</b>: one click a square, at most 54 for a whole cube.
<b>Ctrl+Z</b> takes back a click. Without a paint colour, a left click steps the colour
forward and a right click back. The centre squares can be set too.<br>Or, when another
program shows the cube as a facelet string (54 letters U, R, F, D, L, B: each names the
face whose centre has that sticker's colour), copy it and press <b>Ctrl+V</b> here.</li>
<li><b>Check it.</b> Press <b>F12</b>: the solution window opens beside this one. A
cube that no turns can solve (a sticker entered wrong, a twisted corner, a flipped
edge, two pieces swapped) shows what is wrong and where, by face, row and column of
the maps, instead of a solution; <b>Options &rsaquo; Build</b> (F4) rings those
stickers on the maps. Fix them, and the window shows the solution at once.</li>
<li><b>Hold the cube</b> as you entered it: F towards you, U on top; R is then on
your right, L on your left, D underneath, B at the back.</li>
<li><b>Play turn by turn.</b> The window names the turn to make, large: <i>turn 1 of
57</i>, the step it belongs to, and the whole list with the next turn marked. Press
<b>Right</b> or <b>Space</b> in the window: the turn is played on the screen; make
the same turn on your cube and compare. <b>Left</b> takes the last turn back,
<b>Home</b> takes back all you played from the window, <b>End</b> plays the rest.
Keys pressed while a turn is shown wait for it.</li>
</ol>
<p>The window has two methods: <b>1</b> <i>Seven steps</i> (at first), exactly the
turns <b>Build</b> plays, in its seven steps; <b>2</b> <i>Shortest</i>, a short solution
of at most 20 turns. <b>Ctrl+C</b> copies the solution as text; <b>Esc</b> or
<b>F12</b> closes the window. When the cube changes otherwise (an edit, Open, New, a
key turn, Intermixing, Backmixing), the window works the solution out again.</p>
<p><b>Options &rsaquo; Build</b> (F4) instead solves the cube by itself, turn by turn;
<b>Options &rsaquo; Build to step</b> stops it after a chosen step, and Slow / Fast
set the pace; the solution window shows each turn as it is played. Clicking
<b>Build</b> again during a build stops it after the turn in progress.</p>
<p>The centres may be in any arrangement: each face is solved to the colour of its
centre. A cube that no turns can solve (a sticker entered wrong, a twisted corner, a
flipped edge, two pieces swapped) is not built: a box says what is wrong and where, by
face letter, row and column of the maps (&ldquo;face F row 2 column 1&rdquo;), and the
likely fix: a sticker to give another colour (named by number and by its plain name,
such as &ldquo;colour 5 (magenta)&rdquo;), two stickers whose colours to exchange, or a
face entered turned, whose eight outer stickers to turn back (&ldquo;turned a quarter
turn clockwise&rdquo; means as its map shows it, seen from outside). The stickers the
fix changes are ringed on the maps until the next edit, New or Open; when no such fix
is found, the stickers the faults name are. A wrong sticker is always found; a flipped
edge can be mended by turning over any edge, so its fix is one of several.</p>

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
