// The core's Platform answered with Qt.
#include "app/QtPlatform.h"

#include "app/HelpWindow.h"
#include "shell/Pages.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextEdit>

#include <vector>

namespace dravenloom {
namespace {

// One window thread: the count of open guards is the application's state.
int GuardDepth = 0;

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer AnswerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

QMessageBox::StandardButton QtButton(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

ModalGuard::ModalGuard() {
    ++GuardDepth;
}

ModalGuard::~ModalGuard() {
    --GuardDepth;
}

bool ModalGuard::Active() {
    return GuardDepth > 0;
}

bool IsFieldExit(const QWidget* field, const QFocusEvent* event) {
    if (ModalGuard::Active())
        return false;
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        break;
    }
    const QWidget* modal = QApplication::activeModalWidget();
    return !(modal && field && modal != field->window());
}

void FocusTargets::Register(const TextField& field, QWidget* widget) {
    Widgets[&field] = widget;
}

void FocusTargets::Unregister(const TextField& field) {
    Widgets.erase(&field);
}

QWidget* FocusTargets::WidgetOf(const TextField& field) const {
    auto it = Widgets.find(&field);
    return it == Widgets.end() ? nullptr : it->second.data();
}

void FocusTargets::Focus(const TextField& field, bool selectAll) const {
    QWidget* widget = WidgetOf(field);
    // A hidden or disabled widget can't take the focus; the request is dropped.
    if (!widget || !widget->isEnabled() || widget->isHidden())
        return;
    ModalGuard guard;
    widget->setFocus(Qt::OtherFocusReason);
    if (!selectAll)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->selectAll();
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->selectAll();
}

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QStringList patterns = parts[k + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        // Qt reads the patterns from the last parentheses, so they are always added, even
        // when the description already names them; the dialogs hide that added list again, so
        // the author sees the description alone.
        filters << parts[k].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& path, const std::string& ext) {
    QString suffix = QString::fromUtf8(ext);
    while (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    if (suffix.isEmpty() || path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + suffix;
}

bool IsOpenableAddress(const QUrl& url) {
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return false;
}

QString HelpBookPath(const std::string& helpFilePath) {
    const QFileInfo helpFile(QDir::fromNativeSeparators(QString::fromUtf8(helpFilePath)));
    return helpFile.absolutePath() + QLatin1Char('/') + QString::fromUtf8(HelpBookFolder) +
           QLatin1Char('/') + QString::fromUtf8(HelpContentsPage);
}

QtPlatform::QtPlatform(QObject* parent) : QObject(parent) {}

QtPlatform::~QtPlatform() {
    if (Busy)
        QGuiApplication::restoreOverrideCursor();
}

MsgAnswer QtPlatform::ShowMessage(const MessageRequest& request) {
    ModalGuard guard;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QString::fromUtf8(request.Caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromUtf8(request.Text));
    box.setIcon(QtIcon(request.Icon));
    switch (request.Buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // A question whose first answer destroys something makes Enter the harmless one.
    if (request.DefaultButton) {
        if (QAbstractButton* chosen = box.button(QtButton(*request.DefaultButton)))
            box.setDefaultButton(qobject_cast<QPushButton*>(chosen));
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return request.Buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    return AnswerOf(box.standardButton(clicked));
}

int QtPlatform::Choose(const ChoiceRequest& request) {
    ModalGuard guard;
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ChoiceBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QString::fromUtf8(request.Caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromUtf8(request.Text));
    box.setIcon(QtIcon(request.Icon));
    std::vector<QPushButton*> buttons;
    for (const std::string& choice : request.Choices)
        buttons.push_back(box.addButton(QString::fromUtf8(choice), QMessageBox::ActionRole));
    const auto buttonAt = [&buttons](int index) -> QPushButton* {
        return index >= 0 && static_cast<std::size_t>(index) < buttons.size()
                   ? buttons[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    if (QPushButton* button = buttonAt(request.DefaultChoice))
        box.setDefaultButton(button);
    if (QPushButton* button = buttonAt(request.EscapeChoice))
        box.setEscapeButton(button);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    }
    return request.EscapeChoice;
}

std::optional<std::string> QtPlatform::AskText(const TextRequest& request) {
    ModalGuard guard;
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QString::fromUtf8(request.Caption));
    dialog.setLabelText(QString::fromUtf8(request.Prompt));
    dialog.setTextValue(QString::fromUtf8(request.Text));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtPlatform::FileDialog(const FileDialogRequest& request, bool save) {
    ModalGuard guard;
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (!request.Title.empty())
        dialog.setWindowTitle(QString::fromUtf8(request.Title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.Filter.empty()) {
        // The description is shown as written: the pattern list QtFileFilter adds for Qt's
        // sake would show every pattern twice ("Dravenloom (*.dvx) (*.dvx)").
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        dialog.setNameFilter(QtFileFilter(request.Filter));
    }
    QString suffix = QString::fromUtf8(request.DefaultExt);
    while (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && request.OverwritePrompt));
    // Set first, so that a file name with a folder of its own still decides where it starts.
    if (!request.Directory.empty())
        dialog.setDirectory(QString::fromUtf8(request.Directory));
    if (!request.FileName.empty())
        dialog.selectFile(QString::fromUtf8(request.FileName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    const QString path = WithDefaultExtension(files.first(), request.DefaultExt);
    return QDir::toNativeSeparators(path).toStdString();
}

std::optional<std::string> QtPlatform::OpenDialog(const FileDialogRequest& request) {
    return FileDialog(request, false);
}

std::optional<std::string> QtPlatform::SaveDialog(const FileDialogRequest& request) {
    return FileDialog(request, true);
}

void QtPlatform::Focus(const TextField& field, bool selectAll) {
    Targets.Focus(field, selectAll);
}

void QtPlatform::SetPointer(PointerShape shape) {
    const bool busy = shape == PointerShape::Busy;
    if (busy == Busy)
        return;
    Busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void QtPlatform::OpenAddress(const std::string& address) {
    const QUrl url(QString::fromUtf8(address).trimmed());
    if (IsOpenableAddress(url))
        QDesktopServices::openUrl(url);
}

void QtPlatform::ShowHelpContents(const std::string& helpFilePath) {
    const QString book = HelpBookPath(helpFilePath);
    ShowHelp(book, book);
}

void QtPlatform::ShowHelpPage(const std::string& pagePath) {
    const QString page = QDir::fromNativeSeparators(QString::fromUtf8(pagePath));
    ShowHelp(page, QFileInfo(page).absolutePath() + QLatin1Char('/') +
                       QString::fromUtf8(HelpContentsPage));
}

void QtPlatform::ShowHelp(const QString& page, const QString& contents) {
    if (!QFileInfo(page).isFile()) {
        ShowMessage({"Dravenloom Help",
                     "The help book can't be found. It belongs in \"" +
                         QDir::toNativeSeparators(page).toStdString() + "\".",
                     MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    if (!HelpBook)
        HelpBook = std::make_unique<HelpWindow>(*this);
    HelpBook->ShowPage(page, contents);
}

// The colour chooser and the drop-downs' focus.

void FocusTargets::Register(const ComboBox& box, QWidget* widget) {
    Combos[&box] = widget;
}

void FocusTargets::Unregister(const ComboBox& box) {
    Combos.erase(&box);
}

void FocusTargets::Focus(const ComboBox& box) const {
    auto it = Combos.find(&box);
    QWidget* widget = it == Combos.end() ? nullptr : it->second.data();
    if (!widget || !widget->isEnabled() || widget->isHidden())
        return;
    ModalGuard guard;
    widget->setFocus(Qt::OtherFocusReason);
}

void QtPlatform::FocusCombo(const ComboBox& box) {
    Targets.Focus(box);
}

std::optional<Rgb> QtPlatform::ChooseColour(const Rgb& current) {
    ModalGuard guard;
    const QColor chosen = QColorDialog::getColor(QColor(current.Red, current.Green, current.Blue),
                                                 QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}

} // namespace dravenloom
