// The web edition in Debian's Chromium (headless, driven by puppeteer-core), served on 127.0.0.1:
// what the page shows and saves must be what `boxtool replay` (built by the same preset) shows
// and saves for the same input.   node browser_test.js [BUILD_DIR]   (BUILD_DIR: build/web)
'use strict';

const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {after, before, describe, test} = require('node:test');
const {launch, serve, waitForRun} = require('./page_driver.js');

const args = process.argv.slice(2);
const build = path.resolve(args.find((a) => !a.startsWith('--')) ||
                           path.join(__dirname, '../../build/web'));
const site = path.join(build, 'site');
const boxtool = path.join(build, 'host/src/app/boxtool');
const out = path.join(build, 'web-test');  // the page's screenshot and the downloads

// The places on the screen whose figures follow the clock (src/base/screen_layout.h): the frame
// rate (kFrameRateX/Y, five digits 8 pixels wide in 48 pixels) and the status line (kStatusY on),
// which shows a message for 60 frames.
const kWidth = 640, kHeight = 480;
const kStatusY = 464, kFrameRateY = 368, kFrameRateWidth = 48;

// ---- the same input for the replay and for the browser

// A step is ['key', 'CTRL+Z'] (a replay key name, modifiers first) or ['left' | 'right', X, Y]
// (a click at a screen pixel).
const kBrowserKeys = {Down: 'ArrowDown', Up: 'ArrowUp', Right: 'ArrowRight', F5: 'F5', F12: 'F12',
                      S: 'KeyS', Z: 'KeyZ', Esc: 'Escape', Tab: 'Tab', Minus: 'Minus', Enter: 'Enter',
                      PageUp: 'PageUp', ...Object.fromEntries([...'0123456789'].map((d) => [d, `Digit${d}`]))};
const kModifierKeys = {CTRL: 'Control', SHIFT: 'Shift', ALT: 'Alt'};

function replayLines(steps) {
  return steps.flatMap(([kind, a, b]) => kind === 'key' ? [`key ${a}`] :
    [`move ${a} ${b}`, `${kind[0]}down ${a} ${b}`, `${kind[0]}up ${a} ${b}`]);
}

// Runs `boxtool replay` in `dir` (a character's folder) on these script lines.
function replay(dir, lines) {
  fs.writeFileSync(path.join(dir, 'script.txt'), lines.join('\n') + '\n');
  execFileSync(boxtool, ['replay', 'script.txt'], {cwd: dir, stdio: ['ignore', 'pipe', 'pipe']});
}

// A copy of the sample character, made as the site's was.
function makeCharacter(dir) {
  execFileSync(boxtool, ['make-sample', dir], {stdio: ['ignore', 'pipe', 'pipe']});
  return dir;
}

async function play(page, steps) {
  for (const [kind, a, b] of steps) {
    if (kind === 'key') {
      const names = a.split('+');
      const key = kBrowserKeys[names.pop()];
      assert.ok(key, `no browser key for ${a}`);
      const modifiers = names.map((m) => kModifierKeys[m]);
      for (const m of modifiers) await page.keyboard.down(m);
      await page.keyboard.press(key);
      for (const m of modifiers.reverse()) await page.keyboard.up(m);
    } else {
      const box = await page.$eval('#screen', (c) => {
        const r = c.getBoundingClientRect();
        return {left: r.left, top: r.top, scale: r.width / c.width};
      });
      // The screen pixel's centre: the browser reports the whole page pixel it falls in.
      await page.mouse.move(box.left + (a + 0.5) * box.scale, box.top + (b + 0.5) * box.scale);
      await page.mouse.down({button: kind});
      await page.mouse.up({button: kind});
    }
  }
}

// Waits until the editor has handled every message the page gave it and shown a frame drawn
// after them.
async function settle(page) {
  await page.waitForFunction(() => boxedit.pendingMessages() === 0, {polling: 10});
  const frames = await page.evaluate(() => boxedit.frames());
  await page.waitForFunction((n) => boxedit.frames() >= n + 2, {polling: 10}, frames);
}

// ---- pixels

