// What the windows do, as the behaviour scripts that every runtime plays.
import { test } from './lib/fixtures.mjs';
import { paths } from './lib/paths.mjs';
import { playScript, readScripts } from './lib/play.mjs';

for (const script of readScripts(paths.scripts)) {
  test(`${script.name} (${script.where})`, async ({ program }) => {
    test.skip('chromium' in script.skips, script.skips.chromium);
    await playScript(program, script, test.step);
  });
}
