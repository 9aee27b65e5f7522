// Widget tests of the upload page in the main window: the fields reach the core, the list
// shows its rows and loses them to Remove File and the Delete key, a refused connection ends
// the run with its message, a save the upload makes shows in the window at once, closing the
// window during a stalled store ends the program, and the page fits its view.
#include "app/UploadFilesPage.h"

#include "app/MainWindowFixture.h"
#include "ftp/FakeFtpServer.h"
#include "support/Watchdog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>

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
    // The server fields aimed at 127.0.0.1 and the port.
    void TypeServer(quint16 port) {
        Type(Upload->HostTxt, QStringLiteral("127.0.0.1"));
        Type(Upload->UserTxt, QStringLiteral("anna"));
        Type(Upload->PassTxt, QStringLiteral("pw"));
        Upload->PortTxt->selectAll();
        Type(Upload->PortTxt, QString::number(port));
    }
    UploadFilesPage* Upload = nullptr;
};

// A port that was just free: nothing listens there.
quint16 DeadPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

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
    Core().Document.GuideFileName = "/nowhere/guide.dvx";
    Upload->Upload.UploadList = {"/nowhere/guide.dvx"};
    TypeServer(DeadPort());
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

TEST_F(UploadFilesPageTest, ASaveTheUploadMakesShowsInTheTitleAndSaveAtOnce) {
    QTemporaryDir folder;
    const std::string guide = folder.filePath(QStringLiteral("fresh.dvx")).toStdString();
    Core().Editor.DialogueMemoChange("Fresh");
    Window->Refresh();
    ASSERT_TRUE(Window->Save1->isEnabled());

    // "List Files" on an untitled guide saves it first, keeping its changes unsaved: the title
    // has the new name by the time the next question is asked.
    QString titleAsked;
    Platform.OnMessage = [&](const MessageRequest&) {
        if (titleAsked.isEmpty())
            titleAsked = Window->windowTitle();
    };
    Platform.DialogAnswers.push_back(guide);
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload->ListBtn->click();
    EXPECT_EQ(titleAsked, QStringLiteral("Dravenloom - fresh.dvx"));
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Dravenloom - fresh.dvx"));
    EXPECT_TRUE(Window->Save1->isEnabled());

    // Yes to "Save changes ... before uploading?": Save is off while the run goes on.
    Upload->Upload.UploadList = {guide};
    Upload->Upload.ListCancelled = false;
    TypeServer(DeadPort());
    bool saveWhileRunning = true;
    Platform.OnMessage = [&](const MessageRequest& request) {
        if (request.Text.rfind("Could not complete upload", 0) == 0)
            saveWhileRunning = Window->Save1->isEnabled();
    };
    Platform.ClearRecords();
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    Upload->UploadBtn->click();
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[0].Text, "Save changes to fresh.dvx before uploading?");
    EXPECT_FALSE(saveWhileRunning);
    EXPECT_FALSE(Window->Save1->isEnabled());
    Platform.OnMessage = nullptr;
}

struct CloseWay {
    const char* Name;
    std::function<void(TGuideForm&)> Close;
};

class ClosingDuringAStalledStore : public UploadFilesPageTest,
                                   public ::testing::WithParamInterface<CloseWay> {
protected:
    // The program as main() runs it: the window's close ends the application's loop. The upload
    // waits in a store the server never answers; the window is closed, the question answered
    // Yes, and the process must end, well before the store's 15 s timeout.
    [[noreturn]] void RunTheProgram() {
        Watchdog watchdog(std::chrono::seconds(10));
        QTemporaryDir folder;
        const std::string guide = folder.filePath(QStringLiteral("guide.dvx")).toStdString();
        std::ofstream(guide, std::ios::binary) << "1\xA4One\xB6\xAA\xB1\x80no\r\n";
        Core().Document.GuideFileName = guide;
        Upload->Upload.UploadList = {guide};
        FakeFtpServer server;
        server.Replies["STOR"] = "";
        TypeServer(server.Port());
        QElapsedTimer sinceClose;
        server.Handlers["STOR"] = [&](const std::string&) {
            QTimer::singleShot(200, Window.get(), [&] {
                sinceClose.start();
                GetParam().Close(*Window);
            });
        };
        Platform.MessageAnswers.push_back(MsgAnswer::Yes);
        QObject::connect(Window.get(), &TGuideForm::Closed, qApp, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        QTimer::singleShot(0, Upload, [this] { Upload->UploadBtn->click(); });
        QApplication::exec();
        const bool asked =
            !Platform.Messages.empty() &&
            Platform.Messages[0].Text == "An upload is in progress.  Stop it and close Dravenloom?";
        std::fprintf(stderr, "asked: %d, ended %lld ms after the close\n", asked ? 1 : 0,
                     static_cast<long long>(sinceClose.isValid() ? sinceClose.elapsed() : -1));
        std::fflush(stderr);
        std::_Exit(asked && sinceClose.isValid() && sinceClose.elapsed() < 2000 ? 0 : 1);
    }
};

TEST_P(ClosingDuringAStalledStore, AsksAndTheProgramEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunTheProgram(), ::testing::ExitedWithCode(0), "asked: 1, ended");
}

const CloseWay CloseWays[] = {
    {"CloseButton", [](TGuideForm& window) { window.close(); }},
    {"ExitOnTheToolbar", [](TGuideForm& window) { window.ToolbarButtons[5]->trigger(); }},
    {"CtrlQ", [](TGuideForm& window) { QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); }},
};

INSTANTIATE_TEST_SUITE_P(UploadFilesPage, ClosingDuringAStalledStore,
                         ::testing::ValuesIn(CloseWays),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace dravenloom
