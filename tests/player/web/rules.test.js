// The web player's rules beside the layout: which link addresses it opens, the link markup,
// and where it finds the guide and its pictures.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const player = require('../../../player/web/dravenloom.js');

test('web and mail addresses open; a bare web address gets http://', () => {
  const opened = {
    'http://www.example.com/a': 'http://www.example.com/a',
    'HTTPS://shop.example/a?b=c': 'HTTPS://shop.example/a?b=c',
    '  https://user:pw@host.example:8080/x  ': 'https://user:pw@host.example:8080/x',
    'mailto:help@example.com': 'mailto:help@example.com',
    'MailTo:a@b': 'MailTo:a@b',
    'www.example.com': 'http://www.example.com',
    'www.example.com/page?x#y': 'http://www.example.com/page?x#y',
    'host.example:81/': 'http://host.example:81/',
    'caf\u00e9.example': 'http://caf\u00e9.example',
  };
  for (const [target, address] of Object.entries(opened))
    assert.strictEqual(player.openableAddress(target), address, target);
});

test('anything else is refused', () => {
  for (const target of ['', '   ', 'javascript:alert(1).x', 'file:///etc/passwd', 'C:\\x.exe',
                        'ftp://host.example/', 'http://localhost/', 'http://exa mple.com',
                        'http://a..b/', 'http://.a.b/', 'http://a.b:/', 'http://a.b:123456/',
                        'mailto:', 'mailto:@x.y', 'mailto:a@', 'www.example.com "x"',
                        'www.example.com\\x', 'www.<b>.com', 'a`b.c', 'x.example\u007f',
                        '../index.html', '.example', 'example.', '-a.b', 'a.b:x'])
    assert.strictEqual(player.openableAddress(target), null, JSON.stringify(target));
});

test('link markup: anywhere, in any case, cut out; a ] before it means no link', () => {
  assert.deepStrictEqual(player.findLink('Visit [url:www.example.com] today'),
                         {address: 'www.example.com', displayed: 'Visit  today'});
  assert.deepStrictEqual(player.findLink('Shop [URL:https://a.example/]'),
                         {address: 'https://a.example/', displayed: 'Shop '});
  assert.deepStrictEqual(player.findLink('[Url:x.y]'), {address: 'x.y', displayed: ''});
  assert.strictEqual(player.findLink('a] then [url:y.example] stays'), null);
  assert.strictEqual(player.findLink('[url:no close'), null);
  assert.strictEqual(player.findLink('[ur l:x]'), null);
});

test('the code base is the element\'s CODEBASE as a folder, else the page\'s folder', () => {
  assert.strictEqual(player.codeBase('http://h.example/guides/page.html?x#y', null),
                     'http://h.example/guides/');
  assert.strictEqual(player.codeBase('http://h.example/guides/page.html', '  '),
                     'http://h.example/guides/');
  assert.strictEqual(player.codeBase('http://h.example/guides/page.html', 'applet'),
                     'http://h.example/guides/applet/');
  assert.strictEqual(player.codeBase('http://h.example/guides/page.html', '/lib/'),
                     'http://h.example/lib/');
});

test('the guide is beside the class files', () => {
  const base = 'http://h.example/g/';
  assert.strictEqual(player.guideUrl(base, 'tour.dvx'), 'http://h.example/g/tour.dvx');
  assert.strictEqual(player.guideUrl(base, 'my tour#1.dvx'), 'http://h.example/g/my%20tour%231.dvx');
});

