// Start-up of Orvanel's web site beside a floor: a hand-written page with the
// same kinds of things (a menu bar with one menu of one entry, a label, a text
// box, a push button) and the calculation in plain JavaScript. Both are served
// gzipped from 127.0.0.1 and opened alternately in the system's Chromium, each
// pair in both orders in turn. Each visit is timed from the start of the
// navigation to the moment the page takes input (its mark "orvanel-input", or
// "orvanel-ready" for a page that takes input only once ready), to the frame
// after that mark ("painted"), and to the mark "orvanel-ready":
//   cold  the first visit, in a fresh browser context with no cache;
//   warm  a second visit in that context once the service worker is active.
// It prints the medians, the median ratio of the pairs with its quartiles and
// range, the bytes sent, and where Orvanel's cold start spends its time.
//
//   node bench/web_startup/run.mjs [--site DIR] [--pairs N] [--warm-up N]
//     [--profile loopback|phone] [--rtt MS] [--floor DIR] [--json FILE]
//
// --floor times the site against another in place of the floor page, such as
// the site of an earlier build: the pairs' ratios then say what a change did.
//
// --profile phone is a throttled phone: 150 ms a request, 1.6 Mbit/s down,
// 750 kbit/s up and the processor 4 times slower; --rtt adds that many
// milliseconds of latency to every request instead; by default none.
//
// It uses the browser suite's pinned packages: run `npm ci` in tests/web first.
// The servers run in processes of their own, so that driving the browser does
// not hold up their answers.
import { fork } from 'node:child_process';
import { once } from 'node:events';
import { createRequire } from 'node:module';
import { loadavg } from 'node:os';
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';
import { resolve } from 'node:path';
import { isFont } from '../../tests/web/lib/static-server.mjs';

const here = fileURLToPath(new URL('.', import.meta.url));
const { chromium } = createRequire(resolve(here, '../../tests/web/package.json'))('playwright');
const { values: options } = parseArgs({
  options: {
    site: { type: 'string', default: resolve(here, '../../build-web/site') },
    pairs: { type: 'string', default: '21' },
    'warm-up': { type: 'string', default: '2' },
    rtt: { type: 'string', default: '0' },
    profile: { type: 'string', default: 'loopback' },
    json: { type: 'string' },
    floor: { type: 'string', default: resolve(here, 'floor') },
  },
});
const pairs = Number(options.pairs);
const warmUp = Number(options['warm-up']);
const profiles = {
  loopback: { latency: Number(options.rtt), down: -1, up: -1, cpu: 1 },
  phone: { latency: 150, down: (1.6e6 / 8), up: (750e3 / 8), cpu: 4 },
};
const profile = profiles[options.profile];
if (!profile) throw new Error(`--profile is loopback or phone, not ${options.profile}`);

const goals = { cold: 1.5, warm: 1.25, kbWithoutFonts: 100, kbWithFonts: 150 };

// What the page's own timeline says about its start: every resource with its
// times and sizes, and the paints.
const timeline = () => ({
  ready: performance.getEntriesByName('orvanel-ready')[0].startTime,
  input: (performance.getEntriesByName('orvanel-input')[0] ?? performance.getEntriesByName('orvanel-ready')[0])
    .startTime,
  painted: (performance.getEntriesByName('orvanel-input-painted')[0] ??
    performance.getEntriesByName('orvanel-ready-painted')[0]).startTime,
  paints: Object.fromEntries(performance.getEntriesByType('paint').map((p) => [p.name, p.startTime])),
  resources: [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')].map(
    (r) => ({
      name: new URL(r.name).pathname,
      start: r.startTime,
      responseStart: r.responseStart,
      end: r.responseEnd,
      wire: r.encodedBodySize,
      size: r.decodedBodySize,
    }),
  ),
});

// Marks, in the page, the frame after each of its marks: a task queued from
// the next animation frame runs once that frame is drawn.
function markPaints() {
  new PerformanceObserver((list) => {
    for (const mark of list.getEntries()) {
      if (mark.name.endsWith('-painted')) continue;
      requestAnimationFrame(() => setTimeout(() => performance.mark(`${mark.name}-painted`)));
    }
  }).observe({ type: 'mark' });
}

