#!/usr/bin/env python3
"""Writes the sound, the default project file and the text pages of
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


def page(path, title, body):
    path.write_text(
        '<!DOCTYPE html>\n<html lang="fr">\n<head>\n<meta charset="utf-8">\n'
        f'<title>{title}</title>\n'
        '<style>body{font-family:"DejaVu Sans",sans-serif;max-width:46em;margin:2em auto;'
        'line-height:1.5;color:#222;background:#faf8f3}h1{color:#3b3f6b}'
        'h2{color:#4e4376;margin-top:1.5em}kbd{background:#eee;border-radius:3px;padding:0 .3em}</style>\n'
        f'</head>\n<body>\n<h1>{title}</h1>\n{body}\n</body>\n</html>\n', encoding='utf-8')


chime(app / 'sohifrm2.wav')

caption = ("<font face='DejaVu Sans' size='2' color='#000000'>Bienvenue ! Voici votre premi\u00e8re diapo."
           "<br>Tapez ici sa l\u00e9gende, ajoutez d'autres images avec le bouton \u00ab Ajouter une diapo \u00bb,"
           "<br>puis choisissez \u00ab Enregistrer sous... \u00bb pour donner un nom \u00e0 votre diaporama.</font>")
cp1252(app / 'Nouveau.lmv', ['Nom=Nouveau', 'Repertoire=', 'NbSprite=1',
                             'Tag=Mon nouveau diaporama', caption])

readme = {
    'Restaurer': "Copies d'origine du diaporama par d\u00e9faut \u00ab Nouveau \u00bb, de ses images de fond "
                 "et du son.\nLumivue les recopie dans son dossier quand vous restaurez le mod\u00e8le par "
                 "d\u00e9faut.\nNe modifiez pas ces fichiers.",
    'Textures': "Images de fond propos\u00e9es pour vos diaporamas (fichiers .jpg).\n"
                "Ajoutez ici vos propres textures : elles appara\u00eetront dans la liste des fonds.",
    'Modeles': "Mod\u00e8les de pages pour vos diaporamas (fichiers .htm).\n"
               "Ajoutez ici vos propres mod\u00e8les : ils appara\u00eetront dans le choix des mod\u00e8les.\n"
               "Une image .png du m\u00eame nom (Album.png pour Album.htm) en montre l'aper\u00e7u.",
    'Aide': "Pages d'aide de Lumivue. La page d'accueil est AideCD.htm.",
    'Aide_Contextuelle': "Pages d'aide ouvertes par le bouton d'aide de chaque fen\u00eatre de Lumivue.",
    'AideCapture': "Pages d'aide de la capture d'\u00e9cran. La page d'accueil est index.htm.",
    'Exemples': "Exemples et didacticiel de Lumivue. Commencez par Didacticiel.htm.",
}
for folder, text in readme.items():
    (app / folder / 'LISEZMOI.txt').write_text(text + '\n', encoding='utf-8')

page(app / 'Aide' / 'AideCD.htm', 'Aide de Lumivue', '''
<p>Lumivue fabrique des diaporamas qui se regardent dans un navigateur web : chaque diapo est une image
(GIF ou JPEG) accompagn\u00e9e d'une l\u00e9gende mise en forme.</p>
<h2>Cr\u00e9er un diaporama</h2>
<ol>
<li>Cliquez sur \u00ab Cr\u00e9er un nouveau diaporama \u00bb : le diaporama \u00ab Nouveau \u00bb s'ouvre avec une premi\u00e8re diapo.</li>
<li>Choisissez \u00ab Enregistrer sous... \u00bb pour lui donner un nom et un dossier.</li>
<li>Ajoutez des diapos avec \u00ab Ajouter une diapo ( \u00e0 la fin ) \u00bb ou capturez une partie de l'\u00e9cran.</li>
<li>Tapez la l\u00e9gende de chaque diapo ; mettez-la en forme avec les boutons gras, italiques, couleur...</li>
<li>Cliquez sur \u00ab Enregistrer \u00bb, puis sur \u00ab Cr\u00e9er et visualiser dans le navigateur \u00bb.</li>
</ol>
<h2>Modifier un diaporama</h2>
<p>\u00ab Ouvrir un diaporama existant \u00bb reprend un diaporama enregistr\u00e9. Les fl\u00e8ches passent d'une diapo
\u00e0 l'autre ; la visionneuse permet de d\u00e9placer ou d'\u00e9changer des diapos.</p>
<h2>Publier</h2>
<p>\u00ab Finaliser le diaporama \u00bb laisse dans le dossier tout ce dont le navigateur a besoin : copiez ce
dossier sur un site web ou une cl\u00e9 USB.</p>
''')

page(app / 'Exemples' / 'Didacticiel.htm', 'Didacticiel : votre premier diaporama', '''
<p>En cinq minutes, vous allez cr\u00e9er un petit diaporama de vacances.</p>
<h2>1. Un nouveau diaporama</h2>
<p>Cliquez sur le bouton \u00ab Cr\u00e9er un nouveau diaporama \u00bb. Une premi\u00e8re diapo s'affiche avec une
l\u00e9gende de bienvenue. Dans \u00ab Entete du diaporama \u00bb, tapez par exemple <em>Nos vacances</em>.</p>
<h2>2. Lui donner un nom</h2>
<p>Cliquez sur \u00ab Enregistrer sous... \u00bb, choisissez un dossier et tapez le nom <em>Vacances</em>.</p>
<h2>3. Ajouter des images</h2>
<p>Cliquez sur \u00ab Ajouter une diapo ( \u00e0 la fin ) \u00bb et choisissez une photo. Recommencez pour chaque
photo. Chaque diapo a sa l\u00e9gende : \u00e9crivez quelques mots sous chaque image.</p>
<h2>4. Regarder le r\u00e9sultat</h2>
<p>Cliquez sur \u00ab Enregistrer \u00bb, puis sur \u00ab Cr\u00e9er et visualiser dans le navigateur \u00bb :
votre diaporama d\u00e9file dans le navigateur. Bravo !</p>
''')
