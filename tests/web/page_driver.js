// What the browser tests and the page's figures (bench/web_figures.js) share: a static server of
// the site on a free port of 127.0.0.1, Debian's Chromium started headless by puppeteer-core,
// and the wait for the editor's first frame.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const kTypes = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream',
};

function serve(root) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = path.join(root, path.normalize(name === '/' ? '/index.html' : name));
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
      response.end(data);
    });
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve(server));
  });
}

async function launch() {
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    // CI runs as root, where Chromium's sandbox cannot start.
    args: ['--no-sandbox', '--window-size=1280,800'],
  });
  const [page] = await browser.pages();
  await page.setViewport({width: 1280, height: 800});
  return {browser, page};
}

// Waits for a run started after the first `runsBefore` to show its first frame (the one after
// start-up's black screen).
async function waitForRun(page, runsBefore = 0) {
  await page.waitForFunction(
      (n) => boxedit.runs() > n && boxedit.running() && boxedit.runFrames() >= 2, {polling: 10},
      runsBefore);
}

module.exports = {launch, serve, waitForRun};
