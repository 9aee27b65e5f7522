// The Demonstration: the guide walked as its readers walk it, one record drawn at a time, with
// the walk's history, and the clicks on the drawn response buttons.
#pragma once

#include "document/Controls.h"
#include "navigation/StackSupport.h"
#include "preview/ScreenRenderer.h"

#include <cstdint>
#include <functional>
#include <string>

namespace dravenloom {

class Canvas;
class GuideDocument;
class PictureLoader;
class Platform;
struct AppletSettings;

inline constexpr const char* DemoTitleHint = "Displays the title of your guide.";
inline constexpr const char* DemoStartHint = "Restarts the guide.";
inline constexpr const char* DemoBackHint = "Returns to the record last viewed.";
inline constexpr const char* DemoCloseHint = "Hides the guide.";
inline constexpr const char* DemoAboutHint =
    "Displays information about the makers of the guide applet.";
inline constexpr const char* ImageCanvasHint = "Displays a demonstration of your guide.";

// The title shown when the guide has none.
inline constexpr const char* DefaultDemoTitle = "Dravenloom";
// The About box: its first line names the player, the second is about this program.
inline constexpr const char* DemoAboutCaption = "About";
inline constexpr const char* DemoAboutText =
    "Dravenloom Guide Player\n"
    "Plays the guides written with Dravenloom, one screen at a time.";

class Demonstration {
public:
    // `settings` reads the appearance settings as they stand at that moment.
    Demonstration(Canvas& canvas, PictureLoader& pictures, Platform& platform,
                  const GuideDocument& document, std::function<AppletSettings()> settings);
    Demonstration(const Demonstration&) = delete;
    Demonstration& operator=(const Demonstration&) = delete;

    // Shows the walk from `startRecord`: title, canvas font and colours, a fresh history, the
    // draw. An appearance setting that is not a number ends it with its error before anything
    // is drawn (the title is set and the page switched by then).
    void EnterDemonstration(std::int32_t startRecord);

    void DemoStartButtonClick(); // "Restart"
    void DemoBackButtonClick();  // "Back"
    void DemoCloseButtonClick(); // "Close"
    void DemoAboutButtonClick(); // "About..."

    // A mouse button (any) released over the canvas at canvas coordinates (x, y): the
    // response button under it is followed, or its address opened. A target that does not
    // convert ends it with its error, the record and the history unchanged.
    void ImageCanvasMouseUp(int x, int y);
    // The pointer moved over the canvas: the hand over a response button, else the arrow.
    void ImageCanvasMouseMove(int x, int y);
    // The keys 1 to 6 follow the first to sixth response on show, as a click on its button
    // does; nothing when the screen has no such response. (Backspace is Back, Home Restart.)
    void ResponseKey(int k);

    std::int32_t DemoRecord = 0;
    TStack DemoHistory;
    TextField DemoTitleEdit;
    // The canvas's own pointer: the hand over a live response button. It belongs to the canvas
    // alone, so it can never stay on over the rest of the window.
    bool HandPointer = false;
    // After Close the screen is blank: nothing on it can be clicked.
    bool Blank = true;
    // Called in entering to make the Demonstration the active page.
    std::function<void()> ActivatePage;
    // Puts a note into the status line: a followed response jumped to a record that does not
    // exist.
    std::function<void(const std::string&)> StatusNote;

    ScreenRenderer Renderer;

private:
    // One draw of DemoRecord; a failure of the draw is dropped without a message (the
    // renderer reports a picture that cannot be loaded itself).
    // False when the draw failed.
    bool Draw();
    // The entry whose region holds (x, y) strictly inside, from `first` on; -1 when none
    // before the first free entry.
    int RegionAt(int x, int y, int first) const;
    void Follow(const std::string& target, bool& ended);

    Canvas& Surface;
    Platform& Host;
    const GuideDocument& Document;
    std::function<AppletSettings()> Settings;
};

} // namespace dravenloom
