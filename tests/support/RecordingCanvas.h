// A canvas that draws nothing: every character has a fixed width, and every drawing call is
// recorded, so that tests read the screen as the renderer drew it.
//
//   RecordingCanvas canvas;              // 6 pixels a character
//   canvas.Widths['W'] = 12;             // wider characters where a test needs them
//   ... draw ...
//   canvas.Texts()                       // every DrawTextOpaque, in order, with its style
//   canvas.Buttons                       // the (x, y) of every response-button picture
#pragma once

#include "document/Errors.h"
#include "preview/Canvas.h"
#include "preview/Wrapping.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dravenloom {

// A picture of a given size; the loader below hands them out by file name.
class FixedPicture : public Picture {
public:
    FixedPicture(int width, int height) : W(width), H(height) {}
    int Width() const override { return W; }
    int Height() const override { return H; }

private:
    int W;
    int H;
};

// Knows the pictures in Files; any other name fails as a missing file would. Every request is
// recorded in Requests.
class FakePictureLoader : public PictureLoader {
public:
    std::map<std::string, std::pair<int, int>> Files;
    std::vector<std::string> Requests;

    std::unique_ptr<Picture> Load(const std::filesystem::path& file) override {
        const std::string fileName = file.string();
        Requests.push_back(fileName);
        const auto found = Files.find(fileName);
        if (found == Files.end())
            throw FileError("Cannot open " + fileName);
        return std::make_unique<FixedPicture>(found->second.first, found->second.second);
    }
};

class RecordingCanvas : public Canvas {
public:
    struct PictureCall {
        int X, Y, Width, Height;
    };

    int CharWidth = 6;
    std::map<char, int> Widths;

    int Width = 0, Height = 0;
    std::vector<std::vector<int>> Fills;
    std::vector<TextLine> Drawn;
    std::vector<std::pair<int, int>> Buttons;
    std::vector<PictureCall> Pictures;
    std::vector<std::string> Events; // "size", "fill", "text", "picture", "button", in order
    int SizeCalls = 0;
    bool PicturesFail = false; // DrawPicture throws, as a toolkit failing to draw might

    std::string Face;
    int Points = 0;
    Rgb FontColour;
    Rgb Brush;
    bool Bold = false;
    bool Italic = false;

    void SetSize(int width, int height) override {
        Width = width;
        Height = height;
        ++SizeCalls;
        Events.push_back("size");
    }
    void Fill(int x1, int y1, int x2, int y2) override {
        Fills.push_back({x1, y1, x2, y2});
        Events.push_back("fill");
    }
    int TextWidth(std::string_view text) const override {
        int width = 0;
        for (char c : text) {
            const auto found = Widths.find(c);
            width += found == Widths.end() ? CharWidth : found->second;
        }
        return width;
    }
    void DrawTextOpaque(int x, int y, std::string_view text) override {
        Drawn.push_back({x, y, std::string(text), Bold, Italic});
        Events.push_back("text");
    }
    void DrawPicture(int x, int y, const Picture& picture) override {
        if (PicturesFail)
            throw std::runtime_error("cannot draw");
        Pictures.push_back({x, y, picture.Width(), picture.Height()});
        Events.push_back("picture");
    }
    void DrawButton(int x, int y, const ButtonPicture&) override {
        Buttons.emplace_back(x, y);
        Events.push_back("button");
    }
    void SetFontFace(const std::string& face) override { Face = face; }
    void SetFontSize(int points) override { Points = points; }
    int FontSize() const override { return Points; }
    void SetFontColour(Rgb colour) override { FontColour = colour; }
    void SetFontStyle(bool bold, bool italic) override {
        Bold = bold;
        Italic = italic;
    }
    void SetBrushColour(Rgb colour) override { Brush = colour; }
};

} // namespace dravenloom
