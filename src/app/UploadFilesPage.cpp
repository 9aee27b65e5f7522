// The upload page: its widgets where they fit the 620 x 399 view, and the forwarding of the
// author's input to the core's upload.
#include "app/UploadFilesPage.h"
#include "app/PageWidgets.h"

#include "app/GuideText.h"
#include "app/WidgetSync.h"
#include "publish/FtpClient.h"
#include "shell/GuideForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace dravenloom {
namespace {

constexpr QRect ServerBox(8, 8, 300, 200);
constexpr int LabelLeft = 10;
constexpr int LabelWidth = 110;
constexpr int FieldLeft = 124;
constexpr int FieldWidth = 164;
constexpr int RowTop = 20;
constexpr int RowStep = 25;
constexpr int FieldHeight = 21;
constexpr QRect ListLabel(318, 8, 200, 16);
constexpr QRect ListArea(318, 26, 294, 182);
constexpr QSize ButtonSize(90, 25);
constexpr int ButtonTop = 216;
constexpr QRect ProgressLabel(8, 256, 200, 16);
constexpr QRect ProgressArea(8, 274, 604, 18);
constexpr int MarksTop = 294;
constexpr QRect StatusArea(8, 322, 604, 20);

} // namespace

UploadFilesPage::UploadFilesPage(GuideForm& form, std::unique_ptr<FtpClient> client,
                                 QWidget* parent)
    : GuidePage(parent), Client(std::move(client)),
      Upload(form.Document, form.Editor, form.Files, form.Applet.Options, form.Host, form.Settings,
             *Client, form.ExecutableDirectory),
      Form(form) {
    setObjectName(QStringLiteral("UploadPage"));
    Build();
    Connect();
    Form.AttachUpload(Upload);
    // The run waits for the server inside each request: the page shows where it is meanwhile.
    Upload.Changed = [this] {
        if (RefreshWindow)
            RefreshWindow();
        else
            Refresh();
    };
    Upload.ListRefitted = [this] { ShowList(); };
    Refresh();
}

UploadFilesPage::~UploadFilesPage() {
    Upload.Changed = nullptr;
    Upload.ListRefitted = nullptr;
}

