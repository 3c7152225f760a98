#!/usr/bin/python3
"""Paints the pictures of the example slideshow "Paysages" in
appdata/Exemples and writes its project file.

Eight landscapes from dawn to night: the painterly ones are JPEG, the
flat poster-like ones GIF, so the example shows both kinds of slide.
Needs Debian's python3-numpy and python3-pil.
Usage: tools/make-example.py [appdata folder]
The slideshow's page and script are then made by Lumivue itself
(tools/make-content.sh does both).
"""
import shutil
import sys
from pathlib import Path

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

W, H = 720, 480          # every slide; 3:2 like a camera picture
SS = 2                   # drawn at twice the size, then reduced: smooth edges
NAME = 'Paysages'


# ---- helpers ----

def hexrgb(colour):
    return np.array([int(colour[i:i + 2], 16) for i in (1, 3, 5)], float)


def ramp(t, stops):
    """Colour ramp: t (any shape, 0 .. 1) onto (position, '#rrggbb') stops."""
    pos = np.array([p for p, _ in stops])
    rgb = np.array([hexrgb(c) for _, c in stops])
    t = np.clip(t, 0, 1)
    return np.stack([np.interp(t, pos, rgb[:, k]) for k in range(3)], axis=-1)


def vertical(h, w, stops):
    """A vertical gradient of h x w pixels."""
    t = np.linspace(0, 1, h)[:, None] * np.ones((1, w))
    return ramp(t, stops)


def noise2(rng, h, w, beta, wide=1.0):
    """Smooth random field with a 1/f^beta spectrum, scaled to 0 .. 1;
    wide > 1 stretches its features across (clouds, haze)."""
    white = rng.standard_normal((h, w))
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.fftfreq(w)[None, :] * wide
    f = np.hypot(fx, fy)
    f[0, 0] = 1
    spectrum = np.fft.fft2(white) * f ** (-beta / 2)
    spectrum[0, 0] = 0
    a = np.real(np.fft.ifft2(spectrum))
    a -= a.min()
    return a / a.max()


def ridge(rng, w, base, amplitude, roughness=1.8, smooth=0):
    """A skyline: heights (in pixels from the top) for each column."""
    n = noise2(rng, 8, w, roughness)[3]
    if smooth:
        kernel = np.ones(smooth) / smooth
        n = np.convolve(np.pad(n, smooth, mode='edge'), kernel, mode='same')[smooth:-smooth]
    n = (n - n.min()) / (n.max() - n.min())
    return base - amplitude * n


def below(h, w, line):
    """Soft mask of the pixels under a per-column line."""
    y = np.arange(h)[:, None]
    return np.clip(y - line[None, :] + 0.5, 0, 1)


def blend(img, colour, mask):
    mask = mask[..., None] if mask.ndim == 2 else mask
    return img * (1 - mask) + colour * mask


def glow(h, w, cy, cx, radius, strength):
    y, x = np.mgrid[0:h, 0:w]
    d = np.hypot(y - cy, x - cx)
    return strength * np.exp(-(d / radius) ** 2)


def disc(h, w, cy, cx, r):
    y, x = np.mgrid[0:h, 0:w]
    return np.clip(r - np.hypot(y - cy, x - cx) + 0.5, 0, 1)


def finish(img):
    """Reduces a drawing made at SS times the size to the slide's size."""
    big = Image.fromarray(np.clip(np.rint(img), 0, 255).astype(np.uint8), 'RGB')
    return big.resize((W, H), Image.LANCZOS)


def save_jpeg(image, path):
    image.save(path, 'JPEG', quality=88, optimize=True, subsampling=0)


def save_gif(image, path, colours=48):
    image.quantize(colors=colours, method=Image.MEDIANCUT, dither=Image.NONE).save(path, 'GIF', optimize=True)


# ---- the slides ----

