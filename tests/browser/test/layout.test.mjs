// Every page design from a small phone to a large screen, with short and long
// captions: header, picture, caption, position and every control inside the
// window without scrolling, and a picture box that keeps its size whatever
// the caption. The window is resized under the open page, which lays itself
// out again.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { appData, makeShow, pageOpener, tempDir, until } from '../lib/harness.mjs';

const SIZES = [[390, 844], [844, 390], [1280, 800], [1920, 1080], [320, 480]];
const LONG = Array.from({ length: 8 }, (_, i) => `Ligne ${i + 1} d'une l\u00e9gende qui raconte la journ\u00e9e en d\u00e9tail`).join('<br>');
const designs = fs.readdirSync(path.join(appData, 'Modeles')).filter((f) => f.endsWith('.htm')).sort();
const pages = pageOpener();
let root;
before(() => { root = tempDir('lumivue-layout-'); });
after(async () => { await pages.close(); fs.rmSync(root, { recursive: true, force: true }); });

// Where everything is once slide k shows its picture fitted in the stage.
async function layoutOf(page, k) {
  // A resized window is laid out again, and told of it, at the next frames.
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  return until(page, (slide) => {
    const content = (e) => {
      const r = e.getBoundingClientRect();
      const cs = getComputedStyle(e);
      const px = (side) => parseFloat(cs[`padding${side}`]) + parseFloat(cs[`border${side}Width`]);
      return { width: r.width - px('Left') - px('Right'), height: r.height - px('Top') - px('Bottom') };
    };
    const scene = document.getElementById('Scene');
    const view = [...scene.querySelectorAll(':scope > .vue:not(.lecteur-sortante):not(.lecteur-prete)')].filter((e) => !e.hidden);
    if (document.getElementById('InfoDiaporama').textContent !== `${slide + 1} / 3` || view.length !== 1 || view[0].complete === false) return null;
    const [stage, picture] = [content(scene), content(view[0])];
    if (Math.abs(picture.width - stage.width) > 2 && Math.abs(picture.height - stage.height) > 2) return null;
    const parts = ['Titre', 'InfoDiaporama', 'InfoTexte', 'Vignettes'].map((id) => document.getElementById(id))
      .concat(view, [...document.querySelectorAll('#Commandes button, #Commandes select')]).filter((e) => !e.hidden);
    const outside = parts.filter((e) => {
      const r = e.getBoundingClientRect();
      return !(r.height >= 15 && r.width > 0 && r.left >= -0.5 && r.top >= -0.5 && r.right <= innerWidth + 0.5 && r.bottom <= innerHeight + 0.5);
    }).map((e) => `${e.id || e.title || e.tagName} ${JSON.stringify(e.getBoundingClientRect())}`);
    const root = document.documentElement;
    return {
      outside, stage, share: (stage.width * stage.height) / (innerWidth * innerHeight),
      scrolls: root.scrollHeight > innerHeight || root.scrollWidth > innerWidth,
    };
  }, k, { what: `slide ${k + 1} laid out` });
}

for (const design of designs) {
  for (const [label, caption] of [['an eight-line', LONG], ['a one-line', 'Une seule ligne']]) {
    test(`${design} on every screen with ${label} caption`, async () => {
      const url = await makeShow(path.join(root, `${design}-${label}`), path.join(appData, 'Modeles', design),
        'Vacances \u00e0 la mer', [{ picture: 'photo0.jpg', caption: 'Le lac au matin' }, { picture: 'photo1.gif', caption },
          { picture: 'photo2.jpg', caption: 'Le retour' }]);
      const { page, done } = await pages.open(`${url}#2`);
      const faults = [];
      for (const [width, height] of SIZES) {
        await page.setViewportSize({ width, height });
        const second = await layoutOf(page, 1); // laid out again under the slide shown
        await page.keyboard.press('ArrowLeft');
        const first = await layoutOf(page, 0);
        await page.keyboard.press('ArrowRight');
        for (const got of [first, second]) {
          if (got.outside.length) faults.push(`${width}x${height}: outside the window: ${got.outside.join(', ')}`);
          if (got.scrolls) faults.push(`${width}x${height}: the page scrolls`);
          if (got.share < 0.25) faults.push(`${width}x${height}: the picture has ${(got.share * 100).toFixed(0)}% of the window`);
        }
        if (Math.abs(second.stage.width - first.stage.width) >= 1 || Math.abs(second.stage.height - first.stage.height) >= 1) {
          faults.push(`${width}x${height}: the picture box changes from ${JSON.stringify(first.stage)} to ${JSON.stringify(second.stage)}`);
        }
      }
      assert.deepEqual(faults, []);
      await done();
    });
  }
}
