// The "Generate HTML" page's behaviour.
#include "shell/OptionsPage.h"

#include "document/GuideFile.h"

namespace dravenloom {

OptionsPage::OptionsPage(GuideDocument& document, RecordEditor& editor, FileCommands& files,
                         PageSwitch& pages, Platform& platform)
    : Options(platform),
      Tag(document, editor, Options, platform,
          {// An untitled guide is saved as the Save command saves it, in a
           // dialog whose title says why: the file written, the title set,
           // the note in the status line; generation then marks it clean.
           // It stays untitled when the author cancels.
           [&files, &document] {
               if (!files.SaveUntitledGuide(SaveBeforeGenerateTitle))
                   return false;
               document.ShowStatusNote("Saved " + FileNamePart(document.GuideFileName));
               return true;
           },
           [&pages] { pages.ActivePage = Page::GenerateHtml; }}),
      Document(document), Host(platform) {
    // The page read last belongs to the guide it was chosen for.
    document.NewGuideObservers.push_back([this] { LoadFileName.clear(); });
}

void OptionsPage::LoadBtnClick() {
    const bool before = Options.CheckHtml5.Checked;
    LoadOptionsFromFile(Options, Host, LoadFileName, FolderPart(Document.GuideFileName));
    if (Options.CheckHtml5.Checked != before && WebPlayerChosen)
        WebPlayerChosen(Options.CheckHtml5.Checked);
}

void OptionsPage::CheckHtml5Click(bool checked) {
    Options.CheckHtml5.Checked = checked;
    if (WebPlayerChosen)
        WebPlayerChosen(checked);
}

} // namespace dravenloom
