#pragma once

// The six page buttons along the bottom of the main window: which page each one
// brings to the front, the caption it sets, what it does to the engine's detail
// polling and the picture files it uses. Kept as data so the window only looks up.

#include <QString>

#include <array>
#include <optional>

struct HomePage {
    int button;                        // n of ImgButton<n> and of button<n>D/U.bmp
    const char *pageName;              // page object brought to the front; nullptr: none
    const char *caption;               // window caption; nullptr: unchanged
    std::optional<bool> detailPolling; // new DetailPolling, if the button sets it
    const char *label;                 // what the picture says; also the accessible name
};

// Left to right as the buttons stand on the window.
const std::array<HomePage, 6> &homePages();

// The entry of ImgButton<n>; nullptr for a number without a button.
const HomePage *homePageForButton(int button);

// "button3D.bmp" / "button3U.bmp".
QString pageButtonPictureFile(int button, bool pressed);
