// The page when things go slowly or wrong, and in full screen: a slow
// picture, a missing one, a large show's strip, the keys and the button of
// full screen, the controls resting in full screen, reduced motion.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { control, makeShow, pageOpener, tempDir, until } from '../lib/harness.mjs';
import { expectSlide, HEADER, NAME, readSlide, SLIDES } from '../lib/show.mjs';

describe('slow, missing and many pictures; keys and full screen', () => {
  let root;
  const urls = {};
  const pages = pageOpener();
  before(async () => {
    root = tempDir('lumivue-states-');
    urls.normal = await makeShow(path.join(root, 'normal'), null, HEADER, SLIDES);
    // Slide 2's picture is gone before generation: no thumbnail either.
    urls.manque = await makeShow(path.join(root, 'manque'), null, HEADER, SLIDES,
      (folder) => fs.rmSync(path.join(folder, `${NAME}1.gif`)));
    urls.grand = await makeShow(path.join(root, 'grand'), null, HEADER,
      Array.from({ length: 200 }, (_, i) => ({ picture: `photo${i % 2 ? 2 : 0}.jpg`, caption: `${i + 1}` })));
  });
  after(async () => {
    await pages.close();
    fs.rmSync(root, { recursive: true, force: true });
  });
  const fullScreen = (page, full, what) => until(page, (f) => !!document.fullscreenElement === f
    && document.querySelector('.lecteur-pleinEcran').getAttribute('aria-pressed') === String(f), full, { what });

  test('a slow picture: the slide at once with its thumbnail, a loading sign after a moment, then the picture', async () => {
    let release;
    const held = new Promise((r) => { release = r; });
    const { page, done } = await pages.open(urls.normal, { route: [`**/${NAME}1.gif`, async (r) => { await held; await r.continue(); }] });
    await expectSlide(page, 0);
    await page.evaluate(() => {
      new MutationObserver(() => { window.signe = performance.now(); }).observe(document.querySelector('[role=status]'), { attributes: true });
      document.addEventListener('keydown', (ev) => { window.touche = ev.timeStamp; });
    });
    await page.keyboard.press('ArrowRight');
    assert.equal((await readSlide(page)).position, '2 / 3', 'the slide changes at once');
    await page.getByRole('status').filter({ hasText: "Chargement de l'image\u2026" }).waitFor();
    assert.ok(await page.evaluate(() => window.signe - window.touche) >= 300, 'the sign waits a moment');
    const meanwhile = await readSlide(page);
    assert.deepEqual([meanwhile.shown.length, meanwhile.standIn], [0, [`${NAME}_vignettes/${NAME}1.jpg`]], 'its thumbnail stands in meanwhile');
    release();
    await expectSlide(page, 1);
    assert.equal(await page.getByRole('status').count(), 0);
    await done();
  });

  test('a missing picture shows a placeholder in the stage; the run passes over it', async () => {
    const { page, done } = await pages.open(urls.manque, { clock: true, expectMissing: /\/(Essai_vignettes\/)?Essai1\.(gif|jpg)$/ });
    await expectSlide(page, 0);
    await page.evaluate(() => { window.vues = []; document.addEventListener('diaporama:affiche', (e) => window.vues.push(e.detail.index)); });
    await control(page, 'Lecture automatique').click();
    await page.clock.runFor(5100);
    await expectSlide(page, 2);
    assert.deepEqual(await page.evaluate(() => window.vues), [2]);
    await page.keyboard.press('ArrowLeft');
    await page.getByRole('img', { name: "Diapo 2 sur 3. Cette image n'a pas pu \u00eatre affich\u00e9e." }).waitFor();
    assert.deepEqual((await readSlide(page)).shown.map((s) => [s.tag, s.inside]), [['DIV', true]]);
    await done();
  });

  test('the strip of a 200-slide show asks only for thumbnails near what is seen', async () => {
    const asked = [];
    const { page, done } = await pages.open(urls.grand, { asked });
    const seenLoaded = () => until(page, () => {
      const strip = document.getElementById('Vignettes').getBoundingClientRect();
      const seen = [...document.querySelectorAll('.lecteur-vignette img')].map((i) => [i, i.getBoundingClientRect()])
        .filter(([, r]) => r.right > strip.left && r.left < strip.right);
      return seen.length && seen.every(([i]) => i.naturalWidth > 0 && i.naturalWidth <= 320) && seen.length;
    }, undefined, { what: 'thumbnails in view' });
    const thumbnails = () => asked.filter((f) => f.startsWith(`${NAME}_vignettes/`)).length;
    const inView = await seenLoaded();
    assert.ok(thumbnails() >= inView && thumbnails() < 60, `${thumbnails()} thumbnails at first`);
    await page.evaluate(() => { const s = document.getElementById('Vignettes'); s.scrollLeft = s.scrollWidth; });
    await seenLoaded();
    assert.ok(thumbnails() < 120, `${thumbnails()} thumbnails after a jump to the end`);
    await until(page, () => window.Diaporama.estPrete(2), undefined, { what: 'next slides prepared' });
    const pictures = asked.filter((f) => /^projet\/Essai\d+\./.test(f)).map((f) => f.slice(7));
    assert.deepEqual([...new Set(pictures)].sort(), ['Essai0.jpg', 'Essai1.jpg', 'Essai2.jpg'],
      'full pictures only for the slide shown and the two prepared');
    await done();
  });

  test('Space plays and pauses; F, Escape and the button enter and leave full screen', async () => {
    const { page, done } = await pages.open(urls.normal);
    await expectSlide(page, 0);
    for (const name of ['Pause', 'Lecture automatique']) {
      await page.keyboard.press('Space');
      assert.equal(await control(page, name).count(), 1, name);
    }
    assert.equal((await readSlide(page)).position, '1 / 3', 'Space does not move on');
    for (const [key, full] of [['f', true], ['Escape', false], ['F', true], ['F', false], [null, true], [null, false]]) {
      await (key ? page.keyboard.press(key) : control(page, 'Plein \u00e9cran').click());
      await fullScreen(page, full, `${key ?? 'button'}: full screen ${full}`);
    }
    await done();
  });

  test('in full screen the title, controls and strip fade after three quiet seconds', async () => {
    const { page, done } = await pages.open(urls.normal, { clock: true });
    await expectSlide(page, 0);
    const settle = (v) => until(page, (o) => ['Titre', 'Commandes', 'Vignettes']
      .every((id) => getComputedStyle(document.getElementById(id)).opacity === o), String(v), { what: `opacity ${v}` });
    await page.keyboard.press('f');
    await fullScreen(page, true, 'full screen');
    await page.clock.runFor(2800);
    await settle(1);
    for (const wake of [() => page.mouse.move(200, 200), () => page.keyboard.press('Shift')]) {
      await page.clock.runFor(400);
      await settle(0);
      await wake();
      await settle(1);
      await page.clock.runFor(2800);
    }
    await page.keyboard.press('Escape');
    await fullScreen(page, false, 'full screen left');
    await page.clock.runFor(5000);
    await settle(1);
    await done();
  });

  test('slides cross-fade, unless the system asks for reduced motion', async () => {
    const { page, done } = await pages.open(urls.normal);
    const fades = () => page.evaluate(() => document.getAnimations().filter((a) => a.effect.target.closest('#Scene')).length);
    for (const [motion, slide, count] of [['no-preference', 1, 2], ['reduce', 2, 0]]) {
      await page.emulateMedia({ reducedMotion: motion });
      await until(page, () => document.getAnimations().length === 0, undefined, { what: 'still' });
      await page.keyboard.press('ArrowRight');
      assert.equal(await fades(), count, `${motion}: the old picture fades out as the new one fades in`);
      await expectSlide(page, slide);
    }
    await done();
  });
});
