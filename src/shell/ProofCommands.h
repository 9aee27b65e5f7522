// "Export Proof Copy..." of the File menu: the guide as reviewers read it, written as PDF or
// as one HTML page.
#pragma once

#include "publish/ProofCopy.h"

#include <functional>
#include <string>

namespace dravenloom {

class GuideDocument;
class Platform;
class RecordEditor;

class ProofCommands {
public:
    ProofCommands(GuideDocument& document, RecordEditor& editor, Platform& platform);
    ProofCommands(const ProofCommands&) = delete;
    ProofCommands& operator=(const ProofCommands&) = delete;

    // The save dialog (PDF or HTML files), starting in the guide's folder with its name and
    // ".pdf", then the proof copy of the guide as it stands in the editor, unsaved changes
    // included. A failure is a message box naming the file and why; success is told in the
    // status line.
    void ExportProofCopy1Click();

    // Writes the proof copy to the file (UTF-8 path) as its name's ending says, replacing it
    // safely; a DravenloomError naming the file and the reason when it cannot. Without it
    // nothing can be written.
    std::function<void(const ProofCopy& copy, const std::string& path)> WriteProof;

private:
    GuideDocument& Document;
    RecordEditor& Editor;
    Platform& Host;
};

} // namespace dravenloom
