#pragma once

// The first picture of the main window's ButtonImage list: the small mark beside
// the caption of the selected panel button (and, later, the selected chart and
// alarm buttons).

#include <QIcon>

QIcon selectedButtonMarker();
