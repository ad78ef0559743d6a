// The browser engines the suite drives, each behind the same small set of
// operations, so that every shared case is written once:
//
//   goto(url)                 loads the page
//   evaluate(fn, ...args)     runs fn in the page, returns what it returns
//   press(key)                a key, by the name Playwright gives it: "Tab",
//                             "Shift+Tab", "Alt+C", "F2", "NumpadEnter", ...
//   type(text)                key by key, at the focus
//   insertText(text)          all at once, as a paste does
//   click(x, y) / move(x, y)  the mouse, in CSS pixels of the viewport
//   tap(x, y)                 a finger, where the engine has touch input
//   cannot                    what the engine cannot do, as { tap: WHY }
//   viewport(width, height)   the size of the page's viewport
//   screenshot(path, clip)    a PNG of the viewport, or of its rectangle
//                             clip { x, y, width, height }
//   errors                    what the page reported as an error
//   close()
//   accessible(form, control) { role, name } in the accessibility tree, where
//                             the engine's driver can read it (Chromium)
//
// Chromium is driven by Playwright (the page its test runner gives), Firefox by
// puppeteer-core over WebDriver BiDi, WebKitGTK's MiniBrowser by
// selenium-webdriver through WebKitWebDriver.

import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { writeFileSync } from 'node:fs';
import { cropPng } from './png.mjs';

// Collects, from inside the page, the errors it reports: for an engine whose
// driver does not pass the console on.
function collectErrors() {
  const errors = (window.__orvanelErrors = []);
  const error = console.error.bind(console);
  console.error = (...args) => {
    errors.push(`console: ${args.join(' ')}`);
    error(...args);
  };
  window.addEventListener('error', (event) => errors.push(`page error: ${event.message}`));
  window.addEventListener('unhandledrejection', (event) =>
    errors.push(`page error: ${event.reason}`),
  );
}

export class PlaywrightEngine {
  name = 'chromium';
  constructor(page, errors = []) {
    this.page = page;
    this.errors = errors;
  }
  goto(url) {
    return this.page.goto(url);
  }
  evaluate(fn, ...args) {
    return this.page.evaluate(`(${fn})(...${JSON.stringify(args)})`);
  }
  press(key) {
    return this.page.keyboard.press(key);
  }
  type(text) {
    return this.page.keyboard.type(text);
  }
  insertText(text) {
    return this.page.keyboard.insertText(text);
  }
  click(x, y) {
    return this.page.mouse.click(x, y);
  }
  move(x, y) {
    return this.page.mouse.move(x, y);
  }
  // Needs a page opened with hasTouch.
  tap(x, y) {
    return this.page.touchscreen.tap(x, y);
  }
  cannot = {};
  viewport(width, height) {
    return this.page.setViewportSize({ width, height });
  }
  screenshot(path, clip) {
    return this.page.screenshot({ path, clip });
  }
  // The role and name a control has in Chromium's accessibility tree, which
  // screen readers read.
  async accessible(form, control) {
    const cdp = await this.page.context().newCDPSession(this.page);
    try {
      const { result } = await cdp.send('Runtime.evaluate', {
        expression: `document.getElementById(${JSON.stringify(form)}).shadowRoot.getElementById(${JSON.stringify(control)})`,
      });
      const { nodes } = await cdp.send('Accessibility.getPartialAXTree', {
        objectId: result.objectId,
        fetchRelatives: false,
      });
      return { role: nodes[0]?.role?.value, name: nodes[0]?.name?.value };
    } finally {
      await cdp.detach();
    }
  }
  close() {}
}

// Puppeteer over BiDi sends WebDriver's key values: U+E006 is Return (code
// "Enter"), U+E007 the keypad's Enter (code "NumpadEnter").
const puppeteerKeys = { Space: ' ', Enter: '\uE006', NumpadEnter: '\uE007' };

