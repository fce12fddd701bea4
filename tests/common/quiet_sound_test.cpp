// With no sound device the drivers' complaints become one line in the log,
// and nothing reaches standard error.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "log.h"
#include "quiet_sound.h"

namespace {

TEST(QuietSound, NoDeviceIsOneLineInTheLog) {
  if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
  fr = tmpfile();
  ASSERT_TRUE(fr);
  testing::internal::CaptureStderr();
  // Without a system driver for sound, Allegro's null drivers: no device.
  EXPECT_EQ(install_sound_quietly(DIGI_AUTODETECT, MIDI_NONE), 0);
  EXPECT_FALSE(sound_device());
  report_sound();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  rewind(fr);
  char line[128] = "";
  ASSERT_TRUE(fgets(line, sizeof line, fr));
  EXPECT_STREQ(line, "no sound device: playing without sound\n");
  EXPECT_FALSE(fgets(line, sizeof line, fr));
  // Standard error works as before afterwards.
  testing::internal::CaptureStderr();
  fprintf(stderr, "after\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "after\n");
  remove_sound();
  fclose(fr);
  fr = nullptr;
}

}  // namespace
