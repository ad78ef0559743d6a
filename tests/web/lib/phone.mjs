// The page on a phone's screen, checked the same way in every engine on a
// Page of play.mjs: each window as wide as the screen, as at a higher
// resolution, with text that reads; no window over another; nothing cut off
// and no sideways scrolling; and every window used with taps alone.

import assert from 'node:assert/strict';
import { descriptions, fontPx } from './play.mjs';

export const phoneSizes = [
  [360, 640],
  [390, 844],
];
export const desktopSize = [1280, 800];

// CSS pixels: the text a small screen shows a window's text at, at most, and
// the least a text box's text may be before Safari on an iPhone zooms into
// it; the least Lighthouse counts as legible.
const grownText = 16;
const legible = 12;

// ---- Inside the page.

// The windows shown, each with its frame, the width of its client area, and
// its controls and menu bar entries: rectangles from the client area's corner
// as drawn, text as laid out and as drawn, the lines a label breaks into. The
// open menus, the message box, the page's own text, and what scrolls.
function measure() {
  const desktop = document.getElementById('desktop');
  const page = document.documentElement;
  const rect = (e) => {
    const r = e.getBoundingClientRect();
    return [r.x, r.y, r.width, r.height];
  };
  const box = document.getElementById('msgbox');
  const out = {
    room: desktop.clientWidth,
    bottom: desktop.getBoundingClientRect().bottom,
    viewport: [innerWidth, innerHeight],
    sideways: [page.scrollWidth - page.clientWidth, desktop.scrollWidth - desktop.clientWidth],
    pageText: ['.footer', '#msgbox-text'].map((s) => parseFloat(getComputedStyle(document.querySelector(s)).fontSize)),
    windows: {},
    popups: box.open ? [rect(box)] : [],
  };
  for (const host of document.querySelectorAll('.window:not([hidden])')) {
    const root = host.shadowRoot;
    const client = root.querySelector('.client').getBoundingClientRect();
    const drawn = client.width / root.querySelector('.client').offsetWidth;
    const controls = {};
    for (const e of root.querySelectorAll('.client [id], .top > [role=menuitem]')) {
      const range = document.createRange();
      range.selectNodeContents(e);
      const tops = e.classList.contains('label') ? [...range.getClientRects()].map((r) => Math.round(r.top)) : [];
      const lines = new Set(tops).size;
      const [x, y, width, height] = rect(e);
      const px = parseFloat(getComputedStyle(e).fontSize);
      const menu = e.getAttribute('role') === 'menuitem';
      controls[e.id] = { rect: [x - client.x, y - client.y, width, height], px, drawn: px * drawn, lines, menu };
    }
    out.windows[host.id] = { frame: rect(root.querySelector('.frame')), client: client.width, controls };
    for (const menu of root.querySelectorAll('[role=menu]:not([hidden])')) out.popups.push(rect(menu));
  }
  return out;
}

// Scrolls the desktop, as a finger would, until the control (or a shown menu
// entry, by its text) is in view and stays where it is for a frame, as a user
// sees it before tapping: Firefox may scroll to a control it has just focused
// once more after the next layout. Gives the control's centre.
async function reveal(form, name, entry) {
  const inside = document.getElementById(form).shadowRoot;
  const element = entry
    ? [...inside.querySelectorAll('[role=menuitem]')].find(
        (i) => i.getClientRects().length && i.querySelector('.text').textContent === entry,
      )
    : (inside.getElementById(name) ?? inside.querySelector(name));
  const desktop = document.getElementById('desktop');
  const frame = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
  let was = null;
  for (let tries = 0; tries < 20; tries++) {
    const view = desktop.getBoundingClientRect();
    const r = element.getBoundingClientRect();
    const at = [r.x + r.width / 2, r.y + r.height / 2];
    if (r.top < view.top) desktop.scrollTop -= view.top - r.top;
    else if (r.bottom > view.bottom) desktop.scrollTop += r.bottom - view.bottom;
    else if (`${at}` === `${was}` && element.contains(inside.elementFromPoint(...at))) return at;
    was = at;
    await frame();
  }
  throw new Error(`${form} ${name || entry} does not stay in view`);
}

