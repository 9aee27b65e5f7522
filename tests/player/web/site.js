// A published folder for the browser tests: the player, the button pictures and the sample
// guide in a scratch folder, pages written around the element `dravenloom-cli tag --html5`
// makes or by `dravenloom-cli export`, a server on 127.0.0.1 that counts what it sends, and a
// headless Chromium.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const {execFileSync} = require('node:child_process');

const root = path.resolve(__dirname, '../../..');
const cli = process.env.DRAVENLOOM_CLI || path.join(root, 'build/bin/dravenloom-cli');
const chromium = process.env.DRAVENLOOM_CHROMIUM || '/usr/bin/chromium';

let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (error) {
  throw new Error('puppeteer-core is missing: run "npm ci" in tests/player/web ' +
                  '(scripts/install-deps.sh does it)');
}

const types = {'.html': 'text/html', '.js': 'text/javascript', '.gif': 'image/gif',
               '.jpg': 'image/jpeg', '.dvx': 'application/octet-stream'};

class Site {
  constructor() {
    this.folder = fs.mkdtempSync(path.join(os.tmpdir(), 'dravenloom-web-'));
    this.copy(path.join(root, 'examples/tour.dvx'));
    this.copy(path.join(root, 'examples/bulb.jpg'));
    this.copy(path.join(root, 'player/web/dravenloom.js'));
    for (const gif of fs.readdirSync(path.join(root, 'player/buttons')))
      this.copy(path.join(root, 'player/buttons', gif));
    // How often each path was asked for.
    this.requests = new Map();
    // Paths served by a function of their own: (request, response) => void.
    this.routes = new Map();
  }

  copy(from, name) {
    fs.copyFileSync(from, path.join(this.folder, name || path.basename(from)));
  }

  // A guide from its record lines, written as code page 1252 bytes.
  guide(name, lines) {
    fs.writeFileSync(path.join(this.folder, name), Buffer.from(lines.join('\r\n') + '\r\n',
                                                               'latin1'));
    return path.join(this.folder, name);
  }

  // The element (and the line that loads the player) for a guide in the folder.
  element(guide, extra) {
    const out = path.join(this.folder, 'element.html');
    execFileSync(cli, ['tag', path.join(this.folder, guide), '--html5', '--output', out]
      .concat(extra || []));
    return fs.readFileSync(out, 'latin1');
  }

  // The sample guide written by `dravenloom-cli export` with `extra` (`--folder DIR` or
  // `--page FILE.html` and the appearance options), from a folder of its own with its picture
  // beside it, as an author keeps them.
  exportTour(extra) {
    const guides = path.join(this.folder, 'guides');
    fs.mkdirSync(guides, {recursive: true});
    fs.copyFileSync(path.join(root, 'examples/tour.dvx'), path.join(guides, 'tour.dvx'));
    fs.copyFileSync(path.join(root, 'examples/bulb.jpg'), path.join(guides, 'bulb.jpg'));
    execFileSync(cli, ['export', path.join(guides, 'tour.dvx'), '--quiet'].concat(extra));
  }

  // A page as an author publishes it: the language, the character set, a title, the main
  // landmark with the title as its heading, then the elements.
  page(name, title, body) {
    fs.writeFileSync(path.join(this.folder, name),
      '<!DOCTYPE html>\r\n<html lang="en">\r\n<head>\r\n<meta charset="windows-1252">\r\n' +
      '<title>' + title + '</title>\r\n</head>\r\n<body>\r\n<main>\r\n<h1>' + title +
      '</h1>\r\n' + body + '</main>\r\n</body>\r\n</html>\r\n', 'latin1');
  }

  async start() {
    this.server = http.createServer((request, response) => {
      const name = decodeURIComponent(new URL(request.url, 'http://x/').pathname).slice(1);
      this.requests.set(name, (this.requests.get(name) || 0) + 1);
      const route = this.routes.get(name);
      if (route) {
        route(request, response);
        return;
      }
      const file = path.join(this.folder, name);
      if (!file.startsWith(this.folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
        response.writeHead(404);
        response.end('not found');
        return;
      }
      response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'text/plain'});
      response.end(fs.readFileSync(file));
    });
    await new Promise((resolve) => this.server.listen(0, '127.0.0.1', resolve));
    this.origin = 'http://127.0.0.1:' + this.server.address().port;
    this.browser = await puppeteer.launch({executablePath: chromium, headless: true,
                                           args: ['--no-sandbox', '--disable-gpu']});
  }

  async stop() {
    if (this.browser)
      await this.browser.close();
    if (this.server)
      this.server.close();
    fs.rmSync(this.folder, {recursive: true, force: true});
  }

  // A page of the site in a new tab; the tab's `errors` collects the script errors.
  async open(name, viewport) {
    const tab = await this.browser.newPage();
    await tab.setViewport(viewport || {width: 800, height: 600});
    const errors = [];
    tab.on('pageerror', (error) => errors.push(error.message));
    await tab.goto(this.origin + '/' + name, {waitUntil: 'load'});
    tab.errors = errors;
    return tab;
  }
}

// The panel shows record `number` (with its responses, unless it has none).
async function waitForRecord(tab, number, withoutResponses) {
  await tab.waitForFunction((n, none) => {
    const panel = document.querySelector('.dravenloom-panel:not([hidden])');
    return panel && panel.getAttribute('data-record') === String(n) &&
      (none || panel.querySelectorAll('.dravenloom-response').length > 0);
  }, {timeout: 5000}, number, !!withoutResponses);
}

// How many pixels of the canvas region differ from the background.
function inked(tab, x, y, width, height) {
  return tab.$eval('.dravenloom-panel canvas', (canvas, x, y, width, height) => {
    const ratio = window.devicePixelRatio || 1;
    const pixels = canvas.getContext('2d').getImageData(x * ratio, y * ratio, width * ratio,
                                                        height * ratio).data;
    let count = 0;
    for (let i = 0; i < pixels.length; i += 4)
      if (pixels[i] < 250 || pixels[i + 1] < 250 || pixels[i + 2] < 250)
        ++count;
    return count;
  }, x, y, width, height);
}

module.exports = {Site, root, waitForRecord, inked};
