#!/usr/bin/env node
// A friend at the table, played by headless Chromium.
//
//   node tests/web/friend.mjs URL NAME CODE [SHOTS_DIR]
//
// Opens URL (the page the host's table serves), types NAME and CODE, takes the
// seat, answers every question put to it with the first answer, never takes
// the bank, votes for the first name offered, and exits 0 when the game is over.
// Taps are real pointer events at the button's place on screen, so a button
// that is hidden or covered is not "pressed" by the driver either.
//
// Screenshots, each taken once, go to SHOTS_DIR (default ./friend-shots):
// join, lobby, turn, vote, out, duel, lost, over (and closed or timeout on failure).
//
// Environment: CHROMIUM (default /usr/bin/chromium), SIZE (default 390x844, a
// phone; 1280x800 for a laptop), TIMEOUT seconds (default 900).
// Exit codes: 0 the game ended; 1 a failure (refused, closed, timeout, an
// error thrown in the page, the browser gone); 2 bad arguments.
//
// No npm packages: Chromium is driven over its DevTools protocol on a pipe
// (--remote-debugging-pipe: file descriptors 3 and 4, NUL-separated JSON).

import { spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [url, name, code, shotsDir = 'friend-shots'] = process.argv.slice(2);
if (!url || !name || !code) {
  console.error('usage: node friend.mjs URL NAME CODE [SHOTS_DIR]');
  process.exit(2);
}
const [width, height] = (process.env.SIZE || '390x844').split('x').map(Number);
const timeoutMs = Number(process.env.TIMEOUT || 900) * 1000;
const log = (...a) => console.log(`[${name}]`, ...a);

mkdirSync(shotsDir, { recursive: true });
const profile = mkdtempSync(join(tmpdir(), 'friend-'));
const browser = spawn(process.env.CHROMIUM || '/usr/bin/chromium', [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--no-first-run', '--disable-extensions',
  '--remote-debugging-pipe', `--user-data-dir=${profile}`, 'about:blank',
], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

// ---- DevTools protocol over the pipe ----

let nextId = 1;
const pending = new Map();
const listeners = [];
let buffered = '';
browser.stdio[4].on('data', (chunk) => {
  buffered += chunk.toString('utf8');
  let end;
  while ((end = buffered.indexOf('\0')) >= 0) {
    const message = JSON.parse(buffered.slice(0, end));
    buffered = buffered.slice(end + 1);
    if (message.id && pending.has(message.id)) {
      const { resolve, reject } = pending.get(message.id);
      pending.delete(message.id);
      if (message.error) reject(new Error(message.error.message));
      else resolve(message.result);
    } else if (message.method) {
      for (const listener of listeners) listener(message);
    }
  }
});
browser.on('exit', () => finish(1, 'the browser exited'));

function command(method, params = {}, sessionId) {
  const id = nextId++;
  browser.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  return new Promise((resolve, reject) => pending.set(id, { resolve, reject }));
}

let session;
const page = (method, params) => command(method, params, session);

async function evaluate(expression) {
  const { result, exceptionDetails } = await page('Runtime.evaluate', { expression, returnByValue: true });
  if (exceptionDetails) throw new Error(exceptionDetails.text);
  return result.value;
}

// ---- What the driver sees and does ----

const taken = new Set();
async function shot(moment) {
  if (taken.has(moment)) return;
  taken.add(moment);
  await new Promise((r) => setTimeout(r, 150)); // let the last redraw land
  const { data } = await page('Page.captureScreenshot', { format: 'png' });
  writeFileSync(join(shotsDir, `${moment}.png`), Buffer.from(data, 'base64'));
  log('screenshot', moment);
}

// A real tap in the middle of the element, if it is on screen and enabled.
async function tap(selector) {
  const box = await evaluate(`(() => {
    const e = document.querySelector(${JSON.stringify(selector)});
    if (!e || e.disabled || e.closest('[hidden]')) return null;
    e.scrollIntoView({ block: 'center' });
    const r = e.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2, text: e.textContent };
  })()`);
  if (!box) return null;
  for (const type of ['mousePressed', 'mouseReleased']) {
    await page('Input.dispatchMouseEvent', { type, x: box.x, y: box.y, button: 'left', clickCount: 1 });
  }
  return box.text;
}

async function type(selector, text) {
  await evaluate(`(() => { const e = document.querySelector(${JSON.stringify(selector)}); e.focus(); e.select(); })()`);
  await page('Input.insertText', { text });
}

const STATUS = `(() => {
  const b = document.body.dataset;
  const shown = (id) => !document.getElementById(id).hidden;
  return { screen: b.screen, turn: b.turn, vote: b.vote, out: b.out, duel: b.duel,
           lost: shown('lost'), notice: shown('notice') ? document.getElementById('notice').textContent : '' };
})()`;

let errors = 0;
let finished = false;
async function finish(code, why) {
  if (finished) return;
  finished = true;
  if (errors) { code = 1; why += `; ${errors} error(s) thrown in the page`; }
  log(code === 0 ? 'done:' : 'FAILED:', why);
  process.exitCode = code;
  browser.removeAllListeners('exit');
  if (browser.exitCode === null) {
    const gone = new Promise((r) => browser.once('exit', r));
    browser.kill();
    await Promise.race([gone, new Promise((r) => setTimeout(r, 3000))]);
  }
  try { rmSync(profile, { recursive: true, force: true }); } catch { /* left in the temp dir */ }
  process.exit(code);
}

async function play() {
  const { targetId } = await command('Target.createTarget', { url: 'about:blank' });
  ({ sessionId: session } = await command('Target.attachToTarget', { targetId, flatten: true }));
  listeners.push((m) => {
    if (m.sessionId !== session) return;
    if (m.method === 'Runtime.exceptionThrown') {
      errors++;
      log('page error:', m.params.exceptionDetails.exception?.description || m.params.exceptionDetails.text);
    } else if (m.method === 'Log.entryAdded' && m.params.entry.level === 'error') {
      log('console:', m.params.entry.text); // CSP violations and failed loads land here
    }
  });
  await page('Runtime.enable');
  await page('Log.enable');
  await page('Page.enable');
  await page('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: width < 760 });
  await page('Page.navigate', { url });

  const deadline = Date.now() + timeoutMs;
  let joinedAt = 0;
  let lastNotice = '';
  while (Date.now() < deadline) {
    await new Promise((r) => setTimeout(r, 250));
    let s;
    try { s = await evaluate(STATUS); } catch { continue; } // still loading
    if (s.notice && s.notice !== lastNotice) log('notice:', s.notice);
    lastNotice = s.notice;
    if (s.lost) await shot('lost');

    if (s.screen === 'join') {
      if (joinedAt && s.notice) return finish(1, `refused: ${s.notice}`);
      if (!joinedAt) {
        await type('#name', name);
        await type('#code', code);
        await shot('join');
        if (await tap('#joinButton')) joinedAt = Date.now();
      }
    } else if (s.screen === 'lobby') {
      await shot('lobby');
    } else if (s.screen === 'game') {
      if (s.duel === 'yes') await shot('duel');
      if (s.out === 'yes') await shot('out');
      if (s.turn === 'yes') {
        await shot('turn');
        const picked = await tap('#answer0');
        if (picked !== null) log('answered:', picked);
      }
      if (s.vote === 'open') {
        await shot('vote');
        const picked = await tap('#candidates .candidate');
        if (picked !== null) log('voted for:', picked);
      }
    } else if (s.screen === 'over') {
      await shot('over');
      return finish(0, 'the game is over');
    } else if (s.screen === 'closed') {
      await shot('closed');
      return finish(1, 'the table was closed before the game ended');
    }
  }
  await shot('timeout');
  return finish(1, 'timed out');
}

play().catch((e) => finish(1, e.message));
