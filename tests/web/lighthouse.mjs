// Lighthouse's audits of the site in Debian's Chromium, as a phone (its mobile
// preset: a 412 px wide screen, a slow network and CPU; and the same on the
// 360 × 640 and 390 × 844 screens of smaller phones) and as a desktop: every
// audit of accessibility and best practices passes, and so do performance
// and SEO, each scored 100; the phones' text is legible. Prints the scores and
// the metrics the performance score weighs, for the site and for the
// benchmark's hand-written floor page.
//
//   node --test lighthouse.mjs
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, test } from 'node:test';
import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { paths } from './lib/paths.mjs';
import { serve } from './lib/static-server.mjs';

const floor = resolve(fileURLToPath(new URL('../../bench/web_startup/floor', import.meta.url)));
const categories = ['performance', 'accessibility', 'best-practices', 'seo'];
let chrome;
let profile;
const servers = {};

before(async () => {
  servers.site = await serve(paths.site, { gzip: true });
  servers.floor = await serve(floor, { gzip: true });
  profile = mkdtempSync(join(tmpdir(), 'orvanel-lighthouse-'));
  chrome = await chromeLauncher.launch({
    chromePath: process.env.ORVANEL_CHROMIUM ?? '/usr/bin/chromium',
    userDataDir: profile,
    chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  // One audit left unscored first: the first page a new browser opens also
  // pays for the browser's own start, which Lighthouse counts as the page's
  // blocking time.
  await lighthouse(servers.site.url, { port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: ['performance'] });
});
after(async () => {
  await chrome?.kill();
  rmSync(profile, { recursive: true, force: true });
  await Promise.all(Object.values(servers).map((s) => s.close()));
});

async function audit(url, config) {
  const { lhr } = await lighthouse(url, { port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: categories }, config);
  const scores = Object.fromEntries(categories.map((c) => [c, Math.round(lhr.categories[c].score * 100)]));
  // Every metric the performance score weighs, so that a score below 100
  // says which one fell: the paints, the speed index and the blocking time in
  // ms, the layout shift as a number.
  const metric = (id) => lhr.audits[id].numericValue;
  const metrics = {
    FCP: Math.round(metric('first-contentful-paint')),
    LCP: Math.round(metric('largest-contentful-paint')),
    SI: Math.round(metric('speed-index')),
    TBT: Math.round(metric('total-blocking-time')),
    CLS: Number(metric('cumulative-layout-shift').toFixed(3)),
  };
  const failed = categories
    .filter((c) => c !== 'performance')
    .flatMap((c) => lhr.categories[c].auditRefs)
    .map((ref) => lhr.audits[ref.id])
    .filter((a) => a.score !== null && a.score < 1 && a.scoreDisplayMode !== 'informative' && a.scoreDisplayMode !== 'manual')
    .map((a) => `${a.id}: ${a.title}`);
  return { scores, metrics, failed, lhr };
}

// The mobile preset on a phone's screen of another size.
const phone = (width, height) => ({
  extends: 'lighthouse:default',
  settings: { screenEmulation: { mobile: true, width, height, deviceScaleFactor: 3, disabled: false } },
});
const forms = [
  ['mobile', undefined],
  ['mobile, 360 px', phone(360, 640)],
  ['mobile, 390 px', phone(390, 844)],
  ['desktop', desktopConfig],
];

for (const [form, config] of forms) {
  test(`Lighthouse, ${form}`, async () => {
    const site = await audit(servers.site.url, config);
    const base = await audit(servers.floor.url, config);
    const screen = site.lhr.configSettings.screenEmulation;
    const text = site.lhr.audits['font-size'].displayValue;
    const figures = (m) => Object.entries(m).map(([k, v]) => `${k} ${v}`).join(' ');
    console.log(`${form} (${screen.width} × ${screen.height}): site ${JSON.stringify(site.scores)} ` +
      `${figures(site.metrics)}${text ? `, ${text}` : ''}; floor ${figures(base.metrics)}`);
    assert.deepEqual(site.failed, [], 'failed audits');
    assert.deepEqual(site.scores, Object.fromEntries(categories.map((c) => [c, 100])));
    if (form.startsWith('mobile')) assert.equal(site.lhr.audits['font-size'].score, 1, 'legible font sizes');
  });
}
