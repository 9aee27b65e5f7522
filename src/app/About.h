// The about box: the product picture, the version and a link to the maker's home page.
#pragma once

#include "document/Platform.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace dravenloom {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // The link label asks the platform to open the home page.
    explicit TAboutBox(Platform& platform, QWidget* parent = nullptr);

    QLabel* LinkLabel() const { return Link; }
    QPushButton* CloseButton() const { return Close; }

    // The link label was clicked.
    void LinkLabelClick();

private:
    Platform& Host;
    QLabel* Link;
    QPushButton* Close;
};

} // namespace dravenloom
