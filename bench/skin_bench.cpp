// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Paint time of the skinned main window, against a floor: a bare widget of
// the same size whose paint draws nothing, repainted the same way. Both go
// through Qt's own back buffer (offscreen platform). Compare the medians of
// interleaved repetitions:
//   build/bench/skin_bench --benchmark_repetitions=15
//     --benchmark_enable_random_interleaving=true
//     --benchmark_report_aggregates_only=true

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <memory>

#include "WindowTiming.h"
#include "app/ProgramPicture.h"
#include "draw/SkinImage.h"
#include "skin/SkinChooser.h"
#include "skin/SkinFrame.h"
#include "skin/SkinPicture.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

// A window as the program shows it: frame, four pages, a status text.
struct SkinnedWindow {
  SkinnedWindow(int w, int h, int pictureId) {
    widget.resize(w, h);
    frame.Attach(&widget, /*persist=*/false);
    frame.SetStatusText(GBK("Cindral 单词本 · 每天一组新单词"));
    const ProgramPicture icons[] = {ProgramPicture::kPageHome, ProgramPicture::kPageLearning,
                                    ProgramPicture::kPageTest, ProgramPicture::kPageIntensive};
    const char* labels[] = {"我的主页", "单词学习", "分组测验", "强化提高"};
    for (int i = 0; i < 4; ++i) {
      frame.AddPage(Utf8ToGbk(labels[i]), std::string(ProgramPictureBytes(icons[i])));
    }
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) std::abort();
    SkinLook look = frame.Look();
    look.PickThumbnail(pictureId, nullptr);
    frame.SetLook(look);
  }
  QWidget widget;
  SkinFrame frame;
};

// Paints nothing itself; Qt fills its background.
struct Bare : QWidget {
  void paintEvent(QPaintEvent*) override { ++paints; }
  int paints = 0;
};

void BM_BareWidgetPaint(benchmark::State& state) {
  Bare widget;
  widget.resize(state.range(0), state.range(1));
  widget.show();
  if (!QTest::qWaitForWindowExposed(&widget)) std::abort();
  const int before = widget.paints;
  for (auto _ : state) widget.repaint();
  state.counters["painted"] = widget.paints - before;
}

void BM_SkinnedWindowPaint(benchmark::State& state) {
  SkinnedWindow window(state.range(0), state.range(1), state.range(2));
  for (auto _ : state) window.widget.repaint();
}

// The frame drawn straight into a picture: no widget machinery at all.
void BM_FramePaintIntoImage(benchmark::State& state) {
  SkinnedWindow window(state.range(0), state.range(1), state.range(2));
  QImage image(state.range(0), state.range(1), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    window.frame.Paint(painter);
  }
}

// Decoding one header picture, as every paint of a picture look does.
void BM_DecodeHeaderPicture(benchmark::State& state) {
  const auto picture =
      static_cast<SkinPicture>(static_cast<int>(SkinPicture::kHeader2) + state.range(0) - 2);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SkinImage::FromBytes(SkinPictureBytes(picture)).Width());
  }
}

// Arguments: width, height, picture id (1: plain colour).
BENCHMARK(BM_BareWidgetPaint)->Args({640, 440})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkinnedWindowPaint)
    ->Args({640, 440, 1})
    ->Args({640, 440, 3})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 3})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FramePaintIntoImage)
    ->Args({640, 440, 3})
    ->Args({1920, 1080, 3})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeHeaderPicture)->DenseRange(2, 9)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) { return cindral::bench::RunWindowBenchmarks(argc, argv); }
