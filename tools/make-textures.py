#!/usr/bin/python3
"""Draws the background textures of appdata/Textures.

Every texture tiles without a seam by construction: the noise is filtered
in the Fourier domain (which is periodic), waves make a whole number of
periods across the tile, patterns have a period that divides the tile, and
scattered marks wrap around the edges. Needs Debian's python3-numpy and
python3-pil. Usage: tools/make-textures.py [appdata folder]
"""
import sys
from pathlib import Path

import numpy as np
from PIL import Image

N = 256          # tile size of the texture being drawn (set per texture)
QUALITY = 86
TAU = 2 * np.pi


# ---- periodic building blocks ----

def noise(rng, beta, stretch=(1.0, 1.0), low_cut=0.0):
    """Periodic noise with a 1/f^beta spectrum, scaled to 0 .. 1.
    stretch weighs the frequencies along x and y: the axis with the larger
    weight gets the longer features (grain, fibres, layers)."""
    n = N
    white = rng.standard_normal((n, n))
    fy = np.fft.fftfreq(n)[:, None] * stretch[1]
    fx = np.fft.fftfreq(n)[None, :] * stretch[0]
    f = np.hypot(fx, fy)
    f[0, 0] = 1.0
    spectrum = np.fft.fft2(white) * f ** (-beta / 2)
    spectrum[0, 0] = 0
    if low_cut:
        spectrum[f < low_cut] = 0
    return scale(np.real(np.fft.ifft2(spectrum)))


def scale(a, lo=0.0, hi=1.0):
    """Linear map of a's range onto lo .. hi."""
    a = a - a.min()
    top = a.max()
    return lo + (hi - lo) * (a / top if top else a)


def grid():
    """Coordinates 0 .. 1 (exclusive) across the tile: y down, x across."""
    t = np.arange(N) / N
    return np.meshgrid(t, t, indexing='ij')


