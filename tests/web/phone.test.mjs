// The page on phones' screens in Chromium, as a phone with touch; engines.mjs
// plays the same checks in Firefox and WebKitGTK.
import { test } from './lib/fixtures.mjs';
import { PlaywrightEngine } from './lib/engines.mjs';
import { phoneChecks, phoneSizes, playPhoneCheck } from './lib/phone.mjs';
import { Page } from './lib/play.mjs';

test.use({ isMobile: true, hasTouch: true });

for (const size of phoneSizes) {
  test.describe(size.join(' × '), () => {
    for (const check of phoneChecks) {
      test(check.name, ({ page, errors }) =>
        playPhoneCheck(new Page(new PlaywrightEngine(page, errors)), check, size, process.env.ORVANEL_SITE_URL));
    }
  });
}
