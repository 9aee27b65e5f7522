// Nothing lost to a crash: while the guide has unsaved changes, a recovery copy of what the
// author sees is written at every tick of the recovery timer; saving the guide, replacing it
// and ending the program normally remove the copy. At start-up, copies left behind by a
// program that crashed or was killed are offered back one by one.
#pragma once

#include "shell/FileCommands.h"
#include "shell/RecoveryStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace dravenloom {

// How often the desktop program writes the copy while the guide is modified.
inline constexpr int RecoveryIntervalMilliseconds = 60 * 1000;

class CrashRecovery {
public:
    CrashRecovery(GuideDocument& document, RecordEditor& editor, Navigator& navigator,
                  FileCommands& files, Platform& platform);
    CrashRecovery(const CrashRecovery&) = delete;
    CrashRecovery& operator=(const CrashRecovery&) = delete;

    // Keeps the copies in `directory` (UTF-8); until this is called, or with an empty
    // directory, no copy is written or offered.
    void UseDirectory(const std::string& directory);
    RecoveryStore& Store() { return *Copies; }

    // The recovery timer: while the guide is modified its copy is written anew, otherwise a
    // copy that is no longer needed goes (undoing back to the saved state, for example). A
    // copy that cannot be written is reported once, and again only after a write succeeded.
    void TimerTick();

    // Start-up: asks about each copy left behind, newest first ("Recover unsaved changes to
    // lamp.dvx from 14:32?"). Recover opens the recovered guide and ends the questions (the
    // window holds one guide; the other copies wait for the next start); Discard deletes the
    // copy; Later keeps it. True when a guide was recovered.
    bool OfferLeftCopies();

    // The program ends normally, after the author answered for any unsaved changes.
    void ProgramClosed();

    // Seconds since 1970, UTC, and their local time; tests set their own clock.
    std::function<std::int64_t()> Clock;
    std::function<LocalTime(std::int64_t)> ToLocalTime = LocalTimeOf;

private:
    void WriteCopy();
    void RemoveCopy();
    // Shows the recovered guide under its own name, modified, at the record that was on
    // screen: Save writes it where it belongs; a guide never saved stays "Untitled".
    void OpenRecovered(const RecoveryCopy& copy);

    GuideDocument& Document;
    RecordEditor& Editor;
    Navigator& Nav;
    FileCommands& Files;
    Platform& Host;
    std::unique_ptr<RecoveryStore> Copies;
    bool FailureReported = false;
};

} // namespace dravenloom
