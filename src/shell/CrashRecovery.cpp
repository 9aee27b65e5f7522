// Recovery copies while the guide has unsaved changes, and their offer at start-up.
#include "shell/CrashRecovery.h"

#include "document/Errors.h"
#include "document/GuideLineCheck.h"

#include <chrono>

namespace dravenloom {
namespace {

std::int64_t SystemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

CrashRecovery::CrashRecovery(GuideDocument& document, RecordEditor& editor, Navigator& navigator,
                             FileCommands& files, Platform& platform)
    : Clock(SystemSeconds), Document(document), Editor(editor), Nav(navigator), Files(files),
      Host(platform), Copies(std::make_unique<RecoveryStore>()) {
    // A guide written to its file, or put aside (New Guide, Open, Close, a recovered guide
    // taking its place), needs no copy any more.
    Document.SavedObservers.push_back([this] { RemoveCopy(); });
    Document.NewGuideObservers.push_back([this] { RemoveCopy(); });
}

void CrashRecovery::UseDirectory(const std::string& directory) {
    RemoveCopy();
    Copies = std::make_unique<RecoveryStore>(directory);
}

void CrashRecovery::TimerTick() {
    if (!Copies->Enabled())
        return;
    if (!Document.Modified()) {
        RemoveCopy();
        return;
    }
    try {
        WriteCopy();
        FailureReported = false;
    } catch (const DravenloomError& error) {
        if (FailureReported)
            return;
        FailureReported = true;
        Host.ShowMessage(
            PlainError(ErrorReportText(error.what()) + " Save the guide to keep its changes."));
    }
}

void CrashRecovery::WriteCopy() {
    // Composed from a copy of the list: committing the Edit View here would store the record
    // behind the author's back and change what the commands after it find.
    Copies->WriteOwnCopy(EncodeRecoveryCopy(ComposeRecoveryCopy(Editor, Clock())));
}

void CrashRecovery::RemoveCopy() {
    if (Copies)
        Copies->RemoveOwnCopy();
}

void CrashRecovery::ProgramClosed() {
    RemoveCopy();
}

bool CrashRecovery::OfferLeftCopies() {
    const auto left = Copies->ClaimLeftCopies();
    // Whatever happens below, the copies not dealt with are let go for the next start.
    struct Release {
        RecoveryStore& Store;
        ~Release() { Store.ReleaseLeftCopies(); }
    } release{*Copies};
    const LocalTime now = ToLocalTime(Clock());
    for (const auto& copy : left) {
        const LocalTime written = ToLocalTime(copy.Copy.WrittenAt);
        // A copy is read through the checks a guide file passes: one that fails them is
        // never put into the window, where every move would meet its fault again, and stays
        // on disk unless the author lets it go.
        if (const std::string fault = GuideLinesFault(copy.Copy.Lines); !fault.empty()) {
            const std::string text = UnrestorableCopyText(copy.Copy, written, now, fault);
            if (static_cast<UnrestorableAnswer>(Host.Choose(UnrestorableCopyQuestion(text))) ==
                UnrestorableAnswer::Discard)
                Copies->DiscardLeftCopy(copy.Path);
            continue;
        }
        const std::string text = RecoveryQuestionText(copy.Copy, written, now);
        switch (static_cast<RecoveryAnswer>(Host.Choose(RecoveryQuestion(text)))) {
        case RecoveryAnswer::Recover:
            OpenRecovered(copy.Copy);
            // The recovered work is in this program's own copy before the old copy goes, so
            // that a crash at any moment leaves one copy of it, and only one.
            try {
                WriteCopy();
            } catch (const DravenloomError&) {
                return true; // the old copy stays until this program can write its own
            }
            Copies->DiscardLeftCopy(copy.Path);
            return true;
        case RecoveryAnswer::Discard:
            Copies->DiscardLeftCopy(copy.Path);
            break;
        case RecoveryAnswer::Later:
            break;
        }
    }
    return false;
}

void CrashRecovery::OpenRecovered(const RecoveryCopy& copy) {
    Files.NewGuideState();
    Document.GuideFileName = copy.GuideFileName;
    Document.SetTitleFromFileName(copy.GuideFileName);
    if (!copy.Lines.empty()) {
        Document.Records.Lines = copy.Lines;
        Document.RecordCount = Document.Records.CountFromLastLine();
        Document.ShowRecordStatus();
        Editor.LoadRecord();
        Editor.View.NextBitBtn.Enabled = true;
        Editor.View.RemoveBitBtn.Enabled = true;
        if (copy.CurrentRecord > 1 && copy.CurrentRecord <= Document.RecordCount) {
            Nav.LastViewedRecord = Document.CurrentRecord;
            Nav.WalkToRecord(copy.CurrentRecord);
        }
    }
    Document.MarkModified();
    // The file on disk, if there is one, holds what was there before the crash, which no
    // state in the history matches: undoing must never call the recovered guide saved.
    Document.History.ForgetSavedPoint();
}

} // namespace dravenloom
