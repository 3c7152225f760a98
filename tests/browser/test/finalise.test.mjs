// A finalised folder: the page is made on the way, the project file is gone,
// and the slideshow plays from what is left.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import { pathToFileURL } from 'node:url';
import { promisify } from 'node:util';
import { test } from 'node:test';
import { collectErrors, launchBrowser, makeAppDir, makeProject, tempDir } from '../lib/harness.mjs';
import { expectSlide, HEADER, NAME, SLIDES } from '../lib/show.mjs';

test('a finalised slideshow still plays', async () => {
  const root = tempDir('lumivue-finalise-');
  const project = makeProject(root, NAME, HEADER, SLIDES);
  const { stdout } = await promisify(execFile)(process.env.LUMIVUE_FINALISE,
    [project, makeAppDir(root)], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  assert.equal(stdout.trim(), 'ATTENTION|ALERTE', 'offered to make the page, then asked');
  assert.ok(!fs.readdirSync(`${root}/projet`).some((f) => /\.lmv$/i.test(f)), 'no project file left');
  const browser = await launchBrowser();
  const page = await browser.newPage();
  const errors = collectErrors(page);
  await page.goto(pathToFileURL(project.replace(/\.lmv$/, '.htm')).href);
  for (const [key, slide] of [[null, 0], ['ArrowRight', 1], ['ArrowRight', 2]]) {
    if (key) await page.keyboard.press(key);
    await expectSlide(page, slide);
  }
  assert.deepEqual(errors, []);
  await browser.close();
  fs.rmSync(root, { recursive: true, force: true });
});
