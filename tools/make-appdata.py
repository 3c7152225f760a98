#!/usr/bin/env python3
"""Writes the sound, the default project file and the notes (LISEZMOI.txt) of
Lumivue's pristine application folder (the folder is the one argument)."""
import math
import struct
import sys
import wave
from pathlib import Path

app = Path(sys.argv[1])


def chime(path, rate=22050, seconds=0.42):
    """A soft bell: a few inharmonic partials, each decaying at its own pace,
    with a short fade-in so that the start does not click."""
    partials = [(880.0, 0.55, 7.0), (1760.0, 0.22, 10.0), (2637.0, 0.12, 14.0), (3520.0, 0.06, 18.0)]
    frames = bytearray()
    count = int(rate * seconds)
    for n in range(count):
        t = n / rate
        value = sum(a * math.exp(-d * t) * math.sin(2 * math.pi * f * t) for f, a, d in partials)
        value *= min(1.0, t / 0.004) * min(1.0, (count - n) / (rate * 0.02))
        frames += struct.pack('<h', int(max(-1.0, min(1.0, value)) * 26000))
    with wave.open(str(path), 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


def cp1252(path, lines):
    """Lumivue's own text format: Windows-1252, every line ended by CR LF."""
    path.write_bytes(''.join(line + '\r\n' for line in lines).encode('cp1252'))


chime(app / 'sohifrm2.wav')

caption = ("<font face='DejaVu Sans' size='2' color='#F3EEE6'>Bienvenue ! Voici votre premi\u00e8re diapo."
           "<br>Tapez ici sa l\u00e9gende, ajoutez d'autres images avec le bouton \u00ab Ajouter une diapo \u00bb,"
           "<br>puis choisissez \u00ab Enregistrer sous... \u00bb pour donner un nom \u00e0 votre diaporama.</font>")
cp1252(app / 'Nouveau.lmv', ['Nom=Nouveau', 'Repertoire=', 'NbSprite=1',
                             'Tag=Mon nouveau diaporama', caption])

readme = {
    'Restaurer': "Copies d'origine du diaporama par d\u00e9faut \u00ab Nouveau \u00bb, de ses images de fond "
                 "et du son.\nLumivue les recopie dans son dossier quand vous restaurez le mod\u00e8le par "
                 "d\u00e9faut.\nNe modifiez pas ces fichiers.",
    'Textures': "Images de fond propos\u00e9es pour vos diaporamas (fichiers .jpg).\n"
                "Ajoutez ici vos propres textures : elles appara\u00eetront dans la liste des fonds.\n"
                "Choisissez des images qui se raccordent bord \u00e0 bord, sans jointure visible.\n\n"
                "Origine : toutes les textures livr\u00e9es sont dessin\u00e9es par les scripts de Lumivue "
                "(tools/make-textures.py ;\nPapier et Feuillage : tools/make-appdata.sh). Elles font partie "
                "de Lumivue et se\ndistribuent avec lui, aux m\u00eames conditions.",
    'Modeles': "Mod\u00e8les de pages pour vos diaporamas (fichiers .htm).\n"
               "Ajoutez ici vos propres mod\u00e8les : ils appara\u00eetront dans le choix des mod\u00e8les.\n"
               "Une image .png du m\u00eame nom (Album.png pour Album.htm) en montre l'aper\u00e7u.\n"
               "Un mod\u00e8le indique dans son en-t\u00eate les couleurs de la zone des l\u00e9gendes, pour que\n"
               "l'\u00e9diteur de l\u00e9gendes les montre telles qu'elles seront vues :\n"
               "<meta name=\"lumivue-caption-background\" content=\"#rrggbb\"> (le fond) et\n"
               "<meta name=\"lumivue-caption-color\" content=\"#rrggbb\"> (le texte).\n"
               "Sans elles, Lumivue montre les l\u00e9gendes en noir sur blanc.",
    'Aide': "Pages d'aide de Lumivue. La page d'accueil est AideCD.htm.",
    'Aide_Contextuelle': "Pages d'aide ouvertes par le bouton d'aide de chaque fen\u00eatre de Lumivue.",
    'AideCapture': "Pages d'aide de la capture d'\u00e9cran. La page d'accueil est index.htm.",
    'Exemples': "Exemples et didacticiel de Lumivue. Commencez par Didacticiel.htm.\n"
                "Paysages.htm est un diaporama termin\u00e9 : ouvrez-le dans votre navigateur, ou ouvrez\n"
                "Paysages.lmv dans Lumivue pour voir comment il est fait.\n\n"
                "Origine : les images de Paysages sont dessin\u00e9es par tools/make-example.py, et la page\n"
                "et le script de Paysages sont faits par Lumivue (tools/make-content.sh). Les images du\n"
                "dossier Didacticiel sont des captures des fen\u00eatres de Lumivue et de Paysages dans le\n"
                "navigateur (tools/make-tutorial-screenshots.sh). Ils font partie de Lumivue et se\n"
                "distribuent avec lui, aux m\u00eames conditions.",
}
for folder, text in readme.items():
    (app / folder / 'LISEZMOI.txt').write_text(text + '\n', encoding='utf-8')

# Where every picture and sound shipped in the folder comes from.
(app / 'LISEZMOI.txt').write_text(
    "Dossier de Lumivue : le diaporama \u00ab Nouveau \u00bb, les mod\u00e8les de pages (Modeles), les fonds\n"
    "(Textures), l'aide (Aide, Aide_Contextuelle, AideCapture) et les exemples (Exemples).\n\n"
    "Origine des images et des sons : tous sont faits par les scripts du dossier tools/ des\n"
    "sources de Lumivue, aucun ne vient d'ailleurs.\n"
    "- Nouveau0.gif, imgFond.jpg, imgFondTable.jpg (et leurs copies dans Restaurer et Modeles),\n"
    "  Textures/Papier.jpg et Textures/Feuillage.jpg : tools/make-appdata.sh (ImageMagick) ;\n"
    "- sohifrm2.wav (et ses copies) : tools/make-appdata.py, un carillon calcul\u00e9 ;\n"
    "- les autres textures : tools/make-textures.py (Exemples/imgFond.jpg est une copie d'Ardoise) ;\n"
    "- les images de l'exemple Paysages : tools/make-example.py ;\n"
    "- les images du didacticiel (Exemples/Didacticiel) : des captures des fen\u00eatres de Lumivue,\n"
    "  faites par tools/make-tutorial-screenshots.sh.\n"
    "Ces fichiers font partie de Lumivue et se distribuent avec lui, aux m\u00eames conditions.\n",
    encoding='utf-8')
