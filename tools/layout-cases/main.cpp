// dravenloom-layout-cases: writes the layout cases that the players are tested against.
#include "LayoutCases.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dravenloom-layout-cases OUTPUT.json\n");
        return 2;
    }
    try {
        const std::string json = dravenloom::LayoutCasesJson();
        std::ofstream out(argv[1], std::ios::binary);
        out << json;
        out.close();
        if (!out) {
            std::fprintf(stderr, "dravenloom-layout-cases: can't write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dravenloom-layout-cases: %s\n", error.what());
        return 1;
    }
    return 0;
}
