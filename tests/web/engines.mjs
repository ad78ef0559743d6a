// The cases every runtime plays, in the engine ORVANEL_ENGINE names (firefox
// or webkit), through node's test runner, and the page's own cases of keys,
// of phones' screens and of the start (lib/keys.mjs, lib/phone.mjs,
// lib/early.mjs); Chromium plays them
// under Playwright (behaviour.test.mjs, calculate.test.mjs, keys.test.mjs,
// phone.test.mjs). A case a script skips for this engine is reported as
// skipped, with the script's reason, and so is a check that needs what the
// engine cannot do.
//
//   ORVANEL_ENGINE=firefox node --test engines.mjs
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { readCases } from './lib/cases.mjs';
import { launchers } from './lib/engines.mjs';
import { earlyChecks } from './lib/early.mjs';
import { keyCases } from './lib/keys.mjs';
import { phoneChecks, phoneSizes, playPhoneCheck } from './lib/phone.mjs';
import { paths } from './lib/paths.mjs';
import { Page, playContinueCase, playScript, readScripts } from './lib/play.mjs';
import { serve } from './lib/static-server.mjs';

const name = process.env.ORVANEL_ENGINE;
if (!(name in launchers)) throw new Error(`ORVANEL_ENGINE is ${name}, not one of ${Object.keys(launchers)}`);
let server;
let engine;

before(async () => {
  server = await serve(paths.site);
  engine = await launchers[name]();
});
after(async () => {
  await engine?.close();
  await server?.close();
});

// A fresh start of the program for each case; no error in the page.
async function started() {
  engine.errors.length = 0;
  const page = new Page(engine);
  await page.start(server.url);
  return page;
}
const noErrors = () => assert.deepEqual(engine.errors, [], `errors in the page in ${name}`);

for (const script of readScripts(paths.scripts)) {
  test(`${script.name} (${script.where})`, { skip: script.skips[name] ?? false }, async () => {
    await playScript(await started(), script);
    noErrors();
  });
}

readCases(paths.cases).forEach((c, index) => {
  test(`Continue ${c.name} (${c.where})`, async () => {
    await playContinueCase(await started(), c, index);
    noErrors();
  });
});

for (const c of keyCases) {
  test(`Keys: ${c.name}`, async () => {
    await c.play(await started());
    noErrors();
  });
}

for (const check of earlyChecks) {
  test(`Start: ${check.name}`, async () => {
    engine.errors.length = 0;
    await check.play(engine, paths.site);
    noErrors();
  });
}

for (const size of phoneSizes) {
  for (const check of phoneChecks) {
    test(`Phone ${size.join(' × ')}: ${check.name}`, async (t) => {
      const cannot = check.needs && engine.cannot[check.needs];
      if (cannot) return t.skip(cannot);
      engine.errors.length = 0;
      await playPhoneCheck(new Page(engine), check, size, server.url);
      noErrors();
    });
  }
}
