// "Find..." and "Replace...": the pattern and its options, the list of matches over the record
// list as the Edit View last stored it, the walk to a match, and replacing one match or all of
// them (one step of the record history either way).
#pragma once

#include "document/Controls.h"
#include "document/GuideSearch.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class GuideForm;

class FindReplaceCommand {
public:
    explicit FindReplaceCommand(GuideForm& form);

    // What to find and what to put instead, UTF-8 as typed.
    std::string FindText;
    std::string ReplaceText;
    CheckBox MatchCase;
    CheckBox WholeWord;
    CheckBox RegularExpression;

    // One match as the window lists it; texts UTF-8.
    struct Row {
        std::int32_t Record = 0;
        std::string Place;  // "Record 4, response 2"
        std::string Before; // the words around the match
        std::string Match;
        std::string After;
    };

    // Stores the Edit View, then lists every match in the record list as it now stands.
    void Search();
    const std::vector<Row>& Rows() const { return Listed; }
    // What the last command found or did, or why it could not ("3 matches in 2 records.",
    // "The regular expression is not valid at character 4: ...").
    const std::string& Message() const { return Said; }
    // Where the pattern breaks (a character of FindText, from 0) after a failed search.
    std::optional<std::size_t> ErrorAt() const { return BrokenAt; }

    // The match's record in the Edit View, as "Go there" walks (so "Go back" returns), with
    // the match to be selected in its field. False, with nothing moved, when the row is none
    // or the guide changed so that the match is gone (the list is then made again).
    bool GoToMatch(std::size_t row);

    // The field and the bytes of its text that the window selects after GoToMatch.
    struct FieldSelection {
        const TextField* Field = nullptr;
        std::size_t Start = 0;
        std::size_t Length = 0;
    };
    const FieldSelection& Selection() const { return Selected; }

    // Replaces the match on `row`, then lists the matches again. False when nothing changed:
    // the match is gone, or the replacement is refused (the author is told why).
    bool ReplaceMatch(std::size_t row);
    // Replaces every match as one step of the record history, then lists the matches again.
    // False when nothing changed.
    bool ReplaceAll();

private:
    std::optional<TextPattern> Compile();
    // The match of `row` when it still stands in the record list as it was found.
    bool StillThere(std::size_t row) const;
    bool Replace(const std::vector<GuideMatch>& matches, const TextPattern& pattern,
                 const std::string& label);

    GuideForm& Form;
    std::vector<Row> Listed;
    std::vector<GuideMatch> Found;
    std::vector<std::string> FoundText; // the bytes each match covered
    std::string Said;
    std::optional<std::size_t> BrokenAt;
    FieldSelection Selected;
};

// "Record 4, dialogue" / "Record 4, response 2".
std::string MatchPlace(const GuideMatch& match);

} // namespace dravenloom
