// The upload page ("Upload Files"): the server settings, the list of files, Upload, Abort,
// List Files, Remove File and the progress, over the core's UploadPage.
#pragma once

#include "app/GuidePage.h"
#include "shell/UploadPage.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace dravenloom {

class FtpClient;
class GuideForm;
class GuideTextGuard;

class UploadFilesPage : public GuidePage {
    Q_OBJECT

public:
    // The page uses `client` for every upload and joins itself to the window's start-up and
    // toolbar.
    UploadFilesPage(GuideForm& form, std::unique_ptr<FtpClient> client, QWidget* parent = nullptr);
    ~UploadFilesPage() override;

    void Refresh() override;

    QLineEdit* HostTxt = nullptr;
    QLineEdit* UserTxt = nullptr;
    QLineEdit* PassTxt = nullptr;
    QLineEdit* PortTxt = nullptr;
    QLineEdit* DirTxt = nullptr;
    QCheckBox* PassiveCheck = nullptr;
    QComboBox* ProtocolCombo = nullptr;
    QTreeWidget* FilesMemo = nullptr;
    QPushButton* UploadBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
    QPushButton* ListBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StatusLabel = nullptr;

    std::unique_ptr<FtpClient> Client;
    UploadPage Upload;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Connect();
    void ShowList();

    GuideForm& Form;
    GuideTextGuard* HostGuard = nullptr;
    GuideTextGuard* UserGuard = nullptr;
    GuideTextGuard* PassGuard = nullptr;
    GuideTextGuard* PortGuard = nullptr;
    GuideTextGuard* DirGuard = nullptr;
};

} // namespace dravenloom
