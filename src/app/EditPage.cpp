// The Edit View page: forwarding the author's input to the core, and showing the core's state.
#include "app/EditPage.h"

#include "app/Artwork.h"
#include "app/GuideText.h"
#include "app/QtPlatform.h"
#include "app/WidgetSync.h"
#include "shell/GuideForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace dravenloom {

EditPage::~EditPage() {
    Fields.Unregister(Form.View.DialogueMemo);
    for (int k = 1; k <= ResponseSlots; ++k) {
        Fields.Unregister(Form.View.Memo(k));
        Fields.Unregister(Form.View.Edit(k));
    }
}

void EditPage::RegisterFields() {
    Fields.Register(Form.View.DialogueMemo, DialogueMemo);
    DialogueMemo->installEventFilter(this);
    for (int k = 1; k <= ResponseSlots; ++k) {
        Fields.Register(Form.View.Memo(k), Memos[k - 1]);
        Fields.Register(Form.View.Edit(k), Edits[k - 1]);
        Edits[k - 1]->installEventFilter(this);
    }
}

void EditPage::Connect() {
    RecordEditor& editor = Form.Editor;
    Navigator& nav = Form.Nav;
    connect(DialogueGuard, &GuideTextGuard::Edited, this, [this, &editor](const std::string& text) {
        Forward([&] { editor.DialogueMemoChange(text); });
    });
    connect(CenterCheck, &QCheckBox::clicked, this,
            [this, &editor](bool checked) { Forward([&] { editor.CenterCheckClick(checked); }); });
    connect(Image11, &QToolButton::clicked, this, [this, &editor] {
        Magnify(Form.View.DialogueMemo,
                [&editor](const std::string& text) { editor.DialogueMemoChange(text); });
    });

    connect(ComboBox1, &QComboBox::activated, this,
            [this, &nav](int index) { Forward([&] { nav.JumpedFromPicked(index); }); });
    connect(GoBitBtn, &QPushButton::clicked, this,
            [this, &nav] { Forward([&] { nav.GoThere(); }); });
    connect(PrevBitBtn, &QPushButton::clicked, this,
            [this, &nav] { Forward([&] { nav.StepPrevious(); }); });
    connect(NextBitBtn, &QPushButton::clicked, this,
            [this, &nav] { Forward([&] { nav.StepNext(); }); });
    connect(BackBitBtn, &QPushButton::clicked, this,
            [this, &nav] { Forward([&] { nav.GoBack(); }); });
    connect(RemoveBitBtn, &QPushButton::clicked, this, [this] {
        Forward([this] {
            if (OnRemove)
                OnRemove();
        });
    });
    connect(BitBtn4, &QPushButton::clicked, this, [this] {
        Forward([this] {
            if (OnGraphic)
                OnGraphic();
        });
    });
    connect(BitBtn5, &QPushButton::clicked, this,
            [this] { Forward([this] { Form.BitBtn5Click(); }); });

    for (int k = 1; k <= ResponseSlots; ++k) {
        const int i = k - 1;
        connect(MemoGuards[i], &GuideTextGuard::Edited, this,
                [this, &editor, k](const std::string& text) {
                    Forward([&] { editor.MemoChange(k, text); });
                });
        connect(EditGuards[i], &GuideTextGuard::Edited, this,
                [this, &editor, k](const std::string& text) {
                    Forward([&] { editor.EditChange(k, text); });
                });
        connect(GoThereButtons[i], &QPushButton::clicked, this,
                [this, &nav, k] { Forward([&] { nav.GoThereButtonClick(k); }); });
        connect(CreateNewButtons[i], &QPushButton::clicked, this,
                [this, &nav, k] { Forward([&] { nav.CreateNewButtonClick(k); }); });
        connect(Magnifiers[i], &QToolButton::clicked, this, [this, &editor, k] {
            Magnify(Form.View.Memo(k),
                    [&editor, k](const std::string& text) { editor.MemoChange(k, text); });
        });
    }
}

bool EditPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    auto* field = qobject_cast<QWidget*>(watched);
    // A modal box, a menu or another window taking the focus is not the author leaving.
    if (!field || !IsFieldExit(field, static_cast<QFocusEvent*>(event)))
        return false;
    if (field == DialogueMemo) {
        Forward([this] { Form.DialogueMemoExit(); });
        return false;
    }
    for (int k = 1; k <= ResponseSlots; ++k) {
        if (field == Edits[k - 1])
            Forward([this, k] { Form.Editor.EditExit(k); });
    }
    return false;
}

void EditPage::Forward(const std::function<void()>& command) {
    GuidePage::Forward(command, Form.Host);
}

void EditPage::Magnify(const TextField& field,
                       const std::function<void(const std::string&)>& change) {
    if (!OnMagnify)
        return;
    // The copy is taken before the window opens: the field may change meanwhile only through
    // the window's own OK.
    const std::optional<std::string> edited = OnMagnify(field.Text);
    if (edited)
        Forward([&] { change(*edited); });
}

void EditPage::Refresh() {
    const EditView& view = Form.View;
    ShowGuideText(*DialogueGuard, DialogueMemo, view.DialogueMemo.Text);
    ShowFieldState(DialogueMemo, view.DialogueMemo);
    ShowCheckBox(CenterCheck, view.CenterCheck);
    for (int k = 1; k <= ResponseSlots; ++k) {
        const int i = k - 1;
        ShowGuideText(*MemoGuards[i], Memos[i], view.Memo(k).Text);
        ShowFieldState(Memos[i], view.Memo(k));
        ShowGuideText(*EditGuards[i], Edits[i], view.Edit(k).Text);
        ShowFieldState(Edits[i], view.Edit(k));
        ShowButton(GoThereButtons[i], view.GoThereButtons[i]);
        ShowButton(CreateNewButtons[i], view.CreateNewButtons[i]);
    }
    ShowComboBox(ComboBox1, view.ComboBox1);
    ShowButton(GoBitBtn, view.GoBitBtn);
    ShowButton(PrevBitBtn, view.PrevBitBtn);
    ShowButton(NextBitBtn, view.NextBitBtn);
    ShowButton(BackBitBtn, view.BackBitBtn);
    ShowButton(RemoveBitBtn, view.RemoveBitBtn);
    ShowPictureMark();
}

void EditPage::ShowPictureMark() {
    // The picture lives in the graphic dialog, out of sight: the button says it is there.
    const std::string& path = Form.Editor.Graphic.GraphicEdit.Text;
    const QString hint = QStringLiteral("Click here to specify a graphic for the current record.");
    const QString marked =
        path.empty() ? hint
                     : hint + QStringLiteral("\nThis record shows ") + GuideToWidgetText(path);
    if (BitBtn4->toolTip() == marked)
        return;
    BitBtn4->setToolTip(marked);
    BitBtn4->setIcon(path.empty() ? QIcon() : PictureMarkIcon());
}

} // namespace dravenloom
