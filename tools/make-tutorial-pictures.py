#!/usr/bin/python3
"""Draws the pictures of the tutorial (appdata/Exemples/Didacticiel/*.png):
simplified views of Lumivue's windows, in their colours and with their real
captions, built from the shipped example pictures and textures. They stand
in for screenshots of the real windows until a screenshot script replaces
them; the page names each window and its state in data attributes.
Needs Debian's python3-pil and fonts-dejavu-core; run after make-example.py
and make-textures.py. Usage: tools/make-tutorial-pictures.py [appdata folder]
"""
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

S = 2                                   # drawn at twice the size, then reduced
FONTS = Path('/usr/share/fonts/truetype/dejavu')


def font(size, bold=False):
    name = 'DejaVuSans-Bold.ttf' if bold else 'DejaVuSans.ttf'
    return ImageFont.truetype(str(FONTS / name), size * S)


class Sketch:
    """A window drawn at S times its size; coordinates are given at 1x."""

    def __init__(self, width, height, title, background='#f3f1ec'):
        self.w, self.h = width, height
        self.image = Image.new('RGB', (width * S, height * S), '#d9dde3')
        self.d = ImageDraw.Draw(self.image)
        self.box(0, 0, width - 1, height - 1, fill=background, outline='#8a93a0', radius=8)
        self.box(0, 0, width - 1, 30, fill='#2d3644', radius=8)
        self.box(0, 16, width - 1, 30, fill='#2d3644')
        self.text(14, 8, title, 13, '#f2f4f7', bold=True)
        for i, colour in enumerate(('#e0605a', '#e6b44a', '#5db05c')):
            x = width - 20 - 22 * i
            self.d.ellipse([(x - 6) * S, 10 * S, (x + 6) * S, 22 * S], fill=colour)

    def box(self, x0, y0, x1, y1, fill=None, outline=None, radius=0, width=1):
        self.d.rounded_rectangle([x0 * S, y0 * S, x1 * S, y1 * S], radius=radius * S, fill=fill,
                                 outline=outline, width=width * S)

    def text(self, x, y, text, size=12, colour='#25303d', bold=False, anchor='la'):
        self.d.text((x * S, y * S), text, font=font(size, bold), fill=colour, anchor=anchor)

    def picture(self, source, x0, y0, x1, y1, tile=False):
        """Pastes a picture scaled to fill the box (or tiled at half size)."""
        im = Image.open(source).convert('RGB')
        w, h = (x1 - x0) * S, (y1 - y0) * S
        if tile:
            im = im.resize((im.width // 2 * S, im.height // 2 * S))
            canvas = Image.new('RGB', (w, h))
            for tx in range(0, w, im.width):
                for ty in range(0, h, im.height):
                    canvas.paste(im, (tx, ty))
            im = canvas
        else:
            scale = max(w / im.width, h / im.height)
            im = im.resize((round(im.width * scale), round(im.height * scale)), Image.LANCZOS)
            left, top = (im.width - w) // 2, (im.height - h) // 2
            im = im.crop((left, top, left + w, top + h))
        self.image.paste(im, (x0 * S, y0 * S))

    def button(self, x0, y0, x1, y1, label, primary=False):
        self.box(x0, y0, x1, y1, fill='#2f74d0' if primary else '#ffffff', outline='#b7c0cc', radius=5)
        self.text((x0 + x1) / 2, (y0 + y1) / 2, label, 12, '#ffffff' if primary else '#25303d',
                  bold=True, anchor='mm')

    def field(self, x0, y0, x1, y1, text='', colour='#1f2833'):
        self.box(x0, y0, x1, y1, fill='#ffffff', outline='#c3cad5', radius=4)
        if text:
            self.text(x0 + 8, (y0 + y1) / 2, text, 12, colour, anchor='lm')

    def listing(self, x0, y0, x1, y1, rows, selected=None, folder_icons=False):
        self.box(x0, y0, x1, y1, fill='#ffffff', outline='#c3cad5', radius=4)
        for i, row in enumerate(rows):
            y = y0 + 6 + i * 20
            if y + 18 > y1:
                break
            if i == selected:
                self.box(x0 + 3, y - 1, x1 - 3, y + 17, fill='#2f74d0', radius=3)
            colour = '#ffffff' if i == selected else '#25303d'
            if folder_icons:
                self.box(x0 + 8, y + 4, x0 + 20, y + 13, fill='#e6b44a', radius=2)
            self.text(x0 + (26 if folder_icons else 8), y + 1, row, 12, colour)

    def save(self, path):
        self.image.resize((self.w, self.h), Image.LANCZOS).save(path, 'PNG', optimize=True)


def principale(app, path):
    s = Sketch(760, 470, 'Lumivue 2.1', background='#efe9dc')
    s.box(1, 31, 758, 75, fill='#27303d')
    groups = [('#2f74d0', 4), ('#179386', 6), ('#e07b24', 5), ('#7b61d1', 3)]
    x = 14
    for colour, count in groups:
        for _ in range(count):
            s.box(x, 40, x + 26, 66, fill=colour, radius=6)
            x += 32
        x += 14
    s.box(724, 40, 750, 66, fill='#d9473f', radius=6)
    s.box(14, 86, 486, 432, fill='#fdfcf9', outline='#d6cfbf', radius=10)
    s.box(24, 96, 476, 388, fill='#2a313b', radius=6)
    s.picture(app / 'Nouveau0.gif', 110, 170, 390, 333)
    for i, label in enumerate(('<<', '<', '0', '>', '>>')):
        bx = 170 + i * 40
        s.button(bx, 398, bx + 34, 422, label)
    s.text(28, 404, 'L = 600   H = 350', 11, '#5b6675')
    s.box(498, 86, 746, 432, fill='#fdfcf9', outline='#d6cfbf', radius=10)
    s.text(510, 98, 'Entete du diaporama :', 11, '#4a5564', bold=True)
    s.field(510, 116, 734, 138, 'Mon nouveau diaporama')
    s.box(510, 150, 734, 400, fill='#6b7b8f', radius=8)
    for i, line in enumerate(('Bienvenue ! Voici votre', 'première diapo. Tapez ici',
                              'sa légende...')):
        s.text(520, 160 + i * 18, line, 12, '#000000')
    s.field(510, 406, 734, 424, "<font face='DejaVu Sans' ...", '#4a5564')
    s.box(1, 440, 758, 469, fill='#222c3a', radius=0)
    s.text(14, 448, 'Nom du diaporama :', 11, '#b9c4d2')
    s.text(136, 448, 'Nouveau', 11, '#ffffff', bold=True)
    s.text(230, 448, 'Nombre de diapositives :', 11, '#b9c4d2')
    s.text(384, 448, '1', 11, '#ffffff', bold=True)
    s.save(path)


def enregistrer_sous(app, path):
    s = Sketch(520, 380, 'EnregistrerSous')
    s.text(20, 46, 'Nom du diaporama', 11, '#4a5564', bold=True)
    s.field(20, 64, 500, 88, 'Vacances')
    s.field(20, 100, 250, 124, '/  (disque système)')
    s.listing(20, 132, 250, 320, ['home', 'moi', 'Documents', 'Images', 'Vacances'], selected=4,
              folder_icons=True)
    s.text(20, 326, 'Click souris droit pour créer un dossier', 10, '#6a7380')
    s.listing(266, 100, 500, 320, ['(aucun diaporama)'])
    s.button(300, 336, 390, 364, 'OK', primary=True)
    s.button(402, 336, 500, 364, 'Annuler')
    s.button(20, 340, 44, 364, '?')
    s.save(path)


def ajouter_diapo(app, path):
    s = Sketch(640, 420, 'Ajouter une diapo')
    s.field(20, 46, 240, 70, '/  (disque système)')
    s.listing(20, 78, 240, 220, ['home', 'moi', 'Images', 'Vacances 2024'], selected=3, folder_icons=True)
    s.listing(20, 228, 240, 370, ['port.jpg', 'plage.jpg', 'phare.gif', 'falaises.jpg'], selected=1)
    s.box(256, 46, 620, 286, fill='#2a313b', radius=6)
    s.picture(app / 'Exemples' / 'Paysages2.jpg', 268, 56, 608, 276)
    s.box(256, 298, 620, 370, fill='#ffffff', outline='#c3cad5', radius=4)
    s.text(266, 308, 'La plage au grand soleil', 12)
    s.button(520, 380, 620, 408, 'OK', primary=True)
    s.button(20, 384, 44, 408, '?')
    s.save(path)


def legende(app, path):
    s = Sketch(520, 360, 'Lumivue 2.1', background='#fdfcf9')
    s.text(20, 44, 'Entete du diaporama :', 11, '#4a5564', bold=True)
    s.field(20, 62, 500, 86, 'Nos vacances à la mer')
    s.field(20, 98, 300, 122, 'DejaVu Serif')
    s.field(310, 98, 380, 122, '14')
    s.box(20, 132, 446, 340, fill='#6b7b8f', radius=8)
    selected = s.d.textlength('Le port au lever', font=font(14, True)) / S
    s.box(32, 146, 36 + selected, 168, fill='#ffd35c', radius=2)
    s.text(34, 148, 'Le port au lever', 14, '#1b1b1b', bold=True)
    s.text(40 + selected, 148, 'du soleil', 14, '#ffffff')
    s.text(34, 176, 'Les bateaux partent pour la journée.', 12, '#ffffff')
    labels = ['i', 's', 'g', 'b', 'exp', 'ind', 'A', '↶']
    for i, label in enumerate(labels):
        y = 132 + i * 26
        s.box(456, y, 480, y + 24, fill='#ffffff', outline='#c3cad5', radius=4)
        s.text(468, y + 12, label, 10 if len(label) > 1 else 13, '#25303d', anchor='mm',
               bold=label == 'g')
    s.box(484, 132 + 6 * 26, 508, 132 + 6 * 26 + 24, fill='#ffd98a', outline='#c3cad5', radius=4)
    s.save(path)


def visionneuse(app, path):
    s = Sketch(640, 330, 'Visionneuse')
    pictures = ['Paysages0.jpg', 'Paysages2.jpg', 'Paysages3.jpg']
    for i, name in enumerate(pictures):
        x = 40 + i * 200
        s.box(x - 2, 58, x + 162, 170, outline='#8a93a0', radius=4)
        s.picture(app / 'Exemples' / name, x, 60, x + 160, 168)
        s.text(x + 80, 180, str(i + 1), 12, '#25303d', anchor='ma')
    for j in range(4):
        x = 26 + j * 200
        s.d.polygon([((x - 7) * S, 100 * S), ((x + 7) * S, 100 * S), (x * S, 118 * S)], fill='#e07b24')
        s.box(x - 2, 118, x + 2, 150, fill='#e07b24')
    s.box(40, 214, 600, 232, fill='#ffffff', outline='#c3cad5', radius=9)
    s.box(44, 217, 140, 229, fill='#b7c0cc', radius=6)
    s.button(420, 280, 500, 308, 'OK', primary=True)
    s.button(512, 280, 600, 308, 'Annuler')
    s.button(40, 284, 64, 308, '?')
    s.save(path)


def fond(app, path):
    s = Sketch(560, 360, "Changer le fond d'écran")
    s.text(40, 46, 'Prévisualisation', 12, '#25303d', bold=True)
    s.picture(app / 'Textures' / 'Bois.jpg', 40, 68, 240, 228, tile=True)
    s.box(40, 68, 240, 228, outline='#8a93a0')
    s.text(140, 236, 'Bois', 12, '#25303d', anchor='ma')
    s.box(40, 258, 240, 274, fill='#ffffff', outline='#c3cad5', radius=8)
    s.box(78, 260, 104, 272, fill='#b7c0cc', radius=6)
    s.text(320, 46, 'FOND ACTUEL', 12, '#25303d', bold=True)
    s.picture(app / 'Textures' / 'Lin.jpg', 320, 68, 520, 228, tile=True)
    s.box(320, 68, 520, 228, outline='#8a93a0')
    s.button(340, 310, 420, 338, 'OK', primary=True)
    s.button(432, 310, 520, 338, 'Annuler')
    s.button(40, 314, 64, 338, '?')
    s.save(path)


def navigateur(app, path):
    s = Sketch(760, 470, 'Une journée en paysages', background='#3a332c')
    s.picture(app / 'Textures' / 'Ardoise.jpg', 1, 31, 758, 468, tile=True)
    s.box(60, 42, 700, 456, fill='#15120f', outline='#4a433b', radius=10)
    s.text(380, 52, 'Une journée en paysages', 16, '#f3eee6', bold=True, anchor='ma')
    s.picture(app / 'Exemples' / 'Paysages1.gif', 170, 80, 590, 360)
    s.text(380, 372, 'Au pied des sommets', 14, '#ffd98a', bold=True, anchor='ma')
    s.text(380, 394, 'Une affiche aux couleurs franches : neiges éternelles, sapins et prairies.', 11,
           '#f3eee6', anchor='ma')
    s.text(150, 424, '2 / 8', 12, '#f3eee6', bold=True)
    for i in range(7):
        x = 220 + i * 46
        s.box(x, 416, x + 38, 444, fill='#3a342e', outline='#7a6e60', radius=6)
    s.save(path)


PICTURES = {
    'principale.png': principale,
    'enregistrer-sous.png': enregistrer_sous,
    'ajouter-diapo.png': ajouter_diapo,
    'legende.png': legende,
    'visionneuse.png': visionneuse,
    'navigateur.png': navigateur,
    'fond.png': fond,
}


def main():
    app = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'appdata')
    folder = app / 'Exemples' / 'Didacticiel'
    folder.mkdir(parents=True, exist_ok=True)
    for name, draw in PICTURES.items():
        draw(app, folder / name)


if __name__ == '__main__':
    main()