// How many pixels of the canvas differ from the replay's PNG shot `file` in the rows and columns
// that `region` names ('all but the clock' or 'status line'); a few of them are named. The page
// decodes the PNG itself, so both sides are read by the same browser.
async function differences(page, file, region) {
  const png = fs.readFileSync(file).toString('base64');
  return page.evaluate(async (png, region, k) => {
    const image = new Image();
    image.src = `data:image/png;base64,${png}`;
    await image.decode();
    const shot = new OffscreenCanvas(k.width, k.height).getContext('2d');
    shot.drawImage(image, 0, 0);
    const want = shot.getImageData(0, 0, k.width, k.height).data;
    const canvas = document.getElementById('screen');
    const got = canvas.getContext('2d').getImageData(0, 0, k.width, k.height).data;
    let count = 0;
    const some = [];
    for (let y = 0; y < k.height; ++y) {
      for (let x = 0; x < k.width; ++x) {
        // The frame rate and the status line follow the clock.
        const clock = y >= k.statusY || (y >= k.rateY && y < k.rateY + 16 && x < k.rateWidth);
        if (region === 'status line' ? y < k.statusY : clock) continue;
        const i = 4 * (y * k.width + x);
        if ([0, 1, 2].every((c) => got[i + c] === want[i + c])) continue;
        if (++count <= 5) some.push(`(${x}, ${y}) page ${got.slice(i, i + 3)} replay ${want.slice(i, i + 3)}`);
      }
    }
    return count === 0 ? '' : `${count} pixels differ, e.g. ${some.join('; ')}`;
  }, png, region, {width: kWidth, height: kHeight, statusY: kStatusY, rateY: kFrameRateY,
                   rateWidth: kFrameRateWidth});
}

