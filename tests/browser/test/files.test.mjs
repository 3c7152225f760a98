// The page and script templates as files: the line layout generation relies
// on, the encoding, the pristine copies, and the default project's own page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { test } from 'node:test';
import { appData, collectErrors, launchBrowser, tempDir } from '../lib/harness.mjs';

const read = (rel) => fs.readFileSync(path.join(appData, rel));
const lines = (bytes) => bytes.toString('latin1').split('\r\n');
const pages = ['Nouveau.htm', 'Restaurer/Nouveau.htm',
  ...fs.readdirSync(path.join(appData, 'Modeles')).filter((f) => f.endsWith('.htm')).map((f) => `Modeles/${f}`)];

function checkText(rel) {
  const bytes = read(rel);
  assert.ok(bytes.every((b) => b < 0x80), `${rel}: ASCII only, so that no code page matters`);
  const text = bytes.toString('latin1');
  assert.ok(text.endsWith('\r\n'), `${rel}: last line ended`);
  assert.equal(text.replace(/\r\n/g, '').search(/[\r\n]/), -1, `${rel}: CR LF line ends only`);
  return lines(bytes);
}

test('every page template references its script on line 10 and holds the four elements', () => {
  for (const rel of pages) {
    const l = checkText(rel);
    assert.ok(l.length >= 12, rel);
    assert.equal(l[9], '<script language="JavaScript" type="text/JavaScript" src="Nouveau.js">', `${rel} line 10`);
    assert.equal(l[10], '</script>', `${rel} line 11`);
    assert.ok(l.slice(0, 9).includes('<meta charset="windows-1252">'), `${rel}: code page declared before the script`);
    const all = l.join('\n');
    for (const id of ['diapo', 'InfoDiaporama', 'InfoTexte', 'Titre']) {
      assert.equal(all.split(`id="${id}"`).length - 1, 1, `${rel}: one element "${id}"`);
    }
    assert.match(all, /url\(imgFond\.jpg\)/, `${rel}: shows the slideshow's background`);
  }
});

test('the script template keeps its data and first display where generation puts them', () => {
  const l = checkText('Nouveau.js');
  assert.match(l[0] + l[1] + l[2] + l[3] + l[4] + l[5], /var Info\s*=.*var TypeImage\s*=/s, 'arrays declared on lines 1 to 6');
  assert.match(l[6], /^var RepImage=/);
  assert.match(l[7], /^var NBSprite=/);
  assert.match(l[8], /^Info\[0\]=/);
  assert.match(l[9], /^TypeImage\[0\]=/);
  for (const [n, id] of [[12, 'diapo'], [13, 'InfoDiaporama'], [14, 'InfoTexte'], [15, 'Titre']]) {
    assert.ok(l[n].startsWith(`document.getElementById("${id}")`), `line ${n + 1}`);
  }
});

test('the pristine copies match the application folder and Image.htm names its frame picture', () => {
  assert.deepEqual(read('Restaurer/Nouveau.htm'), read('Nouveau.htm'));
  assert.deepEqual(read('Restaurer/Nouveau.js'), read('Nouveau.js'));
  assert.deepEqual(read('Modeles/imgFondTable.jpg'), read('imgFondTable.jpg'));
  assert.match(read('Modeles/Image.htm').toString('latin1'), /background=imgFondTable\.jpg/i);
});

test('the default project plays as it is, with the header and caption of its project file', async () => {
  const folder = tempDir('lumivue-default-');
  fs.cpSync(appData, folder, { recursive: true });
  const project = lines(read('Nouveau.lmv'));
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
    assert.equal(got.title, project[3].slice(4));
    assert.equal(got.position, '1 / 1');
    assert.equal(got.file, 'Nouveau0.gif');
    assert.equal(text(got.caption.replace(/\u00a0/g, ' ')), text(project[4].replace(/<br>/g, ' ')));
    assert.deepEqual(errors, []);
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});
