#!/usr/bin/env node
// Makes the preview picture of every page design in appdata/Modeles (the
// design's name with ".png"), shown by the template chooser: a small sample
// slideshow is generated with each design by the lumivue binary, played in
// headless Chromium at a laptop's size, and the screen shot is reduced.
// Needs a build (LUMIVUE_BIN, default build/src/lumivue), the npm packages of
// tests/browser ("npm ci" there), Chromium and ImageMagick (convert).
//   node tools/make-previews.mjs [Design.htm ...]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { generate, launchBrowser, makeAppDir, makeProject, tempDir, until } from '../tests/browser/lib/harness.mjs';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const modeles = path.join(top, 'appdata', 'Modeles');
process.env.LUMIVUE_BIN ||= path.join(top, 'build', 'src', 'lumivue');
const designs = process.argv.length > 2 ? process.argv.slice(2)
  : fs.readdirSync(modeles).filter((f) => f.endsWith('.htm')).sort();
const VIEW = { width: 1280, height: 800 };
const PREVIEW = '320x200';

// Sample pictures drawn here, so that the previews can be made again
// anywhere: an evening over hills, a lake under mountains, a beach.
const root = tempDir('lumivue-previews-');
const draw = (name, args) => {
  const file = path.join(root, name);
  execFileSync('convert', [...args, '-strip', '-quality', '90', file]);
  return file;
};
const pictures = [
  draw('soir.jpg', ['-size', '1200x800', 'gradient:#23395d-#f4a259',
    '-fill', '#fff1c9', '-draw', 'circle 800,430 800,375',
    '-fill', '#4a3b57', '-draw', 'polygon 0,610 260,440 470,560 720,410 980,580 1200,470 1200,800 0,800',
    '-fill', '#231c2e', '-draw', 'polygon 0,700 310,610 620,690 910,600 1200,690 1200,800 0,800']),
  draw('lac.jpg', ['-size', '1200x800', 'gradient:#6fa8dc-#d9ecf7',
    '-fill', '#5b6f8a', '-draw', 'polygon 0,480 220,230 380,400 600,160 840,420 1000,280 1200,480',
    '-fill', '#ffffff', '-draw', 'polygon 560,210 600,160 640,215 610,205 585,225',
    '-fill', '#2f6b4f', '-draw', 'rectangle 0,470 1200,520',
    '-fill', '#3d85c6', '-draw', 'rectangle 0,520 1200,800']),
  draw('plage.jpg', ['-size', '1200x800', 'gradient:#8ecae6-#fefae0',
    '-fill', '#219ebc', '-draw', 'rectangle 0,430 1200,560',
    '-fill', '#f2d7a0', '-draw', 'polygon 0,540 1200,500 1200,800 0,800',
    '-fill', '#ffb703', '-draw', 'circle 250,160 250,110']),
];
const slides = [
  { picture: pictures[0], caption: 'Le soir tombe sur les collines' },
  { picture: pictures[1], caption: 'Le lac au pied des montagnes' },
  { picture: pictures[2], caption: 'Une journ\u00e9e \u00e0 la plage' },
];

const browser = await launchBrowser({ viewport: VIEW });
try {
  for (const design of designs) {
    const work = path.join(root, design);
    fs.mkdirSync(work);
    makeAppDir(work, path.join(modeles, design));
    const url = await generate(makeProject(work, 'Apercu', "Vacances d'\u00e9t\u00e9", slides), work);
    const page = await browser.newPage();
    await page.goto(url);
    await until(page, () => window.Diaporama && window.Diaporama.estPrete(0) && document.getAnimations().length === 0
      && [...document.querySelectorAll('.lecteur-vignette img')].every((i) => i.complete),
    undefined, { what: `${design} shown` });
    const shot = path.join(work, 'ecran.png');
    await page.screenshot({ path: shot });
    await page.close();
    const preview = path.join(modeles, design.replace(/\.htm$/i, '.png'));
    execFileSync('convert', [shot, '-resize', PREVIEW, '-strip', '-colors', '256', `PNG8:${preview}`]);
    console.log(`${path.relative(top, preview)}: ${fs.statSync(preview).size} bytes`);
  }
} finally {
  await browser.close();
  fs.rmSync(root, { recursive: true, force: true });
}
