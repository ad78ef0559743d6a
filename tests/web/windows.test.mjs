// The windows as their descriptions lay them out, the menus, the keyboard, and
// the life of the information windows and of the program.
import { descriptions, expect, fontPx, formOf, px, shown, test } from './lib/fixtures.mjs';

const main = formOf('frmorvix');
// The menu entries of the main window that show each window.
const shownBy = { frmorvix: [], frmhelp: ['help', 'helpa'], frmabout: ['help', 'bout'] };

// A control's text as shown: the value of a box; else the element's own text,
// without that of the controls it holds.
const shownText = (element) => {
  if (element instanceof HTMLInputElement) return element.value;
  const copy = element.cloneNode(true);
  copy.querySelectorAll('[id]').forEach((inner) => inner.remove());
  return copy.textContent;
};

const styleOf = (element) => {
  const style = getComputedStyle(element);
  return {
    px: parseFloat(style.fontSize),
    weight: Number(style.fontWeight),
    underline: style.textDecorationLine.includes('underline'),
    colour: style.color,
  };
};

for (const form of descriptions.forms) {
  test(`${form.name}: title, client area, and each control's place, text and font`, async ({
    app,
  }) => {
    await app.choose(...shownBy[form.name]);
    const window = app.window(form.name);
    await expect(window).toBeVisible();
    await expect(window.locator('.title')).toHaveText(form.title);
    await expect(window.locator('button.closebox')).toHaveAccessibleName('Close');
    const client = await window.locator('.client').boundingBox();
    expect([client.width, client.height]).toEqual([
      px(form.clientWidthTwips),
      px(form.clientHeightTwips),
    ]);

    const wrong = [];
    for (const c of form.controls) {
      const element = app.control(form.name, c.name);
      const frame = form.controls.find((other) => other.name === c.container)?.rect;
      const box = await element.boundingBox();
      const place = {
        left: box.x - client.x,
        top: box.y - client.y,
        width: box.width,
        height: box.height,
      };
      for (const [side, value] of Object.entries(place)) {
        const wanted = px(c.rect[side] + (frame && ['left', 'top'].includes(side) ? frame[side] : 0));
        if (Math.abs(value - wanted) > 1) wrong.push(`${c.name} ${side} ${value}, not ${wanted}`);
      }
      const text = await element.evaluate(shownText);
      if (text !== shown(c.text)) wrong.push(`${c.name} text ${JSON.stringify(text)}`);
      if (c.kind === 'textBox') await expect(element).toHaveAccessibleName(c.accessibleName);
      if (c.kind === 'pushButton') await expect(element).toHaveAccessibleName(shown(c.text));
    }

    // Fonts: size, weight (a bold face, or emboldened), underline and colour,
    // each drawn in a face the site brings (boxes once they hold text).
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
    }
    expect(wrong).toEqual([]);
  });
}

// The menu tree as the page tells assistive technology: menu items, their
// popups, shortcuts and disabled state.
const ariaMenuTree = (bar) => {
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
};

const describedMenuTree = (entries) =>
  entries.map((entry) => ({
    name: entry.name || expect.any(String),
    text: shown(entry.text),
    shortcut: entry.shortcut,
    enabled: entry.enabled,
    popup: entry.submenu.length ? expect.stringMatching(/^(true|menu)$/) : null,
    submenu: describedMenuTree(entry.submenu),
  }));

test('the menu bar is the described menu tree', async ({ app }) => {
  const bar = app.window('frmorvix').locator('[role=menubar]');
  expect(await bar.evaluate(ariaMenuTree)).toEqual(describedMenuTree(main.menuBar));
});

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

test('choosing a greyed shield value changes nothing', async ({ app }) => {
  await app.type('txtSB', '50');
  await app.type('txtcharlvl', '80');
  const before = await app.values();
  const menu = app.window('frmorvix');
  await app.main('mnusl').click();
  for (const shield of main.menuBar.find((entry) => entry.name === 'mnusl').submenu) {
    await menu.getByRole('menuitem', { name: shield.text, exact: true }).hover();
    const value = menu.getByRole('menuitem', { name: shield.submenu.at(-1).text, exact: true });
    await value.click({ force: true });
    await value.press('Enter');
  }
  expect(await app.values()).toEqual(before);
  expect(await app.effects()).toEqual({ boxes: [], writes: [] });
  await expect(app.page.locator('.window:visible')).toHaveCount(1);
});

