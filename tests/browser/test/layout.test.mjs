// Every page design on screens from a small phone to a television, with
// short and long captions: header, picture, caption, position and every
// control inside the window without scrolling, and a picture box that keeps
// its size whatever the caption.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  appData, collectErrors, generate, launchBrowser, makeAppDir, makeProject, tempDir, until,
} from '../lib/harness.mjs';

const SIZES = [[390, 844], [844, 390], [1280, 800], [1920, 1080], [320, 480], [3840, 2160]];
const LONG = Array.from({ length: 8 }, (_, i) => `Ligne ${i + 1} d'une l\u00e9gende qui raconte la journ\u00e9e en d\u00e9tail`).join('<br>');
const slides = (second) => [
  { picture: 'photo0.jpg', caption: 'Le lac au matin' },
  { picture: 'photo1.gif', caption: second },
  { picture: 'photo2.jpg', caption: 'Le retour' },
];
const designs = fs.readdirSync(path.join(appData, 'Modeles')).filter((f) => f.endsWith('.htm')).sort();

// Where everything is, once slide k shows its picture fitted in the stage.
async function layoutOf(page, k) {
  // A resized window is laid out again, and told of it, at the next frames.
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  return until(page, (slide) => {
    if (document.getElementById('InfoDiaporama').textContent.trim() !== `${slide + 1} / 3`) return null;
    const scene = document.getElementById('Scene');
    const box = (e, content) => {
      const r = e.getBoundingClientRect();
      if (!content) return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
      const cs = getComputedStyle(e);
      const px = (v) => parseFloat(cs[v]) || 0;
      const b = {
        left: r.left + px('paddingLeft') + px('borderLeftWidth'),
        top: r.top + px('paddingTop') + px('borderTopWidth'),
        right: r.right - px('paddingRight') - px('borderRightWidth'),
        bottom: r.bottom - px('paddingBottom') - px('borderBottomWidth'),
      };
      return { ...b, width: b.right - b.left, height: b.bottom - b.top };
    };
    const views = [...scene.children].filter((e) => e.classList.contains('vue') && !e.classList.contains('lecteur-sortante')
      && e.offsetWidth > 0);
    if (views.length !== 1 || (views[0].tagName === 'IMG' && !views[0].complete)) return null;
    const stage = box(scene, true);
    const picture = box(views[0], true);
    const fits = Math.abs(picture.width - stage.width) <= 2 || Math.abs(picture.height - stage.height) <= 2;
    if (!fits) return null;
    const parts = [['header', document.getElementById('Titre')], ['position', document.getElementById('InfoDiaporama')],
      ['caption', document.getElementById('InfoTexte')], ['picture', views[0]],
      ...[...document.querySelectorAll('#Commandes button, #Commandes select')].map((e) => [e.title || 'interval', e])];
    const strip = document.getElementById('Vignettes');
    if (!strip.hidden) parts.push(['strip', strip]);
    const outside = parts.filter(([, e]) => {
      const r = box(e, false);
      return !(r.width > 0 && r.height > 0 && r.left >= -0.5 && r.top >= -0.5 && r.right <= innerWidth + 0.5 && r.bottom <= innerHeight + 0.5);
    }).map(([name, e]) => `${name} ${JSON.stringify(box(e, false))}`);
    return {
      outside,
      stage: { width: stage.width, height: stage.height },
      share: (stage.width * stage.height) / (innerWidth * innerHeight),
      caption: box(document.getElementById('InfoTexte'), true).height,
      scrolls: document.documentElement.scrollHeight > innerHeight || document.documentElement.scrollWidth > innerWidth
        ? `${document.documentElement.scrollWidth}x${document.documentElement.scrollHeight} ` + [...document.querySelectorAll('body *')].filter((e) => { const r = e.getBoundingClientRect(); return r.bottom > innerHeight + 0.5 || r.right > innerWidth + 0.5; }).map((e) => `${e.tagName}.${e.className} ${JSON.stringify(e.getBoundingClientRect())}`).slice(0, 5).join(' | ') : '',
    };
  }, k, { what: `slide ${k + 1} laid out` });
}

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

for (const design of designs) {
  describe(`${design} on every screen`, () => {
    let root;
    const urls = {};

    before(async () => {
      root = tempDir('lumivue-layout-');
      makeAppDir(root, path.join(appData, 'Modeles', design));
      for (const [label, caption] of [['long', LONG], ['court', 'Une seule ligne']]) {
        const folder = path.join(root, label);
        fs.mkdirSync(folder);
        urls[label] = await generate(makeProject(folder, 'Essai', 'Vacances \u00e0 la mer', slides(caption)), root);
      }
    });

    after(() => { if (root) fs.rmSync(root, { recursive: true, force: true }); });

    for (const caption of ['long', 'court']) {
      test(`${caption === 'long' ? 'an eight-line' : 'a one-line'} caption`, async () => {
        const page = await browser.newPage();
        const errors = collectErrors(page);
        const faults = [];
        const check = (ok, what) => { if (!ok) faults.push(what); };
        // The largest screen is costly to draw: once, with the long caption, is enough.
        for (const [width, height] of SIZES.filter(([w]) => caption === 'long' || w < 3840)) {
          await page.setViewportSize({ width, height });
          await page.goto(`${urls[caption]}#1`);
          const first = await layoutOf(page, 0);
          await page.keyboard.press('ArrowRight');
          const second = await layoutOf(page, 1);
          const where = `${width}x${height}`;
          for (const got of [first, second]) {
            check(!got.outside.length, `${where}: outside the window: ${got.outside.join(', ')}`);
            check(!got.scrolls, `${where}: the page scrolls: ${got.scrolls}`);
            check(got.caption >= 15, `${where}: no line of caption shows (${got.caption}px)`);
            check(got.share >= 0.25, `${where}: the picture has ${(got.share * 100).toFixed(0)}% of the window`);
          }
          check(Math.abs(second.stage.width - first.stage.width) < 1 && Math.abs(second.stage.height - first.stage.height) < 1,
            `${where}: the picture box changes from ${JSON.stringify(first.stage)} to ${JSON.stringify(second.stage)}`);
        }
        assert.deepEqual(faults, []);
        assert.deepEqual(errors, []);
        await page.close();
      });
    }
  });
}
