// However a run of the program stops, it leaves nothing of itself behind: its
// windows and listeners go, the page says why, and the next run works in full.
import { join } from 'node:path';
import { waitUntilReady } from './lib/app.mjs';
import { App, expect, test as base, watchErrors } from './lib/fixtures.mjs';
import { paths } from './lib/paths.mjs';

const test = base.extend({
  // Console errors that a test brings about on purpose.
  expected: [{ errors: [] }, { option: true }],
  errors: [
    async ({ page, expected }, use) => {
      const errors = watchErrors(page);
      await use(errors);
      const unexpected = errors.filter((e) => !expected.errors.some((pattern) => pattern.test(e)));
      expect(unexpected, 'errors in the console').toEqual([]);
    },
    { auto: true },
  ],
  // Each test opens the page itself, after setting up what is to fail.
  app: async ({ page }, use) => {
    await use(new App(page));
  },
});

// Runs before the page's scripts: makes one thing of the browser fail once,
// when window.__orvanelBreak names it ("write BOX", "focus", "start"). The
// failure happens inside the program's scripts, as a failing browser would.
function breakOnce(armed) {
  window.__orvanelBreak = armed;
  const due = (what) => {
    if (window.__orvanelBreak !== what) return false;
    window.__orvanelBreak = null;
    return true;
  };
  const value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  Object.defineProperty(HTMLInputElement.prototype, 'value', {
    ...value,
    set(text) {
      if (text !== '' && due(`write ${this.id}`))
        throw new Error(`the box ${this.id} could not be written`);
      value.set.call(this, text);
    },
  });
  const focus = HTMLElement.prototype.focus;
  HTMLElement.prototype.focus = function (...args) {
    if (due('focus')) throw new Error('the focus could not move');
    return focus.apply(this, args);
  };
  const byId = Document.prototype.getElementById;
  Document.prototype.getElementById = function (id) {
    if (id === 'msgbox-title' && due('start')) throw new Error('the page could not be read');
    return byId.call(this, id);
  };
}

const arm = (app, what) => app.page.evaluate((name) => (window.__orvanelBreak = name), what);

async function open(app, { armed = null, ready = true, query = '' } = {}) {
  await app.page.addInitScript(breakOnce, armed);
  await app.page.goto(process.env.ORVANEL_SITE_URL + query);
  if (ready) await waitUntilReady(app.page);
}

async function expectEnded(app, reason) {
  await expect(app.page.locator('#ended')).toBeVisible();
  await expect(app.page.locator('#ended-reason')).toHaveText(reason);
  await expect(app.page.locator('.window')).toHaveCount(0);
  await expect(app.box).toHaveJSProperty('open', false);
  await expect(app.page.locator('#announcer')).toHaveText('');
}

// A new run takes every key and calculates: no listener of the one before
// takes F6 or Tab from it.
async function expectAFreshRun(app) {
  await app.page.locator('#restart').click();
  await expect(app.window('frmorvix')).toBeVisible();
  await expect(app.page.locator('#ended')).toBeHidden();
  await expect.poll(() => app.focused()).toBe('frmorvix txtSB');
  await app.page.keyboard.press('Tab');
  expect(await app.focused(), 'Tab in a window').toBe('frmorvix txtcharlvl');
  await app.choose('help', 'helpa');
  await expect.poll(() => app.focused()).toMatch(/^frmhelp /);
  await app.page.keyboard.press('F6');
  expect(await app.focused(), 'F6').toMatch(/^frmorvix /);
  await app.page.mouse.click(2, 2); // the desktop, outside every window
  expect(await app.focused(), 'a press on the desktop').toBe('');
  await app.page.keyboard.press('Tab');
  expect(await app.focused(), 'Tab from the page').toMatch(/^frmorvix /);
  await app.type('txtSB', '50');
  await app.type('txtcharlvl', '80');
  await app.main('cmdcontinue').click();
  await expect(app.main('txtmax')).toHaveValue('255');
}

