// The H5P package with real clients: @lumieducation/h5p-server's package
// validator accepts it (for the player deck and every shared deck), and
// h5p-standalone plays it in chromium: the slides render, and the buttons,
// keys, page box, progress bar, thumbnails and the autoplay interval (on a
// fake clock) behave as the content type promises.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { basename, join } from 'node:path';

import { chromiumAvailable, launchBrowser, newWatchedPage } from './support/browser.mjs';
import { env, missingSetup, variables, workFolder, writePlayerDecks, runTarvik } from './support/exports.mjs';
import { serveFolder } from './support/server.mjs';

const require = createRequire(import.meta.url);
const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
const STANDALONE = new URL('./node_modules/h5p-standalone/dist/', import.meta.url).pathname;

let folder, browser, server, exportOutput;

// The validator as an H5P server runs it on an upload: file sizes and
// extensions in the archive, then the extracted package (h5p.json, content,
// each library's metadata, semantics and files). The size limits are a
// site's settings; they are raised so that large decks are judged too.
async function validate(packageFile) {
  const { H5PConfig } = require('@lumieducation/h5p-server');
  const PackageValidator = require('@lumieducation/h5p-server/build/src/PackageValidator.js').default;
  const config = new H5PConfig(undefined);
  config.maxFileSize = 2 ** 31;
  config.maxTotalSize = 2 ** 31;
  const validator = new PackageValidator(config, undefined);
  const extracted = packageFile.replace(/\.h5p$/, '_extracted');
  rmSync(extracted, { recursive: true, force: true });
  mkdirSync(extracted, { recursive: true });
  execFileSync('unzip', ['-q', packageFile, '-d', extracted]);
  try {
    await validator.validateFileSizes(packageFile);
    return await validator.validateExtractedPackage(extracted, true, true, false);
  } catch (e) {
    return `${e.message} ${JSON.stringify(e.errors ?? [])}`;
  } finally {
    rmSync(extracted, { recursive: true, force: true });
  }
}

// Unzips the package into Folder/<name>/ with its content changed by Edit.
function installContent(packageFile, name, edit) {
  const target = join(folder, name);
  rmSync(target, { recursive: true, force: true });
  mkdirSync(target, { recursive: true });
  execFileSync('unzip', ['-q', packageFile, '-d', target]);
  if (edit) {
    const file = join(target, 'content', 'content.json');
    writeFileSync(file, JSON.stringify(edit(JSON.parse(readFileSync(file, 'utf8')))));
  }
  return name;
}

const HOST_PAGE = `<!DOCTYPE html><html><head><meta charset="utf-8"><title>H5P</title><link rel="icon" href="data:,">
<script src="/standalone/main.bundle.js"></script></head><body style="margin:0">
<div id="h5p" style="width:960px"></div>
<script>
const content = new URLSearchParams(location.search).get('content');
window.played = new H5PStandalone.H5P(document.getElementById('h5p'), {
  h5pJsonPath: '/' + content, frameJs: '/standalone/frame.bundle.js', frameCss: '/standalone/styles/h5p.css',
}).then(() => 'ok', (e) => 'failed: ' + e);
</script></body></html>`;

