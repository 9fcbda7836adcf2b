// Shrunk text in the player is set again at full size and shrunk only as far
// as its box needs, whatever scale the deck stored; unwrapped lines too long
// for their box grow the way their alignment points (autofit.pptx, player_deck).
import { after, before, it } from 'node:test';
import assert from 'node:assert/strict';

import { chromiumAvailable, launchBrowser, openPlayer } from './support/browser.mjs';
import { exportBoth, missingSetup, workFolder, writePlayerDecks } from './support/exports.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
let browser, server, boxes, lines;

// Per box (by its first word): its size, and how far its last line with
// text ends below the box's content area, in slide pixels, without the
// shift (style top) that only moves the drawn baselines.
function measureBoxes() {
  return Array.from(document.querySelectorAll('.slide.active [data-autofit]'), (box) => {
    const scale = box.getBoundingClientRect().height / box.offsetHeight;
    const end = box.getBoundingClientRect().bottom - parseFloat(getComputedStyle(box).paddingBottom) * scale;
    const last = Array.from(box.querySelectorAll('div')).filter((d) => d.style.lineHeight && /\S/.test(d.textContent)).pop();
    const bottom = last.getBoundingClientRect().bottom - (parseFloat(last.style.top) || 0) * (4 / 3) * scale;
    return [box.textContent.trim().split(' ')[0], { pt: parseFloat(box.querySelector('span').style.fontSize), past: (bottom - end) / scale }];
  });
}

// Per unwrapped line (by its alignment): where its text starts, centres and
// ends, less where its box's content area does, in slide pixels.
function measureLines() {
  return Array.from(document.querySelectorAll('.slide.active foreignObject'))
    .filter((fo) => fo.textContent.startsWith('Unwrapped-'))
    .map((fo) => {
      const content = fo.firstElementChild, cs = getComputedStyle(content);
      const scale = content.getBoundingClientRect().width / content.offsetWidth;
      const box = content.getBoundingClientRect(), text = content.querySelector('span').getBoundingClientRect();
      const left = box.left + parseFloat(cs.paddingLeft) * scale, right = box.right - parseFloat(cs.paddingRight) * scale;
      return [fo.textContent.split(' ')[0].slice('Unwrapped-'.length), {
        start: (text.left - left) / scale, centre: ((text.left + text.right) - (left + right)) / 2 / scale,
        end: (text.right - right) / scale, width: (text.width - (right - left)) / scale,
      }];
    });
}

before(async () => {
  if (skip) return;
  const folder = workFolder('autofit');
  const { html } = exportBoth(writePlayerDecks(folder).autofit, folder);
  server = await serveFolder(folder);
  browser = await launchBrowser();
  const { page, context, errors } = await openPlayer(browser, server.url(html));
  boxes = new Map(await page.evaluate(measureBoxes));
  lines = new Map(await page.evaluate(measureLines));
  await context.close();
  assert.deepEqual(errors, []);
});

after(async () => {
  await browser?.close();
  await server?.close();
});

for (const [box, what, shrinks] of [
  ['Box2', 'text four times too tall shrinks until it just fits', true],
  ['Box3', 'text stored at half size that fits at full size is set at full size', false],
  ['Box4', 'empty paragraphs past the box do not shrink the line that fits', false],
]) {
  it(what, { skip }, () => {
    const b = boxes.get(box);
    assert.ok(b.past <= 1, `${box} ends ${b.past} px past its box`);
    if (!shrinks) return assert.equal(b.pt, 28);
    assert.ok(b.pt < 28 && b.pt > 7, `${box} set at ${b.pt} pt`);
    assert.ok(b.past > -40, `${box} leaves ${-b.past} px empty`);
  });
}

for (const [align, edge] of [['l', 'start'], ['ctr', 'centre'], ['r', 'end']]) {
  it(`an unwrapped line too long for its box keeps its ${edge} where its alignment puts it`, { skip }, () => {
    const line = lines.get(align);
    assert.ok(line.width > 40, `the ${align} line overflows its box by only ${line.width} px`);
    assert.ok(Math.abs(line[edge]) <= 1, `the ${align} line's ${edge} is ${line[edge]} px off: ${JSON.stringify(line)}`);
  });
}