def aube(rng):
    """Dawn over a mountain lake."""
    h, w = H * SS, W * SS
    horizon = int(h * 0.6)
    sky = vertical(horizon, w, [(0, '#27305a'), (0.45, '#7d4e7f'), (0.75, '#e07a72'), (1, '#ffc27a')])
    sun_y, sun_x = int(horizon * 0.56), int(w * 0.63)
    sky += glow(horizon, w, sun_y, sun_x, 170 * SS, 70)[..., None] * hexrgb('#ffd9a0') / 255
    sky = blend(sky, hexrgb('#fff4d6'), disc(horizon, w, sun_y, sun_x, 19 * SS))
    clouds = noise2(rng, horizon, w, 3.2, wide=4)
    band = np.exp(-((np.arange(horizon)[:, None] - horizon * 0.35) / (horizon * 0.13)) ** 2)
    sky = blend(sky, hexrgb('#f4a08a'), np.clip((clouds - 0.55) * 3, 0, 0.55) * band)
    for depth, (base, amp, colour) in enumerate([(0.86, 0.3, '#8a6890'), (0.95, 0.3, '#5d4874'),
                                                 (1.0, 0.2, '#352a4c')]):
        line = ridge(rng, w, horizon * base, horizon * amp, roughness=2.9 - 0.2 * depth)
        sky = blend(sky, hexrgb(colour), below(horizon, w, line))
    # The lake mirrors the upper half, broken by ripples and darkened.
    lake_h = h - horizon
    rows = np.arange(lake_h)
    src = horizon - 1 - rows
    shift = (np.sin(rows * 0.9 / SS) * (1 + rows / lake_h * 10)).astype(int)
    lake = np.empty((lake_h, w, 3))
    for r in range(lake_h):
        lake[r] = np.roll(sky[max(src[r], 0)], shift[r], axis=0)
    lake = lake * 0.72 + hexrgb('#1c2140') * 0.28
    glitter = noise2(rng, lake_h, w, 1.0)
    column = np.exp(-((np.arange(w)[None, :] - sun_x) / (45 * SS + rows[:, None] * 0.6)) ** 2)
    lake += (np.clip(glitter - 0.6, 0, 1) * 260 * column)[..., None] * hexrgb('#ffe2b0') / 255
    img = np.concatenate([sky, lake], axis=0)
    # Reeds in the near corner.
    mask = Image.new('L', (w, h), 0)
    d = ImageDraw.Draw(mask)
    for k in range(38):
        x = int(rng.uniform(0, w * 0.22))
        top = int(h - rng.uniform(60, 190) * SS)
        lean = rng.uniform(-18, 18) * SS
        d.line([(x, h), (x + lean, top)], fill=255, width=int(2 * SS))
    img = blend(img, hexrgb('#161427'), np.asarray(mask, float) / 255)
    return finish(img)


def sommets(rng):
    """A flat poster of snowy peaks, fir trees and a meadow."""
    h, w = H * SS, W * SS
    im = Image.new('RGB', (w, h))
    d = ImageDraw.Draw(im)
    bands = ['#8fcbe8', '#a3d5ec', '#b8dff0', '#ceeaf4']
    for i, c in enumerate(bands):
        d.rectangle([0, i * h * 0.14, w, (i + 1) * h * 0.14 + 1], fill=c)
    d.rectangle([0, h * 0.56, w, h], fill=bands[-1])
    d.ellipse([w * 0.78, h * 0.1, w * 0.78 + 70 * SS, h * 0.1 + 70 * SS], fill='#fff3c4')

    def peak(x0, x1, top, colour, shade, snow):
        apex = ((x0 + x1) / 2, top)
        base = h * 0.72
        d.polygon([(x0, base), apex, (x1, base)], fill=colour)
        d.polygon([apex, (apex[0] + (x1 - apex[0]) * 0.15, base), (x1, base)], fill=shade)
        # Snow cap with a jagged lower edge.
        f = 0.3
        left = (apex[0] + (x0 - apex[0]) * f, top + (base - top) * f)
        right = (apex[0] + (x1 - apex[0]) * f, top + (base - top) * f)
        teeth = [left]
        for k in range(1, 6):
            t = k / 6
            x = left[0] + (right[0] - left[0]) * t
            y = left[1] + (30 * SS if k % 2 else 8 * SS)
            teeth.append((x, y))
        teeth.append(right)
        d.polygon([apex] + teeth, fill=snow)

    peak(-w * 0.1, w * 0.5, h * 0.2, '#6b7fa6', '#56688c', '#f6f8fb')
    peak(w * 0.3, w * 0.95, h * 0.12, '#5d6f97', '#4a5a7e', '#ffffff')
    peak(w * 0.65, w * 1.2, h * 0.3, '#7388ae', '#5f7297', '#eef2f8')
    d.polygon([(0, h * 0.7), (w * 0.3, h * 0.62), (w * 0.7, h * 0.68), (w, h * 0.63), (w, h), (0, h)],
              fill='#7fb069')
    d.polygon([(0, h * 0.82), (w * 0.45, h * 0.74), (w, h * 0.8), (w, h), (0, h)], fill='#5f9450')
    for k in range(26):
        x = rng.uniform(0, w)
        base = h * 0.74 + rng.uniform(0, h * 0.2)
        size = (base / h - 0.6) * 260 * SS * rng.uniform(0.8, 1.1)
        colour = '#2f5d3a' if k % 3 else '#3b6e45'
        d.rectangle([x - size * 0.04, base - size * 0.1, x + size * 0.04, base + size * 0.05], fill='#5b3b25')
        for tier in range(3):
            top = base - size * (0.55 + tier * 0.28)
            half = size * (0.24 - tier * 0.05)
            d.polygon([(x - half, base - size * (0.1 + tier * 0.25)), (x, top),
                       (x + half, base - size * (0.1 + tier * 0.25))], fill=colour)
    return im.resize((W, H), Image.LANCZOS)


