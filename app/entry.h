#pragma once
// Entering a real cube on the face maps: sticker edits as steps Ctrl+Z can take back,
// what counts as entered and not saved, and the six colours kept between runs.

#include <cstdint>

// Sets sticker number s (1..54) to colour (1..6) as one edit: the marks of a failed
// check go, the drawn cube is recoloured, and Ctrl+Z can take the edit back. A sticker
// that has the colour already is no edit: nothing changes.
void EditStickerTo(int s, uint8_t colour);

// A new window: no edits, none given.
void ResetEdits();
// No edit is left to take back and none counts as not saved: a cube opened, pasted or
// made new (and a new window).
void ForgetEdits();
// The cube as it stands is saved: the edits count as saved, and can still be taken
// back (which makes the cube differ from the saved one again).
void MarkEditsSaved();
// Face-map edits were made since the last Save, Open, paste or New, and not all taken
// back.
bool EditsUnsaved();
// Takes back the last edit when it is the most recent change of the cube: no turn was
// made after it, and the cube is still the one it left. Returns false when there is
// no such edit (the caller then takes back a turn).
bool UndoLastEdit();

// FaceColors entries stored by an earlier run (Options > Colors) in place of the
// defaults; a stored value that is not a colour is passed over.
void LoadStoredColors();
// Stores FaceColors[k] for the next start. False when it could not be stored.
bool StoreFaceColor(int k);
