// Continue, and what the main window does with each outcome of the calculation:
// the cases every runtime plays.
import { test } from './lib/fixtures.mjs';
import { readCases } from './lib/cases.mjs';
import { paths } from './lib/paths.mjs';
import assert from 'node:assert/strict';
import { descriptions, playContinueCase } from './lib/play.mjs';

readCases(paths.cases).forEach((c, index) => {
  test(`${c.name} (${c.where})`, ({ program }) => playContinueCase(program, c, index));
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
  test(`${JSON.stringify(c.block)} and ${JSON.stringify(c.level)} are read whole`, async ({ program }) => {
    await program.enter('txtmax', '7');
    // Put in by script: no key types a NUL.
    await program.engine.evaluate(
      (values) => {
        const root = document.getElementById('frmorvix').shadowRoot;
        for (const [name, value] of values) root.getElementById(name).value = value;
      },
      [
        ['txtSB', c.block],
        ['txtcharlvl', c.level],
      ],
    );
    await program.clickOn('frmorvix', 'cmdcontinue');
    await program.until(async () => (await program.effects()).boxes.length, 1, 'a box');
    assert.equal((await program.read('', '', 'box')).text, descriptions.messages[c.message]);
    await program.answer('Enter');
    const values = {};
    for (const name of ['txtSB', 'txtcharlvl', 'txtmax']) values[name] = await program.read('frmorvix', name, 'text');
    assert.deepEqual(values, { txtSB: c.block, txtcharlvl: c.level, txtmax: '7' });
  });
}
