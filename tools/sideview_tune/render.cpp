// render.cpp -- sideview_tune_render IN.mid OUT.wav: plays a tune through
// the game's music player on the headless machine, exactly as the game
// drives it (the player advanced after every scan line), and writes what
// the sound generator makes of it: 8-bit mono samples at 44,100 Hz, mixed
// in step with the scan lines. It ends half a second after the track.
#include <cstdio>
#include <vector>

#include "bm.h"
#include "log.h"
#include "music.h"
#include "tool.h"

enum {
  RATE = 44100,
  LINES_PER_SECOND = 15600,
  MAX_SECONDS = 600,
};

static long lines;
static long samples_done;
static std::vector<unsigned char> wave;

// on_line
// The game's line callback as far as the music goes; then the mixer
// catches up with the machine's time.
static void on_line(int) {
  music_update();
  lines++;
  long due = lines * RATE / LINES_PER_SECOND;
  if (due > samples_done) {
    size_t from = wave.size();
    wave.resize(from + (size_t)(due - samples_done));
    bmMixSamples(wave.data() + from, (int)(due - samples_done));
    samples_done = due;
  }
}

// write_wav
// A canonical RIFF/WAVE file of unsigned 8-bit mono samples.
static void write_wav(const char *name, const std::vector<unsigned char> &s) {
  std::vector<unsigned char> h = {'R', 'I', 'F', 'F'};
  put_le(h, 36 + s.size(), 4);
  h.insert(h.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put_le(h, 16, 4);
  put_le(h, 1, 2);     // PCM
  put_le(h, 1, 2);     // mono
  put_le(h, RATE, 4);
  put_le(h, RATE, 4);  // bytes a second
  put_le(h, 1, 2);     // bytes a sample frame
  put_le(h, 8, 2);
  h.insert(h.end(), {'d', 'a', 't', 'a'});
  put_le(h, s.size(), 4);
  h.insert(h.end(), s.begin(), s.end());
  save_file(name, h);
}

int main(int argc, char **argv) {
  tool_name = "sideview_tune_render";
  if (argc != 3) {
    fprintf(stderr, "usage: sideview_tune_render IN.mid OUT.wav\n");
    return 2;
  }
  fr = stderr;
  music_init();
  if (bmSetupHeadless() != 0) fail("sideview_tune_render: no memory for the machine");
  if (!load_music(argv[1])) return 1;
  bmSetCallBack(1, on_line);
  play_music();
  while (music_playing() && lines < (long)MAX_SECONDS * LINES_PER_SECOND) bmWait(0);
  long end = lines + LINES_PER_SECOND / 2;
  while (lines < end) bmWait(0);
  bmSetCallBack(1, NULL);
  bmSetdown();
  write_wav(argv[2], wave);
  printf("%.2f seconds\n", (double)lines / LINES_PER_SECOND);
  return 0;
}
