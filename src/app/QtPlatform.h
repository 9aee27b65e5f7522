// The core's Platform answered with Qt: message boxes, file dialogs, focus requests, the busy
// pointer, web and mail addresses, the help book and the colour chooser.
//
// Focus-loss handling in the views (read this before forwarding a focus-out to the core):
// a field's "exit" handler may show a message box and move the focus back to the field. The
// box itself takes the focus from whatever widget had it, and the move back takes it again;
// neither is the author leaving a field, and forwarding them would start a cascade of further
// exit handling and boxes. So a view forwards a focus-out only when IsFieldExit() says so:
//
//   bool TAdvancedForm::eventFilter(QObject* watched, QEvent* event) {
//       if (event->type() == QEvent::FocusOut && watched == Edit7 &&
//           IsFieldExit(Edit7, static_cast<QFocusEvent*>(event)))
//           Editor.Edit7Exit(), Refresh();
//       return false;
//   }
//
// IsFieldExit() is false while a ModalGuard is alive (QtPlatform holds one around every box,
// every dialog and every focus move it makes), when the focus leaves for another window, a
// popup or the menu bar, and while some other window is application-modal.
#pragma once

#include "document/Platform.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <unordered_map>

class QFocusEvent;

namespace dravenloom {

class HelpWindow;

// Marks the time while the platform layer shows a modal box or dialog or moves the focus
// itself. Nested guards count. The state is the application's (like its active modal window).
class ModalGuard {
public:
    ModalGuard();
    ~ModalGuard();
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

    static bool Active();
};

// Whether a focus-out of `field` is the author leaving it for another control of the same
// window, the only case that runs a field's exit handling.
bool IsFieldExit(const QWidget* field, const QFocusEvent* event);

// The widgets that show the core's text fields, so that a focus request for a field reaches
// its widget. Views register their fields when they build them; an unregistered field or a
// destroyed widget makes a request do nothing.
class FocusTargets {
public:
    void Register(const TextField& field, QWidget* widget);
    void Unregister(const TextField& field);
    QWidget* WidgetOf(const TextField& field) const;
    // Gives the field's widget the focus (under a ModalGuard), selecting all of its text when
    // asked (QLineEdit, QPlainTextEdit and QTextEdit).
    void Focus(const TextField& field, bool selectAll) const;

    // The same for the drop-downs.
    void Register(const ComboBox& box, QWidget* widget);
    void Unregister(const ComboBox& box);
    void Focus(const ComboBox& box) const;

private:
    std::unordered_map<const TextField*, QPointer<QWidget>> Widgets;
    std::unordered_map<const ComboBox*, QPointer<QWidget>> Combos;
};

// "Description|*.a;*.b|Other|*.c" as Qt writes it: "Description (*.a *.b);;Other (*.c)". The
// file dialogs hide the added pattern lists and show the descriptions as they stand.
QString QtFileFilter(const std::string& filter);
// The name with ".ext" added when its file name has no extension (ext given with or without
// its dot; an empty ext adds nothing).
QString WithDefaultExtension(const QString& path, const std::string& ext);
// Only web pages and mail addresses are handed to the desktop: an address that would start a
// local program or open a local file is refused.
bool IsOpenableAddress(const QUrl& url);
// The help book that stands in for the help file the core names: WinHelp files can't be shown
// on today's systems, so the program ships its help as HTML, "help/index.html" in the same
// directory as the help file.
QString HelpBookPath(const std::string& helpFilePath);

class QtPlatform : public QObject, public Platform {
    Q_OBJECT

public:
    explicit QtPlatform(QObject* parent = nullptr);
    ~QtPlatform() override;

    // Application-modal QMessageBox, centred on the active window.
    MsgAnswer ShowMessage(const MessageRequest& request) override;
    // Application-modal QMessageBox with a push button per choice; closing the box presses
    // the escape choice.
    int Choose(const ChoiceRequest& request) override;
    // Application-modal QInputDialog with one line of text.
    std::optional<std::string> AskText(const TextRequest& request) override;
    std::optional<std::string> OpenDialog(const FileDialogRequest& request) override;
    std::optional<std::string> SaveDialog(const FileDialogRequest& request) override;
    void Focus(const TextField& field, bool selectAll) override;
    void FocusCombo(const ComboBox& box) override;
    // QColorDialog, application-modal over the active window.
    std::optional<Rgb> ChooseColour(const Rgb& current) override;
    // The busy pointer is an application-wide override cursor; Normal removes it.
    void SetPointer(PointerShape shape) override;
    void OpenAddress(const std::string& address) override;
    // Shows the help book's contents page in the help window (modeless).
    void ShowHelpContents(const std::string& helpFilePath) override;
    // Shows that page of the help book in the help window; its "Contents" leads to the
    // contents page in the page's folder.
    void ShowHelpPage(const std::string& pagePath) override;

    // The registry the views fill so that focus requests reach their widgets.
    FocusTargets& Fields() { return Targets; }
    // The help window, once ShowHelpContents created it.
    HelpWindow* Help() const { return HelpBook.get(); }

private:
    std::optional<std::string> FileDialog(const FileDialogRequest& request, bool save);
    // Shows `page` in the help window, or says where the missing file belongs.
    void ShowHelp(const QString& page, const QString& contents);

    FocusTargets Targets;
    bool Busy = false;
    std::unique_ptr<HelpWindow> HelpBook;
};

} // namespace dravenloom