async function visit(context, url, console) {
  const page = await context.newPage();
  await page.addInitScript(markPaints);
  if (profile.latency > 0 || profile.cpu > 1) {
    const cdp = await context.newCDPSession(page);
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', {
      offline: false,
      latency: profile.latency,
      downloadThroughput: profile.down,
      uploadThroughput: profile.up,
    });
    if (profile.cpu > 1) await cdp.send('Emulation.setCPUThrottlingRate', { rate: profile.cpu });
  }
  page.on('console', (message) => console.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => console.push(`error: ${error.message}`));
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('orvanel-ready-painted').length > 0);
  const result = await page.evaluate(timeline);
  result.controlled = await page.evaluate(() => navigator.serviceWorker?.controller != null);
  return { page, result };
}

// One cold and one warm visit of a site in a fresh context.
async function measure(browser, server) {
  const context = await browser.newContext();
  const console = [];
  await server.takeLog();
  const cold = await visit(context, server.url, console);
  // The service worker has cached the site once it is active.
  await cold.page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
  await cold.page.waitForTimeout(200);
  const served = await server.takeLog();
  await cold.page.close();
  const warm = await visit(context, server.url, console);
  const warmServed = await server.takeLog();
  await context.close();
  return { cold: cold.result, warm: warm.result, served, warmServed, console };
}

const sorted = (xs) => [...xs].sort((a, b) => a - b);
function quantile(xs, q) {
  const s = sorted(xs);
  const at = (s.length - 1) * q;
  const low = Math.floor(at);
  return s[low] + (s[Math.min(low + 1, s.length - 1)] - s[low]) * (at - low);
}
const median = (xs) => quantile(xs, 0.5);
const ms = (x) => `${x.toFixed(0)} ms`;
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const sum = (xs) => xs.reduce((a, b) => a + b, 0);

// A gzipping static server in a process of its own: { url, takeLog(), close() }.
async function startServer(root) {
  const child = fork(resolve(here, '../../tests/web/lib/static-server.mjs'), [root, '0', '--gzip']);
  const [{ url }] = await once(child, 'message');
  return {
    url,
    takeLog: () => {
      child.send('log');
      return once(child, 'message').then(([message]) => message.log);
    },
    close: () => child.kill(),
  };
}

const servers = {
  orvanel: await startServer(options.site),
  floor: await startServer(options.floor),
};
const loadBefore = loadavg()[0];
const browser = await chromium.launch({
  executablePath: process.env.ORVANEL_CHROMIUM ?? '/usr/bin/chromium',
});
const runs = { orvanel: [], floor: [] };
try {
  for (let i = 0; i < warmUp + pairs; ++i) {
    const order = i % 2 ? ['floor', 'orvanel'] : ['orvanel', 'floor'];
    for (const site of order) {
      const run = await measure(browser, servers[site]);
      if (i >= warmUp) runs[site].push(run);
    }
  }
} finally {
  await browser.close();
  Object.values(servers).forEach((s) => s.close());
}

const report = { pairs, goals, figures: {} };
console.log(
  `Web start-up, ${pairs} pairs after ${warmUp} warm-up pairs (Chromium, headless, 127.0.0.1, gzip` +
    `${options.profile === 'phone' ? ', throttled as a phone: 150 ms a request, 1.6 Mbit/s, 4x CPU' : ''}` +
    `${options.profile === 'loopback' && profile.latency ? `, ${profile.latency} ms round trips` : ''});` +
    ` load average ${loadBefore.toFixed(1)} before, ${loadavg()[0].toFixed(1)} after`,
);
// Each moment, cold and warm: the input-ready moment is the one the goals
// are for; the frame after it shows what the user then sees.
const moments = ['input', 'painted', 'ready'];
for (const kind of ['cold', 'warm']) {
  report.figures[kind] = {};
  for (const moment of moments) {
    const times = Object.fromEntries(
      Object.entries(runs).map(([site, list]) => [site, list.map((r) => r[kind][moment])]),
    );
    const ratios = times.orvanel.map((t, i) => t / times.floor[i]);
    const figure = {
      orvanel: median(times.orvanel),
      floor: median(times.floor),
      ratio: median(ratios),
      q1: quantile(ratios, 0.25),
      q3: quantile(ratios, 0.75),
      min: Math.min(...ratios),
      max: Math.max(...ratios),
    };
    report.figures[kind][moment] = { ...figure, times, ratios };
    const goal = moment === 'input' ? `; goal <= ${goals[kind]}x: ${figure.ratio <= goals[kind] ? 'met' : 'MISSED'}` : '';
    console.log(
      `${kind.padEnd(5)} ${moment.padEnd(7)} Orvanel ${ms(figure.orvanel)} (${ms(Math.min(...times.orvanel))}-${ms(Math.max(...times.orvanel))}),` +
        ` floor ${ms(figure.floor)} (${ms(Math.min(...times.floor))}-${ms(Math.max(...times.floor))});` +
        ` ratio ${figure.ratio.toFixed(2)}x, quartiles ${figure.q1.toFixed(2)}-${figure.q3.toFixed(2)},` +
        ` range ${figure.min.toFixed(2)}-${figure.max.toFixed(2)}${goal}`,
    );
  }
}

