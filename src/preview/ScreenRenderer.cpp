// Drawing of a laid-out record screen.
#include "preview/ScreenRenderer.h"

#include "document/Errors.h"
#include "document/NumberText.h"
#include "document/Platform.h"
#include "preview/Canvas.h"
#include "preview/PictureLocation.h"
#include "publish/AppletSettings.h"
#include "publish/ButtonPicture.h"

#include <exception>
#include <memory>

namespace dravenloom {

ScreenRenderer::ScreenRenderer(Canvas& canvas, PictureLoader& pictures, Platform& platform)
    : Surface(canvas), Pictures(pictures), Host(platform) {}

void ScreenRenderer::PrepareDemoCanvas(const AppletSettings& settings) {
    Surface.SetFontFace(settings.Face);
    Surface.SetFontSize(StrToInt(settings.Size) * 5 / 6);
    Surface.SetFontColour(settings.Text);
    Surface.SetBrushColour(settings.Background);
}

void ScreenRenderer::DrawGraphic(const PlacedGraphic& graphic, const std::string& guideFile) {
    // Any failure of a decoder or of the drawing (not only the loader's own errors) is the
    // author's picture not showing: reported, and the screen goes on without it.
    try {
        const std::unique_ptr<Picture> picture =
            Pictures.Load(FindPictureFile(graphic.Path, guideFile));
        Surface.DrawPicture(graphic.X, graphic.Y, *picture);
        return;
    } catch (const std::exception& error) {
        PictureProblem = error.what();
    }
    Host.ShowMessage({"Dravenloom", GraphicMessage, MsgButtons::Ok, MsgIcon::None});
}

void ScreenRenderer::DrawRecordScreen(const RecordList& records, std::int32_t record,
                                      const AppletSettings& settings,
                                      const std::string& guideFile) {
    const ScreenLayout layout = LayOutRecordScreen(records, record, settings, Surface);
    if (layout.ClearsRegions)
        Regions = layout.Regions;
    PictureProblem.clear();
    if (layout.Paints) {
        Surface.SetSize(ScreenWidth, ScreenHeight);
        Surface.Fill(0, 0, ScreenWidth, ScreenHeight);
        if (layout.Graphic)
            DrawGraphic(*layout.Graphic, guideFile);

        const ButtonPicture button = DrawButtonPicture(
            ButtonFace(settings.Swatch ? *settings.Swatch : Swatches[DefaultSwatch - 1]));
        std::size_t next = 0;
        for (std::size_t i = 0; i <= layout.Lines.size(); ++i) {
            while (next < layout.Buttons.size() && layout.Buttons[next].BeforeLine == i)
                Surface.DrawButton(ButtonX, layout.Buttons[next++].Top, button);
            if (i == layout.Lines.size())
                break;
            const TextLine& line = layout.Lines[i];
            Surface.SetFontStyle(line.Bold, line.Italic);
            Surface.DrawTextOpaque(line.X, line.Y, line.Text);
        }
    }
    if (layout.Failure)
        std::rethrow_exception(layout.Failure);
    if (ScrollToOrigin)
        ScrollToOrigin();
}

} // namespace dravenloom