// A paste where the driver has none: the text put in at the focus, with the
// input event a paste fires.
function paste(text) {
  let element = document.activeElement;
  while (element?.shadowRoot?.activeElement) element = element.shadowRoot.activeElement;
  const start = element.selectionStart ?? element.value.length;
  element.setRangeText(text, start, element.selectionEnd ?? start, 'end');
  element.dispatchEvent(
    new InputEvent('input', { bubbles: true, inputType: 'insertFromPaste', data: text }),
  );
}

export class PuppeteerEngine {
  name = 'firefox';
  errors = [];
  static async launch(executablePath = process.env.ORVANEL_FIREFOX ?? '/usr/bin/firefox-esr') {
    const { default: puppeteer } = await import('puppeteer-core');
    const engine = new PuppeteerEngine();
    engine.browser = await puppeteer.launch({ browser: 'firefox', executablePath, headless: true });
    engine.page = await engine.browser.newPage();
    engine.page.on('console', (m) => m.type() === 'error' && engine.errors.push(`console: ${m.text()}`));
    engine.page.on('pageerror', (e) => engine.errors.push(`page error: ${e.message}`));
    await engine.viewport(1280, 800);
    return engine;
  }
  goto(url) {
    return this.page.goto(url);
  }
  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }
  async press(key) {
    const parts = key.split('+');
    const main = parts.pop();
    for (const modifier of parts) await this.page.keyboard.down(modifier);
    await this.page.keyboard.press(puppeteerKeys[main] ?? main);
    for (const modifier of parts.reverse()) await this.page.keyboard.up(modifier);
  }
  type(text) {
    return this.page.keyboard.type(text);
  }
  insertText(text) {
    return this.evaluate(paste, text);
  }
  click(x, y) {
    return this.page.mouse.click(x, y);
  }
  move(x, y) {
    return this.page.mouse.move(x, y);
  }
  tap(x, y) {
    return this.page.touchscreen.tap(x, y);
  }
  cannot = {};
  viewport(width, height) {
    // Firefox ESR 140, as Debian 12's point releases have it, knows no
    // screen orientation override, which puppeteer sends beside the size; the
    // size is set all the same.
    return this.page.setViewport({ width, height }).catch((error) => {
      if (!/unknown command emulation\.setScreenOrientationOverride/.test(error.message)) throw error;
    });
  }
  screenshot(path, clip) {
    return this.page.screenshot({ path, clip });
  }
  close() {
    return this.browser.close();
  }
}

const freePort = () =>
  new Promise((resolve, reject) => {
    const server = createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });

// The frame a narrow page is shown in, made with the page (url) or resized.
function frame(url, width, height) {
  let element = document.querySelector('iframe');
  if (!element) {
    element = document.createElement('iframe');
    element.style.position = 'fixed';
    element.style.left = element.style.top = '0';
    element.style.border = '0';
    element.src = url;
    document.body.append(element);
  }
  element.style.width = `${width}px`;
  element.style.height = `${height}px`;
}

