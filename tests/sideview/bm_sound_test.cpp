// Machine layer: the sound registers, their event queue and the mixer,
// driven by hand on a plain buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bm.h"

namespace {

const int SAMPLE_UNITS = 11591;  // one sample in 1/256 machine cycles
const int RATE = 44100;

class Mixer : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(bmSetupHeadless(), 0); }
  void TearDown() override { bmSetdown(); }

  std::vector<unsigned char> mix(int n) {
    std::vector<unsigned char> out(n);
    bmMixSamples(out.data(), n);
    return out;
  }
};

// Programs voice v: period P, then its control register.
void voice(int v, int period, unsigned char control) {
  bmPut16(BM_SOUND + 3 * v, (unsigned short)period);
  bmPut8(BM_SOUND + 3 * v + 2, control);
}

// Sign changes of a single voice's output around 128.
int flips(const std::vector<unsigned char> &s, size_t from = 0) {
  int n = 0;
  for (size_t i = from + 1; i < s.size(); i++)
    if ((s[i] > 128) != (s[i - 1] > 128)) n++;
  return n;
}

// The first sample that shows an event stamped at cycle c: the mixer applies
// it after sample k, the first k with stamp - k x 11591 <= 11590, and its
// level shows from the next sample on.
int first_sample_showing(int c) { return c * 256 / SAMPLE_UNITS + 1; }

}  // namespace

TEST_F(Mixer, SilenceIsAConstant128) {
  auto s = mix(4096);
  EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](unsigned char x) { return x == 128; }));
  // A period alone, or a control value without mode bits, stays silent.
  voice(0, 1000, 0x3F);
  s = mix(4096);
  EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](unsigned char x) { return x == 128; }));
}

TEST_F(Mixer, ControlValuesSelectToneNoiseOrSilence) {
  // 0x7F: tone at volume 63, level +-31, regular half-periods.
  voice(0, 1000, 0x7F);
  auto tone = mix(RATE);
  for (size_t i = 1; i < tone.size(); i++) ASSERT_TRUE(tone[i] == 159 || tone[i] == 97) << i;
  // 0xFF: bit 6 wins, the same tone sample for sample.
  ASSERT_EQ(bmSetupHeadless(), 0);
  voice(0, 1000, 0xFF);
  EXPECT_EQ(mix(RATE), tone);
  // 0xBF: noise at volume 63: same levels, but it keeps its sign at some
  // expiries, so it changes sign less often than the tone.
  ASSERT_EQ(bmSetupHeadless(), 0);
  voice(0, 1000, 0xBF);
  auto noise = mix(RATE);
  for (size_t i = 1; i < noise.size(); i++) ASSERT_TRUE(noise[i] == 159 || noise[i] == 97) << i;
  EXPECT_LT(flips(noise), flips(tone) * 3 / 4);
  EXPECT_GT(flips(noise), flips(tone) / 4);
  // 0x3F: volume bits without a mode: silent.
  ASSERT_EQ(bmSetupHeadless(), 0);
  voice(0, 1000, 0x3F);
  auto quiet = mix(1000);
  EXPECT_TRUE(std::all_of(quiet.begin(), quiet.end(), [](unsigned char x) { return x == 128; }));
}

TEST_F(Mixer, AVolumeChangeKeepsTheLevelsSign) {
  // A half-period is about 22 samples: run into the first negative half.
  voice(0, 1000, 0x7F);
  auto s = mix(2);
  ASSERT_EQ(s[1], 159);  // +31
  for (int i = 0; i < 50 && s[0] != 97; i++) s = mix(1);
  ASSERT_EQ(s[0], 97);   // -31
  bmPut8(BM_SOUND + 2, 0x50);  // tone at volume 16, applied after this sample
  EXPECT_EQ(mix(1)[0], 97);
  EXPECT_EQ(mix(1)[0], 128 - 8);
  s = mix(100);  // and it goes on flipping between -8 and +8
  EXPECT_EQ(*std::max_element(s.begin(), s.end()), 128 + 8);
  EXPECT_EQ(*std::min_element(s.begin(), s.end()), 128 - 8);
}

TEST_F(Mixer, ToneFrequencyFollowsThePeriod) {
  for (int period : {100, 500, 1000, 2271, 5000, 20000}) {
    ASSERT_EQ(bmSetupHeadless(), 0);
    voice(2, period, 0x7F);
    auto s = mix(RATE + 1);
    double hz = flips(s, 1) / 2.0;  // over exactly one second of samples
    double want = 998365.0 / period;
    EXPECT_NEAR(hz, want, want * 0.01) << "period " << period;
  }
  // Period 0: a flip at every sample.
  ASSERT_EQ(bmSetupHeadless(), 0);
  voice(1, 0, 0x7F);
  auto s = mix(1000);
  EXPECT_EQ(flips(s, 1), 998);
}

TEST_F(Mixer, FourVoicesAtFullVolumeNeverWrap) {
  voice(0, 1000, 0x7F);
  voice(1, 1337, 0x7F);
  voice(2, 1777, 0x7F);
  voice(3, 2500, 0x7F);
  auto s = mix(RATE);
  auto [lo, hi] = std::minmax_element(s.begin() + 1, s.end());
  EXPECT_EQ(*hi, 252);  // all four at +31
  EXPECT_EQ(*lo, 4);    // all four at -31
}

TEST_F(Mixer, EventsApplyWhenTheSampleClockReachesTheirStamp) {
  for (int i = 0; i < 20; i++) bmWait(1);  // cycle 2560
  voice(0, 300, 0x7F);
  int on = first_sample_showing(bmCycles());
  for (int i = 0; i < 20; i++) bmWait(1);
  bmPut8(BM_SOUND + 2, 0x00);  // volume 0: level 0 at once
  int off = first_sample_showing(bmCycles());
  ASSERT_GT(on, 50);
  ASSERT_GT(off, on + 50);
  auto s = mix(off + 200);
  for (int i = 0; i < on; i++) ASSERT_EQ(s[i], 128) << i;
  EXPECT_EQ(s[on], 159);
  for (int i = on; i < off; i++) ASSERT_NE(s[i], 128) << i;
  for (int i = off; i < (int)s.size(); i++) ASSERT_EQ(s[i], 128) << i;
}

TEST_F(Mixer, QueueOrderHoldsBackLaterEvents) {
  // Late in one frame the voice is switched on; early in the next, its
  // period changes. The second stamp is the smaller, but it waits its turn.
  bmWait(0);
  for (int i = 0; i < 300; i++) bmWait(1);  // line 300 of the frame
  voice(0, 2000, 0x7F);
  int on = first_sample_showing(bmCycles());
  bmWait(0);
  bmPut16(BM_SOUND, 400);
  auto s = mix(on + 2000);
  for (int i = 0; i < on; i++) ASSERT_EQ(s[i], 128) << i;
  // From the switch-on the voice already plays the new, shorter period.
  int n = flips(s, on);
  double hz = n / 2.0 * RATE / 2000;
  EXPECT_NEAR(hz, 998365.0 / 400, 998365.0 / 400 * 0.05);
}
