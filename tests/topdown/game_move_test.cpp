// Characters: the record, random drivers and movement through the tiles.
#include <gtest/gtest.h>

#include "game_helpers.h"

static void moves(Charac &c, int n) {
  for (int i = 0; i < n; i++) c.move();
}

// A fresh 40 x 30 course, its west half (columns 0 to 19) of tile west and
// its east half of tile east.
static void halves(int west, int east) {
  fresh_game();
  paint(0, 0, 19, 29, west);
  paint(20, 0, 39, 29, east);
}

TEST(Smove, LandsAcceleratesBrakesOrCoasts) {
  fix a = F(1.5);
  EXPECT_EQ(smove(F(1), F(0.2), a).v, F(1.2).v);
  EXPECT_EQ(smove(F(10), F(0), a).v, a.v);
  EXPECT_EQ(smove(F(-10), F(0), a).v, (-a).v);
  EXPECT_EQ(smove(F(10), F(-6), a).v, (-a).v);
  EXPECT_EQ(smove(F(10), F(-5), a).v, 0);
  EXPECT_EQ(smove(F(-10), F(5), a).v, 0);
}

TEST(Record, InitSeatsAndTopSpeeds) {
  fresh_game();
  C[0].angle = 77;
  C[0].ammo = 9;
  Charac &car = spawn(100, 200, 0x105);  // only the low 8 bits count
  EXPECT_EQ(car.kind, KIND_CAR);
  EXPECT_EQ(car.angle.v, F(77).v);  // the record's old heading stays
  EXPECT_EQ(car.ammo, 0);
  EXPECT_EQ(car.rx.v, F(22).v);
  car.angle = 0;
  EXPECT_EQ((int)car.seat_y(), 205);  // Australia: on the right
  USA = true;
  EXPECT_EQ((int)car.seat_y(), 195);
  Charac &bike = spawn(100, 200, KIND_BIKE);
  bike.angle = 64;
  EXPECT_EQ((int)bike.seat_y(), 198);
  car.boost = 6;
  EXPECT_EQ(car.max_speed().v, F(36).v);
  // Boost is cut to 6, then drawn toward 1; the two pulls are tested one
  // after the other, so a value just above 1 gets both.
  car.boost = 10;
  car.move();
  EXPECT_EQ(car.boost.v, (F(6) * 0.999).v);
  car.boost = F(1.0005);
  car.move();
  EXPECT_EQ(car.boost.v, (F(1.0005) * 0.999 * 1.0001).v);
  EXPECT_EQ(spawn(0, 0, KIND_WALKER).max_speed().v, F(1.5).v);
  EXPECT_EQ(spawn(0, 0, KIND_BOAT).max_speed().v, F(5).v);
  // A full table adds nothing, so nothing is fired either.
  Charac &w = C[n_characs - 1];
  w.ammo = 3;
  w.ctrl = CTRL_FIRE;
  n_characs = MAX_CHARACS;
  EXPECT_FALSE(add_charac(5, 5, KIND_ITEM));
  w.move();
  EXPECT_EQ(n_characs, MAX_CHARACS);
  EXPECT_EQ(w.ammo, 3);
}

TEST(Think, EveryThirtyStepsAndNeverBothTurns) {
  fresh_game();
  Charac &car = spawn(0, 0, KIND_CAR);
  car.sub = RANDOM_DRIVER;
  int one_turn = 0;
  for (t2 = 0; t2 < 3000; t2++) {
    car.ctrl = -1;
    car.think();
    ASSERT_EQ(car.ctrl != -1, t2 % 30 == 1) << "step " << t2;
    if (car.ctrl != -1) {
      ASSERT_NE(car.ctrl & 3, 3);
      one_turn += (car.ctrl & 3) != 0;
    }
  }
  EXPECT_GT(one_turn, 30);  // a single turn bit is kept
}

