// The browser suite, run headless in the system's Chromium against the built
// site. Paths come from the environment (tests/web/CMakeLists.txt sets them);
// the defaults fit a web build in build-web/ of this repository.
import { defineConfig } from '@playwright/test';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export default defineConfig({
  testDir: '.',
  testMatch: /.*\.test\.mjs$/,
  outputDir: process.env.ORVANEL_TEST_OUTPUT ?? join(tmpdir(), 'orvanel-web-test-results'),
  globalSetup: './lib/global-setup.mjs',
  reporter: [['list']],
  forbidOnly: true,
  retries: 0,
  workers: 2,
  timeout: 30_000,
  expect: { timeout: 5_000 },
  use: {
    browserName: 'chromium',
    headless: true,
    viewport: { width: 1280, height: 800 },
    launchOptions: { executablePath: process.env.ORVANEL_CHROMIUM ?? '/usr/bin/chromium' },
    trace: 'retain-on-failure',
  },
});
