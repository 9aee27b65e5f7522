// The pictures of the Edit View's spelling check.
#pragma once

namespace dravenloom {
class EditSpelling;
class TGuideForm;
}

namespace dravenloom::shots {

class Camera;

// Turns checking as you type on, types a few misspelled words into the dialogue and takes the
// underline ("edit-view-spelling"), a misspelled word's context menu ("spelling-context-menu")
// and the "Spelling Language" menu ("spelling-language-menu"); then takes the typing back and
// turns checking off again.
void ShootSpelling(Camera& camera, TGuideForm& window, EditSpelling* spelling);

} // namespace dravenloom::shots
