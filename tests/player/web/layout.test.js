// Every layout case the program's renderer wrote is laid out alike by the web player, with the
// same fake font: the same lines, buttons, regions, picture place and font size.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const player = require('../../../player/web/dravenloom.js');

const kept = JSON.parse(fs.readFileSync(
  path.join(__dirname, '../../../player/layout-cases/cases.json'), 'utf8'));

// The fake font: every character `default` pixels wide unless `widths` names it, whatever the
// face, size and style.
function fakeMeasure(font) {
  return (text) => {
    let width = 0;
    for (const c of text)
      width += Object.prototype.hasOwnProperty.call(font.widths, c) ? font.widths[c] : font.default;
    return width;
  };
}

// A guide of the cases is held as file lines decoded from the code page: the same as reading
// the file's bytes.
function guideOf(lines) {
  return player.parseGuide(lines.join('\r\n') + '\r\n', 'case.dvx');
}

test('the cases are there to lay out', () => {
  assert.ok(kept.cases.length >= 30, `only ${kept.cases.length} cases`);
});

for (const c of kept.cases) {
  test(`layout case ${c.name}: ${c.about}`, () => {
    const points = player.pointsForSize(c.settings.size);
    assert.strictEqual(points, c.points);
    const layout = player.layOutRecordScreen(guideOf(c.guide), c.record, c.settings, points,
                                             fakeMeasure(kept.font));
    assert.strictEqual(layout.failure, null);
    assert.deepStrictEqual(layout.lines, c.lines);
    assert.deepStrictEqual(layout.buttons.map(({x, y}) => ({x, y})), c.buttons);
    assert.deepStrictEqual(layout.regions, c.regions);
    assert.deepStrictEqual(layout.graphic, c.picture);
  });
}

test('a record the guide lacks ends the layout with the regions cleared and nothing painted',
     () => {
  const layout = player.layOutRecordScreen(guideOf(kept.cases[0].guide), 7, kept.cases[0].settings,
                                           10, fakeMeasure(kept.font));
  assert.ok(layout.failure instanceof player.GuideError);
  assert.ok(layout.clearsRegions);
  assert.ok(!layout.paints);
  assert.deepStrictEqual(layout.lines, []);
});

test('a text start that is not a number keeps the previous regions', () => {
  const settings = Object.assign({}, kept.cases[0].settings, {textStart: 'x'});
  const layout = player.layOutRecordScreen(guideOf(kept.cases[0].guide), 1, settings, 10,
                                           fakeMeasure(kept.font));
  assert.ok(layout.failure);
  assert.ok(!layout.clearsRegions);
});

test('a picture position that is not a number ends the layout after painting began', () => {
  const guide = guideOf(['1\u00a4Hi\u00b6pic.gif\u00aaleft\u00b10\u20acno', '1\u00a4Yes\u00b61']);
  const layout = player.layOutRecordScreen(guide, 1, kept.cases[0].settings, 10,
                                           fakeMeasure(kept.font));
  assert.ok(layout.failure);
  assert.ok(layout.paints);
  assert.deepStrictEqual(layout.lines, []);
});

test('tops never run past the largest integer', () => {
  const settings = Object.assign({}, kept.cases[0].settings, {textStart: '2147483640'});
  const layout = player.layOutRecordScreen(guideOf(kept.cases[0].guide), 1, settings, 10,
                                           fakeMeasure(kept.font));
  assert.deepStrictEqual(layout.regions.tops.slice(0, 2), [2147483647, 2147483647]);
});

test('the font size is S x 5 / 6 points, and whole pixels at 96 dots per inch', () => {
  assert.deepStrictEqual(['10', '12', '14', '18'].map(player.pointsForSize), [8, 10, 11, 15]);
  assert.deepStrictEqual([8, 10, 11, 15].map(player.pixelSize), [11, 13, 15, 20]);
  assert.throws(() => player.pointsForSize('twelve'), player.GuideError);
});
