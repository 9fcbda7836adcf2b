// The SCORM 1.2 package with real clients: its manifest against the SCORM
// 1.2 schemas (xmllint), and the package in an LMS page in chromium, with
// scorm-again's Scorm12API as the API and time on a fake clock: status,
// location and suspend data, completion once on the last slide, session
// time, resume, one LMSFinish, and xAPI statements to a local record store.
// Then the packages of the shared decks: every manifest valid, and each
// smaller deck tracked to completion.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, readdirSync, statSync } from 'node:fs';
import { basename, join } from 'node:path';

import { chromiumAvailable, launchBrowser, newWatchedPage } from './support/browser.mjs';
import { env, missingSetup, variables, workFolder, writePlayerDecks, runTarvik } from './support/exports.mjs';
import { SCORM12_SCHEMAS, installPackage, lmsUrl, startRecordStore } from './support/lms.mjs';
import { serveFolder } from './support/server.mjs';

const skip = missingSetup() ?? (chromiumAvailable() ? false : 'chromium is not installed');
const SESSION_TIME = /^\d{2,4}:\d{2}:\d{2}(\.\d{1,2})?$/;
const EXPERIENCED = 'http://adlnet.gov/expapi/verbs/experienced';
const COMPLETED = 'http://adlnet.gov/expapi/verbs/completed';

let folder, browser, server, decks, exportOutput;

// xmllint against both SCORM 1.2 schemas: the ADL one imports the IMS one.
function validateManifest(packageFile) {
  const manifest = execFileSync('unzip', ['-p', packageFile, 'imsmanifest.xml']);
  const result = spawnSync('xmllint', ['--noout', '--schema', join(SCORM12_SCHEMAS, 'adlcp_rootv1p2.xsd'), '-'], {
    input: manifest, encoding: 'utf8',
  });
  return { ok: result.status === 0, report: result.stderr.split('\n').filter((l) => !l.includes('ims_xml.xsd') && !l.includes('xsd:schema') && !/^\s*\^?\s*$/.test(l)).join('\n') };
}

