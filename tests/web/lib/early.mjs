// The start-up window before the program is ready, played on a Page of
// play.mjs in every engine: the page brings the window with it, the program's
// code is held back by the server, and what the user does meanwhile is kept.
// A page whose window does not match the program's is built afresh, a window
// taken over is the one the program builds, element for element and in
// pixels, also when drawn only in the cuts of its faces that the page brings
// for the first paint, and it does not move when taken over, on a phone's
// screen as on a desktop's.

import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { decodePng } from './png.mjs';
import { desktopSize, phoneSizes } from './phone.mjs';
import { serve } from './static-server.mjs';
import { Page } from './play.mjs';

const program = (path) => path === '/orvanel.wasm';
// The page as an older build could have written it: its window's signature
// is not the program's.
const stale = (path, body) =>
  path === '/' || path === '/index.html'
    ? body.toString().replace(/data-signature="[^"]*"/, 'data-signature="0000000000000000"')
    : body;

// The page without the whole faces (taken out of its style, and the style's
// hash in the policy with them): only the cuts of them that it brings draw.
const cutsOnly = (path, body) => {
  if (path !== '/' && path !== '/index.html') return body;
  const page = body.toString();
  const style = page.match(/<style>([^<]*)<\/style>/)[1];
  const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
  const without = style.replace(/@font-face \{[^}]*\}\n?/g, '');
  assert.notEqual(without, style, 'the page style names the faces');
  return page.replace(hash(style), hash(without)).replace(style, without);
};

const ready = (page) => page.engine.evaluate(() => performance.getEntriesByName('orvanel-ready').length > 0);

// The site served with the program held back; the page shown, its window up.
async function opened(engine, site, { rewrite, hold = program } = {}) {
  const server = await serve(site, { hold, rewrite, quiet: true });
  const page = new Page(engine);
  await engine.goto(server.url);
  await page.until(() => page.read('frmorvix', '', 'visible'), true, 'the window is on the page');
  return { server, page };
}

async function started(page, server) {
  server.release();
  await page.until(() => ready(page), true, 'the program is ready');
}

// Every element of a window's shadow root: its tag, attributes and own text.
function elements(form) {
  const root = document.getElementById(form).shadowRoot;
  return [...root.querySelectorAll('*')].map((e) =>
    [
      e.tagName,
      ...[...e.attributes].map((a) => `${a.name}=${a.value}`).sort(),
      ...[...e.childNodes].filter((n) => n.nodeType === 3).map((n) => n.textContent),
    ].join(' '),
  );
}

// A picture of the main window, with the focus on the window itself, so that
// no caret blinks in it, and its icon left out: WebKitGTK draws a picture
// scaled down coarsely at first and finely a while later (the icon's element
// is compared all the same).
async function picture(page, name) {
  await page.engine.evaluate(() => {
    const root = document.getElementById('frmorvix').shadowRoot;
    const still = new CSSStyleSheet();
    still.replaceSync('.icon { visibility: hidden; }');
    root.adoptedStyleSheets = [...root.adoptedStyleSheets, still];
    root.querySelector('.frame').focus();
  });
  // Time to draw that.
  await new Promise((resolve) => setTimeout(resolve, 300));
  const clip = await page.engine.evaluate(() => {
    const r = document.getElementById('frmorvix').getBoundingClientRect();
    return { x: Math.floor(r.x), y: Math.floor(r.y), width: Math.ceil(r.width), height: Math.ceil(r.height) };
  });
  const path = join(tmpdir(), `orvanel-${page.engine.name}-${name}-${process.pid}.png`);
  await page.engine.screenshot(path, clip);
  return decodePng(readFileSync(path));
}

// The share of pixels that differ to the eye between two pictures: by more
// than a tenth of the range in a channel. Engines draw a few pixels of text
// and gradients a little differently from one page to the next; a window
// laid out, drawn in another face or at another size differs in hundreds.
function differing(a, b) {
  if (a.width !== b.width || a.height !== b.height || a.channels !== b.channels) return 1;
  let count = 0;
  a.rows.forEach((row, y) => {
    for (let x = 0; x < a.width; ++x) {
      const at = x * a.channels;
      const far = [...Array(a.channels).keys()].some((c) => Math.abs(row[at + c] - b.rows[y][at + c]) > 25);
      if (far) ++count;
    }
  });
  return count / (a.width * a.height);
}

