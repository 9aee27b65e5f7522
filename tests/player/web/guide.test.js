// The web player reads guide files as the program does: code page 1252, line ends CR LF, LF or
// CR, 0x9A for a line break inside a text, a NUL ending the text, record numbers checked.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const player = require('../../../player/web/dravenloom.js');

const data = path.join(__dirname, '../../data');
const read = (name) => player.decodeCodePage(fs.readFileSync(path.join(data, name)));
// Every line of a guide as the record list holds it.
const linesOf = (guide) => Array.from({length: guide.count}, (_, i) => guide.line(i));

const workedExample = [
  '1\u00a4Welcome\u00b6C:\\Pics\\logo.gif\u00aa300\u00b10\u20acyes',
  '2\u00a4Is it on?\r\nLook at the light.\u00b6\u00aa\u00b1\u20acno',
  '2\u00a4Yes\u00b63',
  '2\u00a4No\u00b6',
  '2\u00a4Help\u00b67',
];

test('the worked example reads the same with CR LF and with LF line ends', () => {
  for (const name of ['worked-example.dvx', 'worked-example-lf.dvx']) {
    const guide = player.parseGuide(read(name), name);
    assert.deepStrictEqual(linesOf(guide), workedExample, name);
    assert.deepStrictEqual(guide.fileLines.map((line, i) => guide.number(i)), [1, 2, 2, 2, 2]);
    assert.strictEqual(guide.findPrimaryLine(2), 1);
    assert.strictEqual(guide.findPrimaryLine(1), 0);
    assert.strictEqual(guide.findPrimaryLine(3), -1);
  }
});

test('the fields of the worked example', () => {
  const guide = player.parseGuide(read('worked-example.dvx'), 'w.dvx');
  assert.deepStrictEqual(player.parsePrimaryLine(guide.line(0)),
    {dialogue: 'Welcome', graphicPath: 'C:\\Pics\\logo.gif', graphicX: '300', graphicY: '0',
     center: true});
  assert.deepStrictEqual(player.parsePrimaryLine(guide.line(1)),
    {dialogue: 'Is it on?\r\nLook at the light.', graphicPath: '', graphicX: '300',
     graphicY: '0', center: false});
  assert.strictEqual(player.lineText(guide.line(2)), 'Yes');
  assert.strictEqual(player.lineTarget(guide.line(2)), '3');
  assert.strictEqual(player.lineTarget(guide.line(3)), '');
});

test('mixed line ends, a last line without one, and 0x9A inside a text', () => {
  const guide = player.parseGuide(read('mixed-line-ends.dvx'), 'm.dvx');
  assert.deepStrictEqual(linesOf(guide), [
    '1\u00a4A\u00b6\u00aa\u00b1\u20acno', '1\u00a4Yes\u00b62', '2\u00a4B\u00b6\u00aa\u00b1\u20acno',
    '3\u00a4C\r\nD\u00b6\u00aa\u00b1\u20acyes']);
});

test('a NUL ends the readable text', () => {
  const guide = player.parseGuide(read('nul-ended.dvx'), 'n.dvx');
  assert.strictEqual(guide.count, 2);
});

test('the placeholder guide is one record', () => {
  const guide = player.parseGuide(read('placeholder.dvx'), 'p.dvx');
  assert.deepStrictEqual(linesOf(guide), ['1\u00a4Enter primary dialogue here.\u00b6\u00aa\u00b1\u20acno']);
});

test('an empty guide is refused', () => {
  assert.throws(() => player.parseGuide(read('empty.dvx'), 'empty.dvx'),
                {name: 'GuideError', message: 'guide empty.dvx holds no records'});
});

test('a line without a record number ends the screen that reaches it, naming the line', () => {
  const guide = player.parseGuide(read('missing-number.dvx'), 'missing-number.dvx');
  const settings = {textStart: '5', width: '300', face: 'Arial', size: '12', bold: false,
                    italic: false};
  const measure = (text) => 6 * text.length;
  // Record 1's dialogue and first response are laid out; the third line stops the walk.
  const one = player.layOutRecordScreen(guide, 1, settings, 10, measure);
  assert.strictEqual(one.failure.message,
                     'cannot read guide missing-number.dvx: line 3 has no record number');
  assert.deepStrictEqual(one.lines.map((line) => line.text), ['One', 'Go']);
  assert.deepStrictEqual(one.regions.tops.slice(0, 2), [40, 0]);
  // Looking for record 2 reaches the line before finding it: nothing is drawn.
  const two = player.layOutRecordScreen(guide, 2, settings, 10, measure);
  assert.ok(two.failure);
  assert.ok(!two.paints);
});

test('CR LF, LF and CR line ends all end a line; a CR LF is one line end', () => {
  for (const end of ['\r\n', '\n', '\r']) {
    const lines = player.splitGuideText(['1\u00a4a', '1\u00a4b', '', '2\u00a4c'].join(end));
    assert.deepStrictEqual(lines, ['1\u00a4a', '1\u00a4b', '', '2\u00a4c'], JSON.stringify(end));
  }
  assert.deepStrictEqual(player.splitGuideText('a\r\rb\n\r'), ['a', '', 'b', '']);
});

test('code page 1252 bytes are one character each, the marks included', () => {
  const bytes = Uint8Array.from([0x31, 0xA4, 0x80, 0x9A, 0xE9, 0x81, 0x9F, 0xB6, 0xAA, 0xB1, 0x80]);
  assert.strictEqual(player.decodeCodePage(bytes),
                     '1\u00a4\u20ac\u0161\u00e9\u0081\u0178\u00b6\u00aa\u00b1\u20ac');
});

test('record numbers are signed decimal integers of 32 bits', () => {
  assert.deepStrictEqual(['12', '+7', '-3', '007', '2147483647', '-2147483648'].map(player.readNumber),
                         [12, 7, -3, 7, 2147483647, -2147483648]);
  for (const bad of ['', '+', '1 ', ' 1', '1.0', '0x10', '2147483648', '-2147483649', '99999999999'])
    assert.strictEqual(player.readNumber(bad), null, JSON.stringify(bad));
  assert.strictEqual(player.lineNumber('12\u00a4x'), 12);
  assert.strictEqual(player.lineNumber('12x'), null);
});