// The focused control as "window.control", its text size and keyboard.
function focusedBox() {
  let e = document.activeElement;
  let host = null;
  while (e?.shadowRoot?.activeElement) {
    host = e;
    e = e.shadowRoot.activeElement;
  }
  return { at: `${host?.id}.${e.id}`, px: parseFloat(getComputedStyle(e).fontSize), inputMode: e.inputMode };
}

// ---- Steps.

const main = descriptions.forms[0];
const formOf = (name) => descriptions.forms.find((f) => f.name === name);

// A click or a tap on a control, or on a shown menu entry by its text.
async function press(page, how, form, name, entry = '') {
  const [x, y] = await page.engine.evaluate(reveal, form, name, entry);
  await page.engine[how](x, y);
}

async function openInformationWindows(page, how = 'click') {
  for (const [entry, form] of [
    ['helpa', 'frmhelp'],
    ['bout', 'frmabout'],
  ]) {
    await press(page, how, main.name, 'help');
    await press(page, how, main.name, entry);
    await page.until(() => page.read(form, '', 'visible'), true, `${form} shown`);
  }
}

const within = (r, [width, height]) =>
  r[0] >= -0.5 && r[1] >= -0.5 && r[0] + r[2] <= width + 0.5 && r[1] + r[3] <= height + 0.5;

// With the three windows open: the states a phone's user meets.
const states = {
  'the three windows': async () => {},
  'the File menu': (page) => press(page, 'click', main.name, 'mnufile'),
  'the Help menu': (page) => press(page, 'click', main.name, 'help'),
  ...Object.fromEntries(
    ["Moser's Blessed Circle", 'Spirit Ward', 'Viscerataunt'].map((shield) => [
      `the Sheild List at ${shield}`,
      async (page) => {
        await press(page, 'click', main.name, 'mnusl');
        await press(page, 'click', main.name, '', shield);
      },
    ]),
  ),
  'a message box': (page) => press(page, 'click', main.name, 'cmdcontinue'),
};

// ---- The checks, each on a program started on the phone's screen.

