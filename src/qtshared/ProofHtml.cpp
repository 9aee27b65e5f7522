// Writing the proof copy as one HTML page.
#include "qtshared/ProofHtml.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"
#include "publish/HtmlText.h"
#include "qtshared/ProofPictures.h"

#include <QBuffer>
#include <QByteArray>

namespace dravenloom {

namespace {

constexpr const char* Style =
    R"(body{font-family:"Liberation Sans",Arial,sans-serif;font-size:11pt;color:#111;max-width:46em;margin:1.5em auto;padding:0 1em;overflow-wrap:anywhere}
header{border-bottom:1px solid #888;margin-bottom:1em}
header h1{font-size:1.4em;margin:0 0 .2em}
header p{margin:0 0 .5em;color:#555}
section{margin:0 0 1.4em;break-inside:avoid}
h2{font-size:1.1em;background:#e8ecf2;padding:.15em .3em;margin:0 0 .4em}
.dialogue{white-space:pre-wrap;margin:0 0 .4em}
figure{margin:.2em 0 .5em}
figcaption,.from{color:#555;font-size:.9em}
.note{color:#555;font-style:italic}
ul{margin:.2em 0 .4em;padding-left:1.4em}
li{white-space:pre-wrap}
.to{font-weight:bold;margin-left:.6em}
)";

// Guide text (code page 1252) for the page.
std::string Text(const std::string& bytes) {
    std::string utf8 = Cp1252ToUtf8(bytes);
    std::string lines;
    lines.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            lines += '\n';
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else {
            lines += utf8[i];
        }
    }
    return EscapeHtml(lines);
}

// Only web and mail addresses become links; anything else (a script address) stays text.
bool IsSafeAddress(std::string_view address) {
    std::string lower;
    for (char c : address.substr(0, 8))
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 ||
           lower.rfind("mailto:", 0) == 0;
}

std::string Number(std::int32_t number) {
    return IntToStr(number);
}

std::string Destination(const ProofResponse& response) {
    const std::string shown = EscapeHtml(DestinationText(response));
    switch (response.Destination) {
    case ProofDestination::Record:
        return "<a class=\"to\" href=\"#record-" + Number(response.Target) + "\">" + shown + "</a>";
    case ProofDestination::WebLink: {
        const std::string address = Cp1252ToUtf8(response.Address);
        if (IsSafeAddress(address))
            return "<a class=\"to\" href=\"" + EscapeHtml(address) + "\">" + shown + "</a>";
        return "<span class=\"to\">" + shown + "</span>";
    }
    case ProofDestination::MissingRecord:
        return "<span class=\"to\">" + shown + "</span>";
    case ProofDestination::Nowhere:
        break;
    }
    return "<span class=\"to note\">" + shown + "</span>";
}

bool HasTransparentPixels(const QImage& image) {
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) < 255)
                return true;
    }
    return false;
}

// A picture with transparent pixels as PNG, which keeps them; any other as JPEG, which is a
// fraction of the size for photographs and quicker to write.
std::string PictureData(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (HasTransparentPixels(image)) {
        image.save(&buffer, "PNG");
        return "data:image/png;base64," + bytes.toBase64().toStdString();
    }
    image.save(&buffer, "JPEG", 90);
    return "data:image/jpeg;base64," + bytes.toBase64().toStdString();
}

void AddPicture(std::string& page, const ProofEntry& entry, ProofPictures& pictures) {
    const ProofPicture& picture = pictures.Of(entry.PictureFile);
    const std::string name = Text(entry.PicturePath);
    if (picture.Image.isNull()) {
        page += "<p class=\"note\">" + EscapeHtml(picture.Problem) + "</p>\n";
        return;
    }
    page += "<figure><img src=\"" + PictureData(picture.Image) + "\" width=\"" +
            Number(picture.Image.width()) + "\" height=\"" + Number(picture.Image.height()) +
            "\" alt=\"Picture " + name + "\"><figcaption>" + name + "</figcaption></figure>\n";
}

} // namespace

std::string ProofHtml(const ProofCopy& copy) {
    const std::string name = EscapeHtml(copy.GuideName);
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Proof copy of " +
        name + "</title>\n<style>\n" + Style + "</style>\n</head>\n<body>\n<header><h1>" + name +
        "</h1><p>Proof copy, " + Number(static_cast<std::int32_t>(copy.Entries.size())) +
        (copy.Entries.size() == 1 ? " record" : " records") + "</p></header>\n<main>\n";
    if (copy.Entries.empty())
        page += "<p class=\"note\">This guide has no records.</p>\n";
    ProofPictures pictures;
    for (const ProofEntry& entry : copy.Entries) {
        const std::string number = Number(entry.Number);
        page += "<section id=\"record-" + number + "\">\n<h2>Record " + number + "</h2>\n";
        if (entry.Dialogue.empty())
            page += "<p class=\"dialogue note\">(no dialogue)</p>\n";
        else
            page += "<p class=\"dialogue\">" + Text(entry.Dialogue) + "</p>\n";
        if (!entry.PicturePath.empty())
            AddPicture(page, entry, pictures);
        if (entry.Responses.empty()) {
            page += "<p class=\"note\">(no responses)</p>\n";
        } else {
            page += "<ul>\n";
            for (const ProofResponse& response : entry.Responses)
                page +=
                    "<li>" +
                    (response.Text.empty() ? std::string("<span class=\"note\">(no text)</span>")
                                           : Text(response.Text)) +
                    " " + Destination(response) + "</li>\n";
            page += "</ul>\n";
        }
        page += "<p class=\"from\">Jumped from: ";
        if (entry.JumpedFrom.empty())
            page += "none";
        for (std::size_t k = 0; k < entry.JumpedFrom.size(); ++k)
            page += std::string(k ? ", " : "") + "<a href=\"#record-" +
                    Number(entry.JumpedFrom[k]) + "\">" + Number(entry.JumpedFrom[k]) + "</a>";
        page += "</p>\n</section>\n";
    }
    page += "</main>\n</body>\n</html>\n";
    return page;
}

} // namespace dravenloom
