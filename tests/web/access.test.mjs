// Accessibility as axe-core checks it, in each state a user meets, and the
// page on a phone's screen.
import axe from 'axe-core';
import { expect, test } from './lib/fixtures.mjs';

const states = {
  'the main window': async () => {},
  'the Help window': (app) => app.choose('help', 'helpa'),
  'the About window': (app) => app.choose('help', 'bout'),
  'the File menu open': (app) => app.choose('mnufile'),
  'a shield submenu open': (app) => app.keys('F10', 'ArrowRight', 'ArrowDown', 'ArrowRight'),
  'a message box': (app) => app.choose('cmdcontinue'),
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
