// The pictures of the quick ways about a guide: the recent guides and the number question.
#pragma once

namespace dravenloom {
class TGuideForm;
}

namespace dravenloom::shots {

class Camera;

// "file-menu-recent": the "&File" menu open with the guides of this run listed; and
// "go-to-record": the question "Go to record...", cancelled once it is taken.
void ShootQuickItems(Camera& camera, TGuideForm& window);

} // namespace dravenloom::shots
