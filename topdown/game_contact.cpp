// game_contact.cpp -- what happens when two characters touch
#include <vector>

#include "game.h"

static const double BOUNCE_FACTOR = 1.5;
static const double BOOST_ITEM = 1.5;
static const double SLOW_ITEM = 0.7;
static const int EJECT_STEPS = 150;
static const int HIT_TURN = 128;

// True when the boxes of a and b overlap with some area.
static inline bool touching(const Charac *a, const Charac *b) {
  fixed dx = a->x.v - b->x.v;
  if (dx < 0) dx = -dx;
  if (dx >= a->rx.v + b->rx.v) return false;
  fixed dy = a->y.v - b->y.v;
  if (dy < 0) dy = -dy;
  return dy < a->ry.v + b->ry.v;
}

// The velocity of q relative to p along the line from p to q, and that
// line's direction. Returns false when there is nothing to bounce: the
// centres coincide within a pixel or the two are not closing.
static bool closing(Charac *p, Charac *q, fix &c, fix &cn, fix &sn) {
  fix dx = q->x - p->x, dy = q->y - p->y;
  fix dvx = q->vx - p->vx, dvy = q->vy - p->vy;
  if (dx * dx + dy * dy < 1) return false;
  fix n = atan2(dy, dx);
  cn = cos(n);
  sn = sin(n);
  c = dvx * cn + dvy * sn;
  return c < 0;
}

// eq_bounce
// Elastic bounce of two equal bodies: their velocities along the line of
// centres are exchanged.
void eq_bounce(Charac *a, Charac *b) {
  fix c, cn, sn;
  if (!closing(a, b, c, cn, sn)) return;
  a->vx += c * cn;
  a->vy += c * sn;
  b->vx -= c * cn;
  b->vy -= c * sn;
}

// uneq_bounce
// The light body bounces off the heavy one, which does not move; it leaves
// at half its closing speed.
void uneq_bounce(Charac *heavy, Charac *light) {
  fix c, cn, sn;
  if (!closing(heavy, light, c, cn, sn)) return;
  fix k = BOUNCE_FACTOR * c;
  light->vx -= k * cn;
  light->vy -= k * sn;
}

// grab
// taker takes item. An access pass stays on the course the first time it
// gives access, and goes when touched by someone who already has access.
void grab(Charac *taker, Charac *item) {
  item->kind = KIND_NONE;
  switch (item->sub) {
    case ITEM_BOOST: taker->boost = taker->boost * BOOST_ITEM; break;
    case ITEM_SLOW: taker->boost = taker->boost * SLOW_ITEM; break;
    case ITEM_ACCESS:
      if (!taker->access) {
        taker->access = true;
        item->kind = KIND_ITEM;
      }
      break;
    case ITEM_AMMO: taker->ammo++; break;
  }
}

// A walker touching a vehicle gets in if both are free, the vehicle is no
// random driver's and the walker is not holding action; it bounces off a
// taken vehicle.
static void board(Charac *w, Charac *v) {
  if (!(w->ctrl & CTRL_ACTION) && !w->link && !v->link && v->sub == 0) {
    w->link = v;
    v->link = w;
  } else if (v->sub != 0 || v->link) {
    uneq_bounce(v, w);
  }
}

// A whirl turns whoever touches it, the faster the more.
static void whirl_turn(Charac *a) {
  int s = USA ? 1 : -1;
  a->angle += s * (a->speed() + 1);
  wrap_angle(a->angle);
}

// An armed shot turns a vehicle about and throws out its driver (or marks
// the empty vehicle), unless the vehicle was hit just before.
static void hit(Charac *shot, Charac *v) {
  if (shot->reload_timer != 0 || v->eject_timer != 0) return;
  Charac *target = v->link ? v->link : v;
  target->eject_timer = EJECT_STEPS;
  v->angle += HIT_TURN;
  wrap_angle(v->angle);
}

// contact_all
// Nothing that happens on contact moves a character or changes its size,
// so which pairs touch is known before the first contact: the boxes are
// gathered once, side by side, and only the pairs that touch go to
// two_body, in the same order as when every pair is tried.
void contact_all() {
  struct Box {
    fixed x, y, rx, ry;
  };
  static std::vector<Box> boxes;
  int n = n_characs;
  boxes.resize(n);
  for (int k = 0; k < n; k++) boxes[k] = Box{C[k].x.v, C[k].y.v, C[k].rx.v, C[k].ry.v};
  for (int i = 0; i < n && i < CONTACT_LIMIT; i++) {
    const Box a = boxes[i];
    for (int j = i + 1; j < n; j++) {
      const Box &b = boxes[j];
      fixed dx = a.x - b.x, dy = a.y - b.y;
      if (dx < 0) dx = -dx;
      if (dy < 0) dy = -dy;
      if (dx < a.rx + b.rx && dy < a.ry + b.ry) two_body(&C[i], &C[j]);
    }
  }
}

// two_body
// Tests one pair and applies what their kinds do on contact.
void two_body(Charac *a, Charac *b) {
  if (!touching(a, b)) return;
  if (a->kind > b->kind) {
    two_body(b, a);
    return;
  }
  switch (10 * a->kind + b->kind - 11) {
    case 0: eq_bounce(a, b); break;  // walker, walker
    case 1: grab(a, b); break;       // walker, item
    case 3: case 4: case 5: board(a, b); break;
    case 6: case 36: case 46: case 56: whirl_turn(a); break;
    case 13: case 14: case 15: grab(b, a); break;  // vehicle takes item
    case 23: case 24: case 25: hit(a, b); break;
    case 33: case 44: case 45: case 55: eq_bounce(a, b); break;
    case 34: case 35: uneq_bounce(b, a); break;  // bike off car or boat
    default: break;
  }
}
