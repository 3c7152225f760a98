// The player's behaviour on the default page: controls, keyboard details,
// thumbnails, announcements, automatic run, screen wake, sound, swipes,
// preloading, fitting and the address.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';
import {
  collectErrors, generate, launchBrowser, makeAppDir, makeProject, tempDir, until,
} from '../lib/harness.mjs';
import { expectSlide, HEADER, NAME, readSlide, SLIDES } from '../lib/show.mjs';

// Records what the page asks of the wake lock and of sound playing.
function spies() {
  window.__journal = [];
  const log = (what) => window.__journal.push(what);
  Object.defineProperty(navigator, 'wakeLock', {
    configurable: true,
    value: {
      request: async (type) => {
        log(`request ${type}`);
        const sentinel = new EventTarget();
        sentinel.release = async () => { log('release'); sentinel.dispatchEvent(new Event('release')); };
        return sentinel;
      },
    },
  });
  let visibility = 'visible';
  Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => visibility });
  window.__setVisibility = (v) => { visibility = v; document.dispatchEvent(new Event('visibilitychange')); };
  HTMLMediaElement.prototype.play = function () {
    log(`play ${decodeURIComponent(this.src).split('/').pop()}`);
    return Promise.resolve();
  };
}

describe('player on the default page', () => {
  let root;
  let url;
  let browser;
  const extraBrowsers = [];

  before(async () => {
    root = tempDir('lumivue-player-');
    makeAppDir(root, null);
    url = await generate(makeProject(root, NAME, HEADER, SLIDES), root);
    browser = await launchBrowser({ hasTouch: true });
  });

  after(async () => {
    await browser?.close();
    for (const b of extraBrowsers) await b.close().catch(() => {});
    if (root) fs.rmSync(root, { recursive: true, force: true });
  });

  // The page clock belongs to the whole browser context: a test that fakes
  // it gets a browser of its own.
  async function open(suffix = '', { clock = false } = {}) {
    let page;
    if (clock) {
      const own = await launchBrowser();
      extraBrowsers.push(own);
      page = await own.newPage();
    } else {
      page = await browser.newPage();
    }
    const errors = collectErrors(page);
    await page.addInitScript(spies);
    // A page clock that moves only when the test says, from a minute in.
    if (clock) await page.clock.install({ time: new Date('2030-01-01T10:00:00Z') });
    await page.goto(url + suffix);
    if (clock) await page.clock.pauseAt(new Date('2030-01-01T10:01:00Z'));
    return { page, errors };
  }

  const journal = (page) => page.evaluate(() => window.__journal.slice());
  const button = (page, name) => page.locator('#Commandes').getByRole('button', { name, exact: true });

  test('the keyboard walks through every slide and back', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    const steps = [
      ['ArrowRight', 1], ['ArrowRight', 2], ['ArrowRight', 2], ['ArrowLeft', 1], ['Home', 0],
      ['ArrowLeft', 0], ['End', 2], ['ArrowUp', 1], ['ArrowUp', 0], ['ArrowDown', 1],
      ['PageDown', 2], ['PageUp', 1], ['ArrowDown', 2],
    ];
    for (const [key, slide] of steps) {
      await page.keyboard.press(key);
      await expectSlide(page, slide);
    }
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('every control is named in French and the interval select is labelled', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    const names = await page.locator('#Commandes button').evaluateAll((bs) => bs.map((b) => b.textContent.trim()));
    assert.deepEqual(names, ['Premi\u00e8re', 'Pr\u00e9c\u00e9dente', 'Lecture automatique', 'Suivante',
      'Derni\u00e8re', 'Son', 'Vignettes', 'Plein \u00e9cran']);
    const pressed = {};
    for (const name of ['Son', 'Vignettes', 'Plein \u00e9cran']) {
      pressed[name] = await button(page, name).getAttribute('aria-pressed');
    }
    assert.deepEqual(pressed, { Son: 'false', Vignettes: 'true', 'Plein \u00e9cran': 'false' });
    await page.getByLabel('Intervalle').selectOption('3');
    assert.equal(await page.getByRole('button', { name: 'Aller \u00e0 la diapo 3' }).count(), 1);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the space bar on a focused button presses that button only', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    await button(page, 'Suivante').focus();
    await page.keyboard.press('Space');
    await expectSlide(page, 1);
    await page.keyboard.press('Enter');
    await expectSlide(page, 2);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('thumbnails jump to a slide, keep focus on the strip and can be hidden', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    await page.getByRole('button', { name: 'Aller \u00e0 la diapo 3' }).click();
    await expectSlide(page, 2);
    assert.equal(await page.locator('.lecteur-vignette[aria-current=true]').getAttribute('aria-label'),
      'Aller \u00e0 la diapo 3');
    await page.keyboard.press('ArrowLeft');
    await expectSlide(page, 1);
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')),
      'Aller \u00e0 la diapo 2', 'focus follows the slide along the strip');
    assert.equal(await page.locator('.lecteur-vignette[tabindex="0"]').count(), 1, 'one thumbnail in the tab order');

    await button(page, 'Vignettes').click();
    assert.equal(await button(page, 'Vignettes').getAttribute('aria-pressed'), 'false');
    assert.equal(await page.locator('#Vignettes').isVisible(), false);
    await expectSlide(page, 1); // the picture takes the room the strip gave
    await button(page, 'Vignettes').click();
    assert.equal(await page.locator('#Vignettes').isVisible(), true);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the position and the caption are announced politely', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    await page.keyboard.press('ArrowRight');
    await expectSlide(page, 1);
    const live = page.locator('[aria-live=polite]');
    assert.equal(await live.count(), 1);
    assert.equal(await live.textContent(), 'Diapo 2 sur 3. Chemin C:\\Users\\photos\\nouveau deuxi\u00e8me ligne');
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the automatic run resumes where it was paused and keeps the screen awake meanwhile', async () => {
    const { page, errors } = await open('', { clock: true });
    await expectSlide(page, 0);
    await page.getByLabel('Intervalle').selectOption('5');
    // A bar under the picture shows how far the countdown is, only while it runs.
    const bar = () => page.evaluate(() => {
      const b = document.querySelector('#Scene .lecteur-progression');
      const picture = [...document.querySelectorAll('#Scene > .vue')].find((e) => !e.hidden);
      return { shown: !b.hidden, underPicture: Math.abs(b.offsetWidth - picture.offsetWidth) <= 1 };
    });
    assert.deepEqual(await bar(), { shown: false, underPicture: false });
    await button(page, 'Lecture automatique').click();
    assert.deepEqual(await bar(), { shown: true, underPicture: true });
    // While it runs the button offers the pause, by its label and its tooltip.
    assert.equal(await button(page, 'Pause').getAttribute('title'), 'Pause');
    await page.clock.runFor(3000);
    assert.equal((await readSlide(page)).position, '1 / 3');
    await button(page, 'Pause').click(); // pause after 3 of 5 seconds
    assert.equal(await button(page, 'Lecture automatique').getAttribute('title'), 'Lecture automatique');
    await page.clock.runFor(60000);
    assert.equal((await readSlide(page)).position, '1 / 3', 'nothing moves while paused');
    await button(page, 'Lecture automatique').click();
    await page.clock.runFor(1800);
    assert.equal((await readSlide(page)).position, '1 / 3');
    await page.clock.runFor(400); // 2 s after resuming: the 5 s are up
    await expectSlide(page, 1);
    await page.clock.runFor(5100);
    await expectSlide(page, 2);
    await page.clock.runFor(5100); // the run goes round to the start
    await expectSlide(page, 0);

    await page.evaluate(() => window.__setVisibility('hidden'));
    await page.evaluate(() => window.__setVisibility('visible'));
    await button(page, 'Pause').click();
    const wake = (await journal(page)).filter((e) => /request|release/.test(e));
    assert.deepEqual(wake, [
      'request screen', 'release', // first run, then pause
      'request screen', 'release', // second run, then the page hidden
      'request screen', 'release', // visible again while running, then pause
    ]);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the sound plays on a slide change only once turned on', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    await page.keyboard.press('ArrowRight');
    await expectSlide(page, 1);
    assert.deepEqual(await journal(page), []);
    await button(page, 'Son').click();
    assert.equal(await button(page, 'Son').getAttribute('aria-pressed'), 'true');
    assert.deepEqual(await journal(page), [], 'turning it on is silent');
    await page.keyboard.press('ArrowRight');
    await expectSlide(page, 2);
    await page.keyboard.press('ArrowRight'); // no slide after the last: no sound
    assert.deepEqual(await journal(page), ['play sohifrm2.wav']);
    await button(page, 'Son').click();
    await page.keyboard.press('Home');
    await expectSlide(page, 0);
    assert.deepEqual(await journal(page), ['play sohifrm2.wav']);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('a sideways swipe moves one slide, an upward one does not', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    const cdp = await page.context().newCDPSession(page);
    const box = await page.locator('#Scene').boundingBox();
    const y = box.y + box.height / 2;
    const swipe = async (x0, y0, x1, y1) => {
      const point = (x, yy) => [{ x, y: yy, id: 1 }];
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(x0, y0) });
      for (let s = 1; s <= 5; s++) {
        await cdp.send('Input.dispatchTouchEvent', {
          type: 'touchMove', touchPoints: point(x0 + ((x1 - x0) * s) / 5, y0 + ((y1 - y0) * s) / 5),
        });
      }
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    };
    const mid = box.x + box.width / 2;
    await swipe(mid + 150, y, mid - 150, y);
    await expectSlide(page, 1);
    await swipe(mid - 150, y, mid + 150, y);
    await expectSlide(page, 0);
    await swipe(mid, y + 100, mid + 20, y - 100);
    await swipe(mid + 20, y, mid, y); // too short
    assert.equal((await readSlide(page)).position, '1 / 3');
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the two next pictures are ready before they are asked for, and show at once', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    await until(page, () => window.Diaporama.estPrete(1) && window.Diaporama.estPrete(2),
      undefined, { what: 'slides 2 and 3 prepared' });
    await page.keyboard.press('End');
    const now = await readSlide(page); // read with no wait at all
    assert.equal(now.position, '3 / 3');
    assert.equal(now.shown.length, 1);
    assert.equal(now.shown[0].tag, 'CANVAS', 'drawn from the prepared bitmap');
    assert.ok(Math.abs(now.shown[0].width / now.shown[0].height - 480 / 270) < 0.02);
    await until(page, () => window.Diaporama.estPrete(1), undefined, { what: 'slide 2 kept, one back' });
    await page.keyboard.press('ArrowLeft');
    const gif = await readSlide(page);
    assert.equal(gif.shown.length, 1);
    assert.equal(gif.shown[0].tag, 'IMG', 'a GIF keeps its animation in the image element');
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the picture fits the window again after a resize', async () => {
    const { page, errors } = await open('#3');
    await expectSlide(page, 2);
    await page.setViewportSize({ width: 640, height: 700 });
    await until(page, () => {
      const vue = [...document.querySelectorAll('#Scene > .vue')].find((e) => e.offsetWidth > 0);
      return vue && vue.getBoundingClientRect().width <= document.getElementById('Scene').clientWidth + 1;
    }, undefined, { what: 'picture resized' });
    await expectSlide(page, 2);
    await page.setViewportSize({ width: 1280, height: 500 });
    await page.keyboard.press('ArrowLeft');
    await expectSlide(page, 1);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('an address naming no slide opens at slide 1, and a changed address moves the show', async () => {
    for (const suffix of ['#9', '#0', '#abc', '#']) {
      const { page, errors } = await open(suffix);
      await expectSlide(page, 0);
      assert.deepEqual(errors, [], suffix);
      await page.close();
    }
    const { page, errors } = await open('#3');
    await expectSlide(page, 2);
    await page.evaluate(() => { location.hash = '#2'; });
    await expectSlide(page, 1);
    // The address follows the show without adding to the history.
    const start = (await readSlide(page)).historyLength;
    for (const key of ['ArrowRight', 'ArrowLeft', 'ArrowLeft', 'End', 'Home']) await page.keyboard.press(key);
    assert.equal((await expectSlide(page, 0)).historyLength, start);
    assert.deepEqual(errors, []);
    await page.close();
  });

  test('the fullscreen button enters and leaves fullscreen', async () => {
    const { page, errors } = await open();
    await expectSlide(page, 0);
    // The page hears of the change of screen with the next frame.
    const pressed = (full) => until(page, (f) => document.querySelector('.lecteur-pleinEcran').getAttribute('aria-pressed') === String(f),
      full, { what: `fullscreen button pressed: ${full}` });
    await button(page, 'Plein \u00e9cran').click();
    await until(page, () => document.fullscreenElement === document.documentElement, undefined, { what: 'fullscreen' });
    await pressed(true);
    await button(page, 'Plein \u00e9cran').click();
    await until(page, () => document.fullscreenElement === null, undefined, { what: 'fullscreen left' });
    await pressed(false);
    assert.deepEqual(errors, []);
    await page.close();
  });
});
