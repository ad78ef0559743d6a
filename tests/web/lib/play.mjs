// Plays the cases that every runtime plays, on the page in any engine of
// engines.mjs: the behaviour scripts of tests/cases/behaviour.txt (their
// language is described at the top of that file; the desktop suite plays them
// in tests/behaviour/script_test.cpp) and the Continue cases of
// tests/cases/continue.tsv. Keys and clicks are real; what the page shows is
// read inside it.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';

export const descriptions = JSON.parse(
  readFileSync(process.env.ORVANEL_DESCRIPTIONS ?? new URL('../../../build-web/tests/web/descriptions.json', import.meta.url), 'utf8'),
);
export const formOf = (name) => {
  const form = descriptions.forms.find((f) => f.name === name);
  assert.ok(form, `the program has no window ${name}`);
  return form;
};
// A menu or button text as shown: "&" marks the access key, "&&" is an "&".
export const shown = (text) => text.replace(/&(.)/g, '$1');
// Pixels at 96 dpi, as the runtime lays out twips and points.
export const px = (twips) => twips / 15;
export const fontPx = (points) => Math.round((points * 96) / 72);

// ---- The scripts' file.

// The words of a line: quoted texts (JSON strings, "x"*N repeated) or words.
function words(line, where) {
  const found = [];
  const pattern = /\s*(?:("(?:[^"\\]|\\.)*")(?:\*(\d+))?|([^\s"]+))/y;
  let rest = line;
  for (let match; rest.trim() !== '' && (match = pattern.exec(rest)); rest = rest.slice(match[0].length)) {
    pattern.lastIndex = 0;
    found.push(match[1] !== undefined ? JSON.parse(match[1]).repeat(Number(match[2] ?? 1)) : match[3]);
  }
  if (rest.trim() !== '') throw new Error(`${where}: a text is not closed`);
  return found;
}

