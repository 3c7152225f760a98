// Two measurements of the slideshow page, run by hand (never by the tests):
//
//   LUMIVUE_BIN=build/src/lumivue node bench/bench_browser_next.mjs latency [presses] [--before OLD.js] [--unlimited] [--stages]
//     Two end points for each press. "Presented": from the key press to the
//     frame that shows its result on screen, as the browser itself records it
//     in its trace (EventLatency), raster and display included; this is the
//     visitor's wait. "Main thread done": from the key press to the first
//     task after the frame that follows the change (requestAnimationFrame,
//     then a message), which only says that the page's thread has handed
//     the frame over: the tiles of that frame may still be rastering, so it
//     reads lower than what the visitor sees (it was the only figure
//     reported before the presented time was added). Both include waiting for the
//     next frame of a 60 Hz display (0 to 16.7 ms) unless --unlimited runs
//     Chromium with its frame rate unlimited (--disable-frame-rate-limit
//     --disable-gpu-vsync), which leaves the page's and the browser's own
//     work. --stages breaks the presented time down into the pipeline's
//     stages (input, key handler, frame wait and main-thread frame, commit,
//     raster before activation, activation to screen). The frame counts as
//     the next slide's when it shows its number, its caption and a picture of it, the full one
//     or its stand-in (the thumbnail scaled, or the empty box while the
//     thumbnail loads); how many presses showed which is counted, and how
//     long a stand-in waited for the full picture. Cross-fade on, as
//     visitors see it, over a show of 12 photos
//     of 4000 x 3000 JPEG, with the thumbnail strip shown and hidden, and
//     with the fade turned off by reduced motion for reference. Presses come
//     at random moments, 0 to 800 ms after the previous picture was painted,
//     as a visitor presses (often before the show has prepared what follows),
//     48 presses per case by default; the median and the 90th percentile are
//     reported. The same is measured on the photos as the web optimisation
//     leaves them (fitted into 1920 x 1080), and first the browser's own
//     floor: a press that changes only the position number. With --before, also the older script against this one in
//     pairs, both sides pressed on the same random schedule.
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
import { CHROMIUM_ARGS, generate, launchBrowser, makeAppDir, makeProject, tempDir, until } from '../tests/browser/lib/harness.mjs';

const WIDTH = 4000;
const HEIGHT = 3000;
const args = process.argv.slice(2);
const what = args[0] && !args[0].startsWith('-') && Number.isNaN(Number(args[0])) ? args.shift() : 'both';
const beforeScript = args.includes('--before') ? path.resolve(args[args.indexOf('--before') + 1]) : null;
const latencySlides = 12;
const presses = Math.max(40, Number(args.find((a) => /^\d+$/.test(a)) || 48));

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

// Chromium's own record of each key press, from the key to the frame that
// showed its result (EventLatency in the trace), in press order: { ms,
// stages: ms by pipeline stage, raster: ms of tile raster meanwhile }.
const stagesAsked = args.includes('--stages');
async function startTrace(page) {
  const cdp = await page.context().newCDPSession(page);
  const events = [];
  const kept = (x) => x.name === 'EventLatency' || (stagesAsked && ((x.id2 && /input/.test(x.cat)) || x.name === 'RasterTask'));
  cdp.on('Tracing.dataCollected', (e) => events.push(...e.value.filter(kept)));
  await cdp.send('Tracing.start', { traceConfig: { includedCategories: ['cc', 'input'] }, transferMode: 'ReportEvents' });
  return { cdp, events };
}

async function endTrace({ cdp, events }) {
  const complete = new Promise((r) => cdp.once('Tracing.tracingComplete', r));
  await cdp.send('Tracing.end');
  await complete;
  const open = new Map();
  const presses = [];
  const raster = [];
  for (const e of events.sort((a, b) => a.ts - b.ts)) {
    if (e.name === 'RasterTask') { if (e.ph === 'X') raster.push(e); continue; }
    const key = `${e.pid}:${e.id2?.local ?? e.id}`;
    const press = open.get(key);
    if (e.name === 'EventLatency') {
      if (e.ph === 'b' && e.args?.event_latency?.event_type === 'KEY_PRESSED') open.set(key, { at: e.ts, stages: {}, starts: {} });
      else if (e.ph === 'e' && press) {
        press.ms = (e.ts - press.at) / 1000;
        press.raster = raster.filter((r) => r.ts >= press.at && r.ts < e.ts).reduce((sum, r) => sum + r.dur / 1000, 0);
        presses.push(press);
        open.delete(key);
      }
    } else if (press && e.ph === 'b') {
      press.starts[e.name] = e.ts;
    } else if (press && e.ph === 'e' && press.starts[e.name] !== undefined) {
      press.stages[e.name] = (press.stages[e.name] || 0) + (e.ts - press.starts[e.name]) / 1000;
    }
  }
  return presses.sort((a, b) => a.at - b.at);
}

