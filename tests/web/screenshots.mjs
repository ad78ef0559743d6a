// Pictures of the web site for docs/: each window, the open shield list with
// a submenu, a message box, and the page on a phone's screen. Made in the
// system's Chromium from the built site:
//   node tests/web/screenshots.mjs [SITE_DIR [OUT_DIR]]
import { chromium } from '@playwright/test';
import { resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { App, watchErrors } from './lib/app.mjs';
import { paths } from './lib/paths.mjs';
import { serve } from './lib/static-server.mjs';

const site = process.argv[2] ?? paths.site;
const out = process.argv[3] ?? resolve(fileURLToPath(new URL('../../docs', import.meta.url)));

// The smallest rectangle around every element the locators find, with a margin.
async function around(locators, margin = 8) {
  const elements = (await Promise.all(locators.map((l) => l.all()))).flat();
  const boxes = await Promise.all(elements.map((e) => e.boundingBox()));
  const left = Math.min(...boxes.map((b) => b.x)) - margin;
  const top = Math.min(...boxes.map((b) => b.y)) - margin;
  const right = Math.max(...boxes.map((b) => b.x + b.width)) + margin;
  const bottom = Math.max(...boxes.map((b) => b.y + b.height)) + margin;
  return { x: Math.max(0, left), y: Math.max(0, top), width: right - left, height: bottom - top };
}

const pictures = {
  'web-main-window': async (app) => [app.window('frmorvix')],
  'web-help-window': async (app) => {
    await app.choose('help', 'helpa');
    return [app.window('frmhelp')];
  },
  'web-about-window': async (app) => {
    await app.choose('help', 'bout');
    return [app.window('frmabout')];
  },
  'web-shield-list': async (app) => {
    await app.choose('mnusl');
    const menu = app.window('frmorvix');
    await menu.getByRole('menuitem', { name: 'Spirit Ward', exact: true }).hover();
    await menu.getByRole('menuitem', { name: 'Spirit Ward', exact: true }).press('ArrowRight');
    return [menu, menu.locator('[role=menu]:visible')];
  },
  'web-message-box': async (app) => {
    await app.type('txtSB', '50');
    await app.type('txtcharlvl', '120');
    await app.choose('cmdcontinue');
    return [app.window('frmorvix'), app.box];
  },
  'web-phone': async () => null,
};

const server = await serve(site);
const browser = await chromium.launch({
  executablePath: process.env.ORVANEL_CHROMIUM ?? '/usr/bin/chromium',
});
const errors = [];
try {
  for (const [name, reach] of Object.entries(pictures)) {
    const phone = name === 'web-phone';
    const page = await browser.newPage({
      viewport: phone ? { width: 360, height: 640 } : { width: 1280, height: 800 },
    });
    watchErrors(page, errors);
    const app = new App(page);
    await app.start(server.url);
    const shown = await reach(app);
    const path = `${out}/${name}.png`;
    if (shown) await page.screenshot({ path, clip: await around(shown) });
    else await page.screenshot({ path });
    console.log(`wrote ${path}`);
    await page.close();
  }
} finally {
  await browser.close();
  await server.close();
}
if (errors.length) {
  console.error(`errors in the console:\n${errors.join('\n')}`);
  process.exit(1);
}
