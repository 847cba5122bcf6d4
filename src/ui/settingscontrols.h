#pragma once

// What the settings walks need of the real widgets, which the settings library
// itself does not know.

class QObject;

// Selects a radio button as a click does, so its click action runs.
void selectRadioByClick(QObject *radioButton);
