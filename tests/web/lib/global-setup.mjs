// Serves the site for the whole run on a free port of 127.0.0.1; the workers
// find it in ORVANEL_SITE_URL.
import { existsSync } from 'node:fs';
import { join } from 'node:path';
import { paths } from './paths.mjs';
import { serve } from './static-server.mjs';

export default async function globalSetup() {
  for (const needed of [join(paths.site, 'index.html'), paths.descriptions])
    if (!existsSync(needed)) throw new Error(`${needed} is missing: build the web site first`);
  const server = await serve(paths.site);
  process.env.ORVANEL_SITE_URL = server.url;
  console.log(`Serving ${paths.site} at ${server.url}`);
  return () => server.close();
}
