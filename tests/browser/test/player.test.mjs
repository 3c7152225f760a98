// The player's behaviour on the default page: keyboard and address,
// thumbnails, announcements, sound, automatic run, screen wake, swipes and
// preloading.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';
import { control, makeShow, pageOpener, tempDir, until } from '../lib/harness.mjs';
import { expectSlide, HEADER, readSlide, SLIDES } from '../lib/show.mjs';

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
  const pages = pageOpener({ hasTouch: true });
  before(async () => {
    root = tempDir('lumivue-player-');
    url = await makeShow(root, null, HEADER, SLIDES);
  });
  after(async () => {
    await pages.close();
    fs.rmSync(root, { recursive: true, force: true });
  });
  const open = (suffix = '', options = {}) => pages.open(url + suffix, { init: spies, ...options });
  const journal = (page) => page.evaluate(() => window.__journal.slice());
  const press = async (page, steps) => {
    for (const [key, slide] of steps) {
      await page.keyboard.press(key);
      await expectSlide(page, slide);
    }
  };

  test('the keyboard and the address move the show, the address naming a slide or slide 1', async () => {
    for (const suffix of ['#9', '#0', '#abc', '#']) {
      const { page, done } = await open(suffix);
      await expectSlide(page, 0);
      await done();
    }
    const { page, done } = await open('#3');
    await expectSlide(page, 2);
    await page.evaluate(() => { location.hash = '#2'; });
    await expectSlide(page, 1);
    // The address follows the show without adding to the history.
    const start = (await readSlide(page)).historyLength;
    await press(page, [['ArrowRight', 2], ['ArrowRight', 2], ['ArrowLeft', 1], ['Home', 0], ['ArrowLeft', 0],
      ['End', 2], ['ArrowUp', 1], ['ArrowUp', 0], ['ArrowDown', 1], ['PageDown', 2], ['PageUp', 1]]);
    assert.equal((await readSlide(page)).historyLength, start);
    // Presses faster than pictures decode end on the last slide asked for, with its own picture.
    for (const key of ['End', 'Home', 'ArrowRight', 'End', 'ArrowLeft']) await page.keyboard.press(key);
    await expectSlide(page, 1);
    await done();
  });

  test('thumbnails, announcements, sound and a focused button', async () => {
    const { page, done } = await open();
    await expectSlide(page, 0);
    // Space or Enter on a focused button presses that button only.
    await control(page, 'Suivante').focus();
    await press(page, [['Space', 1], ['Enter', 2]]);
    // A thumbnail jumps; the arrows then move along the strip with the focus.
    await page.getByRole('button', { name: 'Aller \u00e0 la diapo 1' }).click();
    await expectSlide(page, 0);
    await press(page, [['ArrowRight', 1]]);
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Aller \u00e0 la diapo 2');
    assert.equal(await page.locator('.lecteur-vignette[tabindex="0"]').count(), 1, 'one thumbnail in the tab order');
    assert.equal(await page.locator('[aria-live=polite]').textContent(),
      'Diapo 2 sur 3. Chemin C:\\Users\\photos\\nouveau deuxi\u00e8me ligne');
    await control(page, 'Vignettes').click();
    assert.equal(await page.locator('#Vignettes').isVisible(), false);
    await expectSlide(page, 1); // the picture takes the room the strip gave
    // The sound plays on a change of slide only once turned on, silently.
    await control(page, 'Son').click();
    await press(page, [['ArrowRight', 2]]);
    await page.keyboard.press('ArrowRight'); // no slide after the last: no sound
    await control(page, 'Son').click();
    await press(page, [['Home', 0]]);
    assert.deepEqual(await journal(page), ['play sohifrm2.wav']);
    await done();
  });

  test('the automatic run resumes where it was paused and keeps the screen awake meanwhile', async () => {
    const { page, done } = await open('', { clock: true });
    await expectSlide(page, 0);
    await page.getByLabel('Intervalle').selectOption('5');
    // A bar under the picture shows the countdown, only while it runs.
    const bar = () => page.evaluate(() => !document.querySelector('#Scene .lecteur-progression').hidden);
    assert.equal(await bar(), false);
    await control(page, 'Lecture automatique').click();
    assert.equal(await bar(), true);
    await page.clock.runFor(3000);
    await control(page, 'Pause').click(); // after 3 of 5 seconds
    await page.clock.runFor(60000);
    assert.equal((await readSlide(page)).position, '1 / 3', 'nothing moves while paused');
    await control(page, 'Lecture automatique').click();
    await page.clock.runFor(1800);
    assert.equal((await readSlide(page)).position, '1 / 3');
    await page.clock.runFor(400); // 2 s after resuming: the 5 s are up
    await expectSlide(page, 1);
    await page.clock.runFor(5100);
    await expectSlide(page, 2);
    await page.clock.runFor(5100); // the run goes round to the start
    // Slide 1 comes once decoded, on the real clock; the address is written
    // after the paint, on the page's.
    await until(page, () => window.Diaporama.courante() === 0);
    await page.clock.runFor(100);
    await expectSlide(page, 0);
    await page.evaluate(() => window.__setVisibility('hidden'));
    await page.evaluate(() => window.__setVisibility('visible'));
    await control(page, 'Pause').click();
    assert.deepEqual((await journal(page)).filter((e) => /request|release/.test(e)), [
      'request screen', 'release', // first run, then pause
      'request screen', 'release', // second run, then the page hidden
      'request screen', 'release', // visible again while running, then pause
    ]);
    await done();
  });

  test('a sideways swipe moves one slide, an upward or a short one does not', async () => {
    const { page, done } = await open();
    await expectSlide(page, 0);
    const cdp = await page.context().newCDPSession(page);
    const box = await page.locator('#Scene').boundingBox();
    const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
    const swipe = async (dx0, dy0, dx1, dy1) => {
      const touch = (type, s) => cdp.send('Input.dispatchTouchEvent', {
        type, touchPoints: s < 0 ? [] : [{ x: x + dx0 + ((dx1 - dx0) * s) / 5, y: y + dy0 + ((dy1 - dy0) * s) / 5, id: 1 }],
      });
      await touch('touchStart', 0);
      for (let s = 1; s <= 5; s++) await touch('touchMove', s);
      await touch('touchEnd', -1);
    };
    await swipe(150, 0, -150, 0);
    await expectSlide(page, 1);
    await swipe(-150, 0, 150, 0);
    await expectSlide(page, 0);
    await swipe(0, 100, 20, -100);
    await swipe(20, 0, 0, 0);
    assert.equal((await readSlide(page)).position, '1 / 3');
    await done();
  });

  test('the two next pictures are ready before they are asked for, and show at once', async () => {
    const { page, done } = await open();
    await expectSlide(page, 0);
    await until(page, () => window.Diaporama.estPrete(1) && window.Diaporama.estPrete(2), undefined, { what: 'slides 2 and 3 prepared' });
    await page.keyboard.press('End');
    const now = await readSlide(page); // read with no wait at all
    assert.deepEqual([now.position, now.shown.map((s) => s.tag), now.standIn], ['3 / 3', ['IMG'], []], 'the full picture, no stand-in');
    await done();
  });
});