// [what, page, clicks Continue before ready]
const before = [
  ['typing before the program is ready is kept, and the focus where it was', undefined, false],
  ['a Continue click before the program is ready is carried out once', undefined, true],
  ['a page whose window does not match is built afresh, with what was typed', stale, false],
];

// Where the window and the page's own text stand, to a hundredth of a pixel.
function placement() {
  const round = (n) => Math.round(n * 100) / 100;
  const rect = (e) => {
    const r = e.getBoundingClientRect();
    return [r.x, r.y, r.width, r.height].map(round);
  };
  const host = document.getElementById('frmorvix');
  return {
    frame: rect(host.shadowRoot.querySelector('.frame')),
    client: rect(host.shadowRoot.querySelector('.client')),
    footer: rect(document.querySelector('.footer')),
  };
}

const registered = () =>
  !navigator.serviceWorker ||
  navigator.serviceWorker.getRegistration().then((registration) => !!registration?.active);

export const earlyChecks = [
  ...before.map(([name, rewrite, click]) => ({
    name,
    async play(engine, site) {
      const { server, page } = await opened(engine, site, { rewrite });
      try {
        assert.equal(await page.read('frmorvix', '', 'focus'), 'frmorvix.txtSB');
        await engine.type('50');
        await engine.press('Tab');
        await engine.type('80');
        if (click) await page.clickOn('frmorvix', 'cmdcontinue');
        assert.equal(await ready(page), false, 'the program was held back');
        // The program's writes of a result, each time Continue is handled.
        await page.engine.evaluate(() => {
          window.__writes = [];
          const value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
          Object.defineProperty(HTMLInputElement.prototype, 'value', {
            ...value,
            set(text) {
              if (this.id === 'txtmax') window.__writes.push(`${this.id}=${text}`);
              value.set.call(this, text);
            },
          });
        });
        await started(page, server);
        const wanted = click ? ['txtmax=255'] : [];
        await page.until(() => engine.evaluate(() => window.__writes), wanted, 'what the program wrote');
        await page.until(() => page.read('frmorvix', 'txtSB', 'text'), '50', 'the block box');
        assert.equal(await page.read('frmorvix', 'txtcharlvl', 'text'), '80');
        assert.equal(await page.read('frmorvix', '', 'count'), 1);
        if (!click) assert.equal(await page.read('frmorvix', '', 'focus'), 'frmorvix.txtcharlvl');
        // Nothing more comes later: no handler runs twice.
        await new Promise((resolve) => setTimeout(resolve, 300));
        assert.deepEqual(await engine.evaluate(() => window.__writes), wanted);
      } finally {
        await server.close();
      }
    },
  })),
  // One visit each, its server kept until the service worker the ready
  // program registers is active: a server closed under it fails the page's
  // request for the worker's script.
  ...[
    ['a phone', phoneSizes[0]],
    ['a desktop', desktopSize],
  ].map(([screen, size]) => ({
    name: `the window stands at its first paint where the program keeps it, on ${screen}`,
    async play(engine, site) {
      await engine.viewport(...size);
      const { server, page } = await opened(engine, site);
      try {
        const early = await engine.evaluate(placement);
        await started(page, server);
        assert.deepEqual(await engine.evaluate(placement), early);
        await page.until(() => engine.evaluate(registered), true, 'the service worker is active');
      } finally {
        await server.close();
        await engine.viewport(...desktopSize);
      }
    },
  })),
  {
    name: 'the window taken over is the one the program builds, element for element and in pixels, even in the first-paint cuts',
    async play(engine, site) {
      const seen = [];
      for (const rewrite of [undefined, stale, cutsOnly]) {
        const { server, page } = await opened(engine, site, { rewrite, hold: () => false });
        try {
          await page.until(() => ready(page), true, 'the program is ready');
          seen.push({ elements: await engine.evaluate(elements, 'frmorvix'), picture: await picture(page, seen.length) });
        } finally {
          await server.close();
        }
      }
      for (const [index, other] of ['built afresh', 'drawn in the cuts'].entries()) {
        assert.deepEqual(seen[index + 1].elements, seen[0].elements, other);
        const share = differing(seen[0].picture, seen[index + 1].picture);
        assert.ok(share <= 1 / 2000, `the window ${other} looks the same: ${(share * 100).toFixed(2)} % of pixels differ`);
      }
    },
  },
];
