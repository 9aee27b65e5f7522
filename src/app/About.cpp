// The about box.
#include "app/About.h"

#include "app/Artwork.h"
#include "app/WindowStyle.h"
#include "shell/GuideForm.h"

#include <QLabel>
#include <QPushButton>

namespace dravenloom {

TAboutBox::TAboutBox(Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), Host(platform), Link(nullptr),
      Close(nullptr) {
    setWindowTitle(QStringLiteral("About"));
    setFont(DialogFont());

    auto* picture = new QLabel(this);
    picture->setGeometry(0, 0, 396, 230);
    picture->setPixmap(AboutPicture());
    auto* version = new QLabel(QStringLiteral("Ver 1.0"), picture);
    // Light lettering: the corner of the picture is dark.
    QPalette light = version->palette();
    light.setColor(QPalette::WindowText, QColor(0xF2, 0xEC, 0xD8));
    version->setPalette(light);
    version->adjustSize();
    version->move(396 - version->width() - 12, 230 - version->height() - 8);

    auto* panel = new QWidget(this);
    panel->setGeometry(0, 230, 396, 78);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);

    auto* visit = new QLabel(QStringLiteral("Visit Korvessa Software:"), panel);
    visit->move(12, 12);
    visit->adjustSize();

    // A rich-text link, so that it can also be reached and followed with the keyboard.
    const QString address = QString::fromUtf8(HomePageAddress).toHtmlEscaped();
    Link = new QLabel(panel);
    Link->setTextFormat(Qt::RichText);
    Link->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff; "
                                 "text-decoration:underline;\">%1</a>")
                      .arg(address));
    Link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Link->setOpenExternalLinks(false);
    Link->adjustSize();
    Link->move(12, 12 + visit->height() + 4);
    connect(Link, &QLabel::linkActivated, this, [this] { LinkLabelClick(); });

    Close = new QPushButton(QStringLiteral("Close"), panel);
    Close->setGeometry(396 - 75 - 12, 78 - 25 - 10, 75, 25);
    Close->setDefault(true);
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);

    FixClientSize(this, 396, 308);
}

void TAboutBox::LinkLabelClick() {
    Host.OpenAddress(HomePageAddress);
}

} // namespace dravenloom