TEST(Movement, GripAndIce) {
  fresh_game();
  Charac &car = spawn(200, 200, KIND_CAR);
  car.ctrl = CTRL_UP;
  car.move();
  EXPECT_EQ(car.vx.v, F(0.2).v);
  int steps = 1;
  while (car.vx < F(5.999) && steps < 100) car.move(), steps++;
  EXPECT_EQ(steps, 30);
  car.ctrl = 0;
  car.move();
  EXPECT_NEAR(dbl(car.vx), 5.8, 0.001);  // coasting loses the grip a step

  paint(0, 0, 255, 255, T_ICE);
  Charac &ice = spawn(200, 600, KIND_CAR);
  ice.ctrl = CTRL_UP;
  for (steps = 0; ice.vx < F(5.99) && steps < 2000; steps++) ice.move();
  EXPECT_NEAR(steps, 600, 5);
}

TEST(Movement, ThrustOffDryAndOnSlowGround) {
  halves(T_SHALLOW, T_SAND);
  Charac &wet = spawn(200, 200, KIND_WALKER);
  Charac &sand = spawn(900, 200, KIND_WALKER);
  wet.ctrl = sand.ctrl = CTRL_UP;
  moves(wet, 50);
  moves(sand, 50);
  EXPECT_NEAR(dbl(wet.speed()), 0.6, 0.001);
  EXPECT_NEAR(dbl(sand.speed()), 0.75, 0.001);
}

TEST(Movement, TurnsAndAmmunition) {
  fresh_game();
  Charac &w = spawn(200, 200, KIND_WALKER);
  w.angle = 100;
  w.ctrl = CTRL_LEFT | CTRL_RIGHT;
  w.move();
  EXPECT_EQ(w.angle.v, F(100).v);
  w.ctrl = CTRL_LEFT;
  w.move();
  EXPECT_EQ(w.angle.v, F(102).v);
  w.ammo = 13;
  w.move();
  EXPECT_EQ(w.angle.v, (F(102) + F(0.05)).v);
  w.ammo = 14;  // the rate is negative: left turns right
  w.move();
  EXPECT_EQ(w.angle.v, (F(102.05) - F(0.1)).v);
}

TEST(Movement, FiringCadenceArmingAndTheCourseEdge) {
  fresh_game(10, 10);
  paint(5, 0, 5, 9, T_WALL);
  Charac &w = spawn(100, 100, KIND_WALKER);
  w.ctrl = CTRL_FIRE;
  moves(w, 5);
  EXPECT_EQ(n_characs, 1);  // no ammunition
  w.ammo = 3;
  int fired[4], shots = 0;
  for (int s = 0; s < 300; s++) {
    int before = n_characs;
    for (int i = 0; i < n_characs; i++) C[i].move();
    if (n_characs > before) fired[shots++] = s;
  }
  ASSERT_EQ(shots, 3);
  EXPECT_EQ(fired[1] - fired[0], 75);
  EXPECT_EQ(fired[2] - fired[1], 75);
  // The first shot left at 8 px/step, was armed after 6 steps, went through
  // the wall and was removed past the edge; now it slides to a stop.
  Charac &shot = C[1];
  EXPECT_EQ(shot.kind, KIND_NONE);
  EXPECT_EQ(shot.reload_timer, 0);
  EXPECT_GT(shot.x, F(320));
  EXPECT_EQ(shot.vx.v, 0);
  Charac edge;
  edge.init(320, 320, KIND_SHOT);  // exactly on the edge is inside
  edge.move();
  EXPECT_EQ(edge.kind, KIND_SHOT);

  fresh_game();
  Charac &f = spawn(200, 200, KIND_WALKER);
  f.angle = 64;  // up
  f.ammo = 1;
  f.vy = F(-1);
  f.ctrl = CTRL_FIRE;
  f.move();
  EXPECT_EQ((int)(C[1].vy - f.vy), -8);
  EXPECT_EQ(C[1].reload_timer, 6);
}

TEST(Movement, WallsStopOneComponentAndTheOtherSlides) {
  fresh_game();
  paint(5, 0, 5, 29, T_WALL);
  Charac &w = spawn(6 * 32 + 10, 200, KIND_WALKER);
  w.angle = 160;  // down and to the left
  w.ctrl = CTRL_UP;
  moves(w, 30);
  EXPECT_EQ(w.vx.v, 0);
  EXPECT_GT(w.vy, F(1));
  EXPECT_GE((int)(w.x - w.rx), 6 * 32 - 1);
}

