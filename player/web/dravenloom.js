// Dravenloom guide player for browsers without Java: puts a launch button in place of every
// applet element that loads Dravenloom.class and plays the guide in a panel drawn on a canvas,
// laid out exactly as the program's Demonstration lays it out. One file, no dependencies.
// Loaded by a page it enhances itself; required from Node it only hands out its pure parts
// (the guide reader, the layout, the link and file-location rules) for the tests.
(function (root, factory) {
  'use strict';
  var player = factory();
  if (typeof module === 'object' && module && module.exports) {
    module.exports = player;
  } else if (root && root.document) {
    player.enhanceWhenReady(root.document);
  }
}(this, function () {
  'use strict';

  // ---------------------------------------------------------------------------------------
  // Guide text: code page 1252 record lines.

  var NumberMark = '\u00A4'; // ends the record number
  var TextMark = '\u00B6'; // ends the dialogue or response text
  var XMark = '\u00AA';
  var YMark = '\u00B1';
  var CenterMark = '\u20AC';
  var BreakMark = '\u0161'; // a CR LF inside a text, in the file only
  var LineBreak = '\r\n';
  var MaxResponses = 6;
  var ButtonX = 5;
  var ButtonSize = 15; // the response-button picture, and its hit region
  var LargestInt = 2147483647;

  // A guide that cannot be played: the panel says so in these words.
  function GuideError(message) {
    this.name = 'GuideError';
    this.message = message;
  }
  GuideError.prototype = Object.create(Error.prototype);
  GuideError.prototype.constructor = GuideError;

  // Code page 1252 at 0x80 to 0x9F. Some runtimes (Node among them) hand these bytes back as
  // the C1 controls of the same number for the label "windows-1252", so they are mapped here
  // whatever the decoder did; the five bytes the code page leaves unassigned stay as they are.
  var HighCodePage = {
    0x80: 0x20AC, 0x82: 0x201A, 0x83: 0x0192, 0x84: 0x201E, 0x85: 0x2026, 0x86: 0x2020,
    0x87: 0x2021, 0x88: 0x02C6, 0x89: 0x2030, 0x8A: 0x0160, 0x8B: 0x2039, 0x8C: 0x0152,
    0x8E: 0x017D, 0x91: 0x2018, 0x92: 0x2019, 0x93: 0x201C, 0x94: 0x201D, 0x95: 0x2022,
    0x96: 0x2013, 0x97: 0x2014, 0x98: 0x02DC, 0x99: 0x2122, 0x9A: 0x0161, 0x9B: 0x203A,
    0x9C: 0x0153, 0x9E: 0x017E, 0x9F: 0x0178
  };

  // The bytes of a guide file as text, one character per byte.
  function decodeCodePage(bytes) {
    var text = new TextDecoder('windows-1252').decode(bytes);
    if (!/[\u0080-\u009f]/.test(text))
      return text;
    return text.replace(/[\u0080-\u009f]/g, function (c) {
      var mapped = HighCodePage[c.charCodeAt(0)];
      return mapped ? String.fromCharCode(mapped) : c;
    });
  }

  // The file's lines, still encoded: each ends at CR LF, a lone CR or a lone LF (a text
  // transfer by FTP turns CR LF into LF); a last line without a line end counts; a NUL ends
  // the readable text.
  function splitFileLines(text) {
    var nul = text.indexOf('\0');
    if (nul >= 0)
      text = text.slice(0, nul);
    // Splitting at one fixed line end is the quick way for the usual file; a file that mixes
    // them is split again at all three.
    var lines = text.split(text.indexOf('\r') < 0 ? '\n' : '\r\n');
    for (var i = 0; i < lines.length; ++i) {
      if (lines[i].indexOf('\r') >= 0 || lines[i].indexOf('\n') >= 0) {
        lines = text.split(/\r\n|\r|\n/);
        break;
      }
    }
    // What follows the last line end is a line only when it holds something.
    if (lines[lines.length - 1] === '')
      lines.pop();
    return lines;
  }

  // A line of the file as the record list holds it: every 0x9A stands for a CR LF inside a
  // text.
  function decodeLine(line) {
    return line.indexOf(BreakMark) < 0 ? line : line.split(BreakMark).join(LineBreak);
  }

  function splitGuideText(text) {
    return splitFileLines(text).map(decodeLine);
  }

  // A signed decimal integer that fits 32 bits, the whole text; null for anything else.
  function readNumber(text) {
    var i = 0;
    var negative = false;
    var first = text.charCodeAt(0);
    if (first === 43 || first === 45) { // + or -
      negative = first === 45;
      i = 1;
    }
    if (i === text.length)
      return null;
    var value = 0;
    for (; i < text.length; ++i) {
      var digit = text.charCodeAt(i) - 48;
      if (digit < 0 || digit > 9)
        return null;
      value = value * 10 + digit;
      if (value > LargestInt + 1)
        return null;
    }
    if (negative)
      value = 0 - value;
    return value > LargestInt ? null : value;
  }

  function strToInt(text) {
    var value = readNumber(text);
    if (value === null)
      throw new GuideError('"' + text + '" is not a valid integer value');
    return value;
  }

  // The record number before the first number mark, or null.
  function lineNumber(line) {
    var mark = line.indexOf(NumberMark);
    return mark < 0 ? null : readNumber(line.slice(0, mark));
  }

  // The field between the first `from` and the first `to`; empty when either is missing or
  // the end comes first.
  function between(line, from, to) {
    var start = line.indexOf(from);
    var end = line.indexOf(to);
    if (start < 0 || end < 0 || end <= start)
      return '';
    return line.slice(start + 1, end);
  }

  function after(line, mark) {
    var start = line.indexOf(mark);
    return start < 0 ? '' : line.slice(start + 1);
  }

  function lineText(line) {
    return between(line, NumberMark, TextMark);
  }

  function lineTarget(line) {
    return after(line, TextMark);
  }

  function parsePrimaryLine(line) {
    var fields = {dialogue: lineText(line), graphicPath: between(line, TextMark, XMark),
                  graphicX: '300', graphicY: '0', center: after(line, CenterMark) === 'yes'};
    if (fields.graphicPath !== '') {
      fields.graphicX = between(line, XMark, YMark);
      fields.graphicY = between(line, YMark, CenterMark);
    }
    return fields;
  }

  // A guide read from its file: the lines, and their record numbers read as they are needed.
  // A guide of ten thousand records opens without reading every number first; a line without
  // a record number is refused, with its line number, when a walk reaches it, as the program
  // refuses it.
  function Guide(fileLines, name) {
    this.fileLines = fileLines;
    this.count = fileLines.length;
    this.name = name;
    this.decoded = [];
    this.numbers = [];
    this.first = new Map(); // record number -> index of its first line, for the lines scanned
    this.scanned = 0;
  }

  // Line `index` with its line breaks, or undefined past the end.
  Guide.prototype.line = function (index) {
    var line = this.decoded[index];
    if (line === undefined && index >= 0 && index < this.count) {
      line = decodeLine(this.fileLines[index]);
      this.decoded[index] = line;
    }
    return line;
  };

  Guide.prototype.number = function (index) {
    var number = this.numbers[index];
    if (number === undefined) {
      number = lineNumber(this.fileLines[index]);
      if (number === null)
        throw new GuideError('cannot read guide ' + this.name + ': line ' + (index + 1) +
                             ' has no record number');
      this.numbers[index] = number;
    }
    return number;
  };

  // The index of the first line of record `record`, or -1 when no line carries it.
  Guide.prototype.findPrimaryLine = function (record) {
    var found = this.first.get(record);
    if (found !== undefined)
      return found;
    while (this.scanned < this.count) {
      var index = this.scanned;
      var number = this.number(index);
      this.scanned = index + 1;
      if (!this.first.has(number))
        this.first.set(number, index);
      if (number === record)
        return index;
    }
    return -1;
  };

  function parseGuide(text, name) {
    var lines = splitFileLines(text);
    if (lines.length === 0)
      throw new GuideError('guide ' + name + ' holds no records');
    return new Guide(lines, name);
  }

  // ---------------------------------------------------------------------------------------
  // Layout: the same quantities and line breaking as the program's screen renderer. Widths
  // come from `measure(text, bold, italic)`, which answers whole pixels.

  function advance(y, by) {
    // A text start near the top of the integer range must not run past it.
    return by > 0 && y > LargestInt - by ? LargestInt : y + by;
  }

  // How many characters the next line may hold: the wrap width over the average character
  // width of all the text still to draw, measured once per line.
  function capacity(rest, wrapWidth, measure) {
    var average = Math.trunc(measure(rest) / rest.length);
    var whole = rest.length + 1;
    // Characters narrower than a pixel on average: any text fits on a line.
    if (!(average > 0))
      return whole;
    var fits = Math.trunc(wrapWidth / average);
    if (fits >= whole)
      return whole;
    // A line always takes at least one character, or a capacity of one would never end.
    return Math.max(2, fits);
  }

  // Lays out one paragraph from y on and appends its lines; returns the y below it.
  function layoutParagraph(paragraph, measure, y, bold, italic, lines) {
    var rest = paragraph.text;
    var sized = function (text) { return measure(text, bold, italic); };
    for (;;) {
      // Nothing left (an empty text, or a line that ended with a blank at the very end): no
      // line of its own, only the closing gap.
      if (rest.length === 0)
        return advance(y, paragraph.closingGap);
      var n = capacity(rest, paragraph.wrapWidth, sized);
      var suffix = '';
      var last = false;
      if (rest.length < n) {
        n = rest.length;
        last = true;
      } else {
        var head = rest.slice(0, n);
        var blank = head.lastIndexOf(' ');
        if (blank >= 0) {
          if (head.indexOf(LineBreak) < 0)
            n = blank + 1;
        } else {
          n -= 1;
          suffix = '-';
        }
      }
      var lineBreak = rest.slice(0, n).indexOf(LineBreak);
      var endsAtBreak = lineBreak >= 0;
      if (endsAtBreak) {
        n = lineBreak;
        suffix = '';
        last = false;
      }
      var x = paragraph.x;
      if (paragraph.centred) {
        // n characters plus one per suffix character are measured: the hyphen's place is
        // taken by the character it stands for.
        var half = Math.trunc(sized(rest.slice(0, Math.min(rest.length, n + suffix.length))) / 2);
        var start = Math.trunc(paragraph.wrapWidth * 0.5 - half);
        x = start < 3 ? 3 : start;
      }
      lines.push({x: x, y: y, text: rest.slice(0, n) + suffix, bold: bold, italic: italic});
      if (last)
        return advance(y, paragraph.closingGap);
      y = advance(y, paragraph.lineStep);
      if (endsAtBreak) {
        // A line break at the very end of the text draws nothing more.
        if (rest.length < n + 3)
          return y;
        rest = rest.slice(n + 2);
      } else {
        rest = rest.slice(n);
      }
    }
  }

  // The link a response carries: the first "[url:" in any case and the first "]"; a "]"
  // before the markup means no link.
  function findLink(text) {
    var opening = '[url:';
    var open = -1;
    for (var i = 0; i + opening.length <= text.length && open < 0; ++i) {
      var same = true;
      for (var j = 0; j < opening.length && same; ++j) {
        var c = text.charAt(i + j);
        same = (c >= 'A' && c <= 'Z' ? c.toLowerCase() : c) === opening.charAt(j);
      }
      if (same)
        open = i;
    }
    var close = text.indexOf(']');
    if (open < 0 || close < 0 || close < open)
      return null;
    return {address: text.slice(open + opening.length, close),
            displayed: text.slice(0, open) + text.slice(close + 1)};
  }

  // The point size the screen's font gets for a size setting: S x 5 / 6, whole points.
  function pointsForSize(size) {
    return Math.trunc(strToInt(size) * 5 / 6);
  }

  // The pixel height of that font at 96 dots per inch, rounded half away from zero in whole
  // pixels as the program's canvas does (10 points -> 13 pixels).
  function pixelSize(points) {
    var scaled = points * 96;
    var rounded = scaled >= 0 ? Math.floor((scaled + 36) / 72) : -Math.floor((-scaled + 36) / 72);
    return Math.min(Math.max(rounded, 1), 2048);
  }

  function freeRegions() {
    return {tops: [0, 0, 0, 0, 0, 0], targets: ['0', '0', '0', '0', '0', '0']};
  }

  // Record `record` of the guide as the screen shows it: the picture's place, every line, the
  // response buttons and their hit regions. `settings` holds the texts of the element's
  // parameters (textStart, width, size, face) and the flags bold and italic; `points` the font
  // size the screen was prepared with. A setting or field that does not convert, or a record
  // the guide lacks, ends the layout where it stands and is kept in `failure`.
  function layOutRecordScreen(guide, record, settings, points, measure) {
    var layout = {clearsRegions: false, paints: false, graphic: null, lines: [], buttons: [],
                  regions: freeRegions(), failure: null};
    try {
      var y = strToInt(settings.textStart);
      var width = strToInt(settings.width);
      var gap = points + 35;
      layout.clearsRegions = true;
      var size = strToInt(settings.size);
      if (size < 14)
        gap -= 10;
      if (settings.face === 'Courier')
        gap += 5;
      if (settings.bold)
        gap += 5;
      var lineStep = size + (size >= 14 ? 5 : 0) + 4;

      var primary = guide.findPrimaryLine(record);
      if (primary < 0)
        throw new GuideError('Record ' + record + ' is not in the guide.');
      layout.paints = true;
      layout.primary = primary;

      var fields = parsePrimaryLine(guide.line(primary));
      if (fields.graphicPath !== '') {
        var graphicX = strToInt(fields.graphicX);
        layout.graphic = {path: fields.graphicPath, x: graphicX, y: strToInt(fields.graphicY)};
      }
      // The dialogue is always bold.
      y = layoutParagraph({text: fields.dialogue, wrapWidth: width - width * 0.15,
                           closingGap: gap, lineStep: lineStep, x: 5, centred: fields.center},
                          measure, y, true, !!settings.italic, layout.lines);
      for (var k = 0, index = primary + 1;
           k < MaxResponses && index < guide.count && guide.number(index) === record;
           ++k, ++index) {
        var text = lineText(guide.line(index));
        var link = findLink(text);
        layout.buttons.push({x: ButtonX, y: y, beforeLine: layout.lines.length,
                             label: link ? link.displayed : text});
        layout.regions.tops[k] = y;
        layout.regions.targets[k] = link ? link.address : String(index);
        y = layoutParagraph({text: link ? link.displayed : text, wrapWidth: width - width * 0.2,
                             closingGap: Math.trunc(gap * 3 / 4), lineStep: lineStep,
                             x: ButtonSize + 10, centred: false},
                            measure, y, !!settings.bold, !!settings.italic, layout.lines);
      }
      layout.bottom = y;
    } catch (error) {
      if (!(error instanceof GuideError))
        throw error;
      layout.failure = error;
    }
    return layout;
  }

  // ---------------------------------------------------------------------------------------
  // Which link addresses a guide may open: web and mail addresses only. A guide is a document
  // from someone else; opening it must not run or open anything else on the reader's machine.

  function startsWithNoCase(text, prefix) {
    if (text.length < prefix.length)
      return false;
    for (var i = 0; i < prefix.length; ++i) {
      var c = text.charAt(i);
      if ((c >= 'A' && c <= 'Z' ? c.toLowerCase() : c) !== prefix.charAt(i))
        return false;
    }
    return true;
  }

  // Blanks, control characters and what no address carries unescaped.
  function hasUnsafeCharacter(text) {
    for (var i = 0; i < text.length; ++i) {
      var code = text.charCodeAt(i);
      if (code <= 0x20 || code === 0x7F || '"\\<>`'.indexOf(text.charAt(i)) >= 0)
        return true;
    }
    return false;
  }

  // Letters, digits, hyphens and full stops, a full stop between two labels, maybe a port.
  function isHost(host) {
    var colon = host.indexOf(':');
    if (colon >= 0) {
      if (!/^[0-9]{1,5}$/.test(host.slice(colon + 1)))
        return false;
      host = host.slice(0, colon);
    }
    if (host === '' || host.charAt(0) === '.' || host.charAt(0) === '-' ||
        host.charAt(host.length - 1) === '.' || host.indexOf('.') < 0 || host.indexOf('..') >= 0)
      return false;
    for (var i = 0; i < host.length; ++i) {
      var c = host.charAt(i);
      if (!/[A-Za-z0-9.-]/.test(c) && host.charCodeAt(i) < 0x80)
        return false;
    }
    return true;
  }

  function hostPart(rest) {
    var end = rest.search(/[/?#]/);
    return end < 0 ? rest : rest.slice(0, end);
  }

  // The address to open for a link's target, or null when it is not a web or mail address.
  // "http://", "https://" and "mailto:" (any case) go as written; a bare web address such as
  // "www.example.com/page" gets "http://" in front.
  function openableAddress(target) {
    var address = target.replace(/^[ \t]+|[ \t]+$/g, '');
    if (address === '' || hasUnsafeCharacter(address))
      return null;
    var schemes = ['http://', 'https://'];
    for (var i = 0; i < schemes.length; ++i) {
      if (startsWithNoCase(address, schemes[i])) {
        var host = hostPart(address.slice(schemes[i].length));
        var at = host.lastIndexOf('@'); // "user:password@" before the host is legal
        if (at >= 0)
          host = host.slice(at + 1);
        return isHost(host) ? address : null;
      }
    }
    if (startsWithNoCase(address, 'mailto:')) {
      var mailbox = address.slice(7);
      var sign = mailbox.indexOf('@');
      return sign <= 0 || sign + 1 >= mailbox.length ? null : address;
    }
    return isHost(hostPart(address)) ? 'http://' + address : null;
  }

  // ---------------------------------------------------------------------------------------
  // Where the files of a published guide are: the guide beside the class files (the code
  // base: the element's CODEBASE, else the page's folder); the button picture and every
  // record picture in the image directory below the code base when one is given, else beside
  // the class files, which is where the upload puts them.

  function isBlank(text) {
    return /^[\u0000-\u0020]*$/.test(text);
  }

  // The last component of a stored path, whichever separator it was written with.
  function lastComponent(path) {
    return path.slice(Math.max(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1);
  }

  function encodedPath(path) {
    return path.split('/').map(encodeURIComponent).join('/');
  }

  function asFolder(url) {
    if (!/\/$/.test(url.pathname))
      url.pathname += '/';
    url.search = '';
    url.hash = '';
    return url;
  }

  // The code base, or null when the element's CODEBASE names no folder the page can fetch
  // from (a "javascript:" or "data:" address, say).
  function codeBase(pageUrl, codebaseAttribute) {
    try {
      if (!codebaseAttribute || isBlank(codebaseAttribute))
        return new URL('.', pageUrl).href;
      var base = asFolder(new URL(codebaseAttribute.trim(), pageUrl));
      var page = new URL(pageUrl).protocol;
      return /^https?:$/.test(base.protocol) || base.protocol === page ? base.href : null;
    } catch (error) {
      return null;
    }
  }

  function guideUrl(base, fileName) {
    return new URL(encodedPath(fileName.replace(/\\/g, '/')), base).href;
  }

  // An image directory may name a whole address, but only a web one (or one of the code
  // base's own kind): "javascript:", "data:", "about:" and "mailto:" hold no folder to look
  // into, and the guide is shown without its pictures. The answer is null then, and for a
  // directory that is no address at all.
  function pictureUrl(base, imageDir, storedPath) {
    try {
      var folder = base;
      if (!isBlank(imageDir)) {
        var dir = imageDir.trim().replace(/\\/g, '/');
        var scheme = /^([a-z][a-z0-9+.-]*):/i.exec(dir);
        if (scheme) {
          var kind = scheme[1].toLowerCase() + ':';
          if (kind !== 'http:' && kind !== 'https:' && kind !== new URL(base).protocol)
            return null;
        }
        folder = asFolder(new URL(scheme ? dir : encodedPath(dir), base)).href;
      }
      var url = new URL(encodeURIComponent(lastComponent(storedPath)), folder);
      return /^(https?|file):$/.test(url.protocol) || url.protocol === new URL(base).protocol ?
        url.href : null;
    } catch (error) {
      return null;
    }
  }

  // ---------------------------------------------------------------------------------------
  // Widths in whole pixels, as the program's canvas measures them: it draws with full hinting
  // and no pair kerning, so every character advances a whole number of pixels and a text is
  // as wide as the sum of its characters. The browser's canvas measures fractional advances;
  // each character's is rounded to the nearest pixel, halves upwards, and the rounded advances
  // are summed. The browser hands an advance of exactly so-many-and-a-half pixels back a few
  // thousandths short (12.4951 for 12.5), which the 1/128 added before rounding makes good.

  function wholePixels(advance) {
    return Math.floor(advance + 0.5 + 1 / 128);
  }

  // measure(text, bold, italic) for a 2-D context, with `fontFor(bold, italic)` giving the CSS
  // font of each style; every character is measured once per font.
  function textMeasure(context, fontFor) {
    var tables = {};
    return function (text, bold, italic) {
      var font = fontFor(bold, italic);
      var table = tables[font] || (tables[font] = new Map());
      var width = 0;
      for (var i = 0; i < text.length; ++i) {
        var c = text.charAt(i);
        var advance = table.get(c);
        if (advance === undefined) {
          context.font = font;
          if ('fontKerning' in context)
            context.fontKerning = 'none';
          // CR and LF have no width in any of the players: the line breaking averages the
          // width of text that still holds its line breaks.
          advance = c === '\r' || c === '\n' ? 0 : wholePixels(context.measureText(c).width);
          table.set(c, advance);
        }
        width += advance;
      }
      return width;
    };
  }

  // ---------------------------------------------------------------------------------------
  // The page: launch buttons in place of the elements, and the panel that plays the guide.

  var AboutText = ['Dravenloom Guide Player',
                   'Plays the guides written with Dravenloom, one screen at a time.'];
  var DefaultTitle = 'Dravenloom';
  var FaceTwins = {'Times New Roman': ['Liberation Serif', 'serif'],
                   'Arial': ['Liberation Sans', 'sans-serif'],
                   'Courier': ['Liberation Mono', 'monospace']};
  var LargestSurface = 4096; // a text start far down the page draws nothing worth a canvas
  var styled = false;
  var panels = 0;
  var shown = []; // the open panels' players, the last opened last

  // The launch button is at least the 75 x 50 pixels the element asks for, and grows with its
  // caption. The panel's title, buttons, status and progress keep their heights whatever the
  // record: only the record's view scrolls.
  var Style = [
    '.dravenloom-launch{min-width:75px;min-height:50px;width:auto;max-width:100%;',
    'box-sizing:border-box;padding:2px 8px;vertical-align:middle;white-space:normal;',
    'overflow-wrap:anywhere;font:13px sans-serif;cursor:pointer}',
    '.dravenloom-panel{position:fixed;left:50%;top:50%;transform:translate(-50%,-50%);',
    'z-index:2147483000;box-sizing:border-box;display:flex;flex-direction:column;',
    'max-width:100vw;max-height:100vh;background:#ece9d8;border:2px outset #ddd;',
    'box-shadow:0 4px 24px rgba(0,0,0,.35);font:13px sans-serif;color:#000}',
    '.dravenloom-panel[hidden]{display:none}',
    '.dravenloom-title{flex:0 0 auto;background:navy;color:#fff;padding:3px 6px;',
    'white-space:nowrap;overflow:hidden;text-overflow:ellipsis;font-weight:bold}',
    '.dravenloom-bar{flex:0 0 auto;display:flex;gap:2px;padding:3px}',
    '.dravenloom-bar button{flex:0 0 auto;min-width:60px;font:12px sans-serif}',
    '.dravenloom-status{flex:0 0 auto;padding:0 4px;font-size:12px;color:#800}',
    '.dravenloom-status:empty{display:none}',
    '.dravenloom-status.dravenloom-busy{color:#000}',
    '.dravenloom-progress{flex:0 0 auto;display:flex;align-items:center;gap:6px;',
    'padding:0 4px 3px;font-size:12px}',
    '.dravenloom-progress[hidden]{display:none}',
    '.dravenloom-progress progress{flex:1 1 auto;min-width:0;height:12px}',
    '.dravenloom-view{flex:1 1 auto;min-height:0;overflow:auto;border:2px inset #ddd;',
    'background:#fff;position:relative}',
    '.dravenloom-stage{position:relative;overflow:hidden}',
    '.dravenloom-stage canvas{display:block}',
    '.dravenloom-response{position:absolute;box-sizing:border-box;margin:0;padding:0;',
    'border:0;background:transparent;cursor:pointer}',
    '.dravenloom-response:focus{outline:none}',
    '.dravenloom-response:focus-visible{outline:2px solid #1a73e8;outline-offset:1px}',
    '.dravenloom-about{position:absolute;left:10%;right:10%;top:30%;padding:10px;',
    'background:#fff;border:1px solid #666;box-shadow:0 2px 8px rgba(0,0,0,.3)}',
    '.dravenloom-about[hidden]{display:none}',
    '.dravenloom-about p{margin:0 0 8px}',
    '.dravenloom-hidden{position:absolute;left:0;top:0;width:1px;height:1px;overflow:hidden;',
    'clip:rect(0 0 0 0);white-space:pre-wrap;margin:0}'
  ].join('');

  function addStyle(document) {
    if (styled)
      return;
    styled = true;
    var style = document.createElement('style');
    style.textContent = Style;
    (document.head || document.documentElement).appendChild(style);
  }

  function element(document, tag, className, text) {
    var node = document.createElement(tag);
    if (className)
      node.className = className;
    if (text !== undefined)
      node.textContent = text;
    return node;
  }

  function quotedFamily(name) {
    return '"' + name.replace(/["\\]/g, '') + '"';
  }

  // The named face, then its free twin of the same metrics, then the generic family.
  function fontFamilies(face) {
    var twin = FaceTwins[face] || ['Liberation Serif', 'serif'];
    return quotedFamily(face) + ', ' + quotedFamily(twin[0]) + ', ' + twin[1];
  }

  function cssColour(text, fallback) {
    return /^#[0-9a-fA-F]{6}$/.test(text || '') ? text : fallback;
  }

  // The PARAMs of an element by name in any case, as Java hands them to an applet.
  function readParams(applet) {
    var params = {};
    var nodes = applet.querySelectorAll('param');
    for (var i = 0; i < nodes.length; ++i) {
      var name = (nodes[i].getAttribute('name') || '').toLowerCase();
      if (name && !Object.prototype.hasOwnProperty.call(params, name))
        params[name] = nodes[i].getAttribute('value') || '';
    }
    return params;
  }

  function settingsFrom(params) {
    var style = (params.style || '').toLowerCase();
    return {
      frameWidth: params.framewidth || '300',
      frameHeight: params.frameheight || '400',
      fileName: params.filename || '',
      title: params.title || '',
      button: params.button || '',
      background: cssColour(params.background, '#FFFFFF'),
      text: cssColour(params.text, '#000000'),
      face: params.face || 'Times New Roman',
      bold: style.indexOf('bold') >= 0,
      italic: style.indexOf('italic') >= 0,
      size: params.size || '12',
      textStart: params.textstart || '5',
      image: params.image || 'gray.gif',
      imageDir: params.imagedir || ''
    };
  }

  function positiveOr(text, fallback) {
    var value = readNumber(text);
    return value !== null && value > 0 ? value : fallback;
  }

  // The picture at `url`, or null when there is none to load.
  function loadPicture(window, url) {
    if (!url)
      return Promise.resolve(null);
    return new Promise(function (resolve) {
      var picture = new window.Image();
      picture.onload = function () { resolve(picture); };
      picture.onerror = function () { resolve(null); };
      picture.src = url;
    });
  }

  // The size a response announces for its body, or null when it does not say or says it
  // for a compressed body (whose bytes are not the ones counted).
  function knownLength(response) {
    var encoding = (response.headers.get('Content-Encoding') || 'identity').trim().toLowerCase();
    var length = readNumber((response.headers.get('Content-Length') || '').trim());
    return encoding === 'identity' && length !== null && length > 0 ? length : null;
  }

  // The body's bytes, read piece by piece so that `progress(received, total)` can tell how
  // far it is; total is null when the size is not known.
  function readBody(response, progress) {
    var total = knownLength(response);
    if (!response.body || typeof response.body.getReader !== 'function') {
      return response.arrayBuffer().then(function (buffer) {
        progress(buffer.byteLength, total);
        return new Uint8Array(buffer);
      });
    }
    var reader = response.body.getReader();
    var pieces = [];
    var received = 0;
    progress(0, total);
    var next = function () {
      return reader.read().then(function (part) {
        if (part.done) {
          var bytes = new Uint8Array(received);
          var at = 0;
          pieces.forEach(function (piece) {
            bytes.set(piece, at);
            at += piece.length;
          });
          return bytes;
        }
        pieces.push(part.value);
        received += part.value.length;
        // A server that sends more than it announced: the size was not known after all.
        progress(received, total !== null && received <= total ? total : null);
        return next();
      });
    };
    return next();
  }

  // The guides a page has fetched, by address: the players of a page that play the same guide
  // share one fetch, and a guide is fetched once however often it is launched. A fetch that
  // failed is forgotten, so that a later launch tries again.
  var pageGuides = new WeakMap(); // document -> Map(address -> loader)

  function guideLoader(window, document, url, name, fromFile) {
    var guides = pageGuides.get(document);
    if (!guides) {
      guides = new Map();
      pageGuides.set(document, guides);
    }
    var loader = guides.get(url);
    if (loader)
      return loader;
    loader = {received: 0, total: null, listeners: []};
    var progress = function (received, total) {
      loader.received = received;
      loader.total = total;
      loader.listeners.forEach(function (listener) { listener(received, total); });
    };
    loader.guide = Promise.resolve().then(function () {
      return fetchFile(window, url);
    }).then(function (response) {
      if (!response.ok)
        throw new GuideError('cannot load guide ' + name);
      return readBody(response, progress).catch(function () {
        throw new GuideError('cannot load guide ' + name);
      });
    }, function () {
      throw new GuideError('cannot load guide ' + name + (fromFile ?
        ' (a page opened from a file cannot fetch it: open the page from a web server)' : ''));
    }).then(function (bytes) {
      return parseGuide(decodeCodePage(bytes), name);
    }).catch(function (error) {
      if (guides.get(url) === loader)
        guides.delete(url);
      throw error;
    });
    guides.set(url, loader);
    return loader;
  }

  // A page that carries its own files (a guide exported as one page) holds them as data:
  // addresses in <script type="application/json" id="dravenloom-files">, by the name each file
  // has on the server; such a file is taken from there instead of being fetched.
  function embeddedFile(document, path, url) {
    var holder = document.getElementById('dravenloom-files');
    if (!holder)
      return url;
    if (!holder.files) {
      try {
        holder.files = JSON.parse(holder.textContent);
      } catch (error) {
        holder.files = {};
      }
    }
    var name = lastComponent(path);
    return Object.prototype.hasOwnProperty.call(holder.files, name) ? holder.files[name] : url;
  }

  // A file by its address: an embedded one (a base64 data: address) is decoded here, which is
  // many times faster than the browser's fetch of a data: address of some megabytes.
  function fetchFile(window, url) {
    var data = /^data:[^,]*;base64,/.exec(url);
    if (!data)
      return window.fetch(url);
    var text = url.slice(data[0].length);
    var bytes;
    try {
      if (window.Uint8Array.fromBase64) {
        bytes = window.Uint8Array.fromBase64(text);
      } else {
        var binary = window.atob(text);
        bytes = new window.Uint8Array(binary.length);
        for (var i = 0; i < binary.length; ++i)
          bytes[i] = binary.charCodeAt(i);
      }
    } catch (error) {
      return Promise.reject(error); // damaged: said as a guide that cannot be loaded
    }
    return Promise.resolve(new window.Response(bytes));
  }

  // One guide on the page: its launch button, its panel and the walk through it.
  function Player(applet, document) {
    var window = document.defaultView;
    this.window = window;
    this.document = document;
    this.settings = settingsFrom(readParams(applet));
    this.base = codeBase(document.baseURI, applet.getAttribute('codebase'));
    this.guide = null;
    this.loading = null;
    this.pictures = new Map();
    this.history = [];
    this.record = 1;
    this.layout = null;
    this.drawCount = 0;
    this.buildLaunch(applet);
  }

  Player.prototype.buildLaunch = function (applet) {
    var document = this.document;
    // A caption of blanks or none: the button reads "Dravenloom", as the applet's does.
    var caption = isBlank(this.settings.button) ? DefaultTitle : this.settings.button;
    var launch = element(document, 'button', 'dravenloom-launch', caption);
    launch.type = 'button';
    launch.setAttribute('aria-haspopup', 'dialog');
    var self = this;
    launch.addEventListener('click', function () { self.open(); });
    applet.parentNode.replaceChild(launch, applet);
    this.launch = launch;
  };

  Player.prototype.buildPanel = function () {
    var document = this.document;
    var self = this;
    var id = 'dravenloom-' + (++panels);
    this.id = id;
    var panel = element(document, 'div', 'dravenloom-panel');
    panel.setAttribute('role', 'dialog');
    panel.setAttribute('aria-modal', 'true');
    panel.setAttribute('aria-labelledby', id + '-title');
    panel.style.width = positiveOr(this.settings.frameWidth, 300) + 'px';
    panel.style.height = positiveOr(this.settings.frameHeight, 400) + 'px';
    var title = element(document, 'div', 'dravenloom-title', this.settings.title || DefaultTitle);
    title.id = id + '-title';
    panel.appendChild(title);

    var bar = element(document, 'div', 'dravenloom-bar');
    var buttons = [['Restart', 'Restarts the guide.', function () { self.restart(); }],
                   ['Back', 'Returns to the record last viewed.', function () { self.back(); }],
                   ['Close', 'Hides the guide.', function () { self.close(); }],
                   ['About...', 'Displays information about the makers of the guide applet.',
                    function () { self.about(); }]];
    buttons.forEach(function (entry) {
      var button = element(document, 'button', '', entry[0]);
      button.type = 'button';
      button.title = entry[1];
      button.addEventListener('click', entry[2]);
      bar.appendChild(button);
    });
    panel.appendChild(bar);

    this.status = element(document, 'div', 'dravenloom-status');
    this.status.setAttribute('role', 'status');
    panel.appendChild(this.status);

    // How much of the guide has come: a bar, and the percentage (or the kilobytes when the
    // server does not say how big the guide is).
    this.progress = element(document, 'div', 'dravenloom-progress');
    this.progressBar = element(document, 'progress');
    this.progressBar.max = 100;
    this.progressBar.setAttribute('aria-label', 'Loading ' + this.settings.fileName);
    this.progressText = element(document, 'span', '', '');
    this.progressText.setAttribute('aria-hidden', 'true');
    this.progress.appendChild(this.progressBar);
    this.progress.appendChild(this.progressText);
    this.progress.hidden = true;
    panel.appendChild(this.progress);

    this.view = element(document, 'div', 'dravenloom-view');
    this.stage = element(document, 'div', 'dravenloom-stage');
    this.canvas = element(document, 'canvas');
    this.canvas.setAttribute('aria-hidden', 'true');
    this.stage.appendChild(this.canvas);
    this.view.appendChild(this.stage);
    panel.appendChild(this.view);

    this.aboutBox = element(document, 'div', 'dravenloom-about');
    this.aboutBox.setAttribute('role', 'alertdialog');
    this.aboutBox.setAttribute('aria-modal', 'true');
    this.aboutBox.setAttribute('aria-labelledby', id + '-about');
    this.aboutBox.hidden = true;
    AboutText.forEach(function (line, i) {
      var paragraph = element(document, 'p', '', line);
      if (i === 0)
        paragraph.id = id + '-about';
      self.aboutBox.appendChild(paragraph);
    });
    var ok = element(document, 'button', '', 'OK');
    ok.type = 'button';
    ok.addEventListener('click', function () { self.closeAbout(); });
    this.aboutBox.appendChild(ok);
    panel.appendChild(this.aboutBox);

    panel.addEventListener('keydown', function (event) {
      if (event.key !== 'Escape')
        return;
      event.preventDefault();
      if (!self.aboutBox.hidden)
        self.closeAbout();
      else
        self.close();
    });
    panel.setAttribute('tabindex', '-1');
    panel.hidden = true;
    document.body.appendChild(panel);
    this.panel = panel;
    this.context = this.canvas.getContext('2d');
  };

  // What Tab moves between while the panel is open: the About box's button while it shows,
  // else the panel's buttons and the responses on show, in the order of the page.
  Player.prototype.tabStops = function () {
    var scope = this.aboutBox.hidden ? this.panel : this.aboutBox;
    var nodes = scope.querySelectorAll('button, [tabindex="0"]');
    var stops = [];
    for (var i = 0; i < nodes.length; ++i) {
      var node = nodes[i];
      if (!node.disabled && !node.closest('[hidden]') && node.getClientRects().length > 0)
        stops.push(node);
    }
    return stops;
  };

  // Tab and Shift+Tab go round inside the panel, also from where the reader clicked outside.
  Player.prototype.keepTab = function (event) {
    var stops = this.tabStops();
    event.preventDefault();
    if (stops.length === 0) {
      this.panel.focus();
      return;
    }
    var at = stops.indexOf(this.document.activeElement);
    var next;
    if (at < 0)
      next = event.shiftKey ? stops.length - 1 : 0;
    else
      next = (at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length;
    stops[next].focus();
  };

  Player.prototype.open = function () {
    if (!this.panel)
      this.buildPanel();
    this.panel.hidden = false;
    shown = shown.filter(function (player) { return player !== this; }, this).concat([this]);
    this.panel.focus();
    this.history = [];
    this.record = 1;
    var self = this;
    return this.ensureGuide().then(function (ready) {
      if (ready && !self.panel.hidden)
        return self.draw().then(function () { self.focusFirstResponse(); });
    });
  };

  // The guide, fetched and read once per page; false when it cannot be played (the panel says
  // why).
  Player.prototype.ensureGuide = function () {
    var self = this;
    if (this.guide)
      return Promise.resolve(true);
    if (this.loading)
      return this.loading;
    var name = this.settings.fileName;
    this.say('Loading ' + name + '...');
    this.status.classList.add('dravenloom-busy');
    var fromFile = !!(this.window.location && this.window.location.protocol === 'file:');
    var guide;
    try {
      if (!this.base)
        throw new GuideError('cannot load guide ' + name);
      var url = embeddedFile(this.document, name, guideUrl(this.base, name));
      var loader = guideLoader(this.window, this.document, url, name, fromFile);
      var showProgress = function (received, total) { self.showProgress(received, total); };
      loader.listeners.push(showProgress);
      showProgress(loader.received, loader.total);
      guide = loader.guide;
    } catch (error) {
      guide = Promise.reject(error);
    }
    this.loading = Promise.all([
      guide,
      loadPicture(this.window, embeddedFile(this.document, this.settings.image,
        pictureUrl(this.base, this.settings.imageDir, this.settings.image)))
    ]).then(function (loaded) {
      self.guide = loaded[0];
      self.button = loaded[1];
      self.status.classList.remove('dravenloom-busy');
      self.progress.hidden = true;
      self.say('');
      return true;
    }).catch(function (error) {
      self.loading = null; // a later launch tries again
      self.status.classList.remove('dravenloom-busy');
      self.progress.hidden = true;
      self.say(error instanceof GuideError ? error.message : 'cannot load guide ' + name);
      return false;
    });
    return this.loading;
  };

  Player.prototype.showProgress = function (received, total) {
    var text;
    if (total) {
      var percent = Math.min(100, Math.floor(received * 100 / total));
      this.progressBar.value = percent;
      text = percent + '%';
    } else {
      this.progressBar.removeAttribute('value');
      text = received > 0 ? Math.ceil(received / 1024) + ' KB' : '';
    }
    if (this.progressText.textContent !== text)
      this.progressText.textContent = text;
    this.progress.hidden = false;
  };

  Player.prototype.say = function (text) {
    this.status.textContent = text;
  };

  Player.prototype.font = function (bold, italic) {
    return (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + this.pixels + 'px ' +
           fontFamilies(this.settings.face);
  };

  Player.prototype.measurer = function () {
    var self = this;
    if (!this.measure || this.measure.pixels !== this.pixels) {
      this.measure = textMeasure(this.context, function (bold, italic) {
        return self.font(bold, italic);
      });
      this.measure.pixels = this.pixels;
    }
    return this.measure;
  };

  Player.prototype.picture = function (path) {
    var url = embeddedFile(this.document, path,
                           pictureUrl(this.base, this.settings.imageDir, path));
    if (!this.pictures.has(url))
      this.pictures.set(url, loadPicture(this.window, url));
    return this.pictures.get(url);
  };

  // Draws this.record. A record that cannot be laid out leaves the screen as it was, with
  // nothing on it to click; a picture that cannot be loaded is named and the rest is drawn.
  Player.prototype.draw = function () {
    var self = this;
    var count = ++this.drawCount;
    var settings = this.settings;
    var points;
    try {
      points = pointsForSize(settings.size);
    } catch (error) {
      this.say('the font size "' + settings.size + '" is not a number');
      return Promise.resolve();
    }
    this.pixels = pixelSize(points);
    var layoutSettings = {textStart: settings.textStart, width: settings.frameWidth,
                          size: settings.size, face: settings.face, bold: settings.bold,
                          italic: settings.italic};
    var measure = this.measurer();
    var layout = layOutRecordScreen(this.guide, this.record, layoutSettings, points, measure);
    if (layout.clearsRegions)
      this.clearResponses();
    if (!layout.paints) {
      this.say(layout.failure ? layout.failure.message : '');
      return Promise.resolve();
    }
    var pending = layout.graphic ? this.picture(layout.graphic.path) : Promise.resolve(null);
    return pending.then(function (picture) {
      if (count !== self.drawCount)
        return; // a later draw took over
      var metrics = self.paint(layout, picture, measure);
      self.layout = layout;
      // A screen that ended early keeps the responses it drew, as in the program.
      self.addResponses(layout, metrics,
                        parsePrimaryLine(self.guide.line(layout.primary)).dialogue);
      var problems = [];
      if (layout.graphic && !picture)
        problems.push('cannot load picture ' + lastComponent(layout.graphic.path));
      if (layout.failure)
        problems.push(layout.failure.message);
      self.say(problems.join('; '));
      self.panel.setAttribute('data-record', String(self.record));
      self.panel.dispatchEvent(new self.window.CustomEvent('dravenloom:drawn',
                                                           {detail: {record: self.record}}));
    });
  };

  Player.prototype.paint = function (layout, picture, measure) {
    var context = this.context;
    var widths = layout.lines.map(function (line) {
      return measure(line.text, line.bold, line.italic);
    });
    context.font = this.font(true, false);
    var metrics = context.measureText('Mg');
    var ascent = Math.round(metrics.fontBoundingBoxAscent || this.pixels * 0.9);
    var lineHeight = ascent + Math.round(metrics.fontBoundingBoxDescent || this.pixels * 0.25);
    var right = 0;
    var bottom = Math.min(layout.bottom || 0, LargestSurface);
    layout.lines.forEach(function (line, i) {
      right = Math.max(right, line.x + widths[i]);
      bottom = Math.max(bottom, Math.min(line.y + lineHeight, LargestSurface));
    });
    if (picture && layout.graphic) {
      right = Math.max(right, layout.graphic.x + picture.naturalWidth);
      bottom = Math.max(bottom, layout.graphic.y + picture.naturalHeight);
    }
    var cssWidth = Math.min(Math.max(this.view.clientWidth, right + 5), LargestSurface);
    var cssHeight = Math.min(Math.max(this.view.clientHeight, bottom + 5), LargestSurface);
    var ratio = this.window.devicePixelRatio || 1;
    this.canvas.width = Math.round(cssWidth * ratio);
    this.canvas.height = Math.round(cssHeight * ratio);
    this.canvas.style.width = cssWidth + 'px';
    this.canvas.style.height = cssHeight + 'px';
    this.stage.style.width = cssWidth + 'px';
    this.stage.style.height = cssHeight + 'px';
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    if ('fontKerning' in context)
      context.fontKerning = 'none';
    context.fillStyle = this.settings.background;
    context.fillRect(0, 0, cssWidth, cssHeight);
    if (picture && layout.graphic)
      context.drawImage(picture, layout.graphic.x, layout.graphic.y);
    var self = this;
    var nextButton = 0;
    var drawButton = function (button) {
      if (self.button) {
        context.drawImage(self.button, button.x, button.y, ButtonSize, ButtonSize);
      } else {
        // A missing button picture: a plain square stands in.
        context.fillStyle = '#C0C0C0';
        context.fillRect(button.x, button.y, ButtonSize, ButtonSize);
        context.strokeStyle = '#404040';
        context.strokeRect(button.x + 0.5, button.y + 0.5, ButtonSize - 1, ButtonSize - 1);
      }
    };
    context.textBaseline = 'alphabetic';
    layout.lines.forEach(function (line, i) {
      while (nextButton < layout.buttons.length && layout.buttons[nextButton].beforeLine <= i)
        drawButton(layout.buttons[nextButton++]);
      // Opaque text: its cell is painted in the background colour, also over the picture.
      context.fillStyle = self.settings.background;
      context.fillRect(line.x, line.y, widths[i], lineHeight);
      context.font = self.font(line.bold, line.italic);
      context.fillStyle = self.settings.text;
      // Character by character at whole pixels, where the program's canvas puts them.
      var x = line.x;
      for (var c = 0; c < line.text.length; ++c) {
        var character = line.text.charAt(c);
        context.fillText(character, x, line.y + ascent);
        x += measure(character, line.bold, line.italic);
      }
    });
    while (nextButton < layout.buttons.length)
      drawButton(layout.buttons[nextButton++]);
    return {widths: widths, lineHeight: lineHeight};
  };

  Player.prototype.clearResponses = function () {
    if (this.screen) {
      this.screen.parentNode.removeChild(this.screen);
      this.screen = null;
    }
  };

  // What a screen reader meets of the record on show, in this order: a group named by the
  // dialogue, the dialogue itself, then one button per response. Each response button lies
  // over the whole of its row, the picture and every line of its text, so that a click
  // anywhere on the row follows the response; nothing of it is drawn, the canvas shows the
  // screen as the Demonstration does.
  Player.prototype.addResponses = function (layout, metrics, dialogue) {
    var self = this;
    var document = this.document;
    var screen = element(document, 'div', 'dravenloom-screen');
    var said = element(document, 'p', 'dravenloom-hidden', dialogue.split(LineBreak).join('\n'));
    said.id = this.id + '-dialogue';
    said.setAttribute('tabindex', '-1');
    screen.setAttribute('role', 'group');
    screen.setAttribute('aria-labelledby', said.id);
    screen.appendChild(said);
    responseRows(layout, metrics.widths, metrics.lineHeight).forEach(function (row, k) {
      var button = layout.buttons[k];
      var label = button.label.replace(/\s+/g, ' ').trim() || layout.regions.targets[k];
      if (isWebTarget(layout.regions.targets[k]) && openableAddress(layout.regions.targets[k]))
        label += ' (opens in a new tab)';
      var node = element(document, 'button', 'dravenloom-response');
      node.type = 'button';
      node.setAttribute('aria-label', label);
      node.style.left = row.left + 'px';
      node.style.top = row.top + 'px';
      node.style.width = (row.right - row.left) + 'px';
      node.style.height = (row.bottom - row.top) + 'px';
      if (row.top >= LargestSurface)
        node.hidden = true;
      node.addEventListener('click', function () { self.follow(k); });
      screen.appendChild(node);
    });
    this.stage.appendChild(screen);
    this.screen = screen;
  };

  // A response's target is a web or mail address when it holds a full stop, as in the
  // program.
  function isWebTarget(target) {
    return target.indexOf('.') >= 0;
  }

  // The box of each response's row: from its picture's top left to the right of its widest
  // line and the bottom of its picture or of its last line, whichever is lower. `widths` are
  // the widths of the layout's lines, `lineHeight` the height of a drawn line.
  function responseRows(layout, widths, lineHeight) {
    return layout.buttons.map(function (button, k) {
      var end = k + 1 < layout.buttons.length ? layout.buttons[k + 1].beforeLine :
                                                 layout.lines.length;
      var row = {left: button.x, top: button.y, right: button.x + ButtonSize,
                 bottom: Math.min(button.y + ButtonSize, LargestSurface)};
      for (var i = button.beforeLine; i < end; ++i) {
        var line = layout.lines[i];
        row.right = Math.max(row.right, line.x + widths[i]);
        row.bottom = Math.max(row.bottom, Math.min(line.y + lineHeight, LargestSurface));
      }
      return row;
    });
  }

  // The response k of the screen on show: a web or mail address opens in a new tab; a record
  // jumps there, the record on show going onto the history. A response that cannot be
  // followed says why and leaves the screen as it is, its responses live.
  Player.prototype.follow = function (k) {
    var target = this.layout.regions.targets[k];
    var label = this.layout.buttons[k].label.replace(/\s+/g, ' ').trim();
    if (isWebTarget(target)) {
      var address = openableAddress(target);
      if (address) {
        this.say('');
        this.window.open(address, '_blank', 'noopener');
      } else {
        this.say('the response "' + label + '" links to "' + target +
                 '", which is not a web or mail address');
      }
      return Promise.resolve();
    }
    var position = readNumber(target);
    var line = position === null ? undefined : this.guide.line(position);
    if (line === undefined)
      return Promise.resolve();
    // Read now, so that the jump goes where the guide says.
    var jump = lineTarget(line);
    if (jump === '')
      return Promise.resolve();
    var next = readNumber(jump);
    if (next === null) {
      this.say('the response "' + lineText(line) + '" names no record');
      return Promise.resolve();
    }
    var exists = true;
    try {
      exists = this.guide.findPrimaryLine(next) >= 0;
    } catch (error) {
      // A line without a number on the way: the draw names it.
    }
    if (!exists) {
      this.say('the response "' + label + '" leads to record ' + next +
               ', which is not in this guide');
      return Promise.resolve();
    }
    this.history.push(this.record);
    this.record = next;
    var self = this;
    return this.draw().then(function () { self.focusFirstResponse(); });
  };

  // The focus goes to the first response, or to the dialogue of a record without any.
  Player.prototype.focusFirstResponse = function () {
    if (this.panel.hidden)
      return;
    var first = this.screen && (this.screen.querySelector('.dravenloom-response:not([hidden])') ||
                                this.screen.querySelector('.dravenloom-hidden'));
    (first || this.panel).focus({preventScroll: true});
    this.view.scrollTop = 0;
    this.view.scrollLeft = 0;
  };

  Player.prototype.restart = function () {
    if (!this.guide)
      return this.open();
    this.record = 1;
    this.history = [];
    var self = this;
    return this.draw().then(function () { self.focusFirstResponse(); });
  };

  Player.prototype.back = function () {
    if (!this.guide || this.history.length === 0)
      return Promise.resolve();
    this.record = this.history.pop();
    var self = this;
    return this.draw().then(function () { self.focusFirstResponse(); });
  };

  Player.prototype.close = function () {
    this.closeAbout();
    this.panel.hidden = true;
    shown = shown.filter(function (player) { return player !== this; }, this);
    this.history = [];
    this.launch.focus();
  };

  Player.prototype.about = function () {
    this.aboutBox.hidden = false;
    this.aboutBox.querySelector('button').focus();
  };

  // The focus goes back to the button that opened the box.
  Player.prototype.closeAbout = function () {
    if (this.aboutBox.hidden)
      return;
    this.aboutBox.hidden = true;
    var buttons = this.panel.querySelectorAll('.dravenloom-bar button');
    (buttons[buttons.length - 1] || this.panel).focus();
  };

  // While a panel is open, Tab goes round inside the panel opened last, wherever the focus
  // was. Escape pressed outside every panel (the reader clicked the page) closes the panel
  // opened last; inside a panel, the panel's own handler has closed it already.
  function panelKeys(event) {
    if (shown.length === 0 || event.defaultPrevented)
      return;
    var top = shown[shown.length - 1];
    if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && !event.metaKey)
      top.keepTab(event);
    else if (event.key === 'Escape')
      top.close();
  }

  // Every applet element that loads Dravenloom.class, in any case, gets its player.
  function enhance(document) {
    var applets = Array.prototype.slice.call(document.getElementsByTagName('applet'));
    var players = [];
    applets.forEach(function (applet) {
      if ((applet.getAttribute('code') || '').trim().toLowerCase() !== 'dravenloom.class')
        return;
      if (players.length === 0) {
        addStyle(document);
        document.addEventListener('keydown', panelKeys);
      }
      players.push(new Player(applet, document));
    });
    return players;
  }

  function enhanceWhenReady(document) {
    if (document.readyState === 'loading')
      document.addEventListener('DOMContentLoaded', function () { enhance(document); });
    else
      enhance(document);
  }

  return {
    GuideError: GuideError,
    decodeCodePage: decodeCodePage,
    splitGuideText: splitGuideText,
    readNumber: readNumber,
    lineNumber: lineNumber,
    lineText: lineText,
    lineTarget: lineTarget,
    parsePrimaryLine: parsePrimaryLine,
    parseGuide: parseGuide,
    layoutParagraph: layoutParagraph,
    layOutRecordScreen: layOutRecordScreen,
    findLink: findLink,
    pointsForSize: pointsForSize,
    pixelSize: pixelSize,
    openableAddress: openableAddress,
    lastComponent: lastComponent,
    codeBase: codeBase,
    guideUrl: guideUrl,
    pictureUrl: pictureUrl,
    fontFamilies: fontFamilies,
    wholePixels: wholePixels,
    textMeasure: textMeasure,
    responseRows: responseRows,
    enhance: enhance,
    enhanceWhenReady: enhanceWhenReady
  };
}));