export class SeleniumEngine {
  name = 'webkit';
  static async launch(
    binary = process.env.ORVANEL_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
  ) {
    const { Builder, Key } = await import('selenium-webdriver');
    const engine = new SeleniumEngine();
    engine.Key = Key;
    const port = await freePort();
    engine.service = spawn(process.env.ORVANEL_WEBKITWEBDRIVER ?? 'WebKitWebDriver', [`--port=${port}`], {
      stdio: ['ignore', 'ignore', 'inherit'],
    });
    const deadline = Date.now() + 10_000;
    for (;;) {
      try {
        engine.driver = await new Builder()
          .usingServer(`http://127.0.0.1:${port}`)
          .withCapabilities({
            browserName: 'MiniBrowser',
            'webkitgtk:browserOptions': { binary, args: ['--automation'] },
          })
          .build();
        break;
      } catch (error) {
        if (Date.now() > deadline || error.name === 'SessionNotCreatedError') {
          engine.service.kill();
          throw error;
        }
        await new Promise((resolve) => setTimeout(resolve, 200));
      }
    }
    await engine.viewport(1280, 800);
    return engine;
  }
  get errors() {
    return this.pageErrors ?? [];
  }
  // MiniBrowser's window is no narrower than its toolbar: a page narrower
  // than that is shown in a frame of its size at the window's top left
  // corner, and the driver works inside the frame. The frame is put in a
  // document of the page's own origin, the site's licence, so that the page
  // is not a third party's, whose service worker WebKit keeps apart.
  async goto(url) {
    this.framed = !!this.frameSize;
    if (this.framed) {
      await this.driver.get(new URL('LICENSE.txt', url).href);
      await this.driver.executeScript(frame, url, ...this.frameSize);
      await this.driver.switchTo().frame(0);
      // The frame's first document is an empty one.
      await this.driver.wait(
        () => this.driver.executeScript("return location.href !== 'about:blank' && document.readyState !== 'loading'"),
        10_000,
      );
    } else {
      await this.driver.get(url);
    }
    await this.driver.executeScript(collectErrors);
  }
  async evaluate(fn, ...args) {
    const result = await this.driver.executeScript(
      `return (${fn}).apply(null, arguments[0])`,
      args,
    );
    this.pageErrors = await this.driver.executeScript('return window.__orvanelErrors ?? []');
    return result;
  }
  async press(key) {
    const K = this.Key;
    const named = {
      Tab: K.TAB, Space: ' ', Enter: K.RETURN, NumpadEnter: K.ENTER, Escape: K.ESCAPE,
      Shift: K.SHIFT, Alt: K.ALT, Control: K.CONTROL, Meta: K.META,
      ArrowDown: K.ARROW_DOWN, ArrowUp: K.ARROW_UP, ArrowLeft: K.ARROW_LEFT,
      ArrowRight: K.ARROW_RIGHT, Delete: K.DELETE, Backspace: K.BACK_SPACE,
      F2: K.F2, F6: K.F6, F10: K.F10,
    };
    const parts = key.split('+').map((part) => named[part] ?? part.toLowerCase());
    const main = parts.pop();
    let actions = this.driver.actions();
    for (const modifier of parts) actions = actions.keyDown(modifier);
    actions = actions.keyDown(main).keyUp(main);
    for (const modifier of parts.reverse()) actions = actions.keyUp(modifier);
    await actions.perform();
  }
  type(text) {
    return this.driver.actions().sendKeys(text).perform();
  }
  insertText(text) {
    return this.evaluate(paste, text);
  }
  click(x, y) {
    return this.driver
      .actions()
      .move({ x: Math.round(x), y: Math.round(y), origin: 'viewport' })
      .click()
      .perform();
  }
  move(x, y) {
    return this.driver.actions().move({ x: Math.round(x), y: Math.round(y), origin: 'viewport' }).perform();
  }
  // A pointer of type touch reaches MiniBrowser's page as the mouse.
  cannot = { tap: 'WebKitWebDriver delivers a touch pointer as the mouse (pointerType "mouse")' };
  async viewport(width, height) {
    // The window's size is set; what the page gets of it is read back and the
    // difference added once.
    if (this.framed) await this.driver.switchTo().defaultContent();
    const inner = () => this.driver.executeScript('return [innerWidth, innerHeight]');
    await this.driver.manage().window().setRect({ width, height });
    let [w, h] = await inner();
    if (w !== width || h !== height) {
      await this.driver.manage().window().setRect({ width: 2 * width - w, height: 2 * height - h });
      [w, h] = await inner();
    }
    // Narrower than the window can be: a frame from the next page loaded on.
    this.frameSize = w > width ? [width, height] : null;
    if (this.framed) {
      await this.driver.executeScript(frame, null, width, height);
      await this.driver.switchTo().frame(0);
    }
  }
  // A rectangle is cut out of the viewport's picture: WebKitWebDriver's
  // picture of an element leaves out parts of the page.
  async screenshot(path, clip) {
    const picture = Buffer.from(await this.driver.takeScreenshot(), 'base64');
    writeFileSync(path, clip ? cropPng(picture, clip) : picture);
  }
  async close() {
    await this.driver?.quit().catch(() => {});
    this.service?.kill();
  }
}

export const launchers = { firefox: PuppeteerEngine.launch, webkit: SeleniumEngine.launch };
