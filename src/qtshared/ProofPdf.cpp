// Laying the proof copy out as a text document and painting it page by page into a PDF.
#include "qtshared/ProofPdf.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"
#include "qtshared/ProofPictures.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QTextOption>
#include <QUrl>

#include <vector>

namespace dravenloom {

namespace {

constexpr int Resolution = 300; // dots per inch of the page's coordinates

QFont ProofFont(qreal points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Guide text for the page: a line break inside a text stays inside its paragraph.
QString PageText(const std::string& bytes) {
    QString text = QString::fromUtf8(Cp1252ToUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text);
}

// Builds the document of the proof copy with a cursor, so that no text of the guide is ever
// read as markup.
class ProofDocumentBuilder {
public:
    ProofDocumentBuilder(QTextDocument& document, ProofPictures& pictures)
        : Document(document), Cursor(&document), Pictures(pictures) {
        Plain.setFont(ProofFont(10));
        Quiet = Plain;
        Quiet.setForeground(QColor(0x55, 0x55, 0x55));
        Note = Quiet;
        Note.setFontItalic(true);
        Strong = Plain;
        Strong.setFontWeight(QFont::Bold);
        Heading.setFont(ProofFont(13, true));
    }

    void Add(const ProofEntry& entry) {
        QTextBlockFormat head;
        head.setTopMargin(First ? 0 : 14);
        head.setBottomMargin(4);
        head.setBackground(QColor(0xE8, 0xEC, 0xF2));
        head.setLeftMargin(0);
        head.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        Block(head, Heading);
        Headings.push_back(Cursor.block());
        Cursor.insertText(QStringLiteral("Record ") + Utf8(IntToStr(entry.Number)));
        First = false;

        QTextBlockFormat body;
        body.setBottomMargin(4);
        Block(body, Plain);
        if (entry.Dialogue.empty())
            Cursor.insertText(QStringLiteral("(no dialogue)"), Note);
        else
            Cursor.insertText(PageText(entry.Dialogue), Plain);

        if (!entry.PicturePath.empty())
            AddPicture(entry);

        QTextBlockFormat response = body;
        response.setLeftMargin(14);
        response.setBottomMargin(2);
        if (entry.Responses.empty()) {
            Block(response, Note);
            Cursor.insertText(QStringLiteral("(no responses)"), Note);
        }
        for (const ProofResponse& each : entry.Responses) {
            Block(response, Plain);
            Cursor.insertText(QStringLiteral("\u2022 "), Quiet);
            Cursor.insertText(each.Text.empty() ? QStringLiteral("(no text)") : PageText(each.Text),
                              each.Text.empty() ? Note : Plain);
            Cursor.insertText(QStringLiteral("   "), Plain);
            Cursor.insertText(Utf8(DestinationText(each)),
                              each.Destination == ProofDestination::Nowhere ? Note : Strong);
        }

        QTextBlockFormat from = body;
        from.setTopMargin(3);
        Block(from, Quiet);
        Cursor.insertText(QStringLiteral("Jumped from: ") + JumpedFromText(entry), Quiet);
    }

    // A record's heading never stays alone at the foot of a page: it goes to the next page
    // with the text under it. Called once the page size is set.
    int KeepHeadingsWithText(qreal pageHeight) {
        QAbstractTextDocumentLayout* layout = Document.documentLayout();
        // Where the first line of a block stands: a block that does not fit moves its lines to
        // the next page, its margin staying behind.
        const auto page = [&](const QTextBlock& block) {
            layout->blockBoundingRect(block); // lays the document out up to the block
            const QTextLayout* lines = block.layout();
            if (!lines || lines->lineCount() == 0)
                return -1;
            return static_cast<int>((lines->position().y() + lines->lineAt(0).y()) / pageHeight);
        };
        int moved = 0;
        for (const QTextBlock& heading : Headings) {
            const QTextBlock next = heading.next();
            if (!next.isValid() || page(heading) == page(next))
                continue;
            if (heading.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue; // at the top of a page already: the record is longer than the page
            ++moved;
            QTextCursor cursor(heading);
            QTextBlockFormat format = heading.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.setBlockFormat(format);
            // Everything after it is laid out again, page breaks included, when next asked.
            Document.markContentsDirty(heading.position(),
                                       Document.characterCount() - heading.position());
        }
        return moved;
    }

private:
    void Block(const QTextBlockFormat& format, const QTextCharFormat& chars) {
        if (Empty) {
            Cursor.setBlockFormat(format);
            Cursor.setBlockCharFormat(chars);
            Cursor.setCharFormat(chars);
            Empty = false;
            return;
        }
        Cursor.insertBlock(format, chars);
    }

    void AddPicture(const ProofEntry& entry) {
        const ProofPicture& picture = Pictures.Of(entry.PictureFile);
        QTextBlockFormat format;
        format.setTopMargin(2);
        format.setBottomMargin(4);
        Block(format, Quiet);
        if (picture.Image.isNull()) {
            Cursor.insertText(Utf8(picture.Problem), Note);
            return;
        }
        const QUrl name(QStringLiteral("proof-picture:") + QString::number(Images++));
        Document.addResource(QTextDocument::ImageResource, name, picture.Image);
        QTextImageFormat image;
        image.setName(name.toString());
        image.setWidth(picture.Image.width());
        image.setHeight(picture.Image.height());
        Cursor.insertImage(image);
        Cursor.insertText(QString(QChar::LineSeparator) + Utf8(Cp1252ToUtf8(entry.PicturePath)),
                          Quiet);
    }

    static QString JumpedFromText(const ProofEntry& entry) {
        if (entry.JumpedFrom.empty())
            return QStringLiteral("none");
        QString list;
        for (std::size_t k = 0; k < entry.JumpedFrom.size(); ++k) {
            if (k)
                list += QStringLiteral(", ");
            list += QString::number(entry.JumpedFrom[k]);
        }
        return list;
    }

    QTextDocument& Document;
    QTextCursor Cursor;
    ProofPictures& Pictures;
    QTextCharFormat Plain, Quiet, Note, Strong, Heading;
    std::vector<QTextBlock> Headings;
    bool Empty = true;
    bool First = true;
    int Images = 0;
};

} // namespace

QPageSize ProofPageSize(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QByteArray ProofPdf(const ProofCopy& copy, const QPageSize& pageSize) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The writer has put down every byte when its painter ends, before it goes.
    PaintPdf(copy, pageSize, buffer);
    return bytes;
}

void PaintPdf(const ProofCopy& copy, const QPageSize& pageSize, QIODevice& device) {
    QPdfWriter writer(&device);
    const QString guideName = Utf8(copy.GuideName);
    writer.setTitle(QStringLiteral("Proof copy of ") + guideName);
    writer.setCreator(QStringLiteral("Dravenloom"));
    writer.setResolution(Resolution);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(18, 14, 18, 14), QPageLayout::Millimeter);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(ProofFont(10));
    document.setDocumentMargin(0);
    // A long web address or a word without blanks breaks at the margin instead of running off
    // the page.
    QTextOption wrapping = document.defaultTextOption();
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrapping);
    ProofPictures pictures;
    ProofDocumentBuilder builder(document, pictures);
    for (const ProofEntry& entry : copy.Entries)
        builder.Add(entry);
    if (copy.Entries.empty()) {
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("This guide has no records."));
    }