// Where the time of a press goes, from the stages Chromium names.
const STAGES = [
  ['input to the page', /^(GenerationToBrowserMain|BrowserMainToRendererCompositor|RendererCompositor(QueueingDelay|Processing|ToMain))$/],
  ['key handler', /^RendererMainProcessing$/],
  ['wait for the frame, then style, layout, paint', /^(RendererMainFinishedTo(BeginImplFrame|SendBeginMainFrame|Commit)|BeginImplFrameToSendBeginMainFrame|SendBeginMainFrameToCommit)$/],
  ['commit', /^Commit$/],
  ['raster before activation', /^EndCommitToActivation$/],
  ['activation to screen', /^(Activation|EndActivateToSubmitCompositorFrame|SubmitCompositorFrameToPresentationCompositorFrame)$/],
];
function printStages(presses) {
  const sumOf = (p, re) => Object.entries(p.stages).filter(([n]) => re.test(n)).reduce((s, [, v]) => s + v, 0);
  for (const [label, re] of STAGES) {
    const v = presses.map((p) => sumOf(p, re));
    console.log(`    ${label}: median ${median(v).toFixed(1)}, 90th percentile ${quantile(v, 0.9).toFixed(1)}, max ${Math.max(...v).toFixed(1)} ms`);
  }
  const r = presses.map((p) => p.raster);
  console.log(`    tile raster run meanwhile (all raster threads): median ${median(r).toFixed(1)}, 90th percentile ${quantile(r, 0.9).toFixed(1)} ms`);
}

// The q-quantile, linear between neighbours (q = 0.5: the median).
function quantile(values, q) {
  const v = [...values].sort((a, b) => a - b);
  const at = q * (v.length - 1);
  const low = Math.floor(at);
  const high = v[Math.min(low + 1, v.length - 1)];
  return high === v[low] ? high : v[low] + (high - v[low]) * (at - low); // (never Infinity - Infinity)
}
const median = (values) => quantile(values, 0.5);

// Delays before each press, the same for every run with the same seed.
function schedule(seed, count) {
  let x = seed;
  return Array.from({ length: count }, () => {
    x = (x * 1103515245 + 12345) % 2147483648;
    return Math.floor((x / 2147483648) * 800);
  });
}

// The same photos as the web optimisation leaves them: fitted into
// 1920 x 1080, quality 90.
function webPhotos(photos) {
  return photos.map((file) => {
    const out = file.replace(/\.jpg$/, '-web.jpg');
    if (!fs.existsSync(out)) execFileSync('convert', [file, '-resize', '1920x1080', '-quality', '90', out]);
    return out;
  });
}