void UploadFilesPage::Build() {
    auto* box = new QGroupBox(Utf8Text("Remote Server:"), this);
    box->setObjectName(QStringLiteral("ServerGroup"));
    box->setGeometry(ServerBox);
    const auto makeField = [box](const char* name, const char* caption, const char* hint, int row) {
        const int top = RowTop + row * RowStep;
        MakePageLabel(box, caption, QRect(LabelLeft, top, LabelWidth, FieldHeight));
        auto* field = new QLineEdit(box);
        field->setObjectName(Utf8Text(name));
        field->setToolTip(Utf8Text(hint));
        field->setGeometry(FieldLeft, top, FieldWidth, FieldHeight);
        return field;
    };
    // How the files travel comes first: the port below follows it.
    MakePageLabel(box, "Protocol:", QRect(LabelLeft, RowTop, LabelWidth, FieldHeight));
    ProtocolCombo = new QComboBox(box);
    ProtocolCombo->setObjectName(QStringLiteral("ProtocolCombo"));
    ProtocolCombo->setToolTip(Utf8Text(ProtocolHint));
    for (const std::string& item : Upload.Server.ProtocolCombo.Items)
        ProtocolCombo->addItem(Utf8Text(item.c_str()));
    ProtocolCombo->setGeometry(FieldLeft, RowTop, FieldWidth, FieldHeight + 2);
    HostTxt = makeField("HostTxt", "Server:", HostHint, 1);
    UserTxt = makeField("UserTxt", "Username:", UserHint, 2);
    PassTxt = makeField("PassTxt", "Password:", PassHint, 3);
    PortTxt = makeField("PortTxt", "Port:", PortHint, 4);
    DirTxt = makeField("DirTxt", "Upload Directory:", DirHint, 5);
    // Every character shows as "*".
    PassTxt->setEchoMode(QLineEdit::Password);
    PassTxt->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    PassiveCheck = new QCheckBox(Utf8Text("Passive Mode"), box);
    PassiveCheck->setObjectName(QStringLiteral("PassiveCheck"));
    PassiveCheck->setGeometry(FieldLeft, RowTop + 6 * RowStep, FieldWidth, FieldHeight);
    HostGuard = new GuideTextGuard(HostTxt, TextRule::CodePage);
    UserGuard = new GuideTextGuard(UserTxt, TextRule::CodePage);
    PassGuard = new GuideTextGuard(PassTxt, TextRule::CodePage);
    PortGuard = new GuideTextGuard(PortTxt, TextRule::CodePage);
    DirGuard = new GuideTextGuard(DirTxt, TextRule::CodePage);

    MakePageLabel(this, "Files to upload:", ListLabel);
    FilesMemo = new QTreeWidget(this);
    FilesMemo->setObjectName(QStringLiteral("FilesMemo"));
    FilesMemo->setGeometry(ListArea);
    FilesMemo->setColumnCount(1);
    FilesMemo->setHeaderLabels({QStringLiteral("Filename")});
    FilesMemo->setHeaderHidden(true);
    FilesMemo->setRootIsDecorated(false);
    FilesMemo->setUniformRowHeights(true);
    FilesMemo->setSelectionMode(QAbstractItemView::SingleSelection);
    FilesMemo->header()->setSectionResizeMode(QHeaderView::Interactive);
    FilesMemo->header()->setStretchLastSection(false);
    FilesMemo->setToolTip(Utf8Text(FilesMemoHint));
    FilesMemo->installEventFilter(this);

    const auto makeButton = [this](const char* name, const char* caption, const char* hint,
                                   QPoint at) {
        auto* button = new QPushButton(Utf8Text(caption), this);
        button->setObjectName(Utf8Text(name));
        button->setToolTip(Utf8Text(hint));
        button->setGeometry(QRect(at, ButtonSize));
        return button;
    };
    UploadBtn = makeButton("UploadBtn", "Upload", UploadBtnHint, QPoint(8, ButtonTop));
    AbortBtn = makeButton("AbortBtn", "Abort", AbortBtnHint, QPoint(104, ButtonTop));
    ListBtn = makeButton("ListBtn", "List Files", ListBtnHint, QPoint(318, ButtonTop));
    RemoveBtn = makeButton("RemoveBtn", "Remove File", RemoveBtnHint, QPoint(414, ButtonTop));

    QLabel* progressLabel = MakePageLabel(this, "Upload Progress:", ProgressLabel);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(ProgressArea);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setToolTip(Utf8Text(ProgressHint));
    const int left = ProgressArea.left();
    const int right = ProgressArea.right();
    QLabel* none = MakePageLabel(this, "0%", QRect(left, MarksTop, 40, 16));
    QLabel* half = MakePageLabel(this, "50%", QRect((left + right) / 2 - 20, MarksTop, 40, 16),
                                 Qt::AlignCenter);
    QLabel* all = MakePageLabel(this, "100%", QRect(right - 39, MarksTop, 40, 16),
                                Qt::AlignRight | Qt::AlignVCenter);
    StatusLabel = MakePageLabel(this, IdleStatus, StatusArea);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setToolTip(Utf8Text(StatusHint));

    // In a larger window the file list gets the room; what stands below it moves down with
    // it, and the progress bar and the status line run the whole width.
    Anchor(FilesMemo, Anchors::All());
    for (QWidget* below : {static_cast<QWidget*>(UploadBtn), static_cast<QWidget*>(AbortBtn),
                           static_cast<QWidget*>(ListBtn), static_cast<QWidget*>(RemoveBtn),
                           static_cast<QWidget*>(progressLabel), static_cast<QWidget*>(none)})
        Anchor(below, Anchors::Left | Anchors::Bottom);
    Anchor(ProgressBar1, Anchors::Left | Anchors::Right | Anchors::Bottom);
    Anchor(half, Anchors::Bottom);
    Anchor(all, Anchors::Right | Anchors::Bottom);
    Anchor(StatusLabel, Anchors::Left | Anchors::Right | Anchors::Bottom);
}

