// The web player as readers meet it, in a headless Chromium: the launch button's caption, the
// response rows, the panel's title bar over a tall record, the keyboard inside the panel and
// what a screen reader is given, the loading progress and one fetch per page, a response to a
// record the guide lacks, image directories that are no folder, and axe-core's checks of the
// sample guide as `dravenloom-cli export` writes it: the folder served from 127.0.0.1 with the
// panel closed, on a record and with About open, and the one page opened from the disk.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const {Site, root, waitForRecord} = require('./site');

const shots = process.env.DRAVENLOOM_SCREENSHOT ?
  path.dirname(process.env.DRAVENLOOM_SCREENSHOT) : path.join(root, 'screenshots');
const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

const site = new Site();

site.page('tour.html', 'Lamp help',
          site.element('tour.dvx', ['--title', 'Lamp help', '--button', 'Start']));
site.page('plain.html', 'Lamp help', site.element('tour.dvx'));
site.page('long.html', 'Lamp help', site.element('tour.dvx',
  ['--title', 'Lamp help', '--button', 'Find out why the desk lamp does not light']));

// The sample guide exported with the same appearance: a folder served from 127.0.0.1, and one
// page opened from the disk.
const look = ['--title', 'Lamp help', '--button', 'Start'];
site.exportTour(['--folder', path.join(site.folder, 'exported')].concat(look));
const onePage = path.join(site.folder, 'tour one.html');
site.exportTour(['--page', onePage].concat(look));

// A record far taller than its panel, then a short one.
site.guide('tall.dvx', [
  '1\u00a4' + Array.from({length: 40}, (_, i) => 'Line ' + (i + 1) + ' of a long story.')
    .join('\u009a') + '\u00b6\u00aa\u00b1\u0080no',
  '1\u00a4Go on\u00b62',
  '2\u00a4Short.\u00b6\u00aa\u00b1\u0080no',
  '2\u00a4Back to the start\u00b61',
]);
site.page('tall.html', 'Tall', site.element('tall.dvx', ['--height', '200']));

// A response to a record the guide has not got, one that works, and a link that must not
// open.
site.guide('gap.dvx', [
  '1\u00a4Where now?\u00b6\u00aa\u00b1\u0080no',
  '1\u00a4Nowhere\u00b69',
  '1\u00a4Onwards\u00b62',
  '1\u00a4Danger [url:javascript:alert(1).x]\u00b6',
  '2\u00a4Arrived.\u00b6\u00aa\u00b1\u0080no',
]);
site.page('gap.html', 'Gap', site.element('gap.dvx'));

// A picture on record 1, in image directories that are no folder.
site.guide('pictured.dvx', [
  '1\u00a4A bulb.\u00b6C:\\pics\\bulb.jpg\u00aa150\u00b110\u0080no',
  '1\u00a4Next\u00b62',
  '2\u00a4Done.\u00b6\u00aa\u00b1\u0080no',
]);
const NoFolders = ['javascript:alert(1)', 'data:text/plain,x', 'about:blank',
                   'mailto:help@example.com', 'JavaScript:void(0)/'];
NoFolders.forEach((dir, i) => site.page('nofolder' + i + '.html', 'Pictures',
  site.element('pictured.dvx', ['--image-dir', dir])));

// The 2.4 MB guide sent slowly, with its size and without, and two players of it on a page.
function bigGuide(records) {
  const lines = [];
  for (let r = 1; r <= records; ++r) {
    lines.push(r + '\u00a4Record ' + r + ' says what to look at next, in a few more words ' +
               'than needed.\u00b6\u00aa\u00b1\u0080no');
    lines.push(r + '\u00a4Next\u00b6' + (r % records + 1));
  }
  return Buffer.from(lines.join('\r\n') + '\r\n', 'latin1');
}
const big = bigGuide(20000);
fs.writeFileSync(path.join(site.folder, 'big.dvx'), big);
function slowly(withSize) {
  return (request, response) => {
    const head = {'Content-Type': 'application/octet-stream'};
    if (withSize)
      head['Content-Length'] = String(big.length);
    response.writeHead(200, head);
    const piece = Math.ceil(big.length / 20);
    let at = 0;
    const next = () => {
      if (at >= big.length) {
        response.end();
        return;
      }
      response.write(big.subarray(at, at + piece));
      at += piece;
      setTimeout(next, 60);
    };
    next();
  };
}
site.routes.set('sized/big.dvx', slowly(true));
site.routes.set('unsized/big.dvx', slowly(false));
for (const kind of ['sized', 'unsized']) {
  const element = site.element('big.dvx', ['--title', 'Big ' + kind])
    .replace('<APPLET ', '<APPLET CODEBASE="' + kind + '" ');
  site.page(kind + '.html', 'Big', element + element.replace('Big ' + kind, 'Again'));
}

