// The files a published guide needs and where each goes on the server: the rules of the
// upload list, without the page.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravenloom {

class RecordList;

// The applet files beside the executable: in the order their presence is tested, and in the
// order they are sent. The button picture follows each list.
inline constexpr std::array<const char*, 5> AppletClassesTested = {
    "Dravenloom.class", "Progress.class", "About.class", "GuideCanvas.class", "GuideFrame.class"};
inline constexpr std::array<const char*, 5> AppletClassesSent = {
    "Dravenloom.class", "About.class", "Progress.class", "GuideCanvas.class", "GuideFrame.class"};
inline constexpr const char* AppletFolder = "Applet";

// Empty once leading and trailing blanks and control characters are taken off.
bool IsBlank(std::string_view text);

// The last component of a path, after its last "/" or "\".
std::string_view FileNameOf(std::string_view path);

// A picture the guide's player shows, told by the extension of the file's own name (".gif",
// ".jpg", ".jpeg", ".png", ".bmp", any case), never by a folder on its way.
bool IsImageFile(std::string_view path);
// Sent as binary: pictures and the applet's class files. Everything else keeps the transfer
// type last set.
bool IsBinaryFile(std::string_view path);

// Appends the pictures the records name: the first line's picture always, every later primary
// line's picture unless a row already holds exactly that text. Blank paths are skipped; a path
// taken (code page 1252, as stored) becomes a row through `row` (which finds the file and
// gives its path as the list shows it). When a line's record number cannot be read, collecting
// stops and the path taken last is returned for the message.
std::optional<std::string>
CollectPictures(const RecordList& records, std::vector<std::string>& rows,
                const std::function<std::string(const std::string& stored)>& row);

// Whether each row goes to the image directory: with an image directory set, the first image
// row and every row after it, whatever their type.
std::vector<bool> RowsForImageDirectory(const std::vector<std::string>& rows,
                                        bool imageDirectorySet);

// The first two rows that would land under the same name in the same folder of the server
// (names compared without regard to case, as some servers do).
std::optional<std::pair<std::string, std::string>>
RowsWithSameName(const std::vector<std::string>& rows, const std::vector<bool>& toImageDirectory);

// The progress bar after row `index` of `rowCount` was sent: 100 after the last row, else
// advanced by 100 / rowCount (so it stays at 0 for more than 100 rows).
int ProgressAfterRow(int current, std::size_t index, std::size_t rowCount);

} // namespace dravenloom