def warp(field, dy, dx):
    """Samples a periodic field at positions moved by (dy, dx) pixels,
    wrapping around, with bilinear interpolation."""
    n = field.shape[0]
    y, x = np.meshgrid(np.arange(n), np.arange(n), indexing='ij')
    sy, sx = (y + dy) % n, (x + dx) % n
    y0, x0 = np.floor(sy).astype(int), np.floor(sx).astype(int)
    fy, fx = sy - y0, sx - x0
    y1, x1 = (y0 + 1) % n, (x0 + 1) % n
    top = field[y0, x0] * (1 - fx) + field[y0, x1] * fx
    bottom = field[y1, x0] * (1 - fx) + field[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def blur(a, sigma):
    """Gaussian blur with wrap-around (in the Fourier domain)."""
    n = a.shape[0]
    f = np.fft.fftfreq(n)
    g = np.exp(-2 * (np.pi * sigma) ** 2 * (f[:, None] ** 2 + f[None, :] ** 2))
    return np.real(np.fft.ifft2(np.fft.fft2(a) * g))


def cells(rng, count):
    """Periodic cellular noise: distance to the nearest and second nearest
    of count random points, the tile's copies around it included."""
    n = N
    points = rng.random((count, 2)) * n
    y, x = np.meshgrid(np.arange(n), np.arange(n), indexing='ij')
    d = np.full((2, n, n), np.inf)
    for py, px in points:
        dy = np.abs(y - py)
        dx = np.abs(x - px)
        dist = np.hypot(np.minimum(dy, n - dy), np.minimum(dx, n - dx))
        d1 = np.minimum(d[0], dist)
        d[1] = np.minimum(d[1], np.maximum(d[0], dist))
        d[0] = d1
    return d[0], d[1]


def colourise(value, stops):
    """Maps 0 .. 1 onto a colour ramp given as (position, '#rrggbb') stops."""
    pos = np.array([p for p, _ in stops])
    rgb = np.array([[int(c[i:i + 2], 16) for i in (1, 3, 5)] for _, c in stops], float)
    v = np.clip(value, 0, 1)
    return np.stack([np.interp(v, pos, rgb[:, k]) for k in range(3)], axis=-1)


def save(rgb, path):
    Image.fromarray(np.clip(np.rint(rgb), 0, 255).astype(np.uint8), 'RGB').save(
        path, 'JPEG', quality=QUALITY, optimize=True, progressive=False, subsampling=0)


# ---- the textures ----

def marbre(rng):
    """White marble with soft grey-blue veins."""
    y, x = grid()
    turb = noise(rng, 3.2) * 5.5 + noise(rng, 2.2) * 1.2
    v = np.sin(TAU * (2 * x + 1 * y) + turb)
    veins = np.abs(v) ** 0.35
    cloud = noise(rng, 2.6)
    value = 0.55 * veins + 0.3 * cloud + 0.15 * noise(rng, 1.2)
    return colourise(value, [(0.0, '#8a96a6'), (0.35, '#c9ced6'), (0.7, '#ecebe6'), (1.0, '#faf8f3')])


def bois(rng):
    """Light oak: long grain along the tile with slow growth bands."""
    y, x = grid()
    grain = noise(rng, 2.0, stretch=(1.0, 0.05))
    bands_warp = noise(rng, 3.2, stretch=(1.0, 0.3)) * 9
    bands = 0.5 + 0.5 * np.sin(TAU * 5 * y + bands_warp)
    pores = noise(rng, 0.8, stretch=(1.0, 0.1))
    value = 0.5 * grain + 0.25 * bands ** 2 + 0.25 * pores
    return colourise(scale(value), [(0.0, '#7b5531'), (0.45, '#a9794a'), (0.8, '#c99a66'), (1.0, '#dcb481')])


def weave(rng, thread, warp_col, weft_col, jitter=0.08):
    """Plain weave: threads of the given width, each with its own shade,
    over and under in a checkerboard."""
    n = N
    count = n // thread
    row_shade = 1 + jitter * rng.standard_normal(count)
    col_shade = 1 + jitter * rng.standard_normal(count)
    r = np.arange(n) // thread
    over = ((r[:, None] + r[None, :]) % 2) == 0
    # Each thread is rounded across its width.
    across = np.sin(np.pi * (np.arange(n) % thread + 0.5) / thread) ** 0.6
    lum_warp = col_shade[None, r] * (0.78 + 0.22 * across[None, :])
    lum_weft = row_shade[r, None] * (0.78 + 0.22 * across[:, None])
    fibres_v = noise(rng, 1.0, stretch=(0.1, 1.0))
    fibres_h = noise(rng, 1.0, stretch=(1.0, 0.1))
    warp_l = lum_warp * (0.9 + 0.2 * fibres_v)
    weft_l = lum_weft * (0.9 + 0.2 * fibres_h)
    warp_rgb = np.array([int(warp_col[i:i + 2], 16) for i in (1, 3, 5)], float)
    weft_rgb = np.array([int(weft_col[i:i + 2], 16) for i in (1, 3, 5)], float)
    return np.where(over[..., None], warp_l[..., None] * warp_rgb, weft_l[..., None] * weft_rgb)


def lin(rng):
    """Natural linen."""
    rgb = weave(rng, 4, '#d8ccb4', '#cfc1a6', jitter=0.025)
    slub = noise(rng, 1.5, stretch=(1.0, 0.05))
    return rgb * (0.95 + 0.08 * slub[..., None])


def jean(rng):
    """Indigo denim twill: the blue warp runs over three and under one,
    stepping one thread per row, so the ribs run diagonally."""
    n, t = N, 2
    r = np.arange(n) // t
    over = ((r[None, :] - r[:, None]) % 4) != 0
    shade_c = 1 + 0.05 * rng.standard_normal(n // t)
    shade_r = 1 + 0.04 * rng.standard_normal(n // t)
    fade = noise(rng, 2.4)
    indigo = np.array([46, 66, 112], float) * shade_c[r][None, :, None]
    indigo = indigo * (0.85 + 0.35 * fade[..., None])
    white = np.array([196, 200, 206], float) * shade_r[r][:, None, None]
    rgb = np.where(over[..., None], indigo, white)
    return np.stack([blur(rgb[..., k], 0.45) for k in range(3)], -1)


def parchemin(rng):
    """Old parchment: soft blotches and faint fibres on warm cream."""
    blotch = noise(rng, 3.4)
    mid = noise(rng, 2.2)
    fibre = noise(rng, 1.0, stretch=(1.0, 0.2))
    value = 0.6 * blotch + 0.25 * mid + 0.15 * fibre
    return colourise(scale(value), [(0.0, '#c9ad7c'), (0.4, '#e0c99c'), (0.8, '#efe0bd'), (1.0, '#f6ebcf')])


def ardoise(rng):
    """Dark slate with fine layers."""
    layers = noise(rng, 2.4, stretch=(1.0, 0.12))
    grain = noise(rng, 0.9)
    cloud = noise(rng, 3.0)
    value = 0.45 * layers + 0.25 * grain + 0.3 * cloud
    return colourise(scale(value), [(0.0, '#2a2f36'), (0.5, '#3d444d'), (1.0, '#58616b')])


def sable(rng):
    """Sand: fine grain over gentle wind ripples."""
    y, x = grid()
    bend = noise(rng, 3.0) * 4
    ripples = 0.5 + 0.5 * np.sin(TAU * (9 * y + 1 * x) + bend)
    grain = rng.random((N, N))
    value = 0.35 * ripples ** 2 + 0.45 * grain + 0.2 * noise(rng, 2.5)
    return colourise(scale(blur(value, 0.5)), [(0.0, '#bf9f70'), (0.5, '#d8bd8f'), (1.0, '#ecd9b3')])


def nuages(rng):
    """Soft white clouds in a summer sky."""
    clouds = noise(rng, 3.0) * 0.75 + noise(rng, 2.0) * 0.25
    value = np.clip((scale(clouds) - 0.35) / 0.6, 0, 1) ** 1.2
    return colourise(value, [(0.0, '#6f9fd6'), (0.35, '#9cbfe6'), (0.75, '#dfeaf6'), (1.0, '#fbfcfe')])


def granito(rng):
    """Terrazzo: chips of red, white and dark stone set in grey cement."""
    base = colourise(noise(rng, 2.0), [(0.0, '#948885'), (0.5, '#aa9d97'), (1.0, '#bfb1aa')])
    for colour, share, sigma in (('#a97a6b', 0.22, 2.6), ('#ddd3cd', 0.16, 2.0), ('#4a4444', 0.09, 1.4)):
        speck = blur(rng.standard_normal((N, N)), sigma)
        level = np.quantile(speck, 1 - share)
        mask = np.clip((speck - level) / (0.25 * speck.std()), 0, 1)[..., None]
        rgb = np.array([int(colour[i:i + 2], 16) for i in (1, 3, 5)], float)
        base = base * (1 - mask) + rgb * mask
    return base


def cuir(rng):
    """Brown leather: creased cells and a soft sheen."""
    d1, d2 = cells(rng, N * N // 90)
    pebble = blur(np.clip((d2 - d1) / 4.0, 0, 1) ** 0.8, 0.8)
    sheen = noise(rng, 3.2)
    grain = noise(rng, 0.8)
    value = 0.22 * pebble + 0.63 * sheen + 0.15 * grain
    return colourise(scale(value), [(0.0, '#3a2214'), (0.45, '#5f3a22'), (0.85, '#7e5231'), (1.0, '#93643e')])


def velours(rng):
    """Deep red velvet with soft folds of light."""
    y, x = grid()
    folds = noise(rng, 3.6, stretch=(0.5, 1.0))
    pile = noise(rng, 0.6)
    value = 0.8 * folds + 0.2 * pile
    return colourise(scale(value), [(0.0, '#3d0a14'), (0.45, '#6e1626'), (0.85, '#9a2a3b'), (1.0, '#b5475a')])


def aquarelle(rng):
    """Watercolour wash: pale pools of colour with darker rims."""
    rgb = np.full((N, N, 3), [248.0, 244.0, 236.0])
    for colour in ('#9fc0dc', '#e6b7a3', '#bcd3a6'):
        pool = noise(rng, 3.4)
        edge = np.clip((pool - 0.58) / 0.12, 0, 1)
        rim = np.exp(-((pool - 0.585) / 0.02) ** 2) * 0.3
        amount = np.clip(0.55 * edge + rim, 0, 0.8)[..., None]
        tint = np.array([int(colour[i:i + 2], 16) for i in (1, 3, 5)], float)
        rgb = rgb * (1 - amount) + tint * amount
    paper = noise(rng, 1.2)
    return rgb * (0.96 + 0.05 * paper[..., None])


def nuit(rng):
    """Night sky: a deep blue with faint haze and scattered stars."""
    haze = noise(rng, 3.2)
    rgb = colourise(haze, [(0.0, '#070b1c'), (0.6, '#101a38'), (1.0, '#1d2b55')])
    y, x = np.meshgrid(np.arange(N), np.arange(N), indexing='ij')
    stars = np.zeros((N, N))
    for _ in range(110 * N * N // 65536):
        py, px = rng.random(2) * N
        size = 0.45 + 0.9 * rng.random() ** 3
        bright = 0.35 + 0.65 * rng.random() ** 2
        dy = np.abs(y - py)
        dx = np.abs(x - px)
        d2 = np.minimum(dy, N - dy) ** 2 + np.minimum(dx, N - dx) ** 2
        stars += bright * np.exp(-d2 / (2 * size ** 2))
    glow = np.clip(stars, 0, 1)[..., None]
    return rgb * (1 - glow) + np.array([255.0, 250.0, 235.0]) * glow


def eau(rng):
    """Sunlit pool: the bright net of caustics over a turquoise floor."""
    d1, d2 = cells(rng, N * N // 1400)
    net = np.exp(-(d2 - d1) / 2.5)
    dy = (noise(rng, 3.0) - 0.5) * 14
    dx = (noise(rng, 3.0) - 0.5) * 14
    light = np.clip(blur(warp(net, dy, dx), 0.8), 0, 1) ** 1.6
    depth = noise(rng, 3.0)
    rgb = colourise(depth, [(0.0, '#1d6b7d'), (0.5, '#25808f'), (1.0, '#3193a0')])
    return rgb + light[..., None] * np.array([95.0, 110.0, 100.0])


def toile(rng):
    """Artist's canvas: a coarse, even weave in off-white."""
    rgb = weave(rng, 8, '#e9e3d6', '#e2dbcc', jitter=0.04)
    return rgb * (0.96 + 0.06 * noise(rng, 2.5)[..., None])


def kraft(rng):
    """Brown kraft paper with visible fibres."""
    fibres = noise(rng, 1.2, stretch=(1.0, 0.35))
    cloud = noise(rng, 2.8)
    specks = np.clip((rng.random((N, N)) - 0.985) * 40, 0, 1)
    value = 0.5 * fibres + 0.5 * cloud - 0.4 * specks
    return colourise(scale(value), [(0.0, '#8f6b43'), (0.5, '#a9835a'), (1.0, '#c09a70')])


# Name: (drawing, seed, tile size). Soft textures get a large tile, so that
# their repetition does not show; fine ones a smaller one, to stay light.
TEXTURES = {
    'Aquarelle': (aquarelle, 22, 512),
    'Ardoise': (ardoise, 16, 384),
    'Bois': (bois, 12, 384),
    'Cuir': (cuir, 20, 384),
    'Eau': (eau, 24, 384),
    'Granito': (granito, 19, 256),
    'Jean': (jean, 14, 256),
    'Kraft': (kraft, 26, 384),
    'Lin': (lin, 13, 256),
    'Marbre': (marbre, 11, 512),
    'Nuages': (nuages, 18, 512),
    'Nuit': (nuit, 23, 384),
    'Parchemin': (parchemin, 15, 512),
    'Sable': (sable, 17, 256),
    'Toile': (toile, 25, 256),
    'Velours': (velours, 21, 512),
}


def main():
    app = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'appdata')
    folder = app / 'Textures'
    folder.mkdir(parents=True, exist_ok=True)
    global N
    for name, (draw, seed, size) in TEXTURES.items():
        N = size
        save(draw(np.random.default_rng(seed)), folder / f'{name}.jpg')


if __name__ == '__main__':
    main()