test.before(() => site.start());
test.after(() => site.stop());

const status = (tab) => tab.$eval('.dravenloom-status', (s) => s.textContent);
const record = (tab) => tab.$eval('.dravenloom-panel', (p) => p.getAttribute('data-record'));
const focused = (tab) => tab.evaluate(() => {
  const node = document.activeElement;
  return node.getAttribute('aria-label') || node.textContent;
});
const clickBar = (tab, caption) => tab.evaluate((caption) =>
  [...document.querySelectorAll('.dravenloom-panel:not([hidden]) .dravenloom-bar button')]
    .find((b) => b.textContent === caption).click(), caption);

test('the launch button reads "Dravenloom" without a caption and grows with a long one',
     async () => {
  const cases = [['plain.html', 'Dravenloom'],
                 ['tour.html', 'Start'],
                 ['long.html', 'Find out why the desk lamp does not light']];
  for (const [name, caption] of cases) {
    const tab = await site.open(name);
    const launch = await tab.$eval('.dravenloom-launch', (b) => {
      const box = b.getBoundingClientRect();
      return {text: b.textContent, width: box.width, height: box.height,
              clipped: b.scrollWidth > b.clientWidth || b.scrollHeight > b.clientHeight,
              name: b.getAttribute('aria-label')};
    });
    assert.strictEqual(launch.text, caption, name);
    assert.strictEqual(launch.name, null, 'the caption names the button');
    assert.ok(launch.width >= 75 && launch.height === 50, `${name}: ${JSON.stringify(launch)}`);
    assert.ok(!launch.clipped, `${name}: the caption fits`);
    if (name === 'long.html') {
      assert.ok(launch.width > 200, `${name}: ${launch.width}`);
      fs.mkdirSync(shots, {recursive: true});
      await tab.screenshot({path: path.join(shots, 'player-web-launch.png'),
                            clip: {x: 0, y: 0, width: 420, height: 140}});
    }
    await tab.close();
  }
});