async function latency() {
  const photos = makePhotos(latencySlides);
  const urls = {};
  {
    const folder = path.join(root, 'latence-web');
    fs.mkdirSync(folder);
    makeAppDir(folder, null);
    urls.web = await generate(makeProject(folder, 'Banc', "Banc d'essai",
      webPhotos(photos).map((p, i) => ({ picture: p, caption: `Photo <b>${i + 1}</b>` }))), folder);
  }
  for (const side of beforeScript ? ['before', 'after'] : ['after']) {
    const folder = path.join(root, `latence-${side}`);
    fs.mkdirSync(folder);
    const appDir = makeAppDir(folder, null);
    if (side === 'before') fs.copyFileSync(beforeScript, path.join(appDir, 'Nouveau.js'));
    urls[side] = await generate(makeProject(folder, 'Banc', "Banc d'essai",
      photos.map((p, i) => ({ picture: p, caption: `Photo <b>${i + 1}</b>` }))), folder);
  }
  const browser = await launchBrowser({ viewport: { width: 1600, height: 900 }, args: [...CHROMIUM_ARGS,
    ...(args.includes('--unlimited') ? ['--disable-frame-rate-limit', '--disable-gpu-vsync'] : [])] });

  async function run(label, { stripShown, reducedMotion, url = urls.after, seed = 1 }) {
    const page = await browser.newPage();
    await page.emulateMedia({ reducedMotion: reducedMotion ? 'reduce' : 'no-preference' });
    await page.goto(url);
    await until(page, () => document.getElementById('diapo').naturalWidth > 0, undefined, { timeout: 60000 });
    const strip = page.locator('#Commandes').getByRole('button', { name: 'Vignettes', exact: true });
    if ((await strip.getAttribute('aria-pressed') === 'true') !== stripShown) await strip.click();
    await page.evaluate(() => {
      // Key press time, then the first task after the frame that follows the
      // change: that frame has been painted by then. What it showed is read
      // as the frame starts; a press counts as answered only if that was the
      // new slide's number and caption and a picture of it. Only "next"
      // presses count; the return to the first slide after the last is not timed.
      window.__mesures = [];
      window.__affiches = 0;
      let debut = 0;
      let touche = '';
      let enAttente = null; // the last measure whose full picture has not come yet
      // The player may hand the id "diapo" from one picture element to
      // another: it is looked up each time.
      const diapo = () => document.getElementById('diapo');
      new MutationObserver(() => {
        if (enAttente && !diapo().hidden) { enAttente.plein = performance.now() - enAttente.debut; enAttente = null; }
      }).observe(document.getElementById('Scene'), { attributes: true, attributeFilter: ['hidden', 'id'], subtree: true });
      document.addEventListener('keydown', (ev) => { debut = ev.timeStamp; touche = ev.key; }, true);
      document.addEventListener('diaporama:affiche', (ev) => {
        const i = ev.detail.index;
        const swap = performance.now() - debut;
        const compte = touche === 'ArrowRight';
        const mesure = { debut, swap };
        requestAnimationFrame(() => {
          const r = document.querySelector('#Scene .lecteur-remplacante:not(.lecteur-sortante)');
          const position = document.getElementById('InfoDiaporama').textContent.trim() === `${i + 1} / ${window.Diaporama.nombre}`;
          const legende = document.getElementById('InfoTexte').textContent.replace(/\s+/g, ' ').trim().endsWith(`Photo ${i + 1}`);
          if (r && !r.hidden) mesure.vue = r.querySelector('img:not([hidden])') ? 'vignette' : 'boite';
          // (An older player draws the full picture on a canvas.)
          else if ((!diapo().hidden && diapo().src.endsWith(`${i}.jpg`)) || document.querySelector('#Scene canvas:not([hidden]):not(.lecteur-sortante)')) mesure.vue = 'pleine';
          else mesure.vue = 'rien';
          mesure.juste = position && legende && mesure.vue !== 'rien';
          if (mesure.vue === 'pleine') mesure.plein = swap;
          else enAttente = mesure;
          const canal = new MessageChannel();
          canal.port1.onmessage = () => {
            mesure.ms = performance.now() - debut;
            if (compte) window.__mesures.push(mesure);
            window.__affiches++;
          };
          canal.port2.postMessage(0);
        });
      });
    });
    const trace = await startTrace(page);
    const delays = schedule(seed, presses);
    let shown = 0;
    const homes = new Set(); // rank of the Home presses among all presses
    for (let i = 0; i < presses; i++) {
      if (await page.evaluate(() => window.Diaporama.courante() === window.Diaporama.nombre - 1)) {
        homes.add(i + homes.size);
        await page.keyboard.press('Home');
        await until(page, (n) => window.__affiches === n, ++shown, { timeout: 60000 });
      }
      // A random moment after the last picture was painted: prepared or not.
      await page.waitForTimeout(delays[i]);
      await page.keyboard.press('ArrowRight');
      await until(page, (n) => window.__affiches === n, ++shown, { timeout: 60000 });
    }
    const got = await page.evaluate(() => window.__mesures);
    // The last frame reaches the screen after the page's thread is done with it.
    await page.waitForTimeout(500);
    const presented = await endTrace(trace);
    await page.close();
    // A frame that did not show the new slide is no answer: counted as
    // never painted.
    // The browser's key-to-screen records, the Home presses left out (they
    // come in the same order as the presses).
    const timed = presented.filter((x, k) => !homes.has(k));
    let shownAt = timed.map((p) => p.ms);
    if (shownAt.length !== got.length) {
      console.log(`  (the trace holds ${shownAt.length} key presses for ${got.length} presses: presented times left out)`);
      shownAt = null;
    }
    const ms = got.map((m, k) => (!m.juste ? Infinity : shownAt ? shownAt[k] : m.ms));
    const handed = got.map((m) => (m.juste ? m.ms : Infinity));
    if (!label) return quantile(ms, 0.9);
    const count = (v) => got.filter((m) => m.vue === v).length;
    const later = got.filter((m) => m.vue !== 'pleine' && m.plein !== undefined).map((m) => m.plein);
    if (shownAt) {
      console.log(`${label}, main thread done: median ${median(handed).toFixed(1)} ms, 90th percentile ${quantile(handed, 0.9).toFixed(1)} ms,`
        + ` quartiles ${quantile(handed, 0.25).toFixed(1)}-${quantile(handed, 0.75).toFixed(1)}, max ${Math.max(...handed).toFixed(1)}`);
    }
    console.log(`${label}${shownAt ? ', presented' : ', main thread done'}: median ${median(ms).toFixed(1)} ms, 90th percentile ${quantile(ms, 0.9).toFixed(1)} ms`
      + ` (target <= 16: ${quantile(ms, 0.9) <= 16 ? 'met' : 'MISSED'}), quartiles ${quantile(ms, 0.25).toFixed(1)}-${quantile(ms, 0.75).toFixed(1)},`
      + ` min ${Math.min(...ms).toFixed(1)}, max ${Math.max(...ms).toFixed(1)} over ${ms.length} presses`);
    console.log(`  the press's frame showed: the full picture ${count('pleine')}, the thumbnail standing in ${count('vignette')},`
      + ` the empty box ${count('boite')}, no picture of the slide ${count('rien')}; wrong number or caption ${got.filter((m) => m.vue !== 'rien' && !m.juste).length}`
      + (later.length ? `; a stand-in gave way to the full picture after a median ${median(later).toFixed(0)} ms (max ${Math.max(...later).toFixed(0)})` : ''));
    if (shownAt && stagesAsked) printStages(timed);
    console.log(`  each press (key to swap / main thread done / presented, ms): ${got.map((m, k) => `${m.swap.toFixed(1)}/${m.ms.toFixed(1)}/${shownAt ? shownAt[k].toFixed(1) : '-'}`).join(' ')}`);
  }

  // The browser's own floor on this machine: the same page, each press
  // changing only the position number (the player never sees it). What a
  // press of the slideshow takes beyond this is the player's.
  async function floor(label, url) {
    const page = await browser.newPage();
    await page.goto(url);
    await until(page, () => document.getElementById('diapo').naturalWidth > 0, undefined, { timeout: 60000 });
    await page.waitForTimeout(1000);
    await page.evaluate((count) => {
      let n = 0;
      document.addEventListener('keydown', (ev) => {
        ev.stopImmediatePropagation();
        ev.preventDefault();
        document.getElementById('InfoDiaporama').textContent = `${++n % count + 1} / ${count}`;
      }, true);
    }, latencySlides);
    const trace = await startTrace(page);
    for (const delay of schedule(1, presses)) {
      await page.waitForTimeout(delay);
      await page.keyboard.press('ArrowRight');
    }
    await page.waitForTimeout(500);
    const ms = (await endTrace(trace)).map((p) => p.ms);
    await page.close();
    console.log(`${label}, presented: median ${median(ms).toFixed(1)} ms, 90th percentile ${quantile(ms, 0.9).toFixed(1)} ms,`
      + ` quartiles ${quantile(ms, 0.25).toFixed(1)}-${quantile(ms, 0.75).toFixed(1)}, max ${Math.max(...ms).toFixed(1)} over ${ms.length} presses`);
  }

  try {
    await floor('floor: a press that changes only the position number', urls.web);
    await run('cross-fade, strip shown', { stripShown: true });
    await run('cross-fade, strip hidden', { stripShown: false });
    await run('no fade (reduced motion), strip shown', { stripShown: true, reducedMotion: true });
    await run('web-optimised pictures, cross-fade, strip shown', { stripShown: true, url: urls.web });
    await run('web-optimised pictures, no fade, strip shown', { stripShown: true, reducedMotion: true, url: urls.web });
    if (beforeScript) {
      // The older script and this one in turn, the first changing at each
      // pair, on the same schedule within a pair; each run's 90th
      // percentile, then the ratio of the pair.
      for (const stripShown of [true, false]) {
        const ratios = [];
        for (let pair = 0; pair < 4; pair++) {
          const order = pair % 2 ? ['after', 'before'] : ['before', 'after'];
          const got = {};
          for (const side of order) got[side] = await run('', { stripShown, url: urls[side], seed: pair + 1 });
          ratios.push(got.after / got.before);
          console.log(`  pair ${pair + 1} (strip ${stripShown ? 'shown' : 'hidden'}): before ${got.before.toFixed(1)} ms, after ${got.after.toFixed(1)} ms`);
        }
        console.log(`after / before (90th percentiles), strip ${stripShown ? 'shown' : 'hidden'}: median ${median(ratios).toFixed(2)},`
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
