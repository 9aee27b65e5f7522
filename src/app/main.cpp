// Program entry of the desktop program: the splash, the windows in their order, the main loop.
#include "app/About.h"
#include "app/Advanced.h"
#include "app/Application.h"
#include "app/GuideText.h"
#include "app/Guidecode.h"
#include "app/EditSpelling.h"
#include "app/Magnified.h"
#include "app/QtPlatform.h"
#include "qtshared/QtSettingsStore.h"
#include "app/Splash.h"
#include "app/Tutorial.h"
#include "app/Wizard.h"
#include "document/GuideFile.h"
#include "qtshared/SpellingFiles.h"
#include "shell/ResourceDirectory.h"
#include "spelling/Dictionaries.h"

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
    GuideTextGuard::SetPlatform(&platform);

    std::vector<std::string> arguments;
    const QStringList commandLine = QCoreApplication::arguments();
    for (qsizetype i = 1; i < commandLine.size(); ++i)
        arguments.push_back(commandLine[i].toStdString());
    // The help book, the tutorial and the Applet folder: beside the executable in the build
    // tree, under share/dravenloom once installed.
    const std::string resourceDirectory = TextFromPath(
        ResourceDirectory(PathFromText(QCoreApplication::applicationDirPath().toStdString())));

    TGuideForm guideForm(platform, platform.Fields(), settings, resourceDirectory, arguments);
    TAboutBox aboutBox(platform, &guideForm);
    TTutorialForm tutorialForm(platform, std::filesystem::u8path(resourceDirectory));
    TWizardForm wizardForm(settings, &guideForm);
    TAdvancedForm advancedForm(guideForm.Core().Editor, platform.Fields(), &guideForm);
    TMagnifyForm magnifyForm(&guideForm);
    guideForm.AttachWindows({&aboutBox, &tutorialForm, &wizardForm, &advancedForm, &magnifyForm});
    guideForm.StartRecovery(RecoveryDirectory(), RecoveryInterval());
    AttachSpelling(guideForm,
                   {DictionaryFolders(QCoreApplication::applicationDirPath().toStdString()),
                    PersonalWordListPath()});
    splash.reset();

    // The program ends when the main window closes, whatever other window is still open.
    QObject::connect(&guideForm, &TGuideForm::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    guideForm.show();
    const int result = application.exec();
    GuideTextGuard::SetPlatform(nullptr);
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
