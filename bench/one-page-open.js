// Measures how long the one-page export of a 10,000-record guide takes to open from the disk and
// draw record 1 in headless Chromium: the guide of tests/player/web/browser.test.js is written,
// exported with `dravenloom-cli export --page`, and opened five times from a file:// address;
// each time runs from the click on the launch button to the end of the first draw (decoding the
// embedded guide, reading its lines, laying out and drawing record 1). Prints the median.
//
//   node bench/one-page-open.js [build/bin/dravenloom-cli]
//
// puppeteer-core comes from tests/player/web (npm ci there).
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {execFileSync} = require('node:child_process');

const root = path.resolve(__dirname, '..');
const cli = process.argv[2] || path.join(root, 'build/bin/dravenloom-cli');
const chromium = process.env.DRAVENLOOM_CHROMIUM || '/usr/bin/chromium';
const puppeteer = require(path.join(root, 'tests/player/web/node_modules/puppeteer-core'));

// The same guide as the browser test's: one to three dialogue lines, two to four responses, a
// picture on every fourth record.
function bigGuide(records) {
  let seed = 7;
  const random = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed % n; };
  const words = 'the lamp cord plug socket switch bulb light fuse check again when holder'
    .split(' ');
  const sentence = (n) => Array.from({length: n}, () => words[random(words.length)]).join(' ');
  const lines = [];
  for (let r = 1; r <= records; ++r) {
    const dialogue = Array.from({length: 1 + random(3)}, () => sentence(8 + random(12)))
      .join('\u009a');
    lines.push(r + '\u00a4' + dialogue + '\u00b6' +
               (r % 4 === 0 ? 'bulb.jpg\u00aa100\u00b1250' : '\u00aa\u00b1') + '\u0080no');
    for (let k = 2 + random(3); k > 0; --k)
      lines.push(r + '\u00a4' + sentence(3 + random(8)) + '\u00b6' +
                 (1 + (r + random(40)) % records));
  }
  return Buffer.from(lines.join('\r\n') + '\r\n', 'latin1');
}

async function main() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'dravenloom-one-page-'));
  try {
    fs.writeFileSync(path.join(work, 'big.dvx'), bigGuide(10000));
    fs.copyFileSync(path.join(root, 'examples/bulb.jpg'), path.join(work, 'bulb.jpg'));
    const page = path.join(work, 'big.html');
    const started = process.hrtime.bigint();
    execFileSync(cli, ['export', path.join(work, 'big.dvx'), '--page', page, '--quiet']);
    const exportMs = Number(process.hrtime.bigint() - started) / 1e6;
    const browser = await puppeteer.launch({executablePath: chromium, headless: true,
                                            args: ['--no-sandbox', '--disable-gpu']});
    const times = [];
    for (let run = 0; run < 5; ++run) {
      const tab = await browser.newPage();
      await tab.goto('file://' + page, {waitUntil: 'load'});
      times.push(await tab.evaluate(() => new Promise((resolve) => {
        const start = performance.now();
        document.addEventListener('dravenloom:drawn', () => resolve(performance.now() - start),
                                  {capture: true, once: true});
        document.querySelector('.dravenloom-launch').click();
      })));
      const record = await tab.$eval('.dravenloom-panel', (p) => p.getAttribute('data-record'));
      if (record !== '1')
        throw new Error('record ' + record + ' drawn instead of record 1');
      await tab.close();
    }
    await browser.close();
    const sorted = times.slice().sort((a, b) => a - b);
    console.log(`page ${fs.statSync(page).size} bytes, exported by the command in ` +
                `${exportMs.toFixed(0)} ms; open and draw record 1: median ` +
                `${sorted[2].toFixed(0)} ms (runs ${times.map((t) => t.toFixed(0)).join(', ')} ms)`);
  } finally {
    fs.rmSync(work, {recursive: true, force: true});
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
