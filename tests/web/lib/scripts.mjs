// Plays the behaviour scripts of tests/cases/behaviour.txt (their language is
// described at the top of that file) on the page, with real keys and clicks.
// The desktop runtimes' suite plays the same file (tests/behaviour).

import { readFileSync } from 'node:fs';
import { descriptions, expect, fontPx, formOf, px, shown, test } from './fixtures.mjs';

// The words of a line: quoted texts (JSON strings, "x"*N repeated) or words.
function words(line, where) {
  const found = [];
  const pattern = /\s*(?:("(?:[^"\\]|\\.)*")(?:\*(\d+))?|(\S+))/gy;
  let match;
  while (pattern.lastIndex < line.length && (match = pattern.exec(line))) {
    if (match[1] !== undefined) found.push(JSON.parse(match[1]).repeat(Number(match[2] ?? 1)));
    else if (match[3] !== undefined) found.push(match[3]);
    else break;
  }
  if (line.slice(pattern.lastIndex).trim() !== '' || /"/.test(line.slice(pattern.lastIndex)))
    throw new Error(`${where}: a text is not closed`);
  return found;
}

export function parseScripts(text, source = 'behaviour.txt') {
  const cases = [];
  text.split(/\r?\n/).forEach((line, index) => {
    const where = `${source.split('/').at(-1)}:${index + 1}`;
    const w = words(line, where);
    if (w.length === 0 || w[0].startsWith('#')) return;
    if (w[0] === 'case' && w.length === 2) cases.push({ name: w[1], where, steps: [], skips: {} });
    else if (cases.length === 0) throw new Error(`${where}: a step before the first case`);
    else if (w[0] === 'skip' && w.length >= 3) cases.at(-1).skips[w[1]] = w.slice(2).join(' ');
    else cases.at(-1).steps.push({ words: w, where });
  });
  if (cases.length === 0) throw new Error(`${source}: no cases`);
  return cases;
}

export const readScripts = (path) => parseScripts(readFileSync(path, 'utf8'), path);

const main = descriptions.forms[0];
const keys = {
  Tab: 'Tab',
  'Shift+Tab': 'Shift+Tab',
  Space: 'Space',
  Enter: 'Enter',
  NumpadEnter: 'NumpadEnter',
  Escape: 'Escape',
  F2: 'F2',
  'Alt+C': 'Alt+C',
};
const answerWays = ['click', 'Enter', 'Space', 'Escape'];

// The names of the menu entries from the menu bar down to the named one.
function menuPath(entries, name) {
  for (const entry of entries) {
    if (entry.name === name) return [name];
    const inner = menuPath(entry.submenu, name);
    if (inner) return [entry.name, ...inner];
  }
  return null;
}

// The controls that take the focus, in tab order, as "form control".
const tabStops = (form) =>
  form.controls
    .filter((c) => c.kind === 'textBox' || c.kind === 'pushButton')
    .sort((a, b) => a.tabIndex - b.tabIndex)
    .map((c) => `${form.name} ${c.name}`);

// A control's text as shown: the value of a box; else the element's own text,
// without that of the controls it holds.
function shownText(element) {
  if (element instanceof HTMLInputElement) return element.value;
  const copy = element.cloneNode(true);
  copy.querySelectorAll('[id]').forEach((inner) => inner.remove());
  return copy.textContent;
}

function styleOf(element) {
  const style = getComputedStyle(element);
  return {
    px: parseFloat(style.fontSize),
    weight: Number(style.fontWeight),
    underline: style.textDecorationLine.includes('underline'),
    colour: style.color,
  };
}

// The menu tree as the page tells assistive technology: menu items, their
// popups, shortcuts and disabled state.
function ariaMenuTree(bar) {
  const root = bar.getRootNode();
  const popupOf = (item) => {
    const id = item.getAttribute('aria-controls');
    if (id) return root.getElementById(id);
    const next = item.nextElementSibling;
    return item.querySelector('[role=menu]') ?? (next?.getAttribute('role') === 'menu' ? next : null);
  };
  const label = (item) => {
    if (item.hasAttribute('aria-label')) return item.getAttribute('aria-label');
    const copy = item.cloneNode(true);
    copy.querySelectorAll('[role=menu], [aria-hidden=true]').forEach((inner) => inner.remove());
    return copy.textContent.trim();
  };
  const walk = (menu) =>
    [...menu.querySelectorAll('[role=menuitem]')]
      .filter((item) => item.parentElement.closest('[role=menu], [role=menubar]') === menu)
      .map((item) => {
        const popup = popupOf(item);
        return {
          name: item.id,
          text: label(item),
          shortcut: item.getAttribute('aria-keyshortcuts') ?? '',
          enabled: item.getAttribute('aria-disabled') !== 'true',
          popup: item.getAttribute('aria-haspopup'),
          submenu: popup ? walk(popup) : [],
        };
      });
  return walk(bar);
}

const describedMenuTree = (entries) =>
  entries.map((entry) => ({
    name: entry.name || expect.any(String),
    text: shown(entry.text),
    shortcut: entry.shortcut,
    enabled: entry.enabled,
    popup: entry.submenu.length ? expect.stringMatching(/^(true|menu)$/) : null,
    submenu: describedMenuTree(entry.submenu),
  }));

class Player {
  constructor(app) {
    this.app = app;
    this.page = app.page;
    this.boxes = 0; // the boxes the script expected so far
  }

  async play(script) {
    this.steps = script.steps;
    this.next = 0;
    while (this.next < this.steps.length) {
      const step = this.steps[this.next++];
      await test.step(`${step.where}: ${step.words.join(' ').slice(0, 60)}`, () => this.step(step));
    }
    await this.page.waitForTimeout(50);
    expect((await this.app.effects()).boxes, 'message boxes shown').toHaveLength(this.boxes);
  }

  async step({ words: w }) {
    const [verb, ...args] = w;
    const [form, name] = (args[0] ?? '').split('.');
    const app = this.app;
    switch (verb) {
      case 'type':
      case 'paste':
        expect(form, 'only the main window is typed into').toBe(main.name);
        if (verb === 'type') return app.type(name, args[1]);
        await app.type(name, '');
        if (args[1] !== '') await this.page.keyboard.insertText(args[1]);
        return;
      case 'press':
        expect(keys, `a key ${args[0]}`).toHaveProperty([args[0]]);
        return this.page.keyboard.press(keys[args[0]]);
      case 'click':
        return app.control(form, name).click();
      case 'choose':
        return app.choose(...menuPath(main.menuBar, args[0]));
      case 'close':
        return app.window(args[0]).locator('.closebox').click();
      case 'pick':
        return this.pick(args.map(Number));
      case 'box':
        return this.box(args[0]);
      case 'answer':
        return this.answer();
      case 'expect':
        return this.expect(args);
      default:
        throw new Error(`no step ${verb}`);
    }
  }

  async box(message) {
    expect(descriptions.messages, `a message named ${message}`).toHaveProperty([message]);
    const app = this.app;
    this.boxes += 1;
    await expect.poll(async () => (await app.effects()).boxes.length, 'boxes shown').toBe(this.boxes);
    await expect(app.box).toHaveJSProperty('open', true);
    expect(await app.box.evaluate((box) => box.matches(':modal')), 'a modal box').toBe(true);
    await expect(app.boxText).toHaveText(descriptions.messages[message]);
    await expect(this.page.locator('#msgbox-title')).toHaveText('Orvix');
    await expect(app.box.getByRole('button')).toHaveText(['OK']);
    await expect(app.box.locator('img, svg, [role=img]')).toHaveCount(0);
  }

  async answer() {
    const way = answerWays[this.boxes % answerWays.length];
    await this.app.answer(way);
    await expect(this.app.box).toHaveJSProperty('open', false);
  }

  // Through the open menus: the bar's entry clicked, each submenu's entry
  // pointed at, the last entry clicked, and Enter pressed on a greyed one.
  async pick(path) {
    const menu = this.app.window(main.name);
    let entries = main.menuBar;
    for (const [depth, index] of path.entries()) {
      const entry = entries[index];
      const item = entry.name
        ? this.app.main(entry.name)
        : menu.getByRole('menuitem', { name: shown(entry.text), exact: true });
      if (depth === 0 || depth === path.length - 1) await item.click({ force: !entry.enabled });
      else await item.hover();
      if (depth === path.length - 1 && !entry.enabled) await item.press('Enter');
      entries = entry.submenu;
    }
    await this.page.keyboard.press('Escape');
    await this.page.keyboard.press('Escape');
  }

  // Whether a window takes the mouse: a point of its title bar hits it.
  takesInput(form) {
    return this.app.window(form).locator('.title').evaluate((title) => {
      const r = title.getBoundingClientRect();
      for (const share of [0.1, 0.3, 0.5, 0.7, 0.9]) {
        let hit = document.elementFromPoint(r.x + r.width * share, r.y + r.height / 2);
        while (hit?.shadowRoot?.elementFromPoint) {
          const inner = hit.shadowRoot.elementFromPoint(r.x + r.width * share, r.y + r.height / 2);
          if (!inner || inner === hit) break;
          hit = inner;
        }
        if (title.contains(hit)) return true;
      }
      return false;
    });
  }

  async expect([what, ...args]) {
    const app = this.app;
    const [form, name] = (args[0] ?? '').split('.');
    switch (what) {
      case 'text':
        return expect
          .poll(() => app.control(form, name).evaluate(shownText), args[0])
          .toBe(args[1]);
      case 'focus':
        return expect.poll(() => app.focused()).toBe(`${form} ${name}`);
      case 'shown':
      case 'hidden':
      case 'absent':
        for (const f of args) {
          const window = app.window(f);
          if (what === 'shown') await expect(window, f).toBeVisible();
          else if (what === 'hidden') await expect(window, f).toBeHidden();
          else await expect(window, f).toHaveCount(0);
        }
        return;
      case 'count':
        return expect(app.window(args[0])).toHaveCount(Number(args[1]));
      case 'input':
        for (const f of args) await expect.poll(() => this.takesInput(f), f).toBe(true);
        return;
      case 'no-input':
        // Clicks on each close box, which would close the window if it took them.
        for (const f of args) {
          expect(await this.takesInput(f), f).toBe(false);
          await app.clickAt(app.window(f).locator('.closebox'));
        }
        await expect(app.box).toHaveJSProperty('open', true);
        for (const f of args) await expect(app.window(f), f).toBeVisible();
        return;
      case 'ended':
        await expect(this.page.locator('.window')).toHaveCount(0);
        return expect(this.page.locator('#ended')).toBeVisible();
      case 'layout':
        return this.layout(formOf(args[0]));
      case 'menus': {
        const bar = app.window(args[0]).locator('[role=menubar]');
        return expect(await bar.evaluate(ariaMenuTree)).toEqual(
          describedMenuTree(formOf(args[0]).menuBar),
        );
      }
      case 'tab-order':
        return this.tabOrder(formOf(args[0]));
      default:
        throw new Error(`no expectation ${what}`);
    }
  }

  // Title, client area, placement, and each control's place, text, name and
  // font, each drawn in a face the site brings (boxes once they hold text).
  async layout(form) {
    const app = this.app;
    const window = app.window(form.name);
    await expect(window).toBeVisible();
    await expect(window.locator('.title')).toHaveText(form.title);
    await expect(window.locator('button.closebox')).toHaveAccessibleName('Close');
    const client = await window.locator('.client').boundingBox();
    expect([client.width, client.height]).toEqual([
      px(form.clientWidthTwips),
      px(form.clientHeightTwips),
    ]);
    if (form.placement === 'centreOfScreen') {
      const frame = await window.boundingBox();
      const viewport = this.page.viewportSize();
      expect(Math.abs(frame.x * 2 + frame.width - viewport.width), 'centred').toBeLessThanOrEqual(2);
    }
    const wrong = [];
    for (const c of form.controls) {
      const element = app.control(form.name, c.name);
      const frame = form.controls.find((other) => other.name === c.container)?.rect;
      const box = await element.boundingBox();
      const place = { left: box.x - client.x, top: box.y - client.y, width: box.width, height: box.height };
      for (const [side, value] of Object.entries(place)) {
        const offset = frame && ['left', 'top'].includes(side) ? frame[side] : 0;
        const wanted = px(c.rect[side] + offset);
        if (Math.abs(value - wanted) > 1) wrong.push(`${c.name} ${side} ${value}, not ${wanted}`);
      }
      const text = await element.evaluate(shownText);
      if (text !== shown(c.text)) wrong.push(`${c.name} text ${JSON.stringify(text)}`);
      if (c.kind === 'textBox' || c.kind === 'pushButton')
        await expect(element, c.name).toHaveAccessibleName(c.accessibleName);
    }
    for (const c of form.controls) {
      const element = app.control(form.name, c.name);
      if (c.kind === 'textBox') await element.fill('Wg 0189');
      const font = c.font ?? form.defaultFont;
      const style = await element.evaluate(styleOf);
      const faces = await app.drawnFaces(form.name, c.name);
      const actual = {
        px: style.px,
        bold: style.weight >= 600 || faces.some((face) => /bold/i.test(face.postScriptName)),
        underline: style.underline,
        ...(c.textColour && { colour: style.colour }),
        custom: faces.length > 0 && faces.every((face) => face.isCustomFont),
      };
      const wanted = {
        px: fontPx(font.points),
        bold: font.bold,
        underline: font.underline,
        ...(c.textColour && {
          colour: `rgb(${c.textColour.red}, ${c.textColour.green}, ${c.textColour.blue})`,
        }),
        custom: true,
      };
      for (const [key, value] of Object.entries(wanted))
        if (actual[key] !== value) wrong.push(`${c.name} font ${key} ${actual[key]}, not ${value}`);
      if (c.kind === 'textBox') await element.fill('');
    }
    expect(wrong).toEqual([]);
  }

  async tabOrder(form) {
    const stops = tabStops(form);
    await expect.poll(() => this.app.focused(), 'on the first tab stop').toBe(stops[0]);
    for (const [key, sequence] of [
      ['Tab', [...stops.slice(1), stops[0]]],
      ['Shift+Tab', [...stops].reverse()],
    ]) {
      const seen = [];
      for (const _ of sequence) {
        await this.page.keyboard.press(key);
        seen.push(await this.app.focused());
      }
      expect(seen, key).toEqual(sequence);
    }
  }
}

// Plays a script in the test that is running, each step a step of the test.
export const play = (app, script) => new Player(app).play(script);
