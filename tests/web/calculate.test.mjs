// Continue, and what the main window does with each outcome of the calculation.
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