def cote(rng):
    """White cliffs, turquoise sea and a sail at noon."""
    h, w = H * SS, W * SS
    horizon = int(h * 0.42)
    img = np.zeros((h, w, 3))
    img[:horizon] = vertical(horizon, w, [(0, '#3f7fc4'), (0.7, '#86b9e4'), (1, '#cfe6f5')])
    clouds = noise2(rng, horizon, w, 3.3, wide=5)
    img[:horizon] = blend(img[:horizon], hexrgb('#ffffff'), np.clip((clouds - 0.6) * 3.0, 0, 0.85))
    sea = vertical(h - horizon, w, [(0, '#1f5f99'), (0.45, '#2a86a8'), (1, '#45c1c0')])
    waves = noise2(rng, h - horizon, w, 1.4)
    depth = np.linspace(0.25, 1, h - horizon)[:, None]
    sea += ((waves - 0.5) * 40 * depth)[..., None]
    sparkle = np.clip(noise2(rng, h - horizon, w, 0.6) - 0.72, 0, 1) * 700
    sea += (sparkle * np.exp(-((np.arange(w) - w * 0.35) / (w * 0.25)) ** 2)[None, :])[..., None]
    img[horizon:] = sea
    # Beach and foam in front.
    shore = ridge(rng, w, h * 0.93, h * 0.09, roughness=2.4)
    img = blend(img, hexrgb('#f6fbf8'), np.clip(below(h, w, shore - 6 * SS) - below(h, w, shore), 0, 1) * 0.85)
    sand = vertical(h, w, [(0, '#f2dcae'), (1, '#dcbc86')])
    img = blend(img, sand, below(h, w, shore))
    # A chalk headland on the right: its top slopes up from the sea, its
    # face drops steeply with ragged edges and vertical runnels.
    y, xx = np.mgrid[0:h, 0:w].astype(float)
    x = np.arange(w)
    rise = np.clip((x - w * 0.5) / (w * 0.22), 0, 1)
    top = horizon - 75 * SS * np.sin(rise * np.pi / 2) - 10 * SS * noise2(rng, 8, w, 2.4)[2] * rise
    ragged = noise2(rng, h, 8, 2.2)[:, 3] * 26 * SS
    face = w * 0.5 + (y[:, :1] - horizon + 75 * SS) * 0.18 + ragged[:, None]   # left edge per row
    cliff = np.clip(xx - face + 0.5, 0, 1) * below(h, w, top) * (1 - below(h, w, shore))
    runnels = noise2(rng, h, w, 2.0, wide=0.08)
    light = np.clip((xx - face) / (60 * SS), 0, 1)
    chalk = ramp(0.35 + 0.45 * light + 0.25 * (runnels - 0.5), [(0, '#b9b2a6'), (0.5, '#e6e0d4'),
                                                                (1, '#fbf8f1')])
    img = blend(img, chalk, cliff)
    grass = np.clip(below(h, w, top) - below(h, w, top + 6 * SS), 0, 1) * (rise > 0.02)[None, :]
    img = blend(img, hexrgb('#6e9c4f'), grass * np.clip(xx - face + 6 * SS, 0, 1))
    im = finish(img)
    # The sailing boat.
    d = ImageDraw.Draw(im)
    bx, by = W * 0.3, H * 0.5
    d.polygon([(bx - 16, by), (bx + 18, by), (bx + 13, by + 5), (bx - 12, by + 5)], fill='#3a3a44')
    d.polygon([(bx, by - 36), (bx, by - 2), (bx + 17, by - 2)], fill='#fbfbf6')
    d.polygon([(bx - 2, by - 30), (bx - 2, by - 2), (bx - 14, by - 2)], fill='#e9e5dc')
    return im


