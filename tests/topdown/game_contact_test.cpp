// Contact between characters: boarding, items, shots, whirls and bounces.
#include <gtest/gtest.h>

#include "game_helpers.h"

TEST(Contact, BoardingAndBouncingOffTakenVehicles) {
  fresh_game();
  Charac &w = spawn(100, 100, KIND_WALKER);
  Charac &car = spawn(125, 100, KIND_CAR);
  Charac &bike = spawn(119, 130, KIND_BIKE);  // boxes only meet at an edge
  w.ctrl = CTRL_ACTION;
  two_body(&w, &car);
  EXPECT_EQ(w.link, nullptr);
  w.ctrl = 0;
  two_body(&bike, &w);
  EXPECT_EQ(w.link, nullptr);
  two_body(&car, &w);
  EXPECT_EQ(w.link, &car);
  EXPECT_EQ(car.link, &w);

  Charac &w2 = spawn(300, 100, KIND_WALKER);
  Charac &random = spawn(320, 100, KIND_CAR);
  random.sub = RANDOM_DRIVER;
  w2.vx = F(1);
  two_body(&w2, &random);
  EXPECT_EQ(w2.link, nullptr);
  EXPECT_NEAR(dbl(w2.vx), -0.5, 0.001);  // back at half the closing speed
  EXPECT_EQ(random.vx.v, 0);
  w2.x = F(110);
  w2.vx = F(1);
  two_body(&w2, &car);  // taken by w
  EXPECT_EQ(car.link, &w);
  EXPECT_LT(w2.vx, F(0));
}

TEST(Contact, BoxesMeetingOnlyAtAnEdgeDoNotTouch) {
  // A walker (half size 7) and a bike (12): centres 19 apart on one axis
  // and level on the other put their boxes edge to edge.
  const int edge[][2] = {{19, 0}, {-19, 0}, {0, 19}, {0, -19}};
  for (auto &d : edge) {
    fresh_game();
    Charac &w = spawn(100, 100, KIND_WALKER);
    Charac &bike = spawn(100 + d[0], 100 + d[1], KIND_BIKE);
    two_body(&w, &bike);
    EXPECT_EQ(w.link, nullptr) << d[0] << "," << d[1];
    bike.x = F(100 + d[0] * 18 / 19);  // a pixel closer: the walker gets on
    bike.y = F(100 + d[1] * 18 / 19);
    two_body(&w, &bike);
    EXPECT_EQ(w.link, &bike) << d[0] << "," << d[1];
  }
}

TEST(Contact, ArmedShotsTurnVehiclesAndThrowOutDrivers) {
  fresh_game();
  Charac &car = spawn(100, 100, KIND_CAR);
  Charac &w = spawn(100, 100, KIND_WALKER);
  seat(w, car);
  car.angle = 10;
  Charac &shot = spawn(110, 100, KIND_SHOT);
  shot.reload_timer = 6;
  two_body(&shot, &car);
  EXPECT_EQ(w.eject_timer, 0);  // not armed yet
  shot.reload_timer = 0;
  two_body(&car, &shot);
  EXPECT_EQ(w.eject_timer, 150);
  EXPECT_EQ(car.angle.v, F(138).v);
  w.move();  // thrown out on its next step, without pressing action
  EXPECT_EQ(w.link, nullptr);
  EXPECT_EQ(car.link, nullptr);
  // Empty, the vehicle itself is marked and turned once more (half a turn
  // past a whole one), then left alone while its own timer runs.
  two_body(&shot, &car);
  two_body(&shot, &car);
  EXPECT_EQ(car.eject_timer, 150);
  EXPECT_EQ(car.angle.v, F(10).v);
  // Shots pass walkers, items, whirls and other shots.
  for (int k : {KIND_WALKER, KIND_ITEM, KIND_WHIRL, KIND_SHOT}) {
    Charac &o = spawn(110, 100, k);
    two_body(&shot, &o);
    EXPECT_EQ(o.kind, k);
    EXPECT_EQ(o.angle.v + o.eject_timer, 0);
  }
}

