// Keys as other engines and keyboards report them, in Chromium; engines.mjs
// plays the same cases in Firefox and WebKitGTK.
import { test } from './lib/fixtures.mjs';
import { keyCases } from './lib/keys.mjs';

for (const c of keyCases) test(c.name, ({ program }) => c.play(program));
