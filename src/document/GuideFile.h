// The guide file on disk: reading its lines and writing them safely.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

// The lines of a guide file, still encoded (BreakMark not yet decoded). A line ends at CR LF,
// a lone CR or a lone LF; a last line without a line end is read too; a NUL byte ends the
// readable text. A FileError when the file cannot be read.
std::vector<std::string> ReadGuideLines(const std::string& path);

// The same lines decoded as the record list holds them (each BreakMark a CR LF pair), every
// line made once in its final form.
std::vector<std::string> ReadDecodedGuideLines(const std::string& path);

// The largest file that is read: far beyond any guide, and a bound on the memory a wrong
// choice of file can take.
inline constexpr std::uintmax_t MaxGuideFileBytes = std::uintmax_t{1} << 30;

// How large a file a reader takes, and the reason it gives for one that is larger (a sentence
// without full stop, after "Cannot open file ...").
struct ReadLimit {
    std::uintmax_t Bytes;
    const char* Reason;
};
inline constexpr ReadLimit GuideReadLimit{MaxGuideFileBytes,
                                          "It is larger than 1 GiB, more than a guide can hold"};

// The whole contents of a regular file of at most `limit.Bytes`. A FileError when it cannot be
// opened or read, or is something else (a directory, a device, a pipe) or larger; a larger
// file is refused before any of it is read.
std::string ReadFileBytes(const std::string& path, const ReadLimit& limit = GuideReadLimit);

// Splits file contents into lines by the same rules.
std::vector<std::string> SplitGuideText(const std::string& contents);

// The same lines as views into `contents`, for a reader that only looks at them.
std::vector<std::string_view> SplitGuideTextViews(std::string_view contents);

// Splits guide text into lines by the same rules piece by piece, as it is read, so that a file
// is never held whole beside its lines. A line may run on from one piece into the next, and so
// may a CR LF pair.
class GuideLineSplitter {
public:
    // With `decode`, each line is given decoded (DecodeLineFromFile).
    explicit GuideLineSplitter(bool decode = false) : Decode(decode) {}
    // Makes room for the lines of a text of about `bytes` bytes.
    void Expect(std::uintmax_t bytes);
    // The next piece of the text. A NUL byte ends the text: the rest of this piece and every
    // later piece are left out.
    void Feed(std::string_view piece);
    // The lines, a last line without line end included; the splitter starts afresh after.
    std::vector<std::string> Finish();

private:
    void Add(std::string_view line);

    bool Decode;
    std::vector<std::string> Lines;
    std::string Partial;  // the start of a line that the next piece goes on with
    bool AfterCr = false; // the last piece ended with a CR, whose LF may open the next
    bool Ended = false;   // a NUL byte was met
};

// Writes each line followed by CR LF, as WriteFileAtomically does.
void WriteGuideLines(const std::string& path, const std::vector<std::string>& lines);

// The bytes of the guide file for the record list's lines: each line with every CR LF pair
// turned into BreakMark (EncodeLineForFile), followed by CR LF.
std::string GuideFileBytes(const std::vector<std::string>& lines);

// Writes the record list's lines as the guide file, GuideFileBytes(lines), as
// WriteFileAtomically does; the bytes are made and written a piece at a time.
void WriteRecordLines(const std::string& path, const std::vector<std::string>& lines);

// Writes bytes to a file safely: they go to a temporary file in the same directory that then
// replaces the target, so a failed write never destroys the file that was there. A symbolic
// link is followed to the file it names, which is the one replaced (the link stays); the
// replaced file keeps its mode, and its owner where allowed. A FileError naming the reason
// when the file cannot be written, or when the target is read-only (by its permission bits,
// for root too), a directory or not a regular file.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// The last component of a path ("Untitled" stays "Untitled").
std::string FileNamePart(const std::string& path);
// The folder a path names its file in, without the last separator; empty when it names none
// ("Untitled" has none), so that a file dialog starts in the guide's folder or where the
// platform chooses.
std::string FolderPart(const std::string& path);

#ifndef _WIN32
// Writes every byte to the open file `fd` (again after an interruption) and flushes it to the
// disk: 0, or the errno of the first failure.
int WriteAllAndSync(int fd, std::string_view bytes);
#endif

// A path text (UTF-8) as a filesystem path, and back.
std::filesystem::path PathFromText(const std::string& utf8);
std::string TextFromPath(const std::filesystem::path& path);

} // namespace dravenloom
