// The live log graph: the time one complete redraw of a full 4001-sample
// plot takes (rendered offscreen into images at 100 % and 200 %), and the
// sample rate the graph reaches against vq2x-sim --wire-time at 38400 bit/s.
// Not a test: prints figures.
//
//   graph_bench [seconds of recording]
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "SimulatorSession.h"
#include "model/Global_var.h"
#include "model/StripChartGeometry.h"
#include "tools/Grafiek.h"
#include "tools/StripChartView.h"

namespace {

// 4001 samples 25 ms apart: at 10 s per division all of them lie in the plot.
GraphRecording FullRecording() {
  GraphRecording recording;
  recording.Start();
  for (int i = 0; i < kLogSize; ++i) {
    const int phase = (i * 25) % 20000;
    recording.AddSample(std::optional<std::int32_t>((phase < 10000 ? phase : 20000 - phase) - 5000), i * 25);
  }
  return recording;
}

// Milliseconds per redraw of the plot and both strips, median of `rounds`.
double RedrawMs(const StripChartScene& scene, int ratio, int rounds) {
  QImage plot(kChartWidth * ratio, kChartHeight * ratio, QImage::Format_RGB32);
  QImage time((kChartWidth + 2 * StripChartView::kTimeStripOverhang) * ratio, StripChartView::kTimeStripHeight * ratio,
              QImage::Format_RGB32);
  QImage value(StripChartView::kValueStripWidth * ratio, StripChartView::kValueStripHeight * ratio, QImage::Format_RGB32);
  for (QImage* image : {&plot, &time, &value}) image->setDevicePixelRatio(ratio);
  std::vector<double> ms;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer clock;
    clock.start();
    {
      QPainter p(&plot);
      PaintPlot(p, scene);
    }
    {
      time.fill(Qt::lightGray);
      QPainter p(&time);
      PaintTimeStrip(p, scene);
    }
    {
      value.fill(Qt::lightGray);
      QPainter p(&value);
      PaintValueStrip(p, scene, StripChartView::kValueStripWidth, StripChartView::kValueStripHeight);
    }
    ms.push_back(clock.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;

  const GraphRecording full = FullRecording();
  StripChartScene scene;
  scene.recording = &full;
  scene.timeScaleMs = 10000;
  scene.valueScale = 1000;
  scene.verticalGridLines = scene.horizontalGridLines = true;
  std::printf("curve points drawn: %zu of %d samples\n",
              CurvePoints(full, 0, scene.timeScaleMs, scene.valueScale).size(), kLogSize);
  std::printf("redraw of a full plot: %.3f ms at 100 %%, %.3f ms at 200 %% (median of 500)\n", RedrawMs(scene, 1, 500),
              RedrawMs(scene, 2, 500));

  SimulatorSession sim;
  if (!sim.Start({"--wire-time", "--wire-parity", "E", "--unit", "0:VQ22"}, "baudrate=6\nparity=1\n")) return 1;

  TFormMain& main = sim.OpenTool();
  Spin(1000);
  main.Timer1->stop();
  GlobalVar().X_Div = 2;
  GlobalVar().Y_Div = 4;
  FormGrafiek->show();
  FormGrafiek->CmdStartLog->click();
  Spin(seconds * 1000);
  FormGrafiek->CmdStopLog->click();
  const GraphRecording& r = FormGrafiek->Recording();
  const int samples = r.LogCount() + 1;
  const double span = samples > 1 ? r.LogTimes()[static_cast<std::size_t>(r.LogCount())] / 1000.0 : 0;
  std::printf("sample rate against vq2x-sim --wire-time at 38400,E,8,1: %d samples in %.2f s = %.1f samples/s\n",
              samples, span, span > 0 ? (samples - 1) / span : 0.0);
  FormGrafiek->close();
  main.close();
  return 0;
}
