#pragma once

// Maps the typefaces the windows ask for by their Windows names to the faces this
// machine has, and sets the program's default face.
void installProgramFonts();
