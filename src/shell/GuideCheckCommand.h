// "Check Guide": the guide check that dravenloom-cli runs, over the record list as the Edit
// View last stored it, one line a finding, and the walk to a finding's record.
#pragma once

#include "document/GuideCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

class GuideForm;

inline constexpr const char* NoProblemsFoundText = "No problems found.";

class GuideCheckCommand {
public:
    explicit GuideCheckCommand(GuideForm& form);

    // One finding as the window lists it (UTF-8). Record is 0 when the finding names none.
    struct Entry {
        std::int32_t Record = 0;
        std::string Text;
    };

    // Stores the Edit View into the record list, then checks the list as it now stands.
    void Refresh();
    const std::vector<Entry>& Entries() const { return Found; }
    // "No problems found." when the check found nothing, else how many findings there are.
    std::string Summary() const;

    // The finding's record in the Edit View: stores the Edit View, shows it and walks there
    // as "Go there" does (so "Go back" returns). Nothing happens, and false is returned, when
    // the finding names no record the guide has now.
    bool GoToFinding(std::size_t index);

private:
    GuideForm& Form;
    std::vector<Entry> Found;
};

// "Record 4: " + the finding's message; "Line 7: " when it names only a line; the message
// alone when it names neither.
std::string FindingLine(const GuideFinding& finding);

} // namespace dravenloom
