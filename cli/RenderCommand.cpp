// `dravenloom-cli render GUIDE --record N [--output FILE.png] [--regions] [--crop] [options]`:
// draws a record as the Demonstration shows it, into a PNG file, and tells where its response
// buttons can be clicked.
#include "AppearanceOptions.h"
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "QtApplication.h"
#include "TextOutput.h"

#include "qtshared/canvas/ImageCanvas.h"
#include "qtshared/canvas/PictureFiles.h"
#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "document/NumberText.h"
#include "preview/ScreenRenderer.h"
#include "publish/AppletOptions.h"
#include "publish/AppletSettings.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <ostream>

namespace dravenloom::cli {
namespace {

// A message box of the renderer (a picture that cannot be loaded) becomes a line on stderr,
// followed by a line saying why the picture was not drawn.
class ReportingPlatform : public WindowlessPlatform {
public:
    explicit ReportingPlatform(std::ostream& err) : Err(err) {}
    MsgAnswer ShowMessage(const MessageRequest& request) override {
        Err << ProgramName << " render: " << request.Text << "\n";
        if (Renderer && !Renderer->PictureProblem.empty())
            Err << ProgramName << " render: " << Renderer->PictureProblem << "\n";
        return WindowlessPlatform::ShowMessage(request);
    }

    const ScreenRenderer* Renderer = nullptr;

private:
    std::ostream& Err;
};

std::string PngBytes(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw FileError("The picture of the record could not be encoded as PNG");
    return data.toStdString();
}

void WriteRegions(std::ostream& stream, std::int32_t record, const HitRegions& regions) {
    BufferedOutput out(stream);
    out << "{\"record\": " << IntToStr(record) << ", \"regions\": [";
    for (std::size_t k = 0; k < regions.ResponseTops.size() && regions.ResponseTops[k] != 0; ++k)
        out << (k == 0 ? "" : ", ") << "{\"top\": " << IntToStr(regions.ResponseTops[k])
            << ", \"target\": " << JsonString(Cp1252ToUtf8(regions.ResponseTargets[k])) << "}";
    out << "]}\n";
}

int RunRender(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed =
        ParseArguments(arguments, AppearanceFlags({"--regions", "--crop"}),
                       AppearanceValues({"--record", "--output"}));
    const std::string& path = parsed.SingleOperand("GUIDE");
    const auto recordText = parsed.Value("--record");
    if (!recordText)
        throw UsageError("--record N names the record to draw");
    const std::optional<std::int32_t> record = ReadNumber(*recordText);
    if (!record)
        throw UsageError("--record needs a record number, not \"" + *recordText + "\"");
    const auto output = parsed.Value("--output");
    if (!output && !parsed.Has("--regions"))
        throw UsageError("nothing to do: give --output FILE.png, --regions or both");

    OpenedGuide guide(path);
    AppletOptions options(guide.Host);
    if (!TakeAppearance(parsed, options, "render", err))
        return ExitFailure;
    const AppletSettings settings = options.Settings();

    // Fonts and images need a GUI application, made without a display.
    QtApplication application(QtApplication::Kind::Offscreen);
    ImageCanvas canvas;
    PictureFiles pictures;
    ReportingPlatform platform(err);
    ScreenRenderer renderer(canvas, pictures, platform);
    platform.Renderer = &renderer;
    renderer.PrepareDemoCanvas(settings);
    // A record that is not there, or a setting or field that is no number, ends here with the
    // renderer's own error: no picture is written for a screen that was not drawn.
    renderer.DrawRecordScreen(guide.Document.Records, *record, settings, path);

    if (output) {
        QImage image = canvas.Image();
        if (parsed.Has("--crop")) {
            // The frame of the published guide, as far as the screen reaches.
            const int width = std::clamp(StrToInt(settings.FrameWidth), 1, image.width());
            const int height = std::clamp(StrToInt(settings.FrameHeight), 1, image.height());
            image = image.copy(0, 0, width, height);
        }
        WriteFileAtomically(*output, PngBytes(image));
    }
    if (parsed.Has("--regions"))
        WriteRegions(out, *record, renderer.Regions);
    else
        out << "Drew record " << IntToStr(*record) << " of " << FileNamePart(path) << " to "
            << FileNamePart(*output) << "\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"render", "Draws a record as the Demonstration shows it, into a PNG file",
     "dravenloom-cli render GUIDE --record N [--output FILE.png] [--regions] [--crop]\n"
     "                            [--width W] [--height H] [--text-start N]\n"
     "                            [--background #RRGGBB] [--text #RRGGBB] [--face F]\n"
     "                            [--size S] [--bold] [--italic] [--image NAME]\n"
     "                            [--from FILE.html]\n"
     "  Draws record N of GUIDE (a .dvx file) as the Demonstration draws it, with the\n"
     "  appearance settings of the \"Generate HTML\" page: their defaults, then those of the\n"
     "  first element in FILE.html (--from), then those given here, each checked as its\n"
     "  field checks it (a bad one is refused with the field's message, exit 2). --title,\n"
     "  --button and --image-dir are taken too, though nothing drawn shows them.\n"
     "  A record that is not in the guide, or a picture position that is no number, is an\n"
     "  error (exit 2). A picture that cannot be loaded is reported on stderr, with the\n"
     "  reason (a missing file, bad data, a picture too large to decode), and the screen\n"
     "  is drawn without it. A picture named without a folder is looked for beside the\n"
     "  guide first, then in the working folder. Needs no display.\n"
     "  --output FILE.png  writes the screen, 1279 x 1023 pixels, through a temporary file\n"
     "  --crop             cuts the picture to the frame's width and height (--width and\n"
     "                     --height, 300 x 400 by default)\n"
     "  --regions          prints the click regions of the drawn responses as one JSON\n"
     "                     object: {\"record\": N, \"regions\": [{\"top\": Y, \"target\": T}]},\n"
     "                     in order; the target is a line position in the guide counted from\n"
     "                     0, or a link's address\n",
     RunRender});

} // namespace
} // namespace dravenloom::cli
