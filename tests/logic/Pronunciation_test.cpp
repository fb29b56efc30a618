// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading words aloud: the speaker button and key P on the learning card,
// the drill and the game speak the word at hand, never anything else; with
// no engine (or while it starts) the button is disabled and its tip says
// why, and nothing else in the window changes.

#include <gtest/gtest.h>

#include "StudyTest.h"
#include "core/KeyCodes.h"
#include "logic/GameWindowLogic.h"
#include "logic/IntensiveReviewWindowLogic.h"
#include "logic/LearningWindowLogic.h"

namespace cindral {
namespace {

using test::StudyTest;
using State = Speech::State;

class PronunciationTest : public StudyTest {
 protected:
  PronunciationTest() {
    Book({{"apple", "苹果", 10}, {"banana", "香蕉", 20}, {"cherry", "樱桃", 30}, {"date", "枣"}});
    world.P().SetReviewPosition(1);
  }
  std::vector<std::string>& Spoken() { return world.speech.spoken; }
};

TEST_F(PronunciationTest, TheCardSpeaksItsWordOnPAndOnTheButtonAndFollowsTheList) {
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_TRUE(card.speaker().enabled());
  EXPECT_EQ(GbkToUtf8(card.speaker().tip()), "朗读单词（P）");
  EXPECT_TRUE(card.KeyDown(kKeyP));  // the card's own key
  card.SpeakerButton();
  card.NextButton();
  card.KeyDown(kKeyP);
  EXPECT_EQ(Spoken(), (std::vector<std::string>{"apple", "apple", "banana"}));
  // Speaking moves nothing and writes nothing.
  EXPECT_EQ(world.P().ReviewPosition(), 2);
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  EXPECT_EQ(world.prompter.shown.size(), 0u);
}

TEST_F(PronunciationTest, WithoutAnEngineTheButtonIsDisabledWithTheReasonAndPDoesNothing) {
  world.speech.Set(State::Unavailable, "没有找到语音引擎");
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_FALSE(card.speaker().enabled());
  EXPECT_EQ(GbkToUtf8(card.speaker().tip()), "没有找到语音引擎");
  EXPECT_TRUE(card.KeyDown(kKeyP));
  card.SpeakerButton();
  EXPECT_TRUE(Spoken().empty());
  // The card itself goes on as ever.
  EXPECT_EQ(GbkToUtf8(card.pagesWord()), "apple");
  card.NextButton();
  EXPECT_EQ(GbkToUtf8(card.pagesWord()), "banana");
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(PronunciationTest, WhileTheEngineStartsTheButtonWaitsAndThenSpeaks) {
  world.speech.Set(State::Starting);
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_FALSE(card.speaker().enabled());
  EXPECT_EQ(GbkToUtf8(card.speaker().tip()), "正在启动语音引擎……");
  card.KeyDown(kKeyP);
  EXPECT_TRUE(Spoken().empty());
  world.speech.Set(State::Ready);
  EXPECT_TRUE(card.speaker().enabled());
  card.KeyDown(kKeyP);
  EXPECT_EQ(Spoken(), std::vector<std::string>{"apple"});
}

TEST_F(PronunciationTest, AClosedCardSpeaksNoMore) {
  world.State().DueList.clear();  // the card refuses an empty list and closes
  LearningWindowLogic card(world.P());
  card.Created();
  ASSERT_TRUE(card.closed());
  EXPECT_FALSE(card.speaker().enabled());  // no word to read
  EXPECT_FALSE(card.KeyDown(kKeyP));
  card.SpeakerButton();
  EXPECT_TRUE(Spoken().empty());
}

TEST_F(PronunciationTest, TheDrillSpeaksTheWordOnTheCardNeverTheMeaning) {
  for (const DueEntry& e : world.State().DueList) world.State().IntensiveList.push_back(e);
  IntensiveReviewWindowLogic drill(world.P());
  drill.Opened();
  drill.KeyDown(kKeyP);
  drill.KeyDown(kKeyS);  // the meaning shown
  drill.KeyDown(kKeyP);
  drill.KeyDown(kKeyLeft);  // round to the last card
  drill.SpeakerButton();
  EXPECT_EQ(Spoken(), (std::vector<std::string>{"apple", "apple", "date"}));
  EXPECT_EQ(GbkToUtf8(drill.word()), "date");
}

TEST_F(PronunciationTest, TheGameSpeaksTheWordOfTheButtonClickedLast) {
  GameWindowLogic game(world.P());
  game.Opened();
  ASSERT_FALSE(game.closed());
  // Nothing clicked yet: nothing to read, and the tip says what to do.
  EXPECT_FALSE(game.speaker().enabled());
  EXPECT_EQ(GbkToUtf8(game.speaker().tip()), "先点一个单词或释义，再点这里朗读");
  game.SpeakerButton();
  EXPECT_TRUE(Spoken().empty());

  auto buttonOf = [&](int item) {
    for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
      if (game.order()[static_cast<size_t>(i)] == item) return i;
    }
    return 0;
  };
  const std::string word1 = GbkToUtf8(game.texts()[1]);
  const std::string word2 = GbkToUtf8(game.texts()[3]);
  game.Click(buttonOf(2));  // the meaning of draw 1: its word is read
  game.SpeakerButton();
  game.Click(buttonOf(3));  // the word of draw 2: no pair, now chosen
  game.SpeakerButton();
  game.Click(buttonOf(4));  // its meaning: the pair vanishes, the word stays
  game.SpeakerButton();
  EXPECT_EQ(Spoken(), (std::vector<std::string>{word1, word2, word2}));
  EXPECT_EQ(GbkToUtf8(game.speaker().tip()), "朗读单词");

  game.DealAgain();  // a new deal: nothing clicked again
  EXPECT_FALSE(game.speaker().enabled());
}

// A voice that has read no word to its end may have no sound device: the
// first words asked for are tried, and the button says so until the voice
// is heard or fails. A failure is said once a run, beside the button of the
// window where the learner asked, never in a box.
TEST_F(PronunciationTest, TheFirstWordIsShownTriedAndAFailureIsSaidOnceARun) {
  const std::string kTrying = "正在朗读……";
  const std::string kNoSound = "语音服务打不开声音设备";
  world.speech.triesWords = true;
  LearningWindowLogic card(world.P());
  card.Created();
  SpeakerLook look = card.speaker().look();
  EXPECT_FALSE(look.trying);
  EXPECT_EQ(look.note, "");
  card.KeyDown(kKeyP);
  look = card.speaker().look();
  EXPECT_TRUE(look.trying);
  EXPECT_EQ(GbkToUtf8(look.note), kTrying);
  EXPECT_EQ(GbkToUtf8(look.tip), kTrying);
  const int triedSerial = look.noteSerial;
  EXPECT_EQ(card.speaker().look().noteSerial, triedSerial);  // the same note, not again

  // The service never finishes the word: the voice gives up.
  world.speech.Set(State::Unavailable, kNoSound);
  look = card.speaker().look();
  EXPECT_FALSE(look.trying);
  EXPECT_FALSE(look.enabled);
  EXPECT_EQ(GbkToUtf8(look.note), kNoSound);
  EXPECT_NE(look.noteSerial, triedSerial);
  EXPECT_EQ(GbkToUtf8(look.tip), kNoSound);
  // Said once: not again at the next word, nor in the next window.
  card.NextButton();
  card.KeyDown(kKeyP);
  EXPECT_EQ(card.speaker().look().note, "");
  for (const DueEntry& e : world.State().DueList) world.State().IntensiveList.push_back(e);
  IntensiveReviewWindowLogic drill(world.P());
  drill.Opened();
  drill.KeyDown(kKeyP);
  EXPECT_EQ(drill.speaker().look().note, "");
  EXPECT_EQ(Spoken(), std::vector<std::string>{"apple"});
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(PronunciationTest, AWordHeardEndsTheTrialForTheRun) {
  world.speech.triesWords = true;
  GameWindowLogic game(world.P());
  game.Opened();
  game.Click(1);
  game.SpeakerButton();
  EXPECT_TRUE(game.speaker().look().trying);
  world.speech.Heard();
  SpeakerLook look = game.speaker().look();
  EXPECT_FALSE(look.trying);
  EXPECT_EQ(look.note, "");
  EXPECT_EQ(GbkToUtf8(look.tip), "朗读单词");
  game.SpeakerButton();  // heard once: later words are simply read
  EXPECT_FALSE(game.speaker().look().trying);
  EXPECT_EQ(Spoken().size(), 2u);
}

// Pressed before the voice has settled, or after it failed unasked.
TEST_F(PronunciationTest, APressTheVoiceCannotTakeSaysWhyOnce) {
  struct Case {
    State before;         // when P is pressed
    State after;          // what the voice then became (same = nothing)
    const char* pressed;  // the note at the press
    const char* settled;  // the note once the voice settled
  };
  const Case cases[] = {
      {State::Starting, State::Starting, "语音引擎正在启动，请稍候再按",
       "语音引擎正在启动，请稍候再按"},
      {State::Starting, State::Ready, "语音引擎正在启动，请稍候再按", ""},
      {State::Starting, State::Unavailable, "语音引擎正在启动，请稍候再按", "没有找到语音引擎"},
      {State::Unavailable, State::Unavailable, "没有找到语音引擎", "没有找到语音引擎"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.before) * 10 + static_cast<int>(c.after));
    test::ScriptedSpeech voice;  // a run of its own
    world.P().SetSpeech(&voice);
    voice.Set(c.before, "没有找到语音引擎");
    LearningWindowLogic card(world.P());
    card.Created();
    EXPECT_EQ(card.speaker().look().note, "");  // nothing said unasked
    card.KeyDown(kKeyP);
    EXPECT_EQ(GbkToUtf8(card.speaker().look().note), c.pressed);
    voice.Set(c.after, "没有找到语音引擎");
    EXPECT_EQ(GbkToUtf8(card.speaker().look().note), c.settled);
    card.KeyDown(kKeyP);  // again: read, or still starting; a failure is not said twice
    EXPECT_EQ(GbkToUtf8(card.speaker().look().note), c.after == State::Starting ? c.pressed : "");
    world.P().SetSpeech(&world.speech);
  }
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST(NoSpeechTest, AProgramWithoutAVoiceSaysSo) {
  test::TestWorld world;
  world.P().SetSpeech(nullptr);
  Speech& speech = world.P().speech();
  EXPECT_EQ(speech.state(), Speech::State::Unavailable);
  EXPECT_FALSE(speech.reason().empty());
  speech.Speak(GBK("apple"));  // does nothing, and does not fail
}

}  // namespace
}  // namespace cindral
