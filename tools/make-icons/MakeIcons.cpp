// dravenloom-make-icons DIRECTORY SIZE...: paints the program's emblem at each SIZE and writes it
// as DIRECTORY/SIZExSIZE/dravenloom.png, the desktop's icons that the install puts in place.
#include "app/Artwork.h"

#include <QImage>
#include <QString>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dravenloom-make-icons DIRECTORY SIZE...\n");
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string_view text = argv[i];
        int size = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error != std::errc() || end != text.data() + text.size() || size < 1 || size > 1024) {
            std::fprintf(stderr, "dravenloom-make-icons: \"%s\" is no icon size\n", argv[i]);
            return 2;
        }
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path file = directory / name / "dravenloom.png";
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        // Painting paths into an image needs no application object and no display.
        if (!dravenloom::ApplicationIconImage(size).save(QString::fromStdString(file.string()),
                                                         "PNG")) {
            std::fprintf(stderr, "dravenloom-make-icons: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