TEST(Movement, BoatsKeepToWaterAndDriversLendAccess) {
  fresh_game();
  paint(0, 0, 9, 29, T_WATER);
  Charac &b = spawn(100, 200, KIND_BOAT);
  b.ctrl = CTRL_UP;
  moves(b, 200);
  EXPECT_EQ((int)(b.x + b.rx), 320);  // stopped at the first Dry column
  Charac &w = spawn(100, 300, KIND_WALKER);
  w.vx = F(1);
  w.move();
  EXPECT_EQ(w.vx.v, 0);  // no walking on deep water

  fresh_game();
  paint(10, 0, 12, 29, T_FENCE);
  Charac &car = spawn(250, 200, KIND_CAR);
  Charac &d = spawn(250, 200, KIND_WALKER);
  seat(d, car);
  d.ctrl = CTRL_UP;
  for (int i = 0; i < 60; i++) d.move(), car.move();
  EXPECT_LE((int)(car.x + car.rx), 320);
  d.access = true;
  for (int i = 0; i < 60; i++) d.move(), car.move();
  EXPECT_GT(car.x, F(420));
  EXPECT_LT(d.x - car.x, F(3));  // carried along in the seat
}

TEST(Movement, GettingOutNeedsGroundToStandOn) {
  halves(T_WATER, T_SHALLOW);
  Charac &w = spawn(300, 200, KIND_WALKER);
  Charac &boat = spawn(300, 200, KIND_BOAT);
  seat(w, boat);
  w.ctrl = CTRL_ACTION | CTRL_UP;
  w.move();
  boat.move();
  EXPECT_EQ(w.link, &boat);
  for (int i = 0; i < 200 && w.link; i++) w.move(), boat.move();
  ASSERT_EQ(w.link, nullptr);
  EXPECT_EQ(boat.link, nullptr);
  EXPECT_EQ(boat.ctrl, CTRL_DOWN);
  EXPECT_GE((int)w.x, 20 * 32 - 16);
  fix v = boat.vx;
  boat.move();
  EXPECT_NEAR(dbl(v - boat.vx), 0.2, 0.001);  // left alone, it slows
}

TEST(Movement, FinishAndApplause) {
  fresh_game();
  paint(10, 5, 10, 5, FINISH_TILE);
  Charac &w = spawn(304, 160, KIND_WALKER);  // nearest cell is (10, 5)
  Charac &off = spawn(302, 160, KIND_WALKER);
  t2 = 123;
  w.move();
  off.move();
  EXPECT_TRUE(w.finished);
  EXPECT_FALSE(off.finished);
  EXPECT_EQ(w.finish_time, 123);
  EXPECT_EQ(clap_t, APPLAUSE_STEPS);
  t2 = 200;
  w.move();
  EXPECT_EQ(w.finish_time, 123);
  clap_t = 5;
  spawn(320, 160, KIND_WALKER).move();
  EXPECT_EQ(clap_t, APPLAUSE_STEPS);
  // Nothing outside the grid is read, and nothing there is a finish.
  EXPECT_EQ(cell_attr(-1, 0) | cell_attr(0, 256), 0);
  map.t[255][0] = FINISH_TILE;
  Charac &far = spawn(8300, -900, KIND_WALKER);
  far.move();
  EXPECT_FALSE(far.finished);
}

TEST(Movement, NoCharacterGoesBeyondSixteenThousandPixels) {
  fresh_game();
  // A course file may place anything anywhere: far places start at the limit.
  Charac &far = spawn(2000000000, -40000, KIND_CAR);
  EXPECT_EQ(far.x.v, F(16000).v);
  EXPECT_EQ(far.y.v, F(-16000).v);
  // Off the course nothing stops a car; the limit does, and the motion
  // that would take it past is gone. Two characters at opposite corners
  // are still a distance a fix can hold apart.
  Charac &car = spawn(15990, 100, KIND_CAR);
  car.angle = 0;
  car.ctrl = CTRL_UP;
  car.vx = 6;
  for (int i = 0; i < 10; i++) car.move();
  EXPECT_EQ(car.x.v, F(16000).v);
  EXPECT_LT(dbl(car.vx), 6.1);
  Charac &other = spawn(-16000, -16000, KIND_CAR);
  two_body(&car, &other);
  EXPECT_GT(dbl(car.x - other.x), 31999);
}
