// ulmar_resgen <folder>: writes the program's icon and bitmaps into <folder>.
#include <cstdio>
#include <string>

#include "resources/art/bitmap_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    for (const ArtFile& file : AllArtFiles()) {
        std::string path = std::string(argv[1]) + "/" + file.Name;
        std::FILE* out = std::fopen(path.c_str(), "wb");
        bool written = out && std::fwrite(file.Bytes.data(), 1, file.Bytes.size(), out) == file.Bytes.size();
        if (out && std::fclose(out) != 0) written = false;
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
