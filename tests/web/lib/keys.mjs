// Keys as the page meets them in every engine, played on a Page of play.mjs:
// a keydown as one engine or keyboard reports it (WebKitGTK's Shift+Tab, a
// Mac's Option+letter, a function key with no name), and a menu opened by a
// key while the mouse rests where it drops down.

import assert from 'node:assert/strict';

// The focus as "window.control", a menu entry without a name by its text.
function focused() {
  let e = document.activeElement;
  let host = null;
  while (e?.shadowRoot?.activeElement) {
    host = e;
    e = e.shadowRoot.activeElement;
  }
  const name = e?.id || e?.textContent.trim() || '';
  return host ? `${host.id}.${name}` : name;
}

// One keydown at the focus; true when the page took it.
function keydown(init) {
  let target = document.activeElement;
  while (target?.shadowRoot?.activeElement) target = target.shadowRoot.activeElement;
  const event = new KeyboardEvent('keydown', { bubbles: true, composed: true, cancelable: true, ...init });
  return !target.dispatchEvent(event);
}

const alt = (key, code) => ({ key, code, altKey: true });
const about = (page) => page.choose('help', 'bout');
const box = (page) => page.clickOn('frmorvix', 'cmdcontinue');

// [what, before, keydown, taken, focus afterwards, windows shown afterwards]
const sent = [
  ['Option+F opens File at Clear', null, alt('ƒ', 'KeyF'), true, 'frmorvix.mnuclear'],
  ['Option+S opens the Sheild List at its first shield', null, alt('ß', 'KeyS'), true, 'frmorvix.Blackoak Shield'],
  ['Option+H opens Help at Help', null, alt('˙', 'KeyH'), true, 'frmorvix.helpa'],
  ['Option+C presses Close in About', about, alt('ç', 'KeyC'), true, 'frmorvix.txtSB', ['frmorvix']],
  ['a dead key with Option presses Close by its place', about, alt('Dead', 'KeyC'), true, 'frmorvix.txtSB', ['frmorvix']],
  // The layout's own letter: Dvorak's C sits where QWERTY has I.
  ['Alt and a letter of the layout go by the letter', about, alt('c', 'KeyI'), true, 'frmorvix.txtSB', ['frmorvix']],
  ['Alt and a letter nothing has do nothing', about, alt('i', 'KeyC'), false, 'frmabout.Command1', ['frmorvix', 'frmabout']],
  ['Shift+Tab that WebKitGTK leaves unnamed goes back', null, { key: 'Unidentified', code: 'Tab', shiftKey: true }, true, 'frmorvix.txtmax'],
  ['Tab unnamed goes on', null, { key: 'Unidentified', code: 'Tab' }, true, 'frmorvix.txtcharlvl'],
  ['Shift+Tab unnamed in the message box stays on OK', box, { key: 'Unidentified', code: 'Tab', shiftKey: true }, true, 'msgbox-ok'],
  ['F6 unnamed goes to the next window', about, { key: 'Unidentified', code: 'F6' }, true, 'frmorvix.txtSB', ['frmorvix', 'frmabout']],
];

// F2 by its place, and by its name where the key has no place (an on-screen
// keyboard): File > Clear either way.
const clears = [
  ['F2 unnamed clears', { key: 'Unidentified', code: 'F2' }],
  ['F2 with no place clears', { key: 'F2', code: '' }],
];

// [menu, access key, entry the mouse rests on, its focus, the first entry]
const resting = [
  ['mnusl', 'Alt+S', "Head Hunter's Glory", "frmorvix.Head Hunter's Glory", 'frmorvix.Blackoak Shield'],
  ['mnufile', 'Alt+F', 'Exit', 'frmorvix.mnuexit', 'frmorvix.mnuclear'],
  ['help', 'Alt+H', 'About Orvanel', 'frmorvix.bout', 'frmorvix.helpa'],
];

const shownWindows = async (page) => {
  const shown = [];
  for (const form of ['frmorvix', 'frmhelp', 'frmabout']) if (await page.read(form, '', 'visible')) shown.push(form);
  return shown;
};
const settle = () => new Promise((resolve) => setTimeout(resolve, 150));

export const keyCases = [
  ...sent.map(([what, before, init, taken, focus, windows]) => ({
    name: what,
    async play(page) {
      if (before) await before(page);
      await settle();
      assert.equal(await page.engine.evaluate(keydown, init), taken, 'the page took the key');
      await page.until(() => page.engine.evaluate(focused), focus, 'the focus');
      if (windows) assert.deepEqual(await shownWindows(page), windows);
    },
  })),
  ...clears.map(([what, init]) => ({
    name: what,
    async play(page) {
      await page.enter('txtSB', '50');
      assert.equal(await page.engine.evaluate(keydown, init), true, 'the page took the key');
      await page.until(() => page.read('frmorvix', 'txtSB', 'text'), '', 'the block box');
      await page.until(() => page.engine.evaluate(focused), 'frmorvix.txtSB', 'the focus');
    },
  })),
  {
    name: 'Shift+Tab in the message box stays on OK',
    async play(page) {
      await box(page);
      await page.until(() => page.engine.evaluate(focused), 'msgbox-ok', 'the focus');
      await page.engine.press('Shift+Tab');
      await page.until(() => page.engine.evaluate(focused), 'msgbox-ok', 'the focus after Shift+Tab');
      await page.answer('Enter');
    },
  },
  ...resting.map(([menu, key, under, underFocus, first]) => ({
    name: `${key} opens its menu at the first entry with the mouse resting on ${under}`,
    async play(page) {
      await page.clickOn('frmorvix', menu);
      const at = await page.read('frmorvix', under, 'menu item');
      assert.ok(at, `${under} is shown`);
      await page.engine.move(...at);
      await page.engine.press('Escape');
      await page.engine.press('Escape');
      await page.until(() => page.read('frmorvix', under, 'menu item'), null, 'the menu is closed');
      await page.engine.press(key);
      await settle();
      await page.until(() => page.engine.evaluate(focused), first, 'the entry taken');
      // Once the mouse moves, the entry under it is taken; a move is more
      // than one event.
      await page.engine.move(at[0] + 1, at[1]);
      await page.engine.move(at[0] + 2, at[1]);
      await page.until(() => page.engine.evaluate(focused), underFocus, 'the entry under the mouse');
    },
  })),
];
