// Two measurements of the slideshow page, run by hand (never by the tests):
//
//   LUMIVUE_BIN=build/src/lumivue node bench/bench_browser_next.mjs latency [slides] [--before OLD.js]
//     Time from a "next" key press to the first painted frame of the next,
//     already prepared, picture (cross-fade on, as visitors see it), over a
//     show of 4000 x 3000 JPEG photos, with the thumbnail strip shown and
//     hidden, and with the fade turned off by reduced motion for reference;
//     with --before, also the older script against this one in pairs.
//
//   LUMIVUE_BIN=build/src/lumivue node bench/bench_browser_next.mjs bytes [--before OLD.js]
//     Bytes the browser reads to show the first slide with the strip in view,
//     then the whole strip scrolled through, for a 200-slide show of camera
//     photos. "before" is the page without its thumbnail folder (the strip
//     falls back to the pictures), or the player script given with --before
//     (for instance an older Nouveau.js); "after" is the page as generated.
//
// With no argument both run. The pictures are made with ImageMagick in a
// temporary folder.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { generate, launchBrowser, makeAppDir, makeProject, tempDir, until } from '../tests/browser/lib/harness.mjs';

const WIDTH = 4000;
const HEIGHT = 3000;
const args = process.argv.slice(2);
const what = args[0] && !args[0].startsWith('-') && Number.isNaN(Number(args[0])) ? args.shift() : 'both';
const beforeScript = args.includes('--before') ? path.resolve(args[args.indexOf('--before') + 1]) : null;
const latencySlides = Number(args.find((a) => /^\d+$/.test(a)) || 10);

const root = tempDir('lumivue-bench-');
const pictures = path.join(root, 'pictures');
fs.mkdirSync(pictures);

// Photos with a camera's detail and weight (about 3 MB each): fractal
// colour fields with grain, each shifted, tinted and numbered.
function makePhotos(count) {
  console.log(`making ${count} JPEG photos of ${WIDTH}x${HEIGHT}...`);
  const base = path.join(pictures, 'base.miff');
  if (!fs.existsSync(base)) {
    execFileSync('convert', ['-size', `${WIDTH}x${HEIGHT}`, '-seed', '11', 'plasma:fractal',
      '-attenuate', '0.35', '+noise', 'Gaussian', base]);
  }
  return Array.from({ length: count }, (_, i) => {
    const file = path.join(pictures, `p${i}.jpg`);
    if (!fs.existsSync(file)) {
      execFileSync('convert', [base, '-roll', `+${i * 397}+${i * 211}`, '-modulate', `100,100,${(i * 37) % 200}`,
        '-fill', 'white', '-pointsize', '600', '-gravity', 'center', '-annotate', '0', String(i + 1),
        '-quality', '88', file]);
    }
    return file;
  });
}

function median(values) {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
}

