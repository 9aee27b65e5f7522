// Tests of the help window and of the way the platform layer finds and shows the help book:
// pages open in the window, addresses go to the platform, the keyboard and "Close" close it.
#include "app/HelpWindow.h"
#include "app/QtPlatform.h"
#include "app/WidgetTestSupport.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

TEST(QtPlatformTest, HelpFileMapsToTheHelpBookBesideIt) {
    const QString book = HelpBookPath("/opt/dravenloom/Dravenloom.hlp");
    EXPECT_EQ(book, QStringLiteral("/opt/dravenloom/help/index.html"));
}

TEST(QtPlatformTest, HelpContentsShowTheBookOrSayItIsMissing) {
    QTemporaryDir dir;
    const std::string helpFile = dir.filePath(QStringLiteral("Dravenloom.hlp")).toStdString();
    QtPlatform platform;

    QString missingText;
    WhenModal([&missingText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        missingText = box->text();
        box->accept();
    });
    platform.ShowHelpContents(helpFile);
    EXPECT_TRUE(missingText.contains(QStringLiteral("index.html")));
    EXPECT_EQ(platform.Help(), nullptr);

    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("help")));
    QFile index(dir.filePath(QStringLiteral("help/index.html")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("<html><body><p>Help contents</p></body></html>");
    index.close();
    platform.ShowHelpContents(helpFile);
    ASSERT_NE(platform.Help(), nullptr);
    EXPECT_TRUE(platform.Help()->isVisible());
    EXPECT_EQ(platform.Help()->windowTitle(), QStringLiteral("Dravenloom Help"));
    EXPECT_TRUE(
        platform.Help()->Browser()->toPlainText().contains(QStringLiteral("Help contents")));
}

TEST(HelpWindowTest, BookPagesOpenHereAndAddressesGoToThePlatform) {
    QTemporaryDir dir;
    auto write = [&dir](const QString& name, const QByteArray& html) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html);
    };
    write(QStringLiteral("index.html"), "<p>Contents page</p><a href=\"views.html\">Views</a>");
    write(QStringLiteral("views.html"), "<p>About the views</p>");

    ScriptedPlatform platform;
    HelpWindow help(platform);
    help.ShowContents(dir.filePath(QStringLiteral("index.html")));
    EXPECT_FALSE(help.BackButton()->isEnabled());

    emit help.Browser()->anchorClicked(QUrl(QStringLiteral("views.html")));
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("About the views")));
    EXPECT_TRUE(help.BackButton()->isEnabled());
    help.BackButton()->click();
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("Contents page")));
    help.ForwardButton()->click();
    help.ContentsButton()->click();
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("Contents page")));

    emit help.Browser()->anchorClicked(QUrl(QStringLiteral("https://www.korvessa.example/")));
    emit help.Browser()->anchorClicked(QUrl(QStringLiteral("mailto:help@korvessa.example")));
    EXPECT_EQ(platform.Addresses, (std::vector<std::string>{"https://www.korvessa.example/",
                                                            "mailto:help@korvessa.example"}));
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("Contents page")));
}

TEST(HelpWindowTest, OpensAtAPageAndClosesFromTheButtonAndTheKeyboard) {
    QTemporaryDir dir;
    for (const char* name : {"index.html", "edit-view.html"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("<p>Page ") + name + "</p>");
    }
    ScriptedPlatform platform;
    HelpWindow help(platform);
    const auto open = [&] {
        help.ShowPage(dir.filePath(QStringLiteral("edit-view.html")),
                      dir.filePath(QStringLiteral("index.html")));
        help.activateWindow();
        return WaitFor([&] { return help.isVisible() && help.isActiveWindow(); });
    };
    ASSERT_TRUE(open());
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("edit-view.html")));
    help.ContentsButton()->click();
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("index.html")));

    EXPECT_EQ(help.CloseButton()->text(), QStringLiteral("Close"));
    help.CloseButton()->click();
    EXPECT_FALSE(help.isVisible());

    // Escape and every binding of the platform's close shortcut, typed in the page itself.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    keys.prepend(QKeySequence(Qt::Key_Escape));
    for (const QKeySequence& key : keys) {
        ASSERT_TRUE(open());
        help.Browser()->setFocus();
        QTest::keySequence(help.Browser(), key);
        EXPECT_FALSE(help.isVisible()) << key.toString().toStdString();
    }
}

TEST(QtPlatformTest, HelpPagesShowInTheHelpWindowOrSayWhereTheyBelong) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("help")));
    QFile index(dir.filePath(QStringLiteral("help/index.html")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("<p>Help contents</p>");
    index.close();
    QtPlatform platform;

    QString missingText;
    WhenModal([&missingText] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            missingText = box->text();
            box->accept();
        }
    });
    platform.ShowHelpPage(dir.filePath(QStringLiteral("help/logic-view.html")).toStdString());
    EXPECT_TRUE(missingText.contains(QStringLiteral("logic-view.html")))
        << missingText.toStdString();
    EXPECT_EQ(platform.Help(), nullptr);

    QFile page(dir.filePath(QStringLiteral("help/logic-view.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<p>The tree of records</p>");
    page.close();
    platform.ShowHelpPage(dir.filePath(QStringLiteral("help/logic-view.html")).toStdString());
    ASSERT_NE(platform.Help(), nullptr);
    EXPECT_TRUE(platform.Help()->isVisible());
    EXPECT_TRUE(
        platform.Help()->Browser()->toPlainText().contains(QStringLiteral("The tree of records")));
    platform.Help()->ContentsButton()->click();
    EXPECT_TRUE(
        platform.Help()->Browser()->toPlainText().contains(QStringLiteral("Help contents")));
    platform.Help()->close();
}

} // namespace
} // namespace dravenloom
