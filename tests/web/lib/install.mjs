// Installs the pinned packages into tests/web/node_modules with `npm ci`,
// unless that very lock file is installed there already: several build trees
// share the folder, and a run of one must not pull it from under another.
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

const folder = fileURLToPath(new URL('..', import.meta.url));
const lock = readFileSync(`${folder}/package-lock.json`);
const stamp = `${folder}/node_modules/.installed-package-lock.json`;
if (existsSync(stamp) && readFileSync(stamp).equals(lock)) {
  console.log('The pinned packages are installed.');
  process.exit(0);
}
const npm = spawnSync('npm', ['ci', '--no-audit', '--no-fund'], {
  cwd: folder,
  stdio: 'inherit',
  env: { ...process.env, PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD: '1' },
});
if (npm.error) throw npm.error;
if (npm.status === 0) writeFileSync(stamp, lock);
process.exit(npm.status ?? 1);
