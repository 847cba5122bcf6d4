#pragma once

// Where the twelve keys of an on-screen keypad sit on its picture: four rows of
// three 40 x 40 keys, 1 2 3 / 4 5 6 / 7 8 9 / 0 . back, inside a small margin.
// The asset program draws the picture by it and the setting page lays its
// transparent keys over the picture by it.

namespace keypadlayout {

constexpr int kKeySize = 40;
constexpr int kMargin = 4;
constexpr int kColumns = 3;
constexpr int kRows = 4;
constexpr int kWidth = 2 * kMargin + kColumns * kKeySize;
constexpr int kHeight = 2 * kMargin + kRows * kKeySize;
constexpr int kKeyCount = kColumns * kRows;

// The keys in picture order; 'B' is the back key.
constexpr char kKeys[kKeyCount + 1] = "1234567890.B";
constexpr char kBackKey = 'B';

constexpr int keyLeft(int index) { return kMargin + (index % kColumns) * kKeySize; }
constexpr int keyTop(int index) { return kMargin + (index / kColumns) * kKeySize; }

// The file the asset program writes beside the program.
constexpr const char kPictureFile[] = "keypad.bmp";

} // namespace keypadlayout