def lavande(rng):
    """Rows of lavender running to the horizon, a lone tree."""
    h, w = H * SS, W * SS
    horizon = int(h * 0.46)
    img = np.zeros((h, w, 3))
    img[:horizon] = vertical(horizon, w, [(0, '#5f8fd0'), (1, '#d8e4f2')])
    clouds = noise2(rng, horizon, w, 3.4, wide=5)
    img[:horizon] = blend(img[:horizon], hexrgb('#ffffff'), np.clip((clouds - 0.6) * 2.6, 0, 0.8))
    hills = ridge(rng, w, horizon + 4 * SS, 26 * SS, roughness=2.6)
    img[horizon:] = hexrgb('#8aa0a8')
    img = blend(img, hexrgb('#8aa0a8'), below(h, w, hills))
    # Ground in perspective: u runs across the rows, v away from the viewer.
    y, x = np.mgrid[horizon:h, 0:w].astype(float)
    dist = (y - horizon + 1) / (h - horizon)
    u = (x - w * 0.5) / dist
    rows = 0.5 + 0.5 * np.cos(u / (34 * SS) * 2 * np.pi)
    flowers = noise2(rng, h - horizon, w, 0.8)
    purple = ramp(flowers, [(0, '#5a3d8a'), (0.5, '#7b5bb0'), (1, '#a58ad3')])
    soil = ramp(flowers, [(0, '#7b6a48'), (1, '#98875e')])
    fade = np.clip(dist * 3, 0, 1)[..., None]
    sharp = np.clip((rows - 0.35) * 4 * fade[..., 0] + (1 - fade[..., 0]) * 0.8, 0, 1)[..., None]
    ground = purple * sharp + soil * (1 - sharp)
    haze = hexrgb('#a897c4')
    ground = ground * fade + haze * (1 - fade)
    img[horizon:] = blend(img[horizon:], ground, below(h - horizon, w, hills - horizon))
    im = finish(img)
    d = ImageDraw.Draw(im)
    tx, ty = W * 0.76, H * 0.47
    d.rectangle([tx - 2, ty - 8, tx + 2, ty + 6], fill='#3d3326')
    for dx, dy, r in ((0, -22, 15), (-11, -14, 11), (11, -14, 11), (0, -32, 10)):
        d.ellipse([tx + dx - r, ty + dy - r, tx + dx + r, ty + dy + r], fill='#34502f')
    return im


