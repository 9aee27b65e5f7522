// The record screen as plain values: every string, button and picture with its place, and the
// hit regions the screen leaves behind. Computed before anything is drawn.
#pragma once

#include "preview/Wrapping.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class Canvas;
class RecordList;
struct AppletSettings;

inline constexpr int ScreenWidth = 1279;
inline constexpr int ScreenHeight = 1023;
inline constexpr int MaxResponses = 6;

// Where the responses drawn by the last screen can be clicked: entry k belongs to the k-th
// drawn response. A top of 0 and a target of "0" mark a free entry.
struct HitRegions {
    std::array<std::int32_t, MaxResponses> ResponseTops{};
    std::array<std::string, MaxResponses> ResponseTargets{"0", "0", "0", "0", "0", "0"};

    bool operator==(const HitRegions&) const = default;
};

struct PlacedGraphic {
    std::string Path; // as stored in the record
    int X = 0;
    int Y = 0;
};

// A response-button picture at (ButtonX, Top), drawn before Lines[BeforeLine] (its response's
// first line).
struct PlacedButton {
    int Top = 0;
    std::size_t BeforeLine = 0;
};

inline constexpr int ButtonX = 5;

struct ScreenLayout {
    // How far the layout came before a failure (a setting or field that does not convert, a
    // missing record, a malformed line): the screen is drawn that far and the failure then
    // ends the draw.
    bool ClearsRegions = false; // the previous regions are given up
    bool Paints = false;        // the surface is sized and filled
    std::optional<PlacedGraphic> Graphic;
    std::vector<TextLine> Lines;
    std::vector<PlacedButton> Buttons;
    HitRegions Regions;
    std::exception_ptr Failure;
};

// Lays out record `record` as the published guide shows it, measuring texts with the canvas's
// current font (whose size PrepareDemoCanvas set). Changes the canvas's font style only.
ScreenLayout LayOutRecordScreen(const RecordList& records, std::int32_t record,
                                const AppletSettings& settings, Canvas& measure);

} // namespace dravenloom
