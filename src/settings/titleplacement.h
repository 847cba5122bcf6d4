#pragma once

// Where the company name sits at the top of the main window: its left edge follows
// the name's length in code page 950 bytes (a Chinese character counts two), so that
// the usual lengths look centred over the window. The name is placed by one table
// when the settings are loaded and by another when the title window confirms it; the
// two differ by a few pixels for the same length, and both are kept as they are.

#include <QString>

int big5ByteLength(const QString &text);

// Placement at start-up, when the stored name is loaded.
int titleLeftForByteLength(int bytes);
int titleLeftEdge(const QString &title);

// Placement when the operator confirms a name in the title window.
int confirmedTitleLeftForByteLength(int bytes);
int confirmedTitleLeftEdge(const QString &title);
