// The fixture slideshow shared by the browser tests, and what each slide
// must look like once shown.
import assert from 'node:assert/strict';

export const NAME = 'Essai';
export const HEADER = "Vacances \u00e0 l'<i>\u00e9t\u00e9</i>";
export const HEADER_TEXT = "Vacances \u00e0 l'\u00e9t\u00e9";

export const SLIDES = [
  { picture: 'photo0.jpg', width: 320, height: 240,
    caption: 'Il a dit "bonjour" et <b>salut</b> !' },
  { picture: 'photo1.gif', width: 180, height: 270,
    caption: 'Chemin C:\\Users\\photos\\nouveau | deuxi\u00e8me ligne' },
  { picture: 'photo2.jpg', width: 480, height: 270,
    caption: '<font face="Arial" size="4" color="#FF0000">Rouge</font><br>fin <i>"cit\u00e9e"</i> \\' },
];

// What the caption of each slide shows, read back from the page.
const CAPTION_CHECKS = [
  (c) => {
    assert.equal(c.text, 'Il a dit "bonjour" et salut !');
    assert.deepEqual(c.bold, ['salut']);
  },
  (c) => {
    assert.equal(c.lines[0], 'Chemin C:\\Users\\photos\\nouveau');
    assert.equal(c.lines[1], 'deuxi\u00e8me ligne');
  },
  (c) => {
    assert.deepEqual(c.red, ['Rouge']);
    assert.equal(c.lines[1], 'fin "cit\u00e9e" \\');
    assert.deepEqual(c.italic, ['"cit\u00e9e"']);
  },
];

export function readSlide(page) {
  return page.evaluate(() => {
    const q = (id) => document.getElementById(id);
    const caption = q('InfoTexte');
    const lines = caption.innerHTML.split(/<br>/i).map((html) => {
      const d = document.createElement('div');
      d.innerHTML = html;
      return d.textContent.replace(/\u00a0/g, ' ').trim();
    });
    const texts = (sel) => Array.from(caption.querySelectorAll(sel), (e) => e.textContent);
    const scene = q('diapo').parentElement;
    // What the stage shows: the picture or the placeholder
    // of a picture that failed; the outgoing one of a cross-fade is not counted.
    const shown = Array.from(scene.children).filter((e) => (e.classList.contains('vue') || e.classList.contains('lecteur-echec'))
      && !e.classList.contains('lecteur-sortante') && !e.classList.contains('lecteur-prete') && e.offsetWidth > 0 && e.offsetHeight > 0);
    // Content box of an element: a page may draw a frame around the picture.
    const contentBox = (e) => {
      const r = e.getBoundingClientRect();
      const cs = getComputedStyle(e);
      const px = (v) => parseFloat(cs[v]) || 0;
      const b = {
        left: r.left + px('paddingLeft') + px('borderLeftWidth'),
        right: r.right - px('paddingRight') - px('borderRightWidth'),
        top: r.top + px('paddingTop') + px('borderTopWidth'),
        bottom: r.bottom - px('paddingBottom') - px('borderBottomWidth'),
      };
      b.width = b.right - b.left;
      b.height = b.bottom - b.top;
      return b;
    };
    const box = contentBox(scene);
    return {
      position: q('InfoDiaporama').textContent.trim(),
      title: q('Titre').textContent,
      documentTitle: document.title,
      file: decodeURIComponent(new URL(q('diapo').src).pathname.split('/').pop()),
      complete: q('diapo').complete,
      naturalWidth: q('diapo').naturalWidth,
      naturalHeight: q('diapo').naturalHeight,
      caption: {
        text: caption.textContent.replace(/\u00a0/g, ' ').trim(),
        lines: lines.filter((l) => l !== ''),
        bold: texts('b'),
        italic: texts('i'),
        red: texts('font[color="#FF0000"]'),
      },
      shown: shown.map((e) => {
        const r = contentBox(e);
        return { tag: e.tagName, width: r.width, height: r.height, inside: r.left >= box.left - 1 && r.right <= box.right + 1 && r.top >= box.top - 1 && r.bottom <= box.bottom + 1 };
      }),
      // Thumbnails standing in for a picture not decoded yet, as shown.
      standIn: Array.from(scene.querySelectorAll('.lecteur-remplacante:not(.lecteur-sortante):not([hidden]) img:not([hidden])'),
        (i) => (i.naturalWidth ? decodeURIComponent(new URL(i.src).pathname).split('/').slice(-2).join('/') : 'not loaded')),
      scene: { width: box.width, height: box.height },
      hash: location.hash,
      historyLength: history.length,
    };
  });
}

// Waits until slide k (from 0) is fully on screen, then checks all of it.
export async function expectSlide(page, k) {
  const s = SLIDES[k];
  const type = s.picture.slice(s.picture.lastIndexOf('.'));
  // Layout settles within a frame or two of a change (a caption of another
  // height resizes the stage): read until it holds, then check all of it.
  const fits = (g) => g.shown.length === 1 && g.shown[0].inside
    && (Math.abs(g.shown[0].width - g.scene.width) <= 2 || Math.abs(g.shown[0].height - g.scene.height) <= 2);
  const end = Date.now() + 20000;
  let got;
  for (;;) {
    got = await readSlide(page);
    const there = got.position === `${k + 1} / ${SLIDES.length}` && got.file === `${NAME}${k}${type}`
      && got.complete && got.naturalWidth > 0 && got.hash === `#${k + 1}`; // (the address follows after the paint)
    if ((there && fits(got)) || Date.now() > end) break;
    await new Promise((r) => setTimeout(r, 25));
  }
  assert.equal(got.position, `${k + 1} / ${SLIDES.length}`);
  assert.equal(got.file, `${NAME}${k}${type}`);
  assert.equal(got.naturalWidth, s.width, `picture of slide ${k + 1} decoded`);
  assert.equal(got.naturalHeight, s.height);
  CAPTION_CHECKS[k](got.caption);
  assert.equal(got.hash, `#${k + 1}`);
  // Exactly one picture on screen, inside its stage, with the proportions
  // of this slide's picture, as large as the stage allows.
  assert.equal(got.shown.length, 1, `one picture shown: ${JSON.stringify(got.shown)}`);
  const [pic] = got.shown;
  assert.ok(pic.inside, 'picture inside its stage');
  assert.ok(Math.abs(pic.width / pic.height - s.width / s.height) < 0.02,
    `proportions kept: ${pic.width}x${pic.height} for ${s.width}x${s.height}`);
  assert.ok(Math.abs(pic.width - got.scene.width) <= 2 || Math.abs(pic.height - got.scene.height) <= 2,
    `fits the stage: ${pic.width}x${pic.height} in ${got.scene.width}x${got.scene.height}`);
  return got;
}
