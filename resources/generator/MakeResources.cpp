// make_resources: draws and synthesises the program's pictures, sounds and
// icon, and writes them into a resources folder:
//
//   make_resources <folder>
//
// writes <folder>/pictures/*.bmp and *.png, <folder>/sounds/*.wav,
// <folder>/NerekuSudoku.ico and its twin NerekuSudoku.png for other desktops.
// The output is the same, byte for byte, on every run and every machine, so
// the files can be kept under version control and checked against a fresh run.

#include "Encoders.h"
#include "Pictures.h"
#include "Sounds.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace fs = std::filesystem;
using namespace nereku_resources;

namespace {

// The Solve button's picture is a PNG of this many bytes; the others are bitmaps.
constexpr size_t kSolvePictureBytes = 2396;

void WriteFile(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
    std::cout << path.string() << " (" << bytes.size() << " bytes)\n";
}

void WriteAll(const fs::path& folder) {
    const fs::path pictures = folder / "pictures";
    WriteFile(pictures / "NewLevel.bmp", EncodeBmp(DrawNewLevel()));
    WriteFile(pictures / "RestartLevel.bmp", EncodeBmp(DrawRestartLevel()));
    WriteFile(pictures / "SaveLevel.bmp", EncodeBmp(DrawSaveLevel()));
    WriteFile(pictures / "DeleteLevel.bmp", EncodeBmp(DrawDeleteLevel()));
    WriteFile(pictures / "SolveLevel.png",
              EncodePng(DrawSolveLevel(), kSolvePictureBytes,
                        "Nereku Sudoku, Solve button. Magenta is transparent."));
    WriteFile(pictures / "LevelEditor.bmp", EncodeBmp(DrawLevelEditor()));
    WriteFile(pictures / "Help.bmp", EncodeBmp(DrawHelp()));
    WriteFile(pictures / "About.bmp", EncodeBmp(DrawAbout()));

    const fs::path sounds = folder / "sounds";
    WriteFile(sounds / "Click.wav", MakeClickSound());
    WriteFile(sounds / "Success.wav", MakeSuccessSound());

    WriteFile(folder / "NerekuSudoku.ico", EncodeIco(DrawProgramIcon(), IconPalette()));
    WriteFile(folder / "NerekuSudoku.png", EncodeKeyedPng(DrawProgramIcon()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_resources <resources folder>\n";
        return 2;
    }
    try {
        WriteAll(fs::path(argv[1]));
    } catch (const std::exception& error) {
        std::cerr << "make_resources: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
