// Program entry of the desktop program: the splash, the windows in their order, the main loop.
#include "app/About.h"
#include "app/Advanced.h"
#include "app/Application.h"
#include "app/Guidecode.h"
#include "app/Magnified.h"
#include "app/QtPlatform.h"
#include "app/QtSettingsStore.h"
#include "app/Splash.h"
#include "app/Tutorial.h"
#include "app/Wizard.h"

#include <QMessageBox>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace dravenloom;

int Run(Application& application) {
    // The splash is up and painted before anything else is built.
    auto splash = std::make_unique<TSplashForm>();
    splash->ShowAndPaint();

    QtPlatform platform;
    QtSettingsStore settings;
    application.SetErrorReporter(&platform);

    std::vector<std::string> arguments;
    const QStringList commandLine = QCoreApplication::arguments();
    for (qsizetype i = 1; i < commandLine.size(); ++i)
        arguments.push_back(commandLine[i].toStdString());
    const std::string executableDirectory = QCoreApplication::applicationDirPath().toStdString();

    TGuideForm guideForm(platform, platform.Fields(), settings, executableDirectory, arguments);
    TAboutBox aboutBox(platform, &guideForm);
    TTutorialForm tutorialForm(platform, std::filesystem::u8path(executableDirectory));
    TWizardForm wizardForm(settings, &guideForm);
    TAdvancedForm advancedForm(guideForm.Core().Editor, platform.Fields(), &guideForm);
    TMagnifyForm magnifyForm(&guideForm);
    guideForm.AttachWindows({&aboutBox, &tutorialForm, &wizardForm, &advancedForm, &magnifyForm});
    guideForm.StartRecovery(RecoveryDirectory(), RecoveryInterval());
    splash.reset();

    // The program ends when the main window closes, whatever other window is still open.
    QObject::connect(&guideForm, &TGuideForm::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    guideForm.show();
    const int result = application.exec();
    application.SetErrorReporter(nullptr);
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    Application application(argc, argv);
    try {
        return Run(application);
    } catch (...) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Error"),
                        QString::fromUtf8(UnrecoverableErrorText), QMessageBox::Ok);
        box.exec();
        return 1;
    }
}