const failures = [
  {
    name: 'an abort: the memory runs out on a huge paste',
    cause: async (app) => {
      await app.main('txtSB').evaluate((box) => (box.value = '9'.repeat(12 << 20)));
      await app.main('cmdcontinue').click();
    },
    reason: /^It stopped on an error: Aborted\(.*OOM.*\)$/,
  },
  {
    name: 'an error in a handler: the result cannot be written',
    cause: async (app) => {
      await app.type('txtSB', '50');
      await app.type('txtcharlvl', '80');
      await arm(app, 'write txtmax');
      await app.main('cmdcontinue').click();
    },
    reason: /^It stopped on an error: the box txtmax could not be written$/,
  },
  {
    name: 'a rejected promise: the level cannot be written once its message is answered',
    cause: async (app) => {
      await app.type('txtSB', '50');
      await app.type('txtcharlvl', '120');
      await arm(app, 'write txtcharlvl');
      await app.main('cmdcontinue').click();
      await expect(app.box).toHaveJSProperty('open', true);
      await app.answer('Enter');
    },
    reason: /^It stopped on an error: the box txtcharlvl could not be written$/,
  },
  {
    name: 'an error in the keys of a window: the focus cannot move',
    cause: async (app) => {
      await arm(app, 'focus');
      await app.page.keyboard.press('Tab');
    },
    reason: /^It stopped on an error: the focus could not move$/,
  },
  {
    name: 'a failed start: the page cannot be read',
    open: { armed: 'start', ready: false },
    cause: async () => {},
    reason: /^It stopped on an error: the page could not be read$/,
  },
  {
    name: 'a rejected promise of the page, outside the program',
    cause: (app) => app.page.evaluate(() => void Promise.reject(new Error('the page failed'))),
    reason: /^It stopped on an error: Error: the page failed$/,
    expectedErrors: [/the page failed/],
  },
  {
    name: "a failed start: the program's code cannot be fetched",
    open: { ready: false },
    routes: async (page) => {
      let failing = true;
      await page.route('**/orvanel.wasm', (route) => (failing ? route.abort() : route.fallback()));
      return () => (failing = false);
    },
    cause: async () => {},
    reason: /^It stopped on an error: TypeError: Failed to fetch$/,
    expectedErrors: [/Failed to load resource/, /Failed to fetch/],
  },
];

for (const failure of failures) {
  test.describe(failure.name, () => {
    test.use({ expected: { errors: failure.expectedErrors ?? [] } });

    test('ends the run with the reason; the next run takes F6, Tab and calculates', async ({
      app,
    }) => {
      const mend = failure.routes ? await failure.routes(app.page) : () => {};
      await open(app, failure.open);
      await failure.cause(app);
      await expectEnded(app, failure.reason);
      mend();
      await expectAFreshRun(app);
    });
  });
}

// The program built with one thing spoilt, served in place of the site's.
test.describe('a spoilt program', () => {
  test.use({ serviceWorkers: 'block' });
  test.beforeEach(async ({ page }) => {
    const types = { js: 'text/javascript', wasm: 'application/wasm' };
    await page.route(/\/orvanel\.(js|wasm)$/, (route) => {
      const extension = new URL(route.request().url()).pathname.split('.').pop();
      route.fulfill({ path: join(paths.spoilt, `orvanel.${extension}`), contentType: types[extension] });
    });
  });

  const starts = [
    { spoil: 'container', named: ['"frmorvix"', '"txtmax"', '"fmnone"'] },
    { spoil: 'name', named: ['"frmorvix"', '"txtSB"'] },
  ];
  for (const { spoil, named } of starts) {
    test(`a start refused for its ${spoil} says so in a message box, then ends; so does the next`, async ({
      app,
    }) => {
      await open(app, { ready: false, query: `?spoil=${spoil}` });
      for (const way of ['Enter', 'click']) {
        await expect(app.box).toHaveJSProperty('open', true);
        const text = await app.boxText.textContent();
        expect(text).toMatch(/^Orvanel could not start: /);
        for (const name of named) expect(text).toContain(name);
        await expect(app.page.locator('.window:visible')).toHaveCount(0);
        await app.answer(way);
        await expectEnded(app, `It stopped on an error: ${text}`);
        if (way === 'Enter') await app.page.locator('#restart').click();
      }
    });
  }

  test('a failure in a handler ends the run with its text; the next run starts', async ({
    app,
  }) => {
    await open(app, { query: '?spoil=read' });
    await app.main('cmdcontinue').click();
    await expectEnded(
      app,
      'It stopped on an error: window "frmorvix", control "txtSB": the text could not be read',
    );
    await app.page.locator('#restart').click();
    await expect(app.window('frmorvix')).toBeVisible();
    await expect.poll(() => app.focused()).toBe('frmorvix txtSB');
  });
});