void UploadFilesPage::Connect() {
    FtpSettings& server = Upload.Server;
    const std::pair<GuideTextGuard*, TextField*> fields[] = {{HostGuard, &server.HostTxt},
                                                             {UserGuard, &server.UserTxt},
                                                             {PassGuard, &server.PassTxt},
                                                             {PortGuard, &server.PortTxt},
                                                             {DirGuard, &server.DirTxt}};
    for (const auto& [guard, field] : fields)
        connect(guard, &GuideTextGuard::Edited, this,
                [this, field = field](const std::string& text) {
                    Forward([&] { field->Text = text; }, Form.Host);
                });
    connect(ProtocolCombo, &QComboBox::activated, this, [this](int index) {
        Forward(
            [&] { ChooseProtocol(Upload.Server, static_cast<UploadProtocol>(index)); },
            Form.Host);
        Refresh();
    });
    connect(PassiveCheck, &QCheckBox::clicked, this, [this](bool checked) {
        Forward([&] { Upload.Server.PassiveCheck.Checked = checked; }, Form.Host);
    });
    connect(UploadBtn, &QPushButton::clicked, this,
            [this] { Forward([this] { Upload.UploadBtnClick(); }, Form.Host); });
    connect(AbortBtn, &QPushButton::clicked, this,
            [this] { Forward([this] { Upload.AbortBtnClick(); }, Form.Host); });
    connect(ListBtn, &QPushButton::clicked, this,
            [this] { Forward([this] { Upload.ListBtnClick(); }, Form.Host); });
    connect(RemoveBtn, &QPushButton::clicked, this,
            [this] { Forward([this] { Upload.RemoveBtnClick(); }, Form.Host); });
    connect(FilesMemo, &QTreeWidget::currentItemChanged, this, [this] {
        const QModelIndex current = FilesMemo->currentIndex();
        Upload.SelectedRow = current.isValid() ? current.row() : -1;
    });
    // Escape presses "Abort" (when it can be pressed).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (AbortBtn->isEnabled())
            AbortBtn->click();
    });
}

bool UploadFilesPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FilesMemo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Forward([this] { Upload.FilesMemoDeleteKey(); }, Form.Host);
        return true;
    }
    return GuidePage::eventFilter(watched, event);
}

void UploadFilesPage::ShowList() {
    QStringList rows;
    for (const std::string& row : Upload.UploadList)
        rows << QString::fromStdString(row);
    QStringList shown;
    for (int i = 0; i < FilesMemo->topLevelItemCount(); ++i)
        shown << FilesMemo->topLevelItem(i)->text(0);
    if (rows != shown) {
        const QSignalBlocker quiet(FilesMemo);
        FilesMemo->clear();
        for (const QString& row : rows)
            FilesMemo->addTopLevelItem(new QTreeWidgetItem({row}));
        // The single column fits its content again.
        FilesMemo->resizeColumnToContents(0);
    }
    const int selected = Upload.SelectedRow;
    if (selected >= 0 && selected < FilesMemo->topLevelItemCount()) {
        const QSignalBlocker quiet(FilesMemo);
        FilesMemo->setCurrentItem(FilesMemo->topLevelItem(selected));
    } else if (FilesMemo->currentItem()) {
        const QSignalBlocker quiet(FilesMemo);
        FilesMemo->setCurrentItem(nullptr);
        FilesMemo->clearSelection();
    }
}

void UploadFilesPage::Refresh() {
    const FtpSettings& server = Upload.Server;
    HostGuard->SetGuideText(server.HostTxt.Text);
    UserGuard->SetGuideText(server.UserTxt.Text);
    PassGuard->SetGuideText(server.PassTxt.Text);
    PortGuard->SetGuideText(server.PortTxt.Text);
    DirGuard->SetGuideText(server.DirTxt.Text);
    if (PassiveCheck->isChecked() != server.PassiveCheck.Checked)
        PassiveCheck->setChecked(server.PassiveCheck.Checked);
    PassiveCheck->setEnabled(server.PassiveCheck.Enabled);
    if (ProtocolCombo->currentIndex() != server.ProtocolCombo.ItemIndex) {
        const QSignalBlocker quiet(ProtocolCombo);
        ProtocolCombo->setCurrentIndex(server.ProtocolCombo.ItemIndex);
    }
    ShowList();
    UploadBtn->setEnabled(Upload.UploadBtn.Enabled);
    AbortBtn->setEnabled(Upload.AbortBtn.Enabled);
    ListBtn->setEnabled(Upload.ListBtn.Enabled);
    RemoveBtn->setEnabled(Upload.RemoveBtn.Enabled);
    if (ProgressBar1->value() != Upload.Progress)
        ProgressBar1->setValue(Upload.Progress);
    const QString status = QString::fromStdString(Upload.StatusText);
    if (StatusLabel->text() != status)
        StatusLabel->setText(status);
}

} // namespace dravenloom
