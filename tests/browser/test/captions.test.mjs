// Captions as the audience sees them, on every page design delivered: a
// black, a white and a mid-grey caption all read against the caption's
// background (by their own colour or by their halo), and a face the machine
// lacks shows in the generic family its name suggests.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, test } from 'node:test';
import { appData, makeShow, pageOpener, tempDir, until } from '../lib/harness.mjs';

const modeles = path.join(appData, 'Modeles');
const designs = fs.readdirSync(modeles).filter((f) => f.endsWith('.htm')).sort();
const pages = pageOpener();
const root = tempDir('lumivue-captions-');
after(async () => { await pages.close(); fs.rmSync(root, { recursive: true, force: true }); });

const COLOURS = ['#000000', '#FFFFFF', '#808080'];
const FACES = [['Police Inexistante Sans', 'sans-serif'], ['MS Sans Serif', 'sans-serif'],
  ['Courier Inexistant', 'monospace'], ['Garamond Inexistant', 'serif']];
const CAPTION = COLOURS.map((c) => `<font face='DejaVu Sans' size='3' color='${c}'>Texte ${c}</font>`).join(' ')
  + '<br>' + FACES.map(([f]) => `<font face='${f}' size='3' color='#808080'>Wm.il ${f}</font>`).join(' ');

// Everything is measured in the page from computed styles.
function measure([colours, faces]) {
  const rgb = (s) => (s.match(/rgba?\([^)]*\)/g) || []).map((c) => c.match(/[\d.]+/g).map(Number));
  const lum = (c) => c.slice(0, 3).map((v) => { v /= 255; return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4; })
    .reduce((s, v, i) => s + v * [0.2126, 0.7152, 0.0722][i], 0);
  const contrast = (a, b) => { const x = lum(a), y = lum(b); return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05); };
  const box = document.getElementById('InfoTexte');
  const scene = document.getElementById('Scene');
  // The caption's background: the background colours of its box and its
  // ancestors laid over each other. A box lying over the picture has the
  // picture beneath its own layers: anything from black to white.
  const overlaps = (a, b) => a.top < b.bottom && a.bottom > b.top && a.left < b.right && a.right > b.left;
  const overPicture = overlaps(box.getBoundingClientRect(), scene.getBoundingClientRect());
  const layers = [];
  for (let e = box; e && !(overPicture && e.contains(scene)); e = e.parentElement) {
    const c = rgb(getComputedStyle(e).backgroundColor)[0];
    if (c && (c[3] ?? 1) > 0) layers.unshift(c);
  }
  const grounds = (overPicture ? [[0, 0, 0], [255, 255, 255]] : [[255, 255, 255]]).map((g) => layers.reduce(
    (under, c) => under.map((v, i) => c[i] * (c[3] ?? 1) + v * (1 - (c[3] ?? 1))), g));
  const declared = document.querySelector('meta[name="lumivue-caption-background"]')?.content;
  const runs = colours.map((colour) => {
    const e = box.querySelector(`font[color="${colour}"]`);
    const cs = getComputedStyle(e);
    const text = rgb(cs.color)[0];
    const halo = rgb(cs.textShadow);
    return {
      colour,
      worst: Math.min(...grounds.map((g) => Math.max(contrast(text, g),
        halo.length ? Math.min(...halo.map((h) => Math.min(contrast(h, g), contrast(h, text)))) : 0))),
    };
  });
  const fallbacks = faces.map(([face]) => {
    const e = box.querySelector(`font[face="${face}"]`);
    const chain = getComputedStyle(e).fontFamily.split(',').map((f) => f.trim().replace(/^"|"$/g, ''));
    // Side by side on one line: the caption's run and the same text in the generic family.
    const line = document.createElement('div');
    line.style.cssText = 'position:absolute;white-space:nowrap';
    const twin = document.createElement('span');
    twin.style.font = getComputedStyle(e).font;
    twin.style.fontFamily = chain[1];
    twin.textContent = e.textContent;
    line.append(e.cloneNode(true), twin);
    box.appendChild(line);
    const widths = Array.from(line.children, (c) => c.getBoundingClientRect().width);
    line.remove();
    return { face, chain: chain.slice(0, 2), widths, sameWidth: Math.abs(widths[0] - widths[1]) < 0.5 };
  });
  const lightest = grounds.reduce((a, g) => (lum(g) > lum(a) ? g : a));
  return { runs, faces: fallbacks, declared, painted: '#' + lightest.map((v) => Math.round(v).toString(16).padStart(2, '0')).join('') };
}

for (const design of designs) {
  test(`${design}: every caption colour reads, unknown faces fall back to their kind`, async () => {
    const url = await makeShow(path.join(root, design), path.join(modeles, design), 'Couleurs',
      [{ picture: 'photo0.jpg', caption: CAPTION }]);
    const { page, done } = await pages.open(url);
    await until(page, () => window.Diaporama && document.querySelector('#InfoTexte font[face]'), null, { what: 'caption' });
    const got = await page.evaluate(measure, [COLOURS, FACES]);
    for (const run of got.runs) assert.ok(run.worst >= 3, `${run.colour}: ${run.worst.toFixed(2)} : 1`);
    // The page declares the background it paints, the lightest one over a picture.
    const near = (a, b) => [1, 3, 5].every((i) => Math.abs(parseInt(a.slice(i, i + 2), 16) - parseInt(b.slice(i, i + 2), 16)) <= 3);
    assert.ok(got.declared && near(got.declared, got.painted), `${got.declared} vs ${got.painted}`);
    for (const [i, [face, generic]] of FACES.entries()) {
      assert.deepEqual(got.faces[i].chain, [face, generic]);
      assert.ok(got.faces[i].sameWidth, `${face} shows in ${generic}: ${got.faces[i].widths}`);
    }
    await done();
  });
}
