// What the windows do, as the behaviour scripts that every runtime plays.
import { test } from './lib/fixtures.mjs';
import { paths } from './lib/paths.mjs';
import { play, readScripts } from './lib/scripts.mjs';

for (const script of readScripts(paths.scripts)) {
  test(`${script.name} (${script.where})`, async ({ app }) => {
    test.skip('web' in script.skips, script.skips.web);
    await play(app, script);
  });
}