before(async () => {
  if (skip) return;
  folder = workFolder('h5p');
  const decks = writePlayerDecks(folder);
  exportOutput = runTarvik(['h5p', decks.player]);
  runTarvik(['h5p', decks.empty]);
  cpSync(STANDALONE, join(folder, 'standalone'), { recursive: true });
  writeFileSync(join(folder, 'host.html'), HOST_PAGE);
  server = await serveFolder(folder);
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// The content played by h5p-standalone on a paused fake clock; returns the
// page and the frame that holds the presentation.
async function play(content) {
  const { page, context, errors } = await newWatchedPage(browser, { width: 1100, height: 900 });
  await page.goto(`${server.url('host.html')}?content=${encodeURIComponent(content)}`, { waitUntil: 'load' });
  assert.equal(await page.evaluate(() => window.played), 'ok');
  // h5p-standalone attaches the content in a frame of its own; a machine
  // busy with other suites can take well over ten seconds to get there.
  let frame = null;
  for (let i = 0; i < 300 && !frame; i++) {
    for (const f of page.frames()) if (await f.locator('.lumio-h5p').count().catch(() => 0)) frame = f;
    if (!frame) await new Promise((resolve) => setTimeout(resolve, 100));
  }
  assert.ok(frame, 'the presentation is attached');
  // H5P loads the library's stylesheet beside its script: wait until it applies.
  for (let i = 0; i < 100; i++) {
    if (await frame.evaluate(() => getComputedStyle(document.querySelector('.lumio-h5p')).position === 'relative')) break;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  const state = () => frame.evaluate(() => {
    const root = document.querySelector('.lumio-h5p');
    const slides = Array.from(root.querySelectorAll('.lumio-h5p-stage .slide'));
    const active = slides.map((s, i) => (s.classList.contains('active') ? i + 1 : 0)).filter(Boolean);
    return {
      slides: slides.length,
      active,
      fitted: slides.map((s, i) => (s.hasAttribute('data-fitted') ? i + 1 : 0)).filter(Boolean),
      shown: slides.filter((s) => getComputedStyle(s).display !== 'none').length,
      counter: root.querySelector('.lumio-h5p-counter').textContent,
      page: root.querySelector('.lumio-h5p-page').value,
      fill: root.querySelector('.lumio-h5p-progress > i').style.width,
      thumbsOpen: root.classList.contains('thumbs-open'),
      activeThumbs: Array.from(root.querySelectorAll('.lumio-h5p-thumb')).map((t, i) => (t.classList.contains('active') ? i + 1 : 0)).filter(Boolean),
      play: root.querySelectorAll('.lumio-h5p-toolbar button')[1].textContent,
      title: root.querySelector('.lumio-h5p-title').textContent,
    };
  });
  const button = (title) => frame.locator(`.lumio-h5p-toolbar button[title="${title}"]`);
  return { page, frame, errors, context, state, button, close: () => context.close() };
}

describe('H5P package, validator', { skip }, () => {
  it('names the default package and reports the variables', () => {
    const vars = variables(exportOutput);
    assert.equal(vars.get('[PPTXH5PExported]'), join(folder, 'player.h5p'));
    assert.equal(vars.get('[PPTXH5PSlides]'), '10');
    assert.equal(vars.get('[LastError]'), '');
  });

  it('accepts the packages of the player deck and of a deck without slides', async () => {
    assert.equal(await validate(join(folder, 'player.h5p')), true);
    assert.equal(await validate(join(folder, 'empty.h5p')), true);
  });

  it('accepts the package of every shared deck', { skip: existsSync(join(env.sharedDir ?? '', 'decks')) ? false : 'no shared decks' }, async () => {
    const deckFolder = join(env.sharedDir, 'decks');
    const all = readdirSync(deckFolder).filter((n) => /\.(pptx|pptm|ppsx)$/i.test(n)).map((n) => join(deckFolder, n));
    const out = join(folder, 'decks');
    spawnSync(env.tarvik, ['h5p', '-o', out, ...all], { encoding: 'utf8', maxBuffer: 1 << 26 });
    const packages = readdirSync(out).filter((n) => n.endsWith('.h5p'));
    assert.ok(packages.length > 0);
    const rejected = [];
    for (const name of packages) {
      const verdict = await validate(join(out, name));
      if (verdict !== true) rejected.push({ name, verdict });
    }
    assert.deepEqual(rejected, []);
  });
});

describe('H5P package in h5p-standalone (chromium)', { skip }, () => {
  before(() => {
    if (skip) return;
    const file = join(folder, 'player.h5p');
    installContent(file, 'player');
    installContent(file, 'autoplay0', (c) => ({ ...c, autoplay: true, interval: 0 }));
    installContent(file, 'autoplay02', (c) => ({ ...c, autoplay: true, interval: 0.2 }));
    installContent(file, 'nothumbs', (c) => ({ ...c, showThumbnails: false }));
    installContent(file, 'garbage', (c) => ({ ...c, slidesData: 'not Base64 at all!' }));
    installContent(join(folder, 'empty.h5p'), 'empty');
  });

  it('renders the slides with slide 1 shown and the title', async () => {
    const p = await play('player');
    const s = await p.state();
    assert.equal(s.slides, 10);
    assert.deepEqual(s.active, [1]);
    assert.deepEqual(s.fitted, [1], 'shrunk text is fitted again on the slide shown, as in the player');
    assert.equal(s.shown, 1);
    assert.equal(s.counter, '1 / 10');
    assert.equal(s.page, '1');
    assert.equal(s.fill, '0%');
    assert.equal(s.title, 'player');
    assert.equal(s.play, '\u25B6');
    // The slide is drawn: its svg fills the stage.
    const box = await p.frame.evaluate(() => {
      const svg = document.querySelector('.lumio-h5p-stage .slide.active svg').getBoundingClientRect();
      const stage = document.querySelector('.lumio-h5p-stage').getBoundingClientRect();
      return { w: svg.width, h: svg.height, sw: stage.width, sh: stage.height };
    });
    assert.ok(box.w > 100 && Math.abs(box.w - box.sw) < 2 && Math.abs(box.h - box.sh) < 2, JSON.stringify(box));
    assert.deepEqual(p.errors, []);
    await p.close();
  });

  it('moves with the buttons, the page box and the progress bar', async () => {
    const p = await play('player');
    await p.button('Next slide').click();
    assert.deepEqual((await p.state()).active, [2]);
    await p.button('Next slide').click();
    assert.equal((await p.state()).counter, '3 / 10');
    await p.button('Previous slide').click();
    assert.deepEqual((await p.state()).active, [2]);
    const page = p.frame.locator('.lumio-h5p-page');
    await page.fill('7');
    await p.frame.locator('.lumio-h5p-toolbar button', { hasText: 'Go' }).click();
    let s = await p.state();
    assert.deepEqual(s.active, [7]);
    assert.ok(Math.abs(parseFloat(s.fill) - (6 / 9) * 100) < 1e-3, s.fill);
    await page.fill('42');
    await page.press('Enter');
    assert.deepEqual((await p.state()).active, [10]);
    await page.fill('0');
    await page.press('Enter');
    assert.deepEqual((await p.state()).active, [1]);
    // Three quarters along the bar: 1 + 0.75 * 9 = 7.75, slide 8.
    const bar = await p.frame.locator('.lumio-h5p-progress').boundingBox();
    await p.frame.locator('.lumio-h5p-progress').click({ position: { x: bar.width * 0.75, y: 1 } });
    s = await p.state();
    assert.deepEqual([s.active, s.activeThumbs], [[8], [8]]);
    assert.deepEqual(p.errors, []);
    await p.close();
  });

  it('answers the keys on the stage', async () => {
    const p = await play('player');
    const stage = p.frame.locator('.lumio-h5p-stage');
    await stage.focus();
    const steps = [['ArrowRight', 2], ['PageDown', 3], ['Space', 4], ['ArrowLeft', 3], ['PageUp', 2], ['End', 10], ['Home', 1]];
    for (const [key, expected] of steps) {
      await stage.press(key);
      assert.deepEqual((await p.state()).active, [expected], key);
    }
    // Space does not scroll the page it is embedded in.
    assert.equal(await p.frame.evaluate(() => window.scrollY), 0);
    await stage.press('p');
    assert.equal((await p.state()).play, '\u275A\u275A');
    await stage.press('P');
    assert.equal((await p.state()).play, '\u25B6');
    assert.deepEqual(p.errors, []);
    await p.close();
  });

  it('opens the thumbnails, and a click anywhere on one shows its slide', async () => {
    const p = await play('player');
    await p.button('Toggle thumbnails').click();
    assert.equal((await p.state()).thumbsOpen, true);
    const thumbs = p.frame.locator('.lumio-h5p-thumb');
    assert.equal(await thumbs.count(), 10);
    assert.equal(await thumbs.nth(4).getAttribute('title'), 'Slide 5');
    assert.equal(await thumbs.nth(4).locator('svg').count(), 1, 'a copy of the slide');
    assert.equal(await thumbs.nth(4).locator('svg').evaluate((e) => getComputedStyle(e).pointerEvents), 'none');
    // The middle of the thumbnail is its svg: the click reaches the button.
    await thumbs.nth(4).scrollIntoViewIfNeeded();
    const box = await thumbs.nth(4).boundingBox();
    await p.page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
    const s = await p.state();
    assert.deepEqual([s.active, s.activeThumbs, s.thumbsOpen], [[5], [5], false]);
    assert.deepEqual(p.errors, []);
    await p.close();

    const off = await play('nothumbs');
    await off.button('Toggle thumbnails').click();
    assert.equal((await off.state()).thumbsOpen, false, 'showThumbnails false keeps the strip closed');
    await off.close();
  });

  it('plays the slideshow at the interval and stops on the last slide', async () => {
    const p = await play('player');
    assert.equal((await p.state()).play, '\u25B6', 'no autoplay by default');
    await p.page.clock.runFor(20000);
    assert.deepEqual((await p.state()).active, [1]);
    await p.button('Play slideshow').click();
    assert.equal((await p.state()).play, '\u275A\u275A');
    await p.page.clock.runFor(5000);
    assert.deepEqual((await p.state()).active, [2]);
    await p.button('Play slideshow').click();
    await p.page.clock.runFor(20000);
    assert.deepEqual((await p.state()).active, [2], 'stopped');
    await p.close();

    // Interval 0 means every 5 seconds.
    const zero = await play('autoplay0');
    assert.equal((await zero.state()).play, '\u275A\u275A');
    await zero.page.clock.runFor(4900);
    assert.deepEqual((await zero.state()).active, [1]);
    await zero.page.clock.runFor(200);
    assert.deepEqual((await zero.state()).active, [2]);
    await zero.close();

    // Interval 0.2 means every second; on the last slide the show stops.
    const fast = await play('autoplay02');
    await fast.page.clock.runFor(1000);
    assert.deepEqual((await fast.state()).active, [2]);
    await fast.page.clock.runFor(8000);
    assert.deepEqual((await fast.state()).active, [10]);
    await fast.page.clock.runFor(1000);
    const s = await fast.state();
    assert.deepEqual([s.active, s.play], [[10], '\u25B6']);
    assert.deepEqual(fast.errors, []);
    await fast.close();
  });

  it('shows nothing, without errors, for no slides or undecodable data', async () => {
    for (const content of ['empty', 'garbage']) {
      const p = await play(content);
      const s = await p.state();
      assert.equal(s.slides, 0, content);
      await p.button('Next slide').click();
      await p.button('Play slideshow').click();
      await p.page.clock.runFor(10000);
      assert.deepEqual(p.errors, [], content);
      await p.close();
    }
  });
});
