#include "game_script.h"

namespace vostra::demo {
namespace {

// The page's script as it is served. The event log comes first, so that it
// reports even when the game does not start; the game runs only on a page
// whose body says data-session="1".
constexpr char kScript[] = R"js(
// Vostra: fly a ship under the night sky, catch the falling stars and
// shoot the rocks that fall with them.
(function () {
  'use strict';

  // The event log: every mouse button press and release, double click and
  // context menu on the document, and every Enter and Escape key press,
  // reported to the server in the order they happen. The page id and the
  // sequence number let the server restore that order when two reports
  // overtake each other on the way.
  var pageId = Math.random().toString(36).slice(2, 10) || 'page';
  var sequence = 0;

  function report(type, button, key) {
    var url = '/demo/event?type=' + encodeURIComponent(type) +
        '&button=' + (typeof button === 'number' ? button : '-') +
        '&key=' + encodeURIComponent(key || '-') +
        '&page=' + pageId + '&seq=' + sequence++;
    try {
      if (window.fetch) {
        // keepalive: a report still arrives when the click leaves the page.
        fetch(url, {method: 'POST', keepalive: true, cache: 'no-store'})
            .catch(function () {});
        return;
      }
    } catch (e) {
      // Fall through to the image beacon.
    }
    new Image().src = url;
  }

  ['mousedown', 'mouseup', 'dblclick', 'contextmenu'].forEach(function (type) {
    document.addEventListener(type, function (e) { report(type, e.button, ''); }, true);
  });
  document.addEventListener('keydown', function (e) {
    if (e.key === 'Enter' || e.key === 'Escape') report('keydown', null, e.key);
  }, true);

  // The game.
  var canvas = document.getElementById('game');
  if (!canvas || !canvas.getContext) return;
  var ctx = canvas.getContext('2d');
  var running = document.body.getAttribute('data-session') === '1';

  var BACKGROUND = '#0f1a12';
  // The top-left corner stays bare background, whatever flies through it:
  // screenshots find the page by this colour there.
  var CORNER_W = 200, CORNER_H = 100;
  var SHIP_SIZE = 48, SHIP_SPEED = 440, SHOT_SPEED = 640;

  var shipImage = new Image();
  shipImage.src = '/vstr/static/ship.png';
  var starImage = new Image();
  starImage.src = '/vstr/static/star.png';

  // Faint background stars, placed in fractions of the window so that they
  // follow a resize.
  var sky = [];
  for (var i = 0; i < 150; i++) {
    sky.push({x: Math.random(), y: Math.random(), r: 0.5 + Math.random() * 1.1,
              phase: Math.random() * Math.PI * 2});
  }

  var width = 1, height = 1, clock = 0;
  var ship = {x: 0, y: 0};
  var keys = {};
  var steer = null;  // where the pointer is while the left button is held
  var shots = [], stars = [], rocks = [], sparks = [];
  var score = 0, lives = 3, over = false;
  var starTimer = 0, rockTimer = 0, reload = 0, hurtTime = 0, hintTime = 7;

  function clampShip() {
    var half = SHIP_SIZE / 2, top = height * 0.3, bottom = Math.max(top, height - half - 10);
    ship.x = Math.min(Math.max(ship.x, half), Math.max(half, width - half));
    ship.y = Math.min(Math.max(ship.y, top), bottom);
  }

  // The canvas as large as the window, in device pixels for sharp edges.
  function fit() {
    var ratio = window.devicePixelRatio || 1;
    width = Math.max(1, window.innerWidth);
    height = Math.max(1, window.innerHeight);
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    clampShip();
    draw();
  }

  function reset() {
    ship.x = width / 2;
    ship.y = height - 90;
    shots = []; stars = []; rocks = []; sparks = [];
    score = 0; lives = 3; over = false;
    starTimer = 0.4; rockTimer = 2.5; hurtTime = 0;
    clampShip();
  }

  function fire() {
    if (over || reload > 0) return;
    reload = 0.18;
    shots.push({x: ship.x, y: ship.y - SHIP_SIZE / 2});
  }

  function burst(x, y, colour, count) {
    for (var i = 0; i < count; i++) {
      var angle = Math.random() * Math.PI * 2, speed = 40 + Math.random() * 160;
      sparks.push({x: x, y: y, vx: Math.cos(angle) * speed, vy: Math.sin(angle) * speed,
                   life: 0.4 + Math.random() * 0.5, colour: colour});
    }
  }

  function rockShape(radius) {
    var corners = [], n = 9;
    for (var i = 0; i < n; i++) {
      var r = radius * (0.75 + Math.random() * 0.35), a = i / n * Math.PI * 2;
      corners.push([Math.cos(a) * r, Math.sin(a) * r]);
    }
    return corners;
  }

  function near(ax, ay, bx, by, distance) {
    var dx = ax - bx, dy = ay - by;
    return dx * dx + dy * dy < distance * distance;
  }

  function spawn(dt) {
    var pace = 1 + Math.min(score, 600) / 300;  // a little faster as the score grows
    starTimer -= dt;
    if (starTimer <= 0) {
      starTimer = (0.5 + Math.random() * 0.7) / pace;
      stars.push({x: 30 + Math.random() * Math.max(1, width - 60), y: -20,
                  vy: 80 + Math.random() * 90 * pace, sway: Math.random() * Math.PI * 2,
                  spin: (Math.random() - 0.5) * 3, angle: 0});
    }
    rockTimer -= dt;
    if (rockTimer <= 0) {
      rockTimer = (1.4 + Math.random() * 1.8) / pace;
      var radius = 12 + Math.random() * 12;
      rocks.push({x: radius + Math.random() * Math.max(1, width - 2 * radius), y: -radius,
                  vy: 110 + Math.random() * 100 * pace, r: radius, shape: rockShape(radius),
                  spin: (Math.random() - 0.5) * 2, angle: 0});
    }
  }

  function moveShip(dt) {
    var dx = 0, dy = 0;
    if (keys.arrowleft || keys.a) dx -= 1;
    if (keys.arrowright || keys.d) dx += 1;
    if (keys.arrowup || keys.w) dy -= 1;
    if (keys.arrowdown || keys.s) dy += 1;
    if (dx || dy) {
      var length = Math.sqrt(dx * dx + dy * dy);
      ship.x += dx / length * SHIP_SPEED * dt;
      ship.y += dy / length * SHIP_SPEED * dt;
    } else if (steer) {
      var tx = steer.x - ship.x, ty = steer.y - ship.y, distance = Math.sqrt(tx * tx + ty * ty);
      if (distance > 0.5) {
        var step = Math.min(distance, SHIP_SPEED * dt);
        ship.x += tx / distance * step;
        ship.y += ty / distance * step;
      }
    }
    clampShip();
  }

  function update(dt) {
    clock += dt;
    hintTime = Math.max(0, hintTime - dt);
    hurtTime = Math.max(0, hurtTime - dt);
    reload = Math.max(0, reload - dt);
    sparks = sparks.filter(function (p) {
      p.life -= dt;
      p.x += p.vx * dt;
      p.y += p.vy * dt;
      return p.life > 0;
    });
    if (over) return;

    moveShip(dt);
    if (keys[' ']) fire();
    shots = shots.filter(function (s) {
      s.y -= SHOT_SPEED * dt;
      return s.y > -20;
    });
    stars = stars.filter(function (s) {
      s.y += s.vy * dt;
      s.x += Math.sin(clock * 2 + s.sway) * 24 * dt;
      s.angle += s.spin * dt;
      if (near(s.x, s.y, ship.x, ship.y, 34)) {
        score += 10;
        burst(s.x, s.y, '255, 214, 102', 14);
        return false;
      }
      return s.y < height + 20;
    });
    rocks = rocks.filter(function (r) {
      r.y += r.vy * dt;
      r.angle += r.spin * dt;
      for (var i = 0; i < shots.length; i++) {
        if (near(r.x, r.y, shots[i].x, shots[i].y, r.r + 4)) {
          shots.splice(i, 1);
          score += 5;
          burst(r.x, r.y, '190, 184, 170', 12);
          return false;
        }
      }
      if (hurtTime === 0 && near(r.x, r.y, ship.x, ship.y, r.r + 16)) {
        lives -= 1;
        hurtTime = 1.5;
        burst(ship.x, ship.y, '255, 140, 60', 24);
        if (lives <= 0) over = true;
        return false;
      }
      return r.y < height + r.r;
    });
    spawn(dt);
  }

  function centredText(text, y, size, colour) {
    ctx.font = '600 ' + size + 'px sans-serif';
    ctx.textAlign = 'center';
    ctx.fillStyle = colour;
    ctx.fillText(text, width / 2, y);
  }

  function drawSky() {
    ctx.fillStyle = BACKGROUND;
    ctx.fillRect(0, 0, width, height);
    // A faint green glow along the horizon.
    var glow = ctx.createLinearGradient(0, height * 0.65, 0, height);
    glow.addColorStop(0, 'rgba(40, 96, 62, 0)');
    glow.addColorStop(1, 'rgba(40, 96, 62, 0.35)');
    ctx.fillStyle = glow;
    ctx.fillRect(0, height * 0.65, width, height * 0.35);
    sky.forEach(function (s) {
      ctx.fillStyle = 'rgba(220, 236, 255, ' +
          (0.35 + 0.3 * Math.sin(clock * 1.6 + s.phase)).toFixed(3) + ')';
      ctx.beginPath();
      ctx.arc(s.x * width, s.y * height, s.r, 0, Math.PI * 2);
      ctx.fill();
    });
  }

  function drawPlay() {
    rocks.forEach(function (r) {
      ctx.save();
      ctx.translate(r.x, r.y);
      ctx.rotate(r.angle);
      ctx.beginPath();
      r.shape.forEach(function (c, i) {
        if (i) ctx.lineTo(c[0], c[1]);
        else ctx.moveTo(c[0], c[1]);
      });
      ctx.closePath();
      ctx.fillStyle = '#5d5a54';
      ctx.strokeStyle = '#8f8a7f';
      ctx.lineWidth = 2;
      ctx.fill();
      ctx.stroke();
      ctx.restore();
    });
    stars.forEach(function (s) {
      ctx.save();
      ctx.translate(s.x, s.y);
      ctx.rotate(s.angle);
      if (starImage.complete && starImage.naturalWidth) {
        ctx.drawImage(starImage, -16, -16, 32, 32);
      } else {
        ctx.fillStyle = '#ffd35a';
        ctx.beginPath();
        ctx.arc(0, 0, 9, 0, Math.PI * 2);
        ctx.fill();
      }
      ctx.restore();
    });
    ctx.strokeStyle = '#bff7ff';
    ctx.lineWidth = 3;
    ctx.lineCap = 'round';
    shots.forEach(function (s) {
      ctx.beginPath();
      ctx.moveTo(s.x, s.y);
      ctx.lineTo(s.x, s.y + 12);
      ctx.stroke();
    });
    sparks.forEach(function (p) {
      ctx.fillStyle = 'rgba(' + p.colour + ', ' + Math.min(1, p.life * 2).toFixed(3) + ')';
      ctx.fillRect(p.x - 1.5, p.y - 1.5, 3, 3);
    });
    var blink = hurtTime > 0 && Math.floor(hurtTime * 10) % 2 === 1;
    if (!over && !blink) {
      if (shipImage.complete && shipImage.naturalWidth) {
        ctx.drawImage(shipImage, ship.x - SHIP_SIZE / 2, ship.y - SHIP_SIZE / 2,
                      SHIP_SIZE, SHIP_SIZE);
      } else {
        ctx.fillStyle = '#dbe8fa';
        ctx.beginPath();
        ctx.moveTo(ship.x, ship.y - 22);
        ctx.lineTo(ship.x + 20, ship.y + 18);
        ctx.lineTo(ship.x - 20, ship.y + 18);
        ctx.closePath();
        ctx.fill();
      }
    }
  }

  // Score and lives in the top-right corner, away from the bare top-left.
  function drawScore() {
    ctx.font = '600 24px sans-serif';
    ctx.textAlign = 'right';
    ctx.fillStyle = '#f6e6a0';
    ctx.fillText('\u2605 ' + score, width - 24, 40);
    ctx.font = '16px sans-serif';
    ctx.fillStyle = '#9fd0b0';
    ctx.fillText('\u2665'.repeat(Math.max(0, lives)) || '\u2014', width - 24, 66);
    if (over) {
      centredText('Game over \u2014 ' + score + ' points', height * 0.42, 44, '#f6e6a0');
      centredText('Space or click to fly again', height * 0.42 + 44, 20, '#cfe8d6');
    } else if (hintTime > 0) {
      ctx.globalAlpha = Math.min(1, hintTime);
      centredText('Arrow keys or WASD to fly \u00b7 Space or click to fire \u00b7 catch the stars',
                  height * 0.42, 20, '#cfe8d6');
      ctx.globalAlpha = 1;
    }
  }

  function draw() {
    drawSky();
    if (running) {
      drawPlay();
      drawScore();
    }
    ctx.fillStyle = BACKGROUND;
    ctx.fillRect(0, 0, CORNER_W, CORNER_H);
  }

  var last = 0;
  function frame(now) {
    var dt = last ? Math.min(0.05, (now - last) / 1000) : 0;
    last = now;
    update(dt);
    draw();
    window.requestAnimationFrame(frame);
  }

  window.addEventListener('resize', fit);
  fit();
  if (!running) return;  // no session: the sky only, no game

  var GAME_KEYS = {arrowleft: 1, arrowright: 1, arrowup: 1, arrowdown: 1,
                   a: 1, d: 1, w: 1, s: 1, ' ': 1};
  function keyName(e) { return (e.key || '').toLowerCase(); }
  function pointerAt(e) {
    var box = canvas.getBoundingClientRect();
    return {x: e.clientX - box.left, y: e.clientY - box.top};
  }

  window.addEventListener('keydown', function (e) {
    var k = keyName(e);
    if (!GAME_KEYS[k]) return;
    e.preventDefault();
    if (k === ' ' && !e.repeat) {
      if (over) reset();
      else fire();
    }
    keys[k] = true;
  });
  window.addEventListener('keyup', function (e) { keys[keyName(e)] = false; });
  window.addEventListener('blur', function () { keys = {}; steer = null; });
  canvas.addEventListener('mousedown', function (e) {
    if (e.button !== 0) return;
    e.preventDefault();
    if (over) {
      reset();
      return;
    }
    steer = pointerAt(e);
    fire();
  });
  window.addEventListener('mousemove', function (e) { if (steer) steer = pointerAt(e); });
  window.addEventListener('mouseup', function (e) { if (e.button === 0) steer = null; });

  reset();
  window.requestAnimationFrame(frame);
})();
)js";

}  // namespace

std::string GameScript() { return kScript; }

}  // namespace vostra::demo
