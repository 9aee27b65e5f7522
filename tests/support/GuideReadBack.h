// Reading a written guide file back through the program's own Open, so that a test that writes
// a guide also proves the program can open what was written.
//
//   EXPECT_TRUE(OpensAsGuide(path));                         // Open accepts it
//   EXPECT_TRUE(OpensAsGuide(path, {P(1, "One"), R(1, "go", "2")})); // and holds these lines
//
// The expected lines are record list lines (CR LF inside texts, no line ends), as the program
// holds them after Open.
#pragma once

#include "document/EditView.h"
#include "document/GraphicDialog.h"
#include "document/GuideDocument.h"
#include "document/GuideFile.h"
#include "document/RecordEditor.h"
#include "navigation/Navigator.h"
#include "shell/FileCommands.h"
#include "shell/Pages.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

namespace readback_detail {

inline std::string Shown(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += "\n  ";
        for (char c : line) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b >= 0x7F) {
                static const char* digits = "0123456789ABCDEF";
                text += "\\x";
                text += digits[b >> 4];
                text += digits[b & 15];
            } else {
                text += c;
            }
        }
    }
    return text;
}

inline ::testing::AssertionResult ReadBack(const std::filesystem::path& path,
                                           const std::optional<std::vector<std::string>>& lines) {
    ScriptedPlatform platform;
    GuideDocument document;
    EditView view;
    GraphicDialog graphic;
    PageSwitch pages;
    RecordEditor editor(document, view, graphic, platform);
    Navigator navigator(document, view, editor);
    FileCommands files(document, view, editor, navigator, pages, platform);
    files.NewGuideState();
    document.OpenDialogPath = TextFromPath(path);
    try {
        files.OpenGuideFile();
    } catch (const std::exception& error) {
        return ::testing::AssertionFailure()
               << "the program cannot open " << path << ": " << error.what();
    }
    if (lines && document.Records.Lines != *lines)
        return ::testing::AssertionFailure()
               << path << " opens with the lines" << Shown(document.Records.Lines) << "\nexpected"
               << Shown(*lines);
    return ::testing::AssertionSuccess();
}

} // namespace readback_detail

// The program's Open accepts the file at `path`.
inline ::testing::AssertionResult OpensAsGuide(const std::filesystem::path& path) {
    return readback_detail::ReadBack(path, std::nullopt);
}

// The program's Open accepts the file and then holds exactly `lines`.
inline ::testing::AssertionResult OpensAsGuide(const std::filesystem::path& path,
                                               const std::vector<std::string>& lines) {
    return readback_detail::ReadBack(path, lines);
}

} // namespace dravenloom
