// What a slide paints, by pixels: a master's art under the slide's shapes,
// a linear gradient running the way its angle says, and an arrowhead at the
// end of a line. paint.pptx (player_deck) puts each where these probes look.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import { chromiumAvailable, launchBrowser, openPlayer } from './support/browser.mjs';
import { env, exportBoth, missingSetup, workFolder, writePlayerDecks } from './support/exports.mjs';
import { decodePng } from './support/png.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
const SLIDE_WIDTH_PX = 1280;

let browser, server, shot;

before(async () => {
  if (skip) return;
  const folder = workFolder('paint');
  const { paint } = writePlayerDecks(folder);
  const { html, web } = exportBoth(paint, folder);
  server = await serveFolder(folder);
  browser = await launchBrowser();
  shot = {};
  for (const [form, path] of [['single file', html], ['web folder', web]]) {
    const { page, context } = await openPlayer(browser, server.url(path));
    const png = await page.locator('.slide.active svg').first().screenshot();
    mkdirSync(join(env.outDir, 'screens'), { recursive: true });
    writeFileSync(join(env.outDir, 'screens', `paint-${form.replace(' ', '-')}.png`), png);
    shot[form] = decodePng(png);
    await context.close();
  }
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// The colour at a share of the slide's width and height, moved by whole
// slide pixels.
function probe(image, fx, fy, dxPx = 0, dyPx = 0) {
  const scale = image.width / SLIDE_WIDTH_PX;
  const x = Math.round(fx * image.width + dxPx * scale), y = Math.round(fy * image.height + dyPx * scale);
  const o = (y * image.width + x) * image.channels;
  return { r: image.pixels[o], g: image.pixels[o + 1], b: image.pixels[o + 2] };
}

const isGreen = (c) => c.g > 120 && c.r < 80 && c.b < 130;
const isRed = (c) => c.r > 170 && c.g < 80 && c.b < 90;
const isBlue = (c) => c.b > 170 && c.g < 80 && c.r < 90;
const isMixed = (c) => c.r > 50 && c.b > 50 && c.g < 80;
const isDark = (c) => c.r + c.g + c.b < 200;
const isWhite = (c) => c.r > 230 && c.g > 230 && c.b > 230;

describe('slide paint in chromium', { skip }, () => {
  for (const form of ['single file', 'web folder']) {
    it(`draws master art, the gradient and the arrowhead (${form})`, () => {
      const image = shot[form];
      const checks = [
        ['master band', probe(image, 0.5, 0.05), isGreen],
        ['gradient start', probe(image, 0.12, 0.4), isRed],
        ['gradient middle', probe(image, 0.5, 0.4), isMixed],
        ['gradient end', probe(image, 0.88, 0.4), isBlue],
        // Beside the line, 4 px off its axis: inside the head near the tip,
        // blank along the shaft.
        ['arrowhead', probe(image, 0.8, 0.75, -15, -4), isDark],
        ['beside the shaft', probe(image, 0.45, 0.75, 0, -4), isWhite],
      ];
      for (const [what, colour, rule] of checks) assert.ok(rule(colour), `${what}: ${JSON.stringify(colour)}`);
    });
  }
});