export function parseScripts(text, source = 'behaviour.txt') {
  const cases = [];
  const file = source.split('/').at(-1);
  text.split(/\r?\n/).forEach((line, index) => {
    const where = `${file}:${index + 1}`;
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

// ---- Inside the page. Each function is sent to the page on its own.

// Records, once the program is ready, the text of every message box as it
// opens and every value written into an input by script (typing writes none),
// so that a case can read the order of what the program did.
function recordEffects() {
  const log = (window.__orvanelEffects = { boxes: [], writes: [] });
  if (window.__orvanelRecording) return;
  window.__orvanelRecording = true;
  const showModal = HTMLDialogElement.prototype.showModal;
  HTMLDialogElement.prototype.showModal = function () {
    showModal.call(this);
    window.__orvanelEffects.boxes.push(this.querySelector('#msgbox-text')?.textContent ?? '');
  };
  const value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  Object.defineProperty(HTMLInputElement.prototype, 'value', {
    ...value,
    set(text) {
      window.__orvanelEffects.writes.push([this.id, String(text)]);
      value.set.call(this, text);
    },
  });
  return log;
}

// What a case reads of a window or control: read(form, control, what).
function read(form, name, what) {
  const host = document.getElementById(form);
  const inside = host?.shadowRoot ?? document;
  const element = !name ? host : name.startsWith('.') ? inside.querySelector(name) : inside.getElementById(name);
  const visible = (e) => !!e && e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden';
  switch (what) {
    case 'count':
      return document.querySelectorAll(`[id="${form}"]`).length;
    case 'visible':
      return visible(element);
    case 'centre': {
      const r = element.getBoundingClientRect();
      return [r.x + r.width / 2, r.y + r.height / 2];
    }
    case 'text': {
      if (element instanceof HTMLInputElement) return element.value;
      const copy = element.cloneNode(true);
      copy.querySelectorAll('[id]').forEach((inner) => inner.remove());
      return copy.textContent;
    }
    case 'length':
      return element.value.length;
    case 'focus': {
      let e = document.activeElement;
      let at = null;
      while (e?.shadowRoot?.activeElement) {
        at = e;
        e = e.shadowRoot.activeElement;
      }
      return at ? `${at.id}.${e.id}` : (e?.id ?? '');
    }
    case 'takes input': {
      // A point of the title bar that the mouse would hit the window at.
      const title = host.shadowRoot.querySelector('.title');
      const r = title.getBoundingClientRect();
      return [0.1, 0.3, 0.5, 0.7, 0.9].some((share) => {
        const [x, y] = [r.x + r.width * share, r.y + r.height / 2];
        let hit = document.elementFromPoint(x, y);
        while (hit?.shadowRoot) {
          const inner = hit.shadowRoot.elementFromPoint(x, y);
          if (!inner || inner === hit) break;
          hit = inner;
        }
        return title.contains(hit);
      });
    }
    case 'box': {
      const box = document.getElementById('msgbox');
      return {
        open: box.open,
        modal: box.matches(':modal'),
        title: document.getElementById('msgbox-title').textContent,
        text: document.getElementById('msgbox-text').textContent,
        buttons: [...box.querySelectorAll('button')].map((b) => b.textContent),
        icons: box.querySelectorAll('img, svg, [role=img]').length,
      };
    }
    case 'effects':
      return window.__orvanelEffects;
    case 'ended':
      return visible(document.getElementById('ended'));
    case 'windows':
      return document.querySelectorAll('.window').length;
    case 'layout': {
      const client = host.shadowRoot.querySelector('.client').getBoundingClientRect();
      const frame = host.getBoundingClientRect();
      const rootOf = host.shadowRoot;
      const nameOf = (e) => {
        if (e.hasAttribute('aria-labelledby'))
          return e.getAttribute('aria-labelledby').split(' ')
            .map((id) => rootOf.getElementById(id)?.textContent ?? '').join(' ');
        return e.getAttribute('aria-label') ?? e.textContent.trim();
      };
      const controls = {};
      for (const e of rootOf.querySelectorAll('[id]')) {
        const r = e.getBoundingClientRect();
        const style = getComputedStyle(e);
        const copy = e.cloneNode(true);
        copy.querySelectorAll('[id]').forEach((inner) => inner.remove());
        controls[e.id] = {
          rect: { left: r.x - client.x, top: r.y - client.y, width: r.width, height: r.height },
          text: e instanceof HTMLInputElement ? e.value : copy.textContent,
          name: nameOf(e),
          px: parseFloat(style.fontSize),
          family: style.fontFamily.split(',')[0].trim().replace(/^["']|["']$/g, ''),
          weight: Number(style.fontWeight),
          underline: style.textDecorationLine.includes('underline'),
          colour: style.color,
        };
      }
      const faces = [...document.fonts].filter((f) => f.status === 'loaded');
      return {
        title: rootOf.querySelector('.title').textContent,
        closeBox: nameOf(rootOf.querySelector('.closebox')),
        client: [client.width, client.height],
        frame: [frame.x, frame.width],
        viewport: innerWidth,
        controls,
        loaded: faces.map((f) => ({ family: f.family.replace(/^["']|["']$/g, ''), weight: f.weight })),
      };
    }
    case 'menus': {
      const bar = host.shadowRoot.querySelector('[role=menubar]');
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
              popup: ['true', 'menu'].includes(item.getAttribute('aria-haspopup')),
              submenu: popup ? walk(popup) : [],
            };
          });
      return walk(bar);
    }
    case 'menu item': {
      // A shown entry of the main window's menus, by its text.
      const label = (item) => {
        const copy = item.cloneNode(true);
        copy.querySelectorAll('[role=menu], [aria-hidden=true]').forEach((inner) => inner.remove());
        return copy.textContent.trim();
      };
      const item = [...host.shadowRoot.querySelectorAll('[role=menuitem]')].find(
        (i) => visible(i) && (i.getAttribute('aria-label') ?? label(i)) === name,
      );
      if (!item) return null;
      const r = item.getBoundingClientRect();
      return [r.x + r.width / 2, r.y + r.height / 2];
    }
    default:
      throw new Error(`nothing to read as ${what}`);
  }
}

// ---- The program in the page.

export class Page {
  constructor(engine) {
    this.engine = engine;
  }

  async start(url) {
    await this.engine.goto(url);
    await this.until(
      () => this.engine.evaluate(() => performance.getEntriesByName('orvanel-ready').length > 0),
      true,
      'the program is ready',
    );
    await this.engine.evaluate(recordEffects);
  }

  read(form, name, what) {
    return this.engine.evaluate(read, form, name, what);
  }

  // Waits until read() gives what is wanted, then asserts it.
  async until(get, wanted, what, milliseconds = 5000) {
    const deadline = Date.now() + milliseconds;
    let got;
    for (;;) {
      got = await get();
      try {
        assert.deepStrictEqual(got, wanted);
        return got;
      } catch (error) {
        if (Date.now() > deadline) {
          error.message = `${what}: ${error.message}`;
          throw error;
        }
      }
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  async clickOn(form, name) {
    const [x, y] = await this.read(form, name, 'centre');
    await this.engine.click(x, y);
  }

  // Replaces a main-window box's text: clicked into, emptied, then typed or
  // pasted.
  async enter(name, text, paste = false) {
    await this.clickOn(main.name, name);
    await this.engine.press(process.platform === 'darwin' ? 'Meta+A' : 'Control+A');
    await this.engine.press('Delete');
    if (text !== '') await (paste ? this.engine.insertText(text) : this.engine.type(text));
  }

  // Chooses main-window menu entries with the mouse, by their names.
  async choose(...names) {
    for (const name of names) await this.clickOn(main.name, name);
  }

  // Presses OK of the message box in one of the ways a user can.
  // Waits until the box has closed, or the next box has opened.
  async answer(way) {
    const before = (await this.effects()).boxes.length;
    if (way === 'click') await this.clickOn('msgbox', 'msgbox-ok');
    else await this.engine.press(way);
    await this.until(
      async () => !(await this.read('', '', 'box')).open || (await this.effects()).boxes.length > before,
      true,
      'the box is answered',
    );
  }

  effects() {
    return this.read('', '', 'effects');
  }
}

// The message box "msgbox" is an element of the page, not a window.
const main = descriptions.forms[0];
export const answerWays = ['click', 'Enter', 'Space', 'Escape'];

// The names of the menu entries from the menu bar down to the named one.
function menuPath(entries, name) {
  for (const entry of entries) {
    if (entry.name === name) return [name];
    const inner = menuPath(entry.submenu, name);
    if (inner) return [entry.name, ...inner];
  }
  return null;
}

// The controls that take the focus, in tab order, as "form.control".
const tabStops = (form) =>
  form.controls
    .filter((c) => c.kind === 'textBox' || c.kind === 'pushButton')
    .sort((a, b) => a.tabIndex - b.tabIndex)
    .map((c) => `${form.name}.${c.name}`);

const describedMenuTree = (entries) =>
  entries.map((entry) => ({
    text: shown(entry.text),
    shortcut: entry.shortcut,
    enabled: entry.enabled,
    popup: entry.submenu.length > 0,
    submenu: describedMenuTree(entry.submenu),
  }));
const withoutNames = (items) => items.map(({ name, submenu, ...rest }) => ({ ...rest, submenu: withoutNames(submenu) }));

const keyNames = ['Tab', 'Shift+Tab', 'Space', 'Enter', 'NumpadEnter', 'Escape', 'F2', 'Alt+C'];

class Player {
  constructor(page, engineName) {
    this.page = page;
    this.engine = page.engine;
    this.engineName = engineName;
    this.boxes = 0; // the boxes the script expected so far
  }

  async play(script, step = (where, body) => body()) {
    const steps = script.steps;
    for (let next = 0; next < steps.length; ++next) {
      const s = steps[next];
      await step(`${s.where}: ${s.words.join(' ').slice(0, 60)}`, async () => {
        try {
          await this.step(s.words);
        } catch (error) {
          error.message = `${s.where}: ${error.message}`;
          throw error;
        }
      });
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
    assert.equal((await this.page.effects()).boxes.length, this.boxes, 'message boxes shown');
  }

  async step([verb, ...args]) {
    const [form, name] = (args[0] ?? '').split('.');
    const page = this.page;
    switch (verb) {
      case 'type':
      case 'paste':
        assert.equal(form, main.name, 'only the main window is typed into');
        return page.enter(name, args[1], verb === 'paste');
      case 'press':
        assert.ok(keyNames.includes(args[0]), `a key ${args[0]}`);
        return this.engine.press(args[0]);
      case 'click':
        return page.clickOn(form, name);
      case 'choose':
        return page.choose(...menuPath(main.menuBar, args[0]));
      case 'close':
        return page.clickOn(args[0], '.closebox');
      case 'pick':
        return this.pick(args.map(Number));
      case 'box':
        return this.box(args[0]);
      case 'answer':
        return page.answer(answerWays[this.boxes % answerWays.length]);
      case 'expect':
        return this.expect(args);
      default:
        throw new Error(`no step ${verb}`);
    }
  }

  async box(message) {
    assert.ok(message in descriptions.messages, `a message named ${message}`);
    this.boxes += 1;
    await this.page.until(async () => (await this.page.effects()).boxes.length, this.boxes, 'boxes shown');
    assert.deepEqual(await this.page.read('', '', 'box'), {
      open: true,
      modal: true,
      title: 'Orvix',
      text: descriptions.messages[message],
      buttons: ['OK'],
      icons: 0,
    });
  }

  // Through the open menus: the bar's entry clicked, each submenu's entry
  // pointed at, the last entry clicked, and Enter pressed on a greyed one.
  async pick(path) {
    let entries = main.menuBar;
    const texts = [];
    for (const [depth, index] of path.entries()) {
      const entry = entries[index];
      texts.push(shown(entry.text));
      const at = entry.name
        ? await this.page.read(main.name, entry.name, 'centre')
        : await this.page.read(main.name, texts.at(-1), 'menu item');
      assert.ok(at, `the menu entry ${texts.join(' > ')} is shown`);
      if (depth === 0 || depth === path.length - 1) await this.engine.click(...at);
      else await this.engine.move(...at);
      if (depth === path.length - 1 && !entry.enabled) await this.engine.press('Enter');
      entries = entry.submenu;
    }
    await this.engine.press('Escape');
    await this.engine.press('Escape');
  }

  async expect([what, ...args]) {
    const page = this.page;
    const [form, name] = (args[0] ?? '').split('.');
    switch (what) {
      case 'text':
        return page.until(() => page.read(form, name, 'text'), args[1], `the text of ${args[0]}`);
      case 'focus':
        return page.until(() => page.read('', '', 'focus'), args[0], 'the focus');
      case 'shown':
      case 'hidden':
        for (const f of args)
          await page.until(() => page.read(f, '', 'visible'), what === 'shown', `${f} ${what}`);
        return;
      case 'absent':
        for (const f of args) assert.equal(await page.read(f, '', 'count'), 0, `${f} absent`);
        return;
      case 'count':
        return assert.equal(await page.read(args[0], '', 'count'), Number(args[1]), args[0]);
      case 'input':
        for (const f of args) await page.until(() => page.read(f, '', 'takes input'), true, f);
        return;
      case 'no-input':
        // Clicks on each close box, which would close the window if it took them.
        for (const f of args) {
          assert.equal(await page.read(f, '', 'takes input'), false, `${f} takes input`);
          await page.clickOn(f, '.closebox');
        }
        assert.equal((await page.read('', '', 'box')).open, true, 'the box stays up');
        for (const f of args) assert.equal(await page.read(f, '', 'visible'), true, `${f} stays`);
        return;
      case 'ended':
        await page.until(() => page.read('', '', 'windows'), 0, 'no window is left');
        return assert.equal(await page.read('', '', 'ended'), true, 'the page says the program ended');
      case 'layout':
        return this.layout(formOf(args[0]));
      case 'menus':
        return assert.deepEqual(
          withoutNames(await page.read(args[0], '', 'menus')),
          describedMenuTree(formOf(args[0]).menuBar),
        );
      case 'tab-order':
        return this.tabOrder(formOf(args[0]));
      default:
        throw new Error(`no expectation ${what}`);
    }
  }

  // Title, client area, placement, and each control's place, text, name and
  // font, in a face the site brings.
  async layout(form) {
    const got = await this.page.read(form.name, '', 'layout');
    const wrong = [];
    if (got.title !== form.title) wrong.push(`title ${got.title}`);
    if (got.closeBox !== 'Close') wrong.push(`close box named ${got.closeBox}`);
    const client = [px(form.clientWidthTwips), px(form.clientHeightTwips)];
    if (got.client.some((v, i) => Math.abs(v - client[i]) > 0.5)) wrong.push(`client ${got.client}`);
    if (form.placement === 'centreOfScreen' && Math.abs(got.frame[0] * 2 + got.frame[1] - got.viewport) > 2)
      wrong.push(`not centred: ${got.frame} in ${got.viewport}`);
    for (const c of form.controls) {
      const g = got.controls[c.name];
      if (!g) {
        wrong.push(`no control ${c.name}`);
        continue;
      }
      const frame = form.controls.find((other) => other.name === c.container)?.rect;
      for (const side of ['left', 'top', 'width', 'height']) {
        const offset = frame && ['left', 'top'].includes(side) ? frame[side] : 0;
        const wanted = px(c.rect[side] + offset);
        if (Math.abs(g.rect[side] - wanted) > 1) wrong.push(`${c.name} ${side} ${g.rect[side]}, not ${wanted}`);
      }
      if (g.text !== shown(c.text)) wrong.push(`${c.name} text ${JSON.stringify(g.text)}`);
      // As a screen reader reads them: from the accessibility tree where the
      // engine gives it, else as the page names them.
      const role = { textBox: 'textbox', pushButton: 'button' }[c.kind];
      if (role) {
        const read = this.engine.accessible
          ? await this.engine.accessible(form.name, c.name)
          : { role, name: g.name };
        if (read.role !== role || read.name !== c.accessibleName)
          wrong.push(`${c.name} is ${JSON.stringify(read)}, not ${role} ${JSON.stringify(c.accessibleName)}`);
      }
      const font = c.font ?? form.defaultFont;
      const face = got.loaded.find((f) => f.family === g.family);
      const actual = {
        px: g.px,
        bold: g.weight >= 600 || /bold/i.test(g.family),
        underline: g.underline,
        ...(c.textColour && { colour: g.colour }),
        face: face ? 'the site' : g.family,
      };
      const wanted = {
        px: fontPx(font.points),
        bold: font.bold,
        underline: font.underline,
        ...(c.textColour && { colour: `rgb(${c.textColour.red}, ${c.textColour.green}, ${c.textColour.blue})` }),
        face: 'the site',
      };
      for (const [key, value] of Object.entries(wanted))
        if (actual[key] !== value) wrong.push(`${c.name} font ${key} ${actual[key]}, not ${value}`);
    }
    assert.deepEqual(wrong, [], `${form.name} as described`);
  }

  async tabOrder(form) {
    const stops = tabStops(form);
    await this.page.until(() => this.page.read('', '', 'focus'), stops[0], 'on the first tab stop');
    for (const [key, sequence] of [
      ['Tab', [...stops.slice(1), stops[0]]],
      ['Shift+Tab', [...stops].reverse()],
    ]) {
      const seen = [];
      for (const _ of sequence) {
        await this.engine.press(key);
        seen.push(await this.page.read('', '', 'focus'));
      }
      assert.deepEqual(seen, sequence, key);
    }
  }
}

// Plays a script; `step(title, body)` reports each step, as a test runner's
// steps do.
export async function playScript(page, script, step) {
  await new Player(page).play(script, step);
}

// Plays a Continue case: the boxes typed into, Continue clicked, each message
// answered in turn, and the texts of the boxes afterwards.
export async function playContinueCase(page, c, index) {
  const texts = c.messages.map((name) => {
    assert.ok(name in descriptions.messages, `message ${name} of ${c.where}`);
    return descriptions.messages[name];
  });
  await page.enter('txtmax', '7');
  await page.enter('txtSB', c.block);
  await page.enter('txtcharlvl', c.level);
  await page.clickOn(main.name, 'cmdcontinue');
  for (const [i, text] of texts.entries()) {
    await page.until(async () => (await page.effects()).boxes.length, i + 1, 'boxes shown');
    const box = await page.read('', '', 'box');
    assert.equal(box.open, true);
    assert.equal(box.text, text);
    await page.answer(answerWays[(index + i) % answerWays.length]);
  }
  assert.deepEqual((await page.effects()).boxes, texts);
  const values = {};
  for (const name of ['txtSB', 'txtcharlvl', 'txtmax']) values[name] = await page.read(main.name, name, 'text');
  assert.deepEqual(values, { txtSB: c.block, txtcharlvl: c.levelAfter, txtmax: c.resultAfter });
  await page.until(async () => (await page.read('', '', 'focus')).startsWith(`${main.name}.`), true, 'the focus is in the main window');
}