def phare(rng):
    """A lighthouse at dusk, as a flat poster."""
    h, w = H * SS, W * SS
    im = Image.new('RGB', (w, h))
    d = ImageDraw.Draw(im)
    sky = ['#2b2d5c', '#4a3f74', '#7a4e82', '#b45f7e', '#e37f6f', '#f6a968']
    step = h * 0.62 / len(sky)
    for i, c in enumerate(sky):
        d.rectangle([0, i * step, w, (i + 1) * step + 1], fill=c)
    for k in range(40):
        sx, sy = rng.uniform(0, w), rng.uniform(0, step * 2)
        r = rng.uniform(1, 2.2) * SS
        d.ellipse([sx - r, sy - r, sx + r, sy + r], fill='#f3eedc')
    # Beam, drawn in a lighter tone of the sky bands it crosses.
    beam = Image.new('L', (w, h), 0)
    ImageDraw.Draw(beam).polygon([(w * 0.3, h * 0.31), (0, h * 0.12), (0, h * 0.3)], fill=70)
    ImageDraw.Draw(beam).polygon([(w * 0.3, h * 0.31), (w, h * 0.22), (w, h * 0.36)], fill=55)
    light = Image.new('RGB', (w, h), '#fff0b8')
    im = Image.composite(light, im, beam)
    d = ImageDraw.Draw(im)
    sea_top = h * 0.62
    d.rectangle([0, sea_top, w, h], fill='#27345e')
    for k in range(22):
        y = sea_top + (k + 1) ** 1.35 * SS * 1.6
        x = rng.uniform(0, w)
        d.line([(x, y), (x + rng.uniform(30, 90) * SS, y)], fill='#3d4f80', width=SS * 2)
    d.line([(w * 0.55, sea_top + 6 * SS), (w * 0.95, sea_top + 6 * SS)], fill='#e9a36f', width=SS * 3)
    d.polygon([(w * 0.12, h), (w * 0.18, h * 0.7), (w * 0.3, h * 0.66), (w * 0.42, h * 0.72),
               (w * 0.5, h), ], fill='#1b1a2c')
    # The tower: white with red bands, tapering.
    cx, top, bottom = w * 0.3, h * 0.36, h * 0.69
    half_top, half_bottom = 18 * SS, 28 * SS
    bands = 6
    for b in range(bands):
        y0 = top + (bottom - top) * b / bands
        y1 = top + (bottom - top) * (b + 1) / bands
        t0, t1 = b / bands, (b + 1) / bands
        hw0 = half_top + (half_bottom - half_top) * t0
        hw1 = half_top + (half_bottom - half_top) * t1
        d.polygon([(cx - hw0, y0), (cx + hw0, y0), (cx + hw1, y1), (cx - hw1, y1)],
                  fill='#c8423f' if b % 2 else '#f2ede4')
    d.rectangle([cx - 23 * SS, top - 4 * SS, cx + 23 * SS, top + 2 * SS], fill='#2b2630')
    d.rectangle([cx - 13 * SS, top - 26 * SS, cx + 13 * SS, top - 4 * SS], fill='#ffe27a')
    d.polygon([(cx - 17 * SS, top - 26 * SS), (cx, top - 42 * SS), (cx + 17 * SS, top - 26 * SS)], fill='#2b2630')
    return im.resize((W, H), Image.LANCZOS)


def dunes(rng):
    """Dunes in the warm light of late afternoon: a gentle sunlit slope
    up to each sharp crest, the steep face behind it in shadow."""
    h, w = H * SS, W * SS
    img = vertical(h, w, [(0, '#6aa2d2'), (0.42, '#cde0ea'), (0.5, '#f1dcbd'), (1, '#f1dcbd')])
    img += glow(h, w, h * 0.12, w * 0.1, 260 * SS, 60)[..., None] * hexrgb('#fff1cf') / 255
    x = np.arange(w, dtype=float)
    layers = [(0.52, 34, 0.9, '#ecc894', '#c99460'), (0.63, 48, 1.1, '#e6b983', '#bb8150'),
              (0.77, 62, 1.3, '#dfaa72', '#ab6d3e'), (0.95, 78, 1.6, '#d89d64', '#9c5f33')]
    for base, amp, period, lit, shade in layers:
        # The dunes' spacing wanders a little: the phase runs at a varying pace.
        pace = (0.75 + 0.5 * noise2(rng, 8, w, 2.4)[4]) / (period * w * 0.55)
        phase = np.cumsum(pace) + rng.uniform(0, 1)
        t = phase % 1
        a = 0.7                           # share of the sunlit slope
        height = np.where(t < a, np.sin(t / a * np.pi / 2) ** 1.3,
                          np.clip(np.cos((t - a) / (1 - a) * np.pi / 2), 0, 1) ** 0.8)
        crest = h * base - amp * SS * height
        shading = hexrgb(lit) * (1 - 0.12 * np.linspace(0, 1, h))[:, None, None]   # darker towards us
        img = blend(img, shading, below(h, w, crest))
        # The lee face: from each crest a shadow widening down to the right.
        leeward = t >= a
        past_peak = (t - a) / pace                   # pixels right of the crest
        crest_at_peak = np.interp(x - past_peak, x, crest)
        lower = crest_at_peak + past_peak * 0.55 + past_peak ** 2 * 0.004 / SS
        wedge = np.clip(below(h, w, crest) - below(h, w, lower), 0, 1) * leeward[None, :]
        img = blend(img, hexrgb(shade), wedge * 0.8)
    grain = noise2(rng, h, w, 0.3)
    img += ((grain - 0.5) * 12)[..., None]
    ripples = np.sin(np.arange(h)[:, None] * 0.33 / SS + noise2(rng, h, w, 2.6) * 18)
    img += (ripples * 5 * np.linspace(0, 1, h)[:, None] ** 2)[..., None]
    return finish(img)


