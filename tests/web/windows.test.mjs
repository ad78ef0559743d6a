// The page's own ways with the windows, beyond what the behaviour scripts
// play on every runtime: the menus walked with the keyboard, and a start
// afresh once the program has ended.
import { expect, formOf, shown, test } from './lib/fixtures.mjs';

const main = formOf('frmorvix');

test('the keyboard walks every shield and shows its values greyed', async ({ app }) => {
  const shields = main.menuBar.find((entry) => entry.name === 'mnusl');
  const focusedText = () =>
    app.page.evaluate(() => {
      let element = document.activeElement;
      while (element?.shadowRoot?.activeElement) element = element.shadowRoot.activeElement;
      return element.textContent.trim();
    });
  const openMenus = () =>
    app.window('frmorvix').locator('[role=menu]:visible').evaluateAll((menus) =>
      menus.map((menu) =>
        [...menu.querySelectorAll('[role=menuitem]')]
          .filter((item) => item.closest('[role=menu]') === menu)
          .map((item) => `${item.textContent.trim()}${item.ariaDisabled === 'true' ? ' (off)' : ''}`),
      ),
    );
  await app.page.keyboard.press('F10');
  await app.page.keyboard.press('ArrowRight');
  expect(await focusedText()).toBe(shown(shields.text));
  await app.page.keyboard.press('ArrowDown');
  for (const [i, shield] of shields.submenu.entries()) {
    if (i > 0) await app.page.keyboard.press('ArrowDown');
    expect(await focusedText()).toBe(shield.text);
    await app.page.keyboard.press('ArrowRight');
    expect(await openMenus()).toEqual([
      shields.submenu.map((entry) => entry.text),
      shield.submenu.map((value) => `${value.text} (off)`),
    ]);
    await app.page.keyboard.press('ArrowLeft');
  }
  await app.page.keyboard.press('Escape');
  await app.page.keyboard.press('Escape');
  expect(await openMenus()).toEqual([]);
});

const clearWays = {
  'F10, Down, Enter': (app) => app.keys('F10', 'ArrowDown', 'Enter'),
  'F10, Down, access letter': (app) => app.keys('F10', 'ArrowDown', 'c'),
};
for (const [way, clear] of Object.entries(clearWays)) {
  test(`${way} empties the three boxes and puts the cursor in the block box`, async ({ app }) => {
    for (const [name, text] of [
      ['txtmax', '7'],
      ['txtSB', '50'],
      ['txtcharlvl', '80'],
    ])
      await app.type(name, text);
    await clear(app);
    expect(await app.values()).toEqual({ txtSB: '', txtcharlvl: '', txtmax: '' });
    expect((await app.effects()).writes).toEqual([
      ['txtmax', ''],
      ['txtcharlvl', ''],
      ['txtSB', ''],
    ]);
    expect(await app.focused()).toBe('frmorvix txtSB');
  });
}

test('once the program has ended, starting it again starts afresh', async ({ app }) => {
  await app.choose('help', 'helpa');
  await app.type('txtSB', '50');
  await app.choose('mnufile', 'mnuexit');
  await expect(app.page.locator('.window')).toHaveCount(0);
  await expect(app.page.locator('#ended')).toBeVisible();
  await app.page.locator('#restart').click();
  await expect(app.window('frmorvix')).toBeVisible();
  await expect(app.page.locator('.window')).toHaveCount(1);
  await expect(app.page.locator('#ended')).toBeHidden();
  expect(await app.values()).toEqual({ txtSB: '', txtcharlvl: '', txtmax: '' });
  await expect.poll(() => app.focused()).toBe('frmorvix txtSB');
});
