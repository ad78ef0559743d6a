// What every test file shares: the windows' descriptions, the page with the program
// started in it, and a watch on the console that fails a test on any error.
import { test as base, expect } from '@playwright/test';
import { readFileSync } from 'node:fs';
import { App, watchErrors } from './app.mjs';
import { PlaywrightEngine } from './engines.mjs';
import { Page } from './play.mjs';
import { paths } from './paths.mjs';

export { App, expect, watchErrors };

export const descriptions = JSON.parse(readFileSync(paths.descriptions, 'utf8'));
export const formOf = (name) => descriptions.forms.find((form) => form.name === name);
// A menu or button text as shown: "&" marks the access key, "&&" is an "&".
export const shown = (text) => text.replace(/&(.)/g, '$1');
// Pixels at 96 dpi, as the runtime lays out twips and points.
export const px = (twips) => twips / 15;
export const fontPx = (points) => Math.round((points * 96) / 72);

export const answerWays = ['Enter', 'Space', 'Escape', 'click'];

export const test = base.extend({
  // Every test fails on an error in the console of its page.
  errors: [
    async ({ page }, use) => {
      const errors = watchErrors(page);
      await use(errors);
      expect(errors, 'errors in the console').toEqual([]);
    },
    { auto: true },
  ],
  // The program in the page, for the cases every engine plays.
  program: async ({ page, errors }, use) => {
    const program = new Page(new PlaywrightEngine(page, errors));
    await program.start(process.env.ORVANEL_SITE_URL);
    await use(program);
  },
  app: async ({ page }, use) => {
    const app = new App(page);
    await app.start();
    await use(app);
  },
});
