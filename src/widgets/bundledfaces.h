#pragma once

// Registers the typefaces built into the program (the board's fixed texts and figures in their
// own faces) with the application's font database, so that every machine draws the same board.
// Call once, after the application object exists. Returns how many faces were registered.
int loadBundledFaces();
