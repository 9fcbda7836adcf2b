// The exported player in a real browser: navigation by buttons, keys, page
// box, wheel, progress bar and thumbnails, the slideshow on the fake clock,
// the script interface, and the same again for the web folder with its
// assets. The deck is player_deck's ten-slide deck.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdirSync } from 'node:fs';
import { join } from 'node:path';

import { chromiumAvailable, launchBrowser, openPlayer, playerState } from './support/browser.mjs';
import { env, exportBoth, missingSetup, variables, workFolder, writePlayerDecks } from './support/exports.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
const EM_DASH = '\u2014';

let browser, server, exported, hostile;

before(async () => {
  if (skip) return;
  const folder = workFolder('player');
  const decks = writePlayerDecks(folder);
  exported = exportBoth(decks.player, folder);
  hostile = exportBoth(decks.hostileName, folder);
  server = await serveFolder(folder);
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// Moves the pointer over the stage so that both bars take clicks.
async function revealBars(page) {
  const box = await page.locator('#stage').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.move(box.x + box.width / 2 + 3, box.y + box.height / 2 + 3);
}

async function currentSlide(page) {
  return page.evaluate(() => window.Tarvik.current());
}

for (const form of ['single file', 'web folder']) {
  describe(`player, ${form}`, { skip }, () => {
    let player;
    const path = () => (form === 'single file' ? exported.html : exported.web);

    async function open() {
      player = await openPlayer(browser, server.url(path()));
      return player.page;
    }

    async function close() {
      const errors = player.errors;
      await player.context.close();
      assert.deepEqual(errors, [], 'no console errors, page errors or outside requests');
    }

    it('shows slide 1 with its counter, page box, progress and title', async () => {
      const page = await open();
      const state = await playerState(page);
      assert.deepEqual(state.active, [1]);
      assert.equal(state.visible, true);
      assert.equal(state.counter, '1 / 10');
      assert.equal(state.page, '1');
      assert.equal(state.title, `player ${EM_DASH} 1 / 10`);
      assert.equal(state.fill, '0%');
      assert.equal(state.valueNow, '1');
      assert.equal(state.valueMax, '10');
      assert.equal(await page.locator('#title').textContent(), 'player');
      // Both bars show after loading and fade 2.6 s later.
      assert.equal(state.uiVisible, true);
      await page.clock.runFor(2700);
      assert.equal((await playerState(page)).uiVisible, false);
      await close();
    });

    it('moves with the previous and next buttons and disables them at the ends', async () => {
      const page = await open();
      let state = await playerState(page);
      assert.equal(state.prevDisabled, true);
      assert.equal(state.nextDisabled, false);
      await revealBars(page);
      await page.locator('#next').click();
      await page.locator('#next').click();
      state = await playerState(page);
      assert.deepEqual(state.active, [3]);
      assert.equal(state.prevDisabled, false);
      assert.equal(state.nextDisabled, false);
      await page.locator('#prev').click();
      assert.equal(await currentSlide(page), 2);
      await page.keyboard.press('End');
      state = await playerState(page);
      assert.equal(state.counter, '10 / 10');
      assert.equal(state.nextDisabled, true);
      assert.equal(state.fill, '100%');
      await close();
    });

    it('answers the navigation keys', async () => {
      const page = await open();
      const steps = [
        ['ArrowRight', 2], ['PageDown', 3], ['ArrowLeft', 2], ['PageUp', 1], ['PageUp', 1],
        ['End', 10], ['ArrowRight', 10], ['Home', 1], ['Space', 2], ['Enter', 3],
      ];
      for (const [key, expected] of steps) {
        await page.keyboard.press(key);
        assert.equal(await currentSlide(page), expected, `after ${key}`);
      }
      await close();
    });

    it('toggles the slideshow with p, the thumbnails with t and full screen with f', async () => {
      const page = await open();
      await page.keyboard.press('p');
      assert.equal((await playerState(page)).playTitle, 'Pause slideshow');
      await page.keyboard.press('P');
      assert.equal((await playerState(page)).playTitle, 'Play slideshow');
      await page.keyboard.press('t');
      assert.equal((await playerState(page)).thumbsOpen, true);
      await page.keyboard.press('T');
      assert.equal((await playerState(page)).thumbsOpen, false);
      // The button's text follows the fullscreenchange event, which comes a moment
      // after the element changes.
      await page.keyboard.press('f');
      await page.waitForFunction(() => document.fullscreenElement === document.getElementById('player') &&
        document.getElementById('fullscreen').textContent === '\u00d7');
      await page.keyboard.press('f');
      await page.waitForFunction(() => document.fullscreenElement === null &&
        document.getElementById('fullscreen').textContent === '\u26f6');
      assert.equal(await currentSlide(page), 1, 'none of these keys turns the page');
      await close();
    });

    it('leaves keys typed in the page box to the box', async () => {
      const page = await open();
      await revealBars(page);
      await page.locator('#page').click();
      for (const key of ['ArrowRight', 'PageDown', 'End', 'Space', 'p', 't', 'f', 'Escape'])
        await page.keyboard.press(key);
      const state = await playerState(page);
      assert.deepEqual(state.active, [1]);
      assert.equal(state.playTitle, 'Play slideshow');
      assert.equal(state.thumbsOpen, false);
      assert.equal(await page.evaluate(() => document.fullscreenElement), null);
      await close();
    });

    it('goes to the page box number with Go and with Enter, within the deck', async () => {
      const page = await open();
      await revealBars(page);
      const cases = [['7', 'go', 7], ['0', 'Enter', 1], ['99', 'Enter', 10], ['4.6', 'go', 5], ['', 'go', 1]];
      for (const [value, how, expected] of cases) {
        await page.locator('#page').fill(value);
        if (how === 'go') await page.locator('#go').click();
        else await page.locator('#page').press('Enter');
        const state = await playerState(page);
        assert.deepEqual(state.active, [expected], `page box ${JSON.stringify(value)} by ${how}`);
        assert.equal(state.page, String(expected));
      }
      await close();
    });

    it('turns pages with the wheel only beyond the threshold', async () => {
      const page = await open();
      const box = await page.locator('#stage').boundingBox();
      await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
      const cases = [[5, 1], [-9, 1], [120, 2], [10, 3], [-120, 2]];
      for (const [delta, expected] of cases) {
        await page.mouse.wheel(0, delta);
        assert.equal(await currentSlide(page), expected, `wheel ${delta}`);
      }
      await close();
    });

    it('goes to the slide under a click on the progress bar', async () => {
      const page = await open();
      // Away from the ends: the player's rounded corners clip the bar there.
      for (const [fraction, expected] of [[0.97, 10], [0.03, 1], [0.5, 6], [0.25, 3], [0.9, 9]]) {
        await revealBars(page);
        const bar = await page.locator('#progress').boundingBox();
        await page.mouse.click(bar.x + bar.width * fraction, bar.y + bar.height / 2);
        assert.equal(await currentSlide(page), expected, `click at ${fraction}`);
      }
      await close();
    });

    it('shows a thumbnail per slide that navigates and closes the strip', async () => {
      const page = await open();
      await revealBars(page);
      await page.locator('#thumbToggle').click();
      const thumbs = page.locator('#thumbs .thumb');
      assert.equal(await thumbs.count(), 10);
      assert.equal(await thumbs.nth(4).getAttribute('title'), 'Slide 5');
      assert.equal(await thumbs.nth(4).getAttribute('aria-label'), 'Go to slide 5');
      assert.equal(await thumbs.nth(4).locator(':scope > span').textContent(), '5');
      assert.equal(await page.locator('#thumbs .thumb svg').count(), 10);
      await thumbs.nth(4).click();
      let state = await playerState(page);
      assert.deepEqual(state.active, [5]);
      assert.equal(state.thumbsOpen, false);
      assert.deepEqual(await page.evaluate(() =>
        Array.from(document.querySelectorAll('#thumbs .thumb')).map((b) => b.classList.contains('active'))
          .flatMap((on, i) => (on ? [i + 1] : []))), [5]);

      // Slide 2 holds an audio player; its copy in the thumbnail must not take the click.
      await revealBars(page);
      await page.locator('#thumbToggle').click();
      const box = await thumbs.nth(1).boundingBox();
      const hit = await page.evaluate(([x, y]) => {
        const el = document.elementFromPoint(x, y);
        return el.closest('.thumb') === document.querySelectorAll('#thumbs .thumb')[1] && el.closest('svg') === null;
      }, [box.x + box.width / 2, box.y + box.height / 2]);
      assert.equal(hit, true, 'the middle of the audio slide thumbnail is the button itself');
      await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
      state = await playerState(page);
      assert.deepEqual(state.active, [2]);
      assert.equal(state.thumbsOpen, false);
      await close();
    });

    it('advances the slideshow every five seconds and stops on the last slide', async () => {
      const page = await open();
      await revealBars(page);
      await page.locator('#play').click();
      assert.equal((await playerState(page)).playTitle, 'Pause slideshow');
      assert.equal(await page.locator('#play').textContent(), '\u275a\u275a');
      await page.clock.runFor(4900);
      assert.equal(await currentSlide(page), 1);
      await page.clock.runFor(200);
      assert.equal(await currentSlide(page), 2);
      await page.clock.runFor(5000 * 8);
      assert.equal(await currentSlide(page), 10);
      await page.clock.runFor(5000);
      const state = await playerState(page);
      assert.equal(state.playTitle, 'Play slideshow');
      assert.equal(await page.locator('#play').textContent(), '\u25b6');
      await page.clock.runFor(20000);
      assert.equal(await currentSlide(page), 10);
      await close();
    });

    it('offers window.Tarvik to a host page', async () => {
      const page = await open();
      const result = await page.evaluate(() => {
        const t = window.Tarvik;
        const members = Object.keys(t).sort();
        const log = [];
        t.goto(4); log.push(t.current());
        t.next(); log.push(t.current());
        t.previous(); t.previous(); log.push(t.current());
        t.goto('abc'); log.push(t.current());
        t.goto(1e9); log.push(t.current());
        t.play();
        const playing = document.getElementById('play').title;
        t.pause();
        return { members, log, count: t.count(), playing, paused: document.getElementById('play').title,
          functions: members.every((m) => typeof t[m] === 'function') };
      });
      assert.deepEqual(result.members, ['count', 'current', 'fullscreen', 'goto', 'next', 'pause', 'play', 'previous']);
      assert.equal(result.functions, true);
      assert.deepEqual(result.log, [4, 5, 3, 1, 10]);
      assert.equal(result.count, 10);
      assert.equal(result.playing, 'Pause slideshow');
      assert.equal(result.paused, 'Play slideshow');
      await close();
    });

    it('shows the help hint for a moment', async () => {
      const page = await open();
      await revealBars(page);
      await page.locator('#help').click();
      assert.match(await page.locator('#hint').textContent(), /PageUp\/PageDown - Home\/End - Space - F fullscreen - Esc exit$/);
      assert.equal(await page.locator('#hint.show').count(), 1);
      await page.clock.runFor(1400);
      assert.equal(await page.locator('#hint.show').count(), 0);
      await close();
    });

    it('draws every picture and keeps text that only looks like a data URI', async () => {
      const page = await open();
      const pictures = await page.evaluate(async () => {
        const hrefs = Array.from(document.querySelectorAll('.slide image')).map((i) => i.getAttribute('href'));
        const sizes = [];
        for (const href of hrefs) {
          const img = new Image();
          img.src = href;
          await img.decode();
          sizes.push([img.naturalWidth, img.naturalHeight]);
        }
        return { hrefs, sizes };
      });
      // Slide 1 has the landscape, defined once there; slide 3 uses it again
      // and has the badge.
      assert.equal(pictures.hrefs.length, 2);
      assert.deepEqual(pictures.sizes, [[320, 180], [128, 128]]);
      // The second use draws although the slide that defines it is hidden:
      // the picture is what the point at its middle hits.
      await page.evaluate(() => window.Tarvik.goto(3));
      const hit = await page.evaluate(() => {
        const use = document.querySelector('.slide[data-index="3"] use');
        const box = use.getBoundingClientRect();
        const at = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
        return at === use || use.contains(at);
      });
      assert.equal(hit, true);
      const text = await page.locator('.slide[data-index="1"]').textContent();
      assert.match(text, /data:image\/png;base64,iVBORw0KGgo= stays here/);
      const audio = await page.locator('.slide[data-index="2"] audio').getAttribute('src');
      if (form === 'web folder') {
        assert.equal(pictures.hrefs[0], 'assets/asset_0001.png');
        assert.match(pictures.hrefs[1], /^assets\/asset_000\d\.png$/);
        assert.match(audio, /^assets\/asset_000\d\.wav$/);
        const failed = server.requests.filter((r) => r.path.includes('/assets/') && r.status !== 200);
        assert.deepEqual(failed, []);
        const attributes = await page.evaluate(() =>
          Array.from(document.querySelectorAll('*')).flatMap((el) =>
            Array.from(el.attributes).filter((a) => a.value.includes('data:')).map((a) => `${el.tagName}@${a.name}`)));
        assert.deepEqual(attributes, []);
      } else {
        assert.ok(pictures.hrefs.every((h) => h.startsWith('data:image/png;base64,')));
        assert.match(audio, /^data:audio\/wav;base64,/);
      }
      await close();
    });
  });
}

describe('player of a deck whose name holds markup', { skip }, () => {
  for (const form of ['single file', 'web folder']) {
    it(`keeps its script intact (${form})`, async () => {
      const path = form === 'single file' ? hostile.html : hostile.web;
      const player = await openPlayer(browser, server.url(path));
      const name = "Q&A's <!-- <script> deck";
      assert.equal(await player.page.evaluate(() => typeof window.Tarvik), 'object');
      assert.equal(await player.page.title(), `${name} ${EM_DASH} 1 / 10`);
      assert.equal(await player.page.locator('#title').textContent(), name);
      await player.page.keyboard.press('End');
      assert.equal(await player.page.evaluate(() => window.Tarvik.current()), 10);
      await player.context.close();
      assert.deepEqual(player.errors, []);
    });
  }
});

describe('tarvik html and web output', { skip }, () => {
  it('prints the variables of actions 7 and 8', () => {
    const html = variables(exported.htmlOut);
    assert.deepEqual([...html.keys()], ['[PPTXHTMLExported]', '[PPTXHTMLSlides]', '[PPTXHTMLObjects]', '[LastError]']);
    assert.equal(html.get('[PPTXHTMLSlides]'), '10');
    const web = variables(exported.webOut);
    assert.deepEqual([...web.keys()], ['[PPTXWebFolder]', '[PPTXWebIndex]', '[PPTXWebSlides]', '[PPTXWebObjects]', '[LastError]']);
    assert.equal(web.get('[PPTXWebObjects]'), html.get('[PPTXHTMLObjects]'));
    assert.ok(web.get('[PPTXWebIndex]').endsWith('player_Web/index.html'));
  });

  it('names its outputs like the property dialogs and sends several decks into -o', () => {
    const folder = workFolder('cli');
    const decks = writePlayerDecks(folder);
    const second = join(folder, 'second.pptx');
    copyFileSync(decks.player, second);
    const run = (args) => execFileSync(env.tarvik, args, { cwd: folder, encoding: 'utf8' });
    run(['html', 'player.pptx']);
    assert.ok(existsSync(join(folder, 'player.html')));
    run(['web', 'player.pptx']);
    assert.ok(existsSync(join(folder, 'player_Web', 'index.html')));
    run(['web', 'player.pptx', 'site']);
    assert.ok(existsSync(join(folder, 'site', 'index.html')));
    mkdirSync(join(folder, 'many'));
    const html = run(['html', 'player.pptx', 'second.pptx', '-o', 'many']);
    assert.deepEqual(html.split('\n').filter((l) => l.startsWith('[PPTXHTMLExported]')),
      ['[PPTXHTMLExported]=many/player.html', '[PPTXHTMLExported]=many/second.html']);
    run(['web', 'player.pptx', 'second.pptx', '-o', 'many']);
    assert.ok(existsSync(join(folder, 'many', 'player_Web', 'index.html')));
    assert.ok(existsSync(join(folder, 'many', 'second_Web', 'index.html')));
    assert.throws(() => execFileSync(env.tarvik, ['html', 'missing.pptx', 'x.html'], { cwd: folder, stdio: 'pipe' }),
      (e) => e.status === 1 && /PowerPoint file not found: missing\.pptx/.test(e.stderr.toString()));
  });
});
