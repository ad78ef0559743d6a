// Checks the built web site as a static host would serve it: that the service
// worker keeps exactly the site's files, that the page loads nothing from
// elsewhere and nothing its Content-Security-Policy forbids, that the policy
// allows exactly the page's inline scripts and styles by their hashes, that the
// manifest's icons are there in their sizes, and that every font ships with
// its licence.
//
//   node check_site.mjs SITE_FOLDER
import { createHash } from 'node:crypto';
import { readFileSync, readdirSync, statSync, existsSync } from 'node:fs';
import { join, relative } from 'node:path';

const site = process.argv[2];
const read = (file) => readFileSync(join(site, file), 'utf8');
const files = (folder = site) =>
  readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? files(path) : [relative(site, path)];
  });

const html = read('index.html');
const manifest = JSON.parse(read('orvanel.webmanifest'));
const worker = read('sw.js');
const listed = JSON.parse(`[${/const FILES = \[(.*)\];/.exec(worker)[1].replaceAll("'", '"')}]`);
const csp = /http-equiv="Content-Security-Policy" content="([^"]*)"/.exec(html)?.[1] ?? '';
const directive = (name) => (csp.match(new RegExp(`(?:^|;)\\s*${name} ([^;]*)`))?.[1] ?? '').split(/\s+/);
// The inline scripts and styles, each as its hash, by the directive that
// must allow it; and what else the policy allows beyond the site itself.
const inline = (tag) => [...html.matchAll(new RegExp(`<${tag}(\\s[^>]*)?>([^]*?)</${tag}>`, 'g'))]
  .filter((m) => !/\bsrc=/.test(m[1] ?? ''))
  .map((m) => `'sha256-${createHash('sha256').update(m[2], 'utf8').digest('base64')}'`);
const hashes = { 'script-src': inline('script'), 'style-src': inline('style') };
const hashed = (d) => directive(d).filter((s) => s.startsWith("'sha256-"));
const sameSets = (a, b) => a.length === b.length && a.every((x) => b.includes(x));
const styleText = [...html.matchAll(/<style>([^]*?)<\/style>/g)].map((m) => m[1]).join('\n');
const references = [
  ...[...html.matchAll(/(?:src|href)="([^"]*)"/g)].map((m) => m[1]),
  ...[...styleText.matchAll(/url\(([^)]*)\)/g)].map((m) => m[1]),
  ...manifest.icons.map((icon) => icon.src),
];
// The width and height a PNG's header gives.
const pngSize = (file) => {
  const bytes = readFileSync(join(site, file));
  return `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
};

const checks = [
  ['the worker keeps every file of the site',
    () => files().filter((f) => f !== 'sw.js' && !listed.includes(f))],
  ['every file the worker keeps is there',
    () => listed.filter((f) => f !== './' && !existsSync(join(site, f)))],
  ['the cache is named after the version and the contents',
    () => (/const CACHE = 'orvanel-(\d+\.\d+\.\d+)-[0-9a-f]{16}';/.exec(worker)?.[1] === html.match(
      /Orvanel (\d+\.\d+\.\d+)/)?.[1] ? [] : ['cache name']) ],
  ['every page reference is a file of the site',
    () => references.filter((r) => /^[a-z]+:|^\/\//i.test(r) || !existsSync(join(site, r)))],
  ['the policy allows only the site itself and WebAssembly',
    () => [
      ...['script-src', 'style-src', 'font-src', 'img-src', 'connect-src', 'manifest-src']
        .filter((d) => directive(d).some((s) => !["'self'", "'wasm-unsafe-eval'"].includes(s)
          && !(d in hashes && s.startsWith("'sha256-")))),
      ...(directive('script-src').includes("'wasm-unsafe-eval'") ? [] : ['no wasm-unsafe-eval']),
      ...(directive('default-src').includes("'none'") ? [] : ['default-src is not none']),
    ]],
  ['the policy allows each inline script and style by its hash, and nothing more',
    () => Object.entries(hashes).filter(([d, wanted]) => !sameSets(hashed(d), wanted)).map(([d]) => d)],
  ['the page has no inline handler or style attribute',
    () => [...html.matchAll(/<[^>]*\s(?:style|on[a-z]+)=[^>]*>/gi)].map((m) => m[0])],
  ['the manifest makes an installable app',
    () => [
      ...['name', 'short_name', 'start_url', 'display', 'theme_color', 'background_color']
        .filter((key) => !manifest[key]),
      ...(manifest.display === 'standalone' ? [] : ['display']),
      ...['192x192', '512x512'].filter((size) => !manifest.icons.some((i) => i.sizes === size)),
    ]],
  ['every icon has the size the manifest gives',
    () => manifest.icons.filter((i) => pngSize(i.src) !== i.sizes).map((i) => i.src)],
  ['every font ships with its licence',
    () => files().filter((f) => f.endsWith('.woff2'))
      .filter((f) => !existsSync(join(site, f.replace(/\.woff2$/, '-copyright.txt'))))],
  ['the page names the licence', () => (/MIT licence/.test(html) && existsSync(join(site, 'LICENSE.txt')) ? [] : ['MIT'])],
];

let failed = 0;
for (const [name, check] of checks) {
  const faults = check();
  if (faults.length) failed++;
  console.log(`${faults.length ? 'FAIL' : 'ok  '} ${name}${faults.length ? `: ${faults.join(', ')}` : ''}`);
}
console.log(`${checks.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