def automne(rng):
    """An autumn wood, flat colours."""
    h, w = H * SS, W * SS
    im = Image.new('RGB', (w, h), '#f2e6cf')
    d = ImageDraw.Draw(im)
    d.rectangle([0, 0, w, h * 0.25], fill='#e9dcc3')
    d.rectangle([0, h * 0.72, w, h], fill='#c9773a')
    d.polygon([(0, h * 0.72), (w * 0.4, h * 0.68), (w, h * 0.73), (w, h), (0, h)], fill='#b8632f')
    palette = ['#d9541e', '#e8892b', '#f2b632', '#b8322a', '#c96a1f', '#9c2f1f']
    trees = sorted(((rng.uniform(0.1, 1), rng.uniform(-0.05, 1.05)) for _ in range(24)))
    for depth, tx in trees:
        x = tx * w
        base = h * (0.66 + 0.14 * depth)
        size = (60 + 160 * depth) * SS
        trunk = size * 0.07
        d.rectangle([x - trunk, base - size * 0.9, x + trunk, base], fill='#4b2e22' if depth > 0.5 else '#7a5040')
        colour = palette[int(rng.integers(len(palette)))]
        for k in range(5):
            ox = rng.uniform(-0.35, 0.35) * size
            oy = -size * (0.9 + rng.uniform(-0.1, 0.35))
            r = size * rng.uniform(0.28, 0.42)
            d.ellipse([x + ox - r, base + oy - r, x + ox + r, base + oy + r], fill=colour)
    for k in range(120):
        lx, ly = rng.uniform(0, w), rng.uniform(h * 0.8, h)
        r = rng.uniform(3, 7) * SS
        d.ellipse([lx - r, ly - r * 0.6, lx + r, ly + r * 0.6], fill=palette[int(rng.integers(len(palette)))])
    return im.resize((W, H), Image.LANCZOS)


