// The program in a page, driven as a user would: real keys and mouse clicks,
// and reads of what the page shows and of what the program wrote.

// Records, from before the program starts, the text of every message box as
// it opens and every value written into an input by script (typing writes
// none), so that tests can read the order of what the program did.
function recordEffects() {
  const log = (window.__orvanelEffects = { boxes: [], writes: [] });
  const showModal = HTMLDialogElement.prototype.showModal;
  HTMLDialogElement.prototype.showModal = function () {
    showModal.call(this);
    log.boxes.push(this.querySelector('#msgbox-text')?.textContent ?? '');
  };
  const value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  Object.defineProperty(HTMLInputElement.prototype, 'value', {
    ...value,
    set(text) {
      log.writes.push([this.id, String(text)]);
      value.set.call(this, text);
    },
  });
}

// Collects console errors and uncaught exceptions of a page.
export function watchErrors(page, errors = []) {
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
  return errors;
}

export async function waitUntilReady(page) {
  await page.waitForFunction(() => performance.getEntriesByName('orvanel-ready').length > 0);
}

export class App {
  constructor(page) {
    this.page = page;
    this.box = page.locator('#msgbox');
    this.boxText = page.locator('#msgbox-text');
  }

  async start(url = process.env.ORVANEL_SITE_URL) {
    await this.page.addInitScript(recordEffects);
    await this.page.goto(url);
    await waitUntilReady(this.page);
    await this.page.evaluate(() => {
      window.__orvanelEffects.boxes.length = 0;
      window.__orvanelEffects.writes.length = 0;
    });
  }

  window(form) {
    return this.page.locator(`#${form}`);
  }
  control(form, name) {
    return this.page.locator(`#${form} #${name}`);
  }
  main(name) {
    return this.control('frmorvix', name);
  }

  // "window control" for the focused element inside a window, else the id
  // of the focused element of the page.
  focused() {
    return this.page.evaluate(() => {
      let element = document.activeElement;
      let host = null;
      while (element?.shadowRoot?.activeElement) {
        host = element;
        element = element.shadowRoot.activeElement;
      }
      return host ? `${host.id} ${element.id}` : (element?.id ?? '');
    });
  }

  // What the program wrote since it was ready.
  effects() {
    return this.page.evaluate(() => window.__orvanelEffects);
  }

  // Replaces a main-window box's text by typing it.
  async type(name, text) {
    await this.main(name).click();
    await this.page.keyboard.press('ControlOrMeta+A');
    await this.page.keyboard.press('Delete');
    if (text !== '') await this.page.keyboard.type(text);
  }

  async values() {
    const names = ['txtSB', 'txtcharlvl', 'txtmax'];
    const texts = await Promise.all(names.map((name) => this.main(name).inputValue()));
    return Object.fromEntries(names.map((name, i) => [name, texts[i]]));
  }

  async keys(...keys) {
    for (const key of keys) await this.page.keyboard.press(key);
  }

  // Chooses menu entries of the main window with the mouse, by their names.
  async choose(...names) {
    for (const name of names) await this.main(name).click();
  }

  // Presses OK of the message box in one of the ways a user can.
  async answer(way) {
    if (way === 'click') await this.page.locator('#msgbox-ok').click();
    else await this.page.keyboard.press(way);
  }

  // Drags a window by its title to put its top left corner near (x, y).
  async drag(form, x, y) {
    const title = await this.window(form).locator('.title').boundingBox();
    const frame = await this.window(form).boundingBox();
    const [fromX, fromY] = [title.x + 10, title.y + title.height / 2];
    await this.page.mouse.move(fromX, fromY);
    await this.page.mouse.down();
    await this.page.mouse.move(fromX + x - frame.x, fromY + y - frame.y, { steps: 5 });
    await this.page.mouse.up();
  }

  // Clicks with the mouse where an element is, as a user would, without
  // waiting for it to be clickable.
  async clickAt(locator) {
    const box = await locator.boundingBox();
    await this.page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  }

  // The faces Chromium drew a control's text in (its own and that of its
  // user-agent shadow tree, where a text box keeps its text), as the browser's
  // DevTools protocol tells them: [{ familyName, postScriptName, isCustomFont }].
  async drawnFaces(form, control) {
    const cdp = await this.page.context().newCDPSession(this.page);
    try {
      await cdp.send('DOM.enable');
      await cdp.send('CSS.enable');
      await cdp.send('DOM.getDocument', { depth: -1, pierce: true });
      const { result } = await cdp.send('Runtime.evaluate', {
        expression: `document.getElementById('${form}').shadowRoot.getElementById('${control}')`,
      });
      const { nodeId } = await cdp.send('DOM.requestNode', { objectId: result.objectId });
      const { node } = await cdp.send('DOM.describeNode', { nodeId, depth: -1, pierce: true });
      const holders = [];
      const textNode = 3;
      const walk = (n) => {
        if (n.children?.some((c) => c.nodeType === textNode && c.nodeValue.trim()))
          holders.push(n.backendNodeId);
        [...(n.children ?? []), ...(n.shadowRoots ?? [])].forEach(walk);
      };
      walk(node);
      const { nodeIds } = await cdp.send('DOM.pushNodesByBackendIdsToFrontend', {
        backendNodeIds: holders,
      });
      const faces = [];
      for (const id of nodeIds)
        faces.push(...(await cdp.send('CSS.getPlatformFontsForNode', { nodeId: id })).fonts);
      return faces;
    } finally {
      await cdp.detach();
    }
  }

  // Whether the mouse, at an element's centre, would hit that element.
  hits(locator) {
    return locator.evaluate((target) => {
      const r = target.getBoundingClientRect();
      const [x, y] = [r.x + r.width / 2, r.y + r.height / 2];
      let hit = document.elementFromPoint(x, y);
      while (hit?.shadowRoot) {
        const inner = hit.shadowRoot.elementFromPoint(x, y);
        if (!inner || inner === hit) break;
        hit = inner;
      }
      return target.contains(hit);
    });
  }
}
