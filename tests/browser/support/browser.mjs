// Debian's chromium, driven by playwright-core: headless, sandbox off (the
// tests run as root in containers), no GPU, no network besides 127.0.0.1.
// Playwright gives every plain launch a fresh temporary profile of its own.
import { chromium } from 'playwright-core';
import { existsSync } from 'node:fs';

export const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

export function chromiumAvailable() {
  return existsSync(CHROMIUM);
}

const ARGS = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

export async function launchBrowser() {
  return chromium.launch({ executablePath: CHROMIUM, headless: true, args: ARGS });
}

// A browser with a profile in ProfileFolder, kept across its pages, as an
// installed web app needs: a context of a plain launch is incognito, where
// nothing is installable.
export async function launchWithProfile(profileFolder) {
  return chromium.launchPersistentContext(profileFolder, {
    executablePath: CHROMIUM,
    headless: true,
    args: ARGS,
    viewport: { width: 1280, height: 800 },
  });
}

// A page in a context of its own, with a list that collects console errors
// and page errors, and a fake clock paused before anything loads: only the
// tests move time (runFor, fastForward).
export async function newWatchedPage(browser, viewport) {
  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (msg) => {
    if (msg.type() === 'error') errors.push(`console: ${msg.text()}`);
  });
  page.on('pageerror', (err) => errors.push(`page: ${err.message}`));
  await page.clock.install({ time: new Date('2026-01-05T09:00:00Z') });
  await page.clock.pauseAt(new Date('2026-01-05T09:00:01Z'));
  return { page, context, errors };
}

// The player at url in a watched page. Requests that leave 127.0.0.1 are
// refused and count as errors.
export async function openPlayer(browser, url, { viewport = { width: 1280, height: 800 } } = {}) {
  const { page, context, errors } = await newWatchedPage(browser, viewport);
  await context.route('**/*', (route) => {
    const target = new URL(route.request().url());
    if (target.protocol === 'data:' || target.hostname === '127.0.0.1') return route.continue();
    errors.push(`network: ${route.request().url()}`);
    return route.abort();
  });
  await page.goto(url, { waitUntil: 'load' });
  return { page, context, errors };
}

// The player's state as the page shows it.
export async function playerState(page) {
  return page.evaluate(() => {
    const active = Array.from(document.querySelectorAll('.slide')).filter((s) => s.classList.contains('active'));
    return {
      active: active.map((s) => Number(s.dataset.index)),
      visible: active.length === 1 && getComputedStyle(active[0]).display === 'block',
      counter: document.getElementById('counter').textContent,
      page: document.getElementById('page').value,
      title: document.title,
      prevDisabled: document.getElementById('prev').disabled,
      nextDisabled: document.getElementById('next').disabled,
      thumbsOpen: document.getElementById('player').classList.contains('thumbs-open'),
      uiVisible: document.getElementById('player').classList.contains('ui-visible'),
      playTitle: document.getElementById('play').title,
      fill: document.querySelector('.progress-fill').style.width,
      valueNow: document.getElementById('progress').getAttribute('aria-valuenow'),
      valueMax: document.getElementById('progress').getAttribute('aria-valuemax'),
    };
  });
}
