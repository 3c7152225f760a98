// The page when things go slowly or wrong, and in full screen: a slow
// picture, a missing one, a large show's thumbnail strip, the keys, the
// controls resting in full screen, and reduced motion.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  collectErrors, generate, launchBrowser, makeAppDir, makeProject, tempDir, until,
} from '../lib/harness.mjs';
import { expectSlide, HEADER, NAME, readSlide, SLIDES } from '../lib/show.mjs';

const MISSING = /\/(Essai_vignettes\/)?Essai1\.(gif|jpg)$/;

describe('slow, missing and many pictures; keys and full screen', () => {
  let root;
  let browser;
  const urls = {};
  const extraBrowsers = [];

  before(async () => {
    root = tempDir('lumivue-states-');
    makeAppDir(root, null);
    const make = async (label, slides, prepare) => {
      const folder = path.join(root, label);
      fs.mkdirSync(folder);
      const project = makeProject(folder, NAME, HEADER, slides);
      if (prepare) prepare(path.dirname(project));
      urls[label] = await generate(project, root);
    };
    await make('normal', SLIDES);
    // Slide 2's picture is gone before generation: no thumbnail either.
    await make('manque', SLIDES, (folder) => fs.rmSync(path.join(folder, `${NAME}1.gif`)));
    await make('grand', Array.from({ length: 200 }, (_, i) => ({
      picture: i % 2 ? 'photo2.jpg' : 'photo0.jpg', caption: `Photo ${i + 1}`,
    })));
    browser = await launchBrowser();
  });

  after(async () => {
    await browser?.close();
    for (const b of extraBrowsers) await b.close().catch(() => {});
    if (root) fs.rmSync(root, { recursive: true, force: true });
  });

  // A page clock moves only when the test says; it belongs to the whole
  // browser, so such a test gets a browser of its own.
  async function open(label, { clock = false, expectMissing = null } = {}) {
    let context = browser;
    if (clock) {
      context = await launchBrowser();
      extraBrowsers.push(context);
    }
    const page = await context.newPage();
    const errors = collectErrors(page, { expectMissing });
    if (clock) await page.clock.install({ time: new Date('2030-01-01T10:00:00Z') });
    return { page, errors, go: (suffix = '', options = {}) => page.goto(urls[label] + suffix, options) };
  }

  const control = (page, name) => page.locator('#Commandes').getByRole('button', { name, exact: true });
  const loading = (page) => page.getByRole('status').filter({ hasText: "Chargement de l'image\u2026" });

  test('a slow picture shows a loading sign after a moment, then the picture', async () => {
    const { page, errors, go } = await open('normal');
    let release;
    const held = new Promise((r) => { release = r; });
    await page.route(`**/${NAME}1.gif`, async (route) => { await held; await route.continue(); });
    // Preparing the held picture may hold the page's load event too.
    await go('', { waitUntil: 'domcontentloaded' });
    await expectSlide(page, 0);
    await page.evaluate(() => {
      const sign = document.querySelector('[role=status]');
      new MutationObserver(() => { if (!sign.hidden) window.__signe = performance.now(); }).observe(sign, { attributes: true });
      document.addEventListener('keydown', (ev) => { window.__touche = ev.timeStamp; });
    });
    await page.keyboard.press('ArrowRight');
    await loading(page).waitFor({ state: 'visible', timeout: 5000 });
    const after = await page.evaluate(() => window.__signe - window.__touche);
    assert.ok(after >= 300, `the sign waits a moment (${after.toFixed(0)} ms)`);
    assert.equal((await readSlide(page)).shown.length, 0, 'no half-loaded picture meanwhile');
    release();
    await expectSlide(page, 1);
    assert.equal(await loading(page).isVisible(), false);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('a missing picture shows a numbered placeholder in the stage and in the strip', async () => {
    const { page, errors, go } = await open('manque', { expectMissing: MISSING });
    await go('#2');
    const placeholder = page.locator('#Scene .lecteur-echec:not(.lecteur-sortante)');
    await placeholder.waitFor({ state: 'visible' });
    assert.equal(await placeholder.getAttribute('role'), 'img');
    assert.equal(await placeholder.getAttribute('aria-label'), "Diapo 2 sur 3. Cette image n'a pas pu \u00eatre affich\u00e9e.");
    // Without its file the slide's type is unknown to the project: the page names what it asked for.
    const file = await page.evaluate(() => RepImage + 1 + TypeImage[1]);
    assert.equal(await placeholder.innerText(), `2\nCette image n'a pas pu \u00eatre affich\u00e9e.\n${file}`);
    const got = await readSlide(page);
    assert.deepEqual(got.shown.map((s) => [s.tag, s.inside]), [['DIV', true]], 'the placeholder alone, inside the stage');
    assert.equal(got.position, '2 / 3');
    const tile = page.getByRole('button', { name: 'Aller \u00e0 la diapo 2' }).locator('.lecteur-vignette-manque');
    await tile.waitFor();
    assert.equal(await tile.textContent(), '2');
    await page.keyboard.press('ArrowRight');
    await expectSlide(page, 2);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the automatic run passes over a missing picture', async () => {
    const { page, errors, go } = await open('manque', { clock: true, expectMissing: MISSING });
    await go();
    await page.clock.pauseAt(new Date('2030-01-01T10:01:00Z'));
    await expectSlide(page, 0);
    await page.evaluate(() => {
      window.__vues = [];
      document.addEventListener('diaporama:affiche', (ev) => window.__vues.push(ev.detail.index));
    });
    await control(page, 'Lecture automatique').click();
    await page.clock.runFor(5100);
    await expectSlide(page, 2);
    assert.deepEqual(await page.evaluate(() => window.__vues), [2]);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the strip of a 200-slide show loads small thumbnails, and only near what is seen', async () => {
    const { page, errors, go } = await open('grand');
    const asked = [];
    page.on('request', (r) => asked.push(decodeURIComponent(new URL(r.url()).pathname).split('/').slice(-2).join('/')));
    await go();
    await until(page, () => window.Diaporama && window.Diaporama.estPrete(1), undefined, { what: 'first slides ready' });
    const loaded = () => until(page, () => {
      const strip = document.getElementById('Vignettes').getBoundingClientRect();
      const seen = [...document.querySelectorAll('.lecteur-vignette img')].filter((img) => {
        const r = img.getBoundingClientRect();
        return r.right > strip.left && r.left < strip.right;
      });
      return seen.length > 0 && seen.every((img) => img.complete && img.naturalWidth > 0) && seen.length;
    }, undefined, { what: 'visible thumbnails loaded' });
    const visible = await loaded();
    const thumbnails = () => asked.filter((f) => f.startsWith(`${NAME}_vignettes/`));
    const pictures = () => asked.filter((f) => !f.startsWith(`${NAME}_vignettes/`) && /\/Essai\d+\.(jpg|gif)$/.test(f))
      .map((f) => f.split('/')[1]);
    assert.ok(thumbnails().length >= visible && thumbnails().length < 60, `${thumbnails().length} thumbnails asked for at first`);
    await page.evaluate(() => { const s = document.getElementById('Vignettes'); s.scrollLeft = s.scrollWidth; });
    await until(page, () => document.querySelector('.lecteur-vignette[data-index="199"] img').naturalWidth > 0,
      undefined, { what: 'last thumbnail' });
    await loaded();
    assert.ok(thumbnails().length < 120, `${thumbnails().length} thumbnails asked for after scrolling to the end`);
    assert.deepEqual([...new Set(pictures())].sort(), [`${NAME}0.jpg`, `${NAME}1.jpg`, `${NAME}2.jpg`],
      'full pictures only for the slide shown and the two prepared');
    const sizes = await page.evaluate(() => [...document.querySelectorAll('.lecteur-vignette img')]
      .filter((img) => img.naturalWidth).map((img) => Math.max(img.naturalWidth, img.naturalHeight)));
    assert.ok(sizes.every((s) => s <= 320), 'thumbnails are small');
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('Space plays and pauses, F enters full screen and Escape leaves it', async () => {
    const { page, errors, go } = await open('normal');
    await go();
    await expectSlide(page, 0);
    await page.keyboard.press('Space');
    assert.equal(await control(page, 'Pause').count(), 1, 'playing');
    await page.keyboard.press('Space');
    assert.equal(await control(page, 'Lecture automatique').count(), 1, 'paused');
    assert.equal((await readSlide(page)).position, '1 / 3', 'Space does not move on');
    await page.keyboard.press('f');
    await until(page, () => document.fullscreenElement === document.documentElement, undefined, { what: 'full screen' });
    await page.keyboard.press('Escape');
    await until(page, () => document.fullscreenElement === null, undefined, { what: 'full screen left' });
    await page.keyboard.press('F');
    await until(page, () => document.fullscreenElement !== null, undefined, { what: 'full screen again' });
    await page.keyboard.press('F');
    await until(page, () => document.fullscreenElement === null, undefined, { what: 'F leaves too' });
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('in full screen the title, controls and strip fade after three quiet seconds', async () => {
    const { page, errors, go } = await open('normal', { clock: true });
    await go();
    await page.clock.pauseAt(new Date('2030-01-01T10:01:00Z'));
    await expectSlide(page, 0);
    const opacities = () => page.evaluate(() => ['Titre', 'Commandes', 'Vignettes']
      .map((id) => Number(getComputedStyle(document.getElementById(id)).opacity)));
    const settle = (value) => until(page, (v) => ['Titre', 'Commandes', 'Vignettes']
      .every((id) => Number(getComputedStyle(document.getElementById(id)).opacity) === v), value, { what: `opacity ${value}` });
    await page.keyboard.press('f');
    // The change of screen reaches the page with the next frame.
    await until(page, () => document.documentElement.classList.contains('lecteur-plein'), undefined, { what: 'full screen' });
    await page.clock.runFor(2800);
    assert.deepEqual(await opacities(), [1, 1, 1], 'still there before three seconds');
    await page.clock.runFor(400);
    await settle(0);
    await page.mouse.move(200, 200);
    await settle(1);
    await page.clock.runFor(3200);
    await settle(0);
    await page.keyboard.press('Shift');
    await settle(1);
    await page.keyboard.press('Escape');
    await until(page, () => document.fullscreenElement === null, undefined, { what: 'full screen left' });
    await page.clock.runFor(5000);
    assert.deepEqual(await opacities(), [1, 1, 1], 'outside full screen nothing fades');
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('slides cross-fade, unless the system asks for reduced motion', async () => {
    const { page, errors, go } = await open('normal');
    await go();
    await expectSlide(page, 0);
    const fading = () => page.evaluate(() => document.getAnimations()
      .filter((a) => a.effect && a.effect.target && a.effect.target.closest('#Scene') && 'opacity' in a.effect.getKeyframes()[0]).length);
    await until(page, () => document.getAnimations().length === 0, undefined, { what: 'first picture in' });
    await page.keyboard.press('ArrowRight');
    assert.equal(await fading(), 2, 'the old picture fades out as the new one fades in');
    await expectSlide(page, 1);
    await until(page, () => document.getAnimations().length === 0, undefined, { what: 'fade over' });
    await page.emulateMedia({ reducedMotion: 'reduce' });
    await page.keyboard.press('ArrowRight');
    assert.equal(await fading(), 0);
    assert.equal(await page.locator('#Scene .lecteur-sortante').count(), 0);
    await expectSlide(page, 2);
    assert.deepEqual(errors, []);
    await page.close();
  });
});
