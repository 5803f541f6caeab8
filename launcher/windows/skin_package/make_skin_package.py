#!/usr/bin/env python3
"""Draws the skin images with ImageMagick and packs them with the layout files
into the skin ZIP (deflated entries, all at the archive root)."""

import argparse
import os
import subprocess
import sys
import zipfile

LAYOUTS = ["MainWnd.xml", "GameWnd.xml", "BrowserWnd.xml", "CustomMsgBox.xml"]

# Colours of the three button states; each state is a flat face with a white glyph.
LOGIN_STATES = {"": "#3b6f9e", "_hover": "#5a93c6", "_pushed": "#23496b"}
GAME_STATES = {"": "#333333", "_hover": "#505050", "_pushed": "#1c1c1c"}
GAME_CLOSE_STATES = {"": "#333333", "_hover": "#c0392b", "_pushed": "#8e2417"}


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def glyph_draws(glyph, w, h):
    cx, cy = w // 2, h // 2
    r = min(w, h) // 4
    if glyph == "min":
        return [f"line {cx - r},{cy} {cx + r},{cy}"]
    if glyph == "close":
        return [f"line {cx - r},{cy - r} {cx + r},{cy + r}", f"line {cx - r},{cy + r} {cx + r},{cy - r}"]
    if glyph == "max":
        return [f"rectangle {cx - r},{cy - r} {cx + r},{cy + r}"]
    return [f"rectangle {cx - r + 2},{cy - r} {cx + r},{cy + r - 2}",
            f"rectangle {cx - r},{cy - r + 2} {cx + r - 2},{cy + r}"]


def button(path, w, h, face, glyph, rounded):
    shape = f"roundrectangle 0,0 {w - 1},{h - 1} 6,6" if rounded else f"rectangle 0,0 {w - 1},{h - 1}"
    args = ["-size", f"{w}x{h}", "xc:none", "-fill", face, "-draw", shape,
            "-fill", "none", "-stroke", "white", "-strokewidth", "2"]
    for d in glyph_draws(glyph, w, h):
        args += ["-draw", d]
    convert(*args, path)


def login_background(path):
    convert("-size", "1241x667", "gradient:#10243d-#2c6396",
            "-fill", "#ffffff18", "-draw", "circle 1000,560 1240,660",
            "-fill", "#ffffff10", "-draw", "circle 200,120 420,160",
            "-fill", "#0b1a2c", "-draw", "roundrectangle 384,150 1121,537 8,8",
            "-fill", "#f0c04060", "-draw", "rectangle 0,0 1240,6",
            path)


def sub_blocks_end(data, pos):
    while data[pos]:
        pos += data[pos] + 1
    return pos + 1


def keep_standard_blocks(data):
    """Drops ImageMagick's private application extensions from a GIF, keeping
    the loop extension, the frames and their graphic control extensions."""
    flags = data[10]
    pos = 13 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0)
    out = bytearray(data[:pos])
    while data[pos] != 0x3B:
        start = pos
        if data[pos] == 0x21:
            private = data[pos + 1] == 0xFF and data[pos + 3:pos + 14] == b"ImageMagick"
            pos = sub_blocks_end(data, pos + 2)
            if private:
                continue
        else:
            image_flags = data[pos + 9]
            pos += 10 + (3 * (2 << (image_flags & 7)) if image_flags & 0x80 else 0)
            pos = sub_blocks_end(data, pos + 1)
        out += data[start:pos]
    return bytes(out + b"\x3b")


def login_gif(path, work):
    frames = []
    for i in range(8):
        frame = os.path.join(work, f"login_frame{i}.png")
        x = 40 + i * 32
        convert("-size", "307x387", "gradient:#1d3d66-#0f2540",
                "-fill", "#f0c040", "-draw", f"circle {x},190 {x + 22},190",
                "-fill", "#ffffff", "-draw", f"rectangle 20,340 {40 + i * 33},352",
                frame)
        frames.append(frame)
    convert("-delay", "12", "-loop", "0", "-dispose", "none", *frames, path)
    with open(path, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(keep_standard_blocks(data))


def logo(path):
    convert("-size", "512x512", "xc:none",
            "-fill", "#f0c040", "-draw", "circle 256,256 256,16",
            "-fill", "#1d3d66", "-draw", "polygon 256,96 400,400 112,400",
            path)


def generate(images):
    os.makedirs(images, exist_ok=True)
    out = lambda name: os.path.join(images, name)
    login_background(out("loginBkg.png"))
    login_gif(out("login.gif"), images)
    for suffix, face in LOGIN_STATES.items():
        button(out(f"btn_min{suffix}.png"), 36, 36, face, "min", True)
        button(out(f"btn_close{suffix}.png"), 40, 39, face, "close", True)
    for kind in ["min", "max", "restore", "close"]:
        states = GAME_CLOSE_STATES if kind == "close" else GAME_STATES
        for suffix, face in states.items():
            button(out(f"btn_game_{kind}{suffix}.png"), 30, 27, face, kind, False)
    logo(out("logo.png"))
    convert(out("logo.png"), "-define", "icon:auto-resize=48,32,16", out("logo.ico"))
    for i, colour in enumerate(["#c0392b", "#27ae60", "#2980b9"], start=1):
        button(out(f"x_{i}.png"), 16, 16, colour, "close", False)


def pack(layout_dir, images, zip_path):
    names = sorted(n for n in os.listdir(images) if not n.startswith("login_frame"))
    entries = [(os.path.join(layout_dir, n), n) for n in LAYOUTS]
    entries += [(os.path.join(images, n), n) for n in names]
    tmp = zip_path + ".tmp"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as z:
        for path, name in entries:
            info = zipfile.ZipInfo(name, date_time=(2020, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                z.writestr(info, f.read())
    os.replace(tmp, zip_path)
    return len(entries)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--layouts", required=True, help="folder of the layout files")
    parser.add_argument("--images", required=True, help="folder the images are drawn into")
    parser.add_argument("--zip", required=True, help="package to write")
    args = parser.parse_args()
    generate(args.images)
    count = pack(args.layouts, args.images, args.zip)
    print(f"skin package: {count} entries")
    return 0


if __name__ == "__main__":
    sys.exit(main())
