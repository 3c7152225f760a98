// Lecteur de diaporama. Lines 7 to 10 hold the slideshow's data and lines 13
// to 16 its first display; both blocks are rewritten for every slideshow.
var Info = new Array();
var TypeImage = new Array();
// RepImage: image stem; NBSprite: index of the last slide.
// Info[i]: caption of slide i (HTML); TypeImage[i]: ".gif" or ".jpg".
var RepImage="Paysages";
var NBSprite=7;
Info[0]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>L'aube sur le lac<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>Le jour se lève : les montagnes sortent de la brume et le lac garde encore les couleurs de la nuit.</font>";
Info[1]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>Au pied des sommets<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>Une affiche aux couleurs franches : neiges éternelles, sapins et prairies. Cette image est un <i>GIF</i>.</font>";
Info[2]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>La côte au grand soleil<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>Falaises blanches, eau turquoise et un voilier qui prend le large.</font>";
Info[3]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>Les champs de lavande<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>Des rangs violets à perte de vue, et un arbre seul sur la colline.</font>";
Info[4]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>Le phare au crépuscule<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>Dès que le soleil disparaît, son faisceau balaie la mer.</font>";
Info[5]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>Les dunes<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>En fin d'après-midi, le vent dessine des rides sur le sable encore chaud.</font>";
Info[6]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>La forêt en automne<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>Orange, rouge et or : les feuilles tombent et couvrent le chemin.</font>";
Info[7]="&nbsp;<font face='DejaVu Serif' size='4' color='#FFD98A'><b>Bonne nuit !<br></font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>La lune se lève sur les collines, une fenêtre veille encore. <u>Ouvrez Paysages.lmv dans Lumivue</u> pour voir comment ce diaporama est fait.</font>";
TypeImage[0]=".jpg";
TypeImage[1]=".gif";
TypeImage[2]=".jpg";
TypeImage[3]=".jpg";
TypeImage[4]=".gif";
TypeImage[5]=".jpg";
TypeImage[6]=".gif";
TypeImage[7]=".jpg";
// First display; run once the page's elements exist (see the end of the file).
function PremiereDiapo() {
document.getElementById("diapo").src="Paysages0.jpg";
document.getElementById("InfoDiaporama").innerHTML="1 / 8";
document.getElementById("InfoTexte").innerHTML=Info[0];
document.getElementById("Titre").innerHTML="Une journée en paysages";
}

