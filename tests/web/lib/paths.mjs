// Where the suite finds the site, the windows' descriptions, the shared cases
// and the spoilt program: from the environment, else beside a web build in
// build-web/.
import { fileURLToPath } from 'node:url';
import { resolve } from 'node:path';

const repo = resolve(fileURLToPath(new URL('../../..', import.meta.url)));

export const paths = {
  site: process.env.ORVANEL_SITE ?? resolve(repo, 'build-web/site'),
  descriptions:
    process.env.ORVANEL_DESCRIPTIONS ?? resolve(repo, 'build-web/tests/web/descriptions.json'),
  cases: process.env.ORVANEL_CASES ?? resolve(repo, 'tests/cases/continue.tsv'),
  scripts: process.env.ORVANEL_SCRIPTS ?? resolve(repo, 'tests/cases/behaviour.txt'),
  // The program with one thing spoilt, in place of the site's orvanel.js and .wasm.
  spoilt: process.env.ORVANEL_SPOILT ?? resolve(repo, 'build-web/tests/web/spoilt'),
};
