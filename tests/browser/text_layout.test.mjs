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

// Per run of the active slide (by its text before any tab): where that text
// lies from the box's text edge (the boxes have no insets), in slide
// pixels, and its font size; with the run after it, where a tab leads.
function measureRuns() {
  const found = [];
  for (const fo of document.querySelectorAll('.slide.active foreignObject')) {
    const content = fo.firstElementChild, box = content.getBoundingClientRect();
    const scale = box.width / content.offsetWidth, runs = Array.from(content.querySelectorAll('div > span'));
    const place = (span) => {
      const range = document.createRange();
      range.selectNodeContents(span.firstChild);
      const r = range.getBoundingClientRect();
      return { left: (r.left - box.left) / scale, right: (r.right - box.left) / scale, top: (r.top - box.top) / scale,
        bottom: (r.bottom - box.top) / scale, pt: parseFloat(span.style.fontSize) };
    };
    runs.forEach((span, i) => found.push([span.firstChild.textContent.trim(), { ...place(span), next: runs[i + 1] && place(runs[i + 1]) }]));
  }
  return found;
}

before(async () => {
  if (skip) return;
  const folder = workFolder('tabs');
  const { html } = exportBoth(writePlayerDecks(folder).textLayout, folder);
  server = await serveFolder(folder);
  browser = await launchBrowser();
  const { page, context, errors } = await openPlayer(browser, server.url(html));
  lines = new Map(await page.evaluate(measureRuns));
  await page.keyboard.press('ArrowRight');
  columns = new Map(await page.evaluate(measureRuns));
  await context.close();
  assert.deepEqual(errors, []);
});

after(async () => {
  await browser?.close();
  await server?.close();
});

for (const [name, edge, at, what] of [
  ['Left-300', 'left', 300, 'from a hanging first line past the margin, to the stop'],
  ['Right-700', 'right', 700, 'the value ends on a right stop'],
  ['Shrunk-100-600', 'left', 600, 'text that passes the first stop at the size it is fitted to goes to the next'],
]) {
  it(what, { skip }, () => {
    const line = lines.get(name);
    assert.ok(Math.abs(line.next[edge] - at) <= 1, `${name}: ${JSON.stringify(line)}`);
  });
}

it('past the deck\'s stops, the next multiple of the pitch from the text\'s edge, not the margin', { skip }, () => {
  const line = lines.get('Pitch-48'), start = line.next.left;
  assert.ok(Math.abs(start / 48 - Math.round(start / 48)) * 48 <= 1, JSON.stringify(line));
  assert.ok(start > line.right && start - line.right <= 49, JSON.stringify(line));
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
