#!/usr/bin/env node
// The browser picture of the tutorial: the example slideshow "Paysages" as
// shipped, at its second slide, in headless Chromium at a laptop's size.
// Needs the npm packages of tests/browser ("npm ci" there) and Chromium.
//   node tools/screenshots/navigateur.mjs <example folder> <output PNG>
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchBrowser, until } from '../../tests/browser/lib/harness.mjs';

const [examples, output] = process.argv.slice(2);
if (!examples || !output) {
  console.error('usage: navigateur.mjs <example folder> <output PNG>');
  process.exit(2);
}

const browser = await launchBrowser({ viewport: { width: 1280, height: 800 } });
try {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(path.join(examples, 'Paysages.htm')).href);
  await until(page, () => window.Diaporama && window.Diaporama.estPrete(0), undefined,
    { what: 'first slide shown' });
  await page.keyboard.press('ArrowRight');
  // The picture is in place and every transition has ended.
  await until(page, () => window.Diaporama.courante() === 1 && window.Diaporama.estPrete(1)
    && document.getAnimations().length === 0
    && [...document.images].every((i) => i.complete), undefined, { what: 'second slide shown' });
  await page.screenshot({ path: output });
} finally {
  await browser.close();
}
