// The start-up window before the program is ready, in Chromium; engines.mjs
// plays the same checks in Firefox and WebKitGTK.
import { test } from './lib/fixtures.mjs';
import { earlyChecks } from './lib/early.mjs';
import { PlaywrightEngine } from './lib/engines.mjs';
import { paths } from './lib/paths.mjs';

for (const check of earlyChecks) {
  test(check.name, ({ page, errors }) => check.play(new PlaywrightEngine(page, errors), paths.site));
}
