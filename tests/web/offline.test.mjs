// Offline use: the service worker keeps the site, and a new build takes the
// place of the one it kept.
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { App, expect, test as base } from './lib/fixtures.mjs';
import { waitUntilReady } from './lib/app.mjs';
import { paths } from './lib/paths.mjs';
import { serve } from './lib/static-server.mjs';

const repo = resolve(fileURLToPath(new URL('../..', import.meta.url)));

// Each test serves a copy of the site of its own, which it may change or stop.
const test = base.extend({
  copy: async ({}, use) => {
    const copy = mkdtempSync(join(tmpdir(), 'orvanel-site-'));
    cpSync(paths.site, copy, { recursive: true });
    await use(copy);
    rmSync(copy, { recursive: true, force: true });
  },
  server: async ({ copy }, use) => {
    const server = await serve(copy);
    await use(server);
    await server.close();
  },
  app: async ({ page, server }, use) => {
    const app = new App(page);
    await app.start(server.url);
    await use(app);
  },
});

const controlled = (page) =>
  page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    return navigator.serviceWorker.controller !== null;
  });
const cacheNames = (page) => page.evaluate(() => caches.keys());

test('after one visit the site loads and calculates with the network gone', async ({
  app,
  context,
  server,
}) => {
  await controlled(app.page);
  await server.close();
  await context.setOffline(true);
  const fromNetwork = [];
  app.page.on('response', (response) => {
    if (!response.fromServiceWorker()) fromNetwork.push(response.url());
  });
  await app.page.reload();
  await waitUntilReady(app.page);
  await app.type('txtSB', '50');
  await app.type('txtcharlvl', '80');
  await app.choose('cmdcontinue');
  await expect(app.main('txtmax')).toHaveValue('255');
  expect(fromNetwork).toEqual([]);
});

test('a new build replaces the kept site and its cache', async ({ app, copy }) => {
  await controlled(app.page);
  const before = await cacheNames(app.page);
  expect(before).toHaveLength(1);

  // What a new build does: different files, and the service worker written
  // again from them.
  const marker = `<!-- build ${Date.now()} -->`;
  const index = join(copy, 'index.html');
  writeFileSync(index, readFileSync(index, 'utf8') + marker + '\n');
  execFileSync('cmake', [
    `-DSITE=${copy}`,
    '-DVERSION=1.0.0',
    `-DTEMPLATE=${repo}/platform/web/sw.js.in`,
    '-P',
    `${repo}/platform/web/service_worker.cmake`,
  ]);

  // The browser looks for a new service worker a while after a visit, when
  // it sees fit; the test asks it to look at each visit, as a slow machine
  // may let the time the test allows pass before it does. Nothing else is
  // asked of the site until a new worker has taken over, or 5 s have passed:
  // Chromium leaves it waiting for good when the old one answers a request
  // just then, and can hang a visit that starts then.
  const lookForUpdate = () =>
    app.page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      await registration?.update().catch(() => {});
      for (let waited = 0; waited < 5_000; waited += 50) {
        if (!registration?.installing && !registration?.waiting) return;
        await new Promise((done) => setTimeout(done, 50));
      }
    });
  const kept = () => app.page.evaluate(() => fetch('index.html').then((r) => r.text()));
  // Whether a new worker is still installing or waiting: said when it fails.
  const workers = () =>
    app.page.evaluate(() =>
      navigator.serviceWorker.getRegistration().then((r) => ({ installing: !!r?.installing, waiting: !!r?.waiting })),
    );
  await expect
    .poll(
      async () => {
        await lookForUpdate();
        await app.page.reload();
        await controlled(app.page);
        const state = await workers();
        const taken = !state.installing && !state.waiting && (await kept()).includes(marker);
        return [taken, await cacheNames(app.page), state];
      },
      { intervals: [2_000], timeout: 20_000 },
    )
    .toEqual([true, [expect.not.stringMatching(`^${before[0]}$`)], { installing: false, waiting: false }]);
  await expect(app.window('frmorvix')).toBeVisible();
});

// A new build's worker deletes the cache of the one before while that one may
// still answer a request, started again after it was stopped when idle; and a
// browser can bring a deleted cache back. Answering never makes a cache, and
// each visit deletes what other builds left.
test('the worker makes no cache and deletes those of other builds', async ({ app, context }) => {
  await controlled(app.page);
  const [name] = await cacheNames(app.page);
  await app.page.evaluate(async (own) => {
    await caches.open('orvanel-0.9.0-0123456789abcdef');
    await caches.delete(own);
  }, name);
  const cdp = await context.newCDPSession(app.page);
  await cdp.send('ServiceWorker.enable');
  await cdp.send('ServiceWorker.stopAllWorkers');
  await app.page.reload();
  await waitUntilReady(app.page);
  await expect.poll(() => cacheNames(app.page)).toEqual([]);
});
