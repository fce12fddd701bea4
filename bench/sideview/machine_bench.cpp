// Host time of the machine layer, run headless: one machine frame with
// every visible line generated, and one second of the sound mixer.
#include <benchmark/benchmark.h>

#include <vector>

#include "bm.h"

static int lines;

// Like the game: count lines, show the status bar from line 220 on.
static void on_line(int) {
  if (++lines == 220) {
    bmPut8(BM_PAGE0, 0);
    bmPut8(BM_PAGE1, 0);
  }
}

// Like the game: back to the playfield banks for the next frame.
static void on_frame(int) {
  lines = 0;
  bmPut8(BM_PAGE0, 1);
  bmPut8(BM_PAGE1, 2);
}

// One frame: 312 lines (240 generated into the back buffer, the frame shown
// on the display), both callbacks, 10,000 bus accesses by the program.
static void BM_MachineFrame(benchmark::State &state) {
  bmSetupHeadless();
  unsigned char *m = bmMemory();
  for (int i = 0; i < BM_MEM_SIZE; i++) m[i] = (unsigned char)(i * 7 + (i >> 8));
  for (int y = 0; y < 240; y++) {
    int off = (y * 256 + 17) & 0xFFFF;
    m[2 * y] = m[480 + 2 * y] = off & 0xFF;
    m[2 * y + 1] = m[481 + 2 * y] = off >> 8;
  }
  bmSetCallBack(0, on_frame);
  bmSetCallBack(1, on_line);
  bmWait(0);
  int a = 0;
  for (auto _ : state) {
    for (int i = 0; i < 5000; i++) {
      bmPut8(0x10000 + (a & 0xFFFF), (unsigned char)i);
      benchmark::DoNotOptimize(bmGet8(0x20000 + (a & 0xFFFF)));
      a += 97;
    }
    bmWait(0);
  }
  benchmark::DoNotOptimize(back->line[100][100]);
  bmSetdown();
}
BENCHMARK(BM_MachineFrame)->Unit(benchmark::kMicrosecond);

// One second of audio: 44,100 samples in the stream's 1,024-sample
// buffers, four voices sounding, 301 register writes queued between them.
static void BM_MixerSecond(benchmark::State &state) {
  bmSetupHeadless();
  std::vector<unsigned char> buf(1024);
  for (auto _ : state) {
    state.PauseTiming();
    bmSetupHeadless();
    for (int v = 0; v < 4; v++) {
      bmPut16(BM_SOUND + 3 * v, (unsigned short)(500 + 300 * v));
      bmPut8(BM_SOUND + 3 * v + 2, v == 3 ? 0xBF : 0x7F);
    }
    state.ResumeTiming();
    int events = 12;
    for (int done = 0; done < 44100; done += 1024) {
      // Seven writes per buffer: a note's period and a control value.
      for (int k = 0; k < 7 && events < 301; k++, events++)
        bmPut8(BM_SOUND + 3 * (k & 3) + (k % 3), (unsigned char)(0x40 + done / 1024 + k));
      int n = 44100 - done < 1024 ? 44100 - done : 1024;
      bmMixSamples(buf.data(), n);
    }
    benchmark::DoNotOptimize(buf.data());
  }
  bmSetdown();
}
BENCHMARK(BM_MixerSecond)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
