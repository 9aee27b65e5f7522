// The upload page during a run: the sample guide sent to a local pyftpdlib that reads slowly, so
// that the picture catches the status text, the progress part way and "Abort" ready.
#include "shots/UploadShot.h"

#include "PyFtpServer.h"
#include "SftpServer.h"
#include "app/Guidecode.h"
#include "app/UploadFilesPage.h"
#include "shots/ShotTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QLabel>
#include <QTemporaryDir>

#include <filesystem>

namespace dravenloom::shots {
namespace {

// The largest file of the applet: at the server's pace it takes a few seconds.
constexpr const char* CaughtStatus = "Uploading GuideCanvas.class";
// Bytes a second the server reads.
constexpr int ServerPace = 4096;

} // namespace

void ShootUploadRunning(Camera& camera, TGuideForm& window) {
    const QString name = QStringLiteral("page-upload-running");
    auto* page = qobject_cast<UploadFilesPage*>(window.PageWidget(Page::Upload));
    if (!page) {
        camera.Missed(name, QStringLiteral("the upload page is not built"));
        return;
    }
    QTemporaryDir root;
    std::filesystem::create_directories(std::filesystem::u8path(root.path().toStdString()) / "www");
    PyFtpServer server(std::filesystem::u8path(root.path().toStdString()), ServerPace);
    if (!server.Ready()) {
        camera.Missed(name, QStringLiteral("pyftpdlib did not start: ") +
                                QString::fromStdString(server.Log));
        return;
    }

    window.ToolbarButtons.at(static_cast<std::size_t>(Page::Upload))->trigger();
    Type(page->HostTxt, QStringLiteral("127.0.0.1"));
    Type(page->UserTxt, QStringLiteral("alice"));
    Type(page->PassTxt, QStringLiteral("secret"));
    Type(page->PortTxt, QString::fromStdString(server.PortText()));
    Type(page->DirTxt, QStringLiteral("www"));
    if (!page->PassiveCheck->isChecked())
        page->PassiveCheck->click();

    // The run waits for the server inside "Upload"; these timers act meanwhile: No to the
    // questions (an HTML page, saving changes), then the picture once the file is on its way.
    AnswerBoxes(page, QMessageBox::No, 3);
    bool shot = false;
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, page, [&] {
        if (page->StatusLabel->text() != QLatin1String(CaughtStatus))
            return;
        watch.stop();
        Settle(500);
        shot = camera.Shoot(&window, name);
        page->AbortBtn->click();
    });
    watch.start();
    // A run that never reaches the file ends here rather than waiting for ever.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, page, [page] {
        if (page->AbortBtn->isEnabled())
            page->AbortBtn->click();
    });
    guard.start(60000);
    page->UploadBtn->click();
    watch.stop();
    guard.stop();
    if (!shot)
        camera.Missed(
            name, QStringLiteral("the run never showed \"%1\"").arg(QLatin1String(CaughtStatus)));
    window.ToolbarButtons.at(0)->trigger();
}

void ShootTrustQuestion(Camera& camera, TGuideForm& window) {
    const QString name = QStringLiteral("upload-trust-question");
    auto* page = qobject_cast<UploadFilesPage*>(window.PageWidget(Page::Upload));
    if (!page) {
        camera.Missed(name, QStringLiteral("the upload page is not built"));
        return;
    }
    QTemporaryDir root;
    std::filesystem::create_directories(std::filesystem::u8path(root.path().toStdString()) / "www");
    SftpServer server(std::filesystem::u8path(root.path().toStdString()));
    if (!server.Ready()) {
        camera.Missed(name, QStringLiteral("the SFTP server did not start: ") +
                                QString::fromStdString(server.Log));
        return;
    }
    window.ToolbarButtons.at(static_cast<std::size_t>(Page::Upload))->trigger();
    page->ProtocolCombo->setCurrentIndex(2);
    emit page->ProtocolCombo->activated(2);
    Type(page->HostTxt, QStringLiteral("127.0.0.1"));
    Type(page->UserTxt, QStringLiteral("alice"));
    Type(page->PassTxt, QStringLiteral("secret"));
    Type(page->PortTxt, QString::fromStdString(server.PortText()));
    Type(page->DirTxt, QStringLiteral("www"));

    // No to the questions before it (an HTML page, saving changes); the picture of the one
    // about the server, then No to it too: nothing is sent.
    bool shot = false;
    QTimer watch;
    watch.setInterval(200);
    QObject::connect(&watch, &QTimer::timeout, page, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box->text().startsWith(QStringLiteral("The identity of the server"))) {
            Settle(300);
            shot = camera.Shoot(box, name);
        }
        if (QAbstractButton* no = box->button(QMessageBox::No))
            no->click();
        else if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
    });
    watch.start();
    page->UploadBtn->click();
    watch.stop();
    if (!shot)
        camera.Missed(name, QStringLiteral("no question about the server came"));
    // The page as it was: plain FTP, for the pictures after this one.
    page->ProtocolCombo->setCurrentIndex(0);
    emit page->ProtocolCombo->activated(0);
    window.ToolbarButtons.at(0)->trigger();
}

} // namespace dravenloom::shots