function tests() {
  let server, browser, page, work;
  const pageErrors = [];

  before(async () => {
    assert.ok(fs.existsSync(path.join(site, 'index.html')), `no site in ${site}: build the web preset`);
    fs.rmSync(out, {recursive: true, force: true});
    fs.mkdirSync(out, {recursive: true});
    work = fs.mkdtempSync(path.join(os.tmpdir(), 'boxedit-web-'));
    server = await serve(site);
    ({browser, page} = await launch());
    page.on('pageerror', (error) => pageErrors.push(String(error)));
    page.on('console', (m) => {
      if (m.type() === 'error') pageErrors.push(m.text());
    });
    // Seen last, after the page's own listeners, as the browser would act on the key.
    await page.evaluateOnNewDocument(() => {
      window.__keys = [];
      window.addEventListener('keydown', (e) => __keys.push([e.code, e.defaultPrevented]));
    });
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await waitForRun(page);
  });

  after(async () => {
    if (browser) await browser.close();
    if (server) server.close();
    if (work) fs.rmSync(work, {recursive: true, force: true});
  });

  test('after keys and clicks the canvas is the frame boxtool replay shows, and the download its motion2.lst', async () => {
    const steps = [
      ['key', 'Down'], ['key', 'Down'], ['key', 'F12'], ['key', 'F12'], ['key', 'F5'],
      ['left', 200, 150], ['right', 300, 200], ['left', 180, 120], ['key', 'CTRL+Z'],
      // A value typed in every field, attack box 0's corners last; a step and a nudge.
      ...['252', '5', '3', '-2', '46', '4', '30', '1', '-40', '0', '8', '2', '120', '-1', '7', '0101',
          '-20', '90', '40', '60'].flatMap((v) => [['key', 'Tab'],
                                                   ...[...v].map((c) => ['key', c === '-' ? 'Minus' : c])]),
      ['key', 'Enter'], ['key', 'PageUp'], ['key', 'CTRL+Right'],
      // On this page a page pixel's corner lies in the screen pixel before 261 and 222.
      ['right', 261, 222], ['key', 'CTRL+S'],
    ];
    const dir = makeCharacter(path.join(work, 'frame'));
    replay(dir, [...replayLines(steps), 'frame 2', 'shot shot.png']);
    const downloads = path.join(out, 'downloads');
    const session = await browser.target().createCDPSession();
    await session.send('Browser.setDownloadBehavior',
                       {behavior: 'allow', downloadPath: downloads, eventsEnabled: true});
    const done = new Promise((resolve) => session.on('Browser.downloadProgress', (e) => {
      if (e.state !== 'inProgress') resolve(e.state);
    }));
    await play(page, steps);
    await settle(page);
    assert.equal(await differences(page, path.join(dir, 'shot.png'), 'all but the clock'), '');
    // F5 reloads, F12 opens the developer tools and Ctrl+S the save dialog unless prevented.
    const keys = await page.evaluate(() => __keys);
    for (const code of ['F5', 'F12', 'KeyS', 'ArrowDown', 'Tab', 'PageUp']) {
      const seen = keys.filter(([c]) => c === code);
      assert.ok(seen.length > 0 && seen.every(([, p]) => p), `${code}: ${JSON.stringify(seen)}`);
    }
    // Ctrl with minus or plus is left to the browser, which zooms the page.
    const zoomKeys = ['Minus', 'Equal', 'NumpadSubtract', 'NumpadAdd'];
    assert.deepEqual(await page.evaluate((codes) => codes.filter((code) => !document.dispatchEvent(
      new KeyboardEvent('keydown', {code, ctrlKey: true, cancelable: true}))), zoomKeys), []);
    await page.waitForSelector('#download:not([hidden])');
    await page.screenshot({path: path.join(out, 'page.png')});
    await page.click('#download');
    assert.equal(await done, 'completed');
    const saved = fs.readFileSync(path.join(downloads, 'motion2.lst'));
    assert.ok(saved.length > 0 && saved.equals(fs.readFileSync(path.join(dir, 'motion2.lst'))),
              'the downloaded motion2.lst differs from the one boxtool replay saved');
  });

  test('Esc closes the editor, the page says so and starts it again', async () => {
    await play(page, [['key', 'Esc']]);
    await page.waitForFunction(() => !boxedit.running() && !document.getElementById('closed').hidden);
    assert.match(await page.$eval('#closed', (e) => e.innerText), /closed[\s\S]*Start it again/);
    const runs = await page.evaluate(() => boxedit.runs());
    await page.click('#start-again');
    await waitForRun(page, runs);
    assert.equal(await page.$eval('#closed', (e) => e.hidden), true);
  });

  test('a character with a bad line opened from files: its problems are shown and keys still work', async () => {
    const dir = makeCharacter(path.join(work, 'bad'));
    const list = path.join(dir, 'motion.lst');
    const text = fs.readFileSync(list, 'latin1');
    const bad = text.replace(/^ {2}11 {3}-1 {2}5 {3}5 /m, '  11   -1  5   five ');
    assert.notEqual(bad, text);
    fs.writeFileSync(list, bad, 'latin1');
    const files = ['motion.lst', 'chara.bmp', 'pattern.pat'].map((f) => path.join(dir, f));
    replay(dir, ['frame 1', 'shot first.png', 'key Down', 'frame 2', 'shot down.png']);

    // An edit no save has written: the page asks before it opens another character.
    await play(page, [['left', 150, 100]]);
    await settle(page);
    let asked = '';
    page.once('dialog', (dialog) => {
      asked = dialog.message();
      dialog.accept();
    });
    const runs = await page.evaluate(() => boxedit.runs());
    await (await page.$('#open-files')).uploadFile(...files);
    await waitForRun(page, runs);
    assert.match(asked, /changes that no save has written/);

    // The status line shows the start-up's summary for 60 frames: read at once.
    assert.equal(await differences(page, path.join(dir, 'first.png'), 'status line'), '');
    const log = await page.$eval('#log', (e) => e.innerText);
    assert.match(log, /motion\.lst:10: error: 'five' is not a number/);

    await play(page, [['key', 'Down']]);
    await settle(page);
    assert.equal(await differences(page, path.join(dir, 'down.png'), 'all but the clock'), '');
    assert.equal(await page.evaluate(() => boxedit.running()), true);

    // motion.lst alone: the editor names the files that were not opened.
    const again = await page.evaluate(() => boxedit.runs());
    await (await page.$('#open-files')).uploadFile(list);
    await waitForRun(page, again);
    assert.match(await page.$eval('#log', (e) => e.innerText),
        /chara\.bmp and pattern\.pat were not among the files opened: no pictures will show/);
  });

  test('the page raised no error', () => {
    assert.deepEqual(pageErrors, []);
  });
}

describe('the web edition in Chromium', tests);
