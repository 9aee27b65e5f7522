// A guide opened for a command exactly as the desktop program's Open opens it, and a reader
// that gives every record as ReadRecord does in one pass over the list.
#pragma once

#include "document/EditView.h"
#include "document/GraphicDialog.h"
#include "document/GuideDocument.h"
#include "document/RecordEditor.h"
#include "document/WindowlessPlatform.h"
#include "navigation/Navigator.h"
#include "shell/FileCommands.h"
#include "shell/Pages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom::cli {

// A program without windows answers every message box with the answer that changes least.
using SilentPlatform = WindowlessPlatform;

// The editor's pieces around one guide read from a file (UTF-8 path). The constructor runs
// the program's OpenGuideFile: lines split on CR LF, lone CR or lone LF, a NUL ends the text,
// BreakMark decoded, the record count taken from the last line, record 1 loaded. A FileError
// when the file cannot be read, a GuideFormatError (naming the file and the first bad line)
// when it cannot be a guide.
class OpenedGuide {
public:
    explicit OpenedGuide(const std::string& path);
    OpenedGuide(const OpenedGuide&) = delete;
    OpenedGuide& operator=(const OpenedGuide&) = delete;

    SilentPlatform Host;
    GuideDocument Document;
    EditView View;
    GraphicDialog Graphic;
    PageSwitch Pages;
    RecordEditor Editor;
    Navigator Nav;
    FileCommands Files;
};

// Reads records of a record list by number, each exactly as RecordList::ReadRecord gives it,
// without walking the whole list for every record. The list must not change while the reader
// is used.
class RecordReader {
public:
    explicit RecordReader(const RecordList& records);

    GuideRecord Read(std::int32_t number) const;
    // Whether record `number` has lines in the list.
    bool HasLines(std::int32_t number) const { return Find(number) != nullptr; }
    // The lowest record number from `number` on that has lines, or nothing.
    std::optional<std::int32_t> NextWithLines(std::int32_t number) const;

private:
    struct Start {
        std::int32_t Number;
        std::size_t Line; // the first line with that number
    };
    const Start* From(std::int32_t number) const;
    const Start* Find(std::int32_t number) const;

    const RecordList& Records;
    std::vector<Start> Starts; // by number, ascending, one for each number that has lines
};

} // namespace dravenloom::cli