test('the whole response row follows its response, shows the hand and draws nothing',
     async () => {
  const tab = await site.open('tour.html');
  await tab.click('.dravenloom-launch');
  await waitForRecord(tab, 1);
  const rows = await tab.$$eval('.dravenloom-response', (nodes) => nodes.map((n) => {
    const box = n.getBoundingClientRect();
    return {x: box.x, y: box.y, width: box.width, height: box.height};
  }));
  const canvas = await tab.$eval('.dravenloom-panel canvas', (c) => {
    const box = c.getBoundingClientRect();
    return {x: box.x, y: box.y};
  });
  // The first response's row starts at its picture, at x = 5, and holds the text beside it.
  assert.strictEqual(rows[0].x - canvas.x, 5);
  const picture = await tab.$eval('.dravenloom-panel canvas', (canvas, y) => {
    const ratio = window.devicePixelRatio || 1;
    return [...canvas.getContext('2d').getImageData(12 * ratio, (y + 7) * ratio, 1, 1).data];
  }, rows[0].y - canvas.y);
  assert.notDeepStrictEqual(picture.slice(0, 3), [255, 255, 255], 'the picture is there');
  assert.ok(rows[0].width > 150 && rows[0].height >= 15, JSON.stringify(rows[0]));
  assert.ok(rows[0].y + rows[0].height <= rows[1].y, 'the rows do not overlap');

  // The hand over the picture and over the text; the default pointer between the rows.
  const cursor = (x, y) => tab.evaluate((x, y) =>
    getComputedStyle(document.elementFromPoint(x, y)).cursor, x, y);
  assert.strictEqual(await cursor(rows[0].x + 7, rows[0].y + 7), 'pointer');
  assert.strictEqual(await cursor(rows[0].x + rows[0].width - 5, rows[0].y + 7), 'pointer');
  assert.strictEqual(await cursor(rows[0].x + 50, rows[0].y + rows[0].height + 3), 'auto');

  // The response buttons add nothing to what is drawn: the view looks the same without them.
  await tab.focus('.dravenloom-panel');
  const view = await tab.$('.dravenloom-view');
  const drawn = await view.screenshot();
  await tab.$eval('.dravenloom-screen', (s) => { s.style.display = 'none'; });
  assert.ok(drawn.equals(await view.screenshot()), 'the rows draw nothing over the canvas');
  await tab.$eval('.dravenloom-screen', (s) => { s.style.display = ''; });

  // A click on the end of the second response's text follows it (record 1 -> 2).
  await tab.mouse.click(rows[1].x + rows[1].width - 3, rows[1].y + rows[1].height / 2);
  await waitForRecord(tab, 2);
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('the title bar keeps its height over a record taller than the panel', async () => {
  const tab = await site.open('tall.html');
  await tab.click('.dravenloom-launch');
  await waitForRecord(tab, 1);
  const heights = () => tab.evaluate(() => {
    const title = document.querySelector('.dravenloom-title');
    const view = document.querySelector('.dravenloom-view');
    return {title: title.getBoundingClientRect().height, natural: title.scrollHeight,
            bar: document.querySelector('.dravenloom-bar').getBoundingClientRect().height,
            scrolls: view.scrollHeight > view.clientHeight};
  });
  const tall = await heights();
  assert.ok(tall.scrolls, 'the record scrolls in its view');
  assert.ok(tall.title >= 15 && tall.title === tall.natural, JSON.stringify(tall));
  await tab.keyboard.press('Enter');
  await waitForRecord(tab, 2);
  const short = await heights();
  assert.ok(!short.scrolls);
  assert.deepStrictEqual([tall.title, tall.bar], [short.title, short.bar]);
  await tab.close();
});

test('the keyboard stays inside the open panel; a screen reader meets the dialogue first',
     async () => {
  const tab = await site.open('tour.html');
  await tab.click('.dravenloom-launch');
  await waitForRecord(tab, 1);
  // Opening puts the focus on the first response.
  assert.strictEqual(await focused(tab), 'Yes, the plug is in the wall socket.');
  // Tab goes round the panel: the second response, the four buttons, the first response again;
  // Shift+Tab goes back.
  const round = [];
  for (let i = 0; i < 6; ++i) {
    await tab.keyboard.press('Tab');
    round.push(await focused(tab));
  }
  assert.deepStrictEqual(round, ['No, it is not plugged in.', 'Restart', 'Back', 'Close',
                                 'About...', 'Yes, the plug is in the wall socket.']);
  await tab.keyboard.down('Shift');
  await tab.keyboard.press('Tab');
  await tab.keyboard.up('Shift');
  assert.strictEqual(await focused(tab), 'About...');
  // From the page outside, Tab comes back into the panel.
  await tab.click('h1');
  await tab.keyboard.press('Tab');
  assert.strictEqual(await focused(tab), 'Restart');
  // With About open, Tab stays on its button.
  await clickBar(tab, 'About...');
  await tab.keyboard.press('Tab');
  await tab.keyboard.press('Tab');
  assert.strictEqual(await focused(tab), 'OK');
  await tab.keyboard.press('Escape');
  assert.strictEqual(await focused(tab), 'About...');

  // What assistive technology is given for record 6: the dialogue, then the responses, the
  // link saying that it opens a new tab.
  for (const n of [3, 5, 6]) {
    await tab.focus('.dravenloom-response');
    await tab.keyboard.press('Enter');
    await waitForRecord(tab, n);
  }
  const panel = await tab.accessibility.snapshot({root: await tab.$('.dravenloom-panel')});
  const spoken = panel.children.map((node) => node.role + ': ' +
    (node.name || node.children.map((child) => child.name).join(' ')));
  assert.deepStrictEqual(spoken.slice(0, 5), ['StaticText: Lamp help', 'button: Restart',
                                              'button: Back', 'button: Close', 'button: About...']);
  assert.match(spoken[5], /^paragraph: The bulb has burnt out\.\nFit a new bulb/);
  assert.deepStrictEqual(spoken.slice(6), ['button: The new bulb lights.',
    'button: The new bulb does not light either.',
    'button: Order a new bulb (opens in a new tab)']);
  // The responses are a group named by the dialogue, which a screen reader says on entering.
  const screen = await tab.accessibility.snapshot({root: await tab.$('.dravenloom-screen'),
                                                   interestingOnly: false});
  assert.strictEqual(screen.role, 'group');
  assert.match(screen.name, /^The bulb has burnt out\. Fit a new bulb/);
  // After Close, Tab belongs to the page again.
  await tab.keyboard.press('Escape');
  await tab.keyboard.press('Tab');
  assert.notStrictEqual(await tab.evaluate(() =>
    !!document.activeElement.closest('.dravenloom-panel')), true);
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('a big guide shows its progress and is fetched once per page', async () => {
  for (const [kind, shows] of [['sized', /^\d+%$/], ['unsized', /^\d+ KB$/]]) {
    const tab = await site.open(kind + '.html');
    const launches = await tab.$$('.dravenloom-launch');
    const seen = new Set();
    await tab.exposeFunction('seeProgress', (text) => seen.add(text));
    await tab.evaluate(() => {
      new MutationObserver(() => {
        const progress = document.querySelector('.dravenloom-progress');
        if (progress && !progress.hidden)
          window.seeProgress(progress.textContent);
      }).observe(document.body, {subtree: true, childList: true, characterData: true,
                                 attributes: true});
    });
    await launches[0].click();
    await waitForRecord(tab, 1);
    assert.strictEqual(await tab.$eval('.dravenloom-progress', (p) => p.hidden), true);
    const shown = [...seen].filter((text) => text !== '');
    assert.ok(shown.length >= 5 && shown.every((text) => shows.test(text)),
              `${kind}: ${shown.join(', ')}`);
    if (kind === 'sized')
      assert.ok(shown.some((text) => parseInt(text, 10) > 0 && parseInt(text, 10) < 100),
                shown.join(', '));
    // The other player of the same guide, and this one again, fetch nothing more.
    await tab.keyboard.press('Escape');
    await launches[1].click();
    await tab.waitForFunction(() => document.querySelectorAll(
      '.dravenloom-panel:not([hidden]) .dravenloom-response').length > 0, {timeout: 5000});
    await tab.keyboard.press('Escape');
    await launches[0].click();
    await waitForRecord(tab, 1);
    assert.strictEqual(site.requests.get(kind + '/big.dvx'), 1, kind);
    assert.deepStrictEqual(tab.errors, []);
    await tab.close();
  }
});

test('a response that cannot be followed says why and the screen stays live', async () => {
  const tab = await site.open('gap.html');
  await tab.click('.dravenloom-launch');
  await waitForRecord(tab, 1);
  await tab.keyboard.press('Enter');
  await tab.waitForFunction(() =>
    document.querySelector('.dravenloom-status').textContent !== '', {timeout: 5000});
  assert.strictEqual(await status(tab),
                     'the response "Nowhere" leads to record 9, which is not in this guide');
  assert.strictEqual(await record(tab), '1');
  // A link to something other than a web or mail address does not claim to open a tab, and
  // says why it does not.
  assert.strictEqual(await tab.$$eval('.dravenloom-response',
                                      (nodes) => nodes[2].getAttribute('aria-label')), 'Danger');
  await tab.evaluate(() => document.querySelectorAll('.dravenloom-response')[2].click());
  assert.strictEqual(await status(tab), 'the response "Danger" links to ' +
                     '"javascript:alert(1).x", which is not a web or mail address');
  // Nothing went onto the history, and the other response still works.
  await clickBar(tab, 'Back');
  await tab.evaluate(() => document.querySelectorAll('.dravenloom-response')[1].click());
  await waitForRecord(tab, 2, true);
  assert.strictEqual(await status(tab), '');
  await clickBar(tab, 'Back');
  await waitForRecord(tab, 1);
  await clickBar(tab, 'Back');
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.strictEqual(await record(tab), '1');
  await tab.close();
});

test('an image directory that is no folder shows the guide without its pictures', async () => {
  for (let i = 0; i < NoFolders.length; ++i) {
    const tab = await site.open('nofolder' + i + '.html');
    await tab.click('.dravenloom-launch');
    await waitForRecord(tab, 1);
    assert.strictEqual(await status(tab), 'cannot load picture bulb.jpg', NoFolders[i]);
    // The stand-in button is drawn, and the guide is walked on.
    const grey = await tab.$eval('.dravenloom-panel canvas', (canvas) => {
      const ratio = window.devicePixelRatio || 1;
      const pixel = canvas.getContext('2d').getImageData(10 * ratio, 45 * ratio, 1, 1).data;
      return [pixel[0], pixel[1], pixel[2]];
    });
    assert.deepStrictEqual(grey, [0xC0, 0xC0, 0xC0], NoFolders[i]);
    await tab.keyboard.press('Enter');
    await waitForRecord(tab, 2, true);
    assert.deepStrictEqual(tab.errors, [], NoFolders[i]);
    await tab.close();
  }
});

// What axe-core finds on the tab as it stands, described by `when`.
async function checkWithAxe(tab, when) {
  if (!(await tab.evaluate(() => !!window.axe)))
    await tab.addScriptTag({content: axeSource});
  const result = await tab.evaluate(() => window.axe.run(document));
  const found = result.violations.map((v) => v.id + ': ' + v.help + ' (' +
    v.nodes.map((n) => n.target.join(' ')).join(', ') + ')');
  assert.deepStrictEqual(found, [], when);
  assert.ok(result.passes.length > 10, when);
}

test('axe-core finds no violation on the exported folder with the panel closed, on a record ' +
     'and with About open', async () => {
  const tab = await site.open('exported/index.html');
  assert.strictEqual(await tab.title(), 'Lamp help');
  assert.strictEqual(await tab.$eval('main .dravenloom-launch', (b) => b.textContent), 'Start');
  await checkWithAxe(tab, 'panel closed');
  await tab.click('.dravenloom-launch');
  await waitForRecord(tab, 1);
  await checkWithAxe(tab, 'record 1');
  for (const n of [3, 5, 6]) {
    await tab.keyboard.press('Enter');
    await waitForRecord(tab, n);
  }
  // The picture has come and the link is among the responses.
  await tab.waitForFunction(() => document.querySelector('.dravenloom-status').textContent === '');
  assert.ok(site.requests.get('exported/bulb.jpg') > 0, [...site.requests.keys()].join(' '));
  assert.match((await tab.$$eval('.dravenloom-response',
    (nodes) => nodes.map((n) => n.getAttribute('aria-label')))).join('|'), /new tab/);
  await checkWithAxe(tab, 'record 6, with a picture and a link');
  fs.mkdirSync(shots, {recursive: true});
  await (await tab.$('.dravenloom-panel')).screenshot({path: path.join(shots,
                                                                      'player-web-record.png')});
  await clickBar(tab, 'About...');
  await checkWithAxe(tab, 'About open');
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('axe-core finds no violation on the one-page export opened from the disk', async () => {
  const tab = await site.browser.newPage();
  await tab.goto('file://' + onePage.split(path.sep).map(encodeURIComponent).join('/'),
                 {waitUntil: 'load'});
  assert.strictEqual(await tab.title(), 'Lamp help');
  assert.strictEqual(await tab.$eval('main .dravenloom-launch', (b) => b.textContent), 'Start');
  await checkWithAxe(tab, 'one page, panel closed');
  await tab.close();
});
