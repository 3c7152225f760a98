// Every page design delivered with Lumivue, generated into a real slideshow
// and played through its buttons: header, position, captions and pictures;
// and the default project, played as it is shipped.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import {
  appData, collectErrors, generate, launchBrowser, makeAppDir, makeProject, tempDir,
} from '../lib/harness.mjs';
import { expectSlide, HEADER, HEADER_TEXT, NAME, SLIDES } from '../lib/show.mjs';

const modeles = path.join(appData, 'Modeles');
// The default page is one of these designs (checked below), so it is played
// as that design.
const templates = fs.readdirSync(modeles).filter((f) => f.endsWith('.htm')).sort()
  .map((f) => ({ label: `template ${f}`, page: path.join(modeles, f) }));

test('at least four page designs are delivered, Image.htm among them', () => {
  const names = templates.map((t) => path.basename(t.page));
  assert.ok(names.length >= 4, names.join(', '));
  const pages = names.map((n) => fs.readFileSync(path.join(modeles, n), 'latin1'));
  assert.equal(new Set(pages).size, pages.length, 'each design differs');
  assert.ok(pages.includes(fs.readFileSync(path.join(appData, 'Nouveau.htm'), 'latin1')),
    'the default page is one of the designs');
  assert.ok(names.includes('Image.htm'));
});

for (const template of templates) {
  describe(template.label, () => {
    let root;
    let url;
    let browser;

    before(async () => {
      root = tempDir('lumivue-browser-');
      makeAppDir(root, template.page);
      const project = makeProject(root, NAME, HEADER, SLIDES);
      url = await generate(project, root);
      browser = await launchBrowser();
    });

    after(async () => {
      await browser?.close();
      if (root) fs.rmSync(root, { recursive: true, force: true });
    });

    async function open(suffix = '') {
      const page = await browser.newPage();
      const errors = collectErrors(page);
      await page.goto(url + suffix);
      return { page, errors };
    }

    test('opens on slide 1 with the header, the position and the caption as HTML', async () => {
      const { page, errors } = await open();
      const first = await expectSlide(page, 0);
      assert.equal(first.title, HEADER_TEXT);
      assert.equal(await page.locator('#Titre i').textContent(), '\u00e9t\u00e9');
      assert.equal(first.documentTitle, HEADER_TEXT);
      assert.deepEqual(errors, []);
      await page.close();
    });

    test('the buttons walk through every slide and back', async () => {
      const { page, errors } = await open();
      await expectSlide(page, 0);
      const press = (name) => page.getByRole('button', { name, exact: true }).click();
      await press('Suivante');
      await expectSlide(page, 1);
      await press('Suivante');
      await expectSlide(page, 2);
      // Past the ends the buttons are marked unavailable and do nothing.
      const suivante = page.getByRole('button', { name: 'Suivante', exact: true });
      assert.equal(await suivante.getAttribute('aria-disabled'), 'true');
      await suivante.click({ force: true });
      await expectSlide(page, 2);
      await press('Pr\u00e9c\u00e9dente');
      await expectSlide(page, 1);
      await press('Premi\u00e8re');
      await expectSlide(page, 0);
      const precedente = page.getByRole('button', { name: 'Pr\u00e9c\u00e9dente', exact: true });
      assert.equal(await precedente.getAttribute('aria-disabled'), 'true');
      await precedente.click({ force: true });
      await expectSlide(page, 0);
      await press('Derni\u00e8re');
      await expectSlide(page, 2);
      assert.deepEqual(errors, []);
      await page.close();
    });

  });
}

test('the default project plays as it is, with the header and caption of its project file', async () => {
  const folder = tempDir('lumivue-default-');
  fs.cpSync(appData, folder, { recursive: true });
  const project = fs.readFileSync(path.join(appData, 'Nouveau.lmv'), 'latin1').split('\r\n');
  const text = (html) => html.replace(/<[^>]*>/g, '').replace(/\s+/g, ' ').trim();
  const browser = await launchBrowser();
  try {
    const page = await browser.newPage();
    // The default project has no thumbnails: its strip shows the picture.
    const errors = collectErrors(page, { expectMissing: /\/Nouveau_vignettes\/Nouveau0\.jpg$/ });
    await page.goto(pathToFileURL(path.join(folder, 'Nouveau.htm')).href);
    await page.waitForFunction(() => document.getElementById('diapo').naturalWidth > 0);
    const got = await page.evaluate(() => ({
      title: document.getElementById('Titre').textContent,
      position: document.getElementById('InfoDiaporama').textContent,
      caption: document.getElementById('InfoTexte').innerText,
      file: document.getElementById('diapo').src.split('/').pop(),
    }));
    await page.waitForFunction(() => document.querySelector('.lecteur-vignette img')?.naturalWidth > 0);
    assert.equal(await page.evaluate(() => document.querySelector('.lecteur-vignette img').src.split('/').pop()), 'Nouveau0.gif');
    // One slide: nothing to play.
    const play = page.locator('#Commandes').getByRole('button', { name: 'Lecture automatique', exact: true });
    assert.equal(await play.getAttribute('aria-disabled'), 'true');
    await page.keyboard.press('Space');
    assert.equal(await play.count(), 1, 'Space leaves it as it is');
    assert.deepEqual(got, {
      title: project[3].slice(4), position: '1 / 1', caption: got.caption, file: 'Nouveau0.gif',
    });
    assert.equal(text(got.caption.replace(/\u00a0/g, ' ')), text(project[4].replace(/<br>/g, ' ')));
    assert.deepEqual(errors, []);
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});
