// Widget tests of the upload page in the main window: the fields reach the core, the list
// shows its rows and loses them to Remove File and the Delete key, a refused connection ends
// the run with its message, and the page fits its view.
#include "app/UploadFilesPage.h"

#include "app/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class UploadFilesPageTest : public MainWindowFixture {
protected:
    UploadFilesPageTest() {
        Window->ToolbarButtons[4]->trigger();
        Upload = qobject_cast<UploadFilesPage*>(Window->PageStack->currentWidget());
    }
    void PressKey(QWidget* widget, Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
    }
    UploadFilesPage* Upload = nullptr;
};

TEST_F(UploadFilesPageTest, TheToolbarShowsTheIdlePageWithItsDefaults) {
    ASSERT_NE(Upload, nullptr);
    EXPECT_EQ(Upload->PortTxt->text(), QStringLiteral("21"));
    EXPECT_EQ(Upload->StatusLabel->text(), QStringLiteral("Uploading: Idle"));
    EXPECT_EQ(Upload->ProgressBar1->value(), 0);
    EXPECT_FALSE(Upload->AbortBtn->isEnabled());
    EXPECT_TRUE(Upload->UploadBtn->isEnabled());
    EXPECT_TRUE(Upload->FilesMemo->isHeaderHidden());
    EXPECT_EQ(Upload->PassTxt->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Upload->HostTxt->toolTip(),
              QStringLiteral("Type a value to specify the remote server to which you would like "
                             "to connect."));
    // Everything lies inside the view.
    for (QWidget* child : Upload->findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != Upload)
            continue;
        EXPECT_TRUE(QRect(0, 0, 620, 399).contains(child->geometry()))
            << child->objectName().toStdString();
    }
}

TEST_F(UploadFilesPageTest, TypingReachesTheServerSettings) {
    Type(Upload->HostTxt, QStringLiteral("ftp.example.com"));
    Type(Upload->PassTxt, QStringLiteral("s\u00E9cret"));
    Upload->PassiveCheck->click();
    const FtpSettings& server = Upload->Upload.Server;
    EXPECT_EQ(server.HostTxt.Text, "ftp.example.com");
    EXPECT_EQ(server.PassTxt.Text, "s\xE9"
                                   "cret");
    EXPECT_TRUE(server.PassiveCheck.Checked);
}

TEST_F(UploadFilesPageTest, RowsGoWithRemoveFileAndTheDeleteKey) {
    Upload->Upload.UploadList = {"/a/guide.dvx", "/b/Dravenloom.class", "/c/gray.gif"};
    Upload->Refresh();
    ASSERT_EQ(Upload->FilesMemo->topLevelItemCount(), 3);
    EXPECT_EQ(Upload->FilesMemo->topLevelItem(1)->text(0), QStringLiteral("/b/Dravenloom.class"));

    Upload->RemoveBtn->click();
    EXPECT_EQ(Platform.Messages.back().Text, "You must first select a file to remove.");
    Upload->FilesMemo->setCurrentItem(Upload->FilesMemo->topLevelItem(1));
    Upload->RemoveBtn->click();
    EXPECT_EQ(Upload->FilesMemo->topLevelItemCount(), 2);
    Upload->FilesMemo->setCurrentItem(Upload->FilesMemo->topLevelItem(0));
    PressKey(Upload->FilesMemo, Qt::Key_Delete);
    ASSERT_EQ(Upload->FilesMemo->topLevelItemCount(), 1);
    EXPECT_EQ(Upload->FilesMemo->topLevelItem(0)->text(0), QStringLiteral("/c/gray.gif"));
}

TEST_F(UploadFilesPageTest, ARefusedConnectionEndsTheRunWithItsMessage) {
    // A port that was just free: nothing listens there.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();

    Core().Document.GuideFileName = "/nowhere/guide.dvx";
    Upload->Upload.UploadList = {"/nowhere/guide.dvx"};
    Type(Upload->HostTxt, QStringLiteral("127.0.0.1"));
    Type(Upload->UserTxt, QStringLiteral("anna"));
    Type(Upload->PassTxt, QStringLiteral("pw"));
    Upload->PortTxt->selectAll();
    Type(Upload->PortTxt, QString::number(port));
    Platform.ClearRecords();
    Upload->UploadBtn->click();
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Dravenloom");
    EXPECT_NE(Platform.Messages[0].Text.find("Could not complete upload: "), std::string::npos);
    EXPECT_NE(Platform.Messages[0].Text.find("refused"), std::string::npos)
        << Platform.Messages[0].Text;
    EXPECT_EQ(Upload->FilesMemo->topLevelItemCount(), 0);
    EXPECT_TRUE(Upload->UploadBtn->isEnabled());
    EXPECT_FALSE(Upload->AbortBtn->isEnabled());
    EXPECT_EQ(Upload->StatusLabel->text(), QStringLiteral("Uploading: Idle"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace dravenloom
