// Game objects: the cast of a level, thinking from the keyboard ports or
// the mums' rule, hurting and dying, doors, ladders, jumping and firing,
// contact between pairs, and the sprite each is drawn with.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scratch.h"
#include "world.h"

namespace {

class Objects : public World {
 protected:
  // A room: solid border, floor at row 9 (its top at y = 144).
  void room() {
    std::vector<std::string> rows(11, "#" + std::string(28, ' ') + "#");
    rows[0] = rows[9] = rows[10] = std::string(30, '#');
    make_level(rows);
  }
  // Runs n frames of the objects alone (run_characs); returns the first
  // non-zero move result of the player, or 0.
  int frames(int n) {
    int result = 0;
    for (int f = 0; f < n; f++) {
      int r = run_characs();
      if (!result) result = r;
    }
    return result;
  }
  // A player standing on the floor of room() at x.
  charac *player_at(float x, float y = 128) {
    add_charac((int)x, (int)y, K_PLAYER);
    return &C[n_characs - 1];
  }
  void hold(int k, bool down = true) { key[k] = down; }
  std::string log_text;
  void log_to_string() {
    fr = fopen(scratch.path("report.txt").c_str(), "w");
  }
  std::string read_log() {
    if (fr) fclose(fr);
    fr = nullptr;
    std::vector<unsigned char> v = slurp(scratch.path("report.txt"));
    return std::string(v.begin(), v.end());
  }
  void TearDown() override {
    if (fr) fclose(fr);
    fr = nullptr;
    World::TearDown();
  }
  Scratch scratch;
};

TEST_F(Objects, TheCastComesFromTheInsertions) {
  room();
  add_insertion(40, 128, 11);
  add_insertion(80, 128, 33);
  add_insertion(100, 138, 41);
  add_insertion(120, 139, 42);
  add_insertion(140, 128, 51);
  add_insertion(160, 128, 52);
  add_insertion(180, 128, 57);  // an item the status bar can't hold: nothing
  add_insertion(200, 128, 12);  // another entry point
  bar.treasure[2] = 1;          // item 2 was collected in an earlier level
  log_to_string();
  ASSERT_EQ(produce_cast(1), 1);
  ASSERT_EQ(n_characs, 5);
  EXPECT_EQ(C[0].kind, K_PLAYER);
  EXPECT_EQ(C[0].x, 40);
  EXPECT_EQ(C[0].hp, 5);
  EXPECT_EQ(C[1].kind, K_MUM);
  EXPECT_EQ(C[1].hp, 3);
  EXPECT_EQ(C[1].ammo, 2);
  EXPECT_EQ(C[2].kind, K_HEALTH);
  EXPECT_EQ(C[3].kind, K_AMMO);
  EXPECT_EQ(C[4].kind, K_ITEM);
  EXPECT_EQ(C[4].state, 1);
  EXPECT_EQ(C[4].rx, 16);
  EXPECT_EQ(produce_cast(2), 1);
  EXPECT_EQ(C[0].x, 200);
  EXPECT_EQ(produce_cast(3), 0);
  add_insertion(60, 128, 11);
  EXPECT_EQ(produce_cast(1), 0);
  EXPECT_EQ(read_log(),
            "made a mum with hp=3,\nmade a mum with hp=3,\nNo entry code 3 found\n"
            ">1 entry code 1 found\n");
}

TEST_F(Objects, KindsStartAsTheirTableSays) {
  add_charac(10, 20, 0x302);
  EXPECT_EQ(C[0].kind, K_MUM);
  EXPECT_EQ(C[0].hp, 3);
  EXPECT_EQ(C[0].rx, 7);
  EXPECT_EQ(C[0].ry, 16);
  EXPECT_EQ(C[0].state & ~0xFF, 0);
  add_charac(10, 20, 0x106);
  EXPECT_EQ(C[1].vx, 9);
  EXPECT_EQ(C[1].state, 0x802);
  add_charac(10, 20, K_BULLET);
  EXPECT_EQ(C[2].vx, -9);
  EXPECT_EQ(C[2].state, 2);
  add_charac(10, 20, K_AMMO);
  EXPECT_EQ(C[3].rx, 7);
  EXPECT_EQ(C[3].ry, 5);
  while (n_characs < MAX_CHARACS) add_charac(0, 0, K_HEALTH);
  add_charac(0, 0, K_PLAYER);
  EXPECT_EQ(n_characs, MAX_CHARACS);
}

TEST_F(Objects, EnterAndRightShiftHandTheKeyboardToTheMums) {
  add_charac(50, 50, K_PLAYER);
  add_charac(80, 80, 0x302);
  C[1].state = 0;  // counter 0: walks right
  hold(KEY_LEFT);
  hold(KEY_RCONTROL);
  think_charac(&C[0]);
  think_charac(&C[1]);
  EXPECT_EQ(C[0].bits, B_LEFT | B_JUMP);
  EXPECT_EQ(C[1].bits, B_RIGHT);
  think_charac(&C[0]);
  EXPECT_EQ(C[0].bits, B_LEFT | B_JUMP | B_JUMP_HELD);
  hold(KEY_ENTER);  // both follow the keyboard
  think_charac(&C[0]);
  think_charac(&C[1]);
  EXPECT_EQ(C[0].bits & B_LEFT, B_LEFT);
  EXPECT_EQ(C[1].bits, B_LEFT | B_JUMP);
  hold(KEY_RSHIFT);  // only the mums; Right Shift wins over Enter
  think_charac(&C[0]);
  think_charac(&C[1]);
  EXPECT_EQ(C[0].bits, 0);
  EXPECT_EQ(C[1].bits & B_LEFT, B_LEFT);
  // Pickups never think; dying objects stop.
  add_charac(0, 0, K_HEALTH);
  think_charac(&C[2]);
  EXPECT_EQ(C[2].bits, 0);
  C[1].state |= ST_DEAD;
  think_charac(&C[1]);
  EXPECT_EQ(C[1].bits, 0);
}

TEST_F(Objects, MumsTurnEvery128FramesAndShootWhenLevelWithThePlayer) {
  room();
  player_at(40);
  add_charac(300, 128, 0x302);
  charac *mum = &C[1];
  mum->state = 0x100 | 0x7F;
  think_charac(mum);
  EXPECT_EQ(mum->bits, B_RIGHT);
  mum->state = 0x100 | 0x80;
  think_charac(mum);
  EXPECT_EQ(mum->bits, B_LEFT);
  // At counter 0, level with the player: marks bit 0x10 (counter + 16)
  // and fires one bullet the way it faces.
  mum->state = 0x100;
  think_charac(mum);
  EXPECT_EQ(mum->state, 0x110);
  EXPECT_EQ(mum->bits, B_RIGHT | B_FIRE);
  move_charac(mum);
  EXPECT_EQ(mum->ammo, 1);
  ASSERT_EQ(n_characs, 3);
  EXPECT_EQ(C[2].kind, K_BULLET);
  EXPECT_GT(C[2].vx, 0);
  think_charac(mum);  // counter 17: below its ammo no more
  EXPECT_EQ(mum->bits & B_FIRE, 0);
  // Not level with the player: no shot.
  mum->state = 0x100;
  mum->y = 100;
  think_charac(mum);
  EXPECT_EQ(mum->bits & B_FIRE, 0);
  EXPECT_EQ(mum->state, 0x100);
  // Out of ammo: no shot either.
  mum->y = 128;
  mum->ammo = 0;
  think_charac(mum);
  EXPECT_EQ(mum->bits & B_FIRE, 0);
}

TEST_F(Objects, MumsShootOnlyWithinTenPixelsOfThePlayersHeight) {
  room();
  player_at(40);
  add_charac(300, 128, 0x302);
  charac *mum = &C[1];
  for (int dy : {-9, 9, -10, 10, 15}) {
    mum->state = 0x100;
    mum->y = 128.0f + dy;
    think_charac(mum);
    EXPECT_EQ(mum->bits & B_FIRE, std::abs(dy) < 10 ? B_FIRE : 0) << "dy " << dy;
  }
}

TEST_F(Objects, AMumStartsItsCounterAtAnyRandomByte) {
  // Made over and over, mums start facing both ways: the counter's top bit
  // (which way it walks) is random too.
  int high = 0, low = 0;
  for (int i = 0; i < 64; i++) {
    n_characs = 0;
    add_charac(10, 20, 0x302);
    EXPECT_EQ(C[0].state & ~0xFF, 0);
    (C[0].state & 0x80 ? high : low)++;
  }
  EXPECT_GT(high, 0);
  EXPECT_GT(low, 0);
}

TEST_F(Objects, AHitProtectsFor76FramesAndHurtingTilesHurtThatOften) {
  std::vector<std::string> rows(11, "#" + std::string(28, ' ') + "#");
  rows[0] = rows[9] = rows[10] = std::string(30, '#');
  rows[8][5] = '^';  // spikes on the floor, where a player's centre is
  make_level(rows);
  charac *p = player_at(5 * 16 + 8);
  p->hp = 4;
  int hits = 0;
  std::vector<int> when;
  for (int f = 0; f < 76 * 3 + 1; f++) {
    int before = p->hp;
    frames(1);
    if (p->hp < before) when.push_back(f);
    hits += before - p->hp;
  }
  ASSERT_EQ(when.size(), 4u);
  EXPECT_EQ(when[1] - when[0], 76);
  EXPECT_EQ(when[2] - when[1], 76);
  EXPECT_EQ(p->hp, 0);
  EXPECT_TRUE(p->state & ST_DEAD);
}

TEST_F(Objects, BulletsFlyOverSpikesArmed) {
  std::vector<std::string> rows(11, "#" + std::string(28, ' ') + "#");
  rows[0] = rows[9] = rows[10] = std::string(30, '#');
  for (int x = 8; x < 14; x++) rows[8][x] = '^';
  make_level(rows);
  charac *p = player_at(60);
  p->ammo = 1;
  p->state |= ST_RIGHT;
  add_charac(20 * 16, 128, K_MUM | 1 << 8);
  C[1].ammo = 0;
  log_to_string();
  hold(KEY_ALTGR);
  frames(1);
  hold(KEY_ALTGR, false);
  frames(40);
  EXPECT_EQ(C[1].hp, 0) << "the bullet crossed the spikes and hit the mum";
  EXPECT_EQ(read_log(), "A 2 got hit. hp=0.\n");
}

TEST_F(Objects, TheLastHitKillsAfterTheBlinking) {
  room();
  player_at(40);
  C[0].hp = 1;
  log_to_string();
  EXPECT_EQ(hurt_charac(&C[0]), 1);
  EXPECT_EQ(hurt_charac(&C[0]), 0);
  EXPECT_TRUE(C[0].state & ST_DEAD);
  int frame = 0, result = 0;
  while (!result && frame < 200) {
    result = frames(1);
    frame++;
  }
  EXPECT_EQ(result, -2);
  EXPECT_EQ(frame, 76);
  EXPECT_EQ(n_characs, 0);
  EXPECT_EQ(read_log(), "A 1 got hit. hp=0.\n");
  // A mum made with 0 hit points only goes to -1.
  add_charac(0, 0, K_MUM);
  hurt_charac(&C[0]);
  EXPECT_EQ(C[0].hp, -1);
  EXPECT_FALSE(C[0].state & ST_DEAD);
}

// A room with a door at column 10 (row 8, where a standing player's centre
// is) and the given exit points.
class Doors : public Objects {
 protected:
  void SetUp() override {
    Objects::SetUp();
    room();
    map.t[10][8] = T_DOOR;
    player_at(10 * 16 + 8);
  }
  int leave() {
    hold(KEY_UP);
    return frames(1);
  }
};

TEST_F(Doors, UpAtADoorLeavesThroughTheNearestExitPoint) {
  add_insertion(10 * 16 + 8 + 25, 128, 14);  // too far: 25 pixels
  add_insertion(10 * 16 + 8 + 5, 128 + 10, 13);
  EXPECT_EQ(frames(3), 0);  // standing at the door without Up: stays
  EXPECT_EQ(leave(), 3);
  EXPECT_EQ(n_characs, 0);
}

TEST_F(Doors, AnExitPointIsInReachUpTo19PixelsAway) {
  add_insertion(10 * 16 + 8 + 9, 128 - 10, 12);  // |dx| + |dy| = 19
  EXPECT_EQ(leave(), 2);
  map.n = 0;
  player_at(10 * 16 + 8);
  add_insertion(10 * 16 + 8 - 10, 128 + 10, 13);  // 20: out of reach
  add_insertion(10 * 16 + 8, 128 - 20, 14);
  EXPECT_EQ(leave(), -1);
}

TEST_F(Doors, ExitNineWinsOnlyWithAllFourItems) {
  add_insertion(10 * 16 + 8, 128, 19);
  bar.treasure[0] = bar.treasure[1] = bar.treasure[2] = 1;
  EXPECT_EQ(leave(), 9);
  player_at(10 * 16 + 8);
  bar.treasure[3] = 1;
  EXPECT_EQ(leave(), -5);
}

TEST_F(Doors, ADoorWithoutAnExitPointOrOnlyExitZero) {
  add_insertion(10 * 16 + 8, 128, 10);
  EXPECT_EQ(leave(), 0);  // exit 0: the result 0 keeps the player
  EXPECT_EQ(n_characs, 1);
  map.n = 0;
  add_insertion(10 * 16 + 8, 128, 22);  // not an exit point
  log_to_string();
  EXPECT_EQ(leave(), -1);
  EXPECT_EQ(read_log(), "Couldn't find an exit point by door.\n");
}

TEST_F(Objects, LaddersAreClimbedUpAndDown) {
  // A ladder from the floor (top at y = 144) up through a hole in a
  // platform (top at y = 64), sticking up one tile above it.
  std::vector<std::string> rows(11, "#" + std::string(28, ' ') + "#");
  rows[0] = rows[9] = rows[10] = std::string(30, '#');
  rows[4] = "#====H" + std::string(23, '=') + "#";
  for (int y = 3; y < 9; y++) rows[y][5] = 'H';
  make_level(rows);
  charac *p = player_at(5 * 16 + 8);
  hold(KEY_UP);
  frames(40);
  EXPECT_EQ(p->state & ST_GROUND, ST_LADDER);
  EXPECT_NEAR(p->y, 128 - 40 * 1.3f, 1.5f);
  frames(30);
  hold(KEY_RIGHT);  // step off at the top
  frames(6);
  hold(KEY_UP, false);
  hold(KEY_RIGHT, false);
  frames(10);
  EXPECT_NEAR(p->y + p->ry, 64, 1);
  EXPECT_GT(p->x, 6 * 16);
  // Over the hole with Down held: down the ladder at 1.5 a frame.
  p->x = 5 * 16 + 8;
  hold(KEY_DOWN);
  frames(3);
  EXPECT_EQ(p->state & ST_GROUND, ST_LADDER);
  EXPECT_FLOAT_EQ(p->vy, 1.5f);
  float y = p->y;
  frames(10);
  EXPECT_NEAR(p->y - y, 15, 0.5f);
  frames(60);
  hold(KEY_DOWN, false);
  frames(10);
  EXPECT_NEAR(p->y + p->ry, 144, 1);
  // Let go half-way: hanging on, not falling.
  hold(KEY_UP);
  frames(20);
  hold(KEY_UP, false);
  y = p->y;
  frames(20);
  EXPECT_FLOAT_EQ(p->y, y);
}

TEST_F(Objects, AHeldJumpDoesNotJumpAgainOnLanding) {
  room();
  charac *p = player_at(100);
  hold(KEY_RCONTROL);
  frames(1);
  EXPECT_LT(p->y, 128);
  float top = p->y;
  for (int f = 0; f < 200; f++) {
    frames(1);
    top = std::min(top, p->y);
  }
  EXPECT_NEAR(p->y, 128, 1);  // landed and stays down while jump is held
  EXPECT_NEAR(128 - top, 70, 2);  // a jump rises some 70 pixels
  hold(KEY_RCONTROL, false);
  frames(1);
  hold(KEY_RCONTROL);
  frames(1);
  EXPECT_LT(p->y, 127);
}

TEST_F(Objects, OneBulletPerFirePressStandingOrWalking) {
  room();
  charac *p = player_at(100);
  p->ammo = 5;
  hold(KEY_ALTGR);
  frames(10);
  EXPECT_EQ(p->ammo, 4);
  hold(KEY_ALTGR, false);
  frames(1);
  hold(KEY_RIGHT);
  hold(KEY_ALTGR);
  frames(10);
  EXPECT_EQ(p->ammo, 3);
  EXPECT_EQ(C[n_characs - 1].kind, K_BULLET);
  EXPECT_GT(C[n_characs - 1].vx, 0);  // the way the player faces
  // Bullets fly until a wall stops them, then go.
  hold(KEY_RIGHT, false);
  hold(KEY_ALTGR, false);
  frames(60);
  EXPECT_EQ(n_characs, 1);
  p->ammo = 0;
  hold(KEY_ALTGR);
  frames(2);
  EXPECT_EQ(n_characs, 1);
}

TEST_F(Objects, PairsActByTheirKinds) {
  log_to_string();
  add_charac(100, 100, K_PLAYER);
  add_charac(105, 100, 0x302);
  two_body(&C[1], &C[0]);  // either order
  EXPECT_EQ(C[0].hp, 4);
  add_charac(100, 110, K_HEALTH);
  add_charac(100, 90, K_AMMO);
  two_body(&C[0], &C[2]);
  two_body(&C[3], &C[0]);
  EXPECT_EQ(C[0].hp, 5);
  EXPECT_EQ(C[0].ammo, 2);
  EXPECT_TRUE(C[2].state & ST_DEAD);
  EXPECT_TRUE(C[3].state & ST_DEAD);
  two_body(&C[0], &C[2]);  // used up: nothing more
  EXPECT_EQ(C[0].hp, 5);
  add_charac(110, 100, K_ITEM | 2 << 8);
  two_body(&C[0], &C[4]);
  EXPECT_EQ(bar.treasure[2], 1);
  // An armed bullet hurts and goes inert; an arming one does nothing.
  add_charac(105, 100, K_BULLET);
  two_body(&C[1], &C[5]);
  EXPECT_EQ(C[1].hp, 3);
  C[5].state &= ~0xFF;
  two_body(&C[1], &C[5]);
  EXPECT_EQ(C[1].hp, 2);
  EXPECT_TRUE(C[5].state & ST_DEAD);
  C[1].state &= ~ST_HURT;
  two_body(&C[1], &C[5]);  // inert now
  EXPECT_EQ(C[1].hp, 2);
  // Boxes that only touch do not overlap.
  add_charac(100 + 7 + 6, 100, K_HEALTH);
  two_body(&C[0], &C[6]);
  EXPECT_FALSE(C[6].state & ST_DEAD);
  read_log();
}

TEST_F(Objects, HealthAndAmmoStopAt127) {
  add_charac(100, 100, K_PLAYER);
  C[0].hp = 127;
  C[0].ammo = 126;
  add_charac(100, 100, K_HEALTH);
  add_charac(100, 100, K_AMMO);
  two_body(&C[0], &C[1]);
  two_body(&C[0], &C[2]);
  EXPECT_EQ(C[0].hp, 127);
  EXPECT_EQ(C[0].ammo, 127);
}

TEST_F(Objects, NothingLeavesTheGrid) {
  // A level with no floor: the player falls to the grid's edge and stops.
  make_level({"  ", "  "});
  for (int i = 0; i < 256; i++) tiles[i].attribute = 0;
  charac *p = player_at(8, 8);
  frames(600);
  EXPECT_LT(p->y + p->ry, 4097);
  EXPECT_GT(p->y, 4000);
  // A bullet fired off the left edge stops there and goes.
  add_charac(10, 100, K_BULLET);
  frames(5);
  EXPECT_EQ(n_characs, 1);
}

TEST_F(Objects, InsertionsFarOffTheLevelPlaceObjectsAtTheLimit) {
  room();
  map.ins[0] = Insertion{2147483647, -2147483647 - 1, 11};
  map.ins[1] = Insertion{-40000, 100, 33};
  map.n = 2;
  ASSERT_TRUE(produce_cast(1));
  EXPECT_EQ(C[0].x, 16384);
  EXPECT_EQ(C[0].y, -16384);
  EXPECT_EQ(C[1].x, -16384);
  level_play p = {0, 0};
  play_frame(p);  // the view and the drawing take the places as they are
  EXPECT_EQ(OX, (16 * 30 - 320) / 2);
  EXPECT_EQ(OY, 0);
}

// Which sprite draw_charac picks: the sprite's colour at the object's
// centre tells it (the test sprites are plain colours 0x40 + number).
int sprite_drawn(charac *c) {
  for (int i = 0; i < 32 * 16; i++) screen_tile[i][0] = screen_tile[i][1] = 0;
  memset(bmMemory() + 0x10000, 0, 0x20000);
  draw_charac(c);
  int v = playfield_pixel((int)c->x, (int)c->y);
  return v ? v - 0x40 : -1;
}

TEST_F(Objects, SpritesShowWhatTheObjectIsDoing) {
  make_level(std::vector<std::string>(20, std::string(30, '.')));
  add_charac(100, 100, K_PLAYER);
  charac *p = &C[0];
  p->state = ST_IDLE;
  EXPECT_EQ(sprite_drawn(p), SPR_PLAYER);
  p->state = ST_WALKING | 8;
  EXPECT_EQ(sprite_drawn(p), SPR_PLAYER_WALK);
  p->state = ST_WALKING | 16;
  EXPECT_EQ(sprite_drawn(p), SPR_PLAYER);
  p->state = ST_LADDER;
  EXPECT_EQ(sprite_drawn(p), SPR_PLAYER_LADDER);
  p->kind = K_MUM;
  EXPECT_EQ(sprite_drawn(p), SPR_MUM_LADDER);
  p->state = ST_WALKING | 8;
  EXPECT_EQ(sprite_drawn(p), SPR_MUM_WALK);
  // Hurt: hidden while counter bit 2 is set; dying: while bit 0 is.
  p->state = ST_IDLE | ST_HURT | 4;
  EXPECT_EQ(sprite_drawn(p), -1);
  p->state = ST_IDLE | ST_HURT | 3;
  EXPECT_EQ(sprite_drawn(p), SPR_MUM);
  p->state = ST_IDLE | ST_HURT | ST_DEAD | 3;
  EXPECT_EQ(sprite_drawn(p), -1);
  p->kind = K_BULLET;
  p->state = 2;
  EXPECT_EQ(sprite_drawn(p), SPR_BULLET);
  p->kind = K_ITEM;
  p->state = 3;
  EXPECT_EQ(sprite_drawn(p), SPR_ITEM);
}

TEST_F(Objects, SpritesFaceLeftAsStoredAndAreMirroredToFaceRight) {
  make_level(std::vector<std::string>(20, std::string(30, '.')));
  bmp *b = new_bmp(32, 32);
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) b->data[y * 32 + x] = (unsigned char)(0x80 + x);
  destroy_bmp(spr[SPR_PLAYER]);
  destroy_bmp(spr[SPR_PLAYER_LADDER]);
  spr[SPR_PLAYER] = b;
  spr[SPR_PLAYER_LADDER] = sub_bmp(b, 0, 0, 32, 32);
  add_charac(100, 100, K_PLAYER);
  auto leftmost = [&] {
    sprite_drawn(&C[0]);
    return playfield_pixel(100 - 16, 100);
  };
  C[0].state = ST_IDLE;
  EXPECT_EQ(leftmost(), 0x80);
  C[0].state = ST_IDLE | ST_RIGHT;
  EXPECT_EQ(leftmost(), 0x80 + 31);
  // On a ladder the picture swaps sides every 8 frames.
  C[0].state = ST_LADDER | 8;
  EXPECT_EQ(leftmost(), 0x80 + 31);
  C[0].state = ST_LADDER | ST_RIGHT | 8;
  EXPECT_EQ(leftmost(), 0x80);
}

}  // namespace
