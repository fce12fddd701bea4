// game_charac.cpp -- the character record, random drivers and movement
#include <cstdlib>

#include "game.h"
#include "race.h"
#include "share.h"

Charac C[MAX_CHARACS];
int n_characs;

// Half box size by kind (index 1..7).
static const int HALF_SIZE[8] = {0, 7, 9, 5, 12, 22, 20, 20};

// Movement constants (pixels and steps).
static const double BOOST_CEILING = 6;
static const double BOOST_DECAY = 0.999;
static const double BOOST_RECOVERY = 1.0001;
static const double SEAT_PULL = 1.5;
static const double WHIRL_SPIN = 6.4;
static const double GRIP = 0.2;
static const double GRIP_ICE = 0.01;
static const double OFF_DRY = 0.8;
static const double SLOW = 0.5;
static const int RELOAD_STEPS = 75;
static const int SHOT_SPEED = 8;
static const int SHOT_ARMING = 6;

// Characters stay within this many pixels of the course's top-left corner
// on both axes, wherever a course file places them and wherever they drive
// (cells off the course let them pass): a fix holds at most 32767 pixels,
// and the distance between two characters has to fit in one as well. The
// largest course is 8192 pixels wide.
static const int POSITION_LIMIT = 16000;

static int within_limit(int v) {
  return v < -POSITION_LIMIT ? -POSITION_LIMIT : v > POSITION_LIMIT ? POSITION_LIMIT : v;
}

// Brings a character that has gone past the limit back to it, stopping its
// motion on that axis.
static void keep_within_limit(Charac &c) {
  const fix lo(-POSITION_LIMIT), hi(POSITION_LIMIT);
  if (c.x < lo || c.x > hi) {
    c.x = c.x < lo ? lo : hi;
    c.vx = 0;
  }
  if (c.y < lo || c.y > hi) {
    c.y = c.y < lo ? lo : hi;
    c.vy = 0;
  }
}

// Charac
// Every record starts all zero.
Charac::Charac()
    : kind(0), ctrl(0), sub(0), ammo(0), eject_timer(0), reload_timer(0),
      finish_time(0), access(false), finished(false), link(nullptr) {}

// Charac::init
// Makes this record a new character of the given kind at whole pixels
// (x, y), or at the position limit nearest to it. The heading and finish
// time of the record's previous occupant are kept.
void Charac::init(int px, int py, int k) {
  x = within_limit(px);
  y = within_limit(py);
  kind = k & 0xff;
  vx = vy = 0;
  link = nullptr;
  finished = access = false;
  reload_timer = eject_timer = ammo = sub = ctrl = 0;
  boost = 1;
  if (kind >= 1 && kind <= 7) rx = ry = HALF_SIZE[kind];
}

// add_charac
// Appends a character; nothing is added when the table is full.
bool add_charac(int x, int y, int kind) {
  if (n_characs >= MAX_CHARACS) return false;
  C[n_characs].init(x, y, kind);
  n_characs++;
  return true;
}

// Charac::speed
fix Charac::speed() { return sqrt(vx * vx + vy * vy); }

// Charac::max_speed
// Top speed by kind, scaled by boost; it is also the thrust.
fix Charac::max_speed() {
  switch (kind) {
    case KIND_WALKER: return boost * 1.5;
    case KIND_BIKE: return boost * 3;
    case KIND_CAR: return boost * 6;
    case KIND_BOAT: return boost * 5;
    default: return boost;
  }
}

// Charac::seat_x, Charac::seat_y
// Where a vehicle holds its driver: a bike ahead on its axis, a car or boat
// to the driver's side (right in Australia, left in the United States).
fix Charac::seat_x() {
  int s = USA ? -1 : 1;
  switch (kind) {
    case KIND_BIKE: return x + 2 * cos(angle);
    case KIND_CAR: return x + 5 * s * sin(angle);
    case KIND_BOAT: return x + 4 * s * sin(angle);
    default: return x;
  }
}

fix Charac::seat_y() {
  int s = USA ? -1 : 1;
  switch (kind) {
    case KIND_BIKE: return y - 2 * sin(angle);
    case KIND_CAR: return y + 5 * s * cos(angle);
    case KIND_BOAT: return y + 4 * s * cos(angle);
    default: return y;
  }
}

