// Layout of one record screen: the primary text, then up to six responses below it.
#include "preview/ScreenLayout.h"

#include "document/Errors.h"
#include "document/NumberText.h"
#include "document/RecordList.h"
#include "preview/Canvas.h"
#include "publish/AppletSettings.h"
#include "publish/ButtonPicture.h"

namespace dravenloom {

namespace {

struct Spacing {
    int Width = 0;
    int Size = 0;
    int Gap = 0;
    int LineStep = 0;
};

void LayOut(const RecordList& records, std::int32_t record, const AppletSettings& settings,
            Canvas& measure, ScreenLayout& layout) {
    int y = StrToInt(settings.TextStart);
    Spacing spacing;
    spacing.Width = StrToInt(settings.FrameWidth);
    spacing.Gap = measure.FontSize() + 35;

    layout.ClearsRegions = true;
    spacing.Size = StrToInt(settings.Size);
    if (spacing.Size < 14)
        spacing.Gap -= 10;
    if (settings.Face == "Courier")
        spacing.Gap += 5;
    if (settings.Bold)
        spacing.Gap += 5;
    spacing.LineStep = spacing.Size + (spacing.Size >= 14 ? 5 : 0) + 4;

    const auto primary = records.FindPrimaryLine(record);
    if (!primary)
        throw IndexError("Record " + IntToStr(record) + " is not in the guide");
    layout.Paints = true;

    const PrimaryFields fields = ParsePrimaryLine(records.Lines[*primary]);
    if (!fields.GraphicPath.empty()) {
        const int x = StrToInt(fields.GraphicX);
        const int graphicY = StrToInt(fields.GraphicY);
        layout.Graphic = PlacedGraphic{fields.GraphicPath, x, graphicY};
    }

    const double width = spacing.Width;
    // The dialogue is always bold.
    measure.SetFontStyle(true, settings.Italic);
    Paragraph dialogue;
    dialogue.Text = fields.Dialogue;
    dialogue.WrapWidth = width - width * 0.15;
    dialogue.ClosingGap = spacing.Gap;
    dialogue.LineStep = spacing.LineStep;
    dialogue.X = 5;
    dialogue.Centred = fields.Center;
    LayoutParagraph(dialogue, measure, y, true, settings.Italic, layout.Lines);

    measure.SetFontStyle(settings.Bold, settings.Italic);
    std::size_t index = *primary + 1;
    for (int k = 0;
         k < MaxResponses && index < records.Count() && LineNumber(records.Lines[index]) == record;
         ++k, ++index) {
        layout.Buttons.push_back({y, layout.Lines.size()});
        layout.Regions.ResponseTops[static_cast<std::size_t>(k)] = y;
        const std::string_view text = LineText(records.Lines[index]);
        const auto link = FindLink(text);
        layout.Regions.ResponseTargets[static_cast<std::size_t>(k)] =
            link ? link->Address : IntToStr(static_cast<std::int64_t>(index));
        Paragraph response;
        if (link)
            response.Text = link->Displayed;
        else
            response.Text = text;
        response.WrapWidth = width - width * 0.2;
        response.ClosingGap = spacing.Gap * 3 / 4;
        response.LineStep = spacing.LineStep;
        response.X = ButtonPictureSize + 10;
        LayoutParagraph(response, measure, y, settings.Bold, settings.Italic, layout.Lines);
    }
}

} // namespace

ScreenLayout LayOutRecordScreen(const RecordList& records, std::int32_t record,
                                const AppletSettings& settings, Canvas& measure) {
    ScreenLayout layout;
    try {
        LayOut(records, record, settings, measure, layout);
    } catch (const DravenloomError&) {
        layout.Failure = std::current_exception();
    }
    return layout;
}

} // namespace dravenloom
