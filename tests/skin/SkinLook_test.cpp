// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skin look from its defaults and from section "Skin" of the settings
// file, and kept between runs through the real settings file.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeFrameWindow.h"
#include "TestWorld.h"
#include "app/SkinSettingsFile.h"
#include "skin/SkinChooser.h"
#include "skin/SkinFrame.h"
#include "skin/SkinLook.h"

namespace cindral {
namespace {

using test::MemorySkinSettings;

SkinLook Loaded(std::map<std::string, std::string> values) {
  MemorySkinSettings settings;
  settings.values = std::move(values);
  SkinLook look;
  look.Load(&settings);
  return look;
}

TEST(SkinLookTest, DefaultsWhenNotKept) {
  SkinLook look;
  look.style = 2;
  look.colour = 5;
  look.Load(nullptr);
  EXPECT_EQ(look.style, 1);
  EXPECT_EQ(look.pictureId, 1);
  EXPECT_EQ(look.colour, 14591565u);
  EXPECT_TRUE(look.IsPlain());
  EXPECT_TRUE(look.HeaderBytes().empty());
}

TEST(SkinLookTest, MissingSettingsFileIsCreatedEmptyAndTheDefaultsApply) {
  MemorySkinSettings settings;
  settings.exists = false;
  SkinLook look;
  look.Load(&settings);
  EXPECT_EQ(settings.creations, 1);
  EXPECT_EQ(settings.writes, 0);
  EXPECT_EQ(look.style, 1);
  EXPECT_EQ(look.pictureId, 1);
  EXPECT_EQ(look.colour, 14591565u);
}

TEST(SkinLookTest, ReadsTheStoredValuesWithTheirFallbacks) {
  SkinLook look = Loaded({{"picid", "4"}, {"style", "1"}, {"color", "255"}});
  EXPECT_EQ(look.pictureId, 4);
  EXPECT_EQ(look.headerId, 4);
  EXPECT_FALSE(look.IsPlain());
  EXPECT_FALSE(look.HeaderBytes().empty());
  EXPECT_EQ(look.colour, 255u);
  for (const char* id : {"10", "0", "-3", "", "x"}) {
    look = Loaded({{"picid", id}, {"style", "1"}});
    EXPECT_EQ(look.pictureId, 1) << id;
    EXPECT_TRUE(look.IsPlain());
  }
  for (const char* style : {"3", "2", "", "0"}) {
    look = Loaded({{"picid", "4"}, {"style", style}});
    EXPECT_EQ(look.style, 2) << style;
    EXPECT_TRUE(look.IsPlain());
  }
  look = Loaded({{"color", "0"}});
  EXPECT_EQ(look.colour, 14591565u);
  look = Loaded({});
  EXPECT_EQ(look.colour, 14591565u);
  EXPECT_EQ(look.style, 2);
}

// The real settings file: the look survives a restart only when kept.
struct ProgramDirectory {
  ProgramDirectory() : settings(dir.path()) {}
  std::string ConfigText() const {
    std::ifstream in(GbkToUtf8(settings.Path()));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  test::TempDir dir;
  Settings settings;
};

void PickColourThroughTheChooser(SkinFrame& frame, test::FakeFrameWindow& window) {
  window.onChooser = [](SkinChooser& chooser) {
    chooser.OnLeftButtonDown(50, 10);
    chooser.OnLeftButtonDown(8 + 17 * 11 + 1, 37 + 1);  // 0x202020
  };
  frame.OnLeftButtonDown(620, 80);
}

TEST(SkinLookFileTest, KeptLookIsWrittenToSectionSkinAndReadBack) {
  ProgramDirectory p;
  { std::ofstream(p.dir.File("config.ini")) << "[Config]\nreviewnumber=3\n"; }
  SkinSettingsFile file(p.settings);
  {
    test::FakeFrameWindow window;
    SkinFrame frame;
    frame.Attach(&window, true, &file);
    PickColourThroughTheChooser(frame, window);
  }
  EXPECT_NE(p.ConfigText().find("[Skin]"), std::string::npos);
  EXPECT_EQ(p.settings.Path(), p.dir.path() + "/config.ini");  // the existing spelling
  EXPECT_EQ(p.settings.ReadSetting("Skin", "style"), "2");
  EXPECT_EQ(p.settings.ReadSetting("Skin", "color"), "2105376");
  EXPECT_EQ(p.settings.ReadSetting("Config", "reviewnumber"), "3");  // left alone

  test::FakeFrameWindow window;
  SkinFrame restarted;
  restarted.Attach(&window, true, &file);
  EXPECT_EQ(restarted.Look().style, 2);
  EXPECT_EQ(restarted.Look().colour, 0x202020u);
}

TEST(SkinLookFileTest, LookNotKeptLeavesTheSettingsFileWithoutSectionSkin) {
  ProgramDirectory p;
  p.settings.WriteSetting("Config", "groupnumber", "1");
  SkinSettingsFile file(p.settings);
  {
    test::FakeFrameWindow window;
    SkinFrame frame;
    frame.Attach(&window, false, &file);
    PickColourThroughTheChooser(frame, window);
    EXPECT_EQ(frame.Look().colour, 0x202020u);
  }
  EXPECT_EQ(p.ConfigText().find("[Skin]"), std::string::npos);
  test::FakeFrameWindow window;
  SkinFrame restarted;
  restarted.Attach(&window, false, &file);
  EXPECT_EQ(restarted.Look().colour, 14591565u);  // the default look is back
}

TEST(SkinLookFileTest, KeptLookCreatesAMissingSettingsFileEmpty) {
  ProgramDirectory p;
  SkinSettingsFile file(p.settings);
  EXPECT_FALSE(file.Exists());
  test::FakeFrameWindow window;
  SkinFrame frame;
  frame.Attach(&window, true, &file);
  EXPECT_TRUE(file.Exists());
  EXPECT_EQ(p.ConfigText(), "");
  EXPECT_EQ(frame.Look().style, 1);
  EXPECT_EQ(frame.Look().colour, 14591565u);
}

TEST(SkinLookTest, TheDecodedHeaderFollowsThePictureNowShown) {
  SkinLook look;
  EXPECT_TRUE(look.HeaderImage().IsEmpty());
  look.PickThumbnail(3, nullptr);
  const QImage meadow = look.HeaderImage().image();
  EXPECT_EQ(meadow, SkinImage::FromBytes(look.HeaderBytes()).image());
  EXPECT_EQ(meadow.size(), QSize(840, 205));
  look.PickThumbnail(5, nullptr);
  EXPECT_EQ(look.HeaderImage().image(), SkinImage::FromBytes(look.HeaderBytes()).image());
  EXPECT_NE(look.HeaderImage().image(), meadow);
  // A colour pick keeps the picture for a later return to it.
  look.PickColour(0x202020, nullptr);
  EXPECT_EQ(look.HeaderImage().image(), SkinImage::FromBytes(look.HeaderBytes()).image());
}

}  // namespace
}  // namespace cindral
