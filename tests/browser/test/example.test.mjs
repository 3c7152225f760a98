// The example slideshows shipped in appdata/Exemples: each is what Lumivue
// makes from its project with the current templates, and plays as it is,
// every slide with its picture, its caption and the header.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, describe, test } from 'node:test';
import { appData, collectErrors, generate, launchBrowser, makeAppDir, tempDir } from '../lib/harness.mjs';
import { readSlide } from '../lib/show.mjs';

const examples = path.join(appData, 'Exemples');
const projects = fs.readdirSync(examples).filter((f) => f.endsWith('.lmv'))
  .map((f) => path.basename(f, '.lmv'));

test('an example slideshow is shipped', () => assert.ok(projects.length > 0));

for (const name of projects) {
  // Project files are Windows-1252; the example's text stays within Latin-1.
  const lines = fs.readFileSync(path.join(examples, `${name}.lmv`), 'latin1').split('\r\n');
  const count = Number(lines[2].slice('NbSprite='.length));
  const header = lines[3].slice('Tag='.length);
  const captions = lines.slice(4, 4 + count);
  const pictures = captions.map((_, i) => ['.gif', '.jpg'].map((t) => `${name}${i}${t}`)
    .find((f) => fs.existsSync(path.join(examples, f))));

  describe(`example ${name}`, () => {
    let browser;
    before(async () => { browser = await launchBrowser(); });
    after(async () => { await browser?.close(); });

    test('holds six to ten slides, with GIF and JPEG pictures', () => {
      assert.ok(count >= 6 && count <= 10, `${count} slides`);
      assert.deepEqual(pictures.filter((p) => !p), [], 'every slide has its picture');
      assert.ok(pictures.some((p) => p.endsWith('.gif')) && pictures.some((p) => p.endsWith('.jpg')));
    });

    test('its page and script are what Lumivue makes of it now', async () => {
      const root = tempDir('lumivue-example-');
      try {
        makeAppDir(root);
        const folder = path.join(root, 'projet');
        fs.mkdirSync(folder);
        for (const f of [`${name}.lmv`, ...pictures.filter(Boolean)]) fs.copyFileSync(path.join(examples, f), path.join(folder, f));
        await generate(path.join(folder, `${name}.lmv`), root);
        for (const ext of ['.htm', '.js']) {
          assert.ok(fs.readFileSync(path.join(folder, name + ext)).equals(fs.readFileSync(path.join(examples, name + ext))),
            `${name}${ext} is out of date: run tools/make-content.sh`);
        }
      } finally {
        fs.rmSync(root, { recursive: true, force: true });
      }
    });

    test('plays every slide with its picture, caption and header', async () => {
      const page = await browser.newPage();
      const errors = collectErrors(page);
      await page.goto(pathToFileURL(path.join(examples, `${name}.htm`)).href);
      for (let i = 0; i < count; ++i) {
        if (i > 0) await page.keyboard.press('ArrowRight');
        const end = Date.now() + 20000;
        let got;
        do {
          got = await readSlide(page);
          if (got.position === `${i + 1} / ${count}` && got.file === pictures[i] && got.complete) break;
          await new Promise((r) => setTimeout(r, 25));
        } while (Date.now() < end);
        assert.equal(got.position, `${i + 1} / ${count}`);
        assert.equal(got.file, pictures[i]);
        assert.ok(got.naturalWidth > 0, `picture of slide ${i + 1} decoded`);
        assert.equal(got.caption.text, captions[i].replace(/<[^>]*>/g, ''));
        assert.equal(got.title, header);
      }
      assert.deepEqual(errors, []);
    });
  });
}
