// The PWA export in chromium with a profile of its own, served from
// 127.0.0.1: the worker takes over, the app is installable, the deck works
// with the server gone, and a second export replaces the first one's cache.
// Also the EPUB and PWA commands' names and variables.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import { chromiumAvailable, launchWithProfile } from './support/browser.mjs';
import { env, missingSetup, variables, workFolder, writePlayerDecks } from './support/exports.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
// Left in the folder by the author: its name must not break the worker's install.
const ODD_NAME = 'a#b%.png';

let folder, context, page, server, firstCache;
const errors = [];

function exportPwa() {
  return execFileSync(env.tarvik, ['pwa', 'player.pptx'], { cwd: folder, encoding: 'utf8' });
}

function cacheNameOnDisk() {
  return /const CACHE_NAME="([^"]+)"/.exec(readFileSync(join(folder, 'player_PWA', 'service-worker.js'), 'utf8'))[1];
}

// The cache names the page's origin holds, once they equal Expected or 20 s
// have passed (the worker replaces caches in the background).
async function waitForCaches(expected) {
  const until = Date.now() + 20000;
  for (;;) {
    const names = await page.evaluate(() => caches.keys());
    if (JSON.stringify(names) === JSON.stringify(expected) || Date.now() > until) return names;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

async function showsTheDeck() {
  await page.waitForFunction(() => typeof window.Tarvik === 'object' && document.querySelectorAll('.slide').length > 0);
  return page.evaluate(() => ({ slides: document.querySelectorAll('.slide').length, current: window.Tarvik.current() }));
}

before(async () => {
  if (skip) return;
  folder = workFolder('pwa');
  writePlayerDecks(folder);
  mkdirSync(join(folder, 'player_PWA'));
  writeFileSync(join(folder, 'player_PWA', ODD_NAME), 'not a picture');
  exportPwa();
  firstCache = cacheNameOnDisk();
  server = await serveFolder(folder);
  context = await launchWithProfile(join(folder, 'profile'));
  page = context.pages()[0] ?? (await context.newPage());
  page.on('pageerror', (err) => errors.push(`page: ${err.message}`));
});

after(async () => {
  await context?.close();
  await server?.close();
});

describe('PWA export in chromium', { skip }, () => {
  it('comes under its service worker after one reload, with every file cached', async () => {
    await page.goto(server.url('player_PWA/index.html'));
    // A worker whose install fails never becomes ready.
    const ready = await page.evaluate(() => Promise.race([
      navigator.serviceWorker.ready.then(() => true),
      new Promise((resolve) => setTimeout(() => resolve(false), 20000)),
    ]));
    assert.equal(ready, true, 'the worker installed and activated');
    await page.reload();
    assert.equal(await page.evaluate(() => navigator.serviceWorker.controller?.scriptURL.endsWith('/service-worker.js')), true);
    assert.deepEqual(await waitForCaches([firstCache]), [firstCache]);
    const cached = await page.evaluate(async (name) => {
      const cache = await caches.open(name);
      return (await cache.keys()).map((request) => new URL(request.url).pathname.replace(/^\/player_PWA\//, ''));
    }, firstCache);
    for (const path of ['index.html', 'manifest.webmanifest', 'icons/icon-192.svg', 'a%23b%25.png'])
      assert.ok(cached.includes(path), `${path} is cached`);
    assert.ok(!cached.includes('service-worker.js'));
    assert.deepEqual(await page.evaluate(() => window.TarvikPWA.offline()), false);
    assert.equal(await page.locator('#TarvikOffline').textContent(), 'Online');
  });

  it('is installable', async () => {
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    await cdp.detach();
    assert.deepEqual(installabilityErrors, []);
  });

  it('shows and navigates the deck offline, and answers an unknown page with the deck', async () => {
    server.setDown(true);
    await context.setOffline(true);
    try {
      await page.reload();
      assert.deepEqual(await showsTheDeck(), { slides: 10, current: 1 });
      await page.keyboard.press('ArrowRight');
      assert.equal(await page.evaluate(() => window.Tarvik.current()), 2);
      assert.equal(await page.locator('#TarvikOffline').textContent(), 'Offline');
      // Pictures come from the cache too.
      const picture = await page.evaluate(async () => {
        const response = await fetch(document.querySelector('image').getAttribute('href'));
        return { ok: response.ok, bytes: (await response.arrayBuffer()).byteLength };
      });
      assert.equal(picture.ok, true);
      assert.ok(picture.bytes > 0);
      await page.goto(server.url('player_PWA/never/exported.html'));
      assert.deepEqual(await showsTheDeck(), { slides: 10, current: 1 });
    } finally {
      await context.setOffline(false);
      server.setDown(false);
    }
  });

  it('gives a second export a cache of its own and drops the first', async () => {
    exportPwa();
    const secondCache = cacheNameOnDisk();
    assert.notEqual(secondCache, firstCache);
    await page.goto(server.url('player_PWA/index.html'));
    await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    assert.deepEqual(await waitForCaches([secondCache]), [secondCache]);
    await page.reload();
    assert.deepEqual(await showsTheDeck(), { slides: 10, current: 1 });
    assert.deepEqual(errors, []);
  });
});

describe('tarvik epub and pwa output', { skip }, () => {
  it('print the variables of actions 11 and 12 and name their outputs like the property dialogs', () => {
    const cli = workFolder('pwa_cli');
    const decks = writePlayerDecks(cli);
    copyFileSync(decks.player, join(cli, 'second.pptx'));
    const run = (args) => variables(execFileSync(env.tarvik, args, { cwd: cli, encoding: 'utf8' }));
    const epub = run(['epub', 'player.pptx']);
    assert.deepEqual([...epub.keys()],
      ['[PPTXEPUBExported]', '[PPTXEPUBSlides]', '[PPTXEPUBObjects]', '[PPTXEPUBVersion]', '[LastError]']);
    assert.equal(epub.get('[PPTXEPUBExported]'), 'player.epub');
    assert.ok(existsSync(join(cli, 'player.epub')));
    const pwa = run(['pwa', 'player.pptx']);
    assert.deepEqual([...pwa.keys()], ['[PPTXPWAExported]', '[PPTXPWAFolder]', '[PPTXPWAIndex]', '[PPTXPWASlides]',
      '[PPTXPWAObjects]', '[PPTXPWAVersion]', '[LastError]']);
    assert.equal(pwa.get('[PPTXPWAIndex]'), 'player_PWA/index.html');
    assert.equal(pwa.get('[PPTXPWAObjects]'), epub.get('[PPTXEPUBObjects]'));
    run(['epub', 'player.pptx', 'book.epub']);
    assert.ok(existsSync(join(cli, 'book.epub')));
    mkdirSync(join(cli, 'many'));
    run(['epub', 'player.pptx', 'second.pptx', '-o', 'many']);
    run(['pwa', 'player.pptx', 'second.pptx', '-o', 'many']);
    for (const path of ['player.epub', 'second.epub', 'player_PWA/service-worker.js', 'second_PWA/service-worker.js'])
      assert.ok(existsSync(join(cli, 'many', path)), path);
  });
});