def nuit(rng):
    """Moonrise over the hills; one window still lit."""
    h, w = H * SS, W * SS
    img = vertical(h, w, [(0, '#070b1f'), (0.6, '#15204a'), (1, '#2c3a6e')])
    y, x = np.mgrid[0:h, 0:w]
    band = np.exp(-((y - (h * 0.9 - x * 0.55)) / (h * 0.16)) ** 2)
    milky = noise2(rng, h, w, 2.4) * 0.7 + noise2(rng, h, w, 1.2) * 0.3
    img += (band * np.clip(milky - 0.35, 0, 1) * 95)[..., None] * hexrgb('#c9c6f0') / 255
    stars = rng.random((h, w))
    points = (stars > 0.9993).astype(float) * rng.uniform(0.4, 1.0, (h, w))
    points = np.asarray(Image.fromarray((points * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(1.1 * SS)),
                        float) / 255 * 4
    img = blend(img, hexrgb('#fffbea'), np.clip(points, 0, 1))
    my, mx = h * 0.26, w * 0.74
    img += glow(h, w, my, mx, 120 * SS, 55)[..., None] * hexrgb('#d9e2ff') / 255
    moon = np.clip(disc(h, w, my, mx, 30 * SS) - disc(h, w, my - 8 * SS, mx - 13 * SS, 28 * SS), 0, 1)
    img = blend(img, hexrgb('#fff3cf'), moon)
    far = ridge(rng, w, h * 0.78, h * 0.12, roughness=2.4)
    img = blend(img, hexrgb('#141a36'), below(h, w, far))
    near = ridge(rng, w, h * 0.92, h * 0.14, roughness=2.8, smooth=40)
    img = blend(img, hexrgb('#0a0d1e'), below(h, w, near))
    hx = int(w * 0.24)
    ground = int(near[hx])
    img += glow(h, w, ground - 22 * SS, hx + 12 * SS, 60 * SS, 40)[..., None] * hexrgb('#ffcf7a') / 255
    im = finish(img)
    d = ImageDraw.Draw(im)
    gx, gy = hx / SS, ground / SS
    d.rectangle([gx - 22, gy - 30, gx + 22, gy + 2], fill='#0b0d1a')
    d.polygon([(gx - 27, gy - 29), (gx, gy - 50), (gx + 27, gy - 29)], fill='#0b0d1a')
    d.rectangle([gx + 8, gy - 22, gx + 16, gy - 13], fill='#ffd27a')
    d.rectangle([gx + 14, gy - 58, gx + 19, gy - 40], fill='#0b0d1a')
    return im


# The slides in order: drawing, seed, picture type.
SLIDES = [(aube, 1, '.jpg'), (sommets, 2, '.gif'), (cote, 3, '.jpg'), (lavande, 4, '.jpg'),
          (phare, 5, '.gif'), (dunes, 6, '.jpg'), (automne, 7, '.gif'), (nuit, 8, '.jpg')]

HEADER = 'Une journée en paysages'
BACKGROUND = 'Ardoise.jpg'    # from the textures, for the page around the slides


def caption(title, body):
    """A caption as the caption editor stores it: the title in a larger
    bold serif, the text in a sans serif, both in light colours that read
    on the dark frame of the default page and in the editor."""
    return (f"<font face='DejaVu Serif' size='4' color='#FFD98A'><b>{title}<br>"
            f"</font><font face='DejaVu Sans' size='3' color='#F3EEE6'></b>{body}</font>")


CAPTIONS = [
    caption("L'aube sur le lac",
            "Le jour se lève : les montagnes sortent de la brume et le lac garde encore les couleurs de la nuit."),
    caption("Au pied des sommets",
            "Une affiche aux couleurs franches : neiges éternelles, sapins et prairies. Cette image est un <i>GIF</i>."),
    caption("La côte au grand soleil",
            "Falaises blanches, eau turquoise et un voilier qui prend le large."),
    caption("Les champs de lavande",
            "Des rangs violets à perte de vue, et un arbre seul sur la colline."),
    caption("Le phare au crépuscule",
            "Dès que le soleil disparaît, son faisceau balaie la mer."),
    caption("Les dunes",
            "En fin d'après-midi, le vent dessine des rides sur le sable encore chaud."),
    caption("La forêt en automne",
            "Orange, rouge et or : les feuilles tombent et couvrent le chemin."),
    caption("Bonne nuit !",
            "La lune se lève sur les collines, une fenêtre veille encore. "
            "<u>Ouvrez Paysages.lmv dans Lumivue</u> pour voir comment ce diaporama est fait."),
]


def write_project(folder):
    """The project file: Windows-1252, CR LF, as Lumivue writes it."""
    lines = [f'Nom={NAME}', 'Repertoire=', f'NbSprite={len(SLIDES)}', f'Tag={HEADER}'] + CAPTIONS
    (folder / f'{NAME}.lmv').write_bytes(''.join(line + '\r\n' for line in lines).encode('cp1252'))


def main():
    app = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'appdata')
    folder = app / 'Exemples'
    folder.mkdir(parents=True, exist_ok=True)
    for index, (draw, seed, kind) in enumerate(SLIDES):
        picture = draw(np.random.default_rng(seed))
        path = folder / f'{NAME}{index}{kind}'
        other = folder / f'{NAME}{index}{".gif" if kind == ".jpg" else ".jpg"}'
        other.unlink(missing_ok=True)   # a GIF beside a JPEG would win the type probe
        (save_gif if kind == '.gif' else save_jpeg)(picture, path)
    write_project(folder)
    # The page shows the project's own background picture.
    shutil.copyfile(app / 'Textures' / BACKGROUND, folder / 'imgFond.jpg')


if __name__ == '__main__':
    main()