// Charac::think
// A random driver takes a new random control word every 30 steps (from the
// race's own random numbers); it never holds both turn bits.
void Charac::think() {
  if (sub != RANDOM_DRIVER || t2 % 30 != 1) return;
  ctrl = race_rand();
  if ((ctrl & 3) == 3) ctrl &= ~3;
}

// smove
// The pull of a follower onto a moving target on one axis: land on it if
// that is within reach, else accelerate toward it or brake so as not to
// overshoot. The dead bands differ on the two sides.
fix smove(fix d, fix v, fix a) {
  fix ad = d < 0 ? -d : d;
  fix dv = d + v;
  fix adv = dv < 0 ? -dv : dv;
  if (ad <= a && adv <= a) return dv;
  if (d < 0) {
    fix av = v < 0 ? -v : v;
    fix q = v * av + 2 * (d * a);
    if (v < 0 || q < -(6 * a)) return -a;
    if (q > 6 * a) return a;
    return fix();
  }
  fix q = v * v - 2 * (d * a);
  if (v > 0 || q < -(4 * a)) return a;
  if (q > 0) return -a;
  return fix();
}

// cell_attr
// Attribute bits of a cell; cells outside the grid have none.
int cell_attr(int cx, int cy) {
  if ((unsigned)cx >= MAP_SIZE || (unsigned)cy >= MAP_SIZE) return 0;
  return tile_attr[map.t[cx][cy]];
}

// The cell under a character's centre: the nearest integers to x/32, y/32.
static void centre_cell(const Charac &c, int &cx, int &cy) {
  cx = c.x / 32;
  cy = c.y / 32;
}

// True if the cell under the centre is the finish tile.
static bool on_finish(const Charac &c) {
  int cx, cy;
  centre_cell(c, cx, cy);
  if ((unsigned)cx >= MAP_SIZE || (unsigned)cy >= MAP_SIZE) return false;
  return map.t[cx][cy] == FINISH_TILE;
}

static int centre_attr(const Charac &c) {
  int cx, cy;
  centre_cell(c, cx, cy);
  return cell_attr(cx, cy);
}

// The tile bits that stop this character this step.
static int blocking_mask(const Charac &c) {
  if (c.kind == KIND_SHOT || c.kind == KIND_WHIRL) return 0;
  int mask = c.kind == KIND_BOAT ? Dry : NoWalk;
  if (!c.access && !(c.link && c.link->access)) mask |= Restricted;
  return mask;
}

// Turning, thrust toward the heading with limited grip.
static void steer(Charac &c) {
  fix thrust = c.max_speed();
  if (!(c.ctrl & CTRL_UP)) thrust = 0;
  int attr = centre_attr(c);
  fix grip(GRIP);
  if (attr & Ice) grip = fix(GRIP_ICE);
  if (!(attr & Dry)) thrust = thrust * OFF_DRY;
  if (attr & Slow) thrust = thrust * SLOW;
  fix turn(2.0 - 0.15 * c.ammo);
  if (c.ctrl & CTRL_LEFT) c.angle += turn;
  if (c.ctrl & CTRL_RIGHT) c.angle -= turn;
  wrap_angle(c.angle);
  fix dx = thrust * cos(c.angle) - c.vx;
  fix dy = (-thrust) * sin(c.angle) - c.vy;
  fix r = sqrt(dx * dx + dy * dy) / grip;
  if (r > 1) {
    dx /= r;
    dy /= r;
  }
  c.vx += dx;
  c.vy += dy;
}

// Fires a shot along the heading when fire is held, the gun is reloaded and
// there is ammunition (and a free record for the shot).
static void fire(Charac &c) {
  if (!(c.ctrl & CTRL_FIRE) || c.reload_timer != 0 || c.ammo == 0) return;
  if (n_characs >= MAX_CHARACS) return;
  c.ammo--;
  c.reload_timer = RELOAD_STEPS;
  add_charac((int)c.x, (int)c.y, KIND_SHOT);
  Charac &s = C[n_characs - 1];
  s.vx = c.vx + SHOT_SPEED * cos(c.angle);
  s.vy = c.vy - SHOT_SPEED * sin(c.angle);
  s.reload_timer = SHOT_ARMING;
}

static bool blocks(int cx, int cy, int mask) {
  return (cell_attr(cx, cy) & mask) != 0;
}

