// Continue, and what the main window does with the calculation's outcome.
import { answerWays, descriptions, expect, test } from './lib/fixtures.mjs';
import { readCases } from './lib/cases.mjs';
import { paths } from './lib/paths.mjs';

const { messages } = descriptions;
const cases = readCases(paths.cases);

test.describe('Continue', () => {
  cases.forEach((c, index) => {
    test(`${c.name} (${c.where})`, async ({ app }) => {
      const texts = c.messages.map((name) => {
        expect(messages, `message ${name} of ${c.where}`).toHaveProperty(name);
        return messages[name];
      });
      await app.type('txtmax', '7');
      await app.type('txtSB', c.block);
      await app.type('txtcharlvl', c.level);
      await app.main('cmdcontinue').click();
      for (const [i, text] of texts.entries()) {
        await expect.poll(async () => (await app.effects()).boxes.length).toBe(i + 1);
        await expect(app.box).toHaveJSProperty('open', true);
        await expect(app.boxText).toHaveText(text);
        await app.answer(answerWays[(index + i) % answerWays.length]);
      }
      await expect(app.box).toHaveJSProperty('open', false);
      expect((await app.effects()).boxes).toEqual(texts);
      expect(await app.values()).toEqual({
        txtSB: c.block,
        txtcharlvl: c.levelAfter,
        txtmax: c.resultAfter,
      });
      await expect.poll(() => app.focused()).toMatch(/^frmorvix /);
    });
  });
});

test('while the too-high box is up nothing is written; after OK the level, then the result', async ({
  app,
}) => {
  await app.type('txtmax', '7');
  await app.type('txtSB', '50');
  await app.type('txtcharlvl', '120');
  await app.main('cmdcontinue').click();
  await expect(app.boxText).toHaveText(messages.LevelTooHigh);
  await expect(app.page.locator('#msgbox-title')).toHaveText('Orvix');
  expect(await app.focused()).toBe('msgbox-ok');
  expect(await app.values()).toMatchObject({ txtcharlvl: '120', txtmax: '7' });
  expect((await app.effects()).writes).toEqual([]);
  await app.answer('Enter');
  await expect(app.main('txtmax')).toHaveValue('312');
  expect((await app.effects()).writes).toEqual([
    ['txtcharlvl', '99'],
    ['txtmax', '312'],
  ]);
});

test('Enter in a box computes nothing', async ({ app }) => {
  await app.type('txtSB', '50');
  await app.type('txtcharlvl', '80');
  for (const name of ['txtSB', 'txtcharlvl', 'txtmax']) {
    await app.main(name).focus();
    await app.page.keyboard.press('Enter');
  }
  expect(await app.effects()).toEqual({ boxes: [], writes: [] });
  await expect(app.main('txtmax')).toHaveValue('');
});

test('a second Continue while a box is up does nothing', async ({ app }) => {
  await app.main('cmdcontinue').click();
  await expect(app.boxText).toHaveText(messages.BlockMissing);
  for (let i = 0; i < 3; ++i) await app.clickAt(app.main('cmdcontinue'));
  await app.page.keyboard.press('Tab');
  await app.page.keyboard.press('Tab');
  expect((await app.effects()).boxes).toHaveLength(1);
  await app.answer('click');
  await expect(app.box).toHaveJSProperty('open', false);
  await app.page.waitForTimeout(100);
  expect((await app.effects()).boxes).toHaveLength(1);
  await app.type('txtSB', '75');
  await app.type('txtcharlvl', '99');
  await app.main('cmdcontinue').click();
  await expect(app.main('txtmax')).toHaveValue('213');
});

test('a pasted million digits arrive whole and are answered', async ({ app }) => {
  const digits = '9'.repeat(1_000_000);
  await app.main('txtSB').click();
  await app.page.keyboard.insertText(digits);
  await app.type('txtcharlvl', '80');
  await app.main('cmdcontinue').click();
  await expect(app.boxText).toHaveText(messages.BlockOutOfRange);
  await app.answer('Enter');
  expect(await app.main('txtSB').evaluate((box) => box.value.length)).toBe(digits.length);
  await expect(app.main('txtmax')).toHaveValue('');
});

test('while a box is up no window takes input', async ({ app }) => {
  // Each window apart from the others, so that each target is in reach.
  await app.choose('help', 'helpa');
  await app.drag('frmhelp', 0, 0);
  await app.choose('help', 'bout');
  await app.drag('frmabout', 900, 0);
  const targets = [
    app.control('frmhelp', 'cmdclose'),
    app.page.locator('#frmhelp .closebox'),
    app.control('frmabout', 'Command1'),
    app.page.locator('#frmabout .closebox'),
    app.page.locator('#frmorvix .closebox'),
    app.main('mnufile'),
  ];
  for (const target of targets) expect(await app.hits(target), `${target}`).toBe(true);
  await app.main('cmdcontinue').click();
  await expect(app.boxText).toHaveText(messages.BlockMissing);
  for (const target of targets) await app.clickAt(target);
  await app.keys('F2', 'F10', 'F6', 'Alt+C');
  await expect(app.box).toHaveJSProperty('open', true);
  expect((await app.effects()).writes).toEqual([]);
  await app.answer('Escape');
  await expect(app.window('frmhelp')).toBeVisible();
  await expect(app.window('frmabout')).toBeVisible();
  await expect(app.window('frmorvix')).toBeVisible();
  await expect(app.main('mnufile')).toHaveAttribute('aria-expanded', 'false');
});

// A text reaches the calculation whole: a NUL inside it is a character of the
// text, as on the desktop, not its end.
const withNul = [
  { block: '5\u0000x', level: '80', message: 'BlockNotANumber' },
  { block: '50\u0000', level: '80', message: 'BlockNotANumber' },
  { block: '\u0000', level: '80', message: 'BlockNotANumber' },
  { block: '50', level: '8\u00000', message: 'LevelNotANumber' },
  { block: '50', level: '\u0000', message: 'LevelNotANumber' },
];
for (const c of withNul) {
  test(`${JSON.stringify(c.block)} and ${JSON.stringify(c.level)} are read whole`, async ({ app }) => {
    await app.type('txtmax', '7');
    for (const [name, text] of [
      ['txtSB', c.block],
      ['txtcharlvl', c.level],
    ])
      await app.main(name).evaluate((box, value) => (box.value = value), text);
    await app.main('cmdcontinue').click();
    await expect(app.boxText).toHaveText(messages[c.message]);
    await app.answer('Enter');
    await expect(app.box).toHaveJSProperty('open', false);
    expect(await app.values()).toEqual({ txtSB: c.block, txtcharlvl: c.level, txtmax: '7' });
  });
}