async function latency() {
  const photos = makePhotos(latencySlides);
  const urls = {};
  for (const side of beforeScript ? ['before', 'after'] : ['after']) {
    const folder = path.join(root, `latence-${side}`);
    fs.mkdirSync(folder);
    const appDir = makeAppDir(folder, null);
    if (side === 'before') fs.copyFileSync(beforeScript, path.join(appDir, 'Nouveau.js'));
    urls[side] = await generate(makeProject(folder, 'Banc', "Banc d'essai",
      photos.map((p, i) => ({ picture: p, caption: `Photo <b>${i + 1}</b>` }))), folder);
  }
  const browser = await launchBrowser({ viewport: { width: 1600, height: 900 } });

  async function run(label, { stripShown, reducedMotion, url = urls.after }) {
    const page = await browser.newPage();
    await page.emulateMedia({ reducedMotion: reducedMotion ? 'reduce' : 'no-preference' });
    await page.goto(url);
    await until(page, () => document.getElementById('diapo').naturalWidth > 0, undefined, { timeout: 60000 });
    const strip = page.locator('#Commandes').getByRole('button', { name: 'Vignettes', exact: true });
    if ((await strip.getAttribute('aria-pressed') === 'true') !== stripShown) await strip.click();
    await page.evaluate(() => {
      // Key press time, then the first task after the frame that follows the
      // swap: the new picture has been painted by then.
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
    for (let i = 0; i + 1 < latencySlides; i++) {
      // Everything the show prepares ahead is ready and idle before the press.
      await until(page, ([n, last]) => window.Diaporama.estPrete(n) && (n + 1 > last || window.Diaporama.estPrete(n + 1))
        && document.getAnimations().length === 0,
      [i + 1, latencySlides - 1], { timeout: 60000, what: `slides after ${i + 1} prepared` });
      await page.waitForTimeout(300);
      await page.keyboard.press('ArrowRight');
      await until(page, (n) => window.__mesures.length === n, i + 1, { timeout: 60000 });
    }
    const got = await page.evaluate(() => window.__mesures);
    await page.close();
    const ms = got.map((m) => m.ms);
    if (!label) return median(ms);
    console.log(`${label}: median ${median(ms).toFixed(1)} ms, min ${Math.min(...ms).toFixed(1)}, max ${Math.max(...ms).toFixed(1)}`
      + ` over ${ms.length} presses; from the prepared bitmap: ${got.filter((m) => m.toile).length}/${got.length}`);
    console.log(`  each press (key to swap / key to painted, ms): ${got.map((m) => `${m.swap.toFixed(1)}/${m.ms.toFixed(1)}`).join(' ')}`);
  }

  try {
    await run('cross-fade, strip shown', { stripShown: true });
    await run('cross-fade, strip hidden', { stripShown: false });
    await run('no fade (reduced motion), strip shown', { stripShown: true, reducedMotion: true });
    if (beforeScript) {
      // The older script and this one in turn, the first changing at each
      // pair; each run's median, then the ratio of the pair.
      for (const stripShown of [true, false]) {
        const ratios = [];
        for (let pair = 0; pair < 4; pair++) {
          const order = pair % 2 ? ['after', 'before'] : ['before', 'after'];
          const got = {};
          for (const side of order) got[side] = await run('', { stripShown, url: urls[side] });
          ratios.push(got.after / got.before);
          console.log(`  pair ${pair + 1} (strip ${stripShown ? 'shown' : 'hidden'}): before ${got.before.toFixed(1)} ms, after ${got.after.toFixed(1)} ms`);
        }
        console.log(`after / before, strip ${stripShown ? 'shown' : 'hidden'}: median ${median(ratios).toFixed(2)},`
          + ` from ${Math.min(...ratios).toFixed(2)} to ${Math.max(...ratios).toFixed(2)}`);
      }
    }
  } finally {
    await browser.close();
  }
}

async function bytes() {
  const photos = makePhotos(12);
  const slides = Array.from({ length: 200 }, (_, i) => ({ picture: photos[i % photos.length], caption: `Photo ${i + 1}` }));
  const sides = {};
  for (const side of ['before', 'after']) {
    const folder = path.join(root, side);
    fs.mkdirSync(folder);
    const appDir = makeAppDir(folder, null);
    if (side === 'before' && beforeScript) fs.copyFileSync(beforeScript, path.join(appDir, 'Nouveau.js'));
    const started = Date.now();
    const url = await generate(makeProject(folder, 'Banc', "Banc d'essai", slides), folder);
    console.log(`${side}: generated in ${((Date.now() - started) / 1000).toFixed(1)} s`);
    if (side === 'before' && !beforeScript) fs.rmSync(path.join(folder, 'projet', 'Banc_vignettes'), { recursive: true });
    sides[side] = url;
  }

  // A fresh browser each time, so that nothing comes from a cache.
  async function measure(url) {
    const browser = await launchBrowser({ viewport: { width: 1600, height: 900 } });
    try {
      const page = await browser.newPage();
      const read = new Set();
      page.on('requestfinished', (r) => { if (r.url().startsWith('file:')) read.add(fileURLToPath(r.url())); });
      const total = () => [...read].reduce((sum, f) => sum + fs.statSync(f).size, 0);
      await page.goto(url);
      const stripLoaded = () => until(page, () => {
        const strip = document.getElementById('Vignettes').getBoundingClientRect();
        const seen = [...document.querySelectorAll('.lecteur-vignette')].filter((v) => {
          const r = v.getBoundingClientRect();
          return r.right > strip.left && r.left < strip.right;
        });
        return seen.length > 0 && seen.every((v) => !v.querySelector('img') || (v.querySelector('img').complete && v.querySelector('img').naturalWidth > 0));
      }, undefined, { timeout: 120000, what: 'thumbnails in view' });
      await until(page, () => window.Diaporama && window.Diaporama.estPrete(0), undefined, { timeout: 120000 });
      await stripLoaded();
      // The page prepares the next two slides on its own: let it finish.
      await until(page, () => window.Diaporama.estPrete(1) && window.Diaporama.estPrete(2), undefined, { timeout: 120000 });
      const first = total();
      for (;;) {
        const more = await page.evaluate(() => {
          const s = document.getElementById('Vignettes');
          const before = s.scrollLeft;
          s.scrollLeft += s.clientWidth;
          return s.scrollLeft !== before;
        });
        await stripLoaded();
        if (!more) break;
      }
      return { first, full: total(), files: read.size };
    } finally {
      await browser.close();
    }
  }

  // Both sides in turn, the first one changing at each pair.
  const results = { before: [], after: [] };
  for (let pair = 0; pair < 2; pair++) {
    const order = pair % 2 ? ['after', 'before'] : ['before', 'after'];
    for (const side of order) results[side].push(await measure(sides[side]));
  }
  const mb = (b) => `${(b / 1e6).toFixed(2)} MB`;
  for (const side of ['before', 'after']) {
    const r = results[side];
    console.log(`${side}${side === 'before' ? (beforeScript ? ` (${path.basename(beforeScript)})` : ' (no thumbnail folder)') : ''}:`
      + ` first slide with the strip in view ${mb(median(r.map((x) => x.first)))},`
      + ` whole strip scrolled through ${mb(median(r.map((x) => x.full)))} (${r[0].files} files);`
      + ` runs: ${r.map((x) => `${mb(x.first)}/${mb(x.full)}`).join(', ')}`);
  }
  const ratios = [0, 1].map((i) => results.before[i].full / results.after[i].full);
  console.log(`whole strip, before / after per pair: ${ratios.map((x) => x.toFixed(1)).join(', ')}`);
}

try {
  if (what === 'latency' || what === 'both') await latency();
  if (what === 'bytes' || what === 'both') await bytes();
} finally {
  fs.rmSync(root, { recursive: true, force: true });
}