    // The page's own lines: the guide's name above the text, the page number below it.
    const QFont headFont = ProofFont(8);
    const QFontMetricsF metrics(headFont, &writer);
    const qreal width = writer.width();
    const qreal band = metrics.height() * 2.2;
    const qreal bodyHeight = writer.height() - 2 * band;
    document.setPageSize(QSizeF(width, bodyHeight));
    // A second pass finds nothing to move unless the first one was wrong somewhere; it only
    // reads the layout the first one left.
    for (int pass = 0; pass < 3 && builder.KeepHeadingsWithText(bodyHeight) > 0; ++pass) {
    }
    const int pages = document.pageCount();

    QPainter painter(&writer);
    const QString pagesText = QString::number(pages);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.setFont(headFont);
        painter.setPen(QColor(0x44, 0x44, 0x44));
        const QRectF head(0, 0, width, metrics.height());
        painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, guideName);
        painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Proof copy"));
        const qreal rule = metrics.height() * 1.4;
        painter.drawLine(QPointF(0, rule), QPointF(width, rule));
        const QRectF foot(0, writer.height() - metrics.height(), width, metrics.height());
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, guideName);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Page ") + QString::number(page + 1) +
                             QStringLiteral(" of ") + pagesText);

        painter.save();
        const qreal top = page * bodyHeight;
        painter.translate(0, band - top);
        const QRectF visible(0, top, width, bodyHeight);
        painter.setClipRect(visible);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
}

} // namespace dravenloom
