// The Demonstration's walk and its clicks.
#include "preview/Demonstration.h"

#include "document/Errors.h"
#include "document/GuideDocument.h"
#include "document/NumberText.h"
#include "document/Platform.h"
#include "document/RecordCodec.h"
#include "preview/Canvas.h"
#include "preview/GuideAddress.h"
#include "publish/AppletSettings.h"

#include <exception>

namespace dravenloom {

Demonstration::Demonstration(Canvas& canvas, PictureLoader& pictures, Platform& platform,
                             const GuideDocument& document,
                             std::function<AppletSettings()> settings)
    : Renderer(canvas, pictures, platform), Surface(canvas), Host(platform), Document(document),
      Settings(std::move(settings)) {}

void Demonstration::EnterDemonstration(std::int32_t startRecord) {
    const AppletSettings settings = Settings();
    DemoTitleEdit.Text = settings.Title.empty() ? DefaultDemoTitle : settings.Title;
    Renderer.PrepareDemoCanvas(settings);
    if (ActivatePage)
        ActivatePage();
    DemoRecord = startRecord;
    DemoHistory = TStack();
    Draw();
}

bool Demonstration::Draw() {
    Blank = false;
    try {
        Renderer.DrawRecordScreen(Document.Records, DemoRecord, Settings(), Document.GuideFileName);
        return true;
    } catch (const std::exception&) {
        // The screen stays as far as it was drawn; the regions say what can be clicked.
        return false;
    }
}

void Demonstration::DemoStartButtonClick() {
    DemoRecord = 1;
    DemoHistory = TStack();
    Draw();
}

void Demonstration::DemoBackButtonClick() {
    if (!DemoHistory.HasAtLeast(1))
        return;
    DemoRecord = DemoHistory.Pop();
    Draw();
}

void Demonstration::DemoCloseButtonClick() {
    Surface.Fill(0, 0, ScreenWidth, ScreenHeight);
    DemoHistory = TStack();
    // The blank screen shows no buttons, so none of the last screen's stays clickable.
    Renderer.Regions = HitRegions();
    Blank = true;
    HandPointer = false;
}

void Demonstration::DemoAboutButtonClick() {
    Host.ShowMessage({DemoAboutCaption, DemoAboutText, MsgButtons::Ok, MsgIcon::Information});
}

int Demonstration::RegionAt(int x, int y, int first) const {
    const HitRegions& regions = Renderer.Regions;
    for (int k = first; k < MaxResponses; ++k) {
        const std::int32_t top = regions.ResponseTops[static_cast<std::size_t>(k)];
        if (top == 0)
            return -1;
        // The open rectangle: a point on the edge is outside. Widened so that a top near the
        // end of the integer range cannot wrap round.
        const std::int64_t t = top;
        if (x > ButtonX && x < ButtonX + ButtonPictureSize && y > t && y < t + ButtonPictureSize)
            return k;
    }
    return -1;
}

void Demonstration::Follow(const std::string& target, bool& ended) {
    if (target.find('.') != std::string::npos) {
        // An address: opened only when it is a web or mail address; the desktop's answer is
        // not looked at, and the screen stays as it is.
        if (const auto address = OpenableGuideAddress(target))
            Host.OpenAddress(*address);
        return;
    }
    const std::int32_t position = StrToInt(target);
    // The response line is read now, so the jump goes where the guide says at this moment.
    if (position < 0 || static_cast<std::size_t>(position) >= Document.Records.Count())
        throw IndexError("List index out of bounds (" + target + ")");
    const std::string_view jump =
        LineTarget(Document.Records.Lines[static_cast<std::size_t>(position)]);
    if (jump.empty())
        return;
    const std::int32_t next = StrToInt(jump);
    const std::int32_t from = DemoRecord;
    DemoHistory.Push(DemoRecord);
    DemoRecord = next;
    if (!Draw() && StatusNote) {
        // The old screen stays with nothing on it to click: the author is told why.
        bool missing = true;
        try {
            missing = !Document.Records.FindPrimaryLine(next).has_value();
        } catch (const std::exception&) {
            missing = false; // a malformed line, not a missing record
        }
        if (missing)
            StatusNote("Record " + IntToStr(next) + " does not exist: a response of record " +
                       IntToStr(from) + " jumps to it. Back returns to record " + IntToStr(from) +
                       ".");
    }
    ended = true;
}

void Demonstration::ResponseKey(int k) {
    if (Blank || k < 1 || k > MaxResponses)
        return;
    const auto index = static_cast<std::size_t>(k - 1);
    // The scan of the regions stops at the first free entry.
    for (std::size_t j = 0; j <= index; ++j)
        if (Renderer.Regions.ResponseTops[j] == 0)
            return;
    const std::string target = Renderer.Regions.ResponseTargets[index];
    bool ended = false;
    Follow(target, ended);
}

void Demonstration::ImageCanvasMouseUp(int x, int y) {
    if (Blank)
        return;
    bool ended = false;
    for (int k = RegionAt(x, y, 0); k >= 0 && !ended; k = RegionAt(x, y, k + 1)) {
        // Copied: following a response draws again and replaces the regions.
        const std::string target = Renderer.Regions.ResponseTargets[static_cast<std::size_t>(k)];
        Follow(target, ended);
    }
}

void Demonstration::ImageCanvasMouseMove(int x, int y) {
    HandPointer = !Blank && RegionAt(x, y, 0) >= 0;
}

} // namespace dravenloom
