// Lecteur de diaporama. Lines 7 to 10 hold the slideshow's data and lines 13
// to 16 its first display; both blocks are rewritten for every slideshow.
var Info = new Array();
var TypeImage = new Array();
// RepImage: image stem; NBSprite: index of the last slide.
// Info[i]: caption of slide i (HTML); TypeImage[i]: ".gif" or ".jpg".
var RepImage="Nouveau";
var NBSprite=0;
Info[0]="&nbsp;<font face='DejaVu Sans' size='2' color='#000000'>Bienvenue ! Voici votre premi&egrave;re diapo.<br>Tapez ici sa l&eacute;gende, ajoutez d'autres images avec le bouton &laquo; Ajouter une diapo &raquo;,<br>puis choisissez &laquo; Enregistrer sous... &raquo; pour donner un nom &agrave; votre diaporama.</font>";
TypeImage[0]=".gif";
// First display; run once the page's elements exist (see the end of the file).
function PremiereDiapo() {
document.getElementById("diapo").src="Nouveau0.gif";
document.getElementById("InfoDiaporama").innerHTML="1 / 1";
document.getElementById("InfoTexte").innerHTML=Info[0];
document.getElementById("Titre").innerHTML="Mon nouveau diaporama";
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
    ".lecteur-scene>.vue,.lecteur-scene>.lecteur-echec{position:absolute;top:0;right:0;bottom:0;left:0;margin:auto;max-width:none;max-height:none;object-fit:contain}",
    ".lecteur-scene>[hidden]{display:none!important}",
    ".lecteur-scene>.lecteur-sortante{pointer-events:none}",
    ".lecteur-echec{display:fl