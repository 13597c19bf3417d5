// The web edition's figures: the site's size, the time to the first frame, the frame time and
// the browser's processor use, idle and with a motion playing, in Debian's Chromium (headless).
// Build the web preset and install the browser tests' packages first (scripts/web-test does
// both), then:
//
//   node bench/web_figures.js [BUILD_DIR]        (BUILD_DIR: build/web)
'use strict';

const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {launch, serve, waitForRun} = require('../tests/web/page_driver.js');

const build = path.resolve(process.argv[2] || path.join(__dirname, '../build/web'));
const site = path.join(build, 'site');

// Processor ticks (user + system) of a process, from /proc.
function ticks(pid) {
  const stat = fs.readFileSync(`/proc/${pid}/stat`, 'latin1');
  const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
  return Number(fields[11]) + Number(fields[12]);  // utime and stime, fields 14 and 15
}

// The browser's processes: its own and every descendant, with the kind Chromium gives each.
function browserProcesses(rootPid) {
  const parents = new Map();
  for (const name of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${name}/stat`, 'latin1');
      parents.set(Number(name), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch {
      // gone meanwhile
    }
  }
  const found = [rootPid];
  for (let i = 0; i < found.length; ++i) {
    for (const [pid, parent] of parents) {
      if (parent === found[i]) found.push(pid);
    }
  }
  return found.map((pid) => {
    let kind = 'browser';
    try {
      const match = /--type=([a-z-]+)/.exec(fs.readFileSync(`/proc/${pid}/cmdline`, 'latin1'));
      if (match) kind = match[1];
    } catch {
      kind = 'gone';
    }
    return {pid, kind};
  });
}

async function figures() {
  let total = 0, gzipped = 0;
  for (const name of fs.readdirSync(site)) {
    const bytes = fs.readFileSync(path.join(site, name));
    total += bytes.length;
    gzipped += zlib.gzipSync(bytes, {level: 9}).length;
    console.log(`site: ${name} ${bytes.length} bytes, ${zlib.gzipSync(bytes, {level: 9}).length} gzipped`);
  }
  console.log(`site: ${total} bytes, ${gzipped} gzipped (gzip -9 of each file)`);

  const server = await serve(site);
  const {browser, page} = await launch();
  try {
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await waitForRun(page);
    const firstFrame = await page.evaluate(() => boxedit.firstFrameMs());
    console.log(`first frame: ${firstFrame.toFixed(0)} ms after the page began loading`);

    // Left alone, as a person reading the screen would leave it.
    await new Promise((r) => setTimeout(r, 3000));
    const processes = browserProcesses(browser.process().pid);
    const before = processes.map((p) => ticks(p.pid));
    const framesBefore = await page.evaluate(() => boxedit.frames());
    const seconds = 10;
    await new Promise((r) => setTimeout(r, seconds * 1000));
    const after = processes.map((p) => ticks(p.pid));
    const stats = await page.evaluate(() => boxedit.frameStats());
    const frames = (await page.evaluate(() => boxedit.frames())) - framesBefore;
    console.log(`frames: ${frames} in ${seconds} s; over the last ${stats.frames}: one every ` +
                `${stats.meanIntervalMs.toFixed(2)} ms, the editor's work ${stats.meanWorkMs.toFixed(3)} ms ` +
                `a frame on average, ${stats.maxWorkMs.toFixed(3)} ms at most`);
    const hz = Number(execFileSync('getconf', ['CLK_TCK']).toString());
    const share = (t) => (100 * t / hz / seconds).toFixed(2);
    let all = 0;
    processes.forEach((p, i) => {
      const used = after[i] - before[i];
      all += used;
      if (p.kind === 'renderer' || used > 0) console.log(`idle: ${p.kind} ${p.pid} ${share(used)}% of a core`);
    });
    console.log(`idle: the whole browser ${share(all)}% of a core over ${seconds} s`);

    // A motion playing (P): the picture changes with each pattern, and the frames are converted
    // and put on the canvas again.
    await page.keyboard.press('KeyP');
    await new Promise((r) => setTimeout(r, seconds * 1000));
    const playing = await page.evaluate(() => boxedit.frameStats());
    console.log(`playing: over the last ${playing.frames} frames one every ` +
                `${playing.meanIntervalMs.toFixed(2)} ms, the editor's work ` +
                `${playing.meanWorkMs.toFixed(3)} ms a frame on average, ` +
                `${playing.maxWorkMs.toFixed(3)} ms at most`);
  } finally {
    await browser.close();
    server.close();
  }
}

figures().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
