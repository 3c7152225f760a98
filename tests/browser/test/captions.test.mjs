// On every page design black, white and grey captions read (by their colour or their halo) and missing
// faces fall back to their kind; on the default design the welcome caption reads by its colour alone.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, test } from 'node:test';
import { appData, makeShow, pageOpener, tempDir, until } from '../lib/harness.mjs';

const [modeles, pages, root] = [path.join(appData, 'Modeles'), pageOpener(), tempDir('lumivue-captions-')];
after(async () => { await pages.close(); fs.rmSync(root, { recursive: true, force: true }); });
const FACES = [['MS Sans Serif', 'sans-serif'], ['Courier Inexistant', 'monospace'], ['Garamond Inexistant', 'serif']];
const font = (face, colour) => `<font face='${face}' size='3' color='${colour}'>${face} ${colour}</font>`;
const CAPTION = ['#000000', '#FFFFFF', '#808080'].map((c) => font('DejaVu Sans', c)).concat(FACES.map(([f]) => font(f, '#808080')))
  .join(' ') + '<br>' + fs.readFileSync(path.join(appData, 'Nouveau.lmv'), 'latin1').split('\r\n')[4];

// The caption's background: the background colours of its box and its ancestors laid over
// each other, over black and over white where the box lies over the picture.
function measure() {
  const rgb = (s) => (s.match(/rgba?\([^)]*\)/g) || []).map((c) => c.match(/[\d.]+/g).map(Number));
  const lum = (c) => c.slice(0, 3).map((v) => (v / 255 <= 0.04045 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4))
    .reduce((s, v, i) => s + v * [0.2126, 0.7152, 0.0722][i], 0);
  const contrast = (a, b) => (Math.max(lum(a), lum(b)) + 0.05) / (Math.min(lum(a), lum(b)) + 0.05);
  const [box, scene] = [document.getElementById('InfoTexte'), document.getElementById('Scene')];
  const overPicture = ((r, s) => r.top < s.bottom && r.bottom > s.top && r.left < s.right && r.right > s.left)(
    box.getBoundingClientRect(), scene.getBoundingClientRect());
  const layers = [];
  for (let e = box; e && !(overPicture && e.contains(scene)); e = e.parentElement) layers.unshift(...rgb(getComputedStyle(e).backgroundColor));
  const grounds = (overPicture ? [[0, 0, 0], [255, 255, 255]] : [[255, 255, 255]])
    .map((g) => layers.reduce((u, c) => u.map((v, i) => c[i] * (c[3] ?? 1) + v * (1 - (c[3] ?? 1))), g));
  return {
    declared: document.querySelector('meta[name="lumivue-caption-background"]')?.content,
    painted: grounds.reduce((a, g) => (lum(g) > lum(a) ? g : a)),
    runs: Array.from(box.querySelectorAll('font'), (e) => {
      const cs = getComputedStyle(e), [text] = rgb(cs.color), halo = rgb(cs.textShadow), worst = (f) => Math.min(...grounds.map(f));
      return { colour: e.getAttribute('color'), family: cs.fontFamily.split(',').slice(0, 2).map((f) => f.trim().replace(/"/g, '')),
        alone: worst((g) => contrast(text, g)),
        haloed: worst((g) => Math.max(contrast(text, g), ...halo.map((h) => Math.min(contrast(h, g), contrast(h, text))))) };
    }),
  };
}

for (const design of fs.readdirSync(modeles).filter((f) => f.endsWith('.htm'))) {
  test(`${design}: every caption colour reads, missing faces fall back to their kind`, async () => {
    const page = path.join(modeles, design);
    const shown = await pages.open(await makeShow(path.join(root, design), page, 'Couleurs', [{ picture: 'photo0.jpg', caption: CAPTION }]));
    await until(shown.page, () => window.Diaporama && document.querySelector('#InfoTexte font'), null, { what: 'caption' });
    const got = await shown.page.evaluate(measure);
    await shown.done();
    const declared = (got.declared ?? '').match(/[\da-f]{2}/gi)?.map((h) => parseInt(h, 16));
    assert.ok(declared?.every((v, i) => Math.abs(v - got.painted[i]) <= 3), `declares ${got.declared}, paints ${got.painted}`);
    for (const run of got.runs) assert.ok(run.haloed >= 3, `${run.colour}: ${run.haloed.toFixed(2)} : 1`);
    assert.deepEqual(got.runs.slice(3, 6).map((r) => r.family), FACES);
    if (fs.readFileSync(page).equals(fs.readFileSync(path.join(appData, 'Nouveau.htm')))) for (const run of got.runs.slice(6))
      assert.ok(run.alone >= 4.5, `welcome ${run.colour}: ${run.alone.toFixed(2)} : 1`);
  });
}
