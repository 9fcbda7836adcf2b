// Real decks in the browser: the bundled sample deck and decks from the
// shared collection, exported both ways, open without errors, page through
// all their slides, and draw a picture slide that is not blank (the
// screenshot is kept under the test output folder for a person to look at).
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';

import { chromiumAvailable, launchBrowser, openPlayer } from './support/browser.mjs';
import { env, exportBoth, missingSetup, variables, workFolder } from './support/exports.mjs';
import { decodePng, pictureContent } from './support/png.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');

// Pictures, media with posters, crops in groups, many slides, odd sizes.
const SHARED_DECKS = [
  'oxsdk__Photo_Album3.pptx',
  'poi__layouts.pptx',
  'poi__54542_cropped_bitmap.pptx',
  'automizer__SlideWithMedia.pptx',
  'poi__EmbeddedAudio.pptx',
  'docling__docling_ecosystem.pptx',
  'docx4j__AutoShapes.pptx',
];

const sharedDecks = () => (env.sharedDir ? SHARED_DECKS.map((d) => join(env.sharedDir, 'decks', d)).filter(existsSync) : []);
const sampleDeck = () => (env.sourceDir ? join(env.sourceDir, 'examples', 'sample.pptx') : '');

let browser, server, folder;

before(async () => {
  if (skip) return;
  folder = workFolder('real');
  server = await serveFolder(folder);
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// Shows the first slide with a picture (or slide 1), waits until its
// pictures are decoded and the bars are hidden, and screenshots the stage.
// Returns the slide number and the PNG.
async function screenshotSlide(page) {
  // Without transitions the bars are gone the moment their class is.
  await page.emulateMedia({ reducedMotion: 'reduce' });
  const slide = await page.evaluate(() => {
    const withPicture = document.querySelector('.slide image');
    const n = withPicture ? Number(withPicture.closest('.slide').dataset.index) : 1;
    window.Tarvik.goto(n);
    return n;
  });
  await page.evaluate(async () => {
    for (const image of document.querySelectorAll('.slide.active image')) {
      const img = new Image();
      img.src = image.getAttribute('href');
      await img.decode().catch(() => {});
    }
  });
  await page.clock.runFor(3000);
  return { slide, png: await page.locator('#stage').screenshot() };
}

async function checkDeck(deck, { screenshot }) {
  const out = exportBoth(deck, folder);
  const slides = Number(variables(out.htmlOut).get('[PPTXHTMLSlides]'));
  assert.equal(variables(out.webOut).get('[PPTXWebSlides]'), String(slides));
  for (const path of [out.html, out.web]) {
    const player = await openPlayer(browser, server.url(path));
    const { page } = player;
    assert.equal(await page.evaluate(() => window.Tarvik.count()), slides);
    assert.equal(await page.locator('#thumbs .thumb').count(), slides);
    if (screenshot && path === out.html) {
      const { slide, png } = await screenshotSlide(page);
      mkdirSync(join(env.outDir, 'screens'), { recursive: true });
      const file = join(env.outDir, 'screens', `${basename(deck)}-slide${slide}.png`);
      writeFileSync(file, png);
      const content = pictureContent(decodePng(png));
      assert.ok(content.colours >= 8 && content.nonDominant >= 0.05,
        `${basename(deck)} slide ${slide} looks blank (${JSON.stringify(content)}); see ${file}`);
      await page.evaluate(() => window.Tarvik.goto(1));
    }
    for (let i = 1; i < slides; i++) await page.keyboard.press('ArrowRight');
    assert.equal(await page.evaluate(() => window.Tarvik.current()), Math.max(slides, 1));
    await player.context.close();
    assert.deepEqual(player.errors, [], `${basename(deck)} (${path})`);
  }
}

describe('real decks in the player', { skip }, () => {
  it('plays the bundled sample deck', { skip: existsSync(sampleDeck()) ? false : 'examples/sample.pptx not written yet' },
    async () => {
      await checkDeck(sampleDeck(), { screenshot: true });
    });

  it('plays decks of the shared collection', { skip: sharedDecks().length ? false : 'no shared decks here' },
    async () => {
      let first = true;
      for (const deck of sharedDecks()) {
        await checkDeck(deck, { screenshot: first });
        first = false;
      }
    });
});