export const phoneChecks = [
  {
    name: 'each window is as wide as the screen, at most at the scale of 16 px text, laid out as on the desktop',
    async play(page) {
      await openInformationWindows(page);
      const phone = await page.engine.evaluate(measure);
      await page.engine.viewport(...desktopSize);
      await page.until(async () => {
        const desk = await page.engine.evaluate(measure);
        const wrong = [];
        const near = (got, wanted, by, what) => {
          if (!(Math.abs(got - wanted) <= by)) wrong.push(`${what}: ${got.toFixed(2)}, not ${wanted.toFixed(2)}`);
        };
        for (const [form, d] of Object.entries(desk.windows)) {
          // One scale for all of the window, that of its client area; the
          // frame's edges may be drawn in whole pixels.
          const p = phone.windows[form];
          const wanted = Math.min(grownText / fontPx(formOf(form).defaultFont.points), phone.room / d.frame[2]);
          const scale = p.client / d.client;
          near(scale, wanted, 0.01 * wanted, `${form} scale`);
          near(p.frame[2], wanted * d.frame[2], 2, `${form} width`);
          for (const [name, c] of Object.entries(d.controls)) {
            // A menu bar entry is as wide as its text, which WebKitGTK draws
            // in whole pixels at each size.
            const q = p.controls[name];
            const by = (v) => 1 + (c.menu ? 0.05 * Math.abs(v) : 0);
            c.rect.forEach((v, i) => near(q.rect[i], scale * v, by(scale * v), `${form}.${name} rect ${i}`));
            near(q.drawn, scale * c.drawn, 0.02 * scale * c.drawn, `${form}.${name} text`);
            near(q.lines, c.lines, 0, `${form}.${name} lines`);
          }
        }
        return wrong;
      }, [], 'the windows on the phone against the desktop');
    },
  },
  {
    name: 'the main window and the page read at 12 px or more, the text boxes at 16 px',
    async play(page) {
      const m = await page.engine.evaluate(measure);
      for (const [name, c] of Object.entries(m.windows[main.name].controls))
        assert.ok(c.px >= legible && c.drawn >= legible - 0.01, `${name}: ${c.px} px drawn at ${c.drawn}`);
      assert.ok(Math.min(...m.pageText) >= legible, `the footer and the message box at ${m.pageText} px`);
      for (const name of ['txtSB', 'txtcharlvl', 'txtmax']) {
        await press(page, 'click', main.name, name);
        const box = await page.engine.evaluate(focusedBox);
        assert.equal(box.at, `${main.name}.${name}`);
        assert.ok(box.px >= grownText, `${name} text ${box.px} px`);
      }
    },
  },
  {
    name: 'no window covers another',
    async play(page) {
      await openInformationWindows(page);
      const frames = Object.entries((await page.engine.evaluate(measure)).windows).map(([form, w]) => [form, w.frame]);
      for (const [i, [a, r]] of frames.entries())
        for (const [b, s] of frames.slice(i + 1))
          assert.ok(r[1] + r[3] <= s[1] + 0.5 || s[1] + s[3] <= r[1] + 0.5, `${a} ${r} and ${b} ${s} overlap`);
    },
  },
  ...Object.entries(states).map(([state, reach]) => ({
    name: `nothing is cut off and nothing scrolls sideways with ${state}`,
    async play(page) {
      await openInformationWindows(page);
      await page.engine.evaluate(() => (document.getElementById('desktop').scrollTop = 0));
      await reach(page);
      await new Promise((resolve) => setTimeout(resolve, 100));
      const m = await page.engine.evaluate(measure);
      for (const [form, w] of Object.entries(m.windows))
        assert.ok(within([w.frame[0], 0, w.frame[2], 0], [m.room, 0]), `${form} at ${w.frame} in ${m.room}`);
      for (const r of m.popups) assert.ok(within(r, m.viewport), `${r} in ${m.viewport}`);
      assert.deepEqual(m.sideways.map((by) => by > 0), [false, false], `sideways ${m.sideways}`);
    },
  })),
  {
    name: 'every window works with taps alone; a negative number is pasted',
    needs: 'tap',
    async play(page) {
      const tap = (...where) => press(page, 'tap', ...where);
      const text = (name, wanted) => page.until(() => page.read(main.name, name, 'text'), wanted, name);
      for (const [name, typed] of [
        ['txtSB', () => page.engine.insertText('-50')],
        ['txtcharlvl', () => page.engine.type('10')],
      ]) {
        await tap(main.name, name);
        const box = await page.engine.evaluate(focusedBox);
        assert.deepEqual([box.at, box.inputMode], [`${main.name}.${name}`, 'decimal']);
        assert.ok(box.px >= grownText, `${name} text ${box.px} px`);
        await typed();
      }
      await tap(main.name, 'cmdcontinue');
      await text('txtmax', '-15');
      await tap(main.name, 'mnufile');
      await tap(main.name, 'mnuclear');
      await text('txtSB', '');
      await openInformationWindows(page, 'tap');
      for (const [form, close] of [
        ['frmhelp', 'cmdclose'],
        ['frmabout', '.closebox'],
      ]) {
        await tap(form, close);
        await page.until(() => page.read(form, '', 'visible'), false, `${form} hidden`);
      }
      await tap(main.name, 'mnusl');
      await tap(main.name, '', 'Spirit Ward');
      assert.ok(await page.read(main.name, 'Pally = 74-84', 'menu item'), 'the values of Spirit Ward shown');
      const m = await page.engine.evaluate(measure);
      await page.engine.tap(m.room / 2, m.bottom - 10); // the desktop, below every window and menu
      await page.until(() => page.read(main.name, 'Blackoak Shield', 'menu item'), null, 'the menus closed');
      await tap(main.name, 'cmdcontinue');
      await page.until(async () => (await page.read('', '', 'box')).open, true, 'the message box');
      await page.engine.tap(...(await page.read('msgbox', 'msgbox-ok', 'centre')));
      await page.until(async () => (await page.read('', '', 'box')).open, false, 'the message box answered');
    },
  },
];

// Plays a check at a phone's size; the viewport then goes back to the
// desktop's.
export async function playPhoneCheck(page, check, size, url) {
  try {
    await page.engine.viewport(...size);
    await page.start(url);
    assert.deepEqual(await page.engine.evaluate(() => [innerWidth, innerHeight]), size, 'the viewport');
    await check.play(page);
  } finally {
    await page.engine.viewport(...desktopSize);
  }
}
