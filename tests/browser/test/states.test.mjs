// The page when things go slowly or wrong, and in full screen: a slow
// picture, a missing one, a large show's strip, the keys, the controls
// resting in full screen, reduced motion.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { collectErrors, generate, launchBrowser, makeAppDir, makeProject, tempDir, until } from '../lib/harness.mjs';
import { expectSlide, HEADER, NAME, readSlide, SLIDES } from '../lib/show.mjs';

describe('slow, missing and many pictures; keys and full screen', () => {
  let root;
  const urls = {};
  const browsers = [];

  before(async () => {
    root = tempDir('lumivue-states-');
    makeAppDir(root, null);
    const shows = {
      normal: [SLIDES],
      // Slide 2's picture is gone before generation: no thumbnail either.
      manque: [SLIDES, (folder) => fs.rmSync(path.join(folder, `${NAME}1.gif`))],
      grand: [Array.from({ length: 200 }, (_, i) => ({ picture: `photo${i % 2 ? 2 : 0}.jpg`, caption: `${i + 1}` }))],
    };
    for (const [label, [slides, spoil]] of Object.entries(shows)) {
      fs.mkdirSync(path.join(root, label));
      const project = makeProject(path.join(root, label), NAME, HEADER, slides);
      spoil?.(path.dirname(project));
      urls[label] = await generate(project, root);
    }
    browsers.push(await launchBrowser());
  });

  after(async () => {
    for (const b of browsers) await b.close().catch(() => {});
    if (root) fs.rmSync(root, { recursive: true, force: true });
  });

  // A page clock belongs to the whole browser: such a page gets its own.
  async function open(label, { clock = false, expectMissing = null, route = null, asked = null } = {}) {
    if (clock) browsers.push(await launchBrowser());
    const page = await browsers[clock ? browsers.length - 1 : 0].newPage();
    const errors = collectErrors(page, { expectMissing });
    if (clock) await page.clock.install({ time: new Date('2030-01-01T10:00:00Z') });
    if (route) await page.route(...route);
    page.on('request', (r) => asked?.push(decodeURIComponent(r.url()).split('/').slice(-2).join('/')));
    // Preparing a held picture may hold the load event too.
    await page.goto(urls[label], { waitUntil: 'domcontentloaded' });
    if (clock) await page.clock.pauseAt(new Date('2030-01-01T10:01:00Z'));
    return { page, errors };
  }

  const control = (page, name) => page.locator('#Commandes').getByRole('button', { name, exact: true });
  const missing = /\/(Essai_vignettes\/)?Essai1\.(gif|jpg)$/;

  test('a slow picture shows a loading sign after a moment, then the picture', async () => {
    let release;
    const held = new Promise((r) => { release = r; });
    const { page, errors } = await open('normal', { route: [`**/${NAME}1.gif`, async (r) => { await held; await r.continue(); }] });
    await expectSlide(page, 0);
    await page.evaluate(() => {
      const sign = document.querySelector('[role=status]');
      new MutationObserver(() => { window.signe = performance.now(); }).observe(sign, { attributes: true });
      document.addEventListener('keydown', (ev) => { window.touche = ev.timeStamp; });
    });
    await page.keyboard.press('ArrowRight');
    await page.getByRole('status').filter({ hasText: "Chargement de l'image\u2026" }).waitFor();
    assert.ok(await page.evaluate(() => window.signe - window.touche) >= 300, 'the sign waits a moment');
    assert.equal((await readSlide(page)).shown.length, 0, 'no half-loaded picture meanwhile');
    release();
    await expectSlide(page, 1);
    assert.equal(await page.getByRole('status').count(), 0);
    assert.deepEqual(errors, []);
  });

  test('a missing picture shows a numbered placeholder in the stage and in the strip; the run passes over it', async () => {
    const { page, errors } = await open('manque', { clock: true, expectMissing: missing });
    await expectSlide(page, 0);
    await page.evaluate(() => { window.vues = []; document.addEventListener('diaporama:affiche', (e) => window.vues.push(e.detail.index)); });
    await control(page, 'Lecture automatique').click();
    await page.clock.runFor(5100);
    await expectSlide(page, 2);
    assert.deepEqual(await page.evaluate(() => window.vues), [2]);
    await page.keyboard.press('ArrowLeft');
    const placeholder = page.getByRole('img', { name: "Diapo 2 sur 3. Cette image n'a pas pu \u00eatre affich\u00e9e." });
    // Without its file the slide's type is unknown to the project: the page names what it asked for.
    const file = await page.evaluate(() => RepImage + 1 + TypeImage[1]);
    assert.equal(await placeholder.innerText(), `2\nCette image n'a pas pu \u00eatre affich\u00e9e.\n${file}`);
    assert.deepEqual((await readSlide(page)).shown.map((s) => [s.tag, s.inside]), [['DIV', true]]);
    const tile = page.getByRole('button', { name: 'Aller \u00e0 la diapo 2' }).locator('.lecteur-vignette-manque');
    assert.equal(await tile.textContent(), '2');
    assert.deepEqual(errors, []);
  });

  test('the strip of a 200-slide show loads small thumbnails near what is seen', async () => {
    const asked = [];
    const { page, errors } = await open('grand', { asked });
    const seenLoaded = () => until(page, () => {
      const strip = document.getElementById('Vignettes').getBoundingClientRect();
      const seen = [...document.querySelectorAll('.lecteur-vignette img')]
        .filter((i) => i.getBoundingClientRect().right > strip.left && i.getBoundingClientRect().left < strip.right);
      return seen.length && seen.every((i) => i.naturalWidth > 0 && i.naturalWidth <= 320) && seen.length;
    }, undefined, { what: 'thumbnails in view' });
    const inView = await seenLoaded();
    const thumbnails = () => asked.filter((f) => f.startsWith(`${NAME}_vignettes/`)).length;
    assert.ok(thumbnails() >= inView && thumbnails() < 60, `${thumbnails()} thumbnails at first`);
    await page.evaluate(() => { const s = document.getElementById('Vignettes'); s.scrollLeft = s.scrollWidth; });
    await seenLoaded();
    assert.ok(thumbnails() < 120, `${thumbnails()} thumbnails after a jump to the end`);
    await until(page, () => window.Diaporama.estPrete(2), undefined, { what: 'next slides prepared' });
    const pictures = asked.filter((f) => /^projet\/Essai\d+\./.test(f)).map((f) => f.slice(7));
    assert.deepEqual([...new Set(pictures)].sort(), ['Essai0.jpg', 'Essai1.jpg', 'Essai2.jpg'],
      'full pictures only for the slide shown and the two prepared');
    assert.deepEqual(errors, []);
  });

  test('Space plays and pauses, F enters full screen and Escape leaves it', async () => {
    const { page, errors } = await open('normal');
    await expectSlide(page, 0);
    for (const [key, name] of [['Space', 'Pause'], ['Space', 'Lecture automatique']]) {
      await page.keyboard.press(key);
      assert.equal(await control(page, name).count(), 1, name);
    }
    assert.equal((await readSlide(page)).position, '1 / 3', 'Space does not move on');
    for (const [key, full] of [['f', true], ['Escape', false], ['F', true], ['F', false]]) {
      await page.keyboard.press(key);
      await until(page, (f) => !!document.fullscreenElement === f, full, { what: `${key}: full screen ${full}` });
    }
    assert.deepEqual(errors, []);
  });

  test('in full screen the title, controls and strip fade after three quiet seconds', async () => {
    const { page, errors } = await open('normal', { clock: true });
    await expectSlide(page, 0);
    const settle = (v) => until(page, (o) => ['Titre', 'Commandes', 'Vignettes']
      .every((id) => getComputedStyle(document.getElementById(id)).opacity === o), String(v), { what: `opacity ${v}` });
    await page.keyboard.press('f');
    // The change of screen reaches the page with the next frame.
    await until(page, () => document.documentElement.classList.contains('lecteur-plein'), undefined, { what: 'full screen' });
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
    await until(page, () => !document.fullscreenElement, undefined, { what: 'full screen left' });
    await page.clock.runFor(5000);
    await settle(1);
    assert.deepEqual(errors, []);
  });

  test('slides cross-fade, unless the system asks for reduced motion', async () => {
    const { page, errors } = await open('normal');
    const fades = () => page.evaluate(() => document.getAnimations().filter((a) => a.effect.target.closest('#Scene')).length);
    for (const [motion, slide, count] of [['no-preference', 1, 2], ['reduce', 2, 0]]) {
      await page.emulateMedia({ reducedMotion: motion });
      await until(page, () => document.getAnimations().length === 0, undefined, { what: 'still' });
      await page.keyboard.press('ArrowRight');
      assert.equal(await fades(), count, `${motion}: the old picture fades out as the new one fades in`);
      await expectSlide(page, slide);
    }
    assert.deepEqual(errors, []);
  });
});
