// Time from a "next" key press to the next, already prepared, picture being
// painted, over a show of large JPEG photos. Run by hand:
//   LUMIVUE_BIN=build/src/lumivue node bench/bench_browser_next.mjs [slides]
// (with the npm packages of tests/browser installed: npm ci there)
// The pictures are made with ImageMagick in a temporary folder.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { generate, launchBrowser, makeAppDir, makeProject, tempDir, until } from '../tests/browser/lib/harness.mjs';

const SLIDES = Number(process.argv[2] || 10);
const WIDTH = 4000;
const HEIGHT = 3000;

const root = tempDir('lumivue-bench-');
const pictures = path.join(root, 'pictures');
fs.mkdirSync(pictures);
console.log(`making ${SLIDES} JPEG pictures of ${WIDTH}x${HEIGHT}...`);
const base = path.join(pictures, 'base.miff');
execFileSync('convert', ['-size', `${WIDTH}x${HEIGHT}`, '-seed', '11', 'plasma:fractal', base]);
const slides = [];
for (let i = 0; i < SLIDES; i++) {
  const file = path.join(pictures, `p${i}.jpg`);
  execFileSync('convert', [base, '-roll', `+${i * 397}+${i * 211}`, '-modulate', `100,100,${(i * 37) % 200}`,
    '-fill', 'white', '-pointsize', '600', '-gravity', 'center', '-annotate', '0', String(i + 1),
    '-quality', '88', file]);
  slides.push({ picture: file, caption: `Photo <b>${i + 1}</b>` });
}

makeAppDir(root, null);
const url = await generate(makeProject(root, 'Banc', "Banc d'essai", slides), root);
const browser = await launchBrowser({ viewport: { width: 1600, height: 900 } });

async function run(label, stripShown) {
  const page = await browser.newPage();
  await page.goto(url);
  await until(page, () => document.getElementById('diapo').naturalWidth > 0, undefined, { timeout: 60000 });
  if (!stripShown) await page.locator('#Commandes').getByRole('button', { name: 'Vignettes', exact: true }).click();
  await page.evaluate(() => {
    // Key press time, then the first task after the frame that follows the
    // swap: the picture has been painted by then.
    window.__mesures = [];
    let debut = 0;
    document.addEventListener('keydown', (ev) => { debut = ev.timeStamp; }, true);
    document.addEventListener('diaporama:affiche', (ev) => {
      const toile = ev.detail.toile;
      const swap = performance.now() - debut;
      requestAnimationFrame(() => {
        const canal = new MessageChannel();
        canal.port1.onmessage = () => window.__mesures.push({ ms: performance.now() - debut, swap, toile });
        canal.port2.postMessage(0);
      });
    });
  });
  for (let i = 0; i + 1 < SLIDES; i++) {
    // Everything the show prepares ahead is ready and idle before the press.
    await until(page, ([n, last]) => window.Diaporama.estPrete(n) && (n + 1 > last || window.Diaporama.estPrete(n + 1)),
      [i + 1, SLIDES - 1], { timeout: 60000, what: `slides after ${i + 1} prepared` });
    await page.waitForTimeout(300);
    await page.keyboard.press('ArrowRight');
    await until(page, (n) => window.__mesures.length === n, i + 1, { timeout: 60000 });
  }
  const got = await page.evaluate(() => window.__mesures);
  await page.close();
  const ms = got.map((m) => m.ms).sort((a, b) => a - b);
  const median = ms.length % 2 ? ms[(ms.length - 1) / 2] : (ms[ms.length / 2 - 1] + ms[ms.length / 2]) / 2;
  console.log(`${label}: median ${median.toFixed(1)} ms, min ${ms[0].toFixed(1)}, max ${ms[ms.length - 1].toFixed(1)}`
    + ` over ${ms.length} presses; from the prepared bitmap: ${got.filter((m) => m.toile).length}/${got.length}`);
  console.log(`  each press (key to swap / key to painted, ms): ${got.map((m) => `${m.swap.toFixed(1)}/${m.ms.toFixed(1)}`).join(' ')}`);
}

try {
  await run('next picture painted, thumbnail strip shown', true);
  await run('next picture painted, thumbnail strip hidden', false);
} finally {
  await browser.close();
  fs.rmSync(root, { recursive: true, force: true });
}
