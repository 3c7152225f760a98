// Every page design delivered with Lumivue, generated into a real slideshow
// and played through its buttons; and the default project, played as it is
// shipped.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { appData, control, makeShow, pageOpener, tempDir } from '../lib/harness.mjs';
import { expectSlide, HEADER, HEADER_TEXT, SLIDES } from '../lib/show.mjs';

const modeles = path.join(appData, 'Modeles');
const designs = fs.readdirSync(modeles).filter((f) => f.endsWith('.htm')).sort();
const pages = pageOpener();
const root = tempDir('lumivue-templates-');
after(async () => { await pages.close(); fs.rmSync(root, { recursive: true, force: true }); });

test('at least four page designs are delivered, the default page among them', () => {
  assert.ok(designs.length >= 4 && designs.includes('Image.htm'), designs.join(', '));
  const page = (file) => fs.readFileSync(file, 'latin1');
  assert.ok(designs.some((d) => page(path.join(modeles, d)) === page(path.join(appData, 'Nouveau.htm'))));
});

for (const design of designs) {
  test(`${design}: the header, and the buttons walk through every slide and back`, async () => {
    const { page, done } = await pages.open(await makeShow(path.join(root, design), path.join(modeles, design), HEADER, SLIDES));
    const first = await expectSlide(page, 0);
    assert.deepEqual([first.title, first.documentTitle], [HEADER_TEXT, HEADER_TEXT]);
    assert.equal(await page.locator('#Titre i').textContent(), '\u00e9t\u00e9');
    const button = (name) => page.getByRole('button', { name, exact: true });
    // Past the ends the buttons are marked unavailable and do nothing.
    for (const [name, slide, stuck] of [['Suivante', 1], ['Suivante', 2], ['Suivante', 2, true], ['Pr\u00e9c\u00e9dente', 1],
      ['Premi\u00e8re', 0], ['Pr\u00e9c\u00e9dente', 0, true], ['Derni\u00e8re', 2]]) {
      if (stuck) assert.equal(await button(name).getAttribute('aria-disabled'), 'true', name);
      await button(name).click({ force: true });
      await expectSlide(page, slide);
    }
    await done();
  });
}

test('the default project plays as it is, with the header and caption of its project file', async () => {
  const folder = path.join(root, 'defaut');
  fs.cpSync(appData, folder, { recursive: true });
  const project = fs.readFileSync(path.join(appData, 'Nouveau.lmv'), 'latin1').split('\r\n');
  const text = (html) => html.replace(/<br>/g, ' ').replace(/<[^>]*>/g, '').replace(/\u00a0/g, ' ').replace(/\s+/g, ' ').trim();
  // The default project has no thumbnails: its strip shows the picture.
  const { page, done } = await pages.open(pathToFileURL(path.join(folder, 'Nouveau.htm')).href,
    { expectMissing: /\/Nouveau_vignettes\/Nouveau0\.jpg$/ });
  await page.waitForFunction(() => document.getElementById('diapo').naturalWidth > 0
    && document.querySelector('.lecteur-vignette img')?.naturalWidth > 0);
  const got = await page.evaluate(() => {
    const q = (s) => document.querySelector(s);
    return [q('#Titre').textContent, q('#InfoDiaporama').textContent, q('#InfoTexte').innerText,
      q('#diapo').src.split('/').pop(), q('.lecteur-vignette img').src.split('/').pop()];
  });
  got[2] = text(got[2]);
  assert.deepEqual(got, [project[3].slice(4), '1 / 1', text(project[4]), 'Nouveau0.gif', 'Nouveau0.gif']);
  // One slide: nothing to play, and Space leaves it so.
  const play = control(page, 'Lecture automatique');
  assert.equal(await play.getAttribute('aria-disabled'), 'true');
  await page.keyboard.press('Space');
  assert.equal(await play.count(), 1);
  await done();
});
