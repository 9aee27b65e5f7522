// The appearance settings of the published guide as its readers see them: a copy taken from
// the options page at the moment of reading, so that the renderer, the tag and the upload never
// reach into the page's controls.
#pragma once

#include "document/Rgb.h"

#include <string>

namespace dravenloom {

struct SwatchEntry;

struct AppletSettings {
    std::string Title;       // code page 1252 bytes, as typed
    std::string Button;      // the button caption
    std::string ImageDir;    // the directory on the server that receives the pictures
    std::string FrameWidth;  // decimal text, as typed and checked
    std::string FrameHeight; // decimal text
    std::string TextStart;   // decimal text
    std::string Face;        // "Arial", "Courier" or "Times New Roman" once checked
    std::string Size;        // decimal text, 10 to 18 once checked
    bool Bold = false;
    bool Italic = false;
    bool Html5 = false; // the element also loads the player for browsers without Java
    Rgb Background;
    Rgb Text;
    std::string Image;                   // the button picture's file name ("gray.gif")
    const SwatchEntry* Swatch = nullptr; // the chosen swatch (its picture and colour word)
};

} // namespace dravenloom
