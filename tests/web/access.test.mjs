// Accessibility as axe-core checks it, in each state a user meets, the live
// region that says the results, and the page on a phone's screen.
import axe from 'axe-core';
import { expect, formOf, test } from './lib/fixtures.mjs';

const states = {
  'the main window': async () => {},
  'the Help window': (app) => app.choose('help', 'helpa'),
  'the About window': (app) => app.choose('help', 'bout'),
  'the File menu open': (app) => app.choose('mnufile'),
  'a shield submenu open': (app) => app.keys('F10', 'ArrowRight', 'ArrowDown', 'ArrowRight'),
  'a message box': (app) => app.choose('cmdcontinue'),
  'a result said': async (app) => {
    await app.type('txtSB', '50');
    await app.type('txtcharlvl', '80');
    await app.choose('cmdcontinue');
    await expect(app.page.locator('#announcer')).not.toBeEmpty();
  },
};

for (const [state, reach] of Object.entries(states)) {
  test(`axe finds no violation with ${state}`, async ({ app }) => {
    await reach(app);
    await app.page.evaluate(axe.source); // past the page's policy against inline scripts
    const { violations } = await app.page.evaluate(() =>
      window.axe.run(document, { resultTypes: ['violations'] }),
    );
    const found = violations.flatMap((v) =>
      v.nodes.map((n) => `${v.id}: ${n.target.join(' ')}: ${n.failureSummary}`),
    );
    expect(found).toEqual([]);
  });
}

// What the live region says, step by step: each result once, with the words
// of the result box's label, again when it is the same; nothing for the
// boxes emptied by File > Clear, for a message, or for the level written back.
test('the live region says each result once, in the words of its label', async ({ app }) => {
  const result = formOf('frmorvix').controls.find((c) => c.announced);
  expect(result?.name).toBe('txtmax');
  const words = result.accessibleName;
  const region = app.page.locator('#announcer');
  await expect(region).toHaveAttribute('role', 'status');
  // Every text the region came to hold after being empty: what a screen
  // reader says, as a text it already holds is not said again.
  await region.evaluate((element) => {
    window.__said = [];
    let last = element.textContent;
    new MutationObserver(() => {
      const text = element.textContent;
      if (text && !last) window.__said.push(text);
      last = text;
    }).observe(element, { childList: true, characterData: true, subtree: true });
  });
  const said = () => app.page.evaluate(() => window.__said);
  const continueWith = async (block, level) => {
    await app.type('txtSB', block);
    await app.type('txtcharlvl', level);
    await app.choose('cmdcontinue');
  };
  const steps = [
    { name: 'a result', act: () => continueWith('50', '80'), says: `${words} 255`, holds: true },
    { name: 'the same result', act: () => continueWith('50', '80'), says: `${words} 255`, holds: true },
    { name: 'File > Clear', act: () => app.choose('mnufile', 'mnuclear'), holds: false },
    {
      name: 'a message only',
      act: async () => {
        await continueWith('', '80');
        await app.answer('Enter');
      },
      holds: false,
    },
    {
      name: 'a level too high, then its result',
      act: async () => {
        await continueWith('50', '120');
        await app.answer('Enter');
      },
      says: `${words} 312`,
      holds: true,
    },
  ];
  const heard = [];
  for (const step of steps) {
    await step.act();
    if (step.says) heard.push(step.says);
    await expect.poll(said, step.name).toEqual(heard);
    if (step.holds) await expect(region, step.name).toHaveText(step.says);
    else await expect(region, step.name).toHaveText('');
  }
  await app.page.waitForTimeout(300);
  expect(await said(), 'nothing more').toEqual(heard);
});

test.describe('on a 360 × 640 screen', () => {
  test.use({ viewport: { width: 360, height: 640 } });

  test('no sideways scrolling, and each window fits', async ({ app }) => {
    const page = app.page;
    // Each window on its own, as they may cover one another.
    for (const [form, entry, close] of [
      ['frmorvix'],
      ['frmhelp', 'helpa', 'cmdclose'],
      ['frmabout', 'bout', 'Command1'],
    ]) {
      if (entry) await app.choose('help', entry);
      const box = await app.window(form).boundingBox();
      const viewport = page.viewportSize();
      expect(box.x, form).toBeGreaterThanOrEqual(0);
      expect(box.x + box.width, form).toBeLessThanOrEqual(viewport.width + 0.5);
      expect(box.height, form).toBeLessThanOrEqual(viewport.height + 0.5);
      if (close) await app.control(form, close).click();
    }
    const widths = await page.evaluate(() => [
      document.documentElement.scrollWidth,
      window.innerWidth,
    ]);
    expect(widths[0]).toBeLessThanOrEqual(widths[1]);
  });
});
