// Pictures of the web site for docs/: each window, the open shield list with
// a submenu, and a message box, in each engine of the browser suite
// (web-*.png for Chromium, firefox-*.png, webkit-*.png); and in Chromium as a
// phone, the page at 360 × 640 and 390 × 844 (web-phone*.png). Made from the
// built site:
//   node tests/web/screenshots.mjs [SITE_DIR [OUT_DIR [ENGINE...]]]
// ENGINE is chromium, firefox or webkit; all three by default. WebKitGTK's
// MiniBrowser needs a display (xvfb-run -a).
import { chromium } from '@playwright/test';
import { resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { watchErrors } from './lib/app.mjs';
import { PlaywrightEngine, launchers } from './lib/engines.mjs';
import { paths } from './lib/paths.mjs';
import { Page } from './lib/play.mjs';
import { serve } from './lib/static-server.mjs';

const site = process.argv[2] ?? paths.site;
const out = process.argv[3] ?? resolve(fileURLToPath(new URL('../../docs', import.meta.url)));
const engines = process.argv.length > 4 ? process.argv.slice(4) : ['chromium', 'firefox', 'webkit'];
const prefixes = { chromium: 'web', firefox: 'firefox', webkit: 'webkit' };

// The smallest rectangle around the windows (by name), the open menus and the
// message box ("msgbox"), with a margin.
function around(names, margin) {
  const elements = names.flatMap((name) =>
    name === 'menus'
      ? [...document.querySelectorAll('.window')].flatMap((host) => [
          ...host.shadowRoot.querySelectorAll('[role=menu]:not([hidden])'),
        ])
      : [document.getElementById(name)],
  );
  const boxes = elements.map((e) => e.getBoundingClientRect());
  const left = Math.min(...boxes.map((b) => b.x)) - margin;
  const top = Math.min(...boxes.map((b) => b.y)) - margin;
  const right = Math.max(...boxes.map((b) => b.x + b.width)) + margin;
  const bottom = Math.max(...boxes.map((b) => b.y + b.height)) + margin;
  return { x: Math.max(0, left), y: Math.max(0, top), width: right - left, height: bottom - top };
}

// Shows Spirit Ward's values, as the mouse and the keyboard reach them.
async function shieldList(page) {
  await page.choose('mnusl');
  await page.engine.move(...(await page.read('frmorvix', 'Spirit Ward', 'menu item')));
  await page.engine.press('ArrowRight');
}

// name: [what it frames (null: the whole screen), how the page gets there]
const pictures = {
  'main-window': [['frmorvix'], async () => {}],
  'help-window': [['frmhelp'], (page) => page.choose('help', 'helpa')],
  'about-window': [['frmabout'], (page) => page.choose('help', 'bout')],
  'shield-list': [['frmorvix', 'menus'], shieldList],
  'message-box': [
    ['frmorvix', 'msgbox'],
    async (page) => {
      await page.enter('txtSB', '50');
      await page.enter('txtcharlvl', '120');
      await page.choose('cmdcontinue');
    },
  ],
};
const phones = {
  'web-phone': [[360, 640], async () => {}],
  'web-phone-column': [
    [360, 640],
    async (page) => {
      await page.choose('help', 'helpa');
      await page.choose('help', 'bout');
    },
  ],
  'web-phone-menu': [[390, 844], shieldList],
};

// No text cursor in the pictures, as Playwright leaves it out in Chromium's.
function hideCaret() {
  const sheet = new CSSStyleSheet();
  sheet.replaceSync('* { caret-color: transparent; }');
  document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
  for (const host of document.querySelectorAll('.window'))
    host.shadowRoot.adoptedStyleSheets = [...host.shadowRoot.adoptedStyleSheets, sheet];
}

async function take(engine, url, path, [frames, reach], size = [1280, 800]) {
  await engine.viewport(...size);
  const page = new Page(engine);
  await page.start(url);
  await reach(page);
  if (engine.name !== 'chromium') await engine.evaluate(hideCaret);
  await new Promise((resolve) => setTimeout(resolve, 100));
  await engine.screenshot(path, frames ? await engine.evaluate(around, frames, 8) : undefined);
  console.log(`wrote ${path}`);
}

const server = await serve(site);
const errors = [];
try {
  for (const name of engines) {
    if (name === 'chromium') {
      const browser = await chromium.launch({ executablePath: process.env.ORVANEL_CHROMIUM ?? '/usr/bin/chromium' });
      try {
        const shots = [
          ...Object.entries(pictures).map(([picture, how]) => [`web-${picture}`, how, {}]),
          ...Object.entries(phones).map(([picture, [size, reach]]) => [
            picture,
            [null, reach, size],
            { isMobile: true, hasTouch: true },
          ]),
        ];
        for (const [picture, [frames, reach, size], options] of shots) {
          const page = await browser.newPage({ viewport: { width: 1280, height: 800 }, ...options });
          const engine = new PlaywrightEngine(page, watchErrors(page, errors));
          await take(engine, server.url, `${out}/${picture}.png`, [frames, reach], size);
          await page.close();
        }
      } finally {
        await browser.close();
      }
    } else {
      const engine = await launchers[name]();
      try {
        for (const [picture, how] of Object.entries(pictures))
          await take(engine, server.url, `${out}/${prefixes[name]}-${picture}.png`, how);
        errors.push(...engine.errors);
      } finally {
        await engine.close();
      }
    }
  }
} finally {
  await server.close();
}
if (errors.length) {
  console.error(`errors in the console:\n${errors.join('\n')}`);
  process.exit(1);
}
