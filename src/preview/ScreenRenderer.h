// Draws one record of the guide as the published guide shows it, and keeps the hit regions of
// its response buttons for the Demonstration's clicks.
#pragma once

#include "preview/ScreenLayout.h"

#include <cstdint>
#include <functional>
#include <string>

namespace dravenloom {

class Canvas;
class Platform;
class PictureLoader;
class RecordList;
struct AppletSettings;

inline constexpr const char* GraphicMessage =
    "Dravenloom cannot load the graphic for this record.  Please confirm that you have specified "
    "a valid image.";

class ScreenRenderer {
public:
    ScreenRenderer(Canvas& canvas, PictureLoader& pictures, Platform& platform);

    // Called when the Demonstration is entered: the font and brush the later draws use.
    void PrepareDemoCanvas(const AppletSettings& settings);

    // Draws record `record` over the whole canvas and fills the hit regions. A setting or field
    // that does not convert, a missing record or a malformed line ends the draw with its error,
    // what was drawn so far staying drawn. A picture that cannot be loaded is reported (once)
    // and the draw goes on. `guideFile` is the guide's full path (or "Untitled"): a relative
    // picture path is looked for beside it first (FindPictureFile).
    void DrawRecordScreen(const RecordList& records, std::int32_t record,
                          const AppletSettings& settings, const std::string& guideFile);

    HitRegions Regions;
    // Why the last draw showed no picture where its record names one (the loader's or the
    // canvas's message); empty when it showed it, or named none.
    std::string PictureProblem;
    // Asked at the end of every completed draw to scroll the viewport back to its origin.
    std::function<void()> ScrollToOrigin;

private:
    void DrawGraphic(const PlacedGraphic& graphic, const std::string& guideFile);

    Canvas& Surface;
    PictureLoader& Pictures;
    Platform& Host;
};

} // namespace dravenloom