// The player. Plain script, no modules, no network: the page is opened from
// its folder. Slide i (from 0) shows RepImage + i + TypeImage[i]; its
// thumbnail, when generation made one, is RepImage + "_vignettes/" +
// RepImage + i + ".jpg". The address "#n" names slide n counted from 1, like
// the position text "n / N".
(function () {
  "use strict";

  var TEXTES = {
    premiere: "Premi\u00e8re",
    precedente: "Pr\u00e9c\u00e9dente",
    suivante: "Suivante",
    derniere: "Derni\u00e8re",
    lecture: "Lecture automatique",
    pause: "Pause",
    intervalle: "Intervalle",
    son: "Son",
    vignettes: "Vignettes",
    pleinEcran: "Plein \u00e9cran",
    commandes: "Commandes du diaporama",
    bande: "Vignettes des diapos",
    allerA: "Aller \u00e0 la diapo ",
    diapo: "Diapo ",
    sur: " sur ",
    secondes: " s",
    chargement: "Chargement de l'image\u2026",
    echec: "Cette image n'a pas pu \u00eatre affich\u00e9e."
  };
  var INTERVALLES = [2, 3, 5, 8, 12, 20];
  var INTERVALLE_DEFAUT = 5;
  var SEUIL_GLISSER = 40;   // px of horizontal travel that make a swipe
  var DELAI_ATTENTE = 300;  // ms before a slow picture shows the loading sign
  var DELAI_REPOS = 3000;   // ms without pointer or key before full screen hides the controls
  var FONDU = 250;          // ms of the cross-fade between slides
  var DOSSIER_VIGNETTES = "_vignettes";

  var ICONES = {
    premiere: "M6 5h2v14H6zM17.5 6.5 16 5l-7 7 7 7 1.5-1.5L12 12z",
    precedente: "M15.5 5 8.5 12l7 7 1.5-1.5L11.5 12 17 6.5z",
    suivante: "M8.5 5 7 6.5l5.5 5.5L7 17.5 8.5 19l7-7z",
    derniere: "M16 5h2v14h-2zM6.5 5 5 6.5l5.5 5.5L5 17.5 6.5 19l7-7z",
    lecture: "M8 5v14l11-7z",
    pause: "M7 5h4v14H7zm6 0h4v14h-4z",
    son: "M4 9v6h4l5 4V5L8 9z",
    onde: "M15.5 8.5a5 5 0 0 1 0 7l-1.1-1.1a3.5 3.5 0 0 0 0-4.8zM18 6a8.5 8.5 0 0 1 0 12l-1.1-1.1a7 7 0 0 0 0-9.8z",
    vignettes: "M4 6h4v4H4zm6 0h4v4h-4zm6 0h4v4h-4zM4 14h4v4H4zm6 0h4v4h-4zm6 0h4v4h-4z",
    pleinEcran: "M4 4h6v2H6v4H4zm10 0h6v6h-2V6h-4zM4 14h2v4h4v2H4zm14 0h2v6h-6v-2h4z"
  };

  // Mechanics only; each page gives the look. Inserted first in <head> so
  // that the page's own rules win. Elements a page marks data-repos fade
  // with the controls in full screen.
  var STYLE_BASE = [
    ".lecteur-masque{position:fixed!important;width:1px;height:1px;margin:-1px;padding:0;border:0;overflow:hidden;clip:rect(0 0 0 0);clip-path:inset(50%);white-space:nowrap}",
    ".lecteur-scene{position:relative;touch-action:pan-y pinch-zoom;min-width:0;min-height:0}",
    ".lecteur-scene>.vue,.lecteur-scene>.lecteur-echec,.lecteur-scene>.lecteur-remplacante{position:absolute;top:0;right:0;bottom:0;left:0;margin:auto;max-width:none;max-height:none;object-fit:contain}",
    ".lecteur-scene>[hidden],.lecteur-remplacante>[hidden]{display:none!important}",
    ".lecteur-remplacante{background:rgba(128,128,128,.25)}",
    ".lecteur-remplacante>img{display:block;width:100%;height:100%}",
    // Each view, the caption, the position and the strip on a layer of its
    // own: what a press changes is rastered again alone, not the page's
    // tiles under it with their textures and shadows.
    ".lecteur-scene>.vue,.lecteur-scene>.lecteur-remplacante,.lecteur-scene>.lecteur-echec{will-change:opacity}",
    "#InfoTexte,#InfoDiaporama,.lecteur-bande ol{will-change:transform}",
    ".lecteur-scene>.vue,.lecteur-scene>.lecteur-echec,.lecteur-scene>.lecteur-remplacante{z-index:1}",
    ".lecteur-scene>.lecteur-sortante{z-index:0;pointer-events:none}",
    ".lecteur-scene>.lecteur-prete{z-index:2;opacity:.002;pointer-events:none}",
    ".lecteur-echec{display:flex;flex-direction:column;align-items:center;justify-content:center;gap:.3em;box-sizing:border-box;padding:.8em;overflow:hidden;text-align:center;line-height:1.3;color:#e8e4dc;background:#34302b;border:2px dashed #8a8176}",
    ".lecteur-echec-numero{font-size:2.4em;font-weight:700;line-height:1}",
    ".lecteur-echec-fichier{font-size:.85em;opacity:.8;overflow-wrap:anywhere}",
    ".lecteur-attente{position:absolute;top:50%;left:50%;width:2.4rem;height:2.4rem;margin:-1.2rem 0 0 -1.2rem;box-sizing:border-box;border-radius:50%;border:.22rem solid rgba(160,160,160,.35);border-top-color:rgba(235,235,235,.9);animation:lecteur-tourne .9s linear infinite;pointer-events:none;z-index:3}",
    "@keyframes lecteur-tourne{to{transform:rotate(1turn)}}",
    ".lecteur-progression{position:absolute;left:0;top:0;height:3px;background:var(--lecteur-accent,#d9b36c);transform-origin:0 50%;pointer-events:none;z-index:3}",
    ".lecteur-commandes{display:flex;flex-wrap:wrap;align-items:center;justify-content:center;gap:.4rem}",
    ".lecteur-groupe{display:inline-flex;flex-wrap:wrap;align-items:center;gap:.3rem}",
    ".lecteur-bouton{display:inline-flex;align-items:center;justify-content:center;gap:.35em;min-width:2.75rem;min-height:2.75rem;padding:.3rem .6rem;font:inherit;cursor:pointer}",
    ".lecteur-bouton svg{width:1.3em;height:1.3em;fill:currentColor;flex:none}",
    ".lecteur-bouton[aria-disabled=true]{opacity:.45;cursor:default}",
    ".lecteur-lecture.lecteur-en-cours .icone-lecture,.lecteur-lecture:not(.lecteur-en-cours) .icone-pause,.lecteur-son[aria-pressed=false] .icone-onde{display:none}",
    ".lecteur-intervalle{display:inline-flex;align-items:center;gap:.35em}",
    ".lecteur-intervalle select{font:inherit;min-height:2.75rem}",
    ".lecteur-bande{overflow-x:auto;overflow-y:hidden;-webkit-overflow-scrolling:touch}",
    ".lecteur-bande[hidden]{display:none!important}",
    ".lecteur-bande ol{position:relative;display:flex;gap:.4rem;margin:0 auto;padding:.3rem;list-style:none;width:max-content}",
    ".lecteur-vignette{display:block;padding:0;border:2px solid transparent;background:none;color:inherit;cursor:pointer;line-height:0}",
    ".lecteur-vignette img,.lecteur-vignette-manque{display:block;width:5.5rem;height:4rem;object-fit:cover}",
    ".lecteur-vignette-manque{display:flex;align-items:center;justify-content:center;font-weight:700;line-height:1;background:rgba(128,128,128,.3)}",
    ".lecteur-vignette[aria-current=true]{border-color:currentColor}",
    ".lecteur-bouton:focus-visible,.lecteur-vignette:focus-visible,.lecteur-intervalle select:focus-visible{outline:3px solid #ffbf47;outline-offset:2px}",
    ".lecteur-deborde{-webkit-mask-image:linear-gradient(#000 calc(100% - 1.6em),transparent);mask-image:linear-gradient(#000 calc(100% - 1.6em),transparent)}",
    "#Titre,.lecteur-commandes,.lecteur-bande,[data-repos]{transition:opacity .4s}",
    ".lecteur-repos,.lecteur-repos *{cursor:none!important}",
    ".lecteur-repos #Titre,.lecteur-repos .lecteur-commandes,.lecteur-repos .lecteur-bande,.lecteur-repos [data-repos]{opacity:0!important;pointer-events:none}",
    "@media (prefers-reduced-motion:reduce){*,::before,::after{transition:none!important;animation:none!important;scroll-behavior:auto!important}}"
  ].join("\n");

  var moinsDeMouvement = window.matchMedia ? window.matchMedia("(prefers-reduced-motion: reduce)") : { matches: false };

  var nombre = 0;       // slides in the show
  var courante = 0;     // index of the slide shown
  var sens = 1;         // direction of travel: 1 forward, -1 back
  var elements = {};    // page elements by role
  var vignettes = [];   // thumbnail buttons by slide
  var boutons = {};
  var boite = { w: 0, h: 0, cw: 0, ch: 0 }; // content box of the stage, and its padding box (cw, ch), CSS px
  var entree = false;   // the next picture made visible fades in

  // ---- Pictures: loading and decoding ahead of time ----
  // The page's thread never decodes nor scales a picture: img.decode() works
  // apart from it, and a picture drawn at its CSS size is scaled where the
  // browser rasters, off that thread too. So a key press is answered within a
  // frame; a picture not decoded yet has the slide's thumbnail stand in.

  var memoire = new Map(); // slide index -> { img, pret, decodee, echec }
  var apercus = new Map(); // slide index -> its thumbnail, loaded ahead as a stand-in

  function fichier(i) {
    return RepImage + i + (TypeImage[i] || ".jpg");
  }

  function adresse(i) {
    return encodeURIComponent(fichier(i));
  }

  function adresseVignette(i) {
    return encodeURIComponent(RepImage + DOSSIER_VIGNETTES) + "/" + encodeURIComponent(RepImage + i + ".jpg");
  }

  function preparee(i) {
    var p = memoire.get(i);
    if (!p) {
      var img = new Image();
      img.decoding = "async";
      img.src = adresse(i);
      p = { img: img, pret: null, decodee: false, echec: false };
      // decode() may refuse an image that loads well (a busy or short of
      // memory browser); the load itself then decides.
      var charge = function () {
        return new Promise(function (fin) {
          if (img.complete) { fin(img.naturalWidth > 0); return; }
          img.addEventListener("load", function () { fin(true); });
          img.addEventListener("error", function () { fin(false); });
        });
      };
      p.pret = (img.decode ? img.decode().then(function () { return true; }, charge) : charge()).then(function (ok) {
        if (memoire.get(i) !== p) return false; // given up meanwhile
        p.echec = !ok;
        p.decodee = ok;
        if (i === courante) affiche();
        return ok;
      });
      memoire.set(i, p);
    }
    return p;
  }

  // Resolves with slide i's entry once its picture is decoded or has failed.
  function prepare(i) {
    var p = preparee(i);
    return p.pret.then(function () { return p; });
  }

  // A picture given up stops loading, so that rapid presses do not leave a
  // queue of decodes behind them.
  function oublie(i) {
    var p = memoire.get(i);
    if (!p) return;
    memoire.delete(i);
    if (!p.decodee) p.img.removeAttribute("src");
  }

  function apercu(i) {
    var a = apercus.get(i);
    if (!a) {
      a = new Image();
      a.alt = "";
      a.decoding = "async";
      a.addEventListener("load", function () { if (i === courante) affiche(); });
      a.src = adresseVignette(i);
      if (a.decode) a.decode().catch(function () {});
      apercus.set(i, a);
    }
    return a;
  }

  // On every change of slide: pictures away from the new one are given up
  // (one behind is kept only when already decoded), and the thumbnails
  // around it are asked for, cheap and quick, so that the next press has
  // its stand-in.
  function garde(i) {
    Array.from(memoire.keys()).forEach(function (j) {
      var loin = j !== i && j !== i + sens && j !== i + 2 * sens;
      if (loin && (j !== i - sens || !memoire.get(j).decodee)) oublie(j);
    });
    Array.from(apercus.keys()).forEach(function (j) {
      if (Math.abs(j - i) > 2) apercus.delete(j);
    });
    [i, i + sens, i - sens].forEach(function (j) { if (j >= 0 && j < nombre) apercu(j); });
  }

  // Keeps the shown slide, one behind and two ahead in the direction of
  // travel; the next one is decoded first.
  function prechargeAutour(i) {
    var voulues = [i + sens, i + 2 * sens, i - sens].filter(function (j) { return j >= 0 && j < nombre; });
    Array.from(memoire.keys()).forEach(function (j) {
      if (j !== i && voulues.indexOf(j) < 0) oublie(j);
    });
    voulues.reduce(function (suite, j) {
      return suite.then(function () { return prepare(j); }).then(function (r) {
        if (j === i + sens) apprete();
        return r;
      });
    }, prepare(i));
  }

  // ---- The next picture, ready on screen ahead of time ----
  // A picture shown for the first time has to be rastered at its display
  // size before the frame that shows it can be drawn: for a camera photo,
  // tens of ms of software raster after the press. So the picture that a
  // press in the direction of travel will show waits, decoded, at its final
  // size and place, in a second picture element above the current one, all
  // but transparent (opacity .002: a layer at 0 is neither rastered nor
  // kept). The press then only makes it opaque, at once or fading in from
  // that same opacity while the other fades out, which the compositor does
  // on its own; the two elements trade roles. The one given up fades out
  // as a third element, so that the picture after can be held meanwhile.
  var jumelle = null;   // the picture element that holds the next picture ready
  var libre = null;     // the picture element given up last: fading out, or at rest
  var tenue = -1;       // slide whose picture jumelle holds ready, or -1

  // Returns whether jumelle holds the next picture ready. A GIF is not held:
  // it would play, unseen, before its slide comes.
  function apprete() {
    var j = courante + sens;
    var p = memoire.get(j);
    if (!jumelle || !p || !p.decodee || !p.img.naturalWidth ||
      TypeImage[j] === ".gif") return false;
    if (tenue !== j) {
      tenue = j;
      jumelle.src = p.img.src;
      jumelle.alt = TEXTES.diapo + (j + 1) + TEXTES.sur + nombre;
    }
    var t = ajuste(p.img.naturalWidth, p.img.naturalHeight) || boite;
    jumelle.style.width = t.w + "px";
    jumelle.style.height = t.h + "px";
    jumelle.classList.add("lecteur-prete");
    jumelle.hidden = false;
    return true;
  }

  function range() {
    if (!jumelle) return;
    repose(jumelle);
    tenue = -1;
  }

  function repose(img) {
    img.hidden = true;
    img.classList.remove("lecteur-prete");
  }

  // Slide i's picture, held ready, becomes the current picture element;
  // the one left is returned.
  function echange(i) {
    if (tenue !== i || !jumelle.complete || !jumelle.naturalWidth) return null;
    var laissee = elements.diapo;
    laissee.removeAttribute("id");
    laissee.setAttribute("aria-hidden", "true");
    jumelle.id = "diapo";
    jumelle.classList.remove("lecteur-prete");
    elements.diapo = jumelle;
    jumelle = libre;
    libre = laissee;
    tenue = -1;
    return laissee;
  }

  // What a press does not show waits until the slide just shown has been
  // painted, so that it never delays it: preparing the next pictures, and
  // the address, which the browser records on another thread of its own.
  var apres = 0;
  function apresAffichage(i) {
    cancelAnimationFrame(apres);
    apres = requestAnimationFrame(function () {
      setTimeout(function () {
        if (courante !== i) return;
        noteAdresse(i);
        prechargeAutour(i);
      }, 0);
    });
  }

  // ---- Display ----

  // Size of a w x h picture fitted into the stage, proportions kept.
  function ajuste(w, h) {
    if (!w || !h || !boite.w || !boite.h) return null;
    var echelle = Math.min(boite.w / w, boite.h / h);
    return { w: Math.max(1, Math.round(w * echelle)), h: Math.max(1, Math.round(h * echelle)) };
  }

  function anime(el, de, a, fin) {
    if (!el.animate) { if (fin) fin(); return; }
    var animation = el.animate([{ opacity: de }, { opacity: a }], { duration: FONDU, easing: a ? "ease-out" : "ease-in" });
    if (fin) animation.onfinish = animation.oncancel = fin;
  }

  // The picture on screen stays a moment as it fades out under the next one.
  var fantome = null;
  function finFondu() {
    if (!fantome) return;
    var f = fantome;
    fantome = null;
    f.classList.remove("lecteur-sortante");
    if (f.getAnimations) f.getAnimations().forEach(function (a) { a.onfinish = a.oncancel = null; a.cancel(); });
    if (f === libre) {
      repose(f);
    } else if (f.parentNode) {
      f.parentNode.removeChild(f);
    }
  }

  // laissee: the picture element just given up by an exchange, which fades
  // out as it is (a copy would have to be rastered again).
  function fondu(laissee) {
    finFondu();
    var visible = [laissee || elements.diapo, elements.remplacante, elements.echec].filter(function (e) { return !e.hidden; })[0];
    var f = visible;
    // Without an exchange, a picture held ready is stale; the element given
    // up rests, unless it fades out as it is.
    if (!laissee) range();
    else if (f !== laissee || moinsDeMouvement.matches) repose(laissee);
    if (moinsDeMouvement.matches || !visible) return;
    if (f !== laissee) {
      f = visible.cloneNode(true);
      f.removeAttribute("id");
      visible.parentNode.insertBefore(f, visible);
    }
    f.classList.add("lecteur-sortante");
    f.setAttribute("aria-hidden", "true");
    fantome = f;
    anime(f, 1, 0, function () { if (fantome === f) finFondu(); });
  }

  function rend(vue) {
    [elements.diapo, elements.remplacante, elements.echec].forEach(function (e) {
      if (e !== vue) e.hidden = true;
    });
    if (!vue) return;
    vue.hidden = false;
    vue.removeAttribute("aria-hidden");
    if (entree) {
      entree = false;
      // From the held opacity, not from 0, which would drop the layer.
      if (!moinsDeMouvement.matches) anime(vue, 0.002, 1);
    }
  }

  // Shows the current slide: its picture once decoded; else, at once, its
  // thumbnail scaled into the picture's box (an empty box while the
  // thumbnail loads or when there is none), with the loading sign if that
  // lasts; or the placeholder of a picture that cannot be shown.
  function affiche() {
    var diapo = elements.diapo;
    var p = memoire.get(courante);
    var t;
    var vue;
    if ((p && p.echec) || (diapo.complete && !diapo.naturalWidth && diapo.getAttribute("src"))) {
      t = ajuste(4, 3) || boite;
      vue = elements.echec;
      vue.querySelector(".lecteur-echec-numero").textContent = String(courante + 1);
      vue.querySelector(".lecteur-echec-fichier").textContent = fichier(courante);
      vue.setAttribute("aria-label", TEXTES.diapo + (courante + 1) + TEXTES.sur + nombre + ". " + TEXTES.echec);
    } else if ((!p || p.decodee) && diapo.complete && diapo.naturalWidth) {
      t = ajuste(diapo.naturalWidth, diapo.naturalHeight) || boite;
      vue = diapo;
    } else {
      vue = elements.remplacante;
      var a = apercu(courante);
      if (vue.firstChild !== a) {
        vue.textContent = "";
        vue.appendChild(a);
      }
      a.hidden = !(a.complete && a.naturalWidth);
      // The picture's own size is known once it has loaded, before it is decoded.
      var modele = p && p.img.naturalWidth ? p.img : a;
      t = ajuste(modele.naturalWidth, modele.naturalHeight) || ajuste(4, 3) || boite;
    }
    vue.style.width = t.w + "px";
    vue.style.height = t.h + "px";
    rend(vue);
    attente(vue === elements.remplacante);
    placeProgression(t);
  }

  // The loading sign comes only when a picture is slow, so that a quick one
  // is not preceded by a flash.
  var minuterieAttente = 0;
  function attente(oui) {
    if (!oui) {
      clearTimeout(minuterieAttente);
      minuterieAttente = 0;
      elements.attente.hidden = true;
    } else if (!minuterieAttente && elements.attente.hidden) {
      minuterieAttente = setTimeout(function () {
        minuterieAttente = 0;
        elements.attente.hidden = false;
      }, DELAI_ATTENTE);
    }
  }

  var textes = new Map(); // slide index -> its caption as plain text, for the announcement

  function texteDe(html) {
    var d = document.createElement("div");
    d.innerHTML = html;
    return (d.textContent || "").replace(/\s+/g, " ").trim();
  }

  function montre(i) {
    if (!nombre) return;
    i = Math.max(0, Math.min(nombre - 1, i));
    var change = i !== courante;
    if (change) {
      // A fade still going ends first: the element it frees may then hold slide i.
      finFondu();
      if (courante >= 0) fondu(echange(i));
      else range();
      sens = i > courante ? 1 : -1;
      entree = true;
      attente(false);
    }
    courante = i;
    var p = preparee(i);
    var position = TEXTES.diapo + (i + 1) + TEXTES.sur + nombre;

    // (The same address again would have the picture painted anew.)
    if (elements.diapo.src !== p.img.src) elements.diapo.src = p.img.src;
    elements.diapo.alt = position;
    elements.remplacante.setAttribute("aria-label", position);
    garde(i);
    affiche();

    if (elements.position) elements.position.innerHTML = (i + 1) + " / " + nombre;
    if (elements.legende) {
      var html = legendeDe(i);
      var habillee = habillees.get(html);
      elements.legende.innerHTML = habillee === undefined ? html : habillee;
      if (habillee === undefined) habilleLegende(elements.legende);
      elements.legende.scrollTop = 0;
      requestAnimationFrame(marqueDebord); // measured in the layout the next frame does anyway
    }
    if (elements.annonce) {
      if (!textes.has(i)) textes.set(i, texteDe(Info[i] || ""));
      elements.annonce.textContent = position + ". " + textes.get(i);
    }
    marqueVignette(i);
    etatBoutons();
    if (change) sonne();
    apresAffichage(i);
    document.dispatchEvent(new CustomEvent("diaporama:affiche", { detail: { index: i, remplacante: !elements.remplacante.hidden } }));
  }

  function va(i) {
    if (!nombre || i < 0 || i >= nombre || i === courante) return;
    montre(i);
    if (enLecture) relanceMinuterie();
  }

  // The caption of slide i. Generation pads every caption with line breaks
  // to the count of the longest; the page keeps the caption box steady by
  // itself, so the padding at the end is left out.
  function legendeDe(i) {
    return Info[i] === undefined ? "" : String(Info[i]).replace(/(\s|&nbsp;|<br\s*\/?>)+$/i, "");
  }

  // Every caption takes the height of the tallest one (up to the page's
  // max-height, past which it scrolls), so that the picture keeps one size
  // from slide to slide.
  // Captions as dressed for this page (see habilleLegende), made while the
  // heights are measured, so that a press does not read styles.
  var habillees = new Map();

  function egaliseLegendes() {
    var l = elements.legende;
    if (!l || !nombre || !l.offsetParent) return;
    var garde = l.innerHTML;
    habillees.clear();
    l.style.height = l.offsetHeight + "px"; // the page is not laid out again for each caption
    var mesure = document.createElement("div");
    l.textContent = "";
    l.appendChild(mesure);
    var vues = new Set();
    var haut = 0;
    for (var i = 0; i < nombre; i++) {
      var html = legendeDe(i);
      if (vues.has(html)) continue;
      vues.add(html);
      mesure.innerHTML = html;
      habilleLegende(mesure);
      habillees.set(html, mesure.innerHTML);
      haut = Math.max(haut, mesure.getBoundingClientRect().height);
    }
    l.innerHTML = garde;
    var s = getComputedStyle(l);
    if (s.boxSizing === "border-box") {
      haut += parseFloat(s.paddingTop) + parseFloat(s.paddingBottom) +
        parseFloat(s.borderTopWidth) + parseFloat(s.borderBottomWidth);
    }
    l.style.height = Math.ceil(haut) + "px";
    marqueDebord();
  }

  // ---- Caption look ----
  // A caption keeps the colours and faces its author gave it; the player
  // only makes sure that the audience can read it. The page declares the
  // background its captions lie on (meta lumivue-caption-background, white
  // when it does not): a caption colour that contrasts less than 3 : 1 with
  // it gets a halo of black or white, whichever stands out more from both
  // that background and the caption's colour. A face the visitor's machine lacks falls back to the generic
  // family its name suggests, then to the page's own face.
  var CONTRASTE_LISIBLE = 3;

  function rvbDe(texte) {
    var t = String(texte || "").trim();
    var h = /^#([0-9a-f]{6})$/i.exec(t);
    if (h) {
      var n = parseInt(h[1], 16);
      return [n >> 16, (n >> 8) & 255, n & 255];
    }
    var m = /^rgba?\(\s*([\d.]+)[,\s]+([\d.]+)[,\s]+([\d.]+)/i.exec(t);
    return m ? [+m[1], +m[2], +m[3]] : null;
  }

  function luminance(c) {
    var l = c.map(function (v) {
      v /= 255;
      return v <= 0.04045 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
    });
    return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
  }

  function contraste(a, b) {
    var la = luminance(a), lb = luminance(b);
    return (Math.max(la, lb) + 0.05) / (Math.min(la, lb) + 0.05);
  }

  var fondLegende = null;
  function fondDesLegendes() {
    if (!fondLegende) {
      var m = document.querySelector('meta[name="lumivue-caption-background"]');
      fondLegende = (m && rvbDe(m.getAttribute("content"))) || [255, 255, 255];
    }
    return fondLegende;
  }

  // "MS Sans Serif" and "DejaVu Sans Mono" say what they are; a name that
  // says nothing is taken for a serif face, as browsers do.
  function familleGenerique(face) {
    if (/mono|courier|consol|typewriter|terminal|fixedsys/i.test(face)) return "monospace";
    if (/sans|arial|helvetica|verdana|tahoma|segoe|trebuchet|calibri|geneva|lucida grande|futura|gill|franklin|impact|roboto|ubuntu|cantarell|system/i.test(face)) return "sans-serif";
    return "serif";
  }

  function halo(couleur) {
    return ["-1px -1px 0", "1px -1px 0", "-1px 1px 0", "1px 1px 0", "0 0 3px"].map(function (o) {
      return o + " " + couleur;
    }).join(", ");
  }

  // Dresses the caption shown in boite (font elements carry face and color).
  function habilleLegende(boite) {
    var facePage = getComputedStyle(boite).fontFamily;
    Array.prototype.forEach.call(boite.querySelectorAll("[face]"), function (e) {
      var face = e.getAttribute("face").replace(/["\\]/g, "").trim();
      if (face) e.style.fontFamily = '"' + face + '", ' + familleGenerique(face) + (facePage ? ", " + facePage : "");
    });
    var fond = fondDesLegendes();
    Array.prototype.forEach.call(boite.querySelectorAll("[color]"), function (e) {
      var c = rvbDe(getComputedStyle(e).color);
      if (!c || contraste(c, fond) >= CONTRASTE_LISIBLE) return;
      var ressort = function (h) { return Math.min(contraste(h, fond), contraste(h, c)); };
      e.style.textShadow = halo(ressort([0, 0, 0]) >= ressort([255, 255, 255]) ? "#000" : "#fff");
    });
  }

  // A caption longer than its box fades out at the bottom while there is
  // more to read.
  function marqueDebord() {
    var l = elements.legende;
    if (l) l.classList.toggle("lecteur-deborde", l.scrollHeight - l.scrollTop - l.clientHeight > 1);
  }

  // ---- Address ----

  function diapoDeLAdresse() {
    var m = /^#(\d+)$/.exec(location.hash);
    if (!m) return -1;
    var n = parseInt(m[1], 10);
    return n >= 1 && n <= nombre ? n - 1 : -1;
  }

  function noteAdresse(i) {
    var voulu = "#" + (i + 1);
    if (location.hash === voulu) return;
    try {
      history.replaceState(history.state, "", voulu);
    } catch (e) {
      location.replace(voulu);
    }
  }

  // ---- Sound ----

  var sonActif = false;
  var son = null;

  function sonne() {
    if (!sonActif) return;
    if (!son) son = new Audio("sohifrm2.wav");
    try { son.currentTime = 0; } catch (e) { /* not loaded yet */ }
    var lecture = son.play();
    if (lecture && lecture.catch) lecture.catch(function () {});
  }

  // ---- Automatic run ----

  var enLecture = false;
  var intervalle = INTERVALLE_DEFAUT * 1000;
  var reste = intervalle;   // ms left before the next slide
  var depart = 0;           // when the current countdown started
  var minuterie = 0;
  var tour = 0;             // invalidates a countdown that was stopped
  var avancee = null;       // the progress bar's animation

  function lanceMinuterie() {
    clearTimeout(minuterie);
    depart = performance.now();
    var monTour = ++tour;
    minuterie = setTimeout(function () { avanceSeul(monTour); }, reste);
    progression(true);
  }

  function relanceMinuterie() {
    reste = intervalle;
    lanceMinuterie();
  }

  // Moves on to the next slide whose picture can be shown.
  function avanceSeul(monTour) {
    minuterie = 0;
    reste = 0;
    sens = 1;
    var essais = 0;
    var essaie = function (j) {
      prepare(j).then(function (p) {
        if (!enLecture || monTour !== tour) return;
        if (p.echec && j !== courante && ++essais < nombre) {
          essaie(j + 1 < nombre ? j + 1 : 0);
          return;
        }
        montre(j);
        relanceMinuterie();
      });
    };
    essaie(courante + 1 < nombre ? courante + 1 : 0);
  }

  function lecture(oui) {
    if (oui === enLecture || (oui && nombre < 2)) return;
    enLecture = oui;
    var b = boutons.lecture;
    var libelle = oui ? TEXTES.pause : TEXTES.lecture;
    b.classList.toggle("lecteur-en-cours", oui);
    b.title = libelle;
    b.querySelector(".libelle").textContent = libelle;
    if (oui) {
      lanceMinuterie();
      garderEveille();
    } else {
      ++tour;
      if (minuterie) reste = Math.max(0, reste - (performance.now() - depart));
      clearTimeout(minuterie);
      minuterie = 0;
      progression(false);
      laisserDormir();
    }
  }

  // A thin bar under the picture fills up until the next slide; paused, it
  // stays where it was.
  function progression(enMarche) {
    var barre = elements.progression;
    if (avancee) avancee.cancel();
    avancee = null;
    var fait = Math.max(0, Math.min(1, 1 - reste / intervalle));
    barre.style.transform = "scaleX(" + fait + ")";
    barre.hidden = !enLecture && !(reste < intervalle);
    if (enMarche && barre.animate) {
      avancee = barre.animate([{ transform: "scaleX(" + fait + ")" }, { transform: "scaleX(1)" }],
        { duration: Math.max(1, reste), fill: "forwards" });
    }
  }

  // Placed from the sizes measured with the stage, so that a slide change
  // reads no layout.
  function placeProgression(t) {
    var barre = elements.progression;
    if (!t) t = boite;
    barre.style.left = Math.round((boite.cw - t.w) / 2) + "px";
    barre.style.top = Math.round((boite.ch + t.h) / 2) - 3 + "px";
    barre.style.width = t.w + "px";
  }

  // Screen kept awake while the show runs, where the browser allows it.
  var verrou = null;
  var demandeVerrou = null;

  function garderEveille() {
    if (verrou || demandeVerrou || !navigator.wakeLock || document.visibilityState !== "visible") return;
    demandeVerrou = navigator.wakeLock.request("screen").then(function (v) {
      demandeVerrou = null;
      if (!enLecture || document.visibilityState !== "visible") {
        v.release().catch(function () {});
        return;
      }
      verrou = v;
      v.addEventListener("release", function () { if (verrou === v) verrou = null; });
    }, function () { demandeVerrou = null; });
  }

  function laisserDormir() {
    if (!verrou) return;
    var v = verrou;
    verrou = null;
    v.release().catch(function () {});
  }

  // ---- Full screen ----

  function pleinEcranActif() {
    return !!(document.fullscreenElement || document.webkitFullscreenElement);
  }

  function basculePleinEcran() {
    var racine = document.documentElement;
    var action;
    if (pleinEcranActif()) {
      action = document.exitFullscreen ? document.exitFullscreen() : document.webkitExitFullscreen();
    } else if (racine.requestFullscreen || racine.webkitRequestFullscreen) {
      action = racine.requestFullscreen ? racine.requestFullscreen() : racine.webkitRequestFullscreen();
    }
    if (action && action.catch) action.catch(function () {});
  }

  // In full screen the controls, the title and the strip fade out after a
  // while without pointer or key, and come back with either.
  var minuterieRepos = 0;
  function reveille() {
    var racine = document.documentElement;
    racine.classList.remove("lecteur-repos");
    clearTimeout(minuterieRepos);
    if (pleinEcranActif()) {
      minuterieRepos = setTimeout(function () { racine.classList.add("lecteur-repos"); }, DELAI_REPOS);
    }
  }

  function pleinEcranChange() {
    var actif = pleinEcranActif();
    document.documentElement.classList.toggle("lecteur-plein", actif);
    if (boutons.pleinEcran) boutons.pleinEcran.setAttribute("aria-pressed", String(actif));
    reveille();
  }

  // ---- Controls ----

  function icone(nom, classe) {
    return '<svg class="' + (classe || "") + '" viewBox="0 0 24 24" aria-hidden="true" focusable="false"><path d="' +
      ICONES[nom] + '"/></svg>';
  }

  function bouton(nom, libelle, contenu, action, bascule) {
    var b = document.createElement("button");
    b.type = "button";
    b.className = "lecteur-bouton lecteur-" + nom;
    b.title = libelle;
    b.innerHTML = contenu + '<span class="libelle">' + libelle + "</span>";
    if (bascule) b.setAttribute("aria-pressed", "false");
    b.addEventListener("click", function () {
      if (b.getAttribute("aria-disabled") !== "true") action();
    });
    boutons[nom] = b;
    return b;
  }

  function groupe(enfants) {
    var g = document.createElement("span");
    g.className = "lecteur-groupe";
    enfants.forEach(function (e) { if (e) g.appendChild(e); });
    return g;
  }

  function construitCommandes(conteneur) {
    conteneur.classList.add("lecteur-commandes");
    if (!conteneur.hasAttribute("aria-label")) conteneur.setAttribute("aria-label", TEXTES.commandes);

    var choix = document.createElement("label");
    choix.className = "lecteur-intervalle";
    var liste = document.createElement("select");
    INTERVALLES.forEach(function (s) {
      var o = document.createElement("option");
      o.value = String(s);
      o.textContent = s + TEXTES.secondes;
      if (s === INTERVALLE_DEFAUT) o.selected = true;
      liste.appendChild(o);
    });
    liste.addEventListener("change", function () {
      intervalle = Number(liste.value) * 1000;
      reste = intervalle;
      if (enLecture) lanceMinuterie();
      else progression(false);
    });
    choix.innerHTML = '<span class="libelle">' + TEXTES.intervalle + "</span>";
    choix.appendChild(liste);
    boutons.intervalle = liste;

    var plein = null;
    if (document.fullscreenEnabled || document.webkitFullscreenEnabled) {
      plein = bouton("pleinEcran", TEXTES.pleinEcran, icone("pleinEcran"), basculePleinEcran, true);
    }

    conteneur.appendChild(groupe([
      bouton("premiere", TEXTES.premiere, icone("premiere"), function () { va(0); }),
      bouton("precedente", TEXTES.precedente, icone("precedente"), function () { va(courante - 1); }),
      bouton("lecture", TEXTES.lecture, icone("lecture", "icone-lecture") + icone("pause", "icone-pause"),
        function () { lecture(!enLecture); }),
      bouton("suivante", TEXTES.suivante, icone("suivante"), function () { va(courante + 1); }),
      bouton("derniere", TEXTES.derniere, icone("derniere"), function () { va(nombre - 1); })
    ]));
    conteneur.appendChild(groupe([choix]));
    conteneur.appendChild(groupe([
      bouton("son", TEXTES.son, icone("son") + icone("onde", "icone-onde"), function () {
        sonActif = !sonActif;
        boutons.son.setAttribute("aria-pressed", String(sonActif));
        if (sonActif && !son) {
          son = new Audio("sohifrm2.wav");
          son.preload = "auto";
        }
      }, true),
      bouton("vignettes", TEXTES.vignettes, icone("vignettes"), function () {
        bandeChoisie = true;
        montreBande(elements.bande.hidden);
      }, true),
      plein
    ]));
  }

  function etatBoutons() {
    var debut = courante === 0;
    var fin = courante === nombre - 1;
    [["premiere", debut], ["precedente", debut], ["suivante", fin], ["derniere", fin],
      ["lecture", nombre < 2]].forEach(function (b) {
      if (b[1]) boutons[b[0]].setAttribute("aria-disabled", "true");
      else boutons[b[0]].removeAttribute("aria-disabled");
    });
  }

  // ---- Stage ----

  function construitScene(scene, diapo) {
    scene.classList.add("lecteur-scene");
    diapo.classList.add("vue");
    // Stands in for a picture not decoded yet: the slide's thumbnail, scaled.
    var remplacante = document.createElement("div");
    remplacante.className = "lecteur-remplacante";
    remplacante.hidden = true;
    remplacante.setAttribute("role", "img");
    scene.insertBefore(remplacante, diapo.nextSibling);
    elements.remplacante = remplacante;
    // Two more picture elements, for the next picture held ready and the
    // picture given up; copies of the page's own, so that its look applies.
    var copie = function () {
      var img = diapo.cloneNode(false);
      img.removeAttribute("id");
      img.removeAttribute("src");
      img.alt = "";
      img.hidden = true;
      img.setAttribute("aria-hidden", "true");
      img.decoding = "async";
      scene.insertBefore(img, remplacante);
      return img;
    };
    jumelle = copie();
    libre = copie();
    [diapo, jumelle, libre].forEach(function (img) {
      var suit = function () { if (img === elements.diapo) affiche(); };
      img.addEventListener("load", suit);
      img.addEventListener("error", suit);
    });

    var echec = document.createElement("div");
    echec.className = "lecteur-echec";
    echec.hidden = true;
    echec.setAttribute("role", "img");
    echec.innerHTML = '<span class="lecteur-echec-numero" aria-hidden="true"></span>' +
      '<span class="lecteur-echec-texte" aria-hidden="true">' + TEXTES.echec + "</span>" +
      '<span class="lecteur-echec-fichier" aria-hidden="true"></span>';
    scene.appendChild(echec);
    elements.echec = echec;

    var signe = document.createElement("div");
    signe.className = "lecteur-attente";
    signe.hidden = true;
    signe.setAttribute("role", "status");
    signe.innerHTML = '<span class="lecteur-masque">' + TEXTES.chargement + "</span>";
    scene.appendChild(signe);
    elements.attente = signe;

    var barre = document.createElement("div");
    barre.className = "lecteur-progression";
    barre.hidden = true;
    scene.appendChild(barre);
    elements.progression = barre;
  }

  // ---- Thumbnails ----

  // A thumbnail comes from the thumbnail folder, or from the picture itself
  // where there is none; when neither loads, the slide's number stands in.
  function chargeVignette(b) {
    var img = b.firstChild;
    if (!img || img.tagName !== "IMG" || img.getAttribute("src")) return;
    var i = Number(b.dataset.index);
    img.addEventListener("error", function () {
      if (!img.dataset.repli) {
        img.dataset.repli = "1";
        img.src = adresse(i);
        return;
      }
      var manque = document.createElement("span");
      manque.className = "lecteur-vignette-manque";
      manque.textContent = String(i + 1);
      b.replaceChild(manque, img);
    });
    img.src = adresseVignette(i);
  }

  function construitBande(bande) {
    bande.classList.add("lecteur-bande");
    if (!bande.id) bande.id = "Vignettes";
    if (!bande.hasAttribute("aria-label")) bande.setAttribute("aria-label", TEXTES.bande);
    if (!bande.hasAttribute("role") && bande.tagName !== "NAV") bande.setAttribute("role", "navigation");
    // Thumbnails load as they come near the visible part of the strip.
    var proches = window.IntersectionObserver ? new IntersectionObserver(function (vues) {
      vues.forEach(function (v) {
        if (!v.isIntersecting) return;
        proches.unobserve(v.target);
        chargeVignette(v.target);
      });
    }, { root: bande, rootMargin: "0px 100%" }) : null;
    var liste = document.createElement("ol");
    for (var i = 0; i < nombre; i++) {
      var li = document.createElement("li");
      var b = document.createElement("button");
      b.type = "button";
      b.className = "lecteur-vignette";
      b.tabIndex = -1;
      b.setAttribute("aria-label", TEXTES.allerA + (i + 1));
      b.dataset.index = String(i);
      var img = document.createElement("img");
      img.alt = "";
      img.decoding = "async";
      b.appendChild(img);
      li.appendChild(b);
      liste.appendChild(li);
      vignettes.push(b);
      if (proches) proches.observe(b);
      else chargeVignette(b);
    }
    liste.addEventListener("click", function (ev) {
      var b = ev.target.closest(".lecteur-vignette");
      if (b) va(Number(b.dataset.index));
    });
    bande.appendChild(liste);
    boutons.vignettes.setAttribute("aria-controls", bande.id);
  }

  // A page hides the strip at first with data-masquee, or on some screens
  // only with the custom property --lecteur-bande: masquee; the strip
  // follows the screen (a phone turned) until the visitor shows or hides it.
  var bandeChoisie = false;
  function bandeParDefaut() {
    if (bandeChoisie) return;
    var bande = elements.bande;
    var masquee = getComputedStyle(bande).getPropertyValue("--lecteur-bande").trim() === "masquee";
    var voulue = !bande.hasAttribute("data-masquee") && !masquee;
    if (voulue === bande.hidden || boutons.vignettes.getAttribute("aria-pressed") !== String(voulue)) montreBande(voulue);
  }

  function montreBande(oui) {
    elements.bande.hidden = !oui;
    rangee = null;
    boutons.vignettes.setAttribute("aria-pressed", String(oui));
    if (oui) centreVignette(vignettes[courante], false);
  }

  // Thumbnails all have one width: where each lies follows from the first
  // two, measured once per layout of the strip, so that a press does not
  // lay the page out to centre the current one.
  var rangee = null;
  function centreVignette(v, doux) {
    var bande = elements.bande;
    if (!v || bande.hidden) return;
    if (!rangee || !rangee.largeur) {
      var premiere = vignettes[0];
      rangee = {
        debut: premiere.offsetLeft,
        pas: vignettes.length > 1 ? vignettes[1].offsetLeft - premiere.offsetLeft : 0,
        largeur: premiere.offsetWidth,
        visible: bande.clientWidth
      };
    }
    var gauche = rangee.debut + rangee.pas * Number(v.dataset.index) - (rangee.visible - rangee.largeur) / 2;
    bande.scrollTo({ left: Math.max(0, gauche), behavior: doux && !moinsDeMouvement.matches ? "smooth" : "auto" });
  }

  // One thumbnail is in the tab order: the current one. Focus follows the
  // slide when it was on the strip.
  function marqueVignette(i) {
    var avecFocus = vignettes.indexOf(document.activeElement) >= 0;
    vignettes.forEach(function (v, j) {
      if (j === i) {
        v.setAttribute("aria-current", "true");
        v.tabIndex = 0;
      } else if (v.tabIndex !== -1 || v.hasAttribute("aria-current")) {
        v.removeAttribute("aria-current");
        v.tabIndex = -1;
      }
    });
    if (avecFocus) vignettes[i].focus({ preventScroll: true });
    centreVignette(vignettes[i], true);
  }

  // ---- Keyboard and touch ----

  function clavier(ev) {
    if (ev.defaultPrevented || ev.altKey || ev.ctrlKey || ev.metaKey) return;
    var cible = ev.target;
    var nom = cible && cible.tagName;
    if (nom === "INPUT" || nom === "SELECT" || nom === "TEXTAREA" || (cible && cible.isContentEditable)) return;
    switch (ev.key) {
      case "ArrowRight": case "ArrowDown": case "PageDown": case "Right": case "Down":
        va(courante + 1); break;
      case "ArrowLeft": case "ArrowUp": case "PageUp": case "Left": case "Up":
        va(courante - 1); break;
      case "Home": va(0); break;
      case "End": va(nombre - 1); break;
      case " ": case "Spacebar":
        // On a button, the space bar presses that button.
        if (nom === "BUTTON" || nom === "A" || nom === "SUMMARY") return;
        lecture(!enLecture);
        break;
      case "f": case "F":
        basculePleinEcran(); break;
      case "Escape": case "Esc":
        if (!pleinEcranActif()) return;
        basculePleinEcran();
        break;
      default:
        return;
    }
    ev.preventDefault();
  }

  function glisser(scene) {
    var debut = null;
    scene.addEventListener("pointerdown", function (ev) {
      debut = ev.pointerType === "mouse" ? null : { x: ev.clientX, y: ev.clientY, id: ev.pointerId };
    });
    scene.addEventListener("pointerup", function (ev) {
      if (!debut || ev.pointerId !== debut.id) return;
      var dx = ev.clientX - debut.x;
      var dy = ev.clientY - debut.y;
      debut = null;
      if (Math.abs(dx) >= SEUIL_GLISSER && Math.abs(dx) > 1.5 * Math.abs(dy)) va(dx < 0 ? courante + 1 : courante - 1);
    });
    scene.addEventListener("pointercancel", function () { debut = null; });
  }

  // ---- Start ----

  function trouveOuCree(id, balise, classe, parent) {
    var e = document.getElementById(id);
    if (e) return e;
    e = document.createElement(balise);
    e.id = id;
    if (classe) e.className = classe;
    parent.appendChild(e);
    return e;
  }

  function demarre() {
    try {
      PremiereDiapo();
    } catch (e) {
      // A page without one of the four elements still plays what it has.
      console.warn("Diaporama : " + e.message);
    }
    var diapo = document.getElementById("diapo");
    if (!diapo) return;
    nombre = Math.max(0, Math.min(typeof NBSprite === "number" ? NBSprite + 1 : Info.length, Info.length || Infinity));
    elements.diapo = diapo;
    elements.position = document.getElementById("InfoDiaporama");
    elements.legende = document.getElementById("InfoTexte");
    if (elements.legende) elements.legende.addEventListener("scroll", marqueDebord, { passive: true });
    var titre = document.getElementById("Titre");
    var texteTitre = titre ? texteDe(titre.innerHTML) : "";
    if (texteTitre) document.title = texteTitre;

    var scene = document.getElementById("Scene") || diapo.parentNode;
    construitScene(scene, diapo);

    var annonce = document.createElement("p");
    annonce.className = "lecteur-masque";
    annonce.setAttribute("aria-live", "polite");
    annonce.setAttribute("aria-atomic", "true");
    document.body.appendChild(annonce);
    elements.annonce = annonce;

    construitCommandes(trouveOuCree("Commandes", "nav", "", scene.parentNode));
    elements.bande = trouveOuCree("Vignettes", "nav", "", document.body);
    construitBande(elements.bande);
    bandeParDefaut();
    egaliseLegendes();

    var mesure = function () {
      var s = getComputedStyle(scene);
      boite = {
        w: scene.clientWidth - parseFloat(s.paddingLeft) - parseFloat(s.paddingRight),
        h: scene.clientHeight - parseFloat(s.paddingTop) - parseFloat(s.paddingBottom),
        cw: scene.clientWidth,
        ch: scene.clientHeight
      };
    };
    mesure();
    // The outgoing picture keeps the old size: it goes at once.
    var retaille = function () { finFondu(); mesure(); affiche(); apprete(); };
    if (window.ResizeObserver) new ResizeObserver(retaille).observe(scene);
    else window.addEventListener("resize", retaille);
    var largeur = window.innerWidth;
    window.addEventListener("resize", function () {
      rangee = null;
      bandeParDefaut();
      // Only a change of width wraps the captions differently.
      if (window.innerWidth !== largeur) {
        largeur = window.innerWidth;
        egaliseLegendes();
      } else {
        marqueDebord();
      }
    });

    document.addEventListener("keydown", clavier);
    glisser(scene);
    ["pointermove", "pointerdown", "keydown", "wheel", "touchstart"].forEach(function (type) {
      document.addEventListener(type, reveille, { capture: true, passive: true });
    });
    window.addEventListener("hashchange", function () {
      var i = diapoDeLAdresse();
      if (i >= 0) va(i);
    });
    document.addEventListener("visibilitychange", function () {
      if (document.visibilityState === "visible") { if (enLecture) garderEveille(); } else laisserDormir();
    });
    document.addEventListener("fullscreenchange", pleinEcranChange);
    document.addEventListener("webkitfullscreenchange", pleinEcranChange);

    if (!nombre) {
      Object.keys(boutons).forEach(function (k) { boutons[k].disabled = true; });
      return;
    }
    // For scripts driving the page (tests, measurements): read-only state.
    window.Diaporama = {
      courante: function () { return courante; },
      nombre: nombre,
      estPrete: function (i) {
        var p = memoire.get(i);
        return !!p && p.decodee;
      }
    };
    var depuisAdresse = diapoDeLAdresse();
    courante = -1;
    montre(depuisAdresse >= 0 ? depuisAdresse : 0);
  }

  var style = document.createElement("style");
  style.textContent = STYLE_BASE;
  var tete = document.head || document.getElementsByTagName("head")[0];
  if (tete) tete.insertBefore(style, tete.firstChild);

  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", demarre);
  else demarre();
})();
