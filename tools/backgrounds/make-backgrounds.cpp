// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// make-backgrounds: paints the word game's six built-in backgrounds and
// writes them as background1.bmp .. background6.bmp into a directory.
//
//   make-backgrounds DIRECTORY
//
// Run at build time; the pictures are then compiled into the program.

#include <cstdio>
#include <fstream>
#include <string>

#include "tools/backgrounds/GameBackgrounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make-backgrounds DIRECTORY\n", stderr);
    return 2;
  }
  for (int index = 1; index <= cindral::kGameBackgroundCount; ++index) {
    const std::string path = std::string(argv[1]) + "/background" + std::to_string(index) + ".bmp";
    const std::string bytes = cindral::PaintGameBackground(index).FileBytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "make-backgrounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
