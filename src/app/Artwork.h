// The program's pictures and icons, painted at run time with QPainter.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace dravenloom {

// Start-up picture, 395 x 242; the bottom-right corner is left free for the version label.
QPixmap SplashPicture();

// Product picture at the top of the about box, 396 x 230.
QPixmap AboutPicture();

// Small picture for the getting-started wizard, 120 x 90.
QPixmap WizardPicture();

// The white page behind the Edit View's labels (shared by the other pages): mostly white with a
// faint woven motif along its edges, so black text stays readable everywhere.
QPixmap PageBackground(QSize size);

enum class ToolbarGlyph { EditView, LogicView, GenerateHtml, Demonstration, UploadFiles, Exit };

// 32 x 32 toolbar glyph with normal and disabled modes.
QIcon ToolbarIcon(ToolbarGlyph glyph);

// 16 x 16 Logic View node picture: 0 a record with responses (or the root, or a response whose
// jump is not expanded), 1 a response whose jump is expanded, 2 a record without responses.
QIcon TreeNodeIcon(int index);

// 16 x 16 magnifying glass beside the Edit View's text fields.
QIcon MagnifierIcon();

// 16 x 16 framed picture on the Edit View's "Graphic..." while the record has a picture.
QIcon PictureMarkIcon();

// The program's emblem at the usual icon sizes.
QIcon ApplicationIcon();

// The emblem on a transparent square of `pixels` a side: the window icon's pictures, and the
// desktop's icons that dravenloom-make-icons writes for installing.
QImage ApplicationIconImage(int pixels);

} // namespace dravenloom
