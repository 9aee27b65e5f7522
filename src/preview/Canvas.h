// The drawing surface the record screen is drawn on, and the loader of the pictures that
// records name: abstract, so that the screen can be laid out and drawn without a window system.
#pragma once

#include "document/Rgb.h"
#include "publish/ButtonPicture.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace dravenloom {

// A decoded picture, drawn at its natural size.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// Loads the picture a record names from its file, as FindPictureFile finds it; any failure
// (unknown extension, missing or unreadable file, bad data, a picture too large to decode) is
// thrown as a DravenloomError whose message says why.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual std::unique_ptr<Picture> Load(const std::filesystem::path& file) = 0;
};

// A surface with a current font (face, point size, colour, style) and brush colour. Origin at
// the top left, y growing downwards. Texts are code page 1252 bytes.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetSize(int width, int height) = 0;
    // Paints the rectangle from (x1, y1) up to (x2, y2) with the brush colour.
    virtual void Fill(int x1, int y1, int x2, int y2) = 0;
    // Width in pixels of the text in the current font.
    virtual int TextWidth(std::string_view text) const = 0;
    // The text with its top-left corner at (x, y), its cell painted in the brush colour.
    virtual void DrawTextOpaque(int x, int y, std::string_view text) = 0;
    virtual void DrawPicture(int x, int y, const Picture& picture) = 0;
    virtual void DrawButton(int x, int y, const ButtonPicture& button) = 0;

    virtual void SetFontFace(const std::string& face) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual int FontSize() const = 0;
    virtual void SetFontColour(Rgb colour) = 0;
    virtual void SetFontStyle(bool bold, bool italic) = 0;
    virtual void SetBrushColour(Rgb colour) = 0;
};

} // namespace dravenloom
