// Tests of the Qt platform's colour chooser and of the focus requests for drop-downs.
#include "app/QtPlatform.h"
#include "app/WidgetTestSupport.h"
#include "document/Controls.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

TEST(ColourChooserTest, StartsFromTheCurrentColourAndReturnsTheChoice) {
    QtPlatform platform;
    QColor preset;
    bool guarded = false;
    WhenModal([&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        preset = dialog->currentColor();
        guarded = ModalGuard::Active();
        dialog->setCurrentColor(QColor(0x12, 0xAB, 0x0F));
        dialog->accept();
    });
    EXPECT_EQ(platform.ChooseColour(Rgb{200, 100, 50}), (Rgb{0x12, 0xAB, 0x0F}));
    EXPECT_EQ(preset, QColor(200, 100, 50));
    EXPECT_TRUE(guarded);

    WhenModal([] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(Qt::red);
        dialog->reject();
    });
    EXPECT_EQ(platform.ChooseColour(White), std::nullopt);
}

TEST(ColourChooserTest, FocusRequestsReachTheRegisteredDropDown) {
    QtPlatform platform;
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(combo);
    window.show();
    QApplication::setActiveWindow(&window);
    field->setFocus();
    ASSERT_TRUE(WaitFor([&] { return field->hasFocus(); }));

    ComboBox box;
    platform.FocusCombo(box); // nothing registered: nothing happens
    EXPECT_TRUE(field->hasFocus());
    platform.Fields().Register(box, combo);
    platform.FocusCombo(box);
    EXPECT_TRUE(combo->hasFocus());
}

} // namespace
} // namespace dravenloom
