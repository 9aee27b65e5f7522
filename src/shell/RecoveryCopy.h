// A recovery copy of a guide with unsaved changes: what it holds, its bytes on disk, and the
// question that offers it back at start-up.
//
// The bytes are a short header, then the guide lines exactly as the guide file holds them:
//
//   Dravenloom recovery copy 1
//   guide /home/ann/lamp.dvx          (percent-escaped; "Untitled" for a guide never saved)
//   written 1796654520                (seconds since 1970, UTC)
//   record 3                          (the record on screen)
//   bytes 1234                        (the length of what follows the empty line)
//
//   1¤Welcome...¶¶ª300±0€no CR LF ...
//
// A copy whose byte count does not match what follows was cut short (or added to) and is not
// a copy at all: reading it gives nothing.
#pragma once

#include "document/RecordEditor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

inline constexpr const char* RecoverySignature = "Dravenloom recovery copy 1";

struct RecoveryCopy {
    std::string GuideFileName = "Untitled"; // full path (UTF-8), or "Untitled"
    std::int64_t WrittenAt = 0;             // seconds since 1970, UTC
    std::int32_t CurrentRecord = 1;
    std::vector<std::string> Lines; // record list form: CR LF inside texts, no line ends
};

// What the author sees: the record list with the working copy stored into a copy of it, so
// that the record on screen is included although it is not committed yet. The guide itself,
// its modified state and TreeStale are left as they are.
RecoveryCopy ComposeRecoveryCopy(const RecordEditor& editor, std::int64_t writtenAt);

std::string EncodeRecoveryCopy(const RecoveryCopy& copy);
// Nothing when the bytes are not a whole recovery copy.
std::optional<RecoveryCopy> DecodeRecoveryCopy(const std::string& bytes);

// A moment as the clock on the author's wall shows it.
struct LocalTime {
    int Year = 1970;
    int Month = 1; // 1..12
    int Day = 1;   // 1..31
    int Hour = 0;
    int Minute = 0;

    bool SameDay(const LocalTime& other) const {
        return Year == other.Year && Month == other.Month && Day == other.Day;
    }
};

// Seconds since 1970 (UTC) in the local time zone.
LocalTime LocalTimeOf(std::int64_t seconds);

// "Recover unsaved changes to lamp.dvx from 14:32?": the guide's name without directory, the
// time the copy was written, with its date ("from 2026-12-07 14:32") when that is not today.
std::string RecoveryQuestionText(const RecoveryCopy& copy, const LocalTime& written,
                                 const LocalTime& now);

// The question's buttons, in this order; Recover is the default, Later the escape.
enum class RecoveryAnswer { Recover = 0, Discard = 1, Later = 2 };
ChoiceRequest RecoveryQuestion(const std::string& text);

// A copy whose lines could not be opened as a guide file either is never put into the window:
// "Unsaved changes to lamp.dvx from 14:32 cannot be restored: line 2 does not start with a
// record number. The copy is kept until it is discarded." (`fault` as GuideLinesFault says it).
std::string UnrestorableCopyText(const RecoveryCopy& copy, const LocalTime& written,
                                 const LocalTime& now, const std::string& fault);
// Its buttons, in this order; Later, which keeps the copy on disk, is the default and the
// escape.
enum class UnrestorableAnswer { Discard = 0, Later = 1 };
ChoiceRequest UnrestorableCopyQuestion(const std::string& text);

} // namespace dravenloom