// Whether a cell of column col from row r0 to r1, or of row `row` from
// column c0 to c1, has a bit of mask.
static bool column_blocks(int col, int r0, int r1, int mask) {
  for (int r = r0; r <= r1; r++)
    if (blocks(col, r, mask)) return true;
  return false;
}

static bool row_blocks(int row, int c0, int c1, int mask) {
  for (int k = c0; k <= c1; k++)
    if (blocks(k, row, mask)) return true;
  return false;
}

// Moves the character by its velocity in sub-steps of under a pixel; before
// each sub-step the cells just outside each edge of the box are tested, and
// a velocity component heading into a blocked side is cancelled.
static void displace(Charac &c, int mask) {
  int n = (int)(sqrt(c.vx * c.vx + c.vy * c.vy) + 1);
  if (n < 1) n = 1;
  bool left = true, right = true, up = true, down = true;
  for (int i = 0; i < n; i++) {
    if (mask) {
      int x0 = (int)(c.x - c.rx), x1 = (int)(c.x + c.rx);
      int y0 = (int)(c.y - c.ry), y1 = (int)(c.y + c.ry);
      int r0 = y0 / 32, r1 = (y1 - 1) / 32;
      int c0 = x0 / 32, c1 = (x1 - 1) / 32;
      if (left && column_blocks((x0 - 1) / 32, r0, r1, mask)) left = false;
      if (right && column_blocks(x1 / 32, r0, r1, mask)) right = false;
      if (up && row_blocks((y0 - 1) / 32, c0, c1, mask)) up = false;
      if (down && row_blocks(y1 / 32, c0, c1, mask)) down = false;
    }
    if (c.vy < 0) {
      if (up) c.y += c.vy / n;
      else c.vy = 0;
    }
    if (c.vy > 0) {
      if (down) c.y += c.vy / n;
      else c.vy = 0;
    }
    if (c.vx < 0) {
      if (left) c.x += c.vx / n;
      else c.vx = 0;
    }
    if (c.vx > 0) {
      if (right) c.x += c.vx / n;
      else c.vx = 0;
    }
  }
}

// Charac::move
// One logic step of this character: finish, boost, timers, driver and
// vehicle, then its own motion through the tiles; before and after, the
// position limit (what moved it in between may have been its vehicle or a
// bounce).
void Charac::move() {
  keep_within_limit(*this);
  if (kind == KIND_WALKER && !finished && on_finish(*this)) {
    if (clap_t == 0 && !silent_logic) midi_out(clapping, sizeof clapping);
    finished = true;
    finish_time = t2;
    clap_t = APPLAUSE_STEPS;
  }

  if (boost > BOOST_CEILING) boost = fix(BOOST_CEILING);
  if (boost > 1) boost = boost * BOOST_DECAY;
  if (boost < 1) boost = boost * BOOST_RECOVERY;

  if (reload_timer != 0) reload_timer--;
  if (eject_timer != 0) eject_timer--;

  if (link) {
    if (kind == KIND_WALKER) {
      // Seated: the vehicle moves us, unless we want out or are thrown out,
      // and never onto ground we could not stand on.
      if (!(ctrl & CTRL_ACTION) && eject_timer == 0) return;
      if (centre_attr(*this) & NoWalk) return;
      link->link = nullptr;
      link->ctrl = CTRL_DOWN;
      link = nullptr;
    } else {
      // A vehicle drives as its driver says and pulls the driver into its
      // seat, from where it is before it moves.
      Charac &d = *link;
      ctrl = d.ctrl;
      d.angle = angle;
      d.vx += smove(seat_x() - d.x, vx - d.vx, fix(SEAT_PULL));
      d.vy += smove(seat_y() - d.y, vy - d.vy, fix(SEAT_PULL));
      d.x += d.vx;
      d.y += d.vy;
    }
  }

  int mask = blocking_mask(*this);
  if (kind == KIND_WHIRL) {
    if (USA) angle += WHIRL_SPIN;
    else angle -= WHIRL_SPIN;
    wrap_angle(angle);
  } else if (kind == KIND_SHOT) {
    if (x < 0 || x > map.w * 32 || y < 0 || y > map.h * 32) kind = KIND_NONE;
    angle = 3 * (t2 & 255) & 255;  // 3 * t2, a whole number of turns less
  } else {
    steer(*this);
    fire(*this);
  }
  displace(*this, mask);
  keep_within_limit(*this);
}
