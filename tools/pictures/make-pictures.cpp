// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's pictures and writes them as a C++ source that holds
// each one as PNG bytes, so the program carries its pictures inside itself.
//
//   make-pictures skin|program OUTPUT.cpp [PNG-DIRECTORY]
//   make-pictures icons DIRECTORY
//
// With a directory, every picture is also written there as a PNG file.
// "icons" writes only the program's icon, as cindral-SIZE.png in the sizes
// the desktop's icon theme takes.

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "FrameArt.h"
#include "HeaderScenes.h"
#include "Icons.h"

using namespace cindral::pictures;

namespace {

struct Entry {
  std::string name;  // the enumerator, without its "k"
  std::function<QImage()> draw;
};

std::vector<Entry> SkinEntries() {
  using A = FrameArt;
  std::vector<Entry> entries;
  for (int id = 2; id <= 9; ++id) {
    entries.push_back({"Header" + std::to_string(id), [id] { return HeaderScenes::Scene(id); }});
  }
  entries.push_back({"PageHover", [] { return A::PageBackground(false); }});
  entries.push_back({"PageSelected", [] { return A::PageBackground(true); }});
  entries.push_back({"SizeGrip", [] { return A::SizeGrip(); }});
  const struct {
    const char* prefix;
    A::Glyph glyph;
  } captions[] = {{"Close", A::kClose},
                  {"Minimize", A::kMinimize},
                  {"Menu0", A::kMenu},
                  {"Maximize", A::kMaximize},
                  {"Menu1", A::kBubble}};
  const struct {
    const char* suffix;
    A::State state;
  } states[] = {{"Normal", A::kNormal}, {"Hover", A::kHover}, {"Pressed", A::kPressed}};
  for (const auto& c : captions) {
    for (const auto& s : states) {
      entries.push_back({std::string(c.prefix) + s.suffix,
                         [g = c.glyph, st = s.state] { return A::CaptionButton(g, st); }});
    }
  }
  entries.push_back({"RestoreNormal", [] { return A::CaptionButton(A::kRestore, A::kNormal); }});
  entries.push_back({"RestorePressed", [] { return A::CaptionButton(A::kRestore, A::kPressed); }});
  entries.push_back({"SkinIcon", [] { return A::SkinIcon(); }});
  entries.push_back({"SkinHover", [] { return A::SkinBackground(false); }});
  entries.push_back({"SkinPressed", [] { return A::SkinBackground(true); }});
  entries.push_back({"ChooserBackground", [] { return A::ChooserBackground(); }});
  for (bool colours : {false, true}) {
    for (const auto& s : states) {
      const char* suffix = s.state == A::kPressed ? "Selected" : s.suffix;
      entries.push_back({std::string(colours ? "TabColours" : "TabPictures") + suffix,
                         [colours, st = s.state] { return A::Tab(colours, st); }});
    }
  }
  entries.push_back({"TabUnderlay", [] { return A::TabUnderlay(); }});
  entries.push_back({"ContentFrame", [] { return A::ContentFrame(); }});
  for (int n = 1; n <= 9; ++n) {
    entries.push_back({"Thumbnail" + std::to_string(n), [n] { return A::Thumbnail(n); }});
  }
  entries.push_back({"ThumbnailHover", [] { return A::ThumbnailOverlay(false); }});
  entries.push_back({"ThumbnailSelected", [] { return A::ThumbnailOverlay(true); }});
  entries.push_back({"ColourMark", [] { return A::ColourMark(); }});
  const struct {
    const char* name;
    Icons::BoxIcon icon;
  } icons[] = {{"BoxInformation", Icons::kInformation},
               {"BoxSuccess", Icons::kSuccess},
               {"BoxWarning", Icons::kWarning},
               {"BoxError", Icons::kError},
               {"BoxQuestion", Icons::kQuestion}};
  for (const auto& i : icons) entries.push_back({i.name, [ic = i.icon] { return Icons::Box(ic); }});
  entries.push_back({"BoxCloseNormal", [] { return A::BoxClose(A::kNormal); }});
  entries.push_back({"BoxCloseHover", [] { return A::BoxClose(A::kHover); }});
  entries.push_back({"BoxClosePressed", [] { return A::BoxClose(A::kPressed); }});
  entries.push_back({"BoxButtonNormal", [] { return A::BoxButton(A::kNormal); }});
  entries.push_back({"BoxButtonHover", [] { return A::BoxButton(A::kHover); }});
  entries.push_back({"BoxButtonPressed", [] { return A::BoxButton(A::kPressed); }});
  entries.push_back({"BoxButtonDefault", [] { return A::BoxButton(A::kPressed + 1); }});
  return entries;
}

std::vector<Entry> ProgramEntries() {
  return {{"PageHome", [] { return Icons::Page(0); }},
          {"PageLearning", [] { return Icons::Page(1); }},
          {"PageTest", [] { return Icons::Page(2); }},
          {"PageIntensive", [] { return Icons::Page(3); }},
          {"Icon16", [] { return Icons::Program(16); }},
          {"Icon32", [] { return Icons::Program(32); }},
          {"Icon48", [] { return Icons::Program(48); }}};
}

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  // Pictures without an alpha channel are written as RGB, all others as RGBA.
  const QImage::Format format =
      image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  if (!writer.write(image.convertToFormat(format))) return {};
  return bytes;
}