// Bytes: what the first visit fetched before it took input, as sent (gzipped),
// and everything the server sent in that visit, the service worker's copy of
// the site included.
const first = runs.orvanel[0];
const beforeReady = first.cold.resources.filter((r) => r.start <= first.cold.input);
const wire = (list, fonts) => sum(list.filter((r) => fonts || !isFont(r.name)).map((r) => r.wire));
const bytes = {
  beforeReadyWithoutFonts: wire(beforeReady, false),
  beforeReadyWithFonts: wire(beforeReady, true),
  servedWithoutFonts: sum(first.served.filter((r) => !isFont(r.path)).map((r) => r.bytes)),
  servedWithFonts: sum(first.served.map((r) => r.bytes)),
  floorServed: sum(runs.floor[0].served.map((r) => r.bytes)),
  warmRequests: first.warmServed.map((r) => r.path),
};
report.bytes = bytes;
console.log(
  `bytes cold, gzipped: before input ${kb(bytes.beforeReadyWithoutFonts)} without fonts` +
    ` (goal <= ${goals.kbWithoutFonts} KB: ${bytes.beforeReadyWithoutFonts <= goals.kbWithoutFonts * 1024 ? 'met' : 'MISSED'}),` +
    ` ${kb(bytes.beforeReadyWithFonts)} with (goal <= ${goals.kbWithFonts} KB: ${bytes.beforeReadyWithFonts <= goals.kbWithFonts * 1024 ? 'met' : 'MISSED'});` +
    ` whole first visit ${kb(bytes.servedWithoutFonts)} without fonts, ${kb(bytes.servedWithFonts)} with; floor ${kb(bytes.floorServed)}`,
);
console.log(`warm visit asked the server for: ${bytes.warmRequests.join(', ') || 'nothing'}`);

// Where each start goes: the median of each resource's times, the paints, and
// the time from the last byte the page waited for to ready (compiling,
// starting and drawing).
const served = Object.fromEntries(first.served.map((r) => [r.path, r]));
for (const kind of ['cold', 'warm']) {
  console.log(`Orvanel ${kind}, medians over the runs (ms from navigation start):`);
  const names = [...new Set(runs.orvanel.flatMap((r) => r[kind].resources.map((x) => x.name)))];
  for (const name of names) {
    const seen = runs.orvanel.map((r) => r[kind].resources.find((x) => x.name === name)).filter(Boolean);
    const at = (key) => median(seen.map((x) => x[key])).toFixed(0).padStart(4);
    console.log(
      `  ${name.padEnd(30)} start ${at('start')}  first byte ${at('responseStart')}  end ${at('end')}` +
        (kind === 'cold'
          ? `  ${kb(seen[0].wire).padStart(8)} sent, ${kb(seen[0].size).padStart(8)} unpacked  ${served[name]?.type ?? ''}`
          : ''),
    );
  }
  for (const paint of ['first-paint', 'first-contentful-paint']) {
    const at = (site) => runs[site].map((r) => r[kind].paints[paint]).filter((x) => x !== undefined);
    if (at('orvanel').length)
      console.log(`  ${paint.padEnd(30)} ${ms(median(at('orvanel')))} (floor ${at('floor').length ? ms(median(at('floor'))) : 'none'})`);
  }
  const gap = (site) =>
    median(
      runs[site].map((r) => {
        const before = r[kind].resources.filter((x) => x.end <= r[kind].ready);
        return r[kind].ready - Math.max(...before.map((x) => x.end));
      }),
    );
  console.log(`  ${'last byte to ready'.padEnd(30)} ${ms(gap('orvanel'))} (floor ${ms(gap('floor'))})`);
  console.log(`  ${'orvanel-ready'.padEnd(30)} ${ms(report.figures[kind].ready.orvanel)} (floor ${ms(report.figures[kind].ready.floor)})`);
}
const said = [...new Set(runs.orvanel.flatMap((r) => r.console))];
if (said.length) console.log(`console of Orvanel's page:\n  ${said.join('\n  ')}`);
const uncontrolled = runs.orvanel.filter((r) => !r.warm.controlled).length;
if (uncontrolled) console.log(`${uncontrolled} warm visits were not controlled by the service worker`);
if (options.json) writeFileSync(options.json, JSON.stringify(report, null, 2));