test('pictures by the last component of their stored path, in the image directory or beside the classes', () => {
  const base = 'http://h.example/g/';
  const cases = [
    ['', 'C:\\Pics\\bulb.jpg', 'http://h.example/g/bulb.jpg'],
    [' \t', '/home/me/pics/bulb.jpg', 'http://h.example/g/bulb.jpg'],
    ['', 'bulb.jpg', 'http://h.example/g/bulb.jpg'],
    ['img', 'C:\\Pics\\bulb.jpg', 'http://h.example/g/img/bulb.jpg'],
    ['img/', 'images\\sub/bulb.jpg', 'http://h.example/g/img/bulb.jpg'],
    ['pics\\small', 'a/b c.gif', 'http://h.example/g/pics/small/b%20c.gif'],
    ['', 'gray.gif', 'http://h.example/g/gray.gif'],
    ['img', 'gray.gif', 'http://h.example/g/img/gray.gif'],
  ];
  for (const [dir, stored, url] of cases)
    assert.strictEqual(player.pictureUrl(base, dir, stored), url, `${dir} ${stored}`);
  assert.strictEqual(player.lastComponent('a\\b/c\\d.gif'), 'd.gif');
});

test('an image directory or code base that is no folder to fetch from gives no address', () => {
  const base = 'http://h.example/g/';
  const pictures = [
    ['https://cdn.example/img', 'https://cdn.example/img/bulb.jpg'],
    ['HTTP://cdn.example/img/', 'http://cdn.example/img/bulb.jpg'],
    ['javascript:alert(1)', null],
    ['JavaScript:void(0)/', null],
    ['data:text/plain,x', null],
    ['about:blank', null],
    ['mailto:help@example.com', null],
    ['ftp://files.example/img', null],
    ['http://[bad', null],
  ];
  for (const [dir, url] of pictures)
    assert.strictEqual(player.pictureUrl(base, dir, 'C:\\Pics\\bulb.jpg'), url, dir);
  assert.strictEqual(player.pictureUrl(null, '', 'bulb.jpg'), null);
  assert.strictEqual(player.pictureUrl('file:///site/g/', 'file:///site/img', 'bulb.jpg'),
                     'file:///site/img/bulb.jpg');
  const page = 'http://h.example/guides/page.html';
  assert.strictEqual(player.codeBase(page, 'https://cdn.example/applet'),
                     'https://cdn.example/applet/');
  for (const codebase of ['javascript:alert(1)', 'data:,x', 'about:blank', 'mailto:a@b.c'])
    assert.strictEqual(player.codeBase(page, codebase), null, codebase);
  assert.strictEqual(player.lastComponent('d.gif'), 'd.gif');
});

test('fonts: the named face, its free twin, the generic family', () => {
  assert.strictEqual(player.fontFamilies('Times New Roman'),
                     '"Times New Roman", "Liberation Serif", serif');
  assert.strictEqual(player.fontFamilies('Arial'), '"Arial", "Liberation Sans", sans-serif');
  assert.strictEqual(player.fontFamilies('Courier'), '"Courier", "Liberation Mono", monospace');
  assert.strictEqual(player.fontFamilies('Odd "face"'), '"Odd face", "Liberation Serif", serif');
});

test('an advance is rounded to whole pixels, halves upwards, a few thousandths of slack', () => {
  assert.deepStrictEqual([0, 0.49, 4.4902, 5.4844, 12.4951, 12.5, 13.4961, 19.502].map(
    player.wholePixels), [0, 0, 4, 5, 13, 13, 14, 20]);
});

test('a text is as wide as its characters, each measured once per font', () => {
  const asked = [];
  const context = {
    font: '',
    measureText(c) { asked.push(this.font + ' ' + c); return {width: c === 'm' ? 12.4951 : 4.6}; },
  };
  const measure = player.textMeasure(context, (bold) => (bold ? 'bold ' : '') + '15px x');
  assert.strictEqual(measure('mam', false, false), 13 + 5 + 13);
  assert.strictEqual(measure('ma', true, false), 18);
  assert.deepStrictEqual(asked, ['15px x m', '15px x a', 'bold 15px x m', 'bold 15px x a']);
});

test('line breaks have no width, whatever the browser says of them', () => {
  const context = {font: '', measureText() { return {width: 7.2}; }};
  const measure = player.textMeasure(context, () => '15px x');
  assert.strictEqual(measure('a\r\nb\r', false, false), 14);
});