void WriteLiteral(std::ofstream& out, const QByteArray& bytes) {
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (i % 40 == 0) out << (i == 0 ? "\n    \"" : "\"\n    \"");
    char octal[5];
    std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(bytes[i]));
    out << octal;
  }
  out << "\"";
}

}  // namespace

// The program's icon in the sizes of the desktop's icon theme.
int WriteIcons(const QString& directory) {
  if (!QDir().mkpath(directory)) return 1;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QByteArray png = Png(Icons::Program(size));
    QFile file(QDir(directory).filePath(QStringLiteral("cindral-%1.png").arg(size)));
    if (png.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(png) != png.size()) {
      std::fprintf(stderr, "make-pictures: could not write the %d pixel icon\n", size);
      return 1;
    }
  }
  return 0;
}

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc == 3 && std::string(argv[1]) == "icons")
    return WriteIcons(QString::fromLocal8Bit(argv[2]));
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: make-pictures skin|program OUTPUT.cpp [PNG-DIRECTORY]\n"
                 "       make-pictures icons DIRECTORY\n");
    return 2;
  }
  const std::string set = argv[1];
  const bool skin = set == "skin";
  if (!skin && set != "program") {
    std::fprintf(stderr, "make-pictures: unknown set '%s'\n", set.c_str());
    return 2;
  }
  const std::vector<Entry> entries = skin ? SkinEntries() : ProgramEntries();
  const std::string type = skin ? "SkinPicture" : "ProgramPicture";
  const QString pngDirectory = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
  if (!pngDirectory.isEmpty()) QDir().mkpath(pngDirectory);

  const std::string outPath = argv[2];
  const std::string temporary = outPath + ".part";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out << "// Made by tools/pictures/make-pictures at build time; not kept in the sources.\n"
      << "#include \"" << (skin ? "skin/SkinPicture.h" : "app/ProgramPicture.h") << "\"\n\n"
      << "namespace cindral {\n\nnamespace {\n";
  for (const Entry& e : entries) {
    const QImage image = e.draw();
    const QByteArray png = Png(image);
    if (png.isEmpty()) {
      std::fprintf(stderr, "make-pictures: could not encode %s\n", e.name.c_str());
      return 1;
    }
    if (!pngDirectory.isEmpty()) {
      QFile file(QDir(pngDirectory).filePath(QString::fromStdString(e.name) + ".png"));
      if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size()) return 1;
    }
    out << "const char k" << e.name << "[] =";
    WriteLiteral(out, png);
    out << ";\n";
  }
  out << "}  // namespace\n\nstd::string_view " << type << "Bytes(" << type
      << " picture) {\n  switch (picture) {\n";
  for (const Entry& e : entries) {
    out << "    case " << type << "::k" << e.name << ":\n      return {k" << e.name << ", sizeof k"
        << e.name << " - 1};\n";
  }
  out << "    case " << type
      << "::kCount:\n      break;\n  }\n  return {};\n}\n\n}  // namespace cindral\n";
  out.close();
  if (!out || std::rename(temporary.c_str(), outPath.c_str()) != 0) {
    std::fprintf(stderr, "make-pictures: could not write %s\n", outPath.c_str());
    return 1;
  }
  return 0;
}
