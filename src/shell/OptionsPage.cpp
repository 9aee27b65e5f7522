// The "Generate HTML" page's behaviour.
#include "shell/OptionsPage.h"

namespace dravenloom {

OptionsPage::OptionsPage(GuideDocument& document, RecordEditor& editor, FileCommands& files,
                         PageSwitch& pages, Platform& platform)
    : Options(platform), Tag(document, editor, Options, platform,
                             {// An untitled guide is saved exactly as the Save command saves it:
                              // the Save Guide dialog, the file written, the title set and the
                              // guide clean. It stays untitled when the author cancels.
                              [&files, &document] {
                                  files.Save1Click();
                                  return !document.Untitled();
                              },
                              [&pages] { pages.ActivePage = Page::GenerateHtml; }}),
      Host(platform) {}

void OptionsPage::LoadBtnClick() {
    const bool before = Options.CheckHtml5.Checked;
    LoadOptionsFromFile(Options, Host, LoadFileName);
    if (Options.CheckHtml5.Checked != before && WebPlayerChosen)
        WebPlayerChosen(Options.CheckHtml5.Checked);
}

void OptionsPage::CheckHtml5Click(bool checked) {
    Options.CheckHtml5.Checked = checked;
    if (WebPlayerChosen)
        WebPlayerChosen(checked);
}

} // namespace dravenloom
