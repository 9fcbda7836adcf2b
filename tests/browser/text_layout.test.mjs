// Text laid out as the deck asks (text_layout.pptx, player_deck): tabbed
// text lands on the deck's stops, measured from the text's left edge,
// wherever the browser set the text before the tab (each line's name says
// where its value belongs); text in columns fills them in turn.
import { after, before, it } from 'node:test';
import assert from 'node:assert/strict';

import { chromiumAvailable, launchBrowser, openPlayer } from './support/browser.mjs';
import { exportBoth, missingSetup, workFolder, writePlayerDecks } from './support/exports.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
let browser, server, lines, columns;

// Per box (by its name): where its label ends and its value starts and ends,
// from the text's left edge, in slide pixels.
function measureTabs() {
  return Array.from(document.querySelectorAll('.slide.active foreignObject'), (fo) => {
    const content = fo.firstElementChild;
    const scale = content.getBoundingClientRect().width / content.offsetWidth;
    const origin = content.getBoundingClientRect().left + parseFloat(getComputedStyle(content).paddingLeft) * scale;
    const runs = content.querySelectorAll('div > span');
    const label = runs[0].firstChild, value = runs[runs.length - 1].getBoundingClientRect();
    const range = document.createRange();
    range.selectNodeContents(label);
    const at = (x) => (x - origin) / scale;
    return [label.textContent.trim(), { labelEnd: at(range.getBoundingClientRect().right), start: at(value.left), end: at(value.right) }];
  });
}

// Per line of the columns slide (by its text): its box, from the text's top
// left corner, in slide pixels, and its font size.
function measureColumns() {
  return Array.from(document.querySelectorAll('.slide.active foreignObject div > span'), (span) => {
    const content = span.closest('foreignObject').firstElementChild, box = content.getBoundingClientRect();
    const scale = box.width / content.offsetWidth, r = span.getBoundingClientRect();
    return [span.textContent, { left: (r.left - box.left) / scale, right: (r.right - box.left) / scale,
      top: (r.top - box.top) / scale, bottom: (r.bottom - box.top) / scale, pt: parseFloat(span.style.fontSize) }];
  });
}

before(async () => {
  if (skip) return;
  const folder = workFolder('tabs');
  const { html } = exportBoth(writePlayerDecks(folder).textLayout, folder);
  server = await serveFolder(folder);
  browser = await launchBrowser();
  const { page, context, errors } = await openPlayer(browser, server.url(html));
  lines = new Map(await page.evaluate(measureTabs));
  await page.keyboard.press('ArrowRight');
  columns = new Map(await page.evaluate(measureColumns));
  await context.close();
  assert.deepEqual(errors, []);
});

after(async () => {
  await browser?.close();
  await server?.close();
});

for (const [name, edge, at, what] of [
  ['Left-300', 'start', 300, 'from a hanging first line past the margin, to the stop'],
  ['Right-700', 'end', 700, 'the value ends on a right stop'],
  ['Shrunk-100-600', 'start', 600, 'text that passes the first stop at the size it is fitted to goes to the next'],
]) {
  it(what, { skip }, () => {
    const line = lines.get(name);
    assert.ok(Math.abs(line[edge] - at) <= 1, `${name}: ${JSON.stringify(line)}`);
  });
}

it('past the deck\'s stops, the next multiple of the pitch from the text\'s edge, not the margin', { skip }, () => {
  const line = lines.get('Pitch-48');
  const steps = line.start / 48;
  assert.ok(Math.abs(steps - Math.round(steps)) * 48 <= 1, JSON.stringify(line));
  assert.ok(line.start > line.labelEnd && line.start - line.labelEnd <= 49, JSON.stringify(line));
});

it('text in columns fills the first, then the next one a gap further', { skip }, () => {
  const first = columns.get('Columns2-1'), fourth = columns.get('Columns2-4'), third = columns.get('Columns2-3');
  assert.ok(Math.abs(first.left) <= 1 && Math.abs(first.top - fourth.top) <= 1, JSON.stringify({ first, fourth }));
  assert.ok(Math.abs(fourth.left - 550) <= 1, `the second column starts at ${fourth.left}`);
  assert.ok(third.bottom <= 141 && third.left < 1, JSON.stringify(third));
});

it('shrunk text in columns shrinks until no column runs past the last', { skip }, () => {
  const last = columns.get('Columns3-8');
  assert.ok(last.pt < 28, `set at ${last.pt} pt`);
  assert.ok(last.right <= 1001 && last.bottom <= 141, JSON.stringify(last));
});