before(async () => {
  if (skip) return;
  folder = workFolder('scorm');
  decks = writePlayerDecks(folder);
  exportOutput = runTarvik(['scorm', decks.player]);
  runTarvik(['scorm', decks.empty]);
  installPackage(folder, join(folder, 'player.scorm.zip'), 'player');
  installPackage(folder, join(folder, 'empty.scorm.zip'), 'empty');
  server = await serveFolder(folder);
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// The LMS page launching Sco on a paused fake clock; only advance() moves time.
async function launch(sco, seed) {
  const { page, context, errors } = await newWatchedPage(browser, { width: 1300, height: 760 });
  await page.goto(lmsUrl(server, sco, seed), { waitUntil: 'load' });
  const frame = page.frames().find((f) => f.url().includes(sco));
  await frame.waitForFunction(() => typeof window.Tarvik === 'object');
  const lms = {
    page, frame, errors, context,
    advance: (ms) => page.clock.runFor(ms),
    // Jumps ahead, firing each due timer once (an hour of polls is not run one by one).
    jump: (ms) => page.clock.fastForward(ms),
    calls: () => page.evaluate(() => window.calls),
    sets: async (element) => (await lms.calls()).filter((c) => c.name === 'LMSSetValue' && (!element || c.args[0] === element)),
    value: (element) => page.evaluate((e) => e.split('.').slice(1).reduce((o, k) => o[k], window.API.cmi), element),
    current: () => frame.evaluate(() => window.Tarvik.current()),
    goto: (n) => frame.evaluate((i) => window.Tarvik.goto(i), n),
    // Navigates the frame away, as closing the course does, and waits (in
    // real time) for the package's calls to arrive.
    leave: async () => {
      await page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
      for (let i = 0; i < 100; i++) {
        if ((await lms.calls()).some((c) => c.name === 'LMSFinish')) break;
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
      // Time for a second, wrong LMSFinish to arrive.
      await new Promise((resolve) => setTimeout(resolve, 150));
    },
    close: () => context.close(),
  };
  return lms;
}

function assertNoLmsErrors(calls) {
  const failed = calls.filter((c) => c.error !== '0' || (c.name !== 'LMSGetValue' && c.result !== 'true'));
  assert.deepEqual(failed, [], 'every call the package made succeeded in scorm-again');
}

describe('SCORM package in an LMS (scorm-again in chromium)', { skip }, () => {
  it('names the default package and reports the variables', () => {
    const vars = variables(exportOutput);
    assert.equal(vars.get('[PPTXSCORMExported]'), join(folder, 'player.scorm.zip'));
    assert.equal(vars.get('[PPTXSCORMSlides]'), '10');
    assert.equal(vars.get('[PPTXSCORMVersion]'), '1.2');
    assert.equal(vars.get('[LastError]'), '');
    assert.deepEqual(readdirSync(join(folder, 'player')).sort(), ['imsmanifest.xml', 'index.html']);
  });

  it('has a manifest the SCORM 1.2 schemas accept', () => {
    const { ok, report } = validateManifest(join(folder, 'player.scorm.zip'));
    assert.ok(ok, report);
  });

  it('tracks one attempt: incomplete, location and suspend data, completed once, session time, one LMSFinish', async () => {
    const lms = await launch('player/index.html');
    await lms.advance(100);
    assert.equal(await lms.value('cmi.core.lesson_status'), 'incomplete');
    assert.deepEqual((await lms.sets('cmi.core.lesson_status')).map((c) => c.args[1]), ['incomplete']);
    await lms.advance(500);
    assert.equal(await lms.value('cmi.core.lesson_location'), '1');
    assert.equal(await lms.value('cmi.suspend_data'), 'slide=1');

    // Slide 4 by the player's own keys, then slide 9 by its script interface.
    await lms.frame.locator('#stage').focus();
    for (let i = 0; i < 3; i++) await lms.frame.locator('#stage').press('ArrowRight');
    await lms.advance(500);
    assert.equal(await lms.value('cmi.core.lesson_location'), '4');
    assert.equal(await lms.value('cmi.suspend_data'), 'slide=4');
    await lms.goto(9);
    await lms.advance(500);
    assert.equal(await lms.value('cmi.core.lesson_location'), '9');
    assert.equal(await lms.value('cmi.core.lesson_status'), 'incomplete', 'not completed before the last slide');

    await lms.goto(10);
    await lms.advance(500);
    assert.equal(await lms.value('cmi.core.lesson_status'), 'completed');
    // Staying on the last slide (and coming back to it) completes nothing more.
    await lms.advance(5000);
    await lms.goto(3);
    await lms.advance(500);
    await lms.goto(10);
    await lms.advance(500);
    assert.deepEqual((await lms.sets('cmi.core.lesson_status')).map((c) => c.args[1]), ['incomplete', 'completed']);

    // 3725 s after the page loaded in all.
    await lms.jump(3725000 - 100 - 500 * 6 - 5000);
    await lms.leave();
    const calls = await lms.calls();
    assert.equal(calls.filter((c) => c.name === 'LMSFinish').length, 1, 'LMSFinish exactly once');
    assert.equal(calls.filter((c) => c.name === 'LMSInitialize').length, 1);
    const finishAt = calls.findIndex((c) => c.name === 'LMSFinish');
    assert.equal(finishAt, calls.length - 1, 'nothing after LMSFinish');
    const session = (await lms.sets('cmi.core.session_time')).map((c) => c.args[1]);
    assert.deepEqual(session, ['01:02:05.00']);
    assert.match(session[0], SESSION_TIME);
    // Completed: the exit is not "suspend".
    assert.deepEqual((await lms.sets('cmi.core.exit')).map((c) => c.args[1]), ['']);
    assertNoLmsErrors(calls);
    assert.deepEqual(lms.errors, []);
    await lms.close();
  });

  it('suspends an unfinished attempt and resumes at the stored slide', async () => {
    const first = await launch('player/index.html');
    await first.advance(100);
    await first.goto(7);
    await first.advance(61000);
    await first.leave();
    const stored = {
      location: await first.value('cmi.core.lesson_location'),
      suspend: await first.value('cmi.suspend_data'),
      status: await first.value('cmi.core.lesson_status'),
    };
    const calls = await first.calls();
    assert.deepEqual((await first.sets('cmi.core.exit')).map((c) => c.args[1]), ['suspend']);
    assert.deepEqual((await first.sets('cmi.core.session_time')).map((c) => c.args[1]), ['00:01:01.00']);
    assert.equal(calls.filter((c) => c.name === 'LMSFinish').length, 1);
    assertNoLmsErrors(calls);
    await first.close();
    assert.deepEqual(stored, { location: '7', suspend: 'slide=7', status: 'incomplete' });

    const second = await launch('player/index.html', {
      core: { lesson_location: stored.location, lesson_status: stored.status, entry: 'resume' },
      suspend_data: stored.suspend,
    });
    await second.advance(100);
    assert.equal(await second.current(), 7, 'resumed at the stored location');
    await second.advance(500);
    assert.equal(await second.value('cmi.core.lesson_status'), 'incomplete');
    assertNoLmsErrors(await second.calls());
    await second.close();

    // Only suspend data stored: it decides.
    const third = await launch('player/index.html', { suspend_data: 'slide=4' });
    await third.advance(100);
    assert.equal(await third.current(), 4);
    await third.close();
  });

  it('writes a session of 100 hours with three-digit hours', async () => {
    const lms = await launch('player/index.html');
    await lms.advance(100);
    await lms.jump(100 * 3600 * 1000 - 100);
    await lms.leave();
    const session = (await lms.sets('cmi.core.session_time')).map((c) => c.args[1]);
    assert.deepEqual(session, ['100:00:00.00']);
    assertNoLmsErrors(await lms.calls());
    await lms.close();
  });

  it('never completes a deck without slides', async () => {
    const lms = await launch('empty/index.html');
    await lms.advance(5000);
    assert.equal(await lms.value('cmi.core.lesson_status'), 'incomplete');
    await lms.leave();
    assert.deepEqual((await lms.sets('cmi.core.lesson_status')).map((c) => c.args[1]), ['incomplete']);
    assert.deepEqual((await lms.sets('cmi.core.exit')).map((c) => c.args[1]), ['suspend']);
    assertNoLmsErrors(await lms.calls());
    await lms.close();
  });

  it('sends xAPI statements with actor, verb and object to the record store it is given', async () => {
    const store = await startRecordStore();
    try {
      const lms = await launch('player/index.html');
      const actor = { objectType: 'Agent', name: 'Learner', mbox: 'mailto:learner@example.org' };
      await lms.frame.evaluate(({ endpoint, actor }) => {
        window.Tarvik_XAPI = { enabled: true, endpoint, auth: 'Basic dGVzdDp0ZXN0', actor, activityId: 'https://example.org/courses/player' };
      }, { endpoint: store.endpoint, actor });
      await lms.advance(600);
      await lms.goto(2);
      await lms.advance(500);
      await lms.goto(10);
      await lms.advance(500);
      for (let i = 0; i < 50 && store.received.length < 4; i++) await new Promise((resolve) => setTimeout(resolve, 100));
      await new Promise((resolve) => setTimeout(resolve, 300));
      await lms.leave();
      await lms.close();

      const posts = store.received.filter((r) => r.method === 'POST');
      assert.equal(posts.length, 4, JSON.stringify(store.received.map((r) => r.method + ' ' + r.path)));
      const statements = posts.map((p) => JSON.parse(p.body));
      for (const post of posts) {
        assert.equal(post.path, '/xapi/statements');
        assert.equal(post.headers['x-experience-api-version'], '1.0.3');
        assert.equal(post.headers.authorization, 'Basic dGVzdDp0ZXN0');
        assert.match(post.headers['content-type'], /^application\/json/);
      }
      for (const s of statements) {
        assert.deepEqual(s.actor, actor);
        assert.ok(s.verb?.id && s.verb.display?.['en-US'], 'a verb with its display');
        assert.ok(s.object?.id && s.object.objectType === 'Activity', 'an activity object');
        assert.ok(!Number.isNaN(Date.parse(s.timestamp)));
      }
      assert.deepEqual(statements.map((s) => s.verb.id), [EXPERIENCED, EXPERIENCED, EXPERIENCED, COMPLETED]);
      assert.deepEqual(statements.slice(0, 3).map((s) => s.object.id),
        [1, 2, 10].map((n) => `https://example.org/courses/player/slide/${n}`));
      assert.equal(statements[1].object.definition.name['en-US'], 'Slide 2');
      assert.equal(statements[1].object.definition.type, 'http://adlnet.gov/expapi/activities/lesson');
      assert.deepEqual(statements[1].context.contextActivities.parent, [{ id: 'https://example.org/courses/player', objectType: 'Activity' }]);
      const done = statements[3];
      assert.equal(done.object.id, 'https://example.org/courses/player');
      assert.equal(done.object.definition.name['en-US'], 'player');
      assert.equal(done.object.definition.type, 'http://adlnet.gov/expapi/activities/course');
      assert.equal(done.result.completion, true);
    } finally {
      await store.close();
    }
  });

  it('runs the player alone, without any LMS', async () => {
    const context = await browser.newContext();
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (err) => errors.push(err.message));
    await page.goto(server.url('player/index.html'));
    await page.waitForFunction(() => typeof window.Tarvik === 'object');
    await page.evaluate(() => window.Tarvik.goto(10));
    await page.waitForTimeout(700);
    assert.equal(await page.evaluate(() => window.Tarvik.current()), 10);
    assert.deepEqual(errors, []);
    await context.close();
  });
});

// Decks up to this size are also tracked in the LMS; every deck's manifest is checked.
const TRACKED_DECK_BYTES = 12 * 1024 * 1024;

describe('SCORM packages of the shared decks', { skip: skip || (existsSync(join(env.sharedDir ?? '', 'decks')) ? false : 'no shared decks') }, () => {
  let out, packages = [];

  before(() => {
    const deckFolder = join(env.sharedDir, 'decks');
    const all = readdirSync(deckFolder).filter((n) => /\.(pptx|pptm|ppsx)$/i.test(n)).map((n) => join(deckFolder, n));
    out = join(folder, 'decks');
    const result = spawnSync(env.tarvik, ['scorm', '-o', out, ...all], { encoding: 'utf8', maxBuffer: 1 << 26 });
    packages = all.map((deck) => ({ deck, file: join(out, basename(deck).replace(/\.[^.]+$/, '.scorm.zip')) }))
      .filter((p) => existsSync(p.file));
    assert.ok(packages.length > 0, result.stderr);
  });

  it('every manifest validates against the SCORM 1.2 schemas', () => {
    const invalid = packages.map((p) => ({ name: basename(p.file), ...validateManifest(p.file) })).filter((r) => !r.ok);
    assert.deepEqual(invalid, []);
  });

  it('every smaller deck is tracked to completion with one LMSFinish', async () => {
    const tracked = packages.filter((p) => statSync(p.file).size <= TRACKED_DECK_BYTES);
    const failures = [];
    for (const [i, p] of tracked.entries()) {
      const name = `deck${i}`;
      installPackage(folder, p.file, name);
      const lms = await launch(`${name}/index.html`);
      try {
        await lms.advance(600);
        const count = await lms.frame.evaluate(() => window.Tarvik.count());
        await lms.goto(count);
        await lms.advance(500);
        const status = await lms.value('cmi.core.lesson_status');
        await lms.leave();
        const calls = await lms.calls();
        const finishes = calls.filter((c) => c.name === 'LMSFinish').length;
        const failed = calls.filter((c) => c.error !== '0');
        const expected = count > 0 ? 'completed' : 'incomplete';
        if (status !== expected || finishes !== 1 || failed.length || lms.errors.length)
          failures.push({ deck: basename(p.deck), count, status, finishes, failed, errors: lms.errors });
      } finally {
        await lms.close();
      }
    }
    assert.deepEqual(failures, []);
    assert.ok(tracked.length > 0);
  });
});
