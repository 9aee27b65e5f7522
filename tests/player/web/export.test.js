// The exports of `dravenloom-cli export` played in a headless Chromium: the folder served as it
// stands by a static HTTP server on 127.0.0.1, and the one page opened from the disk with every
// request to anything but itself refused. Both show the launch button, play the sample guide to
// the record with a picture, and draw that picture.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const {execFileSync} = require('node:child_process');
const {waitForRecord, inked} = require('./site');

const root = path.resolve(__dirname, '../../..');
const cli = process.env.DRAVENLOOM_CLI || path.join(root, 'build/bin/dravenloom-cli');
const chromium = process.env.DRAVENLOOM_CHROMIUM || '/usr/bin/chromium';
const puppeteer = require('puppeteer-core');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'dravenloom-export-'));
// The guide in a folder of its own with its picture beside it, as an author keeps them.
const guides = path.join(work, 'guides');
fs.mkdirSync(guides);
fs.copyFileSync(path.join(root, 'examples/tour.dvx'), path.join(guides, 'tour.dvx'));
fs.copyFileSync(path.join(root, 'examples/bulb.jpg'), path.join(guides, 'bulb.jpg'));
const guide = path.join(guides, 'tour.dvx');
const site = path.join(work, 'site');
const onePage = path.join(work, 'tour one.html');
const look = ['--title', 'Lamp help', '--button', 'Start', '--width', '360', '--height', '420',
              '--image', 'red.gif', '--quiet'];
execFileSync(cli, ['export', guide, '--folder', site, '--image-dir', 'pictures'].concat(look));
execFileSync(cli, ['export', guide, '--page', onePage].concat(look));

// Any static server would do: this one serves files and nothing else.
const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript',
               '.gif': 'image/gif', '.jpg': 'image/jpeg'};
const requested = [];
const server = http.createServer((request, response) => {
  let name = decodeURIComponent(new URL(request.url, 'http://x/').pathname);
  requested.push(name);
  if (name.endsWith('/'))
    name += 'index.html';
  const file = path.join(site, name);
  if (!file.startsWith(site) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404);
    response.end();
    return;
  }
  response.writeHead(200, {'Content-Type': types[path.extname(file)] ||
                                           'application/octet-stream'});
  response.end(fs.readFileSync(file));
});

let browser;
let origin;

test.before(async () => {
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = 'http://127.0.0.1:' + server.address().port;
  browser = await puppeteer.launch({executablePath: chromium, headless: true,
                                    args: ['--no-sandbox', '--disable-gpu']});
});

test.after(async () => {
  if (browser)
    await browser.close();
  server.close();
  fs.rmSync(work, {recursive: true, force: true});
});

// Launches the guide on the open page and walks 1 -> 3 -> 5 -> 6, whose picture is drawn.
async function play(tab) {
  assert.strictEqual(await tab.title(), 'Lamp help');
  assert.strictEqual(await tab.$eval('main h1', (h) => h.textContent), 'Lamp help');
  assert.strictEqual(await tab.$$eval('applet', (a) => a.length), 0);
  assert.strictEqual(await tab.$eval('main .dravenloom-launch', (b) => b.textContent), 'Start');
  await tab.click('.dravenloom-launch');
  await waitForRecord(tab, 1);
  for (const next of [3, 5, 6]) {
    await tab.click('.dravenloom-response');
    await waitForRecord(tab, next);
  }
  await tab.waitForFunction(() => document.querySelector('.dravenloom-status').textContent === '');
  // The 60 x 80 picture of record 6 at (230, 100), and the red button picture.
  assert.ok(await inked(tab, 240, 105, 40, 40) > 300, 'the picture is drawn');
  // The response's row starts at the top left of its 15 x 15 button picture.
  const red = await tab.$eval('.dravenloom-panel canvas', (canvas) => {
    const ratio = window.devicePixelRatio || 1;
    const row = document.querySelector('.dravenloom-response').getBoundingClientRect();
    const box = canvas.getBoundingClientRect();
    const p = canvas.getContext('2d').getImageData((row.x - box.x + 7) * ratio,
                                                   (row.y - box.y + 7) * ratio, 1, 1).data;
    return p[0] > 150 && p[1] < 100 && p[2] < 100;
  });
  assert.ok(red, 'the red button picture is drawn');
}

test('the exported folder plays from a static web server as it is', async () => {
  const tab = await browser.newPage();
  const errors = [];
  tab.on('pageerror', (error) => errors.push(error.message));
  await tab.goto(origin + '/', {waitUntil: 'load'});
  await play(tab);
  assert.ok(requested.includes('/pictures/bulb.jpg'), requested.join(' '));
  assert.ok(requested.includes('/pictures/red.gif'), requested.join(' '));
  assert.deepStrictEqual(errors, []);
  await tab.close();
});

test('the one page plays opened from the disk and asks for nothing outside itself', async () => {
  const tab = await browser.newPage();
  const address = 'file://' + onePage.split(path.sep).map(encodeURIComponent).join('/');
  const refused = [];
  await tab.setRequestInterception(true);
  tab.on('request', (request) => {
    const url = request.url();
    if (url === address || url.startsWith('data:')) {
      request.continue();
    } else {
      refused.push(url);
      request.abort();
    }
  });
  const errors = [];
  tab.on('pageerror', (error) => errors.push(error.message));
  await tab.goto(address, {waitUntil: 'load'});
  await play(tab);
  assert.deepStrictEqual(refused, []);
  assert.deepStrictEqual(errors, []);
  await tab.close();
});