TEST(Contact, ItemsAndTheAccessPassInTwoSteps) {
  fresh_game();
  Charac &w = spawn(100, 100, KIND_WALKER);
  Charac &car = spawn(300, 100, KIND_CAR);
  int subs[] = {ITEM_BOOST, ITEM_AMMO, ITEM_SLOW, 7};
  for (int s : subs) {
    Charac &it = spawn(s == ITEM_BOOST ? 100 : 310, 100, KIND_ITEM);
    it.sub = s;
    s == ITEM_BOOST ? two_body(&it, &w) : two_body(&car, &it);
    EXPECT_EQ(it.kind, KIND_NONE);
  }
  EXPECT_EQ(w.boost.v, F(1.5).v);
  EXPECT_EQ(car.ammo, 1);
  EXPECT_EQ(car.boost.v, F(0.7).v);
  car.move();  // slowed below 1, it recovers by 1.0001 a step
  EXPECT_EQ(car.boost.v, (F(0.7) * 1.0001).v);

  Charac &pass = spawn(105, 100, KIND_ITEM);
  pass.sub = ITEM_ACCESS;
  two_body(&w, &pass);
  EXPECT_TRUE(w.access);
  EXPECT_EQ(pass.kind, KIND_ITEM);  // still there this step
  two_body(&w, &pass);
  EXPECT_EQ(pass.kind, KIND_NONE);

  // Items with items, and removed characters, touch nothing.
  Charac &i1 = spawn(500, 100, KIND_ITEM);
  Charac &i2 = spawn(500, 100, KIND_ITEM);
  i1.sub = i2.sub = ITEM_BOOST;
  two_body(&i1, &i2);
  EXPECT_EQ(i1.kind + i2.kind, 2 * KIND_ITEM);
  i1.kind = KIND_NONE;
  Charac &w2 = spawn(500, 100, KIND_WALKER);
  two_body(&i1, &w2);
  EXPECT_EQ(w2.boost.v, F(1).v);
}

TEST(Contact, WhirlsTurnWhoeverTouchesThem) {
  fresh_game();
  Charac &w = spawn(100, 100, KIND_WALKER);
  Charac &wh = spawn(110, 110, KIND_WHIRL);
  w.angle = 50;
  w.vx = F(3);
  w.vy = F(4);
  two_body(&wh, &w);
  EXPECT_NEAR(dbl(w.angle), 44, 0.001);  // Australia: by speed + 1, clockwise
  EXPECT_EQ(wh.angle.v, 0);
  USA = true;
  Charac &car = spawn(100, 100, KIND_CAR);
  two_body(&car, &wh);
  EXPECT_EQ(car.angle.v, F(1).v);
  wh.move();
  EXPECT_EQ(wh.angle.v, F(6.4).v);
  // Spinning the other way for ten minutes: the angle stays within one turn
  // (sine and cosine repeat every 256) instead of overflowing.
  USA = false;
  for (int i = 0; i < 30000; i++) wh.move();
  long long raw = F(6.4).v - 30000LL * F(6.4).v;
  EXPECT_EQ(wh.angle.v, (int)(raw & 0xFFFFFF));
}

TEST(Contact, EqualBodiesExchangeSpeedsLightOnesBounceAtHalf) {
  fresh_game();
  Charac &a = spawn(100, 100, KIND_WALKER);
  Charac &b = spawn(110, 100, KIND_WALKER);
  a.vx = F(1);
  b.vx = F(-0.5);
  two_body(&a, &b);
  EXPECT_NEAR(dbl(a.vx), -0.5, 0.002);
  EXPECT_NEAR(dbl(b.vx), 1.0, 0.002);
  two_body(&a, &b);  // moving apart: nothing more
  EXPECT_NEAR(dbl(a.vx), -0.5, 0.002);

  Charac &c1 = spawn(300, 300, KIND_CAR);
  Charac &c2 = spawn(300, 340, KIND_BOAT);
  c1.vy = F(2);
  two_body(&c2, &c1);
  EXPECT_NEAR(dbl(c1.vy), 0, 0.002);
  EXPECT_NEAR(dbl(c2.vy), 2, 0.002);

  Charac &car = spawn(500, 300, KIND_CAR);
  Charac &bike = spawn(470, 300, KIND_BIKE);
  bike.vx = F(2);
  two_body(&bike, &car);
  EXPECT_NEAR(dbl(bike.vx), -1, 0.002);
  EXPECT_EQ(car.vx.v, 0);

  Charac &p = spawn(700, 300, KIND_WALKER);  // centres within a pixel
  Charac &q = spawn(700, 300, KIND_WALKER);
  p.vx = F(1);
  two_body(&p, &q);
  EXPECT_EQ(p.vx.v, F(1).v);
}

TEST(Contact, OnlyTheFirstFortyMeetTheRest) {
  fresh_game();
  for (int i = 0; i < 42; i++) spawn(50 + i % 10 * 100, 50 + i / 10 * 100, KIND_ITEM);
  for (int i : {38, 40}) {
    C[i].init(1000, 100 + i * 10, KIND_WALKER);
    C[i + 1].init(1010, 100 + i * 10, KIND_WALKER);
    C[i].vx = F(1);
    C[i + 1].vx = F(-1);
  }
  C[0].init(200, 900, KIND_WALKER);
  logic_step();
  EXPECT_LT(C[38].vx, F(0));  // bounced
  EXPECT_GT(C[40].vx, F(0));  // never offered as a pair
}