const clearWays = {
  F2: (app) => app.page.keyboard.press('F2'),
  'File > Clear with the mouse': (app) => app.choose('mnufile', 'mnuclear'),
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

for (const form of descriptions.forms) {
  test(`${form.name}: Tab and Shift+Tab go round its controls in tab order`, async ({ app }) => {
    const order = form.controls
      .filter((c) => c.kind === 'textBox' || c.kind === 'pushButton')
      .sort((a, b) => a.tabIndex - b.tabIndex)
      .map((c) => `${form.name} ${c.name}`);
    if (form === main) expect(await app.focused()).toBe(order[0]);
    await app.choose(...shownBy[form.name]);
    await app.control(form.name, order[0].split(' ')[1]).focus();
    for (const [key, sequence] of [
      ['Tab', [...order.slice(1), order[0]]],
      ['Shift+Tab', [...order].reverse()],
    ]) {
      const seen = [];
      for (const _ of sequence) {
        await app.page.keyboard.press(key);
        seen.push(await app.focused());
      }
      expect(seen, key).toEqual(sequence);
    }
  });
}

const infoWindows = [
  { form: 'frmhelp', other: 'frmabout' },
  { form: 'frmabout', other: 'frmhelp' },
].map((w) => ({
  ...w,
  button: formOf(w.form).controls.find((c) => c.kind === 'pushButton'),
}));
for (const w of infoWindows) {
  const accessKey = w.button.text.match(/&([^&])/)?.[1];
  const hideWays = {
    'its Close button': (app) => app.control(w.form, w.button.name).click(),
    'its close box': (app) => app.window(w.form).locator('.closebox').click(),
    ...(accessKey && {
      [`Alt+${accessKey}`]: async (app) => {
        await app.window(w.form).locator('.title').click();
        await app.page.keyboard.press(`Alt+${accessKey}`);
      },
    }),
  };
  for (const [way, hide] of Object.entries(hideWays)) {
    test(`${w.form}: shown twice is one window; hidden by ${way}; shown again the same`, async ({
      app,
    }) => {
      const window = app.window(w.form);
      await expect(window).toHaveCount(0);
      await app.choose(...shownBy[w.other]);
      await app.choose(...shownBy[w.form]);
      await app.choose(...shownBy[w.other]);
      await app.choose(...shownBy[w.form]);
      await expect(window).toHaveCount(1);
      await expect(window).toBeVisible();
      expect(await app.hits(window.locator('.title')), 'the window came to the front').toBe(true);
      const first = await window.elementHandle();
      const content = await window.evaluate((host) => host.shadowRoot.textContent);
      await hide(app);
      await expect(window).toBeHidden();
      await expect(window).toHaveCount(1);
      await expect(app.window(w.other)).toBeVisible();
      await app.choose(...shownBy[w.form]);
      await expect(window).toBeVisible();
      expect(await first.evaluate((host) => host === document.getElementById(host.id))).toBe(true);
      expect(await window.evaluate((host) => host.shadowRoot.textContent)).toBe(content);
    });
  }
}

const endings = {
  'File > Exit': (app) => app.choose('mnufile', 'mnuexit'),
  "the main window's close box": (app) => app.window('frmorvix').locator('.closebox').click(),
};
for (const [way, end] of Object.entries(endings)) {
  test(`${way} ends the program with its hidden and shown windows; restart starts afresh`, async ({
    app,
  }) => {
    await app.choose(...shownBy.frmhelp);
    await app.choose(...shownBy.frmabout);
    await app.control('frmabout', 'Command1').click();
    await app.type('txtSB', '50');
    await end(app);
    await expect(app.page.locator('.window')).toHaveCount(0);
    await expect(app.page.locator('#ended')).toBeVisible();
    await app.page.locator('#restart').click();
    await expect(app.window('frmorvix')).toBeVisible();
    await expect(app.page.locator('.window')).toHaveCount(1);
    await expect(app.page.locator('#ended')).toBeHidden();
    expect(await app.values()).toEqual({ txtSB: '', txtcharlvl: '', txtmax: '' });
    await expect.poll(() => app.focused()).toBe('frmorvix txtSB');
  });
}
