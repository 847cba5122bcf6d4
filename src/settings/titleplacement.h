#pragma once

// Where the company name sits at the top of the main window: its left edge follows
// the name's length in code page 950 bytes (a Chinese character counts two), so that
// the usual lengths look centred over the window.

#include <QString>

int big5ByteLength(const QString &text);
int titleLeftForByteLength(int bytes);
int titleLeftEdge(const QString &title);
